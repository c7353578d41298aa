// Any text reads without fault; a value written reads back as written, and writing never
// changes another section's values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)plat::IniLeadingInteger(text);
    const auto before = plat::IniRead(text, "Other", "Key");
    (void)plat::IniRead(text, "General", "NrDiscuri");

    const std::string written = plat::IniWrite(text, "Torvex", "User", "ADMIN");
    if (plat::IniRead(written, "Torvex", "User") != "ADMIN") std::abort();
    // A line that only looks like our section in another text's eyes (a stray "[" or
    // "=") may be changed; a value in a cleanly separate section must not be.
    if (text.find("Torvex") == std::string::npos && text.find('\0') == std::string::npos &&
        text.find('\r') == std::string::npos && plat::IniRead(written, "Other", "Key") != before)
        std::abort();
    return 0;
}
