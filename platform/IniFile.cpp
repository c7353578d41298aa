#include "platform/IniFile.h"

#include <vector>

#include "platform/Paths.h"

namespace plat {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// "[Name]" -> "Name"; anything else -> nullopt.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// `line`, one of the lines of `text`, with the '\n' that ends it when one does.
std::string_view WithLineEnd(std::string_view text, std::string_view line) {
    const auto start = static_cast<size_t>(line.data() - text.data());
    return text.substr(start, line.size() + (start + line.size() < text.size() ? 1 : 0));
}

bool KeyMatches(std::string_view line, std::string_view key, std::string_view* value) {
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    if (!EqualsIgnoreCase(Trim(line.substr(0, eq)), Trim(key))) return false;
    if (value) *value = Trim(line.substr(eq + 1));
    return true;
}

}  // namespace

std::optional<std::string> IniRead(std::string_view text, std::string_view section,
                                   std::string_view key) {
    bool inSection = false;
    for (std::string_view line : SplitLines(text)) {
        if (auto name = SectionName(line)) {
            inSection = EqualsIgnoreCase(*name, Trim(section));
            continue;
        }
        std::string_view value;
        if (inSection && KeyMatches(line, key, &value)) {
            // A value in double quotes is taken without them, as the profile API does.
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            return std::string(value);
        }
    }
    return std::nullopt;
}

std::vector<IniLine> IniLines(std::string_view text) {
    std::vector<IniLine> result;
    int number = 0;
    for (std::string_view line : SplitLines(text)) {
        ++number;
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';') {
            result.push_back({IniLine::Blank, number, {}, {}});
        } else if (auto name = SectionName(line)) {
            result.push_back({IniLine::Section, number, std::string(*name), {}});
        } else if (size_t eq = trimmed.find('='); eq != std::string_view::npos && eq > 0) {
            result.push_back({IniLine::Key, number, std::string(Trim(trimmed.substr(0, eq))),
                              std::string(Trim(trimmed.substr(eq + 1)))});
        } else {
            result.push_back({IniLine::Other, number, std::string(trimmed), {}});
        }
    }
    return result;
}

std::string IniWrite(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value) {
    std::vector<std::string_view> lines = SplitLines(text);
    std::string newLine(key);
    newLine.append("=").append(value).append("\r");
    std::vector<std::string> out;
    bool inSection = false, written = false, sectionSeen = false;
    size_t lastOfSection = 0;
    for (std::string_view line : lines) {
        if (auto name = SectionName(line)) {
            inSection = EqualsIgnoreCase(*name, Trim(section));
            sectionSeen = sectionSeen || inSection;
            out.emplace_back(line);
            if (inSection) lastOfSection = out.size();
            continue;
        }
        if (inSection && !written && KeyMatches(line, key, nullptr)) {
            out.push_back(newLine);
            written = true;
        } else {
            out.emplace_back(line);
        }
        if (inSection && !Trim(line).empty()) lastOfSection = out.size();
    }
    if (!written) {
        if (sectionSeen) {
            out.insert(out.begin() + static_cast<long>(lastOfSection), newLine);
        } else {
            if (!out.empty() && !Trim(out.back()).empty()) out.push_back("\r");
            std::string header("[");
            header.append(section).append("]\r");
            out.push_back(header);
            out.push_back(newLine);
        }
    }
    std::string result;
    for (const std::string& line : out) {
        result += line;
        if (!line.empty() && line.back() != '\r') result += '\r';
        if (line.empty()) continue;
        result += '\n';
    }
    return result;
}

std::string IniRemove(std::string_view text, std::string_view section, std::string_view key) {
    // The lines of a section of that name are held back until it shows a key it keeps.
    std::string kept, held;
    bool inSection = false, keepsKeys = false;
    const auto leaveSection = [&] {
        if (keepsKeys) kept += held;
        held.clear();
    };
    for (std::string_view line : SplitLines(text)) {
        const std::string_view written = WithLineEnd(text, line);  // kept as it was
        if (auto name = SectionName(line)) {
            leaveSection();
            inSection = EqualsIgnoreCase(*name, Trim(section));
            keepsKeys = false;
        }
        if (!inSection) {
            kept += written;
            continue;
        }
        const std::string_view bare = Trim(line);
        if (!bare.empty() && bare.front() != ';' && bare.find('=') != std::string_view::npos) {
            if (KeyMatches(bare, key, nullptr)) continue;
            keepsKeys = true;
        }
        held += written;
    }
    leaveSection();
    return kept;
}

long long IniLeadingInteger(std::string_view value) {
    value = Trim(value);
    bool negative = false;
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    long long result = 0;
    for (char c : value) {
        if (c < '0' || c > '9') break;
        if (result > (1LL << 40)) break;  // far beyond any count this program reads
        result = result * 10 + (c - '0');
    }
    return negative ? -result : result;
}

}  // namespace plat
