// The MessageLog's five lines, the StatusPanel and the ResultPanel texts.
#include "shell/panels.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "capture/hero.h"
#include "core/records.h"
#include "shell/platform.h"

static char lines[logLineCount][logLineSize];

// A Shift_JIS lead byte: its character takes two bytes.
static bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
}

// Copies text into a line, cut to at most 99 bytes without splitting a
// double-byte character.
static void copyLine(char* line, const char* text)
{
    size_t length = std::strlen(text);
    size_t kept = 0;
    while (kept < length) {
        size_t width = isLeadByte(static_cast<unsigned char>(text[kept])) && kept + 1 < length ? 2 : 1;
        if (kept + width > logLineSize - 1)
            break;
        kept += width;
    }
    std::memcpy(line, text, kept);
    line[kept] = '\0';
}

void appendLog(const char* text)
{
    for (int i = 0; i + 1 < logLineCount; ++i)
        std::memcpy(lines[i], lines[i + 1], logLineSize);
    copyLine(lines[logLineCount - 1], text);

    char panel[logLineCount * (2 + logLineSize)];
    size_t used = 0;
    for (const char* line : lines) {
        size_t length = std::strlen(line);
        panel[used++] = ' ';
        panel[used++] = '>';
        std::memcpy(panel + used, line, length);
        used += length;
        panel[used++] = '\n';
    }
    panel[used] = '\0';
    platform::setControlText(MessageLog, panel);
}

void appendLogf(const char* format, ...)
{
    char text[logLineSize * 4];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    appendLog(text);
}

const char* logLine(int line)
{
    return lines[line - 1];
}

void refreshStatus()
{
    char text[500];
    std::snprintf(text, sizeof text,
                  "【%s】Lv%d \n ＨＰ　 %d/%d\n ＭＰ　 %d/%d \n 攻撃力 %d\n 防御力 %d \n 経験値 %d/%d",
                  hero.name, hero.level, hero.hp, hero.maxHp, hero.mp, hero.maxMp, hero.attack,
                  hero.defence, hero.exp, hero.nextExp);
    platform::setControlText(StatusPanel, text);
}

void fillResult()
{
    char text[500];
    std::snprintf(text, sizeof text,
                  "【%s】Lv%d \n ＨＰ　 %d/%d\n ＭＰ　 %d/%d \n 攻撃力 %d\n 防御力 %d \n 回避率 %d \n"
                  " 残り時間 %d \n\n 先天能力\n   %s",
                  hero.name, hero.level, hero.hp, hero.maxHp, hero.mp, hero.maxMp, hero.attack,
                  hero.defence, hero.evasion, game.timeLeft, traitName(hero.trait));
    platform::setControlText(ResultPanel, text);
}
