// The promotion pop-up and toast on the real main window: what the vendor's
// advertising document switches on, where each window shows, that each
// showing is counted once, and that no document or address does harm. (The
// start-up asks for the pop-up last: the black-box test's start-up; the
// toast's corner is the core's: Geometry_test.)
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

std::string Toast(const std::string& setting, const std::string& url)
{
    return Advert({{"toast_setting", setting}, {"toast_url", url}});
}

bool Shown(const CWnd* pDlg)
{
    return pDlg && ::IsWindow(pDlg->m_hWnd) && ::IsWindowVisible(pDlg->m_hWnd);
}

size_t Counts(const char* pszEvent)
{
    return StandIn::Log(kCount + pszEvent + "&key=stel7").size();
}

bool Fetched(const char* pszName)
{
    return PumpUntil([&] { return !StandIn::Log(std::string("GET /app/stel7/advert/") + pszName).empty(); }, 10000);
}

// A toast object that says when it is deleted.
bool g_bProbeDeleted = false;
struct ProbeToast : CToastDlg {
    ~ProbeToast() override { g_bProbeDeleted = true; }
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

class PromotionsTest : public OpenedMainWindowTest {
protected:
    // Serves `advert`, runs one check and waits for it and its count.
    bool Check(const std::string& advert, void (CMainDlg::*check)())
    {
        return StandIn::SetDocument(kAdvertPath, advert) && StandIn::ClearLog() && ((Dlg().*check)(), WaitForLoads());
    }
};

// An address written on a line of its own is still the address; closed, the
// pop-up is hidden and kept for the next showing.
TEST_F(PromotionsTest, PopupShowsItsPageCentredOnTheWorkAreaCountedOnceAndIsKeptWhenClosed)
{
    const std::string address = "\n\t" + Page("popup.html") + "\n";
    ASSERT_TRUE(Check(Advert({{"popup_setting", "true"}, {"popup_url", address}}), &CMainDlg::CheckPopup));
    CPopupDlg* pPopup = Dlg().m_pPopupDlg;
    ASSERT_TRUE(Shown(pPopup));
    EXPECT_TRUE(Fetched("popup.html"));
    RECT work = {}, rc = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    pPopup->GetWindowRect(&rc);
    EXPECT_NEAR(work.left + work.right, rc.left + rc.right, 2);
    EXPECT_NEAR(work.top + work.bottom, rc.top + rc.bottom, 2);
    EXPECT_EQ(1u, Counts("popup"));
    pPopup->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !pPopup->IsWindowVisible(); }, 5000));
    EXPECT_TRUE(::IsWindow(pPopup->m_hWnd));
    EXPECT_EQ(pPopup, Dlg().m_pPopupDlg);
}

// Each showing runs its own hiding timer; its tick is sent, not waited for.
TEST_F(PromotionsTest, EveryHideShowsTheOneToastCountsItAndItsTimersTickHidesIt)
{
    ASSERT_TRUE(StandIn::SetDocument(kAdvertPath, Toast("true", Page("toast.html"))));
    CToastDlg* pFirst = nullptr;
    for (const int nHide : {SC_CLOSE, ID_FILE_TRAY}) {
        Dlg().SendMessage(WM_COMMAND, ID_TRAY_OPEN, 0);
        Dlg().SendMessage(nHide == SC_CLOSE ? WM_SYSCOMMAND : WM_COMMAND, nHide, 0);
        ASSERT_TRUE(WaitForLoads());
        ASSERT_TRUE(Shown(Dlg().m_pToastDlg)) << nHide;
        if (!pFirst) pFirst = Dlg().m_pToastDlg;
        EXPECT_EQ(pFirst, Dlg().m_pToastDlg) << "one toast, reused";
        EXPECT_EQ(nHide == SC_CLOSE ? 1u : 2u, Counts("toast"));
    }
    EXPECT_TRUE(Fetched("toast.html"));
    ASSERT_TRUE(::KillTimer(pFirst->m_hWnd, 1));
    pFirst->SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(pFirst->IsWindowVisible());
}

TEST_F(PromotionsTest, ToastShowsOnlyForTheExactWordAndAWebAddress)
{
    std::string upperCase = Page("toast.html");
    upperCase.replace(0, 4, "HTTP");
    const StandIn::FaultCase cases[] = {
        {"", Toast("true", "javascript:alert(1)"), false},
        {"", Toast("TRUE", Page("toast.html")), false},
        {"html", "", false},
        {"", Toast("true", upperCase), true},
        // https, the elements anywhere, the first of each taken
        {"", "<a><b><toast_url>https://127.0.0.1:1/t.html</toast_url></b><toast_setting>true</toast_setting>"
             "<toast_setting>false</toast_setting><toast_url>javascript:alert(1)</toast_url></a>",
         true},
    };
    for (const StandIn::FaultCase& c : cases) {
        SCOPED_TRACE(c.fault + c.document);
        ASSERT_TRUE(StandIn::Serve(kAdvertPath, c));
        ASSERT_TRUE(StandIn::ClearLog());
        Dlg().CheckToast();
        ASSERT_TRUE(WaitForLoads());
        EXPECT_EQ(c.expected, Shown(Dlg().m_pToastDlg));
        EXPECT_EQ(c.expected ? 1u : 0u, Counts("toast"));
        if (Dlg().m_pToastDlg) Dlg().m_pToastDlg->ShowWindow(SW_HIDE);
    }
}

// A toast object whose window was never made is deleted, not lost; one whose
// window was destroyed behind its back and cannot be made again shows and
// counts nothing.
TEST_F(PromotionsTest, ToastObjectWithoutAWindowIsRemadeOrGivenUp)
{
    if (Dlg().m_pToastDlg) Dlg().m_pToastDlg->DestroyWindow();
    delete Dlg().m_pToastDlg;
    g_bProbeDeleted = false;
    Dlg().m_pToastDlg = new ProbeToast;
    ASSERT_TRUE(Check(Toast("true", Page("toast.html")), &CMainDlg::CheckToast));
    EXPECT_TRUE(g_bProbeDeleted);
    ASSERT_TRUE(Shown(Dlg().m_pToastDlg));
    EXPECT_EQ(1u, Counts("toast"));

    ::DestroyWindow(Dlg().m_pToastDlg->m_hWnd);
    const HHOOK hVeto = ::SetWindowsHookExA(WH_CBT, &VetoDialogs, nullptr, ::GetCurrentThreadId());
    ASSERT_TRUE(hVeto);
    const bool bChecked = Check(Toast("true", Page("toast.html")), &CMainDlg::CheckToast);
    ::UnhookWindowsHookEx(hVeto);
    ASSERT_TRUE(bChecked);
    EXPECT_EQ(nullptr, Dlg().m_pToastDlg);
    EXPECT_EQ(0u, Counts("toast"));
}

}  // namespace
