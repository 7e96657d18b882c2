// The user's diagnostic log: one line per failure, under the local
// application data, capped and rotated.
#include "framework/DiagnosticLog.h"

#include <windows.h>

#include <gtest/gtest.h>

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

class DiagnosticLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenDiagnosticLog("stel7test", "diagnostic.log");
        m_strPath = DiagnosticLogPath();
        ASSERT_FALSE(m_strPath.empty());
        ::DeleteFileA(m_strPath.c_str());
        ::DeleteFileA((m_strPath + ".1").c_str());
    }
    std::string m_strPath;
};

TEST_F(DiagnosticLogTest, EachFailureIsOneLineUnderTheLocalApplicationData)
{
    char szLocal[MAX_PATH] = {};
    ::GetEnvironmentVariableA("LOCALAPPDATA", szLocal, sizeof(szLocal));
    EXPECT_EQ(std::string(szLocal) + "\\stel7test\\diagnostic.log", m_strPath);
    LogDiagnostic("fetch http://a/b: no answer");
    LogDiagnostic("two\r\nlines");
    const std::string text = Contents(m_strPath);
    EXPECT_NE(std::string::npos, text.find(" fetch http://a/b: no answer\r\n"));
    EXPECT_NE(std::string::npos, text.find(" two  lines\r\n"));
    size_t lines = 0;
    for (char ch : text) lines += ch == '\n';
    EXPECT_EQ(2u, lines);
}

TEST_F(DiagnosticLogTest, AFullLogIsRotatedAndNeverGrowsPastItsCap)
{
    const std::string what(1000, 'x');
    for (unsigned long i = 0; i < 3 * kDiagnosticLogCap / 1000; ++i) LogDiagnostic(what);
    const std::string current = Contents(m_strPath);
    const std::string older = Contents(m_strPath + ".1");
    EXPECT_LE(current.size(), kDiagnosticLogCap);
    EXPECT_LE(older.size(), kDiagnosticLogCap);
    EXPECT_GT(older.size(), kDiagnosticLogCap - 2000);
}

}  // namespace
