#include "panel/popup_placement.h"

#include <gtest/gtest.h>

using namespace zendra;

namespace {

// A 1920x1080 screen with a 30-pixel panel at the top: the work area starts below it.
const QRect belowTopPanel(0, 30, 1920, 1050);
const QSize tip(400, 100);

TEST(PopupPlacement, BelowThePanelInsideTheWorkArea) {
    // A host's point inside the panel: the tip goes below the panel, not over the item.
    EXPECT_EQ(popupPosition(tip, QRect(1500, 12, 1, 1), belowTopPanel, PopupAlignment::centred),
              QPoint(1300, 30));
    // The item window below the panel: right under it, and kept inside at the right edge.
    EXPECT_EQ(popupPosition(tip, QRect(1840, 30, 80, 24), belowTopPanel, PopupAlignment::centred),
              QPoint(1520, 54));
    EXPECT_EQ(popupPosition(tip, QRect(1840, 30, 80, 24), belowTopPanel, PopupAlignment::left),
              QPoint(1520, 54));
    // No reported place: under the work area's top-right corner.
    EXPECT_EQ(popupPosition(tip, std::nullopt, belowTopPanel, PopupAlignment::centred), QPoint(1520, 30));
    // A panel at the bottom: above the item, and above the panel for a point inside it.
    const QRect aboveBottomPanel(0, 0, 1920, 1050);
    EXPECT_EQ(popupPosition(tip, QRect(100, 1056, 80, 24), aboveBottomPanel, PopupAlignment::left),
              QPoint(100, 950));
    EXPECT_EQ(popupPosition(tip, QRect(100, 1030, 80, 20), aboveBottomPanel, PopupAlignment::left),
              QPoint(100, 930));
}

} // namespace
