#include "core/Wizard.h"

#include <stdexcept>
#include <string>

#include "core/InstallState.h"
#include "core/Log.h"
#include "core/DiskCount.h"
#include "core/UpgradeArchive.h"
#include "dbengine/DatabaseEngine.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"
#include "ui/ModalResult.h"
#include "upgrade/UpgradeLibrary.h"

namespace core {

namespace {

constexpr char kContinueHeading[] = "PENTRU CONTINUARE";

const PageTableEntry* pageShowing = nullptr;

// The page up for as long as it lives.
class ShowingScope {
public:
    explicit ShowingScope(const PageTableEntry& entry) { pageShowing = &entry; }
    ~ShowingScope() { pageShowing = nullptr; }
    ShowingScope(const ShowingScope&) = delete;
    ShowingScope& operator=(const ShowingScope&) = delete;
};

std::string ServerUpgradeQuestion() {
    const std::string lines[] = {
        "Baza de date se afla la distanta, pe SERVER.",
        std::string(46, '_'),
        "",
        "Daca nu aveti acces la SERVER pentru a lansa UPGRADE,",
        "",
        "aveti acum ocazia sa o faceti de pe acest calculator.",
        "",
        "-Acest mesaj va apare la fiecare instalare de tip CLIENT.",
        "Nu este nevoie sa lansati UPGRADE la SERVER decat o singura data.",
        std::string(48, '_'),
        "",
        "Fac UPGRADE la baza de date de pe SERVER?",
    };
    std::string text;
    for (const std::string& line : lines) text += line + "\r";
    return text;
}

// The fixed rules that run after every pass, whichever result moved the number.
int ApplyFixedRules(int pageNo) {
    if (pageNo == PageUpgradeCopy && ConfirmServerUpgrade()) State().InstallType = InstallServer;
    if (pageNo == PageDatabaseUpgrade && !DatabaseUpgradeFollows()) pageNo = PageEndScreen;
    if (pageNo == PageAfterUpgrade) pageNo = PageEndScreen;
    return pageNo;
}

void ShowOnePage(const PageTableType& pages) {
    const PageTableEntry& entry = pages[State().PageNo];
    if (!entry.create)
        throw std::runtime_error("Pagina " + std::to_string(State().PageNo) + " lipseste din program");
    std::unique_ptr<ui::TForm> page = entry.create();
    PagePlacement at = PlacePage(ui::ScreenWidth(), ui::ScreenHeight(), page->Width, page->Height);
    page->Left = at.left;
    page->Top = at.top;
    int modalResult;
    {
        ShowingScope showing(entry);
        modalResult = page->ShowModal();
    }
    State().PageNo = static_cast<uint8_t>(NextPageNo(State().PageNo, modalResult));
}

// An upgrade that nothing committed when the wizard ends, however it ends, is undone: the
// pages that end an upgrade commit or undo it themselves, so this one was cut short.
class OpenUpgradeUndo {
public:
    OpenUpgradeUndo() = default;
    ~OpenUpgradeUndo() {
        journal::UpgradeJournal* upgrade = State().Upgrade.get();
        if (!upgrade || !upgrade->Active()) return;
        const std::vector<std::string> problems = upgrade->RollBack();
        if (!LogEnabled) return;
        if (problems.empty()) LogNote(kUpgradeUndoneAtEnd);
        for (const std::string& problem : problems) LogNote("Nu am putut reface " + problem);
    }
    OpenUpgradeUndo(const OpenUpgradeUndo&) = delete;
    OpenUpgradeUndo& operator=(const OpenUpgradeUndo&) = delete;

private:
    static constexpr char kUpgradeUndoneAtEnd[] =
        "Actualizarea neterminata a fost anulata: programul si datele sunt cele dinaintea ei.";
};

}  // namespace

bool DatabaseUpgradeFollows() { return State().InstallType != InstallClient; }

int PageAfterResult(int pageNo, int modalResult) {
    switch (modalResult) {
        case ui::mrOk: return pageNo + 1;
        case ui::mrCancel: return PageEnd;
        case ui::mrRetry: return pageNo - 1;
        default: return pageNo;
    }
}

int NextPageNo(int pageNo, int modalResult) {
    int next = PageAfterResult(pageNo, modalResult);
    if (next < 0 || next > PageAfterUpgrade)
        throw std::out_of_range("Numar de pagina in afara domeniului: " + std::to_string(next));
    return ApplyFixedRules(next);
}

PagePlacement PlacePage(int screenWidth, int screenHeight, int formWidth, int formHeight) {
    return {(screenWidth - formWidth) / 2, ((screenHeight - formHeight) / 9) * 8};
}

bool ConfirmServerUpgrade() {
    if (State().InstallType != InstallClient) return true;
    ui::MessageHeading.clear();
    uint16_t answer = ui::ShowMessageBox(ServerUpgradeQuestion(), "UPGRADE baza de date SERVER ?",
                                         ui::mtConfirmation, ui::taCenter, ui::Buttons({ui::mbYes, ui::mbNo}),
                                         ui::mbNo, 0);
    ui::MessageHeading = kContinueHeading;
    return answer != ui::mrNo;
}

const PageTableEntry* PageShowing() { return pageShowing; }

bool RunWizard(const PageTableType& pages) {
    State().IsUpgrade = BDEAliasExists();
    ui::ProcessMessages();
    PrepareUpgradeArchive();
    ReadDiskCount();
    if (State().IsUpgrade) {
        State().PageNo = PageFirstUpgrade;
        if (!LoadUpgradeDll()) {
            State().PageNo = PageEnd;
            ui::ShowMessageBox("Nu am putut incarca UPGRADE.DLL", "Program incomplet!", ui::mtError, ui::taCenter,
                               ui::Buttons({ui::mbCancel}), ui::mbCancel, 0);
            return false;
        }
    }
    OpenUpgradeUndo undoWhatIsLeftOpen;
    while (State().PageNo != PageEnd) ShowOnePage(pages);
    return true;
}

}  // namespace core
