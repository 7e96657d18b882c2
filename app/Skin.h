#pragma once

// CSkin: the main window's skinned background. It loads the pieces from the
// resources, composes the four bands (header, toolbar, body, footer) at the
// window's width whenever the layout changes (the body as the one row all its
// rows repeat), and copies them to the screen on erase. It owns every GDI
// object it makes; each band's memory context gives back the bitmap it held
// first before it goes.

#include <windows.h>

#include "core/Geometry.h"
#include "framework/Bitmap.h"
#include "framework/Dc.h"

// A layout rectangle as the platform takes it.
RECT ToRect(const core::Rect& rc);

class CSkin {
public:
    CSkin() = default;
    ~CSkin();
    CSkin(const CSkin&) = delete;
    CSkin& operator=(const CSkin&) = delete;

    void LoadPieces();
    // Composes the bands for the layout, with contexts compatible with the window's.
    void Compose(HWND hWnd, const core::MainLayout& layout);
    // Copies the composed bands to their places (what the context's clipping lets through).
    void Paint(CDC* pDC, const core::MainLayout& layout);

private:
    // One band: its composing contexts, the bitmap the memory context held
    // first, and the composed bitmap.
    struct Band {
        CDC* pMemDC = nullptr;
        CDC* pSrcDC = nullptr;
        HBITMAP hOldBmp = nullptr;
        CBitmap bmpComposed;
    };
    // Frees the band's last composition and starts a new one `width` x `height`;
    // false when there is nothing to compose.
    static bool BeginBand(HWND hWnd, Band& band, int width, int height);
    static void FreeBand(Band& band);

    void BuildHeaderBand(HWND hWnd, const core::Rect& rc);
    void BuildToolbarBand(HWND hWnd, const core::Rect& rc);
    void BuildBodyBand(HWND hWnd, const core::Rect& rc);
    void BuildFooterBand(HWND hWnd, const core::Rect& rc);

    Band m_header, m_toolbar, m_body, m_footer;
    CBitmap m_bmpHeaderLogo, m_bmpHeaderFill;
    CBitmap m_bmpToolbarLeft, m_bmpToolbarFill, m_bmpToolbarRight;
    CBitmap m_bmpSearchLeft, m_bmpSearchFill, m_bmpSearchRight;
    CBitmap m_bmpBodyLeft, m_bmpBodyRight;
    CBitmap m_bmpFooterLeft, m_bmpFooterFill, m_bmpFooterRight;
};
