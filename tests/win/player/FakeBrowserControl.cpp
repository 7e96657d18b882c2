#include "tests/win/player/FakeBrowserControl.h"

#include <exdisp.h>
#include <ole2.h>

namespace {

FakeFailure g_failure = FakeFailure::Creation;
FakeControlLog g_log;

class FakeObject final : public IOleObject, public IOleInPlaceObject
{
public:
    FakeObject() { g_log.created = true; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleObject)
            *ppv = static_cast<IOleObject*>(this);
        else if ((riid == IID_IOleInPlaceObject || riid == IID_IOleWindow) && g_failure != FakeFailure::InPlaceObject)
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++g_log.refs); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG refs = --g_log.refs;
        if (refs == 0)
        {
            // As a real control does: its last release lets go of the site.
            if (site_)
                site_->Release();
            delete this;
        }
        return static_cast<ULONG>(refs);
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pSite) override
    {
        if (pSite && g_failure == FakeFailure::ClientSite)
            return E_FAIL;
        if (pSite)
            pSite->AddRef();
        if (site_)
            site_->Release();
        if (!pSite && site_)
            g_log.siteTakenBack = true;
        site_ = pSite;
        g_log.siteHeld = site_ != nullptr;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD dwSaveOption) override
    {
        g_log.closed = dwSaveOption == OLECLOSE_NOSAVE;
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND, LPCRECT) override
    {
        if (iVerb != OLEIVERB_INPLACEACTIVATE || !pActiveSite)
            return E_INVALIDARG;
        AskSite(pActiveSite);
        return g_failure == FakeFailure::Activation ? E_FAIL : S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND*) override { return E_FAIL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override
    {
        g_log.deactivated = true;
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT, LPCRECT) override { return S_OK; }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

private:
    ~FakeObject() = default;

    // What an in-place object asks its site for before it makes its window.
    static void AskSite(IOleClientSite* pSite)
    {
        IOleInPlaceSite* pInPlaceSite = nullptr;
        if (FAILED(pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&pInPlaceSite))))
            return;
        g_log.askedSite = pInPlaceSite->CanInPlaceActivate() == S_OK;
        pInPlaceSite->OnInPlaceActivate();
        pInPlaceSite->GetWindow(&g_log.siteWindow);
        IOleInPlaceFrame* pFrame = nullptr;
        IOleInPlaceUIWindow* pDoc = nullptr;
        RECT clip = {};
        OLEINPLACEFRAMEINFO info = {};
        info.cb = sizeof(info);
        if (SUCCEEDED(pInPlaceSite->GetWindowContext(&pFrame, &pDoc, &g_log.posRect, &clip, &info)))
        {
            g_log.frameWindow = info.hwndFrame;
            if (pFrame)
                pFrame->Release();
            if (pDoc)
                pDoc->Release();
        }
        pInPlaceSite->Release();
    }

    IOleClientSite* site_ = nullptr;
};

// Lives as long as the program; its references are not counted.
class FakeFactory final : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid != IID_IUnknown && riid != IID_IClassFactory)
        {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        if (g_failure == FakeFailure::Creation)
            return E_OUTOFMEMORY;
        FakeObject* pObject = new FakeObject();
        pObject->AddRef();
        const HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

FakeFactory g_factory;

}  // namespace

FakeBrowserControl::FakeBrowserControl(FakeFailure failure)
{
    g_failure = failure;
    g_log = FakeControlLog{};
    if (FAILED(CoRegisterClassObject(CLSID_WebBrowser, &g_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                     &m_cookie)))
        m_cookie = 0;
}

FakeBrowserControl::~FakeBrowserControl()
{
    if (m_cookie)
        CoRevokeClassObject(m_cookie);
}

const FakeControlLog& FakeBrowserControl::Log()
{
    return g_log;
}
