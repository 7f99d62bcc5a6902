// Music through the media control interface's command strings, sound effects
// played asynchronously from the WAV images held in memory, the blocking
// pause and the modal message boxes.
#include "shell/win32/win32.h"

#include <mmsystem.h>

#include "shell/win32/text.h"

void platform::sendMusicCommand(const char* command, bool notify)
{
    // Results are not examined: without a music device the game runs silent.
    mciSendStringW(wideOf(command).c_str(), nullptr, 0, notify ? mainWindow : nullptr);
}

void platform::playWave(int, const unsigned char* wave)
{
    // A null image stops the effect still playing and plays nothing.
    PlaySoundW(reinterpret_cast<LPCWSTR>(wave), nullptr, SND_MEMORY | SND_ASYNC);
}

void platform::pause(int milliseconds)
{
    Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

void platform::messageBox(const char* text, const char* caption, BoxOwner owner)
{
    MessageBoxW(owner == OwnedByMainWindow ? mainWindow : nullptr, wideOf(text).c_str(),
                wideOf(caption).c_str(), MB_OK);
}
