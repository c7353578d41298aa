// Text for the programs of the 8-bit Windows API (the database engine takes nothing else):
// the program's UTF-8 in a machine's ANSI code page, and back. Windows converts with the
// system's own tables; the virtual machine and the tools use the two tables here, 1250
// (Central European, Romanian machines) and 1252 (Western).
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

inline constexpr unsigned kCodePageCentralEuropean = 1250;
inline constexpr unsigned kCodePageWestern = 1252;

struct AnsiText {
    std::string text;                  // in the code page; '?' for a letter it cannot hold
    std::vector<std::string> missing;  // the letters it cannot hold, each once, in UTF-8
    bool Whole() const { return missing.empty(); }
    // A letter the code page cannot hold: '?' in the text, and the letter named once.
    void Lacks(const std::string& letter) {
        text += '?';
        if (std::find(missing.begin(), missing.end(), letter) == missing.end()) missing.push_back(letter);
    }
};

bool HasCodePageTable(unsigned codePage);

// `utf8` in the code page of the table. A text that is no UTF-8 was written in the code
// page already (a name a Windows program wrote) and is taken as it is.
AnsiText Utf8ToCodePage(unsigned codePage, std::string_view utf8);
std::string CodePageToUtf8(unsigned codePage, std::string_view text);

}  // namespace plat
