#include "work/configure/ShortcutGroup.h"

#include <algorithm>

#include "core/Log.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "record/Recording.h"

namespace work {

namespace {

constexpr char kShortcutExtension[] = ".lnk";

void NoteShortcut(record::InstallRecord& run, const std::string& group, const std::string& path) {
    const record::FileFacts facts = record::MeasureFile(path).value_or(record::FileFacts{});
    run.shortcuts.erase(std::remove_if(run.shortcuts.begin(), run.shortcuts.end(),
                                       [&](const record::RecordedFile& f) { return record::SamePath(f.path, path); }),
                        run.shortcuts.end());
    run.shortcuts.push_back({path, facts.size, facts.crc});
    run.group = group;
    run.groupWay = record::GroupWay::Shortcuts;
}

}  // namespace

bool MakeShortcutGroup(const std::string& group, const std::vector<GroupItem>& items,
                       const std::string& workingFolder) {
    plat::Platform& platform = plat::Current();
    const std::optional<std::string> programs = platform.CommonProgramsFolder();
    if (!programs) {
        core::LogNote("Nu gasesc folderul Programs al meniului Start");
        return false;
    }
    const std::string folder = plat::JoinPath(*programs, group);
    if (!platform.DirectoryExists(folder) && !platform.MakeDirectory(folder)) {
        core::LogNote("Nu pot crea folderul " + folder);
        return false;
    }
    bool madeAny = false;
    for (const GroupItem& item : items) {
        const std::string path = plat::JoinPath(folder, item.title + kShortcutExtension);
        if (!platform.SaveShortcut(path, {item.program, "", workingFolder})) {
            core::LogNote("Nu pot crea scurtatura " + path);
            // A folder with nothing of ours in it goes.
            if (!madeAny) platform.RemoveEmptyDirectory(folder);
            return false;
        }
        NoteShortcut(record::ThisRun(), group, path);
        madeAny = true;
    }
    core::LogNote("Grupul " + group + " este folderul de scurtaturi " + folder);
    return true;
}

}  // namespace work
