#include "pages/wizard/EndScreen.h"

#include "core/InstallState.h"
#include "pages/wizard/PagePictures.h"

namespace pages {

namespace {
constexpr ui::TColor kMessageBackground = 14671839;
}

std::vector<std::string> EndMessageLines() {
    // After a database step failed, the person chose the old version: it is not a success.
    if (core::State().UpgradeUndone)
        return {"", "Actualizarea nu s-a facut.", "", "Programul si datele sunt", "cele dinaintea ei."};
    return {
        "",
        "Instalarea s-a terminat cu succes!",
        "",
        std::string("Utilizator implicit:  \"") + DefaultUserName + "\", ",
        std::string("cu parola de acces ") + DefaultPassword,
    };
}

TEndScreen::TEndScreen() : TWizardPage(core::PageEndScreen, "Finalizare") {
    Font = BoldPageFont();
    AddStandardButton({PageButton::Back, ui::Bounds(15, 52, 67, 50)});
    AddStandardButton(
        {PageButton::Cancel, ui::Bounds(82, 52, 67, 50), ButtonClass::Push, ui::mkClose, "I&esire", ui::mrOk});

    Memo1 = &Add<ui::TMemo>("Memo1");
    Memo1->SetBounds(160, 31, 326, 77);
    Memo1->Color = kMessageBackground;
    Memo1->Alignment = ui::taCenter;
    Memo1->ReadOnly = true;
    Memo1->TabStop = false;
    Memo1->Lines = EndMessageLines();

    Image1 = &Add<ui::TImage>("Image1");
    Image1->SetBounds(496, 32, 130, 76);
    Image1->Center = true;
    Image1->Transparent = true;
    Image1->Picture = FinishedPicture();
    FormCreate();
}

// Leaving is the next step; Enter must not take the user back.
void TEndScreen::FormCreate() { ActiveControl = BCancel; }

std::unique_ptr<ui::TForm> MakeEndScreen() { return std::make_unique<TEndScreen>(); }

}  // namespace pages
