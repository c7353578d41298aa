#include "journal/JournalFile.h"

namespace journal {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr std::string_view kNew = "NEW ";
constexpr std::string_view kFolder = "FOLDER ";
constexpr std::string_view kKept = "KEPT ";
constexpr std::string_view kDone = "DONE";
constexpr char kKeptSeparator = '|';

bool IsAbsolute(std::string_view path) {
    return (path.size() >= 3 && path[1] == ':' && path[2] == '\\') ||
           (path.size() >= 3 && path[0] == '\\' && path[1] == '\\');
}

std::optional<Step> ParseStep(std::string_view line) {
    const auto rest = [&line](std::string_view tag) { return line.substr(tag.size()); };
    if (line.starts_with(kNew) && IsAbsolute(rest(kNew))) return Step{Step::New, std::string(rest(kNew)), {}};
    if (line.starts_with(kFolder) && IsAbsolute(rest(kFolder)))
        return Step{Step::Folder, std::string(rest(kFolder)), {}};
    if (line.starts_with(kKept)) {
        const std::string_view both = rest(kKept);
        const size_t separator = both.find(kKeptSeparator);
        if (separator == std::string_view::npos) return std::nullopt;
        const std::string_view path = both.substr(0, separator), kept = both.substr(separator + 1);
        if (IsAbsolute(path) && IsAbsolute(kept)) return Step{Step::Kept, std::string(path), std::string(kept)};
    }
    return std::nullopt;
}

}  // namespace

std::string HeaderLine() { return std::string(kHeader) + kLineEnd; }

std::string StepLine(const Step& step) {
    switch (step.kind) {
        case Step::New: return std::string(kNew) + step.path + kLineEnd;
        case Step::Folder: return std::string(kFolder) + step.path + kLineEnd;
        case Step::Kept: return std::string(kKept) + step.path + kKeptSeparator + step.kept + kLineEnd;
    }
    return {};
}

std::string DoneLine() { return std::string(kDone) + kLineEnd; }

std::optional<JournalText> ParseJournal(std::string_view text) {
    JournalText journal;
    bool header = false;
    while (!text.empty()) {
        const size_t end = text.find(kLineEnd);
        if (end == std::string_view::npos) {
            // Cut short while it was written; a header cut short began nothing either.
            if (!header && !std::string_view(kHeader).starts_with(text)) return std::nullopt;
            header = true;
            break;
        }
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 2);
        if (!header) {
            if (line != kHeader) return std::nullopt;
            header = true;
        } else if (journal.done) {
            return std::nullopt;  // nothing follows the end
        } else if (line == kDone) {
            journal.done = true;
        } else if (auto step = ParseStep(line)) {
            journal.steps.push_back(std::move(*step));
        } else {
            return std::nullopt;
        }
    }
    return journal;
}

}  // namespace journal
