#include "product/Components.h"

#include "platform/Paths.h"

namespace product {

std::string AliasPath(std::string_view dataDir, std::string_view aliasFolder) {
    return plat::IncludeTrailingBackslash(dataDir) + std::string(aliasFolder);
}

}  // namespace product
