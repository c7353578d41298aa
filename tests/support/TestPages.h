// Small pages for driving the wizard without the product's pages: each records its
// number when it is created, as every page does, and ends with whatever the script says.
#pragma once

#include <memory>
#include <string>

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
    static const core::PageTableType table = {{
        {"0", MakeTestPage<0>}, {"1", MakeTestPage<1>}, {"2", MakeTestPage<2>}, {"3", MakeTestPage<3>},
        {"4", MakeTestPage<4>}, {"end", nullptr},         {"6", MakeTestPage<6>}, {"7", MakeTestPage<7>},
        {"8", MakeTestPage<8>}, {"after", nullptr},
    }};
    return table;
}

inline std::string TestPageName(int n) { return "TestPage" + std::to_string(n); }

}  // namespace testing_support
