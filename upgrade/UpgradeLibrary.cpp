#include "upgrade/UpgradeLibrary.h"

#include <array>
#include <cstring>
#include <memory>

#include "platform/Paths.h"
#include "platform/Platform.h"
#include "upgrade/UpgradeApi.h"

namespace {

struct EntryPoints {
    upg::GetAliasPathProc getAliasPath = nullptr;
    upg::SetReportProcProc setReportProc = nullptr;
    upg::OperationProc doStructureUpgrade = nullptr;
    upg::OperationProc doListUpgrade = nullptr;
    upg::OperationProc doConstUpgrade = nullptr;
    upg::GetSemaforOKProc getSemaforOK = nullptr;
    upg::SetQuickVerifProc setQuickVerif = nullptr;
    upg::CheckExclusiveProc checkExclusive = nullptr;  // looked up, never called
};

struct UpgradeBinding {
    std::unique_ptr<plat::Library> library;
    EntryPoints entries;
    std::function<void(const std::string&)> sink;
};

// Never destroyed: released by UnloadUpgradeDll, not by static tear-down order at exit.
UpgradeBinding& Binding() {
    static UpgradeBinding* binding = new UpgradeBinding;
    return *binding;
}

template <typename Proc>
bool Look(plat::Library& library, const char* name, Proc* slot) {
    *slot = reinterpret_cast<Proc>(library.Symbol(name));
    return *slot != nullptr;
}

bool LookUpAll(plat::Library& library, EntryPoints* e) {
    // Every one is looked up, even after a miss, so that all slots are in a known state.
    bool all = true;
    all &= Look(library, upg::kGetAliasPath, &e->getAliasPath);
    all &= Look(library, upg::kSetReportProc, &e->setReportProc);
    all &= Look(library, upg::kDoStructureUpgrade, &e->doStructureUpgrade);
    all &= Look(library, upg::kDoListUpgrade, &e->doListUpgrade);
    all &= Look(library, upg::kDoConstUpgrade, &e->doConstUpgrade);
    all &= Look(library, upg::kGetSemaforOK, &e->getSemaforOK);
    all &= Look(library, upg::kSetQuickVerif, &e->setQuickVerif);
    all &= Look(library, upg::kCheckExclusive, &e->checkExclusive);
    return all;
}

// The procedure the library calls with each progress text.
void UPGFN ReportToSink(void* textHandle) {
    auto& sink = Binding().sink;
    if (!sink || !textHandle) return;
    sink(plat::Current().GlobalText(textHandle));
}

}  // namespace

bool LoadUpgradeDll() {
    UnloadUpgradeDll();
    plat::Platform& platform = plat::Current();
    const std::string path =
        plat::ExtractFilePath(platform.ModuleFileName()) + kUpgradeLibraryName;
    plat::LoadError error = plat::LoadError::None;
    std::unique_ptr<plat::Library> library = platform.OpenLibrary(path, &error);
    if (!library) return false;
    EntryPoints entries;
    if (!LookUpAll(*library, &entries)) return false;
    Binding().library = std::move(library);
    Binding().entries = entries;
    return true;
}

void UnloadUpgradeDll() {
    UpgradeBinding& binding = Binding();
    binding.entries = EntryPoints{};
    binding.library.reset();
    // The library may still hold the report procedure, but it is gone with it.
    binding.sink = nullptr;
}

bool UpgradeDllLoaded() { return Binding().library != nullptr; }

std::string UpgradeGetAliasPath(const std::string& alias) {
    const EntryPoints& e = Binding().entries;
    std::array<char, upg::kAliasPathBuffer> buffer{};
    if (!e.getAliasPath || alias.size() >= buffer.size()) return {};
    std::memcpy(buffer.data(), alias.c_str(), alias.size() + 1);
    e.getAliasPath(buffer.data());
    buffer.back() = '\0';  // a library that fills the whole buffer still ends inside it
    return buffer.data();
}

void UpgradeSetReportSink(std::function<void(const std::string&)> sink) {
    UpgradeBinding& binding = Binding();
    if (!binding.entries.setReportProc) return;
    binding.sink = std::move(sink);
    binding.entries.setReportProc(&ReportToSink);
}

bool UpgradeRun(UpgradeOperation operation) {
    const EntryPoints& e = Binding().entries;
    upg::OperationProc run = nullptr;
    switch (operation) {
        case UpgradeOperation::Structure: run = e.doStructureUpgrade; break;
        case UpgradeOperation::Lists: run = e.doListUpgrade; break;
        case UpgradeOperation::Constants: run = e.doConstUpgrade; break;
    }
    if (!run || !e.getSemaforOK) return false;
    run();
    return e.getSemaforOK();
}

void UpgradeSetQuickVerif(bool on) {
    const EntryPoints& e = Binding().entries;
    if (e.setQuickVerif) e.setQuickVerif(on ? 1 : 0);
}
