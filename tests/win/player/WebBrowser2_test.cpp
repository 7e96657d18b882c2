// The browser host with Wine's real WebBrowser control: it fills and follows
// its placeholder, navigates to exactly the address given, and goes with its
// window however that window goes.
#include "player/browser/WebBrowser2.h"

#include "framework/Dialog.h"
#include "player/browser/BrowserSite.h"
#include "tests/win/support/Pump.h"
#include "tests/win/support/StandInTest.h"

#include <windows.h>
#include <mshtmdid.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kBrowserId = 1003;

// {left, top, right, bottom} of the control's window in its placeholder's
// client coordinates; empty without a control window.
std::vector<LONG> ControlPlace(HWND hPlaceholder)
{
    HWND hControl = GetWindow(hPlaceholder, GW_CHILD);
    RECT rc = {};
    if (!hControl) return {};
    GetWindowRect(hControl, &rc);
    MapWindowPoints(nullptr, hPlaceholder, reinterpret_cast<POINT*>(&rc), 2);
    return {rc.left, rc.top, rc.right, rc.bottom};
}

using WebBrowser2Test = StandInTest;

TEST_F(WebBrowser2Test, ControlFillsAndFollowsItsPlaceholderAndRequestsExactlyTheAddress)
{
    // OLE stays initialised on the test's thread until the process ends.
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    // A hidden top-level window holding a "Static" placeholder, as a dialog
    // template makes the browser's place. (Under Wine without a window manager,
    // taking a shown window down costs two seconds.)
    CWnd frame;
    frame.SubclassWindow(CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW, 0, 0, 900, 600, nullptr, nullptr,
                                         nullptr, nullptr));
    const HWND hPlaceholder = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 320, 215, frame.m_hWnd,
                                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kBrowserId)), nullptr,
                                              nullptr);
    {
        CWebBrowser2 browser;
        // Bound to the placeholder as a dialog's data exchange binds it.
        CDataExchange dx(&frame, FALSE);
        DDX_Control(&dx, kBrowserId, browser);
        ASSERT_TRUE(browser.HasControl());
        EXPECT_EQ((std::vector<LONG>{0, 0, 320, 215}), ControlPlace(hPlaceholder));
        // The placeholder must not paint over the control.
        EXPECT_TRUE(GetWindowLongA(hPlaceholder, GWL_STYLE) & WS_CLIPCHILDREN);
        for (const SIZE& size : {SIZE{800, 478}, SIZE{1, 1}, SIZE{0, 0}, SIZE{786, 444}}) {
            browser.MoveWindow(-2, -2, size.cx, size.cy);
            EXPECT_EQ((std::vector<LONG>{0, 0, size.cx, size.cy}), ControlPlace(hPlaceholder));
        }
        // The player's query goes out as written: "&amp;" and ';' included.
        const std::string target = "/v/abc123?version=3&amp;autohide=1;autoplay=1;showinfo=0";
        browser.Navigate(StandIn::Url(target).c_str());
        EXPECT_TRUE(PumpUntil([&] { return !StandIn::Log("GET " + target).empty(); }, 10000));
        EXPECT_EQ(StandIn::Url(target), browser.GetLocationURL().Str());
    }
    // The object went before its window: the control went with it, the
    // placeholder stays an ordinary window.
    EXPECT_EQ(nullptr, GetWindow(hPlaceholder, GW_CHILD));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hPlaceholder));
    EXPECT_TRUE(MoveWindow(hPlaceholder, 0, 0, 50, 40, TRUE));
    frame.DestroyWindow();
}

// The pages come over plain HTTP and can be rewritten on the way: what the
// control asks its container (the ambient download control, through the
// site's IDispatch) lets no page bring in an ActiveX control, a Java applet
// or a behaviour, and leaves it its pictures and scripts.
TEST_F(WebBrowser2Test, HostLetsNoPageDownloadOrRunActiveXJavaOrBehaviours)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    const HWND hHost =
        CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 320, 215, nullptr, nullptr, nullptr, nullptr);
    CBrowserSite* pSite = CBrowserSite::Create(hHost);
    ASSERT_TRUE(pSite);
    IDispatch* pAmbient = nullptr;
    ASSERT_EQ(S_OK, pSite->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pAmbient)));
    DISPPARAMS none = {};
    VARIANT value;
    VariantInit(&value);
    EXPECT_EQ(S_OK, pAmbient->Invoke(DISPID_AMBIENT_DLCONTROL, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                     &none, &value, nullptr, nullptr));
    pAmbient->Release();
    pSite->Close();
    pSite->Release();
    DestroyWindow(hHost);
    ASSERT_EQ(VT_I4, value.vt);
    const LONG forbidden = DLCTL_NO_DLACTIVEXCTLS | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_JAVA | DLCTL_NO_BEHAVIORS;
    EXPECT_EQ(forbidden, value.lVal & forbidden);
    EXPECT_EQ(DLCTL_DLIMAGES, value.lVal & (DLCTL_DLIMAGES | DLCTL_NO_SCRIPTS));
}

}  // namespace
