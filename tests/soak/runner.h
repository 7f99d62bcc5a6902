// The soak itself, the same for both editions: the seeded plan played on a
// desk burst by burst, the checks after every burst, and at the end a
// fresh first arrow and twenty steps, read back from the controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/soak/desk.h"

namespace soak {

// A target program the last check shoots: the log line its first arrow
// writes ("NAME を射止めた!") and the StatusPanel of its new hero, UTF-8.
struct Finale {
    std::string heroLine;
    std::string status;
};

struct Options {
    uint64_t seed = 1;
    int inputs = 300;
    std::vector<Finale> finales;  // one per attempt of the last check
    int steps = 20;
};

// Counts of the run, printed at its end.
struct Tally {
    int inputs = 0;
    int bursts = 0;
    int boxes = 0;
    int heroes = 0;        // first arrows
    int secondArrows = 0;
    int endings = 0;
    int unseenLines = 0;   // log lines that came and went between two looks
};

// The log's text as lines, each without its " >" and line feed.
std::vector<std::string> logLines(const std::string& text);

// Turns the MessageLog's successive texts, from the empty log of a fresh
// game on, into the lines appended to it.
class LogStream {
public:
    // The lines the new text adds to the last one; unseen is raised when
    // the texts share no line, so more may have come and gone between them.
    std::vector<std::string> feed(const std::string& text, int* unseen);

private:
    std::vector<std::string> last_;
};

// Runs the soak; prints its progress and, on a failure, the burst and
// what went wrong. Returns the process exit code: 0 passed, 1 failed.
int runSoak(Desk& desk, const Options& options);

// The options every edition's soak program takes, from args[at]: --seed N,
// --inputs N, --steps N, and --finale WHERE LINE STATUS (once per finale
// target; WHERE names its window for the desk, and STATUS writes each line
// feed as \n). Returns how many arguments it used (0: not one of these;
// -1: one of these with a value missing); a finale's WHERE goes to where.
int commonOption(const std::vector<std::string>& args, size_t at, Options* options,
                 std::vector<std::string>* where);

// Text with each line feed written as \n (and a backslash as \\) back
// to the text itself.
std::string unescapeLines(const std::string& text);

}  // namespace soak
