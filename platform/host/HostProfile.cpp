// The virtual machine's WIN.INI: the file C:\WINDOWS\WIN.INI, read and written whole.
#include "platform/host/HostPlatform.h"

#include <fstream>
#include <sstream>

#include "platform/IniFile.h"

namespace plat {

namespace {
std::string ReadHostFile(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}
}  // namespace

std::string HostPlatform::ProfileString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue) {
    std::string text = ReadHostFile(HostPath("C:\\WINDOWS\\WIN.INI"));
    return IniRead(text, section, key).value_or(defaultValue);
}

bool HostPlatform::WriteProfile(const std::string& section, const std::string& key,
                                      const std::string& value) {
    if (!NextOperation()) return false;
    std::string host = HostPath("C:\\WINDOWS\\WIN.INI");
    std::string text = IniWrite(ReadHostFile(host), section, key, value);
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

bool HostPlatform::RemoveProfileValue(const std::string& section, const std::string& key) {
    if (!NextOperation()) return false;
    const std::string host = HostPath("C:\\WINDOWS\\WIN.INI");
    const std::string text = IniRemove(ReadHostFile(host), section, key);
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace plat
