// ABICHECK.EXE: every entry point of UPGRADE.DLL and every engine operation of IDAPI32.DLL,
// called through the program's own bindings, with the values checked both ways: what the
// library received (its journal, its alias file), what came back (texts, booleans, codes)
// and what it handed to the report procedure.
//
// Run from a folder that holds ABICHECK.EXE, UPGRADE.DLL, IDAPI32.DLL and an IDAPI32.CFG
// with the alias TORVEX=<that folder>\DATA (which exists). Prints "ok" or "FAIL" per check
// and exits 0 when all passed, 1 when one failed, 3 when a call crashed: a convention that
// does not match ends as a failure with the step it was at, not as a dead process.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dbengine/BdeErrors.h"
#include "dbengine/DatabaseEngine.h"
#include "dbengine/EngineLibrary.h"
#include "platform/Paths.h"
#include "platform/win32/Win32Platform.h"
#include "upgrade/UpgradeApi.h"
#include "upgrade/UpgradeLibrary.h"

namespace {

const char* step = "start";
int failures = 0;

void Check(bool passed, const std::string& what) {
    std::printf("%s %s\n", passed ? "ok" : "FAIL", what.c_str());
    if (!passed) ++failures;
}

LONG WINAPI Crashed(EXCEPTION_POINTERS* info) {
    std::printf("FAIL crashed (exception 0x%08lX) during %s\n",
                info->ExceptionRecord->ExceptionCode, step);
    std::fflush(stdout);
    ExitProcess(3);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The journal lines the stand-in wrote since the last call of this function.
std::vector<std::string> NewJournalLines(const std::string& path) {
    static size_t seen = 0;
    std::istringstream text(ReadFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    std::vector<std::string> fresh(lines.begin() + std::min(seen, lines.size()), lines.end());
    seen = lines.size();
    return fresh;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += (text.empty() ? "" : " | ") + line;
    return text;
}

void CheckUpgradeLibrary(const std::string& folder) {
    const std::string journal = folder + "STANDINS.LOG";
    auto expectJournal = [&](const std::vector<std::string>& expected, const std::string& what) {
        const auto lines = NewJournalLines(journal);
        Check(lines == expected, what + ": journal [" + Joined(lines) + "]");
    };
    NewJournalLines(journal);

    step = "LoadUpgradeDll";
    Check(LoadUpgradeDll(), "UPGRADE.DLL loads with its eight entry points");

    step = "GetAliasPath";
    const std::string found = UpgradeGetAliasPath("TORVEX");
    Check(found == folder + "DATA", "GetAliasPath TORVEX gives " + folder + "DATA: got '" + found + "'");
    Check(UpgradeGetAliasPath("NIMENI").empty(), "GetAliasPath of an unknown alias gives ''");
    expectJournal({"UPGRADE.DLL GetAliasPath TORVEX", "UPGRADE.DLL GetAliasPath NIMENI"},
                  "the alias name arrives in EAX");

    step = "SetQuickVerif";
    UpgradeSetQuickVerif(true);
    UpgradeSetQuickVerif(false);
    UpgradeSetQuickVerif(true);
    expectJournal({"UPGRADE.DLL SetQuickVerif 1", "UPGRADE.DLL SetQuickVerif 0",
                   "UPGRADE.DLL SetQuickVerif 1"},
                  "the byte arrives in AL");

    step = "SetReportProc";
    std::vector<std::string> reports;
    UpgradeSetReportSink([&](const std::string& text) { reports.push_back(text); });
    expectJournal({"UPGRADE.DLL SetReportProc"}, "the report procedure arrives in EAX");

    // Each operation with the semaphore it must leave, and the texts it reports.
    struct Operation {
        const char* name;
        UpgradeOperation operation;
        const char* failList;  // UPGRADE_FAIL while it runs
        bool succeeds;
        std::vector<std::string> texts;
    };
    const Operation operations[] = {
        {"DoStructureUpgrade", UpgradeOperation::Structure, "", true,
         {"Verificare structuri (verificare rapida)...", "Verificare structuri: FIRMA.DB",
          "Verificare structuri: CONTURI.DB", "Verificare structuri: PARTENERI.DB",
          "Verificare structuri: terminat"}},
        {"DoListUpgrade", UpgradeOperation::Lists, "LIST", false,
         {"Actualizare liste (verificare rapida)...", "Actualizare liste: Lista conturi",
          "Actualizare liste: Lista documente", "Actualizare liste: esuat"}},
        {"DoConstUpgrade", UpgradeOperation::Constants, "STRUCT,LIST", true,
         {"Actualizare constante (verificare rapida)...",
          "Actualizare constante: Constante generale", "Actualizare constante: terminat"}},
    };
    for (const Operation& op : operations) {
        step = op.name;
        SetEnvironmentVariableA("UPGRADE_FAIL", op.failList);
        reports.clear();
        const bool result = UpgradeRun(op.operation);
        Check(result == op.succeeds, std::string(op.name) + " then GetSemaforOK gives " +
                                         (op.succeeds ? "true" : "false") + " in AL");
        Check(reports == op.texts, std::string(op.name) + " reports through the procedure: [" +
                                       Joined(reports) + "]");
        expectJournal({std::string("UPGRADE.DLL ") + op.name + " quick=1",
                       std::string("UPGRADE.DLL GetSemaforOK ") + (op.succeeds ? "1" : "0")},
                      std::string(op.name) + " and GetSemaforOK are called");
    }
    SetEnvironmentVariableA("UPGRADE_FAIL", nullptr);

    // The program looks CheckExclusive up and never calls it; it is called here so that
    // all eight are proven callable with the convention.
    step = "CheckExclusive";
    auto library = plat::Current().OpenLibrary(folder + kUpgradeLibraryName, nullptr);
    auto checkExclusive =
        library ? reinterpret_cast<upg::CheckExclusiveProc>(library->Symbol(upg::kCheckExclusive))
                : nullptr;
    Check(checkExclusive != nullptr, "CheckExclusive is exported");
    if (checkExclusive) checkExclusive();
    expectJournal({"UPGRADE.DLL CheckExclusive"}, "CheckExclusive is called");

    step = "UnloadUpgradeDll";
    UnloadUpgradeDll();
}

std::string Hex(unsigned code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", code);
    return text;
}

void CheckEngine(const std::string& folder) {
    bde::EngineLibrary& engine = bde::Engine();
    step = "DbiInitFn";
    Check(InitBDE(), "DbiInitFn(500) initialises the engine");
    step = "open database (ordinal 4)";
    Check(BDEAliasExists(), "the database of TORVEX opens and closes (ordinals 4 and 5)");
    bde::hDBIDb db = nullptr;
    const auto unknown = engine.OpenDatabase("NIMENI", bde::dbiREADONLY, bde::dbiOPENSHARED, &db);
    Check(unknown == 0x3F02 && db == nullptr,
          "an unknown alias gives the engine's code 0x3F02: got " + Hex(unknown));
    step = "close database (ordinal 5)";
    const auto closed = engine.CloseDatabase(&db);
    Check(closed == 0x3F04, "closing no database gives 0x3F04: got " + Hex(closed));
    step = "add alias (ordinal 1207)";
    const auto badDriver = engine.AddAlias("ABI1", "DBASE", "PATH:" + folder + "A1", true);
    Check(badDriver == 0x3F04, "a driver other than PARADOX is refused: got " + Hex(badDriver));
    Check(AddBDEAliases({"ABI1", "ABI2"}, {folder + "A1", folder + "A2"}),
          "two aliases are added and the configuration saved (ordinals 1207 and 400)");
    const std::string saved = ReadFile(folder + "IDAPI32.CFG");
    Check(saved.find("ABI1=" + folder + "A1\r\n") != std::string::npos &&
              saved.find("ABI2=" + folder + "A2\r\n") != std::string::npos,
          "IDAPI32.CFG holds both aliases with their folders");
    step = "delete alias (by name)";
    Check(RemoveBDEAliases({"ABI1"}), "DbiDeleteAlias removes ABI1");
    const auto gone = engine.DeleteAlias("ABI1");
    Check(gone == 0x3F02, "deleting it again gives 0x3F02: got " + Hex(gone));
    const std::string left = ReadFile(folder + "IDAPI32.CFG");
    Check(left.find("ABI1=") == std::string::npos && left.find("ABI2=" + folder + "A2\r\n") != std::string::npos,
          "IDAPI32.CFG keeps ABI2 only");
    step = "DbiExit";
    const int useCount = engine.UseCount();
    ShutdownBDE();
    Check(useCount == 1 && !engine.IsLoaded(), "DbiExit ends the one use and releases the library");
    step = "DbiExit without engine";
    Check(engine.Exit() == bde::kLibraryNotLoadable, "a second shut down is refused by the binding");
}

}  // namespace

int wmain() {
    SetUnhandledExceptionFilter(&Crashed);
    static plat::Win32Platform platform;
    plat::SetCurrent(&platform);
    std::printf("ABICHECK %u-bit\n", static_cast<unsigned>(sizeof(void*) * 8));
    const std::string folder = plat::ProgramFolder();
    CheckUpgradeLibrary(folder);
    CheckEngine(folder);
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
