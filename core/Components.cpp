#include "core/Components.h"

#include "platform/Paths.h"

namespace core {

std::string AliasPath(std::string_view dataDir, std::string_view aliasFolder) {
    return plat::IncludeTrailingBackslash(dataDir) + std::string(aliasFolder);
}

}  // namespace core
