// The recording platform: every verb appends a RecordedCall and answers from
// the state scripted by the test (controls, files, windows, clock).
#include "shell/recorder/recorder.h"

#include <openssl/evp.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "shell/controls.h"

struct OpenFile {
    std::string path;
    bool open;
};

static std::vector<RecordedCall> calls;
static std::map<int, ControlState> controls;
static std::map<std::string, FakeFile> files;
static std::vector<OpenFile> handles;  // FileRef n is handles[n - 1]
static uint64_t now = 0;
static bool digestScripted = false;
static bool digestFails = false;
static unsigned char scriptedDigest[16];
static WindowRef windowAtPoint = 0;
static std::map<WindowRef, std::string> windowExes;
static bool pictureFails[pictureCount];
static bool captured = false;
static bool cursorSet = false;
static CursorShape cursor = StandardCursor;
static bool iconFilled[3];

static void record(const char* verb, const std::string& text = std::string(),
                   std::vector<int64_t> args = {})
{
    calls.push_back(RecordedCall{verb, text, std::move(args)});
}

void resetRecorder()
{
    calls.clear();
    controls.clear();
    for (const ControlLayout& layout : controlTable)
        controls[layout.control] = ControlState{layout.text, true, false};
    files.clear();
    handles.clear();
    now = fileTimeOf(2026, 12, 8);
    digestScripted = false;
    digestFails = false;
    windowAtPoint = 0;
    windowExes.clear();
    std::memset(pictureFails, 0, sizeof pictureFails);
    captured = false;
    cursorSet = false;
    cursor = StandardCursor;
    std::memset(iconFilled, 0, sizeof iconFilled);
}

std::vector<RecordedCall>& recordedCalls()
{
    return calls;
}

std::vector<RecordedCall> callsOf(const std::string& verb)
{
    std::vector<RecordedCall> found;
    for (const RecordedCall& call : calls)
        if (call.verb == verb)
            found.push_back(call);
    return found;
}

std::string describeCall(const RecordedCall& call)
{
    std::string line = call.verb;
    for (int64_t arg : call.args)
        line += " " + std::to_string(arg);
    if (!call.text.empty())
        line += " \"" + call.text + "\"";
    return line;
}

ControlState controlState(Control control)
{
    return controls[control];
}

// ---- controls ----

void platform::setControlText(Control control, const char* text)
{
    record("setControlText", text, {control});
    controls[control].text = text;
}

void platform::enableControl(Control control, bool enabled)
{
    record("enableControl", {}, {control, enabled});
    controls[control].enabled = enabled;
}

bool platform::isControlEnabled(Control control)
{
    return controls[control].enabled;
}

void platform::showControl(Control control)
{
    record("showControl", {}, {control});
    controls[control].shown = true;
}

void platform::hideControl(Control control)
{
    record("hideControl", {}, {control});
    controls[control].shown = false;
}

void platform::focusMainWindow()
{
    record("focusMainWindow");
}

// ---- repainting and drawing ----

void platform::invalidate(const Rect* rect)
{
    if (rect)
        record("invalidate", {}, {rect->left, rect->top, rect->right, rect->bottom});
    else
        record("invalidate", "whole");
}

bool platform::loadPicture(Picture picture, const char* path)
{
    record("loadPicture", path, {picture});
    return !pictureFails[picture];
}

void platform::beginPaint()
{
    record("beginPaint");
}

void platform::endPaint()
{
    record("endPaint");
}

void platform::drawPicture(Picture picture, int x, int y, int w, int h)
{
    record("drawPicture", {}, {picture, x, y, w, h});
}

void platform::blendPicture(Picture picture, int x, int y, int w, int h, int alpha)
{
    record("blendPicture", {}, {picture, x, y, w, h, alpha});
}

void platform::drawLine(Pen pen, int x1, int y1, int x2, int y2)
{
    record("drawLine", {}, {pen, x1, y1, x2, y2});
}

void platform::drawIcon(Icon icon, int x, int y)
{
    record("drawIcon", {}, {icon, x, y});
}

void platform::drawText(Font font, const char* text, const Rect& rect, TextLayout layout)
{
    record("drawText", text, {font, rect.left, rect.top, rect.right, rect.bottom, layout});
}

// ---- sound, time, dialogs ----

void platform::sendMusicCommand(const char* command, bool notify)
{
    record("sendMusicCommand", command, {notify});
}

void platform::playWave(int effect, const unsigned char* wave)
{
    record("playWave", {}, {effect, wave != nullptr});
}

void platform::pause(int milliseconds)
{
    record("pause", {}, {milliseconds});
}

void platform::messageBox(const char* text, const char* caption, BoxOwner owner)
{
    record("messageBox", std::string(caption) + "|" + text, {owner});
}

uint64_t platform::currentFileTime()
{
    return now;
}

void setFakeNow(uint64_t fileTime)
{
    now = fileTime;
}

// ---- files and digest ----

void addFakeFile(const std::string& path, const FakeFile& file)
{
    files[path] = file;
}

void removeFakeFile(const std::string& path)
{
    files.erase(path);
}

static const FakeFile* fileOf(FileRef file)
{
    if (file <= 0 || static_cast<size_t>(file) > handles.size() || !handles[file - 1].open)
        return nullptr;
    auto it = files.find(handles[file - 1].path);
    return it == files.end() ? nullptr : &it->second;
}

FileRef platform::fileOpen(const char* path, FileShare share)
{
    record("fileOpen", path, {share});
    auto it = files.find(path);
    if (it == files.end() || it->second.locked)
        return noFile;
    handles.push_back(OpenFile{path, true});
    return static_cast<FileRef>(handles.size());
}

bool platform::fileLastWriteTime(FileRef file, uint64_t* fileTime)
{
    record("fileLastWriteTime");
    const FakeFile* f = fileOf(file);
    if (!f || f->timeUnreadable)
        return false;
    *fileTime = f->lastWrite;
    return true;
}

bool platform::fileSize32(FileRef file, uint32_t* size)
{
    record("fileSize32");
    const FakeFile* f = fileOf(file);
    if (!f || f->tooLarge)
        return false;
    *size = static_cast<uint32_t>(f->contents.size());
    return true;
}

bool platform::fileReadAll(FileRef file, void* buffer, uint32_t size)
{
    record("fileReadAll", {}, {size});
    const FakeFile* f = fileOf(file);
    if (!f || f->readFails || f->contents.size() != size)
        return false;
    std::memcpy(buffer, f->contents.data(), size);
    return true;
}

void platform::fileClose(FileRef file)
{
    record("fileClose");
    if (file > 0 && static_cast<size_t>(file) <= handles.size())
        handles[file - 1].open = false;
}

int openFileCount()
{
    int count = 0;
    for (const OpenFile& h : handles)
        count += h.open ? 1 : 0;
    return count;
}

void scriptDigest(const unsigned char digest[16])
{
    std::memcpy(scriptedDigest, digest, 16);
    digestScripted = true;
}

void clearScriptedDigest()
{
    digestScripted = false;
}

void failDigest(bool fail)
{
    digestFails = fail;
}

bool platform::md5Digest(const unsigned char* bytes, size_t length, unsigned char digest[16])
{
    record("md5Digest", {}, {static_cast<int64_t>(length)});
    if (digestFails)
        return false;
    if (digestScripted) {
        std::memcpy(digest, scriptedDigest, 16);
        return true;
    }
    unsigned int size = 0;
    return EVP_Digest(bytes, length, digest, &size, EVP_md5(), nullptr) == 1 && size == 16;
}

// ---- the White Arrow's window verbs ----

void scriptWindowAtPoint(WindowRef window)
{
    windowAtPoint = window;
}

void scriptWindowExe(WindowRef window, const std::string& path)
{
    windowExes[window] = path;
}

WindowRef platform::windowAtClientPoint(int x, int y)
{
    record("windowAtClientPoint", {}, {x, y});
    return windowAtPoint;
}

bool platform::isMainWindow(WindowRef window)
{
    return window == fakeMainWindow;
}

bool platform::exePathOfWindow(WindowRef window, char path[260])
{
    record("exePathOfWindow", {}, {static_cast<int64_t>(window)});
    auto it = windowExes.find(window);
    if (it == windowExes.end() || it->second.size() >= 260)
        return false;
    std::memcpy(path, it->second.c_str(), it->second.size() + 1);
    return true;
}

void platform::captureMouse()
{
    record("captureMouse");
    captured = true;
}

void platform::releaseMouse()
{
    record("releaseMouse");
    captured = false;
}

void platform::setCursorShape(CursorShape shape)
{
    record("setCursorShape", {}, {shape});
    cursor = shape;
    cursorSet = true;
}

void platform::captureIcon(const char* path, Icon slot)
{
    record("captureIcon", path, {slot});
    iconFilled[slot] = true;
}

void platform::destroyCapturedIcons()
{
    record("destroyCapturedIcons");
    iconFilled[HeroIcon] = false;
    iconFilled[SecondIcon] = false;
}

void failPictureLoad(Picture picture)
{
    pictureFails[picture] = true;
}

bool mouseCaptured()
{
    return captured;
}

CursorShape lastCursor()
{
    return cursor;
}

bool cursorWasSet()
{
    return cursorSet;
}

bool iconSlotFilled(Icon slot)
{
    return iconFilled[slot];
}

// Days from 1601-01-01 to the date (proleptic Gregorian calendar).
static int64_t daysSince1601(int year, int month, int day)
{
    int64_t y = year - (month <= 2 ? 1 : 0);
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t mp = (month + 9) % 12;
    int64_t doy = (153 * mp + 2) / 5 + day - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    int64_t daysSince1970 = era * 146097 + doe - 719468;
    return daysSince1970 + 134774;  // 1601-01-01 to 1970-01-01
}

uint64_t fileTimeOf(int year, int month, int day, int hour)
{
    int64_t seconds = daysSince1601(year, month, day) * 86400 + hour * 3600;
    return static_cast<uint64_t>(seconds) * 10000000u;
}
