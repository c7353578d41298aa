#include "work/dbupgrade/UpgradeEnd.h"

#include "core/Log.h"
#include "journal/DataCopy.h"
#include "work/copy/CopyPlan.h"
#include "work/copy/CopyTexts.h"
#include "work/dbupgrade/UpgradeEndTexts.h"

namespace work {

namespace {

bool Open(const journal::UpgradeJournal* upgrade) { return upgrade && upgrade->Active(); }

void Note(const std::string& text) {
    if (core::LogEnabled) core::LogNote(text);
}

void TellFailure(Reports& reports, const std::string& text, const std::string& title = {}) {
    Note(text);
    Notice notice;
    notice.text = text;
    notice.title = title;
    notice.heading = "";
    reports.Tell(notice);
}

bool KeepData(const DatabaseUpgradeOrder& order, Reports& reports) {
    const std::vector<journal::TreeEntry> tree = journal::ListTree(order.dataFolder);
    const uint64_t bytes = journal::BytesOf(tree);
    DriveNeeds needs;
    AddNeed(needs, order.dataFolder, bytes);
    if (const std::optional<Shortfall> shortfall = FindShortfall(needs)) {
        TellFailure(reports, copytext::NoSpace(shortfall->drive, shortfall->needed, shortfall->free),
                    copytext::kNoSpaceTitle);
        return false;
    }
    if (!order.upgrade->KeepData(order.dataFolder)) {
        TellFailure(reports, endtext::DataNotKept(order.dataFolder, order.upgrade->Problem()));
        return false;
    }
    Note(endtext::DataKept(order.dataFolder, order.upgrade->DataCopy(), tree.size(), bytes));
    return true;
}

void Undo(journal::UpgradeJournal& upgrade, Reports& reports, const std::string& done) {
    const std::vector<std::string> problems = upgrade.RollBack();
    if (problems.empty())
        Note(done);
    else
        TellFailure(reports, copytext::RollbackProblems(problems));
}

std::vector<std::string> FailedSteps(const DatabaseUpgradeOutcome& steps) {
    std::vector<std::string> failed;
    for (size_t step = 0; step < DatabaseUpgradeSteps.size(); ++step)
        if (steps.ran[step] && !steps.succeeded[step]) failed.emplace_back(DatabaseUpgradeSteps[step].caption);
    return failed;
}

bool AnswersGoBack(const std::vector<std::string>& failed, const std::string& dataCopy, Reports& reports) {
    const Notice question = ListQuestion(endtext::GoBackQuestion(failed, dataCopy), endtext::kQuestionTitle,
                                         Choices::YesNo, Purpose::Decision);
    return reports.Tell(question) != Answer::Cancel;
}

}  // namespace

UpgradeOutcome UpgradeDatabase(const DatabaseUpgradeOrder& order, const DatabaseUpgradeView& view, Reports& reports) {
    UpgradeOutcome outcome;
    journal::UpgradeJournal* upgrade = Open(order.upgrade) ? order.upgrade : nullptr;
    if (upgrade && !KeepData(order, reports)) return outcome;
    outcome.steps = RunDatabaseUpgrade(view);
    if (!upgrade) {
        outcome.end = UpgradeEnd::Committed;
        return outcome;
    }
    if (outcome.steps.AllSucceeded()) {
        outcome.end = UpgradeEnd::Committed;
        Note(upgrade->Commit() ? endtext::kCommitted : copytext::KeptCopiesLeft(journal::KeepFolderFor(upgrade->Path())));
        return outcome;
    }
    const std::vector<std::string> failed = FailedSteps(outcome.steps);
    const std::string dataCopy = upgrade->DataCopy();
    if (AnswersGoBack(failed, dataCopy, reports)) {
        outcome.end = UpgradeEnd::WentBack;
        Undo(*upgrade, reports, endtext::WentBack(failed));
    } else if (upgrade->Commit(true) || !upgrade->Active()) {
        outcome.end = UpgradeEnd::KeptNew;
        Note(endtext::KeptNew(failed, dataCopy));
    } else {
        // The journal could not note that the new version stays: left open, it would be
        // undone at the next start with nobody told, so it is undone now, and said.
        outcome.end = UpgradeEnd::WentBack;
        TellFailure(reports, endtext::kStayNotNoted);
        Undo(*upgrade, reports, endtext::WentBack(failed));
    }
    return outcome;
}

void AbandonUpgrade(journal::UpgradeJournal* upgrade, Reports& reports) {
    if (Open(upgrade)) Undo(*upgrade, reports, endtext::kAbandoned);
}

}  // namespace work
