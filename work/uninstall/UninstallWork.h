// The work of the uninstall, without its window: each step takes back one kind of thing
// the installation's record lists, goes on after a failure, and notes what it left.
//  - Program files go when they are as the installation left them; a changed file, or
//    one the record does not know, is kept and listed. Folders go once empty.
//  - The program group, the product's aliases and its WIN.INI value go; a value the
//    installation replaced gets its old text back. A group the Program Manager made is
//    deleted by it; the shortcuts the installation made itself go when unchanged, and
//    their folder once empty.
//  - The engine: its use count goes down by what the installation raised; its files,
//    values and keys go only when the installation unpacked it and nobody else counts.
//  - The data never goes (RemovalRules.h), nor anything on a network drive.
//  - The entry in the system's list of programs, the record and this program go last,
//    and only when nothing failed: otherwise they stay, with the record rewritten to
//    what is left, so that the uninstall can be run again.
#pragma once

#include <string>
#include <vector>

#include "record/InstallRecord.h"

namespace work {

struct UninstallOutcome {
    std::vector<std::string> kept;      // files kept on purpose, each with why
    std::vector<std::string> failures;  // what could not be removed, each with why
    std::vector<std::string> data;      // where the data stays

    bool AllRemoved() const { return kept.empty() && failures.empty(); }
};

class UninstallWork {
public:
    // `recordPath`: the record in the program folder, which `record` was read from.
    UninstallWork(record::InstallRecord record, std::string recordPath);

    void RemoveProgramFiles();
    void RemoveGroup();
    void RemoveAliases();
    void RestoreProfile();
    void TakeBackEngine();
    // The list entry, the setup's own key, the record and this program, then the
    // program folder when it is empty.
    void RemoveFromSystem();

    const UninstallOutcome& Outcome() const { return outcome_; }

private:
    void Fail(const std::string& what);
    bool OnNetwork(const std::string& path) const;
    // `home`: the folder the owner keeps its files in; nothing outside it is removed.
    void RemoveFiles(const std::vector<record::RecordedFile>& files, bool checkContents, const std::string& home,
                     std::vector<record::RecordedFile>& left);
    void RemoveFolders(const std::vector<std::string>& folders, const std::string& home,
                       std::vector<std::string>& left);
    void TakeBackValues(const std::vector<record::RecordedValue>& values, std::vector<record::RecordedValue>& left);
    void RemoveKeys(const std::vector<std::string>& keys, std::vector<std::string>& left);
    void ListUnknownFiles(const std::string& folder);
    // The group's shortcuts that are as the installation made them, and their folder once empty.
    void RemoveShortcuts();
    void RemoveOwnFiles();

    record::InstallRecord record_;
    record::InstallRecord left_;  // what is still to be taken back
    std::string recordPath_;
    UninstallOutcome outcome_;
};

// The texts the outcome is shown with, line by line.
std::vector<std::string> OutcomeLines(const UninstallOutcome& outcome);

}  // namespace work
