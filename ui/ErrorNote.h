// Where the kit notes the calls it refuses (a message box whose buttons cannot be shown)
// before it throws. Start-up points it at the run log; without a note the refusal is
// only thrown.
#pragma once

#include <functional>
#include <string>

namespace ui {

using ErrorNote = std::function<void(const std::string& text)>;
void SetErrorNote(ErrorNote note);
void NoteError(const std::string& text);

}  // namespace ui
