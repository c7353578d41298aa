#include "pages/CopyPage.h"

#include "core/InstallState.h"

namespace pages {

TCopy::TCopy() : TCopyPageForm("TCopy", 2) {}

core::ComponentSet TCopy::Selection() const { return core::ComponentSets[core::State().InstallType]; }

namespace {
bool IsData(const core::TCompRecord& component) {
    return component.Target == core::TargetData || component.Target == core::TargetDataToo;
}
}  // namespace

ExtractionSettings TCopy::Settings() {
    ExtractionSettings settings;
    settings.beforeExtract = [this](const core::TCompRecord& component, const unzip::TQuarnUnzip&) {
        unpackingData_ = IsData(component);
    };
    settings.query = [this](unzip::ExtractReport*) { return !unpackingData_; };
    settings.replaces = [](const core::TCompRecord& component, const std::string&, const std::string&) {
        return !IsData(component);
    };
    return settings;
}

std::unique_ptr<ui::TForm> MakeCopyPage() { return std::make_unique<TCopy>(); }

}  // namespace pages
