#include "ui/MessageLayout.h"

#include <algorithm>

namespace ui {

MessageLayout LayoutMessageBox(const MessageLayoutInput& in) {
    MessageLayout out;
    const int TW = in.textWidth, TH = in.textHeight, PW = in.pictureWidth, PH = in.pictureHeight;
    const int contentWidth = TW + 32 + PW + 10;
    const int contentHeight = std::max(PH + 20, TH + 32);
    const int stripWidth = MessageButtonWidth * in.buttonCount + 32;

    const int panelWidth = std::max({150, contentWidth, stripWidth});
    const int panelHeight = std::max(55, contentHeight);
    out.panel = Bounds(16, in.titleBarHeight + 16, panelWidth, panelHeight);
    out.client = {panelWidth + 32, in.titleBarHeight + panelHeight + 58 + 32};

    out.separatorTop = in.titleBarHeight + panelHeight + 32;
    out.separatorWidth = out.client.cx;
    out.strip = Bounds((out.client.cx - stripWidth) / 2, out.separatorTop + 8, stripWidth,
                       MessageStripHeight);

    int pictureTop, labelTop;
    if (PH > TH) {
        pictureTop = 10;
        labelTop = PH / 2 + 10 - TH / 2;
    } else {
        labelTop = 16;
        pictureTop = TH / 2 - PH / 2 + 16;
    }
    const int labelLeft = (panelWidth - 10 - PW - TW) / 2 + 10 + PW;
    out.picture = Bounds(10, pictureTop, PW, PH);
    out.label = Bounds(labelLeft, labelTop, TW, TH);

    for (int i = 0; i < in.buttonCount; ++i)
        out.buttons.push_back(Bounds(16 + i * MessageButtonWidth, 8, MessageButtonWidth, MessageButtonHeight));
    return out;
}

}  // namespace ui
