// The desktop entry behind a native window's portrait: found from the app id
// by the entry's name, in lower case, by the id's last part, or by the
// entry's StartupWMClass, in a data folder of the test's own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "shell/gtk/desktop.h"

TEST(DesktopEntries, TheIconOfAnAppId)
{
    char pattern[] = "/tmp/tavrenne-entries-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string data = pattern;
    std::string applications = data + "/applications";
    ASSERT_EQ(mkdir(applications.c_str(), 0700), 0);
    auto entry = [&](const char* name, const std::string& extra) {
        std::ofstream(applications + "/" + name)
            << "[Desktop Entry]\nType=Application\nName=" << name << "\nExec=true\n" << extra;
    };
    entry("org.example.Quill.desktop", "Icon=quill\n");
    entry("ledger.desktop", "Icon=ledger-icon\n");
    entry("brush-paint.desktop", "Icon=/usr/share/pixmaps/brush.png\nStartupWMClass=Brushy\n");
    // Only the test's folder: glib reads these once, at its first question.
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("XDG_DATA_DIRS", (data + "/none").c_str(), 1);

    EXPECT_EQ(iconNameOfApp("org.example.Quill"), "quill");
    EXPECT_EQ(iconNameOfApp("org.example.Ledger"), "ledger-icon");  // its last part, lower case
    EXPECT_EQ(iconNameOfApp("brushy"), "/usr/share/pixmaps/brush.png");
    EXPECT_EQ(iconNameOfApp("nobody.knows"), "");
    EXPECT_EQ(iconNameOfApp("../applications/ledger"), "");
    EXPECT_EQ(iconNameOfApp(""), "");
    EXPECT_EQ(std::system(("rm -rf " + data).c_str()), 0);
}
