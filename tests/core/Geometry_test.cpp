#include "core/Geometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace core {

bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& os, const Rect& r)
{
    return os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

}  // namespace core

using core::ComputeMainLayout;
using core::Rect;

namespace {

// Client area of the 1000 x 690 start-up window and of the 800 x 550 minimum,
// with a typical frame (16 wide, 39 high with the caption and menu).
constexpr int kW = 984, kH = 651;
constexpr int kMinW = 784, kMinH = 511;

}  // namespace

TEST(Geometry, ControlRectangles)
{
    const core::MainLayout l = ComputeMainLayout(kW, kH);
    EXPECT_EQ(l.btnSectionSearch, (Rect{24, 81, 122, 116}));
    EXPECT_EQ(l.btnSectionHumor, (Rect{318, 81, 416, 116}));
    EXPECT_EQ(l.editSearch, (Rect{430, 93, 834, 106}));
    EXPECT_EQ(l.btnSearch, (Rect{844, 84, 909, 113}));
    EXPECT_EQ(l.tab, (Rect{30, 150, 960, 170}));
    EXPECT_EQ(l.list, (Rect{20, 170, 964, 570}));
    EXPECT_EQ(l.btnPlay, (Rect{30, 585, 160, 615}));
    EXPECT_EQ(l.btnNext, (Rect{435, 585, 565, 615}));
    EXPECT_EQ(l.bodyRight, (Rect{963, 116, 984, 569}));
    EXPECT_EQ(l.footerMid, (Rect{24, 569, 960, 651}));
}

TEST(Geometry, ButtonRowsAreContiguous)
{
    const core::MainLayout l = ComputeMainLayout(kW, kH);
    const Rect sections[] = {l.btnSectionSearch, l.btnSectionChannel, l.btnSectionMusic, l.btnSectionHumor};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(sections[i].right - sections[i].left, 98);
        EXPECT_EQ(sections[i].bottom - sections[i].top, 35);
        if (i > 0) {
            EXPECT_EQ(sections[i].left, sections[i - 1].right);
        }
    }
    const Rect transport[] = {l.btnPlay, l.btnStop, l.btnPrev, l.btnNext};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(transport[i].right - transport[i].left, 130);
        EXPECT_EQ(transport[i].bottom - transport[i].top, 30);
        if (i > 0) {
            EXPECT_EQ(transport[i].left, transport[i - 1].right + 5);
        }
    }
}

TEST(Geometry, ResizeKeepsEdgeDistances)
{
    const core::MainLayout a = ComputeMainLayout(kMinW, kMinH);
    const core::MainLayout b = ComputeMainLayout(kMinW + 317, kMinH + 123);
    const Rect aLeft[] = {a.btnSectionSearch, a.btnSectionHumor, a.footerLeft};
    const Rect bLeft[] = {b.btnSectionSearch, b.btnSectionHumor, b.footerLeft};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(aLeft[i].left, bLeft[i].left);
        EXPECT_EQ(aLeft[i].right, bLeft[i].right);
    }
    EXPECT_EQ(a.editSearch.left, b.editSearch.left);
    EXPECT_EQ(b.editSearch.right - a.editSearch.right, 317);
    EXPECT_EQ(b.btnSearch.left - a.btnSearch.left, 317);
    EXPECT_EQ(b.list.right - a.list.right, 317);
    EXPECT_EQ(b.list.bottom - a.list.bottom, 123);
    EXPECT_EQ(b.btnPlay.top - a.btnPlay.top, 123);
    EXPECT_EQ(a.btnPlay.left, b.btnPlay.left);
}

TEST(Geometry, MinimumSizeStillFits)
{
    const core::MainLayout l = ComputeMainLayout(kMinW, kMinH);
    EXPECT_LT(l.editSearch.left, l.editSearch.right);
    EXPECT_LT(l.editSearch.right, l.btnSearch.left);
    EXPECT_LE(l.btnNext.right, l.footerMid.right);
    EXPECT_GT(l.list.bottom, l.list.top);
    EXPECT_EQ(l.footerRight.right, kMinW);
    EXPECT_EQ(l.footerRight.bottom, kMinH);
}

TEST(Geometry, VideoBrowserRect)
{
    EXPECT_EQ(core::VideoBrowserRect(800, 478), (Rect{-2, -2, 786, 442}));
    EXPECT_EQ(core::VideoBrowserRect(370, 240), (Rect{-2, -2, 356, 204}));
}

TEST(Geometry, CentreRect)
{
    EXPECT_EQ(core::CentreRect({0, 0, 1000, 690}, 800, 478), (Rect{100, 106, 900, 584}));
    EXPECT_EQ(core::CentreRect({50, 20, 151, 121}, 10, 10), (Rect{95, 65, 105, 75}));
    EXPECT_EQ(core::CentreRect({100, 100, 200, 200}, 300, 300), (Rect{0, 0, 300, 300}));
}

TEST(Geometry, ToastSitsTenPixelsInFromTheWorkAreasCorner)
{
    const struct {
        const char* taskbar;
        Rect workArea;
        Rect toast;
    } cases[] = {
        {"bottom", {0, 0, 1920, 1040}, {1562, 686, 1910, 1030}},
        {"left", {60, 0, 1920, 1080}, {1562, 726, 1910, 1070}},
        {"top", {0, 40, 1920, 1080}, {1562, 726, 1910, 1070}},
        {"right", {0, 0, 1860, 1080}, {1502, 726, 1850, 1070}},
        {"second monitor left of the first", {-1280, 0, 0, 984}, {-358, 630, -10, 974}},
        {"second monitor below and right", {1920, 1080, 3200, 2064}, {2842, 1710, 3190, 2054}},
    };
    for (const auto& c : cases) EXPECT_EQ(core::ToastRect(c.workArea), c.toast) << c.taskbar;
}
