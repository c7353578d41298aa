// The virtual machine's registry: kept in memory, written whole to registry.txt at
// every change.
#include "platform/host/HostPlatform.h"

#include <fstream>
#include <sstream>

#include "platform/Paths.h"

namespace plat {

// registry.txt: "key<TAB>value<TAB>S|D<TAB>data" a line; a key alone marks an empty key.
void HostPlatform::LoadRegistry() {
    std::ifstream in(root_ + "/registry.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t')) fields.push_back(field);
        if (fields.empty()) continue;
        auto& key = registry_[fields[0]];
        if (fields.size() >= 4) key[fields[1]] = RegistryValue{fields[2] == "D", fields[3]};
    }
}

void HostPlatform::SaveRegistry() {
    std::ofstream out(root_ + "/registry.txt", std::ios::trunc);
    for (const auto& [key, values] : registry_) {
        if (values.empty()) out << key << "\n";
        for (const auto& [name, value] : values)
            out << key << "\t" << name << "\t" << (value.isDword ? "D" : "S") << "\t"
                << value.data << "\n";
    }
}

bool HostPlatform::RegistryKeyExists(const std::string& key) {
    std::string wanted = ToUpperAscii(ExcludeTrailingBackslash(key));
    for (const auto& entry : registry_) {
        const std::string& name = entry.first;
        if (name == wanted || (name.size() > wanted.size() && name.compare(0, wanted.size(), wanted) == 0 &&
                               name[wanted.size()] == '\\'))
            return true;
    }
    return false;
}

std::optional<std::string> HostPlatform::RegistryReadString(const std::string& key,
                                                            const std::string& value) {
    auto k = registry_.find(ToUpperAscii(ExcludeTrailingBackslash(key)));
    if (k == registry_.end()) return std::nullopt;
    auto v = k->second.find(ToUpperAscii(value));
    if (v == k->second.end() || v->second.isDword) return std::nullopt;
    return v->second.data;
}

bool HostPlatform::RegistryWriteString(const std::string& key, const std::string& value,
                                       const std::string& data) {
    if (!NextOperation()) return false;
    registry_[ToUpperAscii(ExcludeTrailingBackslash(key))][ToUpperAscii(value)] = {false, data};
    SaveRegistry();
    return true;
}

std::optional<uint32_t> HostPlatform::RegistryReadDword(const std::string& key,
                                                        const std::string& value) {
    auto k = registry_.find(ToUpperAscii(ExcludeTrailingBackslash(key)));
    if (k == registry_.end()) return std::nullopt;
    auto v = k->second.find(ToUpperAscii(value));
    if (v == k->second.end() || !v->second.isDword) return std::nullopt;
    return static_cast<uint32_t>(std::stoul(v->second.data));
}

bool HostPlatform::RegistryWriteDword(const std::string& key, const std::string& value,
                                      uint32_t data) {
    if (!NextOperation()) return false;
    registry_[ToUpperAscii(ExcludeTrailingBackslash(key))][ToUpperAscii(value)] = {
        true, std::to_string(data)};
    SaveRegistry();
    return true;
}

bool HostPlatform::RegistryDeleteValue(const std::string& key, const std::string& value) {
    if (!NextOperation()) return false;
    auto k = registry_.find(ToUpperAscii(ExcludeTrailingBackslash(key)));
    if (k == registry_.end()) return true;
    k->second.erase(ToUpperAscii(value));
    SaveRegistry();
    return true;
}

bool HostPlatform::RegistryDeleteEmptyKey(const std::string& key) {
    if (!NextOperation()) return false;
    const std::string wanted = ToUpperAscii(ExcludeTrailingBackslash(key));
    for (const auto& [name, values] : registry_) {
        const bool below = name.size() > wanted.size() && name.compare(0, wanted.size(), wanted) == 0 &&
                           name[wanted.size()] == '\\';
        if ((name == wanted && !values.empty()) || below) return false;
    }
    registry_.erase(wanted);
    SaveRegistry();
    return true;
}

}  // namespace plat
