// The record of what an installation made on this machine, kept in the program folder
// as DEZINST.INI: plain text a person can read, and what the uninstall works from.
// Each thing is listed with what is needed to take it back: a file with its size and
// CRC-32 (a file changed since is not the installation's any more), a registry value or
// a WIN.INI value with the value it replaced, a folder or a key that the installation
// created. What belongs to the database engine is listed apart: it goes only when the
// installation unpacked the engine and no other program counts on it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace record {

inline constexpr char RecordFileName[] = "DEZINST.INI";
inline constexpr char UninstallProgram[] = "DEZINST.EXE";

struct RecordedFile {
    std::string path;
    uint64_t size = 0;
    uint32_t crc = 0;
};

// A registry value (key below HKEY_LOCAL_MACHINE) or a WIN.INI value (key: the section).
struct RecordedValue {
    std::string key;
    std::string name;
    std::optional<std::string> previous;  // what it held before; none: the installation made it
};

// What one owner (the product, or the engine) has of the installation's making.
struct Belongings {
    std::vector<RecordedFile> files;
    std::vector<std::string> folders;  // made by the installation; removed once empty
    std::vector<RecordedValue> values;
    std::vector<std::string> keys;  // made by the installation; removed once empty

    bool Empty() const { return files.empty() && folders.empty() && values.empty() && keys.empty(); }
};

// How the program group was made: by the Program Manager through DDE (and removed by
// it), or as a folder of shortcuts in the Start Menu, which the installation made itself.
enum class GroupWay { ProgramManager, Shortcuts };

struct InstallRecord {
    std::string kind;  // LOCAL, SERVER or CLIENT
    std::string programDir;
    std::string dataDir;
    bool engineUnpacked = false;  // the engine's files came from this installation
    int useCountRaised = 0;       // times an engine installed before got one more user
    std::string group;            // the program group, or empty
    GroupWay groupWay = GroupWay::ProgramManager;
    std::vector<RecordedFile> shortcuts;  // the group's shortcuts that the installation made
    Belongings product;
    Belongings engine;
    std::vector<std::string> aliases;
    std::vector<RecordedValue> profile;  // WIN.INI
};

std::string FormatRecord(const InstallRecord& record);

struct RecordReading {
    InstallRecord record;
    std::string problem;  // empty: read whole; else what is wrong, with the line
};
RecordReading ParseRecord(const std::string& text, const std::string& fileName);
RecordReading ReadRecordFile(const std::string& path);

// Through a temporary file in the same folder (TemporaryOf): the record is never left
// half-written.
bool WriteRecordFile(const std::string& path, const InstallRecord& record);
std::string TemporaryOf(const std::string& path);

}  // namespace record
