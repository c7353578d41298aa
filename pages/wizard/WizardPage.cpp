#include "pages/wizard/WizardPage.h"

#include <memory>

#include "core/InstallState.h"
#include "pages/wizard/PageTable.h"
#include "ui/PageKeys.h"

namespace pages {

namespace {

struct StandardButton {
    const char* name;
    const char* caption;
    int modalResult;
    ui::TMButtonKind defaultKind;
    // The picture a custom-kind button shows (the kit's arrows), or mkCustom for none.
    ui::TMButtonKind glyphOf;
};

const StandardButton& StandardButtonOf(PageButton role) {
    static const StandardButton table[] = {
        {"BBack", "&Inapoi", ui::mrRetry, ui::mkCustom, ui::mknPrev},
        {"BNext", "&Continua", ui::mrOk, ui::mkCustom, ui::mknNext},
        {"BCancel", "&Abandon", ui::mrCancel, ui::mkCancel, ui::mkCustom},
    };
    return table[static_cast<int>(role)];
}

template <class Button>
ui::TButtonControl& Configure(Button& button, const PageButtonSpec& spec, const StandardButton& standard) {
    button.Kind = spec.kind == ui::mkCustom ? standard.defaultKind : spec.kind;
    button.Caption = spec.caption.empty() ? standard.caption : spec.caption;
    button.ModalResult = spec.modalResult >= 0 ? spec.modalResult : standard.modalResult;
    if (button.Kind == ui::mkCustom && standard.glyphOf != ui::mkCustom) {
        button.Glyph = ui::KindGlyph(standard.glyphOf);
        button.NumGlyphs = 1;
    }
    return button;
}

}  // namespace

ui::FontSpec BoldPageFont() { return ui::FontSpec{"MS Sans Serif", 11, ui::fsBold, ui::clWindowText}; }

TWizardPage::TWizardPage(int pageNo, const std::string& title, int clientWidth, int clientHeight)
    : TWizardPage(PageTable()[size_t(pageNo)].name, pageNo, title, clientWidth, clientHeight) {}

TWizardPage::TWizardPage(std::string className, int pageNo, const std::string& title, int clientWidth,
                         int clientHeight)
    : ui::TTitleForm(std::move(className)) {
    core::State().PageNo = static_cast<uint8_t>(pageNo);
    Caption = title;
    BorderStyle = ui::bsDialog;
    BorderIcons = ui::biSystemMenu;
    KeyPreview = true;
    SetClientSize(clientWidth, clientHeight);
    AddTitleBar(title);
}

void TWizardPage::FormKeyDown(int& key, ui::TShiftState shift) { ui::HandlePageKeys(*this, key, shift); }

ui::TButtonControl& TWizardPage::AddStandardButton(const PageButtonSpec& spec) {
    const StandardButton& standard = StandardButtonOf(spec.role);
    const bool nice = spec.buttonClass == ButtonClass::Nice;
    ui::TButtonControl* button = nullptr;
    if (nice)
        button = &Configure(Add<ui::TNiceButton>(standard.name), spec, standard);
    else
        button = &Configure(Add<ui::TMButton>(standard.name), spec, standard);
    button->ButtonLayout = spec.layout.value_or(nice ? ui::blGlyphLeft : ui::blGlyphTop);
    button->SetBounds(spec.bounds.Left, spec.bounds.Top, spec.bounds.Width(), spec.bounds.Height());
    switch (spec.role) {
        case PageButton::Back: BBack = button; break;
        case PageButton::Next: BNext = button; break;
        case PageButton::Cancel: BCancel = button; break;
    }
    return *button;
}

TWizardPage::WorkingGuard::WorkingGuard(TWizardPage& page)
    : saved_{{page.BBack, false}, {page.BNext, false}, {page.BCancel, false}} {
    for (Saved& entry : saved_) {
        if (!entry.button) continue;
        entry.enabled = entry.button->Enabled;
        entry.button->Enabled = false;
    }
}

TWizardPage::WorkingGuard::~WorkingGuard() {
    for (const Saved& entry : saved_)
        if (entry.button && entry.enabled) entry.button->Enabled = true;
}

}  // namespace pages
