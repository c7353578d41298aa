// What every wizard page shares. A page derives from TWizardPage, which records the
// page's number in the installation state, makes the window a fixed dialog with key
// preview on, adds the title bar and handles Alt+M. The page then adds the standard
// buttons it has, each described by a row (class, kind, place), its own controls, and
// ends its constructor with FormCreate():
//
//   TIType::TIType() : TWizardPage("TIType", 0, "Alegeti tipul instalarii!") {
//       Font = BoldPageFont();
//       AddStandardButton({PageButton::Cancel, ui::Bounds(17, 52, 67, 50)});
//       AddStandardButton({PageButton::Next, ui::Bounds(84, 52, 67, 50)});
//       ... the page's own controls ...
//       FormCreate();
//   }
//
// Standard buttons are BBack "&Inapoi" (result 4, Back), BNext "&Continua" (1, Continue)
// and BCancel "&Abandon" (2, Abandon, kind mkCancel); a row may change the class
// (ButtonClass::Nice for the kit's flat button), the kind, the caption and the result
// ("I&esire" with result 1 on the end page). No standard button is the default or the
// cancel button: Enter presses the focused button, Escape does nothing on a page. So each
// page chooses its first focus (ActiveControl) in FormCreate: the next step's button or
// the field to fill in, never a button that ends or goes back.
//
// While a handler works (joining, unpacking, searching), it holds a guard:
//
//   void TCopy::BNextClick() {
//       auto working = Working();   // Back, Continue and Abandon disabled ...
//       ...                         // ... and enabled again on every way out
//   }
//
// A page that handles more keys overrides FormKeyDown and calls TWizardPage's first.
#pragma once

#include <optional>
#include <string>

#include "core/AnswerablePage.h"
#include "core/Wizard.h"
#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/Font.h"

namespace pages {

enum class PageButton { Back, Next, Cancel };
enum class ButtonClass { Push /* TMButton */, Nice /* TNiceButton */ };

// One standard button of a page. Unset caption and result take the button's own.
struct PageButtonSpec {
    PageButton role;
    ui::TRect bounds;
    ButtonClass buttonClass;
    ui::TMButtonKind kind;  // mkCustom: the button's own (mkCancel for Abandon)
    std::string caption;
    int modalResult;
    std::optional<ui::TButtonLayout> layout;  // unset: glyph above (Push) or left (Nice)

    PageButtonSpec(PageButton role, ui::TRect bounds, ButtonClass buttonClass = ButtonClass::Push,
                   ui::TMButtonKind kind = ui::mkCustom, std::string caption = {}, int modalResult = -1,
                   std::optional<ui::TButtonLayout> layout = std::nullopt)
        : role(role), bounds(bounds), buttonClass(buttonClass), kind(kind), caption(std::move(caption)),
          modalResult(modalResult), layout(layout) {}
};

// The client size every page of the wizard has.
inline constexpr int PageClientWidth = 637;
inline constexpr int PageClientHeight = 114;

// Bold 11-pixel "MS Sans Serif", the font of most pages.
ui::FontSpec BoldPageFont();

// A page that takes answers overrides FillFromAnswers and RecordAnswers
// (core/AnswerablePage.h) with the few fields it has; Continue goes on, Abandon abandons.
class TWizardPage : public ui::TTitleForm, public core::AnswerablePage {
public:
    // The wizard's page of number `pageNo`, its class named by its row of the page table.
    // `title` is both the title bar's caption and the window's title.
    TWizardPage(int pageNo, const std::string& title, int clientWidth = PageClientWidth,
                int clientHeight = PageClientHeight);
    // A page outside the wizard, of its own class and number.
    TWizardPage(std::string className, int pageNo, const std::string& title,
                int clientWidth = PageClientWidth, int clientHeight = PageClientHeight);

    // The standard buttons the page added (null for those it has not).
    ui::TButtonControl* BBack = nullptr;
    ui::TButtonControl* BNext = nullptr;
    ui::TButtonControl* BCancel = nullptr;

    ui::TButtonControl* ForwardButton() const override { return BNext; }
    ui::TButtonControl* AbandonButton() const override { return BCancel; }

    // Alt+M: the backdrop is shown or hidden and the page comes to the front.
    void FormKeyDown(int& key, ui::TShiftState shift) override;

    // While it lives, the standard buttons are disabled; when it ends, those that were
    // enabled before are enabled again.
    class WorkingGuard {
    public:
        explicit WorkingGuard(TWizardPage& page);
        ~WorkingGuard();
        WorkingGuard(const WorkingGuard&) = delete;
        WorkingGuard& operator=(const WorkingGuard&) = delete;

    private:
        struct Saved {
            ui::TButtonControl* button;
            bool enabled;
        };
        Saved saved_[3];
    };
    [[nodiscard]] WorkingGuard Working() { return WorkingGuard(*this); }

protected:
    ui::TButtonControl& AddStandardButton(const PageButtonSpec& spec);
};

}  // namespace pages
