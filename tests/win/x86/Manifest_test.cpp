// The program's manifest asks for the x86 Common Controls 6. This test program
// links the program's resources, so its process gets the same activation context.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

TEST(ManifestTest, CommonControlsComeFromTheX86SideBySideAssemblyItNames)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&icc));
    char path[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetModuleFileNameA(::GetModuleHandleA("comctl32.dll"), path, MAX_PATH));
    std::string lower(path);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(std::string::npos, lower.find("\\winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6."))
        << path;
}

}  // namespace
