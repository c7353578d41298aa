#include "answers/ExitCodes.h"

namespace answers {

namespace {

struct OutcomeRow {
    Outcome outcome;
    ExitCode code;
    const char* meaning;
};

constexpr OutcomeRow kOutcomes[] = {
    {Outcome::Installed, ExitDone, "instalat sau actualizat"},
    {Outcome::Abandoned, ExitAbandoned, "abandonat"},
    {Outcome::AnswersWrong, ExitBadAnswers, "fisierul de raspunsuri lipseste, nu se poate citi sau este gresit"},
    {Outcome::CopyFailed, ExitCopyFailed, "copierea a esuat"},
    {Outcome::ProgramFault, ExitCopyFailed, "eroare a programului de instalare"},
    {Outcome::ConfigFailed, ExitConfigFailed, "un pas de configurare a esuat"},
    {Outcome::NothingToUpgrade, ExitNotFound, "instalarea de actualizat nu a fost gasita"},
    {Outcome::NoUpgradeLibrary, ExitNotFound, "lipseste UPGRADE.DLL"},
    {Outcome::NeedsDisks, ExitNeedsDisks, "suportul cere schimbarea dischetelor"},
    {Outcome::AnotherRunning, ExitAnotherRunning, "o alta instalare ruleaza pe acest calculator"},
    {Outcome::Uninstalled, ExitDone, "dezinstalat"},
    {Outcome::UninstallLeftSomething, ExitCopyFailed, "dezinstalat, dar ceva nu a putut fi sters"},
    {Outcome::NoInstallation, ExitNotFound, "nu exista o instalare de sters"},
    {Outcome::ElevationRefused, ExitNoRights, "drepturile de administrator au fost refuzate"},
    {Outcome::NoAdministratorRights, ExitNoRights, "lipsesc drepturile de administrator"},
};

const OutcomeRow& RowOf(Outcome outcome) {
    for (const OutcomeRow& row : kOutcomes)
        if (row.outcome == outcome) return row;
    return kOutcomes[0];
}

}  // namespace

int ExitCodeOf(Outcome outcome) { return RowOf(outcome).code; }

std::string ExitCodeNote(Outcome outcome) {
    const OutcomeRow& row = RowOf(outcome);
    return "Cod de iesire " + std::to_string(int(row.code)) + ": " + row.meaning;
}

}  // namespace answers
