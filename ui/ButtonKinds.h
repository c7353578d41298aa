// The kinds of the kit's buttons: each gives a default caption and a default result.
#pragma once

#include <string>

namespace ui {

enum TMButtonKind {
    mkFirst, mkPrev, mkNext, mkLast, mkAdd, mkDelete, mkRecord, mkView, mkPrint, mkOK,
    mkCancel, mkHelp, mkCustom, mkYes, mkNo, mkClose, mkAbort, mkRetry, mkIgnore, mkAll,
    mkEdit, mkAnalitic, mkDetalii, mkTorvex, mkSave, mkPlus, mkUnelte, mkConfig, mkStoc,
    mkSold, mkIntr, mkTransf, mkIes, mkBani, mkMail, mkBigExit, mkPlusAdd, mkPlusBlue,
    mkPlusPorto, mkPlusPeach, mkPlusSnorkel, mkMinusDel, mkFirstPag, mkLastPag, mkPrevPag,
    mkNextPag, mknPrev, mknNext, mkFind, mkFindNext, mkGrafic, mkSaveAs, mknFirst, mknLast,
    mkContr, mkExpl, mkPermis, mkAction,
};
constexpr int ButtonKindCount = mkAction + 1;

struct ButtonKindInfo {
    const char* name;      // "mkOK"
    const char* caption;   // default caption, "" for none
    int modalResult;       // default result
};

const ButtonKindInfo& KindInfo(TMButtonKind kind);
inline std::string DefaultCaption(TMButtonKind kind) { return KindInfo(kind).caption; }
inline int DefaultResult(TMButtonKind kind) { return KindInfo(kind).modalResult; }

}  // namespace ui
