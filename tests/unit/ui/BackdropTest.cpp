#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "core/Backdrop.h"
#include "ui/Application.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/RecordingCanvas.h"

namespace core {
namespace {

class BackdropTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::UseHeadlessBackend();
        ReleaseEmbeddedTypeface();
    }
    void TearDown() override { ReleaseEmbeddedTypeface(); }
    ui::headless::HeadlessBackend& Screen() { return ui::headless::Current(); }
};

TEST(BackdropRules, PanelCentredFifteenPixelsAboveTheMiddle) {
    EXPECT_EQ(PanelPosition(1024, 768, 750, 499), (ui::TPoint{137, 119}));
    EXPECT_EQ(PanelPosition(1024, 749, 750, 499), (ui::TPoint{137, 110}));
    EXPECT_EQ(PanelPosition(640, 480, 750, 499), (ui::TPoint{-55, -24}));  // div truncates toward zero
}

struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(BackdropRules, VersionHasTwoDecimalsAndAPointWhateverTheLocale) {
    EXPECT_EQ(FormatVersion(ProductVersion), "3200853.04");
    EXPECT_EQ(FormatVersion(1.5), "1.50");
    EXPECT_EQ(FormatVersion(0.004), "0.00");
    EXPECT_EQ(FormatVersion(0.999), "1.00");
    const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    const char* cLocale = std::setlocale(LC_NUMERIC, nullptr);
    const std::string savedC = cLocale ? cLocale : "C";
    // Where a comma locale is installed, use it too; the classic one with a comma facet
    // covers the C++ side everywhere.
    for (const char* name : {"de_DE.UTF-8", "ro_RO.UTF-8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name)) break;
    EXPECT_EQ(FormatVersion(ProductVersion), "3200853.04");
    std::setlocale(LC_NUMERIC, savedC.c_str());
    std::locale::global(saved);
}

TEST_F(BackdropTest, DesignAndPlacementOnA1024By768Screen) {
    TInstaller backdrop;
    EXPECT_EQ(backdrop.Caption, "Installer");
    EXPECT_EQ(backdrop.BorderStyle, ui::bsNone);
    EXPECT_EQ(backdrop.Color, 9193992u);
    backdrop.Show();  // maximised: the client area is the whole screen
    EXPECT_EQ(backdrop.ClientWidth(), 1024);
    EXPECT_EQ(backdrop.ClientHeight(), 768);
    EXPECT_EQ(backdrop.Panou->Left, 137);
    EXPECT_EQ(backdrop.Panou->Top, 119);
    EXPECT_EQ(backdrop.Panou->Width, 750);
    EXPECT_EQ(backdrop.Panou->Height, 499);
}

TEST_F(BackdropTest, VersionLabelShownWhiteWithShadowAtTheBottomLeft) {
    TInstaller backdrop;
    backdrop.Show();
    EXPECT_EQ(backdrop.VerLbl->Caption, "@15% ver.3200853.04");
    ui::headless::RecordingCanvas canvas;
    backdrop.VerLbl->Paint(canvas);
    auto texts = canvas.Of(ui::headless::DrawOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, " ver.3200853.04");
    EXPECT_EQ(texts[0].color, ui::headless::SystemColorValue(ui::SystemColorIndex(ui::clBtnShadow)));
    EXPECT_EQ(texts[1].color, ui::clWhite);
    EXPECT_EQ(backdrop.VerLbl->Left, 4);
    EXPECT_EQ(backdrop.VerLbl->Top, 768 - backdrop.VerLbl->Height - 1);
}

TEST_F(BackdropTest, EmbeddedTypefaceRegisteredOnceAndGivenToTheProductName) {
    Screen().SetResource("HelveticaR", std::vector<uint8_t>(44736, 1));
    {
        TInstaller backdrop;
        ASSERT_NE(backdrop.ProductFont(), nullptr);
        EXPECT_EQ(backdrop.lWinTORVEX->Font.Name, "Helvetica Black_r");
        EXPECT_EQ(backdrop.lWinTORVEX->Font.Size(), 78);
        EXPECT_EQ(backdrop.lWinTORVEX->Font.Style, 0);
        EXPECT_EQ(backdrop.lWinTORVEX->Font.Color, ui::clWhite);
        EXPECT_EQ(Screen().FontRegistrations(), 1);
        EXPECT_TRUE(backdrop.LoadFontResource("HelveticaR"));  // again: true, nothing new
        EXPECT_EQ(Screen().FontRegistrations(), 1);
        EXPECT_EQ(Screen().PrivateFonts(), 1);
    }
    // At the end the typeface is removed again.
    EXPECT_EQ(Screen().PrivateFonts(), 0);
    EXPECT_FALSE(EmbeddedTypefaceRegistered());
}

TEST_F(BackdropTest, WithoutTheTypefaceTheDesignedFontStays) {
    TInstaller backdrop;
    EXPECT_EQ(backdrop.ProductFont(), nullptr);
    EXPECT_EQ(backdrop.lWinTORVEX->Font.Height, 104);
    EXPECT_EQ(backdrop.lWinTORVEX->Font.Style, ui::fsBold);
    EXPECT_EQ(Screen().FontRegistrations(), 0);
    EXPECT_FALSE(backdrop.LoadFontResource("Missing"));
}

}  // namespace
}  // namespace core
