// The promotion pop-up and toast on the real main window: what the vendor's
// advertising document switches on, where each window shows, that each
// showing is counted once, and that no document or address does harm.
#include "tests/win/app/MainWindowHarness.h"
#include "update/PopupDlg.h"
#include "update/ToastDlg.h"

namespace {

const char kAdvertPath[] = "/app/stel7/advert/config.xml";
const std::string kCount = "GET /app/stel7/analytics/request/count.php?mode=stel7_";

// An advertising document of the given elements, in this order.
std::string Advert(const std::vector<std::pair<std::string, std::string>>& elements)
{
    std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><advert>";
    for (const auto& [tag, text] : elements) body += "<" + tag + ">" + text + "</" + tag + ">";
    return body + "</advert>";
}

std::string Page(const char* pszName)
{
    return StandIn::Url(std::string("/app/stel7/advert/") + pszName);
}

bool Shown(const CWnd* pDlg)
{
    return pDlg && ::IsWindow(pDlg->m_hWnd) && ::IsWindowVisible(pDlg->m_hWnd);
}

// A toast object that says when it is deleted.
struct ProbeToast : CToastDlg {
    explicit ProbeToast(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~ProbeToast() override { *m_pDeleted = true; }
    bool* m_pDeleted;
};

// While installed, no dialog window can be made on this thread.
LRESULT CALLBACK VetoDialogs(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND &&
        reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass == MAKEINTRESOURCEA(0x8002)) {
        return 1;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

size_t Counts(const char* pszEvent)
{
    return StandIn::Log(kCount + pszEvent + "&key=stel7").size();
}

bool Fetched(const char* pszName)
{
    return PumpUntil([&] { return !StandIn::Log(std::string("GET /app/stel7/advert/") + pszName).empty(); }, 10000);
}

// Until every queued check and count of the window has come back.
bool Settled(CMainDlg& dlg)
{
    return PumpUntil([&] { return dlg.m_feeds.Pending() == 0; }, 30000);
}

// The test serves its advertising document before it opens the window.
using PromotionsTest = StandInTest;

TEST_F(PromotionsTest, PopupAtStartUpAndToastAtEveryHideOnlyForAnExactSwitchWithAWebAddressEachShownOnceAndCounted)
{
    ASSERT_TRUE(StandIn::SetDocument(kAdvertPath, Advert({{"popup_setting", "true"}, {"popup_url", Page("popup.html")},
                                                          {"toast_setting", "true"}, {"toast_url", Page("toast.html")}})));
    MainWindowHarness harness;
    ASSERT_TRUE(harness.Open());
    CMainDlg& dlg = harness.Dlg();
    CPopupDlg* pPopup = dlg.m_pPopupDlg;
    ASSERT_TRUE(Shown(pPopup));
    EXPECT_TRUE(Fetched("popup.html"));
    // Centred on the work area; the toast's corner is the core's (Geometry_test).
    RECT work = {}, rc = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    pPopup->GetWindowRect(&rc);
    EXPECT_NEAR(work.left + work.right, rc.left + rc.right, 2);
    EXPECT_NEAR(work.top + work.bottom, rc.top + rc.bottom, 2);
    pPopup->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !pPopup->IsWindowVisible(); }, 5000));
    EXPECT_EQ(pPopup, dlg.m_pPopupDlg);

    CToastDlg* pFirst = nullptr;
    for (const int nHide : {SC_CLOSE, ID_FILE_TRAY}) {
        dlg.SendMessage(WM_COMMAND, ID_TRAY_OPEN, 0);
        dlg.SendMessage(nHide == SC_CLOSE ? WM_SYSCOMMAND : WM_COMMAND, nHide, 0);
        ASSERT_TRUE(Settled(dlg));
        CToastDlg* pToast = dlg.m_pToastDlg;
        ASSERT_TRUE(Shown(pToast)) << nHide;
        if (!pFirst) pFirst = pToast;
        EXPECT_EQ(pFirst, pToast) << "one toast, reused";
        EXPECT_EQ(nHide == SC_CLOSE ? 1u : 2u, Counts("toast"));
        // Each showing runs its own hiding timer; its tick is sent, not waited for.
        ASSERT_TRUE(::KillTimer(pToast->m_hWnd, 1)) << nHide;
        pToast->SendMessage(WM_TIMER, 1, 0);
        EXPECT_FALSE(pToast->IsWindowVisible()) << nHide;
    }
    EXPECT_TRUE(Fetched("toast.html"));
    EXPECT_EQ(1u, Counts("popup"));

    std::string upperCase = Page("toast.html");
    upperCase.replace(0, 4, "HTTP");
    const auto toast = [](const std::string& setting, const std::string& url) {
        return Advert({{"toast_setting", setting}, {"toast_url", url}});
    };
    const StandIn::FaultCase cases[] = {
        {"", toast("true", "javascript:alert(1)"), false},
        {"", toast("TRUE", Page("toast.html")), false},
        {"html", "", false},
        {"", toast("true", upperCase), true},
        // https, the elements anywhere, the first of each taken
        {"", "<a><b><toast_url>https://127.0.0.1:1/t.html</toast_url></b><toast_setting>true</toast_setting>"
             "<toast_setting>false</toast_setting><toast_url>javascript:alert(1)</toast_url></a>",
         true},
    };
    for (const StandIn::FaultCase& c : cases) {
        SCOPED_TRACE(c.fault + c.document);
        ASSERT_TRUE(StandIn::ClearLog());
        ASSERT_TRUE(StandIn::Serve(kAdvertPath, c));
        dlg.CheckToast();
        ASSERT_TRUE(Settled(dlg));
        EXPECT_EQ(c.expected, Shown(dlg.m_pToastDlg));
        EXPECT_EQ(c.expected ? 1u : 0u, Counts("toast"));
        dlg.m_pToastDlg->ShowWindow(SW_HIDE);
    }

    ASSERT_TRUE(StandIn::SetDocument(kAdvertPath, toast("true", Page("toast.html"))));
    ASSERT_TRUE(StandIn::ClearLog());
    // An object whose window was never made is deleted, not lost.
    if (dlg.m_pToastDlg) dlg.m_pToastDlg->DestroyWindow();
    delete dlg.m_pToastDlg;
    bool deleted = false;
    dlg.m_pToastDlg = new ProbeToast(&deleted);
    dlg.CheckToast();
    ASSERT_TRUE(Settled(dlg));
    EXPECT_TRUE(deleted);
    ASSERT_TRUE(Shown(dlg.m_pToastDlg));
    EXPECT_EQ(1u, Counts("toast"));

    // The window is destroyed behind the object's back, and no new one can
    // be made: nothing is shown or counted.
    ::DestroyWindow(dlg.m_pToastDlg->m_hWnd);
    const HHOOK hVeto = ::SetWindowsHookExA(WH_CBT, &VetoDialogs, nullptr, ::GetCurrentThreadId());
    ASSERT_TRUE(hVeto);
    dlg.CheckToast();
    ASSERT_TRUE(Settled(dlg));
    ::UnhookWindowsHookEx(hVeto);
    EXPECT_EQ(nullptr, dlg.m_pToastDlg);
    EXPECT_EQ(1u, Counts("toast"));
}

}  // namespace

namespace {

// The on/off word must be exact, but an address written on a line of its own
// is still the address.
TEST_F(PromotionsTest, AnAddressOnALineOfItsOwnStillShowsItsPage)
{
    ASSERT_TRUE(StandIn::SetDocument(kAdvertPath,
                                     Advert({{"popup_setting", "true"}, {"popup_url", "\n\t" + Page("popup.html") + "\n"}})));
    MainWindowHarness harness;
    ASSERT_TRUE(harness.Open());
    EXPECT_TRUE(Shown(harness.Dlg().m_pPopupDlg));
    EXPECT_EQ(1u, Counts("popup"));
}

}  // namespace
