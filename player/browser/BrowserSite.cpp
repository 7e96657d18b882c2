#include "player/browser/BrowserSite.h"

#include <mshtmdid.h>

#include <utility>

namespace {

// What pages may download and run: everything but ActiveX controls, Java
// applets and behaviours. Answering at all switches off every download the
// flags do not name, so pictures, video and background sounds are named.
constexpr LONG kDownloadControl = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS | DLCTL_NO_JAVA |
                                  DLCTL_NO_DLACTIVEXCTLS | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_BEHAVIORS;

}  // namespace

CBrowserSite* CBrowserSite::Create(HWND hwndHost)
{
    if (!::IsWindow(hwndHost)) return nullptr;
    CBrowserSite* pSite = new CBrowserSite(hwndHost);
    if (FAILED(pSite->Embed())) {
        pSite->Close();
        pSite->Release();
        return nullptr;
    }
    return pSite;
}

HRESULT CBrowserSite::Embed()
{
    HRESULT hr = ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&m_object));
    if (FAILED(hr)) return hr;
    // The control navigates nowhere until it has a client site, and it asks
    // the site for its window when it activates.
    hr = m_object->SetClientSite(static_cast<IOleClientSite*>(this));
    if (FAILED(hr)) return hr;
    RECT rc = {};
    ::GetClientRect(m_hwndHost, &rc);
    hr = m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0, m_hwndHost, &rc);
    if (FAILED(hr)) return hr;
    hr = m_object.As(&m_inPlace);
    if (FAILED(hr)) return hr;
    hr = m_object.As(&m_browser);
    if (FAILED(hr)) return hr;
    // No page may raise a dialog of its own (script errors from the hidden
    // music browser above all).
    m_browser->put_Silent(VARIANT_TRUE);
    return S_OK;
}

HWND CBrowserSite::GetControlWindow() const
{
    HWND hwnd = nullptr;
    if (!m_inPlace || FAILED(m_inPlace->GetWindow(&hwnd))) return nullptr;
    return hwnd;
}

void CBrowserSite::SetPlace(const RECT& rc)
{
    if (m_inPlace) m_inPlace->SetObjectRects(&rc, &rc);
}

void CBrowserSite::Close()
{
    // Take every pointer out first: the calls below call back into the site.
    ComPtr<IOleInPlaceObject> inPlace = std::move(m_inPlace);
    ComPtr<IOleObject> object = std::move(m_object);
    m_browser.Reset();
    if (inPlace) inPlace->InPlaceDeactivate();
    if (object) {
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
    }
    m_hwndHost = nullptr;
}

// IUnknown

STDMETHODIMP CBrowserSite::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
        *ppv = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
        *ppv = static_cast<IOleInPlaceSite*>(this);
    } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    } else if (riid == IID_IDispatch) {
        *ppv = static_cast<IDispatch*>(this);
    } else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CBrowserSite::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_cRef));
}

STDMETHODIMP_(ULONG) CBrowserSite::Release()
{
    const LONG cRef = ::InterlockedDecrement(&m_cRef);
    if (cRef == 0) delete this;
    return static_cast<ULONG>(cRef);
}

// IOleClientSite

STDMETHODIMP CBrowserSite::SaveObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk) *ppmk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer) *ppContainer = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CBrowserSite::ShowObject()
{
    return S_OK;
}

STDMETHODIMP CBrowserSite::OnShowWindow(BOOL)
{
    return S_OK;
}

STDMETHODIMP CBrowserSite::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

// IOleWindow

STDMETHODIMP CBrowserSite::GetWindow(HWND* phwnd)
{
    if (!phwnd) return E_POINTER;
    *phwnd = m_hwndHost;
    return m_hwndHost ? S_OK : E_FAIL;
}

STDMETHODIMP CBrowserSite::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

// IOleInPlaceSite

STDMETHODIMP CBrowserSite::CanInPlaceActivate()
{
    return m_hwndHost ? S_OK : S_FALSE;
}

STDMETHODIMP CBrowserSite::OnInPlaceActivate()
{
    return S_OK;
}

STDMETHODIMP CBrowserSite::OnUIActivate()
{
    return S_OK;
}

STDMETHODIMP CBrowserSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                            LPRECT lprcPosRect, LPRECT lprcClipRect,
                                            LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect || !lpFrameInfo) return E_POINTER;
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    // Null: the frame serves as the document window too.
    *ppDoc = nullptr;
    ::GetClientRect(m_hwndHost, lprcPosRect);
    *lprcClipRect = *lprcPosRect;
    // cb is the caller's; the rest describes a frame without accelerators.
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = ::GetAncestor(m_hwndHost, GA_ROOT);
    lpFrameInfo->haccel = nullptr;
    lpFrameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP CBrowserSite::Scroll(SIZE)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::OnUIDeactivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP CBrowserSite::OnInPlaceDeactivate()
{
    return S_OK;
}

STDMETHODIMP CBrowserSite::DiscardUndoState()
{
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::DeactivateAndUndo()
{
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::OnPosRectChange(LPCRECT)
{
    // The host window decides the place; the owner applies it on WM_SIZE.
    return S_OK;
}

// IOleInPlaceUIWindow

STDMETHODIMP CBrowserSite::GetBorder(LPRECT)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP CBrowserSite::RequestBorderSpace(LPCBORDERWIDTHS)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP CBrowserSite::SetBorderSpace(LPCBORDERWIDTHS pborderwidths)
{
    // Null means the object wants no tool space, which we can always grant.
    return pborderwidths ? INPLACE_E_NOTOOLSPACE : S_OK;
}

STDMETHODIMP CBrowserSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR)
{
    return S_OK;
}

// IOleInPlaceFrame

STDMETHODIMP CBrowserSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::SetMenu(HMENU, HOLEMENU, HWND)
{
    return S_OK;
}

STDMETHODIMP CBrowserSite::RemoveMenus(HMENU)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::SetStatusText(LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP CBrowserSite::EnableModeless(BOOL)
{
    return S_OK;
}

STDMETHODIMP CBrowserSite::TranslateAccelerator(LPMSG, WORD)
{
    return S_FALSE;
}

// IDispatch

STDMETHODIMP CBrowserSite::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CBrowserSite::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo) *ppTInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pVarResult,
                                  EXCEPINFO*, UINT*)
{
    if (dispIdMember != DISPID_AMBIENT_DLCONTROL || !(wFlags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    if (!pVarResult) return E_POINTER;
    ::VariantInit(pVarResult);
    pVarResult->vt = VT_I4;
    pVarResult->lVal = kDownloadControl;
    return S_OK;
}
