#include "work/engine/EngineCheck.h"

#include <array>
#include <cstdint>

#include "core/Log.h"
#include "dbengine/EngineLoader.h"
#include "work/engine/EngineRegistry.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"

namespace work {

namespace {

constexpr char kEngineInitKey[] = "Software\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT";
constexpr std::array<const char*, 3> kEngineFolderLevels = {"Borland", "Common Files", "BDE"};

constexpr char kOldEngineHeading[] = "Protectia aplicatiilor existente";
constexpr char kOldEngineText[] =
    "Am gasit o instalare mai veche de\rmotor baza de date (BDE)...\r"
    "Daca WinTORVEX nu functioneaza, contactati-ne.\r";
constexpr char kHeadingAfterWarning[] = "PENTRU CONTINUARE";
constexpr char kKeyWithoutLibrary[] =
    "Cheia motorului BDE exista, dar IDAPI32.DLL lipseste din DLLPATH: motorul se instaleaza din arhiva";

void WarnAboutOldEngine(Reports& reports) {
    reports.SetHeading(kOldEngineHeading);
    Notice warning;
    warning.text = kOldEngineText;
    // A warning in an error's dress: the installation goes on after it.
    warning.purpose = Purpose::Report;
    reports.Tell(warning);
    reports.SetHeading(kHeadingAfterWarning);
}

}  // namespace

int VersionNumber(std::string_view text) {
    if (text.empty()) return 0;
    size_t end = text.find('.');
    if (end == std::string_view::npos) end = text.find(',');
    if (end == std::string_view::npos) end = text.size();
    // Wrapping arithmetic: a long text gives some number, never undefined behaviour.
    uint32_t value = 0;
    for (size_t i = 0; i < end; ++i) value = value * 10u + uint32_t(int(uint8_t(text[i])) - '0');
    return int32_t(value);
}

bool IsOldEngineVersion(std::string_view version) { return version != "4.0" && VersionNumber(version) < 4; }

bool EngineInstalled() {
    plat::Platform& platform = plat::Current();
    return platform.RegistryKeyExists(kEngineInitKey) && !bde::RegisteredLibraryFolder(platform).empty();
}

EngineTarget CheckEngine(bool& oldEngine, Reports& reports) {
    plat::Platform& platform = plat::Current();
    const bool installed = EngineInstalled();
    if (!installed && platform.RegistryKeyExists(kEngineInitKey)) core::LogNote(kKeyWithoutLibrary);
    if (installed) {
        if (auto version = platform.RegistryReadString(kEngineInitKey, "VERSION"); version && IsOldEngineVersion(*version))
            oldEngine = true;
        if (oldEngine) WarnAboutOldEngine(reports);
        return {};
    }
    if (oldEngine)
        return {EngineTarget::Extract, platform.RegistryReadString(kEngineKey, "DLLPATH").value_or("")};
    std::string folder = ProgramFilesFolder();
    for (const char* level : kEngineFolderLevels) {
        folder = plat::JoinPath(folder, level);
        if (platform.DirectoryExists(folder)) continue;
        if (!platform.MakeDirectory(folder)) return {EngineTarget::Failed, folder};
        record::NoteFolder(record::ThisRun().engine, folder);
    }
    record::ThisRun().engineUnpacked = true;
    return {EngineTarget::Extract, folder};
}

}  // namespace work
