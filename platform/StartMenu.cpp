#include "platform/StartMenu.h"

namespace plat {

std::optional<std::string> StartMenu::CommonProgramsFolder() { return std::nullopt; }

bool StartMenu::SaveShortcut(const std::string&, const Shortcut&) { return false; }

}  // namespace plat
