// An upgrade copy that is all or nothing. Before the copy changes the installation, the
// journal notes what it is about to do: a file or folder it will create, a file it will
// replace, which it first moves aside into a folder of that file's own drive that the
// upgrade owns ("X:\~TORVUPG", so that keeping a file is a rename, never a copy). Every
// note reaches the disk before the step it announces is taken.
//
//   UpgradeJournal journal;
//   if (journal.Begin(programDir) != Start::Begun) ...;  // nothing changed yet
//   journal.WillCreate(path); journal.Keep(path); ...
//   journal.KeepData(dataFolder);                    // before the database is changed
//   ok ? journal.Commit() : journal.RollBack(); // the new installation, or the old one
//
// The data a database upgrade will change is copied aside in the same way, on its own
// drive, before it is changed (DataCopy.h). RollBack puts the data back from that copy,
// puts every kept file back and removes what the copy created, so the installation and
// its data are byte for byte what they were when Begin was called. Commit removes the
// kept files and the data's copy. Until either is done, a registry value names the
// journal, so that the next start of the program finishes the one or the other
// (Recovery.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "journal/JournalFile.h"
#include "platform/Platform.h"

namespace journal {

// Where a running upgrade is found: HKLM\<key> <value> holds the journal's path.
inline constexpr char kPointerKey[] = "Software\\WinTORVEX\\Setup";
inline constexpr char kPointerValue[] = "UpgradeJournal";
inline constexpr char kKeepFolderName[] = "~TORVUPG";
inline constexpr char kJournalFileName[] = "JURNAL.TXT";

// The folder where files of `path`'s drive are kept: "C:\~TORVUPG".
std::string KeepFolderFor(const std::string& path);

class UpgradeJournal {
public:
    UpgradeJournal() = default;
    UpgradeJournal(const UpgradeJournal&) = delete;
    UpgradeJournal& operator=(const UpgradeJournal&) = delete;

    // Starts the journal on the drive of `programDir`, with no step noted yet. Unless it
    // begins, nothing has been changed.
    enum class Start {
        Begun,
        EarlierLeft,        // an earlier upgrade's journal is still there
        PointerNotWritten,  // the registry value that names the journal cannot be written
        NotWritten,         // the journal file cannot be written
    };
    Start Begin(const std::string& programDir);
    bool Active() const { return file_ != nullptr; }
    const std::string& Path() const { return path_; }

    // Before a file that does not exist yet is created: notes it, and every folder on the
    // way to it that does not exist yet. False when that could not be noted.
    bool WillCreate(const std::string& path);
    // Before an existing file is replaced: notes it and moves it aside. False when it
    // could not be kept; it must then not be replaced.
    bool Keep(const std::string& path);  // put back under the name it has now

    // Before the data in `folder` (and its subfolders) is changed: notes it, then copies
    // it aside into a new folder of the journal's folder on its drive ("X:\~TORVUPG\DATE1")
    // and checks the copy. False when it is not kept whole (Problem() names what could not
    // be noted, copied or checked); the data must then not be changed.
    bool KeepData(const std::string& folder);
    // The data's copy of the last KeepData.
    const std::string& DataCopy() const { return dataCopy_; }
    const std::string& Problem() const { return problem_; }

    // The upgrade succeeded: the kept files go, and the data's copy unless `keepDataCopy`
    // (it then stays where DataCopy() says). False when something could not be removed
    // (the new installation stands all the same; the next start removes the rest).
    bool Commit(bool keepDataCopy = false);
    // The copy failed or was abandoned. `problems` names what could not be put back;
    // empty when the installation is as it was.
    std::vector<std::string> RollBack();

private:
    bool Note(const Step& step);
    void Close();

    std::unique_ptr<plat::File> file_;
    std::string path_;
    std::vector<Step> steps_;
    int keptCount_ = 0;
    std::string dataCopy_;
    std::string problem_;
};

// What the steps of a journal leave when undone or finished; used by the journal itself
// and by the recovery at start. Each returns what could not be done, a line each: a path,
// with the reason when it is not the path's own (its drive is not there; neither it nor
// its kept copy is there). What could not be done is left for another try.
std::vector<std::string> UndoSteps(const std::vector<Step>& steps);
std::vector<std::string> FinishSteps(const std::vector<Step>& steps);
// The drive of `path` ("N:", "\\SERVER\SHARE") when it is not there now (a network drive
// not connected, a disk taken out); empty when it is there.
std::string MissingDrive(const std::string& path);
// Whether a journal's steps copied data aside: its data is put back when it is undone.
bool KeepsData(const std::vector<Step>& steps);
// Removes the journal file, the keep folders it used (when empty) and the registry value.
void Discard(const std::string& journalPath, const std::vector<Step>& steps);

}  // namespace journal
