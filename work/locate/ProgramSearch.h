// Finding the program folder of an existing installation: the product test, the folders
// the user's profile names, and the search of the fixed drives. No windows: the page
// hands in what it does between folders (show the status text, let one message run).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace work {

// The product's main program is larger than this many bytes.
inline constexpr int64_t kProductProgramMinSize = 6000000;
inline constexpr char kProductProgram[] = "TORVEX.EXE";
// Folders whose path is longer than this are not searched.
inline constexpr size_t kSearchPathLimit = 100;

// The listing of a folder holds TORVEX.EXE larger than 6,000,000 bytes.
bool HoldsProduct(const std::vector<plat::DirEntry>& listing);
// The folder (with or without its final "\") holds the product.
bool IsProgramFolder(const std::string& folder);

// The program folder that WIN.INI's "Torvex" section names ("AppPath", else the folder of
// "DatabasePath"), when Torvex.exe is there; empty otherwise. Values are read whole.
std::string ProfileProgramFolder();

// "Caut in .." and the last 31 characters of the folder.
std::string SearchStatusText(const std::string& folder);

// One run of the drive search.
struct DriveSearch {
    // Called once per folder visited with its status text; lets the window system handle
    // a pending message and answers true when the user asked the search to stop.
    std::function<bool(const std::string& statusText)> visiting;
    // The Windows folder with its final "\": skipped, in any letter case (the drive
    // search sets it from the platform).
    std::string windowsFolder;
    std::string found;
    bool stopped = false;
};

// Depth first below `folder` (ending with "\"): true when the search is to end, with
// `found` set to the program folder, or empty and `stopped` set when the user stopped it.
// Hidden and system folders, the Windows folder and paths over 100 characters are skipped.
bool SearchTree(DriveSearch& search, const std::string& folder);

// Fixed drives C: to Z:, each first at X:\WinTorv\, then searched whole. The folder found,
// with its final "\"; empty when nothing was found or the search was stopped.
std::string SearchFixedDrives(DriveSearch& search);

// The whole search: the profile, then the fixed drives.
std::string FindProgramFolder(DriveSearch& search);

}  // namespace work
