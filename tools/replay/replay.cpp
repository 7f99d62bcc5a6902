// tavrenne-replay: plays a script of player actions through the game's rules
// on the recording platform and prints what happened, line by line.
//
// Usage: tavrenne-replay [SCRIPT]   (no SCRIPT or "-": standard input)
//
// Script lines (blank lines and lines starting with # are skipped):
//   seed N                 seed the random generator
//   shoot HEX32 PATH       drag the White Arrow from the grab spot onto another
//                          program whose file is PATH (Shift_JIS once read from
//                          UTF-8) and whose Fingerprint is HEX32
//   shoot-young PATH       the same, onto a file too young to be shot
//   shoot-fail PATH        the same, onto a file that cannot be read
//   shoot-self             the same, onto the game's own window
//   click advance|rest|trump|back|heal|mark
//                          a click on a button, if it is shown and enabled
//   key up|down|left|right|return|space|f7|f11 [N]
//                          a key-down with repeat count N (default 1)
//   paint                  a paint message
//   notify                 the music device's end-of-play notification
// The game's own file is C:\Games\Tavrenne\Tavrenne.exe; a shot at that path
// counts as a shot at the game itself.
//
// For each line: "> LINE", the events ("log TEXT", "sound N", "mci COMMAND",
// "pause MS", "box CAPTION | TEXT", or "ignored" for an action that could not
// happen; an emptied log line is "log" alone), then the state, hero and enemy
// lines. A line that cannot be
// parsed stops the replay before anything runs, with exit code 2.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "capture/arrow.h"
#include "core/random.h"
#include "core/records.h"
#include "shell/controls.h"
#include "shell/panels.h"
#include "shell/recorder/recorder.h"
#include "shell/scene.h"
#include "shell/sound.h"
#include "shell/posix/sjis_text.h"
#include "tools/replay/trace.h"

namespace {

enum ActionKind { Seed, Shoot, ShootYoung, ShootFail, ShootSelf, Click, Key, Paint, Notify };

struct Action {
    ActionKind kind;
    std::string text;      // the script line as written
    uint32_t number = 0;   // seed, button or key code
    int repeat = 1;        // a key's repeat count
    unsigned char digest[16] = {};
    std::string path;      // Shift_JIS
};

const WindowRef otherWindow = 2;

struct Name {
    const char* word;
    uint32_t value;
};

const Name buttons[] = {
    {"advance", AdvanceButton}, {"rest", RestButton}, {"trump", TrumpCardButton},
    {"back", BackButton},       {"heal", HealButton}, {"mark", MarkTimeButton},
};

const Name keys[] = {
    {"up", KeyUp},         {"down", KeyDown},   {"left", KeyLeft}, {"right", KeyRight},
    {"return", KeyReturn}, {"space", KeySpace}, {"f7", KeyF7},     {"f11", KeyF11},
};

template <size_t n>
bool lookUp(const Name (&names)[n], const std::string& word, uint32_t* value)
{
    for (const Name& name : names)
        if (word == name.word) {
            *value = name.value;
            return true;
        }
    return false;
}

bool parseNumber(const std::string& word, unsigned long limit, uint32_t* value)
{
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    unsigned long parsed = std::strtoul(word.c_str(), nullptr, 10);
    if (errno != 0 || parsed > limit)
        return false;
    *value = static_cast<uint32_t>(parsed);
    return true;
}

bool parseDigest(const std::string& hex, unsigned char digest[16])
{
    if (hex.size() != 32 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    for (int i = 0; i < 16; ++i)
        digest[i] = static_cast<unsigned char>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    return true;
}

// The rest of the line after the first `words` words, trimmed.
std::string restAfter(const std::string& line, int words)
{
    std::istringstream in(line);
    std::string word;
    for (int i = 0; i < words; ++i)
        in >> word;
    std::string rest;
    std::getline(in, rest);
    size_t first = rest.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : rest.substr(first);
}

bool parsePath(const std::string& utf8, Action* action, std::string* error)
{
    if (utf8.empty()) {
        *error = "a path is missing";
        return false;
    }
    if (!utf8ToSjis(utf8, &action->path)) {
        *error = "the path has a character that Shift_JIS cannot hold";
        return false;
    }
    return true;
}

// Parses one script line; false with a message when it cannot be read.
bool parseLine(const std::string& line, Action* action, std::string* error)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    const std::string& verb = words[0];
    size_t count = words.size();
    action->text = line;
    if (verb == "seed") {
        action->kind = Seed;
        if (count == 2 && parseNumber(words[1], 0xffffffffu, &action->number))
            return true;
        *error = "seed takes one number from 0 to 4294967295";
    } else if (verb == "shoot") {
        action->kind = Shoot;
        if (count >= 3 && parseDigest(words[1], action->digest))
            return parsePath(restAfter(line, 2), action, error);
        *error = "shoot takes 32 hexadecimal digits and a path";
    } else if (verb == "shoot-young" || verb == "shoot-fail") {
        action->kind = verb == "shoot-young" ? ShootYoung : ShootFail;
        return parsePath(restAfter(line, 1), action, error);
    } else if (verb == "shoot-self") {
        action->kind = ShootSelf;
        if (count == 1)
            return true;
        *error = "shoot-self takes nothing";
    } else if (verb == "click") {
        action->kind = Click;
        if (count == 2 && lookUp(buttons, words[1], &action->number))
            return true;
        *error = "click takes one of advance, rest, trump, back, heal, mark";
    } else if (verb == "key") {
        action->kind = Key;
        uint32_t repeat = 1;
        if ((count == 2 || (count == 3 && parseNumber(words[2], 0xffff, &repeat))) &&
            lookUp(keys, words[1], &action->number)) {
            action->repeat = static_cast<int>(repeat);
            return true;
        }
        *error = "key takes one of up, down, left, right, return, space, f7, f11 and a repeat "
                 "count from 0 to 65535";
    } else if ((verb == "paint" || verb == "notify") && count == 1) {
        action->kind = verb == "paint" ? Paint : Notify;
        return true;
    } else {
        *error = "unknown command \"" + verb + "\"";
    }
    return false;
}

// Puts another program under the pointer, with its file set up for the
// fingerprint result the shot asks for.
void setUpTarget(const Action& action)
{
    if (action.kind == ShootSelf) {
        scriptWindowAtPoint(fakeMainWindow);
        return;
    }
    scriptWindowAtPoint(otherWindow);
    scriptWindowExe(otherWindow, action.path);
    removeFakeFile(action.path);
    FakeFile file;
    file.contents = "MZ";
    file.lastWrite = fileTimeOf(2020, 1, 1);
    if (action.kind == Shoot) {
        scriptDigest(action.digest);
        addFakeFile(action.path, file);
    } else if (action.kind == ShootYoung) {
        file.lastWrite = platform::currentFileTime();
        addFakeFile(action.path, file);
    }
}

// Runs one action; false when it could not happen.
bool run(const Action& action)
{
    switch (action.kind) {
    case Seed:
        seedRandom(action.number);
        return true;
    case Shoot:
    case ShootYoung:
    case ShootFail:
    case ShootSelf:
        setUpTarget(action);
        onLeftButtonDown(66, 66);
        if (!game.aiming)
            return false;
        onMouseMove(300, 40);
        onLeftButtonUp(300, 40);
        return true;
    case Click: {
        ControlState button = controlState(static_cast<Control>(action.number));
        if (!button.shown || !button.enabled)
            return false;
        onCommand(action.number, 0);
        return true;
    }
    case Key:
        return dispatchKey(action.number, action.repeat);
    case Paint:
        paintWindow();
        return true;
    case Notify:
        onMusicNotify(1);  // a track played to its end
        return true;
    }
    return false;
}

// The process as it starts: empty records, closed music, no hero.
void startProcess()
{
    clearAllRecords();
    resetRecorder();
    seedRandom(0);
    setClientSize(237, 326);
    std::strcpy(ownExePath, "C:\\Games\\Tavrenne\\Tavrenne.exe");
}

bool readScript(std::istream& in, const char* name, std::vector<Action>* actions)
{
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        Action action;
        std::string error;
        if (!parseLine(line.substr(first), &action, &error)) {
            std::fprintf(stderr, "%s:%d: %s: %s\n", name, number, error.c_str(), line.c_str());
            return false;
        }
        actions->push_back(action);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: tavrenne-replay [SCRIPT]\n");
        return 2;
    }
    const char* name = argc == 2 ? argv[1] : "-";
    std::ifstream file;
    if (std::strcmp(name, "-") != 0) {
        file.open(name);
        if (!file) {
            std::fprintf(stderr, "tavrenne-replay: cannot read %s: %s\n", name, std::strerror(errno));
            return 2;
        }
    }
    std::vector<Action> actions;
    if (!readScript(file.is_open() ? file : std::cin, name, &actions))
        return 2;

    startProcess();
    for (const Action& action : actions) {
        std::printf("> %s\n", action.text.c_str());
        recordedCalls().clear();
        bool happened = run(action);
        printEvents(stdout);
        if (!happened)
            std::printf("ignored\n");
        printRecords(stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
