#include "unzip/FileSpec.h"

#include <string>

#include "platform/Paths.h"

namespace unzip {

namespace {

std::string_view BeforeFirstDot(std::string_view name) {
    return name.substr(0, name.find('.'));
}

std::string_view AfterFirstDot(std::string_view name) {
    size_t dot = name.find('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

}  // namespace

bool MatchFileSpec(std::string_view spec, std::string_view storedName) {
    if (spec.empty() || spec == "*.*") return true;
    const std::string pattern = plat::ToUpperAscii(spec);
    const std::string name = plat::ToUpperAscii(storedName);
    std::string_view p(pattern);

    if (p.size() >= 2 && p[0] == '*' && p[1] == '.') return p.substr(2) == AfterFirstDot(name);

    if (p.back() == '*') {
        if (p.size() >= 2 && p[p.size() - 2] == '.') p.remove_suffix(2);
        if (!p.empty() && (p.back() == '*' || p.back() == '?')) p.remove_suffix(1);
        return BeforeFirstDot(name).substr(0, p.size()) == p;
    }
    return p == name;
}

}  // namespace unzip
