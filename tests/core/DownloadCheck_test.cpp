#include "core/DownloadCheck.h"

#include <gtest/gtest.h>

using core::DownloadVerdict;

TEST(DownloadCheck, OnlyACompleteAnswerOfTheAnnouncedLengthIsGood)
{
    struct Case {
        const char* name;
        core::DownloadFacts facts;
        DownloadVerdict verdict;
    } cases[] = {
        {"stored in full", {true, 200, 1000, 1000}, DownloadVerdict::Good},
        {"no length announced", {true, 200, 1000, 0}, DownloadVerdict::Good},
        {"no HTTP status", {true, 0, 1000, 1000}, DownloadVerdict::Good},
        {"redirect followed", {true, 399, 1000, 1000}, DownloadVerdict::Good},
        {"deadline or cancel", {false, 200, 1000, 1000}, DownloadVerdict::Failed},
        {"error page stored", {true, 404, 300, 300}, DownloadVerdict::ErrorStatus},
        {"first error status", {true, 400, 300, 300}, DownloadVerdict::ErrorStatus},
        {"server error", {true, 500, 300, 300}, DownloadVerdict::ErrorStatus},
        {"closed without answer", {true, 0, 0, 0}, DownloadVerdict::Empty},
        {"empty body announced", {true, 200, 0, 0}, DownloadVerdict::Empty},
        {"cut short", {true, 200, 500, 1000}, DownloadVerdict::WrongLength},
        {"longer than announced", {true, 200, 1001, 1000}, DownloadVerdict::WrongLength},
        {"beyond 4 GiB", {true, 200, 0x100000000ull + 1000, 1000}, DownloadVerdict::WrongLength},
    };
    for (const Case& c : cases) EXPECT_EQ(core::CheckDownload(c.facts), c.verdict) << c.name;
}

TEST(DownloadCheck, WindowsProgramStartsWithMZ)
{
    struct Case {
        std::string bytes;
        bool program;
    } cases[] = {
        {std::string("MZ\x90\0", 4), true},
        {"MZ", true},
        {"M", false},
        {"", false},
        {"mz", false},
        {"ZM", false},
        {"<html><title>404", false},
        {std::string("\0MZ", 3), false},
        {"\xEF\xBB\xBFMZ", false},
    };
    for (const Case& c : cases) EXPECT_EQ(core::StartsAsWindowsProgram(c.bytes), c.program) << c.bytes;
}
