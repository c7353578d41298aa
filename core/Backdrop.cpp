#include "core/Backdrop.h"

#include <cmath>
#include <cstdlib>

#include "core/BackdropArt.h"
#include "ui/Application.h"

namespace core {

namespace {

// The registered typeface lives for the process, whichever window asked for it.
void* typeface = nullptr;

constexpr const char* kTypefaceResource = "HelveticaR";
constexpr const char* kTypefaceName = "Helvetica Black_r";
constexpr const char* kWebAddress = "www.torvex.ro   ";

}  // namespace

std::string FormatVersion(double value) {
    // Whole hundredths, so no locale's separator or rounding mode enters.
    const long long hundredths = std::llround(std::fabs(value) * 100.0);
    const long long whole = hundredths / 100, fraction = hundredths % 100;
    std::string text;
    if (value < 0 && hundredths != 0) text += '-';
    text += std::to_string(whole);
    text += '.';
    if (fraction < 10) text += '0';
    text += std::to_string(fraction);
    return text;
}

ui::TPoint PanelPosition(int clientWidth, int clientHeight, int panelWidth, int panelHeight) {
    return {(clientWidth - panelWidth) / 2, (clientHeight - panelHeight) / 2 - 15};
}

TInstaller::TInstaller() : ui::TForm("TInstaller") {
    Name = "Installer";
    Caption = "Installer";
    BorderStyle = ui::bsNone;
    BorderIcons = 0;
    WindowState = ui::wsMaximized;
    Color = BackdropColor;
    SetClientSize(1024, 749);

    ui::FontSpec small{"MS Sans Serif", 13, 0, ui::clWhite};
    Label1 = &Add<ui::TLabel>("Label1");
    Label1->AutoSize = false;
    Label1->Transparent = true;
    Label1->Alignment = ui::taRightJustify;
    Label1->Font = small;
    Label1->Height = 16;
    Label1->Caption = kWebAddress;
    Label1->Align = ui::alBottom;

    VerLbl = &Add<ui::TFmtLabel>("VerLbl");
    VerLbl->Transparent = true;
    VerLbl->Font = small;
    VerLbl->ShadowColor = ui::clBtnShadow;
    VerLbl->SetBounds(4, 700, 10, 16);
    VerLbl->Align = ui::alMBottom;

    Panou = &Add<ui::TPaintedPanel>("Panou");
    Panou->BevelOuter = ui::bvNone;
    Panou->ParentColor = true;
    Panou->SetBounds(137, 110, 750, 499);

    Image1 = &Panou->Add<ui::TTransImage>("Image1");
    Image1->SetBounds(226, -3, 446, 218);
    Image1->Picture = LedgerArtwork();
    Image4 = &Panou->Add<ui::TTransImage>("Image4");
    Image4->SetBounds(226, 319, 197, 70);
    Image4->Picture = BannerArtwork();

    lWinTORVEX = &Panou->Add<ui::TLabel>("lWinTORVEX");
    lWinTORVEX->AutoSize = false;
    lWinTORVEX->Transparent = true;
    lWinTORVEX->ShowAccelChar = false;
    lWinTORVEX->Font = ui::FontSpec{"Helvetica Black_r", 104, ui::fsBold, ui::clWhite};
    lWinTORVEX->SetBounds(15, 203, 706, 132);
    lWinTORVEX->Caption = "WinTORVEX";

    // The coin stack is the dot of the name's "i": made after the name, it lies above it.
    TransImage1 = &Panou->Add<ui::TTransImage>("TransImage1");
    TransImage1->SetBounds(122, 199, 65, 45);
    TransImage1->Picture = CoinArtwork();
    TransImage1->Transparent = false;

    FormCreate();
}

TInstaller::~TInstaller() {
    FormDestroy();
    ReleaseEmbeddedTypeface();
}

void TInstaller::FormCreate() {
    font_.reset();
    if (!LoadFontResource(kTypefaceResource)) return;  // the designed font stays
    font_ = std::make_unique<ui::TFont>(ui::FontSpec{kTypefaceName, 0, 0, ui::clWhite});
    font_->SetSize(78);
    lWinTORVEX->Font = *font_;
}

void TInstaller::FormShow() {
    std::string caption = "@15% ver.";
    caption += FormatVersion(ProductVersion);
    VerLbl->Caption = caption;
}

void TInstaller::FormResize() {
    if (!Panou) return;
    ui::TPoint at = PanelPosition(ClientWidth(), ClientHeight(), Panou->Width, Panou->Height);
    Panou->SetBounds(at.X, at.Y, Panou->Width, Panou->Height);
    if (VerLbl) VerLbl->UpdatePlacement();
}

void TInstaller::FormDestroy() { font_.reset(); }

bool TInstaller::LoadFontResource(const std::string& resourceName) {
    if (typeface) return true;
    std::optional<std::vector<uint8_t>> bytes = ui::LoadRawResource(resourceName);
    typeface = bytes ? ui::AddPrivateFont(*bytes) : nullptr;
    return typeface != nullptr;
}

void ReleaseEmbeddedTypeface() {
    if (!typeface) return;
    ui::RemovePrivateFont(typeface);
    typeface = nullptr;
}

bool EmbeddedTypefaceRegistered() { return typeface != nullptr; }

}  // namespace core
