#include "pages/UpgCopy.h"

#include "core/InstallState.h"
#include "pages/InstallRecording.h"

namespace pages {

TUpgCopy::TUpgCopy() : TCopyPageForm(core::PageUpgradeCopy) {}

product::ComponentSet TUpgCopy::Selection() const { return product::UpgradeComponentSets[core::State().InstallType]; }

ExtractionSettings TUpgCopy::Settings() {
    ExtractionSettings settings;
    settings.skipMissingModules = false;
    settings.beforeExtract = [this](const product::TCompRecord& component, const unzip::TQuarnUnzip& unzip) {
        rule_.SetTarget(unzip.DirectoryName(), component.Target == product::TargetProgram);
    };
    settings.query = [this](unzip::ExtractReport* report) { return rule_.Query(report); };
    settings.replaces = [](const product::TCompRecord& component, const std::string& folder, const std::string& path) {
        return ShouldReplace(PathRest(path, folder.size()), component.Target == product::TargetProgram);
    };
    settings.journal = &journal_;
    // The upgraded files take their new sizes and CRCs in the installation's record, which
    // changes with the installation or not at all.
    settings.beforeCommit = [this] { return RecordThisRun(&journal_); };
    return settings;
}

std::unique_ptr<ui::TForm> MakeUpgCopy() { return std::make_unique<TUpgCopy>(); }

}  // namespace pages
