// The one bound on every network call: work that outlives its deadline is
// abandoned and finishes later, the waiting thread answers what is sent to its
// windows, and each call gives up on a server that never answers.
#include "feeds/AnalyticsPing.h"
#include "feeds/Deadline.h"
#include "feeds/UrlDownload.h"
#include "feeds/XmlFetch.h"

#include "tests/win/support/StandInTest.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>

namespace {

constexpr unsigned kGenerousMs = 10000;
constexpr UINT kSentMessage = WM_APP + 1;
constexpr UINT kPostedMessage = WM_APP + 2;

// Counts the sent messages that reach a message-only window of the test's thread.
int g_sent = 0;

LRESULT CALLBACK Counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_sent += message == kSentMessage;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(RunWithDeadline, WorkStillBlockedAtTheDeadlineIsAbandonedAndFinishesLater)
{
    const auto value = std::make_shared<int>(0);
    EXPECT_TRUE(RunWithDeadline([value] { *value = 7; }, kGenerousMs));
    EXPECT_EQ(7, *value);

    std::promise<void> release;
    const auto finished = std::make_shared<std::promise<void>>();
    std::future<void> done = finished->get_future();
    EXPECT_FALSE(RunWithDeadline(
        [released = release.get_future().share(), finished] {
            released.wait();
            finished->set_value();
        },
        100));
    // The caller is back while the work still waits on state it shares.
    EXPECT_EQ(std::future_status::timeout, done.wait_for(std::chrono::milliseconds(0)));
    release.set_value();
    EXPECT_EQ(std::future_status::ready, done.wait_for(std::chrono::milliseconds(kGenerousMs)));
}

// Without answering, the worker's send would wait for the caller and the
// caller for the worker until the deadline; posted messages wait for the caller.
TEST(RunWithDeadline, SentMessagesAreAnsweredWhilePostedOnesWait)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Counting;
    windowClass.lpszClassName = L"stel7DeadlineTest";
    RegisterClassW(&windowClass);
    const HWND target = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        nullptr, nullptr);
    ASSERT_NE(nullptr, target);
    EXPECT_TRUE(RunWithDeadline(
        [target] {
            PostMessageW(target, kPostedMessage, 0, 0);
            SendMessageW(target, kSentMessage, 0, 0);
        },
        kGenerousMs));
    EXPECT_EQ(1, g_sent);
    // The posted message still waits in the queue.
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, target, kPostedMessage, kPostedMessage, PM_REMOVE));
    DestroyWindow(target);
}

class HangingServerTest : public StandInTest
{
};

// The deadline is short so the test stays quick; the allowance covers a
// loaded machine and Wine's thread start-up.
TEST_F(HangingServerTest, EveryCallGivesUpAtItsDeadline)
{
    constexpr unsigned kDeadlineMs = 2000;
    constexpr ULONGLONG kLongestOverrunMs = 3000;
    const std::string path = "/app/stel7/config/music.xml";
    const std::string url = StandIn::Url(path);
    // Each call, and whether it reported success (a ping reports nothing).
    const std::pair<const char*, std::function<bool()>> calls[] = {
        {"ping",
         [&] {
             SendAnalyticsPing(url, kDeadlineMs);
             return false;
         }},
        {"download", [&] { return DownloadUrlToFile(url, "stel7_deadline_test.bin", kDeadlineMs); }},
        {"fetch",
         [&] {
             XmlRequest request;
             request.url = url;
             request.readings = {{"title"}};
             const XmlResult result = FetchXml(request, kDeadlineMs);
             return !result.requestFailed || result.parsed || !result.readings.empty();
         }},
    };
    ASSERT_TRUE(StandIn::SetFault(path, "hang"));
    for (const auto& [name, call] : calls)
    {
        const ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(call()) << name;
        EXPECT_LT(GetTickCount64() - start, kDeadlineMs + kLongestOverrunMs) << name;
    }
    EXPECT_EQ(3u, StandIn::Log().size());
}

}  // namespace
