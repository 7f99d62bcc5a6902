// The POSIX open beneath fileOpen: the native tools open the path they are
// given (open.cpp), the native game the real path behind the rules' one.
#pragma once

#include "shell/platform.h"

// Opens a plain file read-only, failing while another holder keeps a write
// lock on it; noFile with errno set otherwise.
FileRef openRegularFile(const char* path);
