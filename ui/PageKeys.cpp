#include "ui/PageKeys.h"

#include "ui/Application.h"
#include "ui/Form.h"

namespace ui {

bool HandlePageKeys(TForm& page, int& key, TShiftState shift) {
    if (key != 'M' || !(shift & ssAlt)) return false;
    if (TForm* backdrop = MainForm(); backdrop && backdrop != &page) backdrop->Visible = !backdrop->Visible;
    page.BringToFront();
    key = 0;
    return true;
}

}  // namespace ui
