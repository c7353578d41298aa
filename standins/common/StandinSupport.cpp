#include "standins/common/StandinSupport.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace standin {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool TakeCountdown(const char* name) {
    const std::optional<std::string> value = EnvironmentValue(name);
    if (!value) return false;
    const long remaining = std::strtol(value->c_str(), nullptr, 10);
    if (remaining <= 0) return false;
    SetEnvironmentValue(name, std::to_string(remaining - 1));
    return true;
}

bool ListedIn(const char* name, const std::string& item) {
    const std::optional<std::string> list = EnvironmentValue(name);
    if (!list) return false;
    size_t start = 0;
    while (start <= list->size()) {
        size_t end = list->find(',', start);
        if (end == std::string::npos) end = list->size();
        if (EqualsNoCase(list->substr(start, end - start), item)) return true;
        start = end + 1;
    }
    return false;
}

bool AppendLine(const std::string& path, const std::string& line) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) return false;
    const std::string record = line + "\r\n";
    const bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
    return std::fclose(file) == 0 && written;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace standin
