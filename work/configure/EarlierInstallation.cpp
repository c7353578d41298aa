#include "work/configure/EarlierInstallation.h"

#include "core/Log.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "product/Components.h"
#include "record/Recording.h"
#include "upgrade/UpgradeLibrary.h"
#include "work/configure/ConfigSteps.h"

namespace work {

namespace {

constexpr char kProfileSection[] = "Torvex";
constexpr char kDefaultUserKey[] = "LastUser";
constexpr char kAppPathKey[] = "AppPath";

}  // namespace

void TakeEarlierInstallation(const ConfigOrder& order) {
    plat::Platform& machine = plat::Current();
    if (machine.FileExists(plat::JoinPath(order.programDir, record::RecordFileName))) return;
    record::InstallRecord& run = record::ThisRun();
    std::vector<std::string> aliases;
    for (size_t i = 0; i < product::AliasNames.size(); ++i) {
        const std::string name(product::AliasNames[i]);
        const std::string path = UpgradeGetAliasPath(name);
        if (!path.empty() && record::SamePath(path, product::AliasPath(order.dataDir, product::AliasFolders[i])))
            aliases.push_back(name);
    }
    // Without an alias of its own, the product's names on this machine are another
    // installation's.
    if (aliases.empty()) return;
    run.aliases = aliases;
    run.group = kGroupName;
    const std::string appPath = machine.ProfileString(kProfileSection, kAppPathKey, "");
    const bool profileOurs = appPath.empty() || record::SamePath(appPath, order.programDir);
    bool noted = false;
    for (const record::RecordedValue& value : run.profile)
        noted = noted || (value.key == kProfileSection && value.name == kDefaultUserKey);
    if (profileOurs && !noted && !machine.ProfileString(kProfileSection, kDefaultUserKey, "").empty())
        run.profile.push_back({kProfileSection, kDefaultUserKey, std::nullopt});
    core::LogNote("Instalare fara inregistrare: preiau aliasurile, grupul " + run.group +
                  (profileOurs ? " si utilizatorul din WIN.INI" : ""));
}

}  // namespace work
