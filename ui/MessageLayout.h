// Where everything of a message box goes, as a pure function of the measured text, the
// picture and the number of buttons. Halves are taken by integer division.
#pragma once

#include <vector>

#include "ui/Types.h"

namespace ui {

constexpr int MessageButtonWidth = 100;
constexpr int MessageButtonHeight = 28;
constexpr int MessageStripHeight = 43;

struct MessageLayoutInput {
    int textWidth = 0, textHeight = 0;
    int pictureWidth = 0, pictureHeight = 0;
    int buttonCount = 0;
    int titleBarHeight = 25;
};

struct MessageLayout {
    TSize client;                 // the box's client area
    TRect panel;                  // the sunken message panel, in client coordinates
    TRect picture;                // in panel coordinates
    TRect label;                  // in panel coordinates
    int separatorTop = 0, separatorWidth = 0;
    TRect strip;                  // the button strip, in client coordinates
    std::vector<TRect> buttons;   // in strip coordinates, left to right
};

MessageLayout LayoutMessageBox(const MessageLayoutInput& in);

}  // namespace ui
