#include "pages/wizard/StepRows.h"

namespace pages {

void ShowStepWaiting(ui::TPanel& row) {
    row.BevelOuter = ui::bvNone;
    row.Alignment = ui::taRightJustify;
    row.Font.Color = ui::clBlack;
}

void ShowStepFinished(ui::TPanel& row) {
    row.BevelOuter = ui::bvRaised;
    row.Alignment = ui::taLeftJustify;
    row.Font.Color = ui::clRed;
    row.Repaint();
}

bool StepFinished(const ui::TPanel& row) {
    return row.BevelOuter == ui::bvRaised && row.Alignment == ui::taLeftJustify && row.Font.Color == ui::clRed;
}

}  // namespace pages
