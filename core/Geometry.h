#pragma once

// Pixel geometry of the main window's skin and controls and of the video
// window's browser. Every rectangle is {left, top, right, bottom}.

namespace core {

struct Rect {
    int left;
    int top;
    int right;
    int bottom;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The skin's four background bands, top to bottom; the body band takes the
// height the other three leave.
constexpr int kHeaderBandHeight = 53;
constexpr int kToolbarBandHeight = 63;
constexpr int kFooterBandHeight = 82;

// Controls sit at fixed distances from the client area's left or right edge;
// the repaint rectangles are the skin pieces that stretch or move on resize.
struct MainLayout {
    Rect btnSectionSearch, btnSectionChannel, btnSectionMusic, btnSectionHumor, editSearch, btnSearch, tab, list,
        btnPlay, btnStop, btnPrev, btnNext;
    Rect headerBand, toolbarBand, bodyBand, footerBand;
    Rect headerFill, toolbarMid, toolbarRight, bodyTop, bodyRight, footerLeft, footerMid, footerRight;
};

// Layout for a client area of the given size (client coordinates).
MainLayout ComputeMainLayout(int clientWidth, int clientHeight);

// The browser in a video window of the given outer size, in client
// coordinates. The browser's own 2-pixel edge lies outside on the left and top.
Rect VideoBrowserRect(int windowWidth, int windowHeight);

// A box of width x height centred on owner (integer division).
Rect CentreRect(const Rect& owner, int width, int height);

// The promotion pop-up and toast, and their browsers, are this size.
constexpr int kPromotionWidth = 348;
constexpr int kPromotionHeight = 344;

// The toast's outer rectangle: 10 pixels in from the right and bottom edges of
// the screen's work area, wherever the taskbar leaves that area.
Rect ToastRect(const Rect& workArea);

}  // namespace core
