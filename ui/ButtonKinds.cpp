#include "ui/ButtonKinds.h"

#include "ui/ModalResult.h"

namespace ui {
namespace {

// In the order of TMButtonKind.
constexpr ButtonKindInfo kKinds[ButtonKindCount] = {
    {"mkFirst", "f", mrNone},
    {"mkPrev", "&p", mrNone},
    {"mkNext", "&u", mrNone},
    {"mkLast", "", mrNone},
    {"mkAdd", "&Adaug", mrNone},
    {"mkDelete", "&Sterg", mrNone},
    {"mkRecord", "&Jurnal", mrNone},
    {"mkView", "&w", mrNone},
    {"mkPrint", "&Listare", mrNone},
    {"mkOK", "O&K", mrOk},
    {"mkCancel", "&Renunt", mrCancel},
    {"mkHelp", "S&faturi", mrNone},
    {"mkCustom", "", mrNone},
    {"mkYes", "&Da", mrYes},
    {"mkNo", "&Nu", mrNo},
    {"mkClose", "I&esire", mrCancel},
    {"mkAbort", "&Abandon", mrAbort},
    {"mkRetry", "&Retry", mrRetry},
    {"mkIgnore", "&Ignora", mrIgnore},
    {"mkAll", "&Toate", mrAll},
    {"mkEdit", "&Modific", mrNone},
    {"mkAnalitic", "Analiti&c", mrNone},
    {"mkDetalii", "&Detalii", mrNone},
    {"mkTorvex", "&Torvex", mrNone},
    {"mkSave", "Salve&z", mrNone},
    {"mkPlus", "", mrNone},
    {"mkUnelte", "", mrNone},
    {"mkConfig", "", mrNone},
    {"mkStoc", "", mrNone},
    {"mkSold", "", mrNone},
    {"mkIntr", "", mrNone},
    {"mkTransf", "", mrNone},
    {"mkIes", "", mrNone},
    {"mkBani", "", mrNone},
    {"mkMail", "E&Mail", mrNone},
    {"mkBigExit", "", mrNone},
    {"mkPlusAdd", "", mrNone},
    {"mkPlusBlue", "", mrNone},
    {"mkPlusPorto", "", mrNone},
    {"mkPlusPeach", "", mrNone},
    {"mkPlusSnorkel", "", mrNone},
    {"mkMinusDel", "", mrNone},
    {"mkFirstPag", "", mrNone},
    {"mkLastPag", "", mrNone},
    {"mkPrevPag", "", mrNone},
    {"mkNextPag", "", mrNone},
    {"mknPrev", "", mrNone},
    {"mknNext", "", mrNone},
    {"mkFind", "", mrNone},
    {"mkFindNext", "", mrNone},
    {"mkGrafic", "", mrNone},
    {"mkSaveAs", "", mrNone},
    {"mknFirst", "", mrNone},
    {"mknLast", "", mrNone},
    {"mkContr", "", mrNone},
    {"mkExpl", "", mrNone},
    {"mkPermis", "", mrNone},
    {"mkAction", "?", mrNone},
};

}  // namespace

const ButtonKindInfo& KindInfo(TMButtonKind kind) {
    int index = int(kind);
    if (index < 0 || index >= ButtonKindCount) index = mkCustom;
    return kKinds[index];
}

}  // namespace ui
