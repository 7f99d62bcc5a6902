// tavrenne-appraise FILE... | --window: what the White Arrow would make of
// each file, or of the program of the window clicked. For a file that can be
// shot: its Fingerprint, the hero of a first arrow (name, starting numbers,
// growth rates, trait) and the bonus and trump card of a second arrow. For a
// file too young: the first day it can be shot. Otherwise: why it cannot be
// read. In Japanese, or in English (--lang en, or an English locale).
// Exit code 0 when everything could be appraised (young files included),
// 1 when a file could not be read or no program was found, 2 for a wrong
// command line.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "capture/fingerprint.h"
#include "capture/hero.h"
#include "core/cards.h"
#include "shell/platform.h"
#include "tools/appraise/console.h"

namespace {

// Every text of the tool, in Shift_JIS (the game's own texts stay as the
// game shows them, in both languages).
struct Texts {
    const char* digest;
    const char* firstArrow;
    const char* growth;
    const char* trait;
    const char* secondArrow;
    const char* trumpCard;
    const char* tooYoung;
    const char* tooYoungUntil;
    const char* unreadable;
    const char* reasons[OpenFailureCount];
    const char* readFailed;
    const char* noDate;
    const char* tooLarge;
    const char* empty;
    const char* pickPrompt;
    const char* pointPrompt;
    const char* noAnswer;
    const char* pickCancelled;
    const char* pickRefused;
    const char* noDisplay;
    const char* noProcess;
    const char* programUnreadable;
    const char* theGameItself;
    const char* windowUnsupported;
    const char* usage;
};

const Texts japanese = {
    "  指紋      %s\n",
    "  一の矢    【%s】 HP %d  MP %d  攻撃力 %d  防御力 %d  回避率 %d\n",
    "            成長率 HP %d  MP %d  攻撃力 %d  防御力 %d\n",
    "            先天能力 %s\n",
    "  二の矢    HP+%d MP+%d 攻撃力+%d 防御力+%d 回避率+%d 攻撃成長率+%d 防御成長率+%d\n",
    "            切り札 %s\n",
    "  この窓は若すぎた。\n",
    "  この窓は若すぎた。%04d-%02d-%02d (UTC) から射てます。\n",
    "  読めません: %s\n",
    {"ファイルが見つかりません", "読む権限がありません", "他のプログラムが書き込み中です",
     "普通のファイルではありません", "開けません (%s)"},
    "読み込みに失敗しました",
    "更新日時が読めません",
    "4GiB 以上のファイルは読めません",
    "空のファイルです",
    "窓をクリックしてください (やめるには Esc)。\n",
    "5 秒数えたら、ポインターの下の窓を調べます (sway ではフォーカスのある窓)。"
    "窓の上にポインターを置いてください (やめるには Ctrl+C)。\n",
    "デスクトップが、ポインターの下の窓を教えてくれませんでした"
    " (GNOME では Tavrenne の拡張機能を有効にしてください)。\n",
    "やめました。\n",
    "マウスかキーボードを他のプログラムが使っています。\n",
    "X のディスプレイがありません。\n",
    "この窓にはプログラムが見つかりません (デスクトップか、プロセスの分からない窓です)。\n",
    "この窓のプログラムは読めません (消されたか、置き換えられたか、他のユーザーのものです)。\n",
    "これは Tavrenne 自身の窓です。ホワイトアローは、窓の外に射ってください。\n",
    "--window はこのシステムでは使えません。\n",
    "使い方: tavrenne-appraise [--lang ja|en] ファイル...\n"
    "        tavrenne-appraise [--lang ja|en] --window\n"
    "ホワイトアローがそれぞれのファイルから作る勇者 (一の矢) と強化 (二の矢) を示します。\n"
    "--window: クリックした窓のプログラムを、ゲームのホワイトアローと同じように見つけて示します。\n"
    "          Wayland のデスクトップでは、5 秒後にポインターの下にある窓 (sway ではフォーカスのある窓) を調べます。\n"
    "ファイルやパイプへの出力は UTF-8 です。\n",
};

const Texts english = {
    "  digest        %s\n",
    "  first arrow   【%s】 HP %d  MP %d  attack %d  defence %d  evasion %d\n",
    "                growth HP %d  MP %d  attack %d  defence %d\n",
    "                trait %s\n",
    "  second arrow  HP+%d MP+%d attack+%d defence+%d evasion+%d attack growth+%d defence growth+%d\n",
    "                trump card %s\n",
    "  too young: a file written so recently cannot be shot yet.\n",
    "  too young: it can be shot from %04d-%02d-%02d (UTC).\n",
    "  cannot be read: %s\n",
    {"no such file", "no permission to read it", "another program is writing it",
     "not a plain file", "cannot open it (%s)"},
    "the read failed",
    "its last-write date cannot be read",
    "files of 4 GiB or more cannot be read",
    "the file is empty",
    "Click a window (Escape gives up).\n",
    "In 5 seconds the window under the pointer is appraised (on sway, the window with the focus): "
    "point at a window (Ctrl+C gives up).\n",
    "The desktop did not say which window is under the pointer"
    " (on GNOME, enable Tavrenne's extension).\n",
    "Given up.\n",
    "Another program holds the mouse or the keyboard.\n",
    "There is no X display.\n",
    "No program was found for that window (the desktop, or a window of an unknown process).\n",
    "The program of that window cannot be read (deleted, replaced, or another user's).\n",
    "That is Tavrenne's own window: shoot the White Arrow outside the window.\n",
    "--window is not available on this system.\n",
    "usage: tavrenne-appraise [--lang ja|en] FILE...\n"
    "       tavrenne-appraise [--lang ja|en] --window\n"
    "Shows the hero that the White Arrow makes of each file (first arrow) and what a\n"
    "second arrow adds.\n"
    "--window: click a window; its program is found as the game's White Arrow finds it.\n"
    "          On a Wayland desktop, point at the window instead: the window under the pointer\n"
    "          (on sway, the window with the focus) is taken after 5 seconds.\n"
    "Output to a file or a pipe is UTF-8.\n",
};

const Texts* texts = &japanese;

// The trait names as the game shows them, and their sense in English.
const char* const englishTraits[traitCount] = {
    "(the enemy's critical hits come twice as often)", "(evasion doubled)",
    "(damage sometimes halved)", "(faster HP recovery)", "(faster MP recovery)",
    "(more encounters)"};

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

// The texts vary with the language, so their formats cannot be checked by
// the compiler; each is used with exactly the arguments its row names.
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"

void describeHero(const char* fingerprint, const std::string& gamePath)
{
    HeroRecord h = {};
    deriveHero(h, fingerprint, false);
    heroNameFromPath(h, gamePath.c_str());
    SecondArrowBonus b = secondArrowBonus(fingerprint);
    std::string trait = traitName(h.trait);
    if (texts == &english && h.trait >= 0 && h.trait < traitCount)
        trait += std::string(" ") + englishTraits[h.trait];
    std::string text;
    text += format(texts->digest, fingerprint);
    text += format(texts->firstArrow, h.name, h.maxHp, h.maxMp, h.attack, h.defence, h.evasion);
    text += format(texts->growth, h.hpGrowth, h.mpGrowth, h.attackGrowth, h.defenceGrowth);
    text += format(texts->trait, trait.c_str());
    text += format(texts->secondArrow, b.maxHp, b.maxMp, b.attack, b.defence, b.evasion,
                   b.attackGrowth, b.defenceGrowth);
    text += format(texts->trumpCard, trumpCardCaption(b.trumpCard));
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
    if (!known || !fileTimeToDate(lastWrite, &written) ||
        !fileTimeToDate(platform::currentFileTime(), &today)) {
        writeConsole(texts->tooYoung);
        return;
    }
    CalendarDate first = firstOldEnoughDay(written, today);
    writeConsole(format(texts->tooYoungUntil, first.year, first.month, first.day));
}

// Why a file gave no Fingerprint: the steps of taking one, asked again.
std::string failureReason(const char* path)
{
    FileRef file = platform::fileOpen(path, ShareRead);
    if (file == noFile) {
        std::string detail;
        OpenFailure failure = lastOpenFailure(&detail);
        return format(texts->reasons[failure], detail.c_str());
    }
    std::string reason = texts->readFailed;
    uint64_t lastWrite = 0;
    CalendarDate date;
    uint32_t size = 0;
    if (!platform::fileLastWriteTime(file, &lastWrite) || !fileTimeToDate(lastWrite, &date))
        reason = texts->noDate;
    else if (!platform::fileSize32(file, &size))
        reason = texts->tooLarge;
    else if (size == 0)
        reason = texts->empty;
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
        writeConsole(format(texts->unreadable, failureReason(path).c_str()));
        return false;
    }
}

// The program of a clicked window, found as the White Arrow finds it.
int appraiseWindow()
{
    std::string path;
    switch (pickProgramWindow(texts->pickPrompt, texts->pointPrompt, &path)) {
    case PickedProgram: return appraise(path.c_str()) ? 0 : 1;
    case PickedTheGame: writeConsole(texts->theGameItself); return 1;
    case PickedNoProcess: writeConsoleError(texts->noProcess); return 1;
    case PickedUnreadable: writeConsoleError(texts->programUnreadable); return 1;
    case PickGivenUp: writeConsoleError(texts->pickCancelled); return 1;
    case PickNotGrabbed: writeConsoleError(texts->pickRefused); return 1;
    case PickNoDisplay: writeConsoleError(texts->noDisplay); return 1;
    case PickNoAnswer: writeConsoleError(texts->noAnswer); return 1;
    default: writeConsoleError(texts->windowUnsupported); return 2;
    }
}

// English for an English locale; Japanese otherwise, as the game speaks.
const Texts* textsOfLocale()
{
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::strncmp(value, "en", 2) == 0 ? &english : &japanese;
    }
    return &japanese;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments = fileArguments(argc, argv);
    texts = textsOfLocale();
    bool window = false;
    bool help = false;
    std::vector<std::string> files;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--lang" && i + 1 < arguments.size() &&
            (arguments[i + 1] == "en" || arguments[i + 1] == "ja")) {
            texts = arguments[++i] == "en" ? &english : &japanese;
        } else if (argument == "--window") {
            window = true;
        } else if (argument == "-h" || argument == "--help") {
            help = true;
        } else if (argument.compare(0, 2, "--") == 0 || argument == "-") {
            files.clear();
            window = false;
            help = false;
            break;  // an unknown option: the usage, below
        } else {
            files.push_back(argument);
        }
    }
    if (help) {
        writeConsole(texts->usage);
        return 0;
    }
    if (window ? !files.empty() : files.empty()) {
        writeConsoleError(texts->usage);
        return 2;
    }
    if (window) {
        int code = appraiseWindow();
        return std::fflush(stdout) == 0 ? code : 1;
    }
    bool allRead = true;
    for (const std::string& file : files)
        allRead = appraise(file.c_str()) && allRead;
    return std::fflush(stdout) == 0 && allRead ? 0 : 1;
}
