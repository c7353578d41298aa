// The run log's failures shown to the user: a warning box with the code and the message,
// centred, with one OK button.
#pragma once

namespace core {

// Makes LogError and the log's own failures show their warning box.
void ShowLogFailuresInBoxes();

}  // namespace core
