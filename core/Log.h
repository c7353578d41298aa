// The run log: a plain text file, CR LF lines, each ended by the time of day to the
// millisecond. Steps nest (BEGIN/END lines indent what lies between them). Every line
// opens, appends and closes the file, so all that was written is on disk even when the
// program stops abruptly. Off unless asked for ("-log", or "debug.pas" beside the program).
#pragma once

#include <functional>
#include <string>

namespace core {

extern bool LogEnabled;
extern int LogDepth;
extern std::string LogSessionName;

// Sets LogEnabled from the presence of "debug.pas" in the running program's folder.
void InitLogEnabled();

void LogOpen(const std::string& fileName, const std::string& sessionName);
void LogClose();
void LogBegin(const std::string& text);
void LogEnd(const std::string& text);
void LogNote(const std::string& text);
// Reports the message to the user through the failure handler (always) and notes it in
// the log (when on).
void LogError(const std::string& message, int code);

// How a failure of LogError and of the log itself reaches the user, given the box text
// (the code, a carriage return, the message). Start-up installs one that shows the
// warning box (LogBoxes.h); without one the failure is only noted.
using LogFailureHandler = std::function<void(const std::string& text)>;
void SetLogFailureHandler(LogFailureHandler handler);
// Appends text + time tag as one line (line breaks in the text become blanks); does not
// look at LogEnabled itself.
void LogWrite(const std::string& text);

// " <TIMP hh:mm:ss.mmm > " for the given time of day.
std::string LogTimeTag(int hour, int minute, int second, int millisecond);

}  // namespace core
