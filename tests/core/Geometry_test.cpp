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

// Client area of the 800 x 550 minimum window with a typical frame.
constexpr int kMinW = 784, kMinH = 511;

}  // namespace

TEST(Geometry, ResizeKeepsEdgeDistancesAndTheMinimumStillFits)
{
    const core::MainLayout a = ComputeMainLayout(kMinW, kMinH);
    const core::MainLayout b = ComputeMainLayout(kMinW + 317, kMinH + 123);
    EXPECT_EQ(a.btnSectionHumor, b.btnSectionHumor);
    EXPECT_EQ(a.editSearch.left, b.editSearch.left);
    EXPECT_EQ(b.editSearch.right - a.editSearch.right, 317);
    EXPECT_EQ(b.list.right - a.list.right, 317);
    EXPECT_EQ(b.list.bottom - a.list.bottom, 123);
    EXPECT_EQ(b.btnPlay.top - a.btnPlay.top, 123);
    EXPECT_EQ(a.footerLeft.right, b.footerLeft.right);

    EXPECT_LT(a.editSearch.right, a.btnSearch.left);
    EXPECT_LE(a.btnNext.right, a.footerMid.right);
    EXPECT_EQ(a.footerRight.right, kMinW);
    EXPECT_EQ(a.footerRight.bottom, kMinH);
}

TEST(Geometry, VideoBrowserAndCentredBox)
{
    EXPECT_EQ(core::VideoBrowserRect(800, 478), (Rect{-2, -2, 786, 442}));
    EXPECT_EQ(core::CentreRect({0, 0, 1000, 690}, 800, 478), (Rect{100, 106, 900, 584}));
    EXPECT_EQ(core::CentreRect({100, 100, 200, 200}, 300, 300), (Rect{0, 0, 300, 300}));
}

TEST(Geometry, ToastSitsTenPixelsInFromTheWorkAreasCorner)
{
    const struct {
        const char* taskbar;
        Rect workArea;
        Rect toast;
    } cases[] = {
        // A taskbar at the left or top moves nothing: only the right and bottom edges count.
        {"bottom", {0, 0, 1920, 1040}, {1562, 686, 1910, 1030}}, {"left", {60, 0, 1920, 1080}, {1562, 726, 1910, 1070}},
        {"second monitor left of the first", {-1280, 0, 0, 984}, {-358, 630, -10, 974}},
    };
    for (const auto& c : cases) EXPECT_EQ(core::ToastRect(c.workArea), c.toast) << c.taskbar;
}
