// The registry, under HKEY_LOCAL_MACHINE only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace plat {

// `key` like "Software\\Borland\\Database Engine".
class Registry {
public:
    virtual bool RegistryKeyExists(const std::string& key) = 0;
    virtual std::optional<std::string> RegistryReadString(const std::string& key,
                                                          const std::string& value) = 0;
    virtual bool RegistryWriteString(const std::string& key, const std::string& value,
                                     const std::string& data) = 0;
    virtual std::optional<uint32_t> RegistryReadDword(const std::string& key,
                                                      const std::string& value) = 0;
    virtual bool RegistryWriteDword(const std::string& key, const std::string& value,
                                    uint32_t data) = 0;
    // Removing what was written: true once it is gone, also when it was never there. A
    // key goes only while it holds neither values nor keys. A platform without a
    // registry removes nothing.
    virtual bool RegistryDeleteValue(const std::string& /*key*/, const std::string& /*value*/) { return false; }
    virtual bool RegistryDeleteEmptyKey(const std::string& /*key*/) { return false; }

protected:
    ~Registry() = default;
};

}  // namespace plat
