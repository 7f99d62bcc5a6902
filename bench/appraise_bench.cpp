// tavrenne-appraise against md5sum on the same 256 MiB file, side by side in
// one run: wall time per run of each program, the ratio of the two, and the
// appraisal's peak memory against the file's size plus 16 MiB. Both programs
// are run as processes, with the file already in the page cache.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

const uint64_t fileSize = 256ull << 20;
const uint64_t memoryAllowance = 16ull << 20;

struct Totals {
    double seconds = 0;
    long runs = 0;
    long peakKiB = 0;
};
Totals appraiseTotals;
Totals md5sumTotals;

// Runs the program with its output sent to outputPath and adds its wall time
// and peak memory to totals; false when it could not be started or did not
// exit with code 0.
bool runProgram(const std::vector<std::string>& argv, const char* outputPath, Totals* totals)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int spawned = posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    rusage usage = {};
    if (wait4(child, &status, 0, &usage) != child)
        return false;
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (totals) {
        totals->seconds += seconds;
        totals->runs += 1;
        if (usage.ru_maxrss > totals->peakKiB)
            totals->peakKiB = usage.ru_maxrss;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The bench file: pseudo-random bytes, dated in the past so that the age
// rule lets the appraisal read it.
bool prepareFile()
{
    struct stat info;
    if (stat(BENCH_FILE, &info) != 0 || static_cast<uint64_t>(info.st_size) != fileSize) {
        FILE* out = std::fopen(BENCH_FILE, "wb");
        if (!out)
            return false;
        std::vector<uint64_t> block(1 << 17);
        uint64_t state = 0x9e3779b97f4a7c15ull;
        for (uint64_t written = 0; written < fileSize; written += block.size() * 8) {
            for (uint64_t& word : block) {
                state ^= state << 13;
                state ^= state >> 7;
                state ^= state << 17;
                word = state;
            }
            std::fwrite(block.data(), 8, block.size(), out);
        }
        if (std::fclose(out) != 0)
            return false;
    }
    timespec old[2] = {{1577836800, 0}, {1577836800, 0}};  // 2020-01-01
    return utimensat(AT_FDCWD, BENCH_FILE, old, 0) == 0;
}

std::string firstDigestIn(const char* path)
{
    FILE* in = std::fopen(path, "r");
    std::string text;
    char line[512];
    while (in && std::fgets(line, sizeof line, in))
        text += line;
    if (in)
        std::fclose(in);
    for (size_t i = 0; i + 32 <= text.size(); ++i)
        if (text.find_first_not_of("0123456789abcdef", i) >= i + 32)
            return text.substr(i, 32);
    return std::string();
}

void appraise(benchmark::State& state)
{
    for (auto _ : state)
        if (!runProgram({APPRAISE_TOOL, BENCH_FILE}, "/dev/null", &appraiseTotals))
            state.SkipWithError("tavrenne-appraise failed");
    state.counters["peak_MiB"] = appraiseTotals.peakKiB / 1024.0;
}

void md5sum(benchmark::State& state)
{
    for (auto _ : state)
        if (!runProgram({"/usr/bin/md5sum", BENCH_FILE}, "/dev/null", &md5sumTotals))
            state.SkipWithError("md5sum failed");
    state.counters["peak_MiB"] = md5sumTotals.peakKiB / 1024.0;
}

}  // namespace

BENCHMARK(appraise)->Iterations(8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(md5sum)->Iterations(8)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (!prepareFile()) {
        std::fprintf(stderr, "cannot write %s\n", BENCH_FILE);
        return 1;
    }
    // Both programs must agree on the digest, and the runs warm the page cache.
    const char* appraiseOut = "appraise_bench.appraise.txt";
    const char* md5sumOut = "appraise_bench.md5sum.txt";
    runProgram({APPRAISE_TOOL, BENCH_FILE}, appraiseOut, nullptr);
    runProgram({"/usr/bin/md5sum", BENCH_FILE}, md5sumOut, nullptr);
    std::string ours = firstDigestIn(appraiseOut);
    std::string theirs = firstDigestIn(md5sumOut);
    std::remove(appraiseOut);
    std::remove(md5sumOut);
    if (ours.empty() || ours != theirs) {
        std::fprintf(stderr, "the digests differ: appraise \"%s\", md5sum \"%s\"\n", ours.c_str(),
                     theirs.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (appraiseTotals.runs == 0 || md5sumTotals.runs == 0)
        return 1;

    double appraiseMean = appraiseTotals.seconds / appraiseTotals.runs;
    double md5sumMean = md5sumTotals.seconds / md5sumTotals.runs;
    double ratio = appraiseMean / md5sumMean;
    double peak = appraiseTotals.peakKiB / 1024.0;
    double limit = (fileSize + memoryAllowance) / 1048576.0;
    std::printf("\ndigest %s agreed by both\n", ours.c_str());
    std::printf("mean time: tavrenne-appraise %.1f ms, md5sum %.1f ms, ratio %.3f (goal: at most 1.10) %s\n",
                appraiseMean * 1000, md5sumMean * 1000, ratio, ratio <= 1.10 ? "met" : "NOT MET");
    std::printf("peak memory of tavrenne-appraise: %.1f MiB (goal: at most %.0f MiB) %s\n", peak, limit,
                peak <= limit ? "met" : "NOT MET");
    return 0;
}
