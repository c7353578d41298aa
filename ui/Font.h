// A font description: face name, character height in pixels, style and colour.
// Assigning to any member notifies the owning control, which repaints.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/Prop.h"
#include "ui/Types.h"

namespace ui {

using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

// A font's values without the owner's hook, for copying, comparing and drawing.
struct FontSpec {
    std::string Name = "MS Sans Serif";
    int Height = 11;  // character height in pixels (the platform's "-Height")
    TFontStyles Style = 0;
    TColor Color = clWindowText;
    bool operator==(const FontSpec&) const = default;
};

// value * numerator / denominator, halves away from zero, as the platform's MulDiv.
int MulDivRound(int value, int numerator, int denominator);
// Points and pixels at the screen's pixels per inch, rounded as the platform does.
int PointsToPixels(int points, int pixelsPerInch = 96);
int PixelsToPoints(int pixels, int pixelsPerInch = 96);

class TFont {
public:
    TFont() { Hook(); }
    explicit TFont(const FontSpec& spec) { Assign(spec); Hook(); }
    TFont(const TFont& other) : TFont(other.Spec()) {}
    TFont& operator=(const TFont& other) { Assign(other.Spec()); return *this; }
    TFont& operator=(const FontSpec& spec) { Assign(spec); return *this; }

    Prop<std::string> Name{"MS Sans Serif"};
    Prop<int> Height{11};
    Prop<TFontStyles> Style{0};
    Prop<TColor> Color{clWindowText};

    int Size() const { return PixelsToPoints(Height); }
    void SetSize(int points) { Height = PointsToPixels(points); }
    bool Bold() const { return (Style.get() & fsBold) != 0; }

    FontSpec Spec() const { return {Name, Height, Style, Color}; }
    void Assign(const FontSpec& spec);

    // Called after any member changed; the owning control sets it.
    void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    void Hook();
    void Changed() { if (changed_ && !assigning_) changed_(); }
    std::function<void()> changed_;
    bool assigning_ = false;
};

}  // namespace ui
