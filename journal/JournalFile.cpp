#include "journal/JournalFile.h"

namespace journal {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr std::string_view kDone = "DONE";
constexpr char kKeptSeparator = '|';

// Each kind of step, its line's tag, and whether the line names where things are kept.
struct StepTag {
    Step::Kind kind;
    std::string_view tag;
    bool paired;
};
constexpr StepTag kTags[] = {
    {Step::New, "NEW ", false},   {Step::Folder, "FOLDER ", false}, {Step::Kept, "KEPT ", true},
    {Step::Data, "DATA ", true}, {Step::Stays, "STAYS ", true},
};

bool IsAbsolute(std::string_view path) {
    return (path.size() >= 3 && path[1] == ':' && path[2] == '\\') ||
           (path.size() >= 3 && path[0] == '\\' && path[1] == '\\');
}

std::optional<Step> ParseStep(std::string_view line) {
    for (const StepTag& tag : kTags) {
        if (!line.starts_with(tag.tag)) continue;
        const std::string_view rest = line.substr(tag.tag.size());
        if (!tag.paired) {
            if (!IsAbsolute(rest)) return std::nullopt;
            return Step{tag.kind, std::string(rest), {}};
        }
        const size_t separator = rest.find(kKeptSeparator);
        if (separator == std::string_view::npos) return std::nullopt;
        const std::string_view path = rest.substr(0, separator), kept = rest.substr(separator + 1);
        if (!IsAbsolute(path) || !IsAbsolute(kept)) return std::nullopt;
        return Step{tag.kind, std::string(path), std::string(kept)};
    }
    return std::nullopt;
}

}  // namespace

std::string HeaderLine() { return std::string(kHeader) + kLineEnd; }

std::string StepLine(const Step& step) {
    for (const StepTag& tag : kTags)
        if (tag.kind == step.kind)
            return std::string(tag.tag) + step.path + (tag.paired ? kKeptSeparator + step.kept : "") + kLineEnd;
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
