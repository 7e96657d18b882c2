// The main window's skin: four pre-composed background bands, the erase that
// copies them around the visible controls, the layout of every control, the
// minimum size and the minimised icon.
#include "app/Skin.h"

#include <utility>

#include "app/MainDlg.h"
#include "core/Section.h"
#include "core/Geometry.h"
#include "res/resource.h"

namespace {

const COLORREF kBodyColour = RGB(240, 240, 240);

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

// Copies a piece at (x, y); FillColumns repeats a one-pixel-wide piece at every column of [from, to).
void CopyPiece(CDC& memDC, CDC& srcDC, CBitmap& piece, int x, int y)
{
    const SIZE size = piece.GetSize();
    if (!srcDC.SelectObject(&piece)) return;
    memDC.BitBlt(x, y, size.cx, size.cy, &srcDC, 0, 0, SRCCOPY);
}

// One stretch of a one-pixel-wide piece copies its pixels to every column, as
// many copies would, at the cost of one call.
void FillColumns(CDC& memDC, CDC& srcDC, CBitmap& fill, int from, int to, int y)
{
    const SIZE size = fill.GetSize();
    if (to <= from || !srcDC.SelectObject(&fill)) return;
    memDC.StretchBlt(from, y, to - from, size.cy, &srcDC, 0, 0, 1, size.cy, SRCCOPY);
}

// A strip of row y: its left piece at leftX, the fill over [fillFrom, fillTo)
// and, when there is one, its right piece at fillTo.
void CopyStrip(CDC& memDC, CDC& srcDC, int y, CBitmap& left, int leftX, CBitmap& fill, int fillFrom, int fillTo,
               CBitmap* pRight)
{
    CopyPiece(memDC, srcDC, left, leftX, y);
    FillColumns(memDC, srcDC, fill, fillFrom, fillTo, y);
    if (pRight) CopyPiece(memDC, srcDC, *pRight, fillTo, y);
}

}  // namespace

RECT ToRect(const core::Rect& rc)
{
    return RECT{rc.left, rc.top, rc.right, rc.bottom};
}

CSkin::~CSkin()
{
    for (Band* pBand : {&m_header, &m_toolbar, &m_body, &m_footer}) FreeBand(*pBand);
}

void CSkin::LoadPieces()
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
}

void CSkin::FreeBand(Band& band)
{
    if (band.pMemDC && band.hOldBmp) band.pMemDC->SelectObject(band.hOldBmp);
    delete band.pMemDC;
    delete band.pSrcDC;
    band.pMemDC = nullptr;
    band.pSrcDC = nullptr;
    band.hOldBmp = nullptr;
    band.bmpComposed.DeleteObject();
}

bool CSkin::BeginBand(HWND hWnd, Band& band, int width, int height)
{
    FreeBand(band);
    if (width <= 0 || height <= 0) return false;
    WindowDC windowDC(hWnd);
    band.pMemDC = new CDC;
    band.pSrcDC = new CDC;
    if (!band.pMemDC->CreateCompatibleDC(&windowDC.dc()) || !band.pSrcDC->CreateCompatibleDC(&windowDC.dc()) ||
        !band.bmpComposed.CreateCompatibleBitmap(&windowDC.dc(), width, height)) {
        FreeBand(band);
        return false;
    }
    band.hOldBmp = band.pMemDC->SelectObject(&band.bmpComposed);
    return true;
}

void CSkin::Compose(HWND hWnd, const core::MainLayout& layout)
{
    BuildHeaderBand(hWnd, layout.headerBand);
    BuildToolbarBand(hWnd, layout.toolbarBand);
    BuildBodyBand(hWnd, layout.bodyBand);
    BuildFooterBand(hWnd, layout.footerBand);
}

void CSkin::BuildHeaderBand(HWND hWnd, const core::Rect& rc)
{
    const int w = rc.Width();
    if (!BeginBand(hWnd, m_header, w, rc.Height())) return;
    CopyStrip(*m_header.pMemDC, *m_header.pSrcDC, 0, m_bmpHeaderLogo, 0, m_bmpHeaderFill, 199, w, nullptr);
}

void CSkin::BuildToolbarBand(HWND hWnd, const core::Rect& rc)
{
    const int w = rc.Width();
    if (!BeginBand(hWnd, m_toolbar, w, rc.Height())) return;
    CDC& memDC = *m_toolbar.pMemDC;
    CDC& srcDC = *m_toolbar.pSrcDC;
    CopyStrip(memDC, srcDC, 0, m_bmpToolbarLeft, 0, m_bmpToolbarFill, 24, w - 24, &m_bmpToolbarRight);
    CopyStrip(memDC, srcDC, 31, m_bmpSearchLeft, 420, m_bmpSearchFill, 470, w - 190, &m_bmpSearchRight);
}

// Every row of the body is the same: the band is that one row, which Paint
// stretches over the body's height.
void CSkin::BuildBodyBand(HWND hWnd, const core::Rect& rc)
{
    const int w = rc.Width();
    if (rc.Height() <= 0 || !BeginBand(hWnd, m_body, w, 1)) return;
    CDC& memDC = *m_body.pMemDC;
    CopyPiece(memDC, *m_body.pSrcDC, m_bmpBodyLeft, 0, 0);
    memDC.FillSolidRect(RECT{21, 0, w - 21, 1}, kBodyColour);
    CopyPiece(memDC, *m_body.pSrcDC, m_bmpBodyRight, w - 21, 0);
}

void CSkin::BuildFooterBand(HWND hWnd, const core::Rect& rc)
{
    const int w = rc.Width();
    if (!BeginBand(hWnd, m_footer, w, rc.Height())) return;
    CopyStrip(*m_footer.pMemDC, *m_footer.pSrcDC, 0, m_bmpFooterLeft, 0, m_bmpFooterFill, 24, w - 24,
              &m_bmpFooterRight);
}

void CSkin::Paint(CDC* pDC, const core::MainLayout& layout)
{
    const std::pair<Band*, const core::Rect*> bands[] = {
        {&m_header, &layout.headerBand}, {&m_toolbar, &layout.toolbarBand}, {&m_footer, &layout.footerBand}};
    for (const auto& [pBand, pRect] : bands) {
        if (pBand->pMemDC)
            pDC->BitBlt(pRect->left, pRect->top, pRect->Width(), pRect->Height(), pBand->pMemDC, 0, 0, SRCCOPY);
    }
    const core::Rect& body = layout.bodyBand;
    if (m_body.pMemDC)
        pDC->StretchBlt(body.left, body.top, body.Width(), body.Height(), m_body.pMemDC, 0, 0, body.Width(), 1,
                        SRCCOPY);
}

void CMainDlg::LoadSkinBitmaps()
{
    m_skin.LoadPieces();
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
    m_layout = core::ComputeMainLayout(rcClient.right, rcClient.bottom);
    const core::MainLayout& l = m_layout;
    const std::pair<COrleButton*, const core::Rect*> pictureButtons[] = {
        {&m_btnSectionSearch, &l.btnSectionSearch}, {&m_btnSectionChannel, &l.btnSectionChannel},
        {&m_btnSectionMusic, &l.btnSectionMusic},   {&m_btnSectionHumor, &l.btnSectionHumor},
        {&m_btnSearch, &l.btnSearch}};
    for (const auto& [pButton, pRect] : pictureButtons) {
        pButton->SetButtonRect(ToRect(*pRect));
        pButton->MoveWindow(ToRect(*pRect));
    }
    m_editSearch.MoveWindow(ToRect(l.editSearch));
    m_tab.MoveWindow(ToRect(l.tab));
    CListCtrl* lists[] = {&m_listVideo, &m_listTweet, &m_listChannel, &m_listMusic, &m_listHumor};
    for (CListCtrl* pList : lists) pList->MoveWindow(ToRect(l.list));
    m_btnPlay.MoveWindow(ToRect(l.btnPlay));
    m_btnStop.MoveWindow(ToRect(l.btnStop));
    m_btnPrev.MoveWindow(ToRect(l.btnPrev));
    m_btnNext.MoveWindow(ToRect(l.btnNext));
    m_browser.MoveWindow(-20, -20, 10, 10);
}

BOOL CMainDlg::OnEraseBkgnd(CDC* pDC)
{
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
    switch (m_sections.m_nSection) {
    case core::kSectionSearch:
        exclude(m_listVideo);
        exclude(m_listTweet);
        if (m_sections.m_nTab == 1) excludeTransport();
        break;
    case core::kSectionChannel:
        exclude(m_listChannel);
        excludeTransport();
        break;
    case core::kSectionMusic:
        exclude(m_listMusic);
        excludeTransport();
        break;
    case core::kSectionHumor:
        exclude(m_listHumor);
        break;
    default:
        break;
    }
    m_skin.Paint(pDC, m_layout);
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
    m_skin.Compose(m_hWnd, m_layout);
    const core::Rect* repaint[] = {&m_layout.headerFill, &m_layout.bodyTop,   &m_layout.toolbarMid,
                                   &m_layout.toolbarRight, &m_layout.bodyRight, &m_layout.footerLeft,
                                   &m_layout.footerMid,    &m_layout.footerRight};
    for (const core::Rect* pRect : repaint) {
        const RECT rc = ToRect(*pRect);
        InvalidateRect(&rc, TRUE);
    }
}
