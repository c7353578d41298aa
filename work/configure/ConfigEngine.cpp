// The database engine step: an engine installed before only counts one more user; a new
// one is registered by importing its registry file. Then the product's aliases. An engine
// that was installed already when the copy page ran kept its archive packed: there is no
// registry file of ours to import, and the aliases go to that engine.
#include <charconv>
#include <vector>

#include "product/Components.h"
#include "core/Log.h"
#include "core/RunAndWait.h"
#include "dbengine/DatabaseEngine.h"
#include "work/configure/BdeRegFile.h"
#include "work/configure/ConfigSteps.h"
#include "work/engine/EngineCheck.h"
#include "work/engine/EngineRegistry.h"
#include "work/LoggedStep.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"

namespace work {

namespace {

constexpr char kEarlierEngineKey[] = "Software\\Borland\\BLW32";
constexpr char kBdeRegBelowProgramFiles[] = "Borland\\Common Files\\BDE\\bde.reg";
// By its whole path in the Windows folder: by its bare name the system would look in this
// program's folder and the current one first.
constexpr char kRegistryEditor[] = "regedit.exe";
constexpr char kSilentImport[] = " /s ";
constexpr char kNothingToImport[] = "Motorul BDE este deja instalat, nu import fisierul lipsa ";
constexpr char kImportNotStarted[] = "Nu am putut porni regedit pentru fisierul de configurare BDE:";
constexpr char kImportFailed[] = "Importul fisierului de configurare BDE a esuat (cod ";


std::string ImportFailureText(const std::string& bdeReg, int64_t exitCode) {
    if (exitCode < 0) return std::string(kImportNotStarted) + "\r" + bdeReg;
    return kImportFailed + std::to_string(exitCode) + "):\r" + bdeReg;
}

void RaiseUseCount() {
    auto& platform = plat::Current();
    // The key belongs to the engine's own set-up: it is changed, never made.
    if (!platform.RegistryKeyExists(kEngineKey)) {
        core::LogNote(std::string("Lipseste cheia ") + kEngineKey);
        return;
    }
    if (platform.RegistryWriteString(kEngineKey, kUseCountValue,
                                     NextUseCount(platform.RegistryReadString(kEngineKey, kUseCountValue))))
        ++record::ThisRun().useCountRaised;
}

bool RegisterEngine(Reports& reports) {
    std::string programFiles = ProgramFilesFolder();
    std::string bdeReg = plat::JoinPath(programFiles, kBdeRegBelowProgramFiles);
    if (!plat::Current().FileExists(bdeReg) && EngineInstalled()) {
        core::LogNote(kNothingToImport + bdeReg);
        return true;
    }
    BdeRegResult rewritten = RewriteBdeReg(bdeReg, programFiles);
    if (rewritten != BdeRegResult::Rewritten) {
        ReportError(reports, BdeRegFailureText(bdeReg, rewritten));
        return false;
    }
    // What the import is about to set, as it is before: the uninstall puts it back.
    for (const auto& [key, name] : ValuesOfRegistryFile(plat::ReadWholeFile(bdeReg).value_or("")))
        record::NoteRegistryValue(record::ThisRun().engine, key, name);
    const std::string regedit = plat::JoinPath(plat::Current().WindowsDirectory(), kRegistryEditor);
    const int64_t exitCode =
        core::RunAndWait(plat::QuotedIfBlank(regedit) + kSilentImport + ("\"" + bdeReg + "\""), kShowMinimized);
    if (exitCode == 0) return true;
    ReportError(reports, ImportFailureText(bdeReg, exitCode));
    return false;
}

void AddProductAliases(const std::string& dataDir) {
    std::vector<std::string> names, folders;
    for (size_t i = 0; i < product::AliasNames.size(); ++i) {
        names.emplace_back(product::AliasNames[i]);
        folders.push_back(product::AliasPath(dataDir, product::AliasFolders[i]));
    }
    if (AddBDEAliases(names, folders)) record::ThisRun().aliases = names;
}

}  // namespace

std::string NextUseCount(const std::optional<std::string>& current) {
    long long count = 0;
    if (current) {
        std::string_view text = *current;
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        if (!text.empty() && text.front() == '+') text.remove_prefix(1);
        int parsed = 0;  // a count beyond an int is no number the engine wrote
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
        if (error == std::errc() && end == text.data() + text.size() && !text.empty()) count = parsed;
    }
    return std::to_string(count + 1);
}

bool DoConfigBDE(const ConfigOrder& order, Reports& reports) {
    LoggedStep step("DoConfigBDE");
    if (plat::Current().RegistryKeyExists(kEarlierEngineKey))
        RaiseUseCount();
    else if (!RegisterEngine(reports))
        return false;
    AddProductAliases(order.dataDir);
    return true;
}

}  // namespace work
