// The wizard driver: decides between a fresh installation and an upgrade, then shows one
// page at a time, modally, low on the screen, until the page number reaches PageEnd.
// Pages never call each other: a page ends with a modal result (1 Continue, 2 Abandon,
// 4 Back) and the driver turns it into the next page number.
#pragma once

#include <array>
#include <memory>

#include "answers/ExitCodes.h"
#include "ui/Form.h"

namespace core {

// The page numbers (PageNo): each is the row of its page in the page table.
inline constexpr int PageInstallType = 0;
inline constexpr int PageFolders = 1;
inline constexpr int PageCopy = 2;
inline constexpr int PageConfig = 3;
inline constexpr int PageEndScreen = 4;
inline constexpr int PageEnd = 5;              // no page: the wizard ends here
inline constexpr int PageFirstUpgrade = 6;     // the upgrade starts by locating the installation
inline constexpr int PageUpgradeCopy = 7;
inline constexpr int PageDatabaseUpgrade = 8;
inline constexpr int PageAfterUpgrade = 9;     // no page: turned into the end page

// A page form class: creates a new instance (its creation handler runs in it).
using PageFactory = std::unique_ptr<ui::TForm> (*)();

// One row per page number: everything the wizard and the run's pilot know of a page.
struct PageTableEntry {
    int number;            // the page's PageNo, which is also its row
    const char* name;      // its form class, for the run log and reports
    PageFactory create;    // null for the two numbers that have no page
    answers::Outcome failure;  // how a run ends that fails while this page is up
};

using PageTableType = std::array<PageTableEntry, 10>;

// True when every row of the table stands at its own page number.
constexpr bool RowsInPageOrder(const PageTableType& pages) {
    for (size_t row = 0; row < pages.size(); ++row)
        if (pages[row].number != int(row)) return false;
    return true;
}

// The page number after a page ended with `modalResult` (before the fixed rules).
int PageAfterResult(int pageNo, int modalResult);

// The page number after a pass: the result's move, then the fixed rules (the CLIENT
// question before the upgrade copy page, the CLIENT's skip of the database upgrade page,
// the end page after the upgrade).
int NextPageNo(int pageNo, int modalResult);

// Where a page of outer size width x height goes on a screen of the given size.
struct PagePlacement {
    int left;
    int top;
};
PagePlacement PlacePage(int screenWidth, int screenHeight, int formWidth, int formHeight);

// The whole wizard over the given page table; returns when PageNo is PageEnd. False when
// it ended before its first page because the upgrade library did not load (told in a box).
// An upgrade still open when it ends, a page having failed, is undone.
bool RunWizard(const PageTableType& pages);

// The row of the page whose modal loop runs now, or null between pages and outside the
// wizard: a failure told while a page is up is that page's failure.
const PageTableEntry* PageShowing();

// The CLIENT question before the upgrade copy page: true to upgrade the server's database.
bool ConfirmServerUpgrade();

// Whether the database upgrade page follows the upgrade copy: not for a CLIENT that
// leaves the server's database alone.
bool DatabaseUpgradeFollows();

}  // namespace core
