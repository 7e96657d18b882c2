#include "core/DownloadCheck.h"

#include <gtest/gtest.h>

using V = core::DownloadVerdict;

TEST(DownloadCheck, OnlyACompleteAnswerOfTheAnnouncedLengthIsGood)
{
    struct Case {
        const char* name;
        core::DownloadFacts facts;
        V verdict;
    } cases[] = {
        {"stored in full", {true, 200, 1000, 1000}, V::Good}, {"no length announced", {true, 200, 1000, 0}, V::Good},
        {"no HTTP status", {true, 0, 1000, 1000}, V::Good}, {"redirect followed", {true, 399, 1000, 1000}, V::Good},
        {"deadline or cancel", {false, 200, 1000, 1000}, V::Failed},
        {"first error status", {true, 400, 300, 300}, V::ErrorStatus},
        {"server error", {true, 500, 300, 300}, V::ErrorStatus},
        {"closed without answer", {true, 0, 0, 0}, V::Empty}, {"empty body announced", {true, 200, 0, 0}, V::Empty},
        {"cut short", {true, 200, 500, 1000}, V::WrongLength}, {"too long", {true, 200, 1001, 1000}, V::WrongLength},
        {"beyond 4 GiB", {true, 200, 0x100000000ull + 1000, 1000}, V::WrongLength},
        {"at the limit", {true, 200, 1000, 1000, 1000}, V::Good},
        {"past the limit", {true, 200, 1001, 1001, 1000}, V::TooLarge},
    };
    for (const Case& c : cases) EXPECT_EQ(core::CheckDownload(c.facts), c.verdict) << c.name;
}

TEST(DownloadCheck, WindowsProgramStartsWithMZ)
{
    const std::pair<std::string, bool> cases[] = {
        {"MZ", true},  {"M", false}, {"", false}, {"mz", false}, {"<html><title>404", false},
        {std::string("\0MZ", 3), false},
    };
    for (const auto& [bytes, program] : cases) EXPECT_EQ(core::StartsAsWindowsProgram(bytes), program) << bytes;
}
