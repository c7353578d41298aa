// The answers file of an unattended run: a Windows INI file with what a person would
// answer on the pages, in two sections, one for each way the run may take.
//
//   [Instalare]            a fresh installation
//   Tip=CLIENT             LOCAL, SERVER or CLIENT
//   Program=C:\WinTorv     the program folder
//   Date=N:\WinTorv        the data folder (SERVER and CLIENT)
//   [Actualizare]          an upgrade
//   Program=C:\WinTorv     optional: the folder to upgrade, instead of the search
//   Client=Nu              a CLIENT installation: upgrade the server's database, Da or Nu
//   Structuri=1            the database upgrade's three steps, 1 or 0
//   Liste=1
//   Constante=1
//
// Sections and keys compare without regard to case, as Da/Nu and the kinds do; folders
// are taken as a person would type them. A ";" at the start of a line, or after a blank,
// begins a comment. Any other line, an unknown section or key, a key given twice, or a
// value out of range makes the file wrong.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace answers {

struct Answers {
    // [Instalare]
    std::optional<int> installType;  // 1 LOCAL, 2 SERVER, 3 CLIENT, as the installation state counts
    std::optional<std::string> programDir;
    std::optional<std::string> dataDir;
    // [Actualizare]
    std::optional<std::string> upgradeProgramDir;
    std::optional<bool> upgradeServerDatabase;  // Client=Da
    std::optional<bool> upgradeStructures;
    std::optional<bool> upgradeLists;
    std::optional<bool> upgradeConstants;

    bool operator==(const Answers&) const = default;
};

// What is wrong with an answers file: for the run log, which names the file, the line
// (0 when the fault is no line's) and the key.
struct AnswersProblem {
    std::string file;  // empty: the fault is the command line's
    int line = 0;
    std::string key;  // "[Section] Key", or the section alone
    std::string reason;

    std::string Describe() const;
};

struct AnswersReading {
    Answers answers;
    std::optional<AnswersProblem> problem;
};

// Reads the text of the file named `file`.
AnswersReading ParseAnswers(std::string_view text, const std::string& file);
// Reads the file itself; a file that cannot be read is a problem too.
AnswersReading ReadAnswersFile(const std::string& path);

// The keys that the way the run takes needs and the file lacks, as a problem.
std::optional<AnswersProblem> MissingForInstallation(const Answers& answers, const std::string& file);
// `clientInstallation`: the installation found is a CLIENT, so the server question comes.
std::optional<AnswersProblem> MissingForUpgrade(const Answers& answers, bool clientInstallation,
                                                const std::string& file);

// The file's text for the keys that are set, in the order above, CR LF lines.
std::string FormatAnswers(const Answers& answers);
// Writes the file through a temporary one beside it; false when it could not.
bool WriteAnswersFile(const std::string& path, const Answers& answers);

}  // namespace answers
