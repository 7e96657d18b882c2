// The main window's skin: four pre-composed background bands, the erase that
// copies them around the visible controls, the layout of every control, the
// minimum size and the minimised icon.
#include "app/MainDlg.h"
#include "core/Geometry.h"
#include "res/resource.h"

namespace {

const COLORREF kBodyColour = RGB(240, 240, 240);

RECT ToRect(const core::Rect& rc)
{
    return RECT{rc.left, rc.top, rc.right, rc.bottom};
}

// One band of the background: its contexts, composed bitmap and size.
struct Band {
    CDC*& pMemDC;
    CDC*& pSrcDC;
    HBITMAP& hOldBmp;
    CBitmap& bmpComposed;
};

// The window's device context for the length of one composition.
class WindowDC {
public:
    explicit WindowDC(HWND hWnd) : m_hWnd(hWnd) { m_dc.Attach(::GetDC(hWnd)); }
    ~WindowDC()
    {
        if (m_dc.GetSafeHdc()) ::ReleaseDC(m_hWnd, m_dc.Detach());
    }
    CDC& dc() { return m_dc; }

private:
    HWND m_hWnd;
    CDC m_dc;
};

// Frees the previous composition and makes a fresh memory context holding a
// new band bitmap as wide as the window's client area and `height` rows high,
// both compatible with the window; the source context is new as well. Returns
// the band's width, 0 when there is nothing to compose.
int BeginBand(HWND hWnd, Band band, int height)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    const int width = rc.right;
    WindowDC windowDC(hWnd);
    if (band.pMemDC) {
        if (band.hOldBmp) band.pMemDC->SelectObject(band.hOldBmp);
        delete band.pMemDC;
        delete band.pSrcDC;
        band.pMemDC = nullptr;
        band.pSrcDC = nullptr;
        band.hOldBmp = nullptr;
    }
    band.bmpComposed.DeleteObject();
    if (width <= 0 || height <= 0) return 0;
    band.pMemDC = new CDC;
    band.pSrcDC = new CDC;
    if (!band.pMemDC->CreateCompatibleDC(&windowDC.dc()) || !band.pSrcDC->CreateCompatibleDC(&windowDC.dc()) ||
        !band.bmpComposed.CreateCompatibleBitmap(&windowDC.dc(), width, height)) {
        return 0;
    }
    band.hOldBmp = band.pMemDC->SelectObject(&band.bmpComposed);
    return width;
}

// Copies a piece at (x, y); FillColumns repeats a one-pixel-wide piece at every column of [from, to).
void CopyPiece(Band band, CBitmap& piece, int x, int y)
{
    const SIZE size = piece.GetSize();
    if (!band.pSrcDC->SelectObject(&piece)) return;
    band.pMemDC->BitBlt(x, y, size.cx, size.cy, band.pSrcDC, 0, 0, SRCCOPY);
}

// One stretch of a one-pixel-wide (or -high) piece copies its pixels to every
// column (or row), as many copies would, at the cost of one call.
void FillColumns(Band band, CBitmap& fill, int from, int to, int y)
{
    const SIZE size = fill.GetSize();
    if (to <= from || !band.pSrcDC->SelectObject(&fill)) return;
    band.pMemDC->StretchBlt(from, y, to - from, size.cy, band.pSrcDC, 0, 0, 1, size.cy, SRCCOPY);
}

// A strip of row y: its left piece at leftX, the fill over [fillFrom, fillTo)
// and, when there is one, its right piece at fillTo.
void CopyStrip(Band band, int y, CBitmap& left, int leftX, CBitmap& fill, int fillFrom, int fillTo, CBitmap* pRight)
{
    CopyPiece(band, left, leftX, y);
    FillColumns(band, fill, fillFrom, fillTo, y);
    if (pRight) CopyPiece(band, *pRight, fillTo, y);
}

}  // namespace

void CMainDlg::LoadSkinBitmaps()
{
    m_bmpHeaderLogo.LoadBitmap(IDB_HEADER_LOGO);
    m_bmpHeaderFill.LoadBitmap(IDB_HEADER_FILL);
    m_bmpToolbarLeft.LoadBitmap(IDB_TOOLBAR_LEFT);
    m_bmpToolbarFill.LoadBitmap(IDB_TOOLBAR_FILL);
    m_bmpToolbarRight.LoadBitmap(IDB_TOOLBAR_RIGHT);
    m_bmpSearchLeft.LoadBitmap(IDB_SEARCHBOX_LEFT);
    m_bmpSearchFill.LoadBitmap(IDB_SEARCHBOX_FILL);
    m_bmpSearchRight.LoadBitmap(IDB_SEARCHBOX_RIGHT);
    m_bmpBodyLeft.LoadBitmap(IDB_BODY_LEFT);
    m_bmpBodyRight.LoadBitmap(IDB_BODY_RIGHT);
    m_bmpFooterLeft.LoadBitmap(IDB_FOOTER_LEFT);
    m_bmpFooterFill.LoadBitmap(IDB_FOOTER_FILL);
    m_bmpFooterRight.LoadBitmap(IDB_FOOTER_RIGHT);
    m_btnSectionSearch.LoadBitmaps(IDB_SECTION_SEARCH_ON, IDB_SECTION_SEARCH_ON, IDB_SECTION_SEARCH_ON);
    m_btnSectionChannel.LoadBitmaps(IDB_SECTION_CHANNEL, IDB_SECTION_CHANNEL, IDB_SECTION_CHANNEL);
    m_btnSectionMusic.LoadBitmaps(IDB_SECTION_MUSIC, IDB_SECTION_MUSIC, IDB_SECTION_MUSIC);
    m_btnSectionHumor.LoadBitmaps(IDB_SECTION_HUMOR, IDB_SECTION_HUMOR, IDB_SECTION_HUMOR);
    m_btnSearch.LoadBitmaps(IDB_SEARCH_NORMAL, IDB_SEARCH_PRESSED, IDB_SEARCH_HOVER);
}

void CMainDlg::LayoutControls()
{
    RECT rcClient;
    GetClientRect(&rcClient);
    const core::MainLayout layout = core::ComputeMainLayout(rcClient.right, rcClient.bottom);
    m_rcHeaderFill = ToRect(layout.headerFill);
    m_rcToolbarMid = ToRect(layout.toolbarMid);
    m_rcToolbarRight = ToRect(layout.toolbarRight);
    m_rcBodyTop = ToRect(layout.bodyTop);
    m_rcBodyRight = ToRect(layout.bodyRight);
    m_rcFooterLeft = ToRect(layout.footerLeft);
    m_rcFooterMid = ToRect(layout.footerMid);
    m_rcFooterRight = ToRect(layout.footerRight);
    m_rcBtnSectionSearch = ToRect(layout.btnSectionSearch);
    m_rcBtnSectionChannel = ToRect(layout.btnSectionChannel);
    m_rcBtnSectionMusic = ToRect(layout.btnSectionMusic);
    m_rcBtnSectionHumor = ToRect(layout.btnSectionHumor);
    m_rcEditSearch = ToRect(layout.editSearch);
    m_rcBtnSearch = ToRect(layout.btnSearch);
    m_rcTab = ToRect(layout.tab);
    m_rcList = ToRect(layout.list);
    m_rcBtnPlay = ToRect(layout.btnPlay);
    m_rcBtnStop = ToRect(layout.btnStop);
    m_rcBtnPrev = ToRect(layout.btnPrev);
    m_rcBtnNext = ToRect(layout.btnNext);

    m_btnSectionSearch.SetButtonRect(m_rcBtnSectionSearch);
    m_btnSectionSearch.MoveWindow(m_rcBtnSectionSearch);
    m_btnSectionChannel.SetButtonRect(m_rcBtnSectionChannel);
    m_btnSectionChannel.MoveWindow(m_rcBtnSectionChannel);
    m_btnSectionMusic.SetButtonRect(m_rcBtnSectionMusic);
    m_btnSectionMusic.MoveWindow(m_rcBtnSectionMusic);
    m_btnSectionHumor.SetButtonRect(m_rcBtnSectionHumor);
    m_btnSectionHumor.MoveWindow(m_rcBtnSectionHumor);
    m_editSearch.MoveWindow(m_rcEditSearch);
    m_btnSearch.SetButtonRect(m_rcBtnSearch);
    m_btnSearch.MoveWindow(m_rcBtnSearch);
    m_tab.MoveWindow(m_rcTab);
    CListCtrl* lists[] = {&m_listVideo, &m_listTweet, &m_listChannel, &m_listMusic, &m_listHumor};
    for (CListCtrl* pList : lists) pList->MoveWindow(m_rcList);
    m_btnPlay.MoveWindow(m_rcBtnPlay);
    m_btnStop.MoveWindow(m_rcBtnStop);
    m_btnPrev.MoveWindow(m_rcBtnPrev);
    m_btnNext.MoveWindow(m_rcBtnNext);
    m_browser.MoveWindow(-20, -20, 10, 10);
}

void CMainDlg::BuildHeaderBand()
{
    Band band{m_pHeaderMemDC, m_pHeaderSrcDC, m_pHeaderOldBmp, m_bmpHeader};
    const int w = BeginBand(m_hWnd, band, 53);
    if (w > 0) CopyStrip(band, 0, m_bmpHeaderLogo, 0, m_bmpHeaderFill, 199, w, nullptr);
}

void CMainDlg::BuildToolbarBand()
{
    Band band{m_pToolbarMemDC, m_pToolbarSrcDC, m_pToolbarOldBmp, m_bmpToolbar};
    const int w = BeginBand(m_hWnd, band, 63);
    if (w == 0) return;
    CopyStrip(band, 0, m_bmpToolbarLeft, 0, m_bmpToolbarFill, 24, w - 24, &m_bmpToolbarRight);
    CopyStrip(band, 31, m_bmpSearchLeft, 420, m_bmpSearchFill, 470, w - 190, &m_bmpSearchRight);
}

// Every row of the body is the same: the band is that one row, which the
// erase stretches over the body's height.
void CMainDlg::BuildBodyBand()
{
    Band band{m_pBodyMemDC, m_pBodySrcDC, m_pBodyOldBmp, m_bmpBody};
    const int w = BeginBand(m_hWnd, band, 1);
    if (w == 0) return;
    CopyPiece(band, m_bmpBodyLeft, 0, 0);
    band.pMemDC->FillSolidRect(RECT{21, 0, w - 21, 1}, kBodyColour);
    CopyPiece(band, m_bmpBodyRight, w - 21, 0);
}

void CMainDlg::BuildFooterBand()
{
    Band band{m_pFooterMemDC, m_pFooterSrcDC, m_pFooterOldBmp, m_bmpFooter};
    const int w = BeginBand(m_hWnd, band, 82);
    if (w > 0) CopyStrip(band, 0, m_bmpFooterLeft, 0, m_bmpFooterFill, 24, w - 24, &m_bmpFooterRight);
}

BOOL CMainDlg::OnEraseBkgnd(CDC* pDC)
{
    RECT rcClient;
    GetClientRect(&rcClient);
    const int w = rcClient.right;
    const int h = rcClient.bottom;
    // A themed control asks for the background behind it through its own
    // DC: nothing may be left out then, or it shows through as black.
    const bool bOwnDC = ::WindowFromDC(pDC->GetSafeHdc()) == m_hWnd;
    auto exclude = [&](CWnd& control) {
        if (!bOwnDC || !control.m_hWnd || !::IsWindow(control.m_hWnd)) return;
        RECT rc;
        control.GetWindowRect(&rc);
        ScreenToClient(&rc);
        pDC->ExcludeClipRect(rc);
    };
    exclude(m_btnSectionSearch);
    exclude(m_btnSectionChannel);
    exclude(m_btnSectionMusic);
    exclude(m_btnSectionHumor);
    exclude(m_editSearch);
    exclude(m_btnSearch);
    exclude(m_tab);
    auto excludeTransport = [&]() {
        exclude(m_btnPlay);
        exclude(m_btnStop);
        exclude(m_btnPrev);
        exclude(m_btnNext);
    };
    switch (m_nSection) {
    case 1:
        exclude(m_listVideo);
        exclude(m_listTweet);
        if (m_nTab == 1) excludeTransport();
        break;
    case 2:
        exclude(m_listChannel);
        excludeTransport();
        break;
    case 3:
        exclude(m_listMusic);
        excludeTransport();
        break;
    case 4:
        exclude(m_listHumor);
        break;
    default:
        break;
    }
    if (m_pHeaderMemDC) pDC->BitBlt(0, 0, w, 53, m_pHeaderMemDC, 0, 0, SRCCOPY);
    if (m_pToolbarMemDC) pDC->BitBlt(0, 53, w, 63, m_pToolbarMemDC, 0, 0, SRCCOPY);
    if (m_pBodyMemDC && h > 198) pDC->StretchBlt(0, 116, w, h - 198, m_pBodyMemDC, 0, 0, w, 1, SRCCOPY);
    if (m_pFooterMemDC) pDC->BitBlt(0, h - 82, w, 82, m_pFooterMemDC, 0, 0, SRCCOPY);
    return TRUE;
}

void CMainDlg::OnPaint()
{
    PaintIconOrDefault(m_hIcon);
}

HCURSOR CMainDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CMainDlg::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    pMMI->ptMinTrackSize.x = 800;
    pMMI->ptMinTrackSize.y = 550;
    Default();
}

void CMainDlg::OnSize(UINT, int, int)
{
    Default();
    LayoutControls();
    BuildHeaderBand();
    BuildToolbarBand();
    BuildBodyBand();
    BuildFooterBand();
    const RECT* repaint[] = {&m_rcHeaderFill, &m_rcToolbarMid, &m_rcToolbarRight, &m_rcBodyTop,
                             &m_rcBodyRight,  &m_rcFooterLeft, &m_rcFooterMid,    &m_rcFooterRight};
    for (const RECT* pRect : repaint) InvalidateRect(pRect, TRUE);
}
