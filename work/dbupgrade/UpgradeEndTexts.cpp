#include "work/dbupgrade/UpgradeEndTexts.h"

#include "work/copy/CopyTexts.h"

namespace work::endtext {

namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

std::string GoBackQuestion(const std::vector<std::string>& failed, const std::string& dataCopy) {
    std::string text = "Aceste operatii nu au reusit:";
    for (const std::string& name : failed) text += "\r   " + name;
    return text + "\r\rRevin la versiunea anterioara?\r"
                  "Da: programul si datele revin asa cum erau inainte de actualizare.\r"
                  "Nu: ramane versiunea noua, cu datele asa cum le-a lasat actualizarea;\r"
                  "copia datelor de dinainte ramane in " +
           dataCopy;
}

std::string DataKept(const std::string& folder, const std::string& copy, size_t files, uint64_t bytes) {
    return "Datele din " + folder + " au fost copiate si verificate in " + copy + " (" + std::to_string(files) +
           " fisiere, " + copytext::Megabytes(bytes) + ")";
}

std::string DataNotKept(const std::string& folder, const std::string& what) {
    return "Nu pot pastra o copie a datelor din " + folder + ":\r" + what +
           "\rBaza de date nu a fost atinsa.";
}

std::string WentBack(const std::vector<std::string>& failed) {
    return "Operatii nereusite: " + Joined(failed) +
           ". Programul si datele au revenit la versiunea anterioara actualizarii.";
}

std::string KeptNew(const std::vector<std::string>& failed, const std::string& dataCopy) {
    return "Operatii nereusite: " + Joined(failed) +
           ". Ramane versiunea noua, cu datele lasate de actualizare; copia datelor de dinainte este in " + dataCopy;
}

}  // namespace work::endtext
