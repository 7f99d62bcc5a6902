// The rules' Shift_JIS texts as UTF-8 for the widgets and the painter.
#include "shell/gtk/native.h"
#include "shell/posix/sjis_text.h"

std::string utf8Of(const char* sjis)
{
    return sjis ? sjisToUtf8(sjis) : std::string();
}
