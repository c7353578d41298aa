// The text of an upgrade journal: one line per step, written before the step is taken.
//
//   WINTORV UPGRADE JOURNAL 1
//   NEW C:\WinTorv\EXE.ZIP                          a file about to be created
//   FOLDER C:\WinTorv\NEW\LUNA                      a folder about to be created
//   KEPT C:\WinTorv\TORVEX.EXE|C:\~TORVUPG\1.VEC    a file about to be moved aside
//   DATA C:\WinTorv\DATA|C:\~TORVUPG\DATE1          a data folder about to be copied aside
//   STAYS C:\WinTorv\DATA|C:\~TORVUPG\DATE1         that copy outlives the upgrade
//   DONE                                            the new installation is whole
//
// Lines end with CR LF. A last line without its end is one whose writing was cut short:
// the step it announces was never begun, so it is left out. Anything else that is not one
// of these lines makes the journal damaged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace journal {

inline constexpr char kHeader[] = "WINTORV UPGRADE JOURNAL 1";

struct Step {
    enum Kind { New, Folder, Kept, Data, Stays } kind;
    std::string path;  // the installation's file or folder, or the data folder
    std::string kept;  // Kept, Data, Stays: where the file or the data as it was lies meanwhile
};

struct JournalText {
    std::vector<Step> steps;
    bool done = false;
};

std::string HeaderLine();
std::string StepLine(const Step& step);
std::string DoneLine();

// The journal's steps, or nothing when the text is damaged.
std::optional<JournalText> ParseJournal(std::string_view text);

}  // namespace journal
