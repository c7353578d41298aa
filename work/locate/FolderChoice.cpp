#include "work/locate/FolderChoice.h"

#include <utility>
#include <vector>

#include "core/InstallState.h"
#include "platform/Platform.h"
#include "record/Recording.h"

namespace work {

namespace {

// Whether the name designates an existing folder (not a file). No name is no folder,
// whatever the current folder is.
bool IsFolder(const std::string& path) { return !path.empty() && plat::Current().DirectoryExists(path); }

// Makes sure that `path` names a folder, creating it (one level) when nothing of that
// name exists; a folder it creates is added to `created`.
bool EnsureFolder(const std::string& path, std::vector<std::string>& created) {
    if (IsFolder(path)) return true;
    if (path.empty() || !plat::Current().MakeDirectory(path) || !IsFolder(path)) return false;
    created.push_back(path);
    return true;
}

}  // namespace

DirsLayout DirsLayoutFor(int installType) {
    switch (installType) {
        case core::InstallLocal: return {false, false, true, true};
        case core::InstallClient: return {true, true, false, false};
        default: return {true, false, true, true};
    }
}

std::optional<FolderOutsideCodePage> FindFolderOutsideCodePage(int installType, const std::string& programText,
                                                               const std::string& dataText) {
    std::vector<std::string> folders = {programText};
    if (DirsLayoutFor(installType).dataRowVisible) folders.push_back(dataText);
    for (const std::string& folder : folders) {
        plat::AnsiText ansi = plat::Current().Utf8ToAnsi(folder);
        if (!ansi.Whole()) return FolderOutsideCodePage{folder, std::move(ansi.missing)};
    }
    return std::nullopt;
}

FolderCheck AcceptFolders(core::InstallState& state, int installType, const std::string& programText,
                          const std::string& dataText) {
    std::vector<std::string> created;
    state.ProgramDir = programText;
    if (FindFolderOutsideCodePage(installType, programText, dataText)) {
        state.WorkDir = state.ProgramDir;
        state.WorkDataDir = state.DataDir;
        return FolderCheck::OutsideCodePage;
    }
    // The program folder first: a data folder inside a new program folder then finds
    // its parent, and passes on the first Continue.
    const bool programReady = EnsureFolder(state.ProgramDir, created);
    FolderCheck check = FolderCheck::Passed;
    switch (installType) {
        case core::InstallLocal:
            state.DataDir = state.ProgramDir;
            break;
        case core::InstallServer:
            if (EnsureFolder(dataText, created))
                state.DataDir = dataText;
            else
                check = FolderCheck::NotCreated;
            break;
        case core::InstallClient:
            if (IsFolder(dataText))
                state.DataDir = dataText;
            else
                check = FolderCheck::ClientDataMissing;
            break;
        default:
            break;
    }
    if (!programReady && check == FolderCheck::Passed) check = FolderCheck::NotCreated;
    // What a refused Continue made goes again; it blocks no later try, which makes it anew.
    if (check != FolderCheck::Passed)
        for (auto it = created.rbegin(); it != created.rend(); ++it) plat::Current().RemoveEmptyDirectory(*it);
    else
        for (const std::string& folder : created) record::NoteFolder(record::ThisRun().product, folder);
    state.WorkDir = state.ProgramDir;
    state.WorkDataDir = state.DataDir;
    return check;
}

}  // namespace work
