// Shows one piece of the interface kit so that it can be looked at under Wine:
//   KITDEMO backdrop              the backdrop, maximised (ends after a few seconds)
//   KITDEMO box <kind>            one message box of that kind
//   KITDEMO page                  a sample page over the backdrop
//   KITDEMO blink                 a formatted label with two blinking segments
//   KITDEMO name                  a name that is not UTF-8 beside the same name in UTF-8
//   KITDEMO plain TEXT            the platform's plain message dialog
#include <windows.h>

#include <cstring>
#include <string>

#include "core/Backdrop.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WideText.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Labels.h"
#include "ui/MessageBox.h"
#include "ui/PageKeys.h"
#include "ui/StdControls.h"
#include "ui/TitleBar.h"

namespace {

class SamplePage : public ui::TTitleForm {
public:
    SamplePage() : ui::TTitleForm("TSamplePage") {
        Caption = "Pagina de proba";
        BorderStyle = ui::bsDialog;
        BorderIcons = ui::biSystemMenu;
        KeyPreview = true;
        Font = ui::FontSpec{"MS Sans Serif", 11, ui::fsBold, ui::clWindowText};
        SetClientSize(637, 214);
        AddTitleBar("Alegeti directoarele destinatie!");

        auto& panel = Add<ui::TPanel>("Panel");
        panel.BevelOuter = ui::bvLowered;
        panel.SetBounds(180, 32, 450, 120);
        auto& label = panel.Add<ui::TActiveLabel>("LProgram");
        label.Caption = "&Program:";
        label.SetBounds(10, 14, 60, 16);
        auto& edit = panel.Add<ui::TActiveEdit>("RProgram");
        edit.SetBounds(80, 10, 300, 21);
        edit.FlatStyle = true;
        edit.BorderColor = 0xCFCFCF;
        edit.BorderColorF = 0xA9A9A9;
        edit.AssocLabel = &label;
        edit.Text = "C:\\WinTorv\\";
        auto& fmt = panel.Add<ui::TFmtLabel>("LFmt");
        fmt.Transparent = true;
        fmt.ShadowColor = ui::clGray;
        fmt.SetBounds(10, 44, 10, 10);
        fmt.Caption = "Text @9rosu$2 bold $0si %@12umbra\\@ ~clipeste";
        auto& gauge = panel.Add<ui::TGauge>("UnzipProgress");
        gauge.SetBounds(10, 84, 300, 20);
        gauge.Progress = 50;  // the percentage straddles the end of the bar
        auto& check = panel.Add<ui::TCheckBox>("Ck1");
        check.Caption = "&Verificare";
        check.Checked = true;
        check.SetBounds(330, 84, 100, 20);

        auto& back = Add<ui::TMButton>("BBack");
        back.Caption = "&Inapoi";
        back.ModalResult = ui::mrRetry;
        back.ButtonLayout = ui::blGlyphTop;
        back.Kind = ui::mknPrev;
        back.SetBounds(17, 52, 67, 50);
        auto& next = Add<ui::TMButton>("BNext");
        next.Caption = "&Continua";
        next.ModalResult = ui::mrOk;
        next.ButtonLayout = ui::blGlyphTop;
        next.Kind = ui::mknNext;
        next.SetBounds(90, 52, 67, 50);
        auto& cancel = Add<ui::TNiceButton>("BCancel");
        cancel.Kind = ui::mkCancel;
        cancel.Caption = "&Abandon";
        cancel.SetBounds(17, 170, 140, 28);
        FormCreate();
    }
    void FormKeyDown(int& key, ui::TShiftState shift) override { ui::HandlePageKeys(*this, key, shift); }
};

// A closable window with labels on white, for looking at how labels draw.
class LabelWindow : public ui::TForm {
public:
    explicit LabelWindow(const std::string& title) : ui::TForm("TLabelWindow") {
        Caption = title;
        BorderStyle = ui::bsDialog;
        BorderIcons = ui::biSystemMenu;
        Color = ui::clWhite;
        SetClientSize(360, 140);
        Left = (ui::ScreenWidth() - Width) / 2;
        Top = (ui::ScreenHeight() - Height) / 2;
    }
    ui::TFmtLabel& AddLabel(const std::string& name, int top, const std::string& caption) {
        auto& label = Add<ui::TFmtLabel>(name);
        label.Transparent = true;
        label.Font = ui::FontSpec{"MS Sans Serif", 24, ui::fsBold, ui::clBlack};
        label.SetBounds(20, top, 10, 10);
        label.Caption = caption;
        return label;
    }
};

int ShowBlinkingLabel() {
    LabelWindow window("Clipire");
    window.AddLabel("LBlink", 40, "@9~WWWW~ - ~WWWW");
    return window.ShowModal();
}

// "Situa" + the byte 0xFE + "ie": a name as a DOS-era program wrote it, not UTF-8. The
// second label holds what the system's code page makes of it, in UTF-8.
int ShowNonUtf8Name() {
    const std::string raw = "Situa\xFEie";
    wchar_t wide[16] = {};
    MultiByteToWideChar(CP_ACP, 0, raw.data(), int(raw.size()), wide, 15);
    LabelWindow window("Nume vechi");
    window.AddLabel("LRaw", 20, raw);
    window.AddLabel("LUtf8", 70, plat::Narrow(wide));
    return window.ShowModal();
}

ui::TMsgDlgType KindNamed(const char* name) {
    if (!std::strcmp(name, "error")) return ui::mtError;
    if (!std::strcmp(name, "information")) return ui::mtInformation;
    if (!std::strcmp(name, "confirmation")) return ui::mtConfirmation;
    return ui::mtWarning;
}

int ShowBox(ui::TMsgDlgType kind) {
    switch (kind) {
        case ui::mtError:
            return ui::ShowMessageBox("Nu am putut incarca UPGRADE.DLL", "Program incomplet!", ui::mtError,
                                      ui::taCenter, ui::Buttons({ui::mbCancel}), ui::mbCancel, 0);
        case ui::mtConfirmation:
            return ui::ShowMessageBox("Fac UPGRADE la baza de date de pe SERVER?", "UPGRADE baza de date SERVER ?",
                                      ui::mtConfirmation, ui::taCenter, ui::Buttons({ui::mbYes, ui::mbNo}),
                                      ui::mbNo, 0);
        case ui::mtInformation:
            return ui::ShowMessageBox("Instalarea s-a terminat cu succes!\rUtilizator implicit: \"Master\"", "",
                                      ui::mtInformation, ui::taCenter, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
        default:
            ui::MessageHeading = "Pentru continuare";
            return ui::ShowMessageBox("Introduceti discul 2 in unitatea A:", "", ui::mtWarning, ui::taCenter,
                                      ui::Buttons({ui::mbOK, ui::mbCancel}), ui::mbOK, 0);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ui::UseWin32Backend(instance);
    const std::string mode = __argc > 1 ? __argv[1] : "page";
    if (mode == "box") return ShowBox(KindNamed(__argc > 2 ? __argv[2] : "warning"));
    if (mode == "blink") return ShowBlinkingLabel();
    if (mode == "name") return ShowNonUtf8Name();
    if (mode == "plain") {
        plat::Win32Platform platform;
        platform.ShowPlainMessage(__argc > 2 ? __argv[2] : "");
        return 0;
    }

    core::TInstaller backdrop;
    ui::SetMainForm(&backdrop);
    backdrop.Show();
    int result = 0;
    if (mode == "backdrop") {
        // Stays up until the program is closed from outside (or 60 seconds pass).
        bool done = false;
        int timer = ui::StartTimer(60000, [&] { done = true; });
        while (!done) {
            WaitMessage();
            ui::ProcessMessages();
            if (!IsWindow(static_cast<HWND>(backdrop.Handle))) break;
        }
        ui::StopTimer(timer);
    } else {
        SamplePage page;
        page.Left = (ui::ScreenWidth() - page.Width) / 2;
        page.Top = ((ui::ScreenHeight() - page.Height) / 9) * 8;
        result = page.ShowModal();
    }
    ui::SetMainForm(nullptr);
    return result;
}
