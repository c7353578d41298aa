#include "answers/Answers.h"

#include <array>
#include <vector>

#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

namespace answers {

namespace {

constexpr char kInstallSection[] = "Instalare";
constexpr char kUpgradeSection[] = "Actualizare";
constexpr char kTemporarySuffix[] = ".$$$";

constexpr std::array<const char*, 3> kKindNames = {"LOCAL", "SERVER", "CLIENT"};

bool ReadKind(std::optional<int>& target, std::string_view value) {
    for (size_t i = 0; i < kKindNames.size(); ++i)
        if (plat::EqualsIgnoreCase(value, kKindNames[i])) {
            target = int(i) + 1;
            return true;
        }
    return false;
}

// A folder name holds no control character: Windows refuses them in names.
bool ReadFolder(std::optional<std::string>& target, std::string_view value) {
    if (value.empty()) return false;
    for (char c : value)
        if (static_cast<unsigned char>(c) < 0x20) return false;
    target = std::string(value);
    return true;
}

bool ReadYesNo(std::optional<bool>& target, std::string_view value) {
    if (plat::EqualsIgnoreCase(value, "Da") || plat::EqualsIgnoreCase(value, "Nu")) {
        target = plat::EqualsIgnoreCase(value, "Da");
        return true;
    }
    return false;
}

bool ReadFlag(std::optional<bool>& target, std::string_view value) {
    if (value != "0" && value != "1") return false;
    target = value == "1";
    return true;
}

// One key of the file: where it stands, how its value is read, and how it is written.
struct KeyRule {
    const char* section;
    const char* key;
    bool (*read)(Answers&, std::string_view value);  // false: the value is out of range
    std::optional<std::string> (*text)(const Answers&);
};

std::optional<std::string> KindText(const std::optional<int>& kind) {
    if (!kind || *kind < 1 || *kind > int(kKindNames.size())) return std::nullopt;
    return kKindNames[size_t(*kind - 1)];
}
std::optional<std::string> YesNoText(const std::optional<bool>& value) {
    if (!value) return std::nullopt;
    return *value ? "Da" : "Nu";
}
std::optional<std::string> FlagText(const std::optional<bool>& value) {
    if (!value) return std::nullopt;
    return *value ? "1" : "0";
}

const std::array<KeyRule, 8>& KeyRules() {
    static const std::array<KeyRule, 8> rules = {{
        {kInstallSection, "Tip", [](Answers& a, std::string_view v) { return ReadKind(a.installType, v); },
         [](const Answers& a) { return KindText(a.installType); }},
        {kInstallSection, "Program", [](Answers& a, std::string_view v) { return ReadFolder(a.programDir, v); },
         [](const Answers& a) { return a.programDir; }},
        {kInstallSection, "Date", [](Answers& a, std::string_view v) { return ReadFolder(a.dataDir, v); },
         [](const Answers& a) { return a.dataDir; }},
        {kUpgradeSection, "Program",
         [](Answers& a, std::string_view v) { return ReadFolder(a.upgradeProgramDir, v); },
         [](const Answers& a) { return a.upgradeProgramDir; }},
        {kUpgradeSection, "Client",
         [](Answers& a, std::string_view v) { return ReadYesNo(a.upgradeServerDatabase, v); },
         [](const Answers& a) { return YesNoText(a.upgradeServerDatabase); }},
        {kUpgradeSection, "Structuri", [](Answers& a, std::string_view v) { return ReadFlag(a.upgradeStructures, v); },
         [](const Answers& a) { return FlagText(a.upgradeStructures); }},
        {kUpgradeSection, "Liste", [](Answers& a, std::string_view v) { return ReadFlag(a.upgradeLists, v); },
         [](const Answers& a) { return FlagText(a.upgradeLists); }},
        {kUpgradeSection, "Constante", [](Answers& a, std::string_view v) { return ReadFlag(a.upgradeConstants, v); },
         [](const Answers& a) { return FlagText(a.upgradeConstants); }},
    }};
    return rules;
}

const KeyRule* FindRule(std::string_view section, std::string_view key) {
    for (const KeyRule& rule : KeyRules())
        if (plat::EqualsIgnoreCase(section, rule.section) && plat::EqualsIgnoreCase(key, rule.key)) return &rule;
    return nullptr;
}

bool KnownSection(std::string_view section) {
    return plat::EqualsIgnoreCase(section, kInstallSection) || plat::EqualsIgnoreCase(section, kUpgradeSection);
}

std::string KeyName(const char* section, const char* key) { return std::string("[") + section + "] " + key; }

// The value without a comment: ";" after a blank starts one.
std::string_view WithoutComment(std::string_view value) {
    for (size_t i = 1; i < value.size(); ++i)
        if (value[i] == ';' && (value[i - 1] == ' ' || value[i - 1] == '\t')) {
            value = value.substr(0, i);
            break;
        }
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
        value.remove_suffix(1);
    return value;
}

std::optional<AnswersProblem> FirstMissing(const Answers& answers, const std::vector<const KeyRule*>& needed,
                                           const std::string& file) {
    for (const KeyRule* rule : needed)
        if (!rule->text(answers)) return AnswersProblem{file, 0, KeyName(rule->section, rule->key), "lipseste"};
    return std::nullopt;
}

}  // namespace

std::string AnswersProblem::Describe() const {
    if (file.empty()) return "Linia de comanda: " + reason;
    std::string text = "Fisierul de raspunsuri " + file;
    if (line > 0) text += ", linia " + std::to_string(line);
    if (!key.empty()) text += ", " + key;
    return text + ": " + reason;
}

AnswersReading ParseAnswers(std::string_view text, const std::string& file) {
    AnswersReading reading;
    std::string section;
    std::vector<const KeyRule*> seen;
    auto fail = [&](int line, std::string key, std::string reason) {
        reading.problem = AnswersProblem{file, line, std::move(key), std::move(reason)};
        return reading;
    };
    for (const plat::IniLine& line : plat::IniLines(text)) {
        switch (line.kind) {
            case plat::IniLine::Blank:
                break;
            case plat::IniLine::Other:
                return fail(line.number, {}, "linie care nu este nici sectiune, nici cheie: " + line.name);
            case plat::IniLine::Section:
                if (!KnownSection(line.name)) return fail(line.number, "[" + line.name + "]", "sectiune necunoscuta");
                section = line.name;
                break;
            case plat::IniLine::Key: {
                if (section.empty()) return fail(line.number, line.name, "cheie in afara unei sectiuni");
                const KeyRule* rule = FindRule(section, line.name);
                if (!rule) return fail(line.number, "[" + section + "] " + line.name, "cheie necunoscuta");
                const std::string name = KeyName(rule->section, rule->key);
                for (const KeyRule* earlier : seen)
                    if (earlier == rule) return fail(line.number, name, "cheie data de doua ori");
                seen.push_back(rule);
                const std::string_view value = WithoutComment(line.value);
                if (!rule->read(reading.answers, value))
                    return fail(line.number, name, "valoare nepermisa \"" + std::string(value) + "\"");
                break;
            }
        }
    }
    return reading;
}

AnswersReading ReadAnswersFile(const std::string& path) {
    const std::optional<std::string> text = plat::ReadWholeFile(path);
    if (!text) {
        AnswersReading reading;
        reading.problem = AnswersProblem{path, 0, {}, "nu se poate citi"};
        return reading;
    }
    return ParseAnswers(*text, path);
}

std::optional<AnswersProblem> MissingForInstallation(const Answers& answers, const std::string& file) {
    std::vector<const KeyRule*> needed = {FindRule(kInstallSection, "Tip"), FindRule(kInstallSection, "Program")};
    if (answers.installType && *answers.installType != 1) needed.push_back(FindRule(kInstallSection, "Date"));
    return FirstMissing(answers, needed, file);
}

std::optional<AnswersProblem> MissingForUpgrade(const Answers& answers, bool clientInstallation,
                                                const std::string& file) {
    std::vector<const KeyRule*> needed;
    if (clientInstallation) needed.push_back(FindRule(kUpgradeSection, "Client"));
    // A CLIENT that leaves the server's database alone never reaches the database upgrade.
    if (!clientInstallation || answers.upgradeServerDatabase.value_or(true))
        for (const char* step : {"Structuri", "Liste", "Constante"}) needed.push_back(FindRule(kUpgradeSection, step));
    return FirstMissing(answers, needed, file);
}

std::string FormatAnswers(const Answers& answers) {
    std::string text;
    const char* section = nullptr;
    for (const KeyRule& rule : KeyRules()) {
        const std::optional<std::string> value = rule.text(answers);
        if (!value) continue;
        if (section != rule.section) {
            section = rule.section;
            text += std::string("[") + section + "]\r\n";
        }
        text += std::string(rule.key) + "=" + *value + "\r\n";
    }
    return text;
}

bool WriteAnswersFile(const std::string& path, const Answers& answers) {
    return plat::ReplaceWholeFile(path, path + kTemporarySuffix, FormatAnswers(answers));
}

}  // namespace answers
