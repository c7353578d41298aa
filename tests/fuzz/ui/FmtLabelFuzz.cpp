// Any caption parses without fault; every character of it is accounted for, and text
// escaped for the label parses back to itself. Wrapping never loses a character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/FmtParser.h"
#include "ui/TextWrap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string caption(reinterpret_cast<const char*>(data), size);
    const ui::FontSpec base;

    size_t textChars = 0, lines = 0;
    for (const ui::FmtLine& line : ui::ParseFmtCaption(caption, base)) {
        ++lines;
        if (line.empty()) std::abort();  // every line starts with a segment
        for (const ui::FmtSegment& segment : line) {
            textChars += segment.text.size();
            if (segment.attributes.font.Height < 1) std::abort();
        }
    }
    if (textChars > caption.size() || lines > caption.size() + 1) std::abort();

    const std::string escaped = ui::EscapeFmtText(caption);
    std::string back;
    for (const ui::FmtLine& line : ui::ParseFmtCaption(escaped, base)) {
        for (const ui::FmtSegment& segment : line) back += segment.text;
        back += '\r';
    }
    back.pop_back();
    if (back != caption) std::abort();

    size_t wrappedChars = 0;
    for (const std::string& line : ui::WrapText(caption, 40, [](const std::string& s) { return int(s.size()) * 3; }))
        wrappedChars += line.size();
    if (wrappedChars > caption.size()) std::abort();
    return 0;
}
