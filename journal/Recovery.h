// At start, before anything else: an upgrade that a crash, a kill or a power cut
// interrupted, in its copy or in its database upgrade, is finished or undone from its
// journal (UpgradeJournal.h), its data with it.
#pragma once

#include <string>
#include <vector>

namespace journal {

struct Recovery {
    enum Outcome {
        Nothing,     // no upgrade was interrupted
        RolledBack,  // the installation and its data are as they were before that upgrade
        Finished,    // that upgrade had completed: its kept files are gone
        Damaged,     // the journal cannot be read as one: nothing was touched
        Incomplete,  // some files could not be put back (`problems`); the journal stays
        Unfinished,  // that copy had completed, but kept files could not all go (`problems`);
                     // the journal stays
        Unreachable, // the journal's drive (`problems`, its one line) is not there: nothing
                     // was touched, and the journal's value stays
        Running,     // another instance of the program is running that upgrade now
    } outcome = Nothing;
    std::string journalPath;
    std::vector<std::string> problems;
    bool data = false;  // the upgrade had copied data aside (and put it back, when undone)
};

Recovery RecoverInterruptedUpgrade();

}  // namespace journal
