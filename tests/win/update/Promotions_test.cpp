// The promotion pop-up and toast on the real main window: what the vendor's
// advertising document switches on, where each window shows, that each
// showing is counted once, and that no document or address can do harm.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BuildConfig.h"
#include "app/MainDlg.h"
#include "res/resource.h"
#include "tests/win/app/MainWindowHarness.h"
#include "tests/win/support/StandInTest.h"
#include "update/PopupDlg.h"
#include "update/ToastDlg.h"

namespace {

const char kAdvertPath[] = "/app/stel7/advert/config.xml";
const std::string kPopupCount = "GET /app/stel7/analytics/request/count.php?mode=stel7_popup&key=stel7";
const std::string kToastCount = "GET /app/stel7/analytics/request/count.php?mode=stel7_toast&key=stel7";
const std::string kPopupPage = "/app/stel7/advert/popup.html";
const std::string kToastPage = "/app/stel7/advert/toast.html";

std::string Element(const std::string& tag, const std::string& text)
{
    return "<" + tag + ">" + text + "</" + tag + ">";
}

std::string Advert(const std::string& popupSetting, const std::string& popupUrl, const std::string& toastSetting,
                   const std::string& toastUrl)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><advert><popup>" + Element("popup_setting", popupSetting) +
           Element("popup_url", popupUrl) + "</popup><toast>" + Element("toast_setting", toastSetting) +
           Element("toast_url", toastUrl) + "</toast></advert>";
}

RECT WorkArea()
{
    RECT rc = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

bool Shown(const CWnd* pDlg)
{
    return pDlg && ::IsWindow(pDlg->m_hWnd) && ::IsWindowVisible(pDlg->m_hWnd);
}

bool SwallowsKey(CWnd& dlg, WPARAM key)
{
    MSG msg = {dlg.m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
    return dlg.PreTranslateMessage(&msg) != FALSE;
}

// A toast object that says when it is deleted.
class ProbeToast : public CToastDlg {
public:
    explicit ProbeToast(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~ProbeToast() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

// Refuses to make any dialog window on this thread while it lives.
class DialogVeto {
public:
    DialogVeto() : m_hHook(::SetWindowsHookExA(WH_CBT, &Veto, nullptr, ::GetCurrentThreadId())) {}
    ~DialogVeto()
    {
        if (m_hHook) ::UnhookWindowsHookEx(m_hHook);
    }
    bool Active() const { return m_hHook != nullptr; }

private:
    static LRESULT CALLBACK Veto(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND) {
            const char* pszClass = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass;
            const bool isDialog = IS_INTRESOURCE(pszClass) ? reinterpret_cast<ULONG_PTR>(pszClass) == 0x8002
                                                           : lstrcmpiA(pszClass, "#32770") == 0;
            if (isDialog) return 1;
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    HHOOK m_hHook;
};

class PromotionsTest : public StandInTest {
protected:
    void TearDown() override
    {
        m_harness.Close();
        StandInTest::TearDown();
    }

    // Opens the main window with this advertising document; the log starts empty afterwards.
    void OpenWith(const std::string& document)
    {
        ASSERT_TRUE(StandIn::SetDocument(kAdvertPath, document));
        ASSERT_TRUE(m_harness.Open());
    }
    CMainDlg& Dlg() { return m_harness.Dlg(); }
    size_t Logged(const std::string& request) { return LoggedRequests(request).size(); }
    // Waits for the browser's request of a page.
    bool PageFetched(const std::string& path)
    {
        return PumpUntil([&] { return !LoggedRequests("GET " + path).empty(); }, 10000);
    }

    MainWindowHarness m_harness;
};

TEST_F(PromotionsTest, PopupAtStartUpIsCentredCountedOnceAndHidesWhenClosed)
{
    OpenWith(Advert("true", StandIn::Url(kPopupPage), "false", StandIn::Url(kToastPage)));
    CPopupDlg* pPopup = Dlg().m_pPopupDlg;
    ASSERT_TRUE(Shown(pPopup));
    EXPECT_EQ(1u, Logged(kPopupCount));
    EXPECT_TRUE(PageFetched(kPopupPage));

    RECT rc;
    pPopup->GetWindowRect(&rc);
    EXPECT_EQ(348, rc.right - rc.left);
    EXPECT_EQ(344, rc.bottom - rc.top);
    const RECT work = WorkArea();
    EXPECT_NEAR((work.left + work.right) / 2, (rc.left + rc.right) / 2, 1);
    EXPECT_NEAR((work.top + work.bottom) / 2, (rc.top + rc.bottom) / 2, 1);
    RECT rcBrowser;
    pPopup->m_browser.GetWindowRect(&rcBrowser);
    EXPECT_EQ(348, rcBrowser.right - rcBrowser.left);
    EXPECT_EQ(344, rcBrowser.bottom - rcBrowser.top);

    EXPECT_TRUE(SwallowsKey(*pPopup, VK_ESCAPE));
    EXPECT_TRUE(SwallowsKey(*pPopup, VK_RETURN));
    pPopup->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpFor(100);
    EXPECT_FALSE(pPopup->IsWindowVisible());
    EXPECT_EQ(pPopup, Dlg().m_pPopupDlg);
    EXPECT_TRUE(::IsWindow(pPopup->m_hWnd));

    // The toast is off: hiding to the tray shows nothing.
    Dlg().SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(nullptr, Dlg().m_pToastDlg);
    EXPECT_EQ(0u, Logged(kToastCount));
    EXPECT_EQ(1u, Logged(kPopupCount));
}

TEST_F(PromotionsTest, ToastShowsAtTheCornerAtEveryHideAndItsTimerHidesItEachTime)
{
    OpenWith(Advert("false", StandIn::Url(kPopupPage), "true", StandIn::Url(kToastPage)));
    EXPECT_EQ(nullptr, Dlg().m_pPopupDlg);
    EXPECT_EQ(0u, Logged(kPopupCount));
    const RECT work = WorkArea();
    const RECT corner = {work.right - 358, work.bottom - 354, work.right - 10, work.bottom - 10};

    CToastDlg* pFirst = nullptr;
    for (size_t round = 0; round < 3; ++round) {
        Dlg().SendMessage(WM_COMMAND, ID_TRAY_OPEN, 0);
        // By the close box, then by the tray command.
        if (round == 1) {
            Dlg().SendMessage(WM_COMMAND, ID_FILE_TRAY, 0);
        } else {
            Dlg().SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        CToastDlg* pToast = Dlg().m_pToastDlg;
        ASSERT_TRUE(Shown(pToast)) << round;
        if (!pFirst) pFirst = pToast;
        EXPECT_EQ(pFirst, pToast) << "one toast, reused";
        EXPECT_EQ(round + 1, Logged(kToastCount));
        RECT rc;
        pToast->GetWindowRect(&rc);
        EXPECT_TRUE(::EqualRect(&corner, &rc)) << round << ": " << rc.left << ", " << rc.top;
        EXPECT_TRUE(::GetWindowLongA(pToast->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) << round;

        // Every showing runs its own hiding timer.
        ASSERT_TRUE(::KillTimer(pToast->m_hWnd, 1)) << round;
        if (round < 2) {
            pToast->SendMessage(WM_TIMER, 1, 0);
            EXPECT_FALSE(pToast->IsWindowVisible()) << round;
        } else {
            pToast->SendMessage(WM_TIMER, 2, 0);
            EXPECT_TRUE(pToast->IsWindowVisible()) << "another timer hides nothing";
            EXPECT_TRUE(SwallowsKey(*pToast, VK_ESCAPE));
            EXPECT_TRUE(SwallowsKey(*pToast, VK_RETURN));
            pToast->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_FALSE(pToast->IsWindowVisible());
            EXPECT_TRUE(::IsWindow(pToast->m_hWnd));
        }
    }
    EXPECT_TRUE(PageFetched(kToastPage));
}

TEST_F(PromotionsTest, OnlyAWebAddressIsShownAndCounted)
{
    OpenWith(Advert("false", "", "false", ""));
    std::string upperCase = StandIn::Url(kToastPage);
    upperCase.replace(0, 4, "HTTP");
    const struct {
        std::string address;
        bool shown;
    } cases[] = {
        {"javascript:alert(1)", false},
        {"file:///C:/windows/win.ini", false},
        {"C:\\windows\\win.ini", false},
        {"about:blank", false},
        {"", false},
        {"http://", false},
        {"ftp://127.0.0.1/toast.html", false},
        {upperCase, true},
        {"https://127.0.0.1:1/toast.html", true},
    };
    size_t counted = 0;
    for (const auto& c : cases) {
        ASSERT_TRUE(StandIn::SetDocument(kAdvertPath, Advert("false", "", "true", c.address)));
        Dlg().CheckToast();
        EXPECT_EQ(c.shown, Shown(Dlg().m_pToastDlg)) << c.address;
        if (c.shown) ++counted;
        EXPECT_EQ(counted, Logged(kToastCount)) << c.address;
        if (Dlg().m_pToastDlg) Dlg().m_pToastDlg->ShowWindow(SW_HIDE);
    }
}

TEST_F(PromotionsTest, DocumentsThatSwitchNothingOnShowNothing)
{
    OpenWith(Advert("false", "", "false", ""));
    const std::string url = StandIn::Url(kPopupPage);
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const struct {
        const char* what;
        std::string fault;
        std::string document;
    } cases[] = {
        {"html page", "html", ""},
        {"malformed", "malformed", ""},
        {"empty", "empty", ""},
        {"not found", "404", ""},
        {"closed connection", "close", ""},
        {"no elements", "", head + "<advert/>"},
        {"no setting", "", head + "<advert>" + Element("popup_url", url) + "</advert>"},
        {"no address", "", head + "<advert>" + Element("popup_setting", "true") + "</advert>"},
        {"capitals", "", Advert("TRUE", url, "false", url)},
        {"false", "", Advert("false", url, "true", url)},
        {"a word around it", "", Advert("truee", url, "false", url)},
        {"leading blank", "", Advert(" true", url, "false", url)},
        {"trailing newline", "", Advert("true\n", url, "false", url)},
        {"first of two settings is off", "",
         head + "<advert>" + Element("popup_setting", "false") + Element("popup_setting", "true") +
             Element("popup_url", url) + "</advert>"},
        {"first of two addresses is no web address", "",
         head + "<advert>" + Element("popup_setting", "true") + Element("popup_url", "javascript:alert(1)") +
             Element("popup_url", url) + "</advert>"},
    };
    for (const auto& c : cases) {
        if (c.fault.empty()) {
            ASSERT_TRUE(StandIn::SetFault(kAdvertPath, "none"));
            ASSERT_TRUE(StandIn::SetDocument(kAdvertPath, c.document));
        } else {
            ASSERT_TRUE(StandIn::SetFault(kAdvertPath, c.fault));
        }
        Dlg().CheckPopup();
        EXPECT_EQ(nullptr, Dlg().m_pPopupDlg) << c.what;
        EXPECT_EQ(0u, Logged(kPopupCount)) << c.what;
    }
    // The elements may sit anywhere; the first of each name counts.
    ASSERT_TRUE(StandIn::SetFault(kAdvertPath, "none"));
    ASSERT_TRUE(StandIn::SetDocument(
        kAdvertPath, head + "<a><b>" + Element("popup_url", url) + "</b>" + Element("popup_setting", "true") +
                         Element("popup_setting", "false") + Element("popup_url", "javascript:alert(1)") + "</a>"));
    Dlg().CheckPopup();
    EXPECT_TRUE(Shown(Dlg().m_pPopupDlg));
    EXPECT_EQ(1u, Logged(kPopupCount));
    EXPECT_TRUE(PageFetched(kPopupPage));
}

TEST_F(PromotionsTest, HangingDocumentIsGivenUpAtTheDeadline)
{
    OpenWith(Advert("false", "", "false", ""));
    ASSERT_TRUE(StandIn::SetFault(kAdvertPath, "hang"));
    const DWORD start = ::GetTickCount();
    Dlg().SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_LT(::GetTickCount() - start, STEL7_NET_DEADLINE_MS + 3000u);
    EXPECT_FALSE(Dlg().IsWindowVisible());
    EXPECT_EQ(nullptr, Dlg().m_pToastDlg);
    EXPECT_EQ(0u, Logged(kToastCount));
}

TEST_F(PromotionsTest, LostWindowIsMadeAgainAndAFailedMakeShowsNothing)
{
    OpenWith(Advert("false", "", "true", StandIn::Url(kToastPage)));

    // An object whose window was never made is deleted, not lost.
    bool neverMadeDeleted = false;
    Dlg().m_pToastDlg = new ProbeToast(&neverMadeDeleted);
    Dlg().CheckToast();
    EXPECT_TRUE(neverMadeDeleted);
    ASSERT_TRUE(Shown(Dlg().m_pToastDlg));
    EXPECT_EQ(1u, Logged(kToastCount));

    // A window destroyed behind the object's back is made again.
    bool destroyedDeleted = false;
    ProbeToast* pProbe = new ProbeToast(&destroyedDeleted);
    ASSERT_TRUE(pProbe->Create(CToastDlg::IDD, &Dlg()));
    delete Dlg().m_pToastDlg;
    Dlg().m_pToastDlg = pProbe;
    ::DestroyWindow(pProbe->m_hWnd);
    Dlg().CheckToast();
    EXPECT_TRUE(destroyedDeleted);
    ASSERT_TRUE(Shown(Dlg().m_pToastDlg));
    EXPECT_EQ(2u, Logged(kToastCount));

    // No window can be made: nothing is navigated, shown or counted.
    ::DestroyWindow(Dlg().m_pToastDlg->m_hWnd);
    ASSERT_TRUE(StandIn::ClearLog());
    {
        DialogVeto veto;
        ASSERT_TRUE(veto.Active());
        Dlg().CheckToast();
    }
    EXPECT_EQ(nullptr, Dlg().m_pToastDlg);
    EXPECT_EQ(1u, Logged("GET " + std::string(kAdvertPath)));
    EXPECT_EQ(0u, Logged(kToastCount));
}

}  // namespace
