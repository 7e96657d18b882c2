#include "feeds/Deadline.h"

#include "tests/win/support/WinEvent.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace {

constexpr unsigned kGenerousMs = 10000;
constexpr UINT kSentMessage = WM_APP + 1;
constexpr UINT kPostedMessage = WM_APP + 2;
constexpr LRESULT kSentAnswer = 42;

// A message-only window of the test's thread that counts what reaches it.
class CountingWindow
{
public:
    CountingWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                                  this);
    }
    ~CountingWindow() { DestroyWindow(window_); }
    CountingWindow(const CountingWindow&) = delete;
    CountingWindow& operator=(const CountingWindow&) = delete;

    HWND Get() const { return window_; }
    int sent = 0;
    int posted = 0;

private:
    static constexpr const wchar_t* kClassName = L"stel7DeadlineTestWindow";

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
        {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<CountingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == kSentMessage)
        {
            ++self->sent;
            return kSentAnswer;
        }
        if (self && message == kPostedMessage)
        {
            ++self->posted;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

TEST(RunWithDeadline, WorkThatReturnsInTimeIsReportedAndItsResultIsThere)
{
    const auto value = std::make_shared<int>(0);
    EXPECT_TRUE(RunWithDeadline([value] { *value = 7; }, kGenerousMs));
    EXPECT_EQ(7, *value);
}

TEST(RunWithDeadline, WorkStillBlockedAtTheDeadlineIsAbandonedAndFinishesLater)
{
    const auto release = std::make_shared<WinEvent>();
    const auto finished = std::make_shared<WinEvent>();
    const auto reachedTheEnd = std::make_shared<std::atomic<bool>>(false);

    EXPECT_FALSE(RunWithDeadline(
        [release, finished, reachedTheEnd] {
            release->WaitMs(INFINITE);
            reachedTheEnd->store(true);
            finished->Set();
        },
        100));

    // The caller is back while the work still waits; the work then runs to
    // its end on state it shares, not on the caller's stack.
    EXPECT_FALSE(reachedTheEnd->load());
    release->Set();
    ASSERT_TRUE(finished->WaitMs(kGenerousMs));
    EXPECT_TRUE(reachedTheEnd->load());
}

TEST(RunWithDeadline, WorkThatThrowsDoesNotCountAsFinished)
{
    EXPECT_FALSE(RunWithDeadline([] { throw std::runtime_error("no"); }, kGenerousMs));
}

TEST(RunWithDeadline, MissingWorkDoesNotCountAsFinished)
{
    EXPECT_FALSE(RunWithDeadline(std::function<void()>(), kGenerousMs));
}

TEST(RunWithDeadline, MessagesSentToTheWaitingThreadAreAnswered)
{
    CountingWindow window;
    ASSERT_NE(nullptr, window.Get());
    const HWND target = window.Get();
    const auto answer = std::make_shared<LRESULT>(0);

    // Without answering, the worker's send would wait for the caller and the
    // caller for the worker until the deadline.
    EXPECT_TRUE(RunWithDeadline([target, answer] { *answer = SendMessageW(target, kSentMessage, 0, 0); }, kGenerousMs));
    EXPECT_EQ(kSentAnswer, *answer);
    EXPECT_EQ(1, window.sent);
}

TEST(RunWithDeadline, PostedMessagesWaitUntilTheCallerIsBack)
{
    CountingWindow window;
    ASSERT_NE(nullptr, window.Get());
    const HWND target = window.Get();

    // The send after the post makes the wait deliver messages while the
    // posted one is queued.
    EXPECT_TRUE(RunWithDeadline(
        [target] {
            PostMessageW(target, kPostedMessage, 0, 0);
            SendMessageW(target, kSentMessage, 0, 0);
        },
        kGenerousMs));
    EXPECT_EQ(1, window.sent);
    EXPECT_EQ(0, window.posted);

    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, target, kPostedMessage, kPostedMessage, PM_REMOVE));
    DispatchMessageW(&message);
    EXPECT_EQ(1, window.posted);
}

TEST(WaitAnsweringSentMessages, SignalledEventEndsTheWaitAndAnUnsignalledOneTimesOut)
{
    WinEvent event;
    EXPECT_FALSE(WaitAnsweringSentMessages(event.Get(), 0));
    EXPECT_FALSE(WaitAnsweringSentMessages(event.Get(), 50));
    event.Set();
    EXPECT_TRUE(WaitAnsweringSentMessages(event.Get(), 0));
    EXPECT_TRUE(WaitAnsweringSentMessages(event.Get(), INFINITE));
}

}  // namespace
