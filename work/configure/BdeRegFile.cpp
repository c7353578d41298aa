#include "work/configure/BdeRegFile.h"

#include <algorithm>
#include <array>
#include <memory>

#include "platform/Paths.h"
#include "platform/Platform.h"

namespace work {

namespace {

constexpr std::string_view kTemporaryName = "BDEREG.$$$";

struct FailureText {
    BdeRegResult result;
    std::string_view text;
};
constexpr std::array<FailureText, 3> kFailureTexts = {{
    {BdeRegResult::Missing, "Fisierul de configurare BDE lipseste:"},
    {BdeRegResult::Unreadable, "Fisierul de configurare BDE nu poate fi citit:"},
    {BdeRegResult::Unwritable, "Fisierul de configurare BDE nu poate fi scris:"},
}};

std::string DoubledBackslashes(std::string_view text) {
    std::string doubled;
    for (char c : text) {
        doubled += c;
        if (c == '\\') doubled += c;
    }
    return doubled;
}

// Lines end with LF or CR LF; a last line without an end is a line too.
std::string Filled(std::string_view content, std::string_view programFilesDir) {
    std::string result;
    result.reserve(content.size() + 64);
    while (!content.empty()) {
        size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        result += FillProgDir(line, programFilesDir);
        result += "\r\n";
    }
    return result;
}

}  // namespace

std::string FillProgDir(std::string_view line, std::string_view programFilesDir) {
    size_t at = line.find(kProgDirPlaceholder);
    if (at == std::string_view::npos) return std::string(line);
    return std::string(line.substr(0, at)) + DoubledBackslashes(programFilesDir) +
           std::string(line.substr(at + kProgDirPlaceholder.size()));
}

BdeRegResult RewriteBdeReg(const std::string& path, std::string_view programFilesDir) {
    auto& platform = plat::Current();
    if (!platform.FileExists(path)) return BdeRegResult::Missing;
    auto content = plat::ReadWholeFile(path);
    if (!content) return BdeRegResult::Unreadable;
    std::string temporary = plat::JoinPath(plat::ExtractFilePath(path), kTemporaryName);
    if (!plat::ReplaceWholeFile(path, temporary, Filled(*content, programFilesDir))) return BdeRegResult::Unwritable;
    return BdeRegResult::Rewritten;
}

std::string BdeRegFailureText(const std::string& path, BdeRegResult result) {
    for (const FailureText& entry : kFailureTexts)
        if (entry.result == result) return std::string(entry.text) + "\r" + path;
    return path;
}

std::vector<std::pair<std::string, std::string>> ValuesOfRegistryFile(std::string_view text) {
    constexpr std::string_view kRoot = "[HKEY_LOCAL_MACHINE\\";
    std::vector<std::pair<std::string, std::string>> values;
    std::string key;  // empty: a key of another root, or none yet
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        if (!line.empty() && line.front() == '[') {
            const bool ours = line.size() > kRoot.size() && line.back() == ']' && line.substr(0, kRoot.size()) == kRoot;
            key = ours ? std::string(line.substr(kRoot.size(), line.size() - kRoot.size() - 1)) : std::string();
        } else if (!key.empty() && !line.empty() && line.front() == '@') {
            values.emplace_back(key, "");
        } else if (!key.empty() && line.size() > 1 && line.front() == '"') {
            const size_t close = line.find('"', 1);
            if (close != std::string_view::npos) values.emplace_back(key, std::string(line.substr(1, close - 1)));
        }
    }
    return values;
}

}  // namespace work
