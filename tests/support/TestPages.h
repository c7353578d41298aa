// Small pages for driving the wizard without the product's pages: each records its
// number when it is created, as every page does, and ends with whatever the script says.
#pragma once

#include <memory>
#include <string>

#include "answers/ExitCodes.h"
#include "core/InstallState.h"
#include "core/Wizard.h"
#include "ui/Form.h"

namespace testing_support {

template <int N>
class TestPage : public ui::TTitleForm {
public:
    TestPage() : ui::TTitleForm(Name()) {
        Width = 643;
        Height = 141;
        core::State().PageNo = N;
    }
    static std::string Name() { return "TestPage" + std::to_string(N); }
};

template <int N>
std::unique_ptr<ui::TForm> MakeTestPage() {
    return std::make_unique<TestPage<N>>();
}

inline const core::PageTableType& TestPageTable() {
    constexpr answers::Outcome fails = answers::Outcome::CopyFailed;
    static const core::PageTableType table = {{
        {0, "0", MakeTestPage<0>, fails},  {1, "1", MakeTestPage<1>, fails}, {2, "2", MakeTestPage<2>, fails},
        {3, "3", MakeTestPage<3>, fails},  {4, "4", MakeTestPage<4>, fails}, {5, "end", nullptr, fails},
        {6, "6", MakeTestPage<6>, fails},  {7, "7", MakeTestPage<7>, fails}, {8, "8", MakeTestPage<8>, fails},
        {9, "after", nullptr, fails},
    }};
    return table;
}

inline std::string TestPageName(int n) { return "TestPage" + std::to_string(n); }

}  // namespace testing_support
