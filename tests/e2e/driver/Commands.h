// The driver's sub-commands. Each takes its arguments (after the command name) and
// returns the process exit code: 0 done, 1 failed (with a message on stderr).
#pragma once

#include <string>
#include <vector>

namespace tvdriver {

using Arguments = std::vector<std::wstring>;

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int WaitWindowCommand(const Arguments& args);   // TITLE [SECONDS]
int WaitGoneCommand(const Arguments& args);     // TITLE [SECONDS]
int ClickCommand(const Arguments& args);        // TITLE CAPTION [SECONDS]
int TextsCommand(const Arguments& args);        // TITLE
int TreeCommand(const Arguments& args);         // TITLE
int RectCommand(const Arguments& args);         // TITLE: left top width height on the screen
int KeyCommand(const Arguments& args);          // TITLE KEYS
int TypeCommand(const Arguments& args);         // TITLE TEXT
int ScreenshotCommand(const Arguments& args);   // FILE.bmp
int ListCommand(const Arguments& args);         //
int WaitProcessCommand(const Arguments& args);      // EXENAME [SECONDS]
int WaitProcessGoneCommand(const Arguments& args);  // EXENAME [SECONDS]
int OwnerCommand(const Arguments& args);            // TITLE

}  // namespace tvdriver
