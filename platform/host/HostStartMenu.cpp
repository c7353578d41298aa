// The virtual machine's Start Menu: a Programs folder on drive C:, and shortcuts kept as
// small INI files under their ".lnk" names, which the tests read back.
#include "platform/host/HostPlatform.h"

#include "platform/IniFile.h"

namespace plat {

namespace {

constexpr char kSection[] = "Shortcut";
constexpr char kTarget[] = "Target";
constexpr char kArguments[] = "Arguments";
constexpr char kWorkingFolder[] = "WorkingFolder";

}  // namespace

std::optional<std::string> HostPlatform::CommonProgramsFolder() {
    if (!commonPrograms_) return std::nullopt;
    // Made level by level, as the system makes it, so that a folder set to fail fails here.
    const std::string& folder = *commonPrograms_;
    for (size_t end = folder.find('\\', 3);; end = folder.find('\\', end + 1)) {
        const std::string level = folder.substr(0, end);
        if (!DirectoryExists(level) && !MakeDirectory(level)) return std::nullopt;
        if (end == std::string::npos) return folder;
    }
}

bool HostPlatform::SaveShortcut(const std::string& path, const Shortcut& shortcut) {
    std::string text = IniWrite("", kSection, kTarget, shortcut.target);
    text = IniWrite(text, kSection, kArguments, shortcut.arguments);
    text = IniWrite(text, kSection, kWorkingFolder, shortcut.workingFolder);
    auto file = Open(path, OpenMode::Create);
    return file && file->Write(text.data(), int64_t(text.size())) == int64_t(text.size());
}

std::optional<Shortcut> HostPlatform::ShortcutAt(const std::string& path) {
    auto file = Open(path, OpenMode::Read);
    if (!file) return std::nullopt;
    std::string text(size_t(file->Size()), '\0');
    if (file->Read(text.data(), int64_t(text.size())) != int64_t(text.size())) return std::nullopt;
    auto target = IniRead(text, kSection, kTarget);
    if (!target) return std::nullopt;
    return Shortcut{*target, IniRead(text, kSection, kArguments).value_or(""),
                    IniRead(text, kSection, kWorkingFolder).value_or("")};
}

}  // namespace plat
