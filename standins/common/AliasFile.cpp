#include "standins/common/AliasFile.h"

#include <cerrno>
#include <cstdio>

#include "standins/common/StandinSupport.h"

namespace standin {

bool AliasTable::Load(const std::string& filePath) {
    aliases_.clear();
    std::FILE* file = std::fopen(filePath.c_str(), "rb");
    if (!file) return errno == ENOENT;
    std::string text;
    char chunk[4096];
    size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, count);
    const bool readWell = !std::ferror(file);
    std::fclose(file);

    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t equals = line.find('=');
        if (equals != std::string::npos && equals > 0)
            Set(line.substr(0, equals), line.substr(equals + 1));
        start = end + 1;
    }
    return readWell;
}

bool AliasTable::Save(const std::string& filePath) const {
    std::FILE* file = std::fopen(filePath.c_str(), "wb");
    if (!file) return false;
    bool written = true;
    for (const Alias& alias : aliases_) {
        const std::string line = alias.name + "=" + alias.path + "\r\n";
        written &= std::fwrite(line.data(), 1, line.size(), file) == line.size();
    }
    return std::fclose(file) == 0 && written;
}

std::optional<std::string> AliasTable::PathOf(const std::string& name) const {
    for (const Alias& alias : aliases_) {
        if (EqualsNoCase(alias.name, name)) return alias.path;
    }
    return std::nullopt;
}

void AliasTable::Set(const std::string& name, const std::string& path) {
    for (Alias& alias : aliases_) {
        if (EqualsNoCase(alias.name, name)) {
            alias = Alias{name, path};
            return;
        }
    }
    aliases_.push_back(Alias{name, path});
}

bool AliasTable::Remove(const std::string& name) {
    for (auto alias = aliases_.begin(); alias != aliases_.end(); ++alias) {
        if (EqualsNoCase(alias->name, name)) {
            aliases_.erase(alias);
            return true;
        }
    }
    return false;
}

}  // namespace standin
