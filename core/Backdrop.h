// The main window: a borderless, maximised backdrop in the product's colour behind the
// wizard's pages, with the product's artwork and name on a centred panel, the version at
// the bottom left and the maker's web address at the bottom right. The product name is
// drawn in a typeface the program carries as the raw-data resource "HelveticaR" and
// registers for its own use only.
#pragma once

#include <memory>
#include <string>

#include "product/ProgramIdentity.h"
#include "ui/Form.h"
#include "ui/Labels.h"
#include "ui/Panels.h"

namespace core {

// The number form of the program's version (32.0.853.4 is 3200853.04).
constexpr double ProductVersion = product::kVersionNumber;
constexpr ui::TColor BackdropColor = ui::RgbColor(8, 74, 140);  // 9193992

// The version as the pattern "0.#0" gives it: two decimals, "." whatever the locale.
std::string FormatVersion(double value);
// Where the panel goes in a client area: centred, 15 pixels above the middle.
ui::TPoint PanelPosition(int clientWidth, int clientHeight, int panelWidth, int panelHeight);

class TInstaller : public ui::TForm {
public:
    TInstaller();
    ~TInstaller() override;

    ui::TLabel* Label1 = nullptr;
    ui::TFmtLabel* VerLbl = nullptr;
    ui::TPaintedPanel* Panou = nullptr;
    ui::TTransImage* Image1 = nullptr;
    ui::TTransImage* Image4 = nullptr;
    ui::TTransImage* TransImage1 = nullptr;
    ui::TLabel* lWinTORVEX = nullptr;

    void FormCreate() override;
    void FormShow() override;
    void FormResize() override;
    void FormDestroy() override;
    // Registers the embedded typeface for this process; true when it is registered
    // (also when it already was).
    bool LoadFontResource(const std::string& resourceName);

    // The font object of the product name, when the typeface was registered.
    const ui::TFont* ProductFont() const { return font_.get(); }

private:
    std::unique_ptr<ui::TFont> font_;
};

// Unregisters the embedded typeface at program end (nothing when it was not registered).
void ReleaseEmbeddedTypeface();
bool EmbeddedTypefaceRegistered();

}  // namespace core
