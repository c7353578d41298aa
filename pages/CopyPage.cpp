#include "pages/CopyPage.h"

#include "core/InstallState.h"

namespace pages {

TCopy::TCopy() : TCopyPageForm(core::PageCopy) {}

product::ComponentSet TCopy::Selection() const { return product::ComponentSets[core::State().InstallType]; }

namespace {
bool IsData(const product::TCompRecord& component) {
    return component.Target == product::TargetData || component.Target == product::TargetDataToo;
}
}  // namespace

ExtractionSettings TCopy::Settings() {
    ExtractionSettings settings;
    settings.beforeExtract = [this](const product::TCompRecord& component, const unzip::TQuarnUnzip&) {
        unpackingData_ = IsData(component);
    };
    settings.query = [this](unzip::ExtractReport*) { return !unpackingData_; };
    settings.replaces = [](const product::TCompRecord& component, const std::string&, const std::string&) {
        return !IsData(component);
    };
    return settings;
}

std::unique_ptr<ui::TForm> MakeCopyPage() { return std::make_unique<TCopy>(); }

}  // namespace pages
