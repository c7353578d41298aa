// The binding of the product's upgrade library UPGRADE.DLL, which lies beside the running
// installer program. Loaded once when the upgrade path starts, released at program end.
// Every wrapper is harmless when the library is not loaded: it does nothing and answers
// empty or false.
#pragma once

#include <functional>
#include <string>

inline constexpr char kUpgradeLibraryName[] = "UPGRADE.DLL";

// Loads "<folder of the running program>\UPGRADE.DLL" (a folder of any length) and looks
// up its eight entry points by name. True on success. When the file does not load, or it
// lacks any of the eight entry points, nothing stays loaded and the result is false: a
// library missing one of them is not the library this program was built for, and finding
// that out at load time is better than calling a null address in the middle of an upgrade.
bool LoadUpgradeDll();

// Releases the library (program end). Safe to call when nothing is loaded.
void UnloadUpgradeDll();

bool UpgradeDllLoaded();

// The library's three upgrade operations.
enum class UpgradeOperation { Structure, Lists, Constants };

// The folder of `alias` as the library knows it; empty when it does not know the alias,
// when the library is not loaded, or when the name does not fit the 257-byte buffer.
std::string UpgradeGetAliasPath(const std::string& alias);

// Installs `sink` as the receiver of the library's progress texts and hands the library
// the report procedure that feeds it (the library's SetReportProc). The sink runs on the
// caller's thread, inside the library's operation; a page uses it to note each text in
// the run log and show it in its status line.
void UpgradeSetReportSink(std::function<void(const std::string&)> sink);

// Runs one operation and then asks the library whether it succeeded (GetSemaforOK).
bool UpgradeRun(UpgradeOperation operation);

void UpgradeSetQuickVerif(bool on);
