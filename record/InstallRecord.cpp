#include "record/InstallRecord.h"

#include <charconv>

#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

namespace record {

namespace {

constexpr char kHeading[] =
    "; WinTORVEX: ce a creat instalarea pe acest calculator.\r\n"
    "; DEZINST.EXE -uninstall sterge dupa acest fisier; datele nu le sterge niciodata.\r\n";
constexpr char kMade[] = "nou";
constexpr char kWasPrefix[] = "era:";
constexpr char kKeySeparator = '|';

// The sections of the record, in the order they are written.
enum class Section { Setup, Files, Folders, Values, Keys, EngineFiles, EngineFolders, EngineValues, EngineKeys,
                     Aliases, Profile, Shortcuts, None };
struct SectionName {
    Section section;
    const char* name;
};
constexpr SectionName kSections[] = {
    {Section::Setup, "Instalare"},          {Section::Files, "Fisiere"},
    {Section::Folders, "Foldere"},          {Section::Values, "Registru"},
    {Section::Keys, "Chei"},                {Section::EngineFiles, "Motor Fisiere"},
    {Section::EngineFolders, "Motor Foldere"}, {Section::EngineValues, "Motor Registru"},
    {Section::EngineKeys, "Motor Chei"},    {Section::Aliases, "Aliasuri"},
    {Section::Profile, "WinIni"},           {Section::Shortcuts, "Grup Scurtaturi"},
};

Section SectionNamed(std::string_view name) {
    for (const SectionName& entry : kSections)
        if (plat::EqualsIgnoreCase(entry.name, name)) return entry.section;
    return Section::None;
}

const char* NameOf(Section section) {
    for (const SectionName& entry : kSections)
        if (entry.section == section) return entry.name;
    return "";
}

// The setup keys: what the installation was.
constexpr char kKind[] = "Tip";
constexpr char kProgram[] = "Program";
constexpr char kData[] = "Date";
constexpr char kEngineUnpacked[] = "MotorDespachetat";
constexpr char kUseCountRaised[] = "UseCountMarit";
constexpr char kGroup[] = "Grup";
// How the group was made; a record written before the group could be made otherwise has
// none: the Program Manager made it.
constexpr char kGroupWay[] = "GrupPrin";
struct GroupWayName {
    GroupWay way;
    const char* name;
};
constexpr GroupWayName kGroupWays[] = {{GroupWay::ProgramManager, "DDE"}, {GroupWay::Shortcuts, "Scurtaturi"}};

const char* NameOf(GroupWay way) {
    for (const GroupWayName& entry : kGroupWays)
        if (entry.way == way) return entry.name;
    return "";
}

bool ParseGroupWay(const std::string& text, GroupWay* way) {
    for (const GroupWayName& entry : kGroupWays)
        if (plat::EqualsIgnoreCase(entry.name, text)) {
            *way = entry.way;
            return true;
        }
    return false;
}

// `value` in eight upper-case hexadecimal digits. Written out here rather than with the C
// library's formatted printing, which would bring its whole floating-point machinery into
// a program that must fit on the first floppy.
std::string Hex8(uint32_t value) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits(8, '0');
    for (int digit = 7; digit >= 0; --digit, value >>= 4) digits[digit] = kHex[value & 0xF];
    return digits;
}

std::string FileLine(const RecordedFile& file) {
    return file.path + "=" + std::to_string(file.size) + " " + Hex8(file.crc);
}

std::string ValueLine(const RecordedValue& value) {
    return value.key + kKeySeparator + value.name + "=" +
           (value.previous ? kWasPrefix + *value.previous : std::string(kMade));
}

class Writer {
public:
    void Open(Section section) { text_ += "\r\n[" + std::string(NameOf(section)) + "]\r\n"; }
    void Line(const std::string& line) { text_ += line + "\r\n"; }
    void Files(Section section, const std::vector<RecordedFile>& files) {
        Open(section);
        for (const RecordedFile& file : files) Line(FileLine(file));
    }
    void Names(Section section, const std::vector<std::string>& names) {
        Open(section);
        for (const std::string& name : names) Line(name + "=");
    }
    void Values(Section section, const std::vector<RecordedValue>& values) {
        Open(section);
        for (const RecordedValue& value : values) Line(ValueLine(value));
    }
    void Belonging(const Belongings& what, Section files, Section folders, Section values, Section keys) {
        Files(files, what.files);
        Names(folders, what.folders);
        Values(values, what.values);
        Names(keys, what.keys);
    }
    std::string text_ = kHeading;
};

bool ParseFile(const plat::IniLine& line, RecordedFile* file) {
    const std::string& value = line.value;
    const size_t blank = value.find(' ');
    if (blank == std::string::npos) return false;
    const char* end = value.data() + value.size();
    auto size = std::from_chars(value.data(), value.data() + blank, file->size);
    auto crc = std::from_chars(value.data() + blank + 1, end, file->crc, 16);
    file->path = line.name;
    return size.ec == std::errc() && size.ptr == value.data() + blank && crc.ec == std::errc() && crc.ptr == end;
}

bool ParseValue(const plat::IniLine& line, RecordedValue* value) {
    const size_t separator = line.name.rfind(kKeySeparator);
    if (separator == std::string::npos) return false;
    value->key = line.name.substr(0, separator);
    value->name = line.name.substr(separator + 1);
    if (line.value == kMade) return true;
    if (line.value.rfind(kWasPrefix, 0) != 0) return false;
    value->previous = line.value.substr(sizeof kWasPrefix - 1);
    return true;
}

bool ParseSetup(const plat::IniLine& line, InstallRecord* record) {
    if (plat::EqualsIgnoreCase(line.name, kKind)) record->kind = line.value;
    else if (plat::EqualsIgnoreCase(line.name, kProgram)) record->programDir = line.value;
    else if (plat::EqualsIgnoreCase(line.name, kData)) record->dataDir = line.value;
    else if (plat::EqualsIgnoreCase(line.name, kGroup)) record->group = line.value;
    else if (plat::EqualsIgnoreCase(line.name, kGroupWay)) return ParseGroupWay(line.value, &record->groupWay);
    else if (plat::EqualsIgnoreCase(line.name, kEngineUnpacked)) record->engineUnpacked = plat::EqualsIgnoreCase(line.value, "Da");
    else if (plat::EqualsIgnoreCase(line.name, kUseCountRaised)) {
        auto parsed = std::from_chars(line.value.data(), line.value.data() + line.value.size(), record->useCountRaised);
        return parsed.ec == std::errc() && parsed.ptr == line.value.data() + line.value.size();
    } else
        return false;
    return true;
}

// One key line of `section` into the record; false when it is not of that section's form.
bool ParseLine(Section section, const plat::IniLine& line, InstallRecord* record) {
    Belongings& owner = section >= Section::EngineFiles && section <= Section::EngineKeys ? record->engine
                                                                                         : record->product;
    switch (section) {
        case Section::Setup: return ParseSetup(line, record);
        case Section::Files:
        case Section::EngineFiles: return ParseFile(line, &owner.files.emplace_back());
        case Section::Folders:
        case Section::EngineFolders: owner.folders.push_back(line.name); return true;
        case Section::Values:
        case Section::EngineValues: return ParseValue(line, &owner.values.emplace_back());
        case Section::Keys:
        case Section::EngineKeys: owner.keys.push_back(line.name); return true;
        case Section::Aliases: record->aliases.push_back(line.name); return true;
        case Section::Profile: return ParseValue(line, &record->profile.emplace_back());
        case Section::Shortcuts: return ParseFile(line, &record->shortcuts.emplace_back());
        case Section::None: break;
    }
    return false;
}

}  // namespace

std::string FormatRecord(const InstallRecord& record) {
    Writer out;
    out.Open(Section::Setup);
    out.Line(std::string(kKind) + "=" + record.kind);
    out.Line(std::string(kProgram) + "=" + record.programDir);
    out.Line(std::string(kData) + "=" + record.dataDir);
    out.Line(std::string(kEngineUnpacked) + "=" + (record.engineUnpacked ? "Da" : "Nu"));
    out.Line(std::string(kUseCountRaised) + "=" + std::to_string(record.useCountRaised));
    out.Line(std::string(kGroup) + "=" + record.group);
    if (!record.group.empty()) out.Line(std::string(kGroupWay) + "=" + NameOf(record.groupWay));
    out.Belonging(record.product, Section::Files, Section::Folders, Section::Values, Section::Keys);
    out.Belonging(record.engine, Section::EngineFiles, Section::EngineFolders, Section::EngineValues,
                  Section::EngineKeys);
    out.Names(Section::Aliases, record.aliases);
    out.Values(Section::Profile, record.profile);
    if (!record.shortcuts.empty()) out.Files(Section::Shortcuts, record.shortcuts);
    return out.text_;
}

RecordReading ParseRecord(const std::string& text, const std::string& fileName) {
    RecordReading reading;
    Section section = Section::None;
    for (const plat::IniLine& line : plat::IniLines(text)) {
        std::string fault;
        if (line.kind == plat::IniLine::Blank) continue;
        if (line.kind == plat::IniLine::Section) {
            section = SectionNamed(line.name);
            if (section == Section::None) fault = "sectiune necunoscuta [" + line.name + "]";
        } else if (line.kind == plat::IniLine::Other || section == Section::None ||
                   !ParseLine(section, line, &reading.record)) {
            fault = "rand nerecunoscut";
        }
        if (!fault.empty()) {
            reading.problem = fileName + ", linia " + std::to_string(line.number) + ": " + fault;
            return reading;
        }
    }
    if (reading.record.programDir.empty()) reading.problem = fileName + ": lipseste folderul programului";
    return reading;
}

std::string TemporaryOf(const std::string& path) { return path + ".$$$"; }

RecordReading ReadRecordFile(const std::string& path) {
    std::optional<std::string> text = plat::ReadWholeFile(path);
    if (!text) return {{}, "Nu pot citi fisierul " + path};
    return ParseRecord(*text, path);
}

bool WriteRecordFile(const std::string& path, const InstallRecord& record) {
    return plat::ReplaceWholeFile(path, TemporaryOf(path), FormatRecord(record));
}

}  // namespace record
