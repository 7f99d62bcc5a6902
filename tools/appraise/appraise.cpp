// tavrenne-appraise FILE...: what the White Arrow would make of each file.
// For a file that can be shot: its Fingerprint, the hero of a first arrow
// (name, starting numbers, growth rates, trait) and the bonus and trump card
// of a second arrow. For a file too young: the first day it can be shot.
// Otherwise: why it cannot be read.
// Exit code 0 when every file could be appraised (young files included),
// 1 when some file could not be read, 2 for a wrong command line.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "capture/fingerprint.h"
#include "capture/hero.h"
#include "core/cards.h"
#include "shell/platform.h"
#include "tools/appraise/console.h"

namespace {

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char* pattern, ...)
{
    char text[512];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

void describeHero(const char* fingerprint, const std::string& gamePath)
{
    HeroRecord h = {};
    deriveHero(h, fingerprint, false);
    heroNameFromPath(h, gamePath.c_str());
    SecondArrowBonus b = secondArrowBonus(fingerprint);
    std::string text;
    text += format("  指紋      %s\n", fingerprint);
    text += format("  一の矢    【%s】 HP %d  MP %d  攻撃力 %d  防御力 %d  回避率 %d\n", h.name,
                   h.maxHp, h.maxMp, h.attack, h.defence, h.evasion);
    text += format("            成長率 HP %d  MP %d  攻撃力 %d  防御力 %d\n", h.hpGrowth,
                   h.mpGrowth, h.attackGrowth, h.defenceGrowth);
    text += format("            先天能力 %s\n", traitName(h.trait));
    text += format("  二の矢    HP+%d MP+%d 攻撃力+%d 防御力+%d 回避率+%d 攻撃成長率+%d 防御成長率+%d\n",
                   b.maxHp, b.maxMp, b.attack, b.defence, b.evasion, b.attackGrowth,
                   b.defenceGrowth);
    text += format("            切り札 %s\n", trumpCardCaption(b.trumpCard));
    writeConsole(text);
}

// The first day a young file can be shot, from its last-write date.
void describeYoungFile(const char* path)
{
    FileRef file = platform::fileOpen(path, ShareRead);
    uint64_t lastWrite = 0;
    bool known = file != noFile && platform::fileLastWriteTime(file, &lastWrite);
    if (file != noFile)
        platform::fileClose(file);
    CalendarDate written;
    CalendarDate today;
    if (!known || !fileTimeToDate(lastWrite, &written) || !fileTimeToDate(platform::currentFileTime(), &today)) {
        writeConsole("  この窓は若すぎた。\n");
        return;
    }
    CalendarDate first = firstOldEnoughDay(written, today);
    writeConsole(format("  この窓は若すぎた。%04d-%02d-%02d (UTC) から射てます。\n", first.year,
                        first.month, first.day));
}

// Why a file gave no Fingerprint: the steps of taking one, asked again.
std::string failureReason(const char* path)
{
    FileRef file = platform::fileOpen(path, ShareRead);
    if (file == noFile)
        return openFailureReason();
    std::string reason = "読み込みに失敗しました";
    uint64_t lastWrite = 0;
    CalendarDate date;
    uint32_t size = 0;
    if (!platform::fileLastWriteTime(file, &lastWrite) || !fileTimeToDate(lastWrite, &date))
        reason = "更新日時が読めません";
    else if (!platform::fileSize32(file, &size))
        reason = "4GiB 以上のファイルは読めません";
    else if (size == 0)
        reason = "空のファイルです";
    platform::fileClose(file);
    return reason;
}

// Appraises one file; false when it could not be read.
bool appraise(const char* path)
{
    writePathLine(path);
    std::string gamePath = gamePathOf(path);
    char fingerprint[fingerprintSize];
    switch (fingerprintFile(path, fingerprint)) {
    case FingerprintTaken:
        describeHero(fingerprint, gamePath);
        return true;
    case FingerprintTooYoung:
        describeYoungFile(path);
        return true;
    default:
        writeConsole(format("  読めません: %s\n", failureReason(path).c_str()));
        return false;
    }
}

const char usage[] =
    "使い方: tavrenne-appraise ファイル...\n"
    "ホワイトアローがそれぞれのファイルから作る勇者 (一の矢) と強化 (二の矢) を示します。\n"
    "ファイルやパイプへの出力は UTF-8 です。\n";

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> files = fileArguments(argc, argv);
    if (files.size() == 1 && (files[0] == "-h" || files[0] == "--help")) {
        writeConsole(usage);
        return 0;
    }
    if (files.empty()) {
        writeConsoleError(usage);
        return 2;
    }
    bool allRead = true;
    for (const std::string& file : files)
        allRead = appraise(file.c_str()) && allRead;
    return std::fflush(stdout) == 0 && allRead ? 0 : 1;
}
