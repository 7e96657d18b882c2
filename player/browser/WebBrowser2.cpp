#include "player/browser/WebBrowser2.h"

#include <oleauto.h>

#include <string>

#include "framework/Handles.h"
#include "framework/TextConvert.h"
#include "player/browser/BrowserSite.h"

namespace {

constexpr DISPID kDispidNavigate = 104;

}  // namespace

CWebBrowser2::~CWebBrowser2()
{
    ReleaseControl();
}

const MessageMap* CWebBrowser2::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        MapSize<&CWebBrowser2::OnSize>(),
        MapMessage<&CWebBrowser2::OnDestroy>(WM_DESTROY),
    };
    static const MessageMap map = {CWnd::GetMessageMap(), entries, sizeof(entries) / sizeof(entries[0])};
    return &map;
}

// TRUE once the placeholder window exists; whether the control could be
// hosted in it is HasControl's answer, since the window works without one.
BOOL CWebBrowser2::Create(const char* pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWnd) return FALSE;
    HWND hWnd = ::CreateWindowExA(0, "Static", pszWindowName ? pszWindowName : "", dwStyle | WS_CHILD, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, pParentWnd->m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), ::GetModuleHandleA(nullptr),
                                  nullptr);
    if (!hWnd) return FALSE;
    if (!SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

void CWebBrowser2::PreSubclassWindow()
{
    // The placeholder's own painting must not cover the control's window.
    ModifyStyle(0, WS_CLIPCHILDREN);
    m_bHostPending = m_hosting == BrowserHosting::OnFirstNavigate;
    if (!m_bHostPending) HostControl();
}

void CWebBrowser2::HostControl()
{
    ReleaseControl();
    m_pSite = CBrowserSite::Create(m_hWnd);
}

void CWebBrowser2::ReleaseControl()
{
    CBrowserSite* pSite = m_pSite;
    if (!pSite) return;
    // Cleared first: closing the control pumps messages that may reach us.
    m_pSite = nullptr;
    pSite->Close();
    pSite->Release();
}

void CWebBrowser2::OnSize(UINT, int cx, int cy)
{
    Default();
    if (m_pSite) m_pSite->SetPlace(RECT{0, 0, cx, cy});
}

void CWebBrowser2::OnDestroy()
{
    // While the control's window still exists, so it can deactivate in order.
    ReleaseControl();
    Default();
}

void CWebBrowser2::Navigate(const char* pszURL, VARIANT* pFlags, VARIANT* pTargetFrameName, VARIANT* pPostData,
                            VARIANT* pHeaders)
{
    if (m_bHostPending && m_hWnd) {
        m_bHostPending = false;
        HostControl();
    }
    if (!m_pSite || !pszURL) return;
    // Our own reference: the page may pump messages that destroy the window.
    ComPtr<IWebBrowser2> browser = m_pSite->GetBrowser();
    if (!browser) return;
    const CBstr url(CodePageToWide(pszURL));
    if (!url.Get()) return;
    // Dispatch arguments go from the last to the first.
    VARIANT args[5];
    VARIANT* const optional[] = {pHeaders, pPostData, pTargetFrameName, pFlags};
    for (int i = 0; i < 4; ++i) {
        ::VariantInit(&args[i]);
        V_VT(&args[i]) = VT_VARIANT | VT_BYREF;
        V_VARIANTREF(&args[i]) = optional[i];
    }
    ::VariantInit(&args[4]);
    V_VT(&args[4]) = VT_BSTR;
    V_BSTR(&args[4]) = url.Get();
    DISPPARAMS params = {args, nullptr, 5, 0};
    browser->Invoke(kDispidNavigate, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                    nullptr);
}

CString CWebBrowser2::GetLocationURL() const
{
    if (!m_pSite) return CString();
    ComPtr<IWebBrowser2> browser = m_pSite->GetBrowser();
    CBstr url;
    if (!browser || FAILED(browser->get_LocationURL(url.Out())) || !url.Get()) return CString();
    return CString(WideToCodePage(url.Get(), url.Length()));
}
