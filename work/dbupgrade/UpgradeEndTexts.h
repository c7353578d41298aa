// What the end of an upgrade says: its question after a failed database step, and its
// notes in the run log. Romanian without diacritics, as every text of the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace work::endtext {

inline constexpr char kQuestionTitle[] = "Actualizare incompleta";
// The box after the operations, when some failed: what failed, and what each answer does.
std::string GoBackQuestion(const std::vector<std::string>& failed, const std::string& dataCopy);

// The data copied aside before the library changes it.
std::string DataKept(const std::string& folder, const std::string& copy, size_t files, uint64_t bytes);
std::string DataNotKept(const std::string& folder, const std::string& what);

inline constexpr char kCommitted[] = "Actualizare terminata: copiile pastrate ale fisierelor si datelor au fost sterse.";
std::string WentBack(const std::vector<std::string>& failed);
std::string KeptNew(const std::vector<std::string>& failed, const std::string& dataCopy);
inline constexpr char kStayNotNoted[] =
    "Nu am putut nota in jurnalul actualizarii ca ramane versiunea noua.\r"
    "Programul si datele revin la versiunea anterioara.";
inline constexpr char kAbandoned[] =
    "Actualizarea a fost anulata: programul si datele sunt cele dinaintea ei.";

}  // namespace work::endtext
