#include "ui/ErrorNote.h"

namespace ui {
namespace {
ErrorNote errorNote;
}

void SetErrorNote(ErrorNote note) { errorNote = std::move(note); }

void NoteError(const std::string& text) {
    if (errorNote) errorNote(text);
}

}  // namespace ui
