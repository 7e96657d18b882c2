#pragma once

// CBrowserSite: the smallest OLE container the WebBrowser control accepts. One
// object is the control's client site, its in-place site (whose window is the
// host window the control lives in) and its in-place frame; it owns the
// control. The control is never UI-activated by us, has no menus, toolbars or
// accelerators to merge, and saves nothing, so those requests are declined.
// As the control's ambient properties (IDispatch) it answers one: the
// download control. The pages it shows (the pop-up, the toast, the players)
// come over plain HTTP and can be rewritten on the way, so no page may bring
// in an ActiveX control, a Java applet or a behaviour; pictures, video,
// sounds and scripts stay, so the pages keep working.
//
// The control holds a reference to the site from SetClientSite until Close, so
// the owner must call Close before its last Release to break that cycle.

#include <windows.h>
#include <exdisp.h>
#include <ole2.h>

#include "framework/Handles.h"

class CBrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
public:
    // Creates the control and activates it in place inside hwndHost, filling
    // its client area. Returns null when the control cannot be created or
    // activated; otherwise the caller holds one reference. OLE must be
    // initialised on the calling thread.
    static CBrowserSite* Create(HWND hwndHost);

    // The control's automation interface; null after Close.
    IWebBrowser2* GetBrowser() const { return m_browser.Get(); }
    // The control's in-place window; null when it has none.
    HWND GetControlWindow() const;
    // Places the control's window at rc, in the host's client coordinates.
    void SetPlace(const RECT& rc);
    // Deactivates and closes the control, takes back the client site and lets
    // go of the control. Safe to call more than once.
    void Close();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL fShow) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow, shared by the in-place site and the frame
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                  LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP Scroll(SIZE scrollExtent) override;
    STDMETHODIMP OnUIDeactivate(BOOL fUndoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT lprcPosRect) override;

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT lprectBorder) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR pszObjName) override;

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) override;
    STDMETHODIMP SetMenu(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) override;
    STDMETHODIMP RemoveMenus(HMENU hmenuShared) override;
    STDMETHODIMP SetStatusText(LPCOLESTR pszStatusText) override;
    STDMETHODIMP EnableModeless(BOOL fEnable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG lpmsg, WORD wID) override;

    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    explicit CBrowserSite(HWND hwndHost) : m_hwndHost(hwndHost) {}
    ~CBrowserSite() = default;
    CBrowserSite(const CBrowserSite&) = delete;
    CBrowserSite& operator=(const CBrowserSite&) = delete;

    HRESULT Embed();

    LONG m_cRef = 1;
    HWND m_hwndHost;
    ComPtr<IOleObject> m_object;
    ComPtr<IOleInPlaceObject> m_inPlace;
    ComPtr<IWebBrowser2> m_browser;
};
