// Panels, the painted panel, the bevel and the images.
#pragma once

#include "ui/Bitmap.h"
#include "ui/Control.h"

namespace ui {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
public:
    TPanel();
    Prop<TBevelCut> BevelOuter{bvRaised};
    Prop<TBevelCut> BevelInner{bvNone};
    Prop<int> BevelWidth{1};
    Prop<bool> BorderSingle{false};
    Prop<TAlignment> Alignment{taCenter};

    void Paint(Canvas& canvas) override;
};

// A panel that may paint itself through OnPaint; with its switches off (as this program
// keeps them) it paints as a plain panel of its colour.
class TPaintedPanel : public TPanel {
public:
    TPaintedPanel();
    Prop<bool> UseHGradient{false};
    Prop<bool> UseSecondColor{false};
    Prop<TColor> SecondColor{clBtnFace};
    Prop<bool> UseBorderColor{false};
    Prop<TColor> BorderColor{clBtnFace};
    std::function<void(Canvas&)> OnPaint;

    void Paint(Canvas& canvas) override;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    TBevel();
    Prop<TBevelShape> Shape{bsBox};
    Prop<TBevelStyle> Style{bsLowered};
    void Paint(Canvas& canvas) override;
};

// A picture; the kit's transparent image leaves out its bitmap's transparent colour.
class TImage : public TGraphicControl {
public:
    TImage();
    Prop<TBitmap> Picture;
    Prop<bool> Stretch{false};
    Prop<bool> Center{false};
    void Paint(Canvas& canvas) override;
};

class TTransImage : public TImage {
public:
    TTransImage() { Transparent.SetQuietly(true); }
};

}  // namespace ui
