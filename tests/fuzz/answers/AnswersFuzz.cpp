// Any text reads without fault, and a file that reads as right writes out as one that
// reads back to the same answers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "answers/Answers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const answers::AnswersReading reading = answers::ParseAnswers(text, "f.ini");
    if (reading.problem) {
        (void)reading.problem->Describe();
        return 0;
    }
    (void)answers::MissingForInstallation(reading.answers, "f.ini");
    (void)answers::MissingForUpgrade(reading.answers, true, "f.ini");
    const answers::AnswersReading again = answers::ParseAnswers(answers::FormatAnswers(reading.answers), "g.ini");
    if (again.problem || !(again.answers == reading.answers)) std::abort();
    return 0;
}
