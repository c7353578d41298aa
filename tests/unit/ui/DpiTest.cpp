// Units above 96 DPI: places come back, text fits, neighbours touch, frames keep both edges.
#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Panels.h"
#include "ui/ScaledCanvas.h"
#include "ui/headless/RecordingCanvas.h"

namespace ui {
namespace {

TEST(DpiScale, PlacesComeBackAndMeasuredTextFits) {
    for (int ppi : {96, 120, 144, 192})
        for (int n = -50; n <= 1100; ++n) {
            ASSERT_EQ(DpiScale(ppi).Units(DpiScale(ppi).Pixels(n)), n) << ppi << " dpi";
            ASSERT_GE(DpiScale(ppi).Pixels(DpiScale(ppi).UnitsCovering(n)), n) << ppi << " dpi";
        }
}

TEST(PixelBounds, NeighboursAndFilledParentsLeaveNoGap) {
    UseHeadlessBackend();
    TForm form;
    auto& panel = form.Add<TPanel>("Panel");
    panel.SetBounds(137, 31, 301, 99);  // odd places, rounded differently at each scale
    auto& left = panel.Add<TPanel>("Left");
    left.SetBounds(1, 3, 25, 20);
    auto& right = panel.Add<TPanel>("Right");
    right.SetBounds(26, 3, 27, 20);
    auto& bottom = panel.Add<TPanel>("Fill").Add<TPanel>("Bottom");  // a grandchild on the edges
    bottom.SetBounds(0, 23, 301, 76);
    for (int ppi : {96, 120, 144, 192}) {
        const DpiScale scale(ppi);
        const TRect p = PixelBounds(panel, scale), b = PixelBounds(bottom, scale);
        EXPECT_EQ(PixelBounds(left, scale).Right, PixelBounds(right, scale).Left) << ppi << " dpi";
        EXPECT_EQ((TPoint{b.Right, b.Bottom}), (TPoint{p.Width(), p.Height()})) << ppi << " dpi";
    }
}

TEST(ScaledCanvas, FramesKeepBothEdges) {
    // At 144 DPI 27 x 13 units at (1, 1) cover pixels 0..40 x 0..19: the frame is two pixels
    // wide, its outer lines on the edges: right (39, 38), bottom (18, 17).
    headless::RecordingCanvas pixels;
    ScaledCanvas(pixels, DpiScale(144), {1, 1}).Frame3D({0, 0, 27, 13}, clBtnShadow, clWhite);
    std::vector<TPoint> bottomRight;
    for (const headless::DrawOp& line : pixels.Of(headless::DrawOp::Line))
        if (line.color == clWhite) bottomRight.push_back({line.rect.Left, line.rect.Top});
    EXPECT_EQ(bottomRight, (std::vector<TPoint>{{39, 0}, {39, 18}, {38, 1}, {38, 17}}));
}

}  // namespace
}  // namespace ui
