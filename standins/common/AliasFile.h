// The stand-in engine's alias store: a text file IDAPI32.CFG, one alias per line,
// "NAME=PATH", names without regard to case. Lines without "=" are ignored.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace standin {

inline constexpr char kAliasFileName[] = "IDAPI32.CFG";

struct Alias {
    std::string name;
    std::string path;
};

class AliasTable {
public:
    // Replaces the table with the file's aliases; a missing file is an empty table.
    // False only when the file exists but cannot be read.
    bool Load(const std::string& filePath);
    bool Save(const std::string& filePath) const;

    std::optional<std::string> PathOf(const std::string& name) const;
    // Adds the alias, or gives an existing one (any case) its new name and path.
    void Set(const std::string& name, const std::string& path);
    // Removes the alias of this name (any case); false when there is none.
    bool Remove(const std::string& name);
    void Clear() { aliases_.clear(); }
    const std::vector<Alias>& Aliases() const { return aliases_; }

private:
    std::vector<Alias> aliases_;
};

}  // namespace standin
