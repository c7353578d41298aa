// The user's profile, WIN.INI.
#pragma once

#include <string>

namespace plat {

class Profile {
public:
    virtual std::string ProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) = 0;
    virtual bool WriteProfile(const std::string& section, const std::string& key,
                                    const std::string& value) = 0;
    // Removes the key; a section left without keys goes with it. True once it is gone.
    virtual bool RemoveProfileValue(const std::string& /*section*/, const std::string& /*key*/) { return false; }

protected:
    ~Profile() = default;
};

}  // namespace plat
