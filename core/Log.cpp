#include "core/Log.h"

#include <string>

#include "platform/Paths.h"
#include "platform/Platform.h"

namespace core {

bool LogEnabled = false;
int LogDepth = 0;
std::string LogSessionName;

namespace {

std::string logFileName;
LogFailureHandler failureHandler;

std::string Repeat(const std::string& piece, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += piece;
    return result;
}

std::string Bars(int depth) { return depth == 0 ? std::string() : Repeat(" |", depth < 0 ? 1 : depth + 1); }

std::string NowText() {
    auto& platform = plat::Current();
    return platform.FormatDateTime(platform.Now());
}

// A line of the log holds one line of text: the line breaks of a box's text (CR, LF or
// both) become one blank each, and breaks at its end are left out, so that every line of
// the file still ends with its time tag.
std::string OneLine(const std::string& text) {
    std::string line;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r' && text[at] != '\n') {
            line += text[at];
            continue;
        }
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
        if (at + 1 < text.size()) line += ' ';
    }
    return line;
}

}  // namespace

// `value` in decimal with leading zeros up to `width` digits. Written out here rather than
// with the C library's formatted printing, which would bring its whole floating-point
// machinery into a program that must fit on the first floppy.
std::string ZeroPadded(int value, size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::string LogTimeTag(int hour, int minute, int second, int millisecond) {
    return " <TIMP " + ZeroPadded(hour, 2) + ":" + ZeroPadded(minute, 2) + ":" + ZeroPadded(second, 2) +
           "." + ZeroPadded(millisecond, 3) + " > ";
}

void InitLogEnabled() { LogEnabled = plat::Current().FileExists(plat::ProgramFolder() + "debug.pas"); }

void SetLogFailureHandler(LogFailureHandler handler) { failureHandler = std::move(handler); }

void LogWrite(const std::string& text) {
    auto file = plat::Current().Open(logFileName, plat::OpenMode::Append);
    if (!file) {
        LogEnabled = false;
        LogError("eroare SCRIERE debug", 0);
        return;
    }
    plat::LocalTime now = plat::Current().Now();
    std::string line = OneLine(text) + LogTimeTag(now.hour, now.minute, now.second, now.millisecond) + "\r\n";
    if (file->Write(line.data(), static_cast<int64_t>(line.size())) != static_cast<int64_t>(line.size())) {
        LogEnabled = false;
        LogError("eroare debug", 0);
    }
}

void LogOpen(const std::string& fileName, const std::string& sessionName) {
    if (!LogEnabled) return;
    logFileName = fileName;
    auto& platform = plat::Current();
    if (!platform.FileExists(fileName) && !platform.Open(fileName, plat::OpenMode::Create)) {
        // The note of this failure cannot reach the file either: the user sees both boxes.
        LogError("eroare OPEN debug", 0);
        LogEnabled = false;
        return;
    }
    LogDepth = 0;
    LogWrite("");
    LogWrite("Begin debug session: " + sessionName + " - " + NowText());
    LogSessionName = sessionName;
}

void LogClose() {
    if (LogEnabled) LogWrite("End debug session: " + LogSessionName + " - " + NowText());
    LogEnabled = false;
}

void LogBegin(const std::string& text) {
    if (!LogEnabled) return;
    LogWrite(Bars(LogDepth) + "BEGIN => " + text);
    ++LogDepth;
}

void LogEnd(const std::string& text) {
    if (!LogEnabled) return;
    --LogDepth;
    LogWrite(Bars(LogDepth) + "END <- " + text);
}

void LogNote(const std::string& text) {
    if (!LogEnabled) return;
    LogWrite(Repeat("  ", LogDepth < 0 ? 1 : LogDepth + 1) + "*       " + text);
}

void LogError(const std::string& message, int code) {
    std::string codeText = std::to_string(code);
    if (failureHandler) failureHandler(codeText + "\r" + message);
    if (LogEnabled) LogNote(codeText + " / " + message);
}

}  // namespace core
