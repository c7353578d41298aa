#include "ui/TextWrap.h"

namespace ui {
namespace {

std::vector<std::string> SplitParagraphs(const std::string& text) {
    std::vector<std::string> paragraphs(1);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            paragraphs.emplace_back();
        } else {
            paragraphs.back() += c;
        }
    }
    // A final line break ends the last line; it does not start another one.
    if (paragraphs.size() > 1 && paragraphs.back().empty()) paragraphs.pop_back();
    return paragraphs;
}

}  // namespace

std::vector<std::string> WrapText(const std::string& text, int maxWidth,
                                  const std::function<int(const std::string&)>& measure) {
    std::vector<std::string> lines;
    for (const std::string& paragraph : SplitParagraphs(text)) {
        if (paragraph.empty() || measure(paragraph) <= maxWidth) {
            lines.push_back(paragraph);
            continue;
        }
        std::string line;
        size_t pos = 0;
        while (pos < paragraph.size()) {
            // The next word with the blanks before it.
            size_t wordStart = paragraph.find_first_not_of(' ', pos);
            if (wordStart == std::string::npos) wordStart = paragraph.size();
            size_t wordEnd = paragraph.find(' ', wordStart);
            if (wordEnd == std::string::npos) wordEnd = paragraph.size();
            std::string candidate = line + paragraph.substr(pos, wordEnd - pos);
            if (line.empty() || measure(candidate) <= maxWidth) {
                line = candidate;
            } else {
                lines.push_back(line);
                line = paragraph.substr(wordStart, wordEnd - wordStart);
            }
            pos = wordEnd;
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace ui
