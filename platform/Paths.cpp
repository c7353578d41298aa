#include "platform/Paths.h"

#include <algorithm>

namespace plat {

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || !IsSeparator(result.back())) result += '\\';
    return result;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (!result.empty() && IsSeparator(result.back())) result.pop_back();
    return result;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    while (!name.empty() && IsSeparator(name.front())) name.remove_prefix(1);
    std::string joined = IncludeTrailingBackslash(folder);
    joined += name;
    return joined;
}

std::string ExtractFilePath(std::string_view path) {
    size_t cut = path.find_last_of("\\/:");
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string ExtractFileName(std::string_view path) {
    size_t cut = path.find_last_of("\\/:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string ExtractDriveRoot(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return IncludeTrailingBackslash(path.substr(0, 2));
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        size_t server = path.find_first_of("\\/", 2);
        if (server == std::string_view::npos) return {};
        size_t share = path.find_first_of("\\/", server + 1);
        return IncludeTrailingBackslash(path.substr(0, share));
    }
    return {};
}

std::string ToUpperAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; });
    return result;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ToUpperAscii(a) == ToUpperAscii(b);
}

std::string QuotedIfBlank(std::string_view path) {
    std::string text(path);
    if (text.find(' ') != std::string::npos) {
        text.insert(text.begin(), '"');
        text += '"';
    }
    return text;
}

}  // namespace plat
