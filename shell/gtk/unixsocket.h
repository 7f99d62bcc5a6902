// One question to a compositor over its Unix socket, within a bounded time
// and a bounded reply size: a compositor that does not answer is no hang.
#pragma once

#include <string>

const size_t maxReplyBytes = 16u << 20;

// How long the whole reply is, from the bytes read so far: 0 while not yet
// known, -1 when they are already wrong; null reads to the end of the stream.
typedef long (*ReplyLength)(const std::string& soFar);

// Connects to the socket at path, sends request, and reads the reply until
// it is whole (or, without replyLength, until the other end closes), all
// within timeoutMs; false with *error saying why on any failure.
bool askUnixSocket(const std::string& path, const std::string& request, ReplyLength replyLength,
                   int timeoutMs, std::string* reply, std::string* error);
