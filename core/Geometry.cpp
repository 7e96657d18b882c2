#include "core/Geometry.h"

namespace core {

MainLayout ComputeMainLayout(int clientWidth, int clientHeight)
{
    const int w = clientWidth;
    const int h = clientHeight;
    const int toolbarTop = kHeaderBandHeight;
    const int bodyTop = toolbarTop + kToolbarBandHeight;
    const int footerTop = h - kFooterBandHeight;
    MainLayout l;
    l.btnSectionSearch = {24, 81, 122, 116};
    l.btnSectionChannel = {122, 81, 220, 116};
    l.btnSectionMusic = {220, 81, 318, 116};
    l.btnSectionHumor = {318, 81, 416, 116};
    l.editSearch = {430, 93, w - 150, 106};
    l.btnSearch = {w - 140, 84, w - 75, 113};
    l.tab = {30, 150, w - 24, 170};
    l.list = {20, 170, w - 20, h - 81};
    l.btnPlay = {30, h - 66, 160, h - 36};
    l.btnStop = {165, h - 66, 295, h - 36};
    l.btnPrev = {300, h - 66, 430, h - 36};
    l.btnNext = {435, h - 66, 565, h - 36};

    l.headerBand = {0, 0, w, toolbarTop};
    l.toolbarBand = {0, toolbarTop, w, bodyTop};
    l.bodyBand = {0, bodyTop, w, footerTop};
    l.footerBand = {0, footerTop, w, h};

    l.headerFill = {199, 0, w, toolbarTop};
    l.toolbarMid = {24, toolbarTop, w - 24, bodyTop};
    l.toolbarRight = {w - 24, toolbarTop, w, bodyTop};
    l.bodyTop = {21, bodyTop, w - 21, 170};
    l.bodyRight = {w - 21, bodyTop, w, footerTop};
    l.footerLeft = {0, footerTop, 24, h};
    l.footerMid = {24, footerTop, w - 24, h};
    l.footerRight = {w - 24, footerTop, w, h};
    return l;
}

Rect VideoBrowserRect(int windowWidth, int windowHeight)
{
    return {-2, -2, windowWidth - 14, windowHeight - 36};
}

Rect CentreRect(const Rect& owner, int width, int height)
{
    const int left = owner.left + (owner.right - owner.left - width) / 2;
    const int top = owner.top + (owner.bottom - owner.top - height) / 2;
    return {left, top, left + width, top + height};
}

Rect ToastRect(const Rect& workArea)
{
    const int left = workArea.right - (kPromotionWidth + 10);
    const int top = workArea.bottom - (kPromotionHeight + 10);
    return {left, top, left + kPromotionWidth, top + kPromotionHeight};
}

}  // namespace core
