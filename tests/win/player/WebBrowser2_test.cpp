#include "player/WebBrowser2.h"

#include "framework/Dialog.h"
#include "tests/win/player/FakeBrowserControl.h"
#include "tests/win/support/StandInTest.h"

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int kBrowserId = 1003;
constexpr ULONGLONG kLongestWaitMs = 10000;

// Runs this thread's messages until done() holds or the wait runs out, and
// returns done()'s last answer. The browser works through posted messages, so
// nothing it starts finishes without a message loop.
bool PumpUntil(const std::function<bool()>& done)
{
    const ULONGLONG deadline = GetTickCount64() + kLongestWaitMs;
    for (;;)
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)),
                                  QS_ALLINPUT);
    }
}

bool Logged(const std::string& line)
{
    const std::vector<std::string> log = StandIn::Log();
    return std::find(log.begin(), log.end(), line) != log.end();
}

bool WaitForRequest(const std::string& line)
{
    return PumpUntil([&] { return Logged(line); });
}

// The control's window, placed in its placeholder's client coordinates.
RECT ControlPlace(HWND hPlaceholder)
{
    RECT rc = {};
    HWND hControl = GetWindow(hPlaceholder, GW_CHILD);
    if (!hControl)
        return rc;
    GetWindowRect(hControl, &rc);
    MapWindowPoints(nullptr, hPlaceholder, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

RECT ClientRect(HWND hWnd)
{
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    return rc;
}

::testing::AssertionResult SameRect(const RECT& expected, const RECT& actual)
{
    if (EqualRect(&expected, &actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected {" << expected.left << ", " << expected.top << ", "
                                         << expected.right << ", " << expected.bottom << "}, got {" << actual.left
                                         << ", " << actual.top << ", " << actual.right << ", " << actual.bottom << "}";
}

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

// Top-level windows of this thread, hidden ones included.
int CountThreadWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

const char* HostClass()
{
    static const ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "stel7.BrowserTestHost";
        return RegisterClassA(&wc);
    }();
    return atom ? "stel7.BrowserTestHost" : "Static";
}

// A top-level window holding a "Static" placeholder, as a dialog template
// makes the browser's place. Hidden unless asked: under Wine on a display
// without a window manager, taking a shown window down costs two seconds.
class Host
{
public:
    explicit Host(SIZE placeholder = {320, 215}, bool visible = false)
    {
        const DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
        hWnd_ = CreateWindowExA(0, HostClass(), "stel7 browser test", style, 0, 0, 900, 600, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        if (hWnd_)
            hPlaceholder_ = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, placeholder.cx,
                                            placeholder.cy, hWnd_,
                                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kBrowserId)),
                                            GetModuleHandleA(nullptr), nullptr);
        frame_.SubclassWindow(hWnd_);
    }
    ~Host() { Destroy(); }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Binds the placeholder to the browser object the way a dialog's data
    // exchange does.
    void Bind(CWebBrowser2& browser)
    {
        CDataExchange dx(&frame_, FALSE);
        DDX_Control(&dx, kBrowserId, browser);
    }

    void Destroy()
    {
        if (hWnd_ && IsWindow(hWnd_))
            DestroyWindow(hWnd_);
        hWnd_ = nullptr;
        hPlaceholder_ = nullptr;
    }

    HWND Window() const { return hWnd_; }
    HWND Placeholder() const { return hPlaceholder_; }
    CWnd& Frame() { return frame_; }

private:
    HWND hWnd_ = nullptr;
    HWND hPlaceholder_ = nullptr;
    CWnd frame_;
};

class OleThread
{
public:
    OleThread() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleThread()
    {
        if (initialised_)
            OleUninitialize();
    }
    OleThread(const OleThread&) = delete;
    OleThread& operator=(const OleThread&) = delete;
    bool Initialised() const { return initialised_; }

private:
    bool initialised_;
};

class WebBrowser2Test : public StandInTest
{
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        ASSERT_TRUE(ole_.Initialised());
    }

    // Proves that nothing before it reached the server: a hosted browser
    // navigates to a marker page, and once the marker arrives the log must
    // hold it alone (browsers start their requests from this thread's message
    // queue, so an earlier navigation would have been sent first).
    void ExpectNothingElseRequested()
    {
        Host host;
        CWebBrowser2 browser;
        host.Bind(browser);
        ASSERT_TRUE(browser.HasControl());
        browser.Navigate(StandIn::Url("/v/marker").c_str());
        ASSERT_TRUE(WaitForRequest("GET /v/marker"));
        EXPECT_EQ(std::vector<std::string>{"GET /v/marker"}, StandIn::Log());
    }

private:
    OleThread ole_;
};

struct PlayerCase
{
    const char* name;
    const char* target;  // path and query, as the server must receive them
};

// The player addresses the program navigates to, query written the way the
// service has always been asked ("&amp;" included, ';' separators).
const PlayerCase kPlayerCases[] = {
    {"video", "/v/abc123?version=3&amp;autohide=1;autoplay=1;showinfo=0"},
    {"music", "/v/Xy-9_z?version=3&amp;autohide=1;autoplay=1"},
    {"no_query", "/v/abc123"},
};

void PrintTo(const PlayerCase& c, std::ostream* os)
{
    *os << c.name;
}

class WebBrowser2NavigateTest : public WebBrowser2Test, public ::testing::WithParamInterface<PlayerCase>
{
};

TEST_P(WebBrowser2NavigateTest, RequestReachesServerExactlyAndLocationReadsBack)
{
    Host host;
    CWebBrowser2 browser;
    host.Bind(browser);
    ASSERT_TRUE(browser.HasControl());

    const std::string url = StandIn::Url(GetParam().target);
    browser.Navigate(url.c_str());

    ASSERT_TRUE(WaitForRequest(std::string("GET ") + GetParam().target)) << "log has " << StandIn::Log().size()
                                                                          << " lines";
    EXPECT_STREQ(url.c_str(), browser.GetLocationURL());
}

INSTANTIATE_TEST_SUITE_P(Players, WebBrowser2NavigateTest, ::testing::ValuesIn(kPlayerCases),
                         [](const ::testing::TestParamInfo<PlayerCase>& info) { return info.param.name; });

TEST_F(WebBrowser2Test, ControlLivesInsidePlaceholderAndFillsIt)
{
    Host host({200, 100}, true);
    CWebBrowser2 browser;
    host.Bind(browser);
    ASSERT_TRUE(browser.HasControl());
    ASSERT_EQ(host.Placeholder(), browser.GetSafeHwnd());

    HWND hControl = GetWindow(host.Placeholder(), GW_CHILD);
    ASSERT_NE(nullptr, hControl);
    EXPECT_EQ(host.Placeholder(), GetParent(hControl));
    EXPECT_TRUE(IsWindowVisible(hControl));
    EXPECT_TRUE(SameRect(RECT{0, 0, 200, 100}, ControlPlace(host.Placeholder())));
    // The placeholder must not paint over the control.
    EXPECT_TRUE(GetWindowLongA(host.Placeholder(), GWL_STYLE) & WS_CLIPCHILDREN);
}

TEST_F(WebBrowser2Test, ControlFollowsEveryResizeOfPlaceholder)
{
    Host host;
    CWebBrowser2 browser;
    host.Bind(browser);
    ASSERT_TRUE(browser.HasControl());

    // Grow, shrink to the hidden music player's size, down to nothing and back.
    const SIZE sizes[] = {{800, 478}, {10, 10}, {1, 1}, {0, 0}, {786, 444}, {320, 215}};
    for (const SIZE& size : sizes)
    {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        browser.MoveWindow(-2, -2, size.cx, size.cy);
        EXPECT_TRUE(SameRect(RECT{0, 0, size.cx, size.cy}, ControlPlace(host.Placeholder())));
    }
}

TEST_F(WebBrowser2Test, AboutBlankReplacesPlayingPageWithoutRequest)
{
    Host host;
    CWebBrowser2 browser;
    host.Bind(browser);
    ASSERT_TRUE(browser.HasControl());
    browser.Navigate(StandIn::Url("/v/abc123?autoplay=1").c_str());
    ASSERT_TRUE(WaitForRequest("GET /v/abc123?autoplay=1"));
    ASSERT_TRUE(StandIn::ClearLog());

    browser.Navigate("about:blank");

    EXPECT_TRUE(PumpUntil([&] { return browser.GetLocationURL() == "about:blank"; }))
        << "location is " << browser.GetLocationURL().GetString();
    ExpectNothingElseRequested();
}

TEST_F(WebBrowser2Test, CreateMakesPlaceholderWithGivenPlaceStyleAndId)
{
    constexpr int kCreatedId = 1037;
    Host host;
    CWebBrowser2 browser;

    ASSERT_TRUE(browser.Create("", WS_VISIBLE | WS_TABSTOP, RECT{10, 20, 330, 235}, &host.Frame(), kCreatedId));

    EXPECT_EQ(browser.GetSafeHwnd(), GetDlgItem(host.Window(), kCreatedId));
    const LONG style = GetWindowLongA(browser, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & WS_TABSTOP);
    RECT place = {};
    GetWindowRect(browser, &place);
    MapWindowPoints(nullptr, host.Window(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_TRUE(SameRect(RECT{10, 20, 330, 235}, place));
    ASSERT_TRUE(browser.HasControl());
    EXPECT_TRUE(SameRect(RECT{0, 0, 320, 215}, ControlPlace(browser)));

    browser.Navigate(StandIn::Url("/v/created").c_str());
    EXPECT_TRUE(WaitForRequest("GET /v/created"));
}

TEST_F(WebBrowser2Test, CreateRefusesMissingParentAndSecondWindow)
{
    CWebBrowser2 orphan;
    EXPECT_FALSE(orphan.Create("", WS_VISIBLE, RECT{0, 0, 10, 10}, nullptr, kBrowserId));
    EXPECT_EQ(nullptr, orphan.GetSafeHwnd());
    EXPECT_FALSE(orphan.HasControl());

    Host host;
    CWnd unattached;
    EXPECT_FALSE(orphan.Create("", WS_VISIBLE, RECT{0, 0, 10, 10}, &unattached, kBrowserId));
    EXPECT_EQ(nullptr, orphan.GetSafeHwnd());

    CWebBrowser2 browser;
    host.Bind(browser);
    const HWND bound = browser.GetSafeHwnd();
    EXPECT_FALSE(browser.Create("", WS_VISIBLE, RECT{0, 0, 10, 10}, &host.Frame(), kBrowserId + 1));
    EXPECT_EQ(bound, browser.GetSafeHwnd());
    EXPECT_EQ(nullptr, GetDlgItem(host.Window(), kBrowserId + 1));
}

TEST_F(WebBrowser2Test, NavigateWithoutWindowDoesNothing)
{
    CWebBrowser2 browser;
    EXPECT_FALSE(browser.HasControl());

    browser.Navigate(StandIn::Url("/v/nowindow").c_str());

    EXPECT_TRUE(browser.GetLocationURL().IsEmpty());
    ExpectNothingElseRequested();
}

struct FailureCase
{
    const char* name;
    FakeFailure failure;
    bool siteGiven;   // the control accepted a client site, which must be taken back
    bool activated;   // the control asked the in-place site for its window context
    bool inPlace;     // the control was active in place, so it must be deactivated
};

const FailureCase kFailureCases[] = {
    {"creation", FakeFailure::Creation, false, false, false},
    {"client_site", FakeFailure::ClientSite, false, false, false},
    {"activation", FakeFailure::Activation, true, true, false},
    {"in_place_object", FakeFailure::InPlaceObject, true, true, false},
    {"automation", FakeFailure::Automation, true, true, true},
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class WebBrowser2FailureTest : public WebBrowser2Test, public ::testing::WithParamInterface<FailureCase>
{
};

// Every way hosting can fail leaves an ordinary placeholder that sizes,
// ignores navigation and goes away, and keeps nothing of the control.
TEST_P(WebBrowser2FailureTest, PlaceholderSurvivesAndControlIsLetGo)
{
    const FailureCase& c = GetParam();
    FakeBrowserControl fake(c.failure);
    ASSERT_TRUE(fake.Registered());
    const FakeControlLog& log = FakeBrowserControl::Log();
    Host host({200, 100});
    CWebBrowser2 browser;

    host.Bind(browser);

    EXPECT_FALSE(browser.HasControl());
    EXPECT_EQ(c.failure != FakeFailure::Creation, log.created);
    EXPECT_EQ(0, log.refs) << "references to the control kept";
    EXPECT_FALSE(log.siteHeld) << "client site never taken back";
    EXPECT_EQ(c.siteGiven, log.siteTakenBack);
    EXPECT_EQ(c.inPlace, log.deactivated);
    if (c.activated)
    {
        EXPECT_TRUE(log.askedSite);
        EXPECT_EQ(host.Placeholder(), log.siteWindow);
        EXPECT_TRUE(SameRect(RECT{0, 0, 200, 100}, log.posRect));
        EXPECT_EQ(host.Window(), log.frameWindow);
    }

    EXPECT_EQ(host.Placeholder(), browser.GetSafeHwnd());
    EXPECT_EQ(nullptr, GetWindow(host.Placeholder(), GW_CHILD));
    browser.Navigate(StandIn::Url("/v/nocontrol").c_str());
    EXPECT_TRUE(browser.GetLocationURL().IsEmpty());
    browser.MoveWindow(0, 0, 123, 45);
    EXPECT_TRUE(SameRect(RECT{0, 0, 123, 45}, ClientRect(host.Placeholder())));
    host.Destroy();
    EXPECT_EQ(nullptr, browser.GetSafeHwnd());
    EXPECT_EQ(0, log.refs);
}

INSTANTIATE_TEST_SUITE_P(Hosting, WebBrowser2FailureTest, ::testing::ValuesIn(kFailureCases),
                         [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(WebBrowser2Test, ObjectGoingFirstTakesControlAndLeavesPlaceholder)
{
    Host host;
    {
        CWebBrowser2 browser;
        host.Bind(browser);
        ASSERT_TRUE(browser.HasControl());
        ASSERT_NE(nullptr, GetWindow(host.Placeholder(), GW_CHILD));
    }
    EXPECT_EQ(nullptr, GetWindow(host.Placeholder(), GW_CHILD));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(host.Placeholder()));
    // The placeholder still answers its own messages.
    MoveWindow(host.Placeholder(), 0, 0, 50, 40, TRUE);
    EXPECT_TRUE(SameRect(RECT{0, 0, 50, 40}, ClientRect(host.Placeholder())));
}

// A video window is closed and opened again while the object stays with the
// main window: the object must host a fresh control in the new placeholder.
TEST_F(WebBrowser2Test, ObjectHostsAgainAfterItsWindowIsDestroyed)
{
    CWebBrowser2 browser;
    {
        Host first;
        first.Bind(browser);
        ASSERT_TRUE(browser.HasControl());
    }
    EXPECT_FALSE(browser.HasControl());
    EXPECT_EQ(nullptr, browser.GetSafeHwnd());

    Host second;
    second.Bind(browser);
    ASSERT_TRUE(browser.HasControl());
    EXPECT_EQ(second.Placeholder(), browser.GetSafeHwnd());
    browser.Navigate(StandIn::Url("/v/again").c_str());
    EXPECT_TRUE(WaitForRequest("GET /v/again"));
}

// Closing the video window while its page still loads, over and over: every
// control goes with its window and leaves no window of its own behind.
TEST_F(WebBrowser2Test, DestroyMidNavigationRepeatedly)
{
    constexpr int kRounds = 50;
    ASSERT_TRUE(StandIn::SetFault("/v/loading", "slow", 1));
    int windowsAfterFirst = 0;
    for (int round = 0; round < kRounds; ++round)
    {
        SCOPED_TRACE(testing::Message() << "round " << round);
        Host host;
        CWebBrowser2 browser;
        host.Bind(browser);
        ASSERT_TRUE(browser.HasControl());
        const std::string target = "/v/loading?round=" + std::to_string(round);
        browser.Navigate(StandIn::Url(target).c_str());
        ASSERT_TRUE(WaitForRequest("GET " + target));

        host.Destroy();

        EXPECT_FALSE(browser.HasControl());
        EXPECT_EQ(nullptr, browser.GetSafeHwnd());
        if (round == 0)
            windowsAfterFirst = CountThreadWindows();
    }
    EXPECT_TRUE(PumpUntil([&] { return CountThreadWindows() <= windowsAfterFirst; }))
        << CountThreadWindows() << " windows, " << windowsAfterFirst << " after the first round";
}

}  // namespace
