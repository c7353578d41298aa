// UPGRADE.DLL stand-in: the product's upgrade library as the setup program sees it.
//
// Every call is written to the journal STANDINS.LOG beside this library, one line each
// ("UPGRADE.DLL DoListUpgrade quick=1", "UPGRADE.DLL GetSemaforOK 0", ...), so that tests
// can tell which entry points the program called, in what order, with what arguments.
//
// The three operations change the database of the alias TORVEX, each one table of its
// folder: the structures append a line to FIRMA.DB, the lists rewrite LISTE.DB, the
// constants rewrite CONST.DB (a folder that is not there is left alone). Then they report
// a few progress texts through the report procedure and remember whether they succeeded
// (the semaphore). They succeed unless the variable UPGRADE_FAIL lists them: STRUCT,
// LIST, CONST (comma-separated); one that fails has changed its table all the same, as a
// real upgrade that stops half-way. UPGRADE_DELAY_MS makes them wait that long after each
// text, like a database that takes its time.
//
// GetAliasPath answers from the engine stand-in's alias file IDAPI32.CFG, found as:
//   1. the file named by the variable UPGRADE_ALIAS_FILE (a path of this machine);
//   2. beside the engine library IDAPI32.DLL, when this process has loaded it;
//   3. beside this library.
// An alias it cannot find gives an empty folder.
#if defined(_WIN32)
#include <windows.h>
#endif

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "standins/common/AliasFile.h"
#include "standins/common/StandinSupport.h"
#include "upgrade/UpgradeApi.h"

#if defined(_WIN32)
#define STANDIN_EXPORT extern "C"  // exported through Upgrade.def
#else
#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

constexpr char kProductAlias[] = "TORVEX";

enum class Change { Append, Rewrite };

struct OperationInfo {
    const char* entryName;
    const char* failKey;  // its name in UPGRADE_FAIL
    const char* title;
    std::vector<const char*> steps;
    const char* table;  // the file of the alias's folder it changes, and how
    Change change;
};

const OperationInfo kStructure{"DoStructureUpgrade", "STRUCT", "Verificare structuri",
                               {"FIRMA.DB", "CONTURI.DB", "PARTENERI.DB"}, "FIRMA.DB", Change::Append};
const OperationInfo kLists{"DoListUpgrade", "LIST", "Actualizare liste",
                           {"Lista conturi", "Lista documente"}, "LISTE.DB", Change::Rewrite};
const OperationInfo kConstants{"DoConstUpgrade", "CONST", "Actualizare constante",
                               {"Constante generale"}, "CONST.DB", Change::Rewrite};

struct Library {
    upg::ReportProc report = nullptr;
    bool semaphore = false;
    bool quick = false;
};

Library& State() {
    static Library library;
    return library;
}

std::string ThisLibrary() { return standin::ModulePath(reinterpret_cast<const void*>(&State)); }

// Beside the library, or in the file UPGRADE_JOURNAL names: the installer's working folder,
// where the library lies, is gone once the run ends.
void Journal(const std::string& text) {
    standin::AppendLine(standin::EnvironmentValue("UPGRADE_JOURNAL")
                            .value_or(standin::FolderOf(ThisLibrary()) + standin::kJournalName),
                        "UPGRADE.DLL " + text);
}

// Hands one text to the report procedure the way the real library does: in a global
// memory block that stays the library's and is freed once the procedure has returned.
void Report(const std::string& text) {
    upg::ReportProc report = State().report;
    if (!report) return;
#if defined(_WIN32)
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block) return;
    if (void* data = ::GlobalLock(block)) {
        std::memcpy(data, text.c_str(), text.size() + 1);
        ::GlobalUnlock(block);
        report(block);
    }
    ::GlobalFree(block);
#else
    // The host platform's global memory handle is the text's own address.
    report(const_cast<char*>(text.c_str()));
#endif
    // A slow database, for watching the page while it works: UPGRADE_DELAY_MS after each text.
    if (auto delay = standin::EnvironmentValue("UPGRADE_DELAY_MS"))
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(delay->c_str())));
}

std::string AliasFile() {
    if (auto named = standin::EnvironmentValue("UPGRADE_ALIAS_FILE")) return *named;
    if (auto engine = standin::LoadedModulePath("IDAPI32.DLL"))
        return standin::FolderOf(*engine) + standin::kAliasFileName;
    return standin::FolderOf(ThisLibrary()) + standin::kAliasFileName;
}

std::string AliasFolder(const std::string& alias) {
    standin::AliasTable aliases;
    if (!aliases.Load(AliasFile())) return {};
    return aliases.PathOf(alias).value_or("");
}

void ChangeTable(const OperationInfo& operation) {
    const std::string folder = AliasFolder(kProductAlias);
    if (folder.empty() || !standin::WindowsFolderExists(folder, ThisLibrary())) return;
    const std::string table = standin::MachinePath(folder + "\\" + operation.table, ThisLibrary());
    const std::string line = std::string("actualizat: ") + operation.title;
    if (operation.change == Change::Append)
        standin::AppendLine(table, line);
    else
        standin::WriteWholeFile(table, line + "\r\n");
}

void RunOperation(const OperationInfo& operation) {
    Library& library = State();
    Journal(std::string(operation.entryName) + (library.quick ? " quick=1" : " quick=0"));
    const std::string title = operation.title;
    Report(title + (library.quick ? " (verificare rapida)..." : "..."));
    ChangeTable(operation);
    for (const char* step : operation.steps) Report(title + ": " + step);
    library.semaphore = !standin::ListedIn("UPGRADE_FAIL", operation.failKey);
    Report(title + (library.semaphore ? ": terminat" : ": esuat"));
}

}  // namespace

STANDIN_EXPORT void UPGFN GetAliasPath(char* buffer) {
    if (!buffer) return;
    const std::string alias = buffer;
    Journal("GetAliasPath " + alias);
    std::string folder = AliasFolder(alias);
    if (folder.size() >= upg::kAliasPathBuffer) folder.clear();  // the caller could not hold it
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
}

STANDIN_EXPORT void UPGFN SetReportProc(upg::ReportProc proc) {
    Journal(proc ? "SetReportProc" : "SetReportProc none");
    State().report = proc;
}

STANDIN_EXPORT void UPGFN DoStructureUpgrade() { RunOperation(kStructure); }
STANDIN_EXPORT void UPGFN DoListUpgrade() { RunOperation(kLists); }
STANDIN_EXPORT void UPGFN DoConstUpgrade() { RunOperation(kConstants); }

STANDIN_EXPORT bool UPGFN GetSemaforOK() {
    Journal(State().semaphore ? "GetSemaforOK 1" : "GetSemaforOK 0");
    return State().semaphore;
}

STANDIN_EXPORT void UPGFN SetQuickVerif(unsigned char on) {
    State().quick = on != 0;
    Journal(on ? "SetQuickVerif 1" : "SetQuickVerif 0");
}

STANDIN_EXPORT void UPGFN CheckExclusive() { Journal("CheckExclusive"); }
