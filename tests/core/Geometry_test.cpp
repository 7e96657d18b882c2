#include "core/Geometry.h"

#include <gtest/gtest.h>

#include <tuple>

using core::ComputeMainLayout;
using core::Rect;

namespace {

// Client area of the 800 x 550 minimum window with a typical frame.
constexpr int kMinW = 784, kMinH = 511;

std::tuple<int, int, int, int> Edges(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

TEST(Geometry, ResizeKeepsEdgeDistancesAndTheMinimumStillFits)
{
    const core::MainLayout a = ComputeMainLayout(kMinW, kMinH);
    const core::MainLayout b = ComputeMainLayout(kMinW + 317, kMinH + 123);
    EXPECT_EQ(Edges(a.btnSectionHumor), Edges(b.btnSectionHumor));
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

// The toast sits ten pixels in from the work area's corner: a taskbar at the
// left or top moves nothing, only the right and bottom edges count.
TEST(Geometry, VideoBrowserCentredBoxAndToast)
{
    const std::pair<Rect, Rect> cases[] = {
        {core::VideoBrowserRect(800, 478), {-2, -2, 786, 442}},
        {core::CentreRect({0, 0, 1000, 690}, 800, 478), {100, 106, 900, 584}},
        {core::CentreRect({100, 100, 200, 200}, 300, 300), {0, 0, 300, 300}},
        {core::ToastRect({0, 0, 1920, 1040}), {1562, 686, 1910, 1030}},      // taskbar at the bottom
        {core::ToastRect({60, 0, 1920, 1080}), {1562, 726, 1910, 1070}},      // taskbar at the left
        {core::ToastRect({-1280, 0, 0, 984}), {-358, 630, -10, 974}},        // monitor left of the first
    };
    for (const auto& [got, expected] : cases) EXPECT_EQ(Edges(got), Edges(expected));
}
