#include "answers/ExitCodes.h"

#include <array>

namespace answers {

namespace {
constexpr std::array<const char*, 7> kMeanings = {
    "instalat sau actualizat",
    "abandonat",
    "fisierul de raspunsuri lipseste, nu se poate citi sau este gresit",
    "copierea a esuat",
    "un pas de configurare a esuat",
    "instalarea de actualizat nu a fost gasita, sau lipseste UPGRADE.DLL",
    "suportul cere schimbarea dischetelor",
};
}  // namespace

std::string ExitCodeNote(int code) {
    std::string note = "Cod de iesire " + std::to_string(code);
    if (code >= 0 && code < int(kMeanings.size())) note += std::string(": ") + kMeanings[size_t(code)];
    return note;
}

}  // namespace answers
