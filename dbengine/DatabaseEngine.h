// The program's use of the database engine: is it there, does the product's alias open,
// create the product's aliases. No failure reaches the user from here; callers get false.
#pragma once

#include <string>
#include <vector>

namespace bde {
class EngineLibrary;
}

// True once the engine is initialised. The first successful call remembers it and later
// calls return true at once; a failure leaves nothing remembered, so the next call tries
// again from the start (finding and loading the library included).
bool InitBDE();

// True when the engine initialises and the database of alias "TORVEX" opens read-only;
// it is closed again at once.
bool BDEAliasExists();

// Adds one persistent PARADOX alias per pair of `names` and `folders` (each folder becomes
// the alias's PATH), continuing after a failed add, then saves the engine's configuration.
// False at once when the lists differ in length or the engine does not initialise; true
// only when every add and the save succeeded. A name or "PATH:folder" longer than 255
// bytes in the machine's ANSI code page, or with a letter that code page cannot hold, is
// not added (and counts as a failure) rather than cut short or changed.
bool AddBDEAliases(const std::vector<std::string>& names, const std::vector<std::string>& folders);

// Removes the aliases of `names` from the engine's configuration, going on after one that
// fails; true only when every one was removed. An alias that is not there is a failure.
bool RemoveBDEAliases(const std::vector<std::string>& names);

// Called once when the program ends: shuts the engine down if InitBDE initialised it.
void ShutdownBDE();

namespace bde {
inline constexpr char kProductAlias[] = "TORVEX";
inline constexpr char kAliasDriver[] = "PARADOX";
inline constexpr char kAliasPathPrefix[] = "PATH:";

// The process's engine binding, for callers that need the engine's own codes.
EngineLibrary& Engine();
}  // namespace bde
