// The user's diagnostic log: one line per failure, under the local
// application data, capped and rotated.
#include "framework/DiagnosticLog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string Contents(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A full log is rotated to ".1" and neither file grows past the cap.
TEST(DiagnosticLogTest, EachFailureIsOneLineUnderTheLocalApplicationDataAndTheLogIsCappedAndRotated)
{
    OpenDiagnosticLog("stel7test", "diagnostic.log");
    const std::string path = DiagnosticLogPath();
    ::DeleteFileA(path.c_str());
    ::DeleteFileA((path + ".1").c_str());
    char szLocal[MAX_PATH] = {};
    ::GetEnvironmentVariableA("LOCALAPPDATA", szLocal, sizeof(szLocal));
    EXPECT_EQ(std::string(szLocal) + "\\stel7test\\diagnostic.log", path);
    LogDiagnostic("fetch http://a/b: no answer");
    LogDiagnostic("two\r\nlines");
    const std::string text = Contents(path);
    EXPECT_NE(std::string::npos, text.find(" fetch http://a/b: no answer\r\n"));
    EXPECT_NE(std::string::npos, text.find(" two  lines\r\n"));
    EXPECT_EQ(2, std::count(text.begin(), text.end(), '\n'));

    const std::string what(1000, 'x');
    for (unsigned long i = 0; i < 3 * kDiagnosticLogCap / 1000; ++i) LogDiagnostic(what);
    const std::string older = Contents(path + ".1");
    EXPECT_LE(Contents(path).size(), kDiagnosticLogCap);
    EXPECT_LE(older.size(), kDiagnosticLogCap);
    EXPECT_GT(older.size(), kDiagnosticLogCap - 2000);
}

}  // namespace
