#include "core/UpgradeRecovery.h"

#include <string>

#include "core/Log.h"
#include "journal/Recovery.h"
#include "ui/MessageBox.h"

namespace core {

namespace {

constexpr char kBoxTitle[] = "Actualizare intrerupta";

std::string Listed(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) text += "\r" + path;
    return text;
}

void ShowError(const std::string& text) {
    ui::MessageHeadingScope noHeading("");
    // The run goes on after it: what could not be undone is told, not asked about.
    ui::MessagePurposeScope purpose(ui::MessagePurpose::Report);
    ui::ShowMessageBox(text, kBoxTitle, ui::mtError, ui::taLeftJustify, ui::Buttons({ui::mbOK}), ui::mbOK, 0);
}

}  // namespace

void RecoverInterruptedUpgrade() {
    const journal::Recovery recovery = journal::RecoverInterruptedUpgrade();
    const std::string& journalPath = recovery.journalPath;
    std::string note;
    switch (recovery.outcome) {
        case journal::Recovery::Nothing:
            return;
        case journal::Recovery::RolledBack:
            note = std::string("Actualizare intrerupta: fisierele instalarii au fost refacute asa cum erau") +
                   (recovery.data ? ", iar datele au fost aduse inapoi din copia lor" : "") + " (jurnal " +
                   journalPath + ")";
            break;
        case journal::Recovery::Finished:
            note = "Actualizare intrerupta la sfarsit: noua instalare ramane, copiile pastrate au fost sterse (jurnal " +
                   journalPath + ")";
            break;
        case journal::Recovery::Running:
            note = "O actualizare este in curs (jurnal " + journalPath + ")";
            break;
        case journal::Recovery::Damaged:
            note = "Jurnalul actualizarii " + journalPath + " este deteriorat. Niciun fisier nu a fost atins.";
            ShowError(note);
            break;
        case journal::Recovery::Incomplete:
            note = "Actualizare intrerupta: nu am putut reface fisierele:" + Listed(recovery.problems) +
                   "\rJurnalul " + journalPath + " ramane pentru urmatoarea pornire.";
            ShowError(note);
            break;
        case journal::Recovery::Unfinished:
            // The new installation stands: only the old files kept aside wait to go.
            note = "Actualizare intrerupta la sfarsit: noua instalare ramane, dar nu am putut sterge copiile pastrate:" +
                   Listed(recovery.problems) + "\rJurnalul " + journalPath + " ramane pentru urmatoarea pornire.";
            break;
        case journal::Recovery::Unreachable:
            note = "Actualizare intrerupta: jurnalul " + journalPath + " este pe discul " + recovery.problems.front() +
                   ", care nu este disponibil.\rNiciun fisier nu a fost atins; la urmatoarea pornire voi incerca din nou.";
            ShowError(note);
            break;
    }
    if (LogEnabled) LogNote(note);
}

}  // namespace core
