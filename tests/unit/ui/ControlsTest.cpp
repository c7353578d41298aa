#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/Paths.h"
#include "platform/host/HostPlatform.h"
#include "ui/Application.h"
#include "ui/Edits.h"
#include "ui/Form.h"
#include "ui/Labels.h"
#include "ui/StdControls.h"
#include "ui/headless/RecordingCanvas.h"
#include "ui/headless/ScriptedUser.h"

namespace ui {
namespace {

using headless::DrawOp;

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { UseHeadlessBackend(); }
};

// A folder page in small: "&Program:" tied to its edit box, a second edit box.
struct FolderForm : TForm {
    FolderForm() {
        KeyPreview = true;
        label = &Add<TActiveLabel>("LProgram");
        label->Caption = "&Program:";
        label->Font.Color = clBlack;
        edit = &Add<TActiveEdit>("RProgram");
        edit->FlatStyle = true;
        edit->BorderColor = 0xCFCFCF;
        edit->BorderColorF = 0xA9A9A9;
        edit->AssocLabel = label;
        other = &Add<TEdit>("RDate");
        Show();
    }
    TActiveLabel* label;
    TActiveEdit* edit;
    TEdit* other;
};

TEST_F(ControlsTest, FocusColoursTheLabelAndGivesItsColourBack) {
    FolderForm form;
    form.other->SetFocus();
    EXPECT_EQ(form.label->Font.Color, clBlack);
    headless::PressKey(form, vk::Tab, ssShift);  // back into the program box
    EXPECT_EQ(form.ActiveControl, form.edit);
    EXPECT_TRUE(form.edit->HasFocus());
    EXPECT_EQ(form.label->Font.Color, clHighlight);
    headless::PressKey(form, vk::Tab);
    EXPECT_EQ(form.label->Font.Color, clBlack);
    EXPECT_FALSE(form.edit->HasFocus());
}

TEST_F(ControlsTest, LabelAcceleratorRunsItsClickThenFocusesTheEdit) {
    FolderForm form;
    form.other->SetFocus();
    int clicks = 0;
    form.label->OnClick = [&] {
        ++clicks;
        EXPECT_NE(form.ActiveControl, form.edit);  // the click runs first
    };
    EXPECT_EQ(form.label->FocusControl, form.edit);
    headless::PressKey(form, 'P', ssAlt);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ActiveControl, form.edit);
    // Typing a P into an edit box is text, not an accelerator.
    headless::PressKey(form, 'P');
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, FlatBorderFollowsTheFocusAndTheBevel) {
    FolderForm form;
    form.other->SetFocus();
    headless::RecordingCanvas idle;
    ASSERT_TRUE(form.edit->PaintBorder(idle, 100, 21));
    auto frames = idle.Of(DrawOp::Frame);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].rect, (TRect{0, 0, 100, 21}));
    EXPECT_EQ(frames[0].color, 0xCFCFCFu);
    EXPECT_EQ(frames[1].rect, (TRect{1, 1, 99, 20}));
    EXPECT_EQ(frames[1].color, headless::SystemColorValue(SystemColorIndex(clWindow)));

    form.edit->SetFocus();
    headless::RecordingCanvas focused;
    form.edit->PaintBorder(focused, 100, 21);
    EXPECT_EQ(focused.Of(DrawOp::Frame)[0].color, 0xA9A9A9u);

    form.edit->BevelOuter = bvLowered;
    headless::RecordingCanvas lowered;
    form.edit->PaintBorder(lowered, 100, 21);
    auto lines = lowered.Of(DrawOp::Line);
    ASSERT_EQ(lines.size(), 4u);
    const TColor shadow = headless::SystemColorValue(SystemColorIndex(clBtnShadow));
    EXPECT_EQ(lines[0].color, shadow);  // left edge
    EXPECT_EQ(lines[1].color, shadow);  // top edge
    for (const DrawOp& frame : lowered.Of(DrawOp::Frame)) EXPECT_NE(frame.color, 0xA9A9A9u);

    form.edit->FlatStyle = false;
    headless::RecordingCanvas platform;
    EXPECT_FALSE(form.edit->PaintBorder(platform, 100, 21));
    EXPECT_TRUE(platform.ops.empty());
}

TEST_F(ControlsTest, EditChangeRunsOnChangeForTypedAndSetText) {
    FolderForm form;
    int changes = 0;
    form.other->OnChange = [&] { ++changes; };
    form.other->Text = "C:\\Date\\";
    headless::TypeText(form, "RDate", "D:\\Date");
    headless::TypeText(form, "RDate", "D:\\Date");  // no change, no event
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(form.other->Text, "D:\\Date");
}

TEST_F(ControlsTest, RadioGroupSelectionAndAccelerators) {
    TForm form;
    auto& group = form.Add<TMRadioGroup>("IType");
    group.SetBounds(0, 0, 400, 80);
    group.Items = std::vector<std::string>{" &LOCAL", " &SERVER", " CLIEN&T"};
    form.Show();
    EXPECT_EQ(group.ItemIndex, -1);
    int changes = 0;
    group.OnChange = [&] { ++changes; };
    group.ItemIndex = 1;  // the program's choice is no user change
    EXPECT_TRUE(group.Button(1)->Checked);
    EXPECT_EQ(changes, 0);
    headless::Click(form, " CLIEN&T");
    EXPECT_EQ(group.ItemIndex, 2);
    EXPECT_FALSE(group.Button(1)->Checked);
    EXPECT_EQ(changes, 1);
    headless::PressKey(form, 'L', ssAlt);
    EXPECT_EQ(group.ItemIndex, 0);
    EXPECT_EQ(changes, 2);
    headless::PressKey(form, 'M', ssAlt);  // no such accelerator
    EXPECT_EQ(group.ItemIndex, 0);
    // Arrow keys move the choice round the group.
    headless::PressKey(form, vk::Down);
    EXPECT_EQ(group.ItemIndex, 1);
    headless::PressKey(form, vk::Up);
    headless::PressKey(form, vk::Up);
    EXPECT_EQ(group.ItemIndex, 2);
    EXPECT_EQ(changes, 5);
}

TEST_F(ControlsTest, CheckBoxTogglesOnClick) {
    TForm form;
    auto& box = form.Add<TCheckBox>("Ck1");
    box.Checked = true;
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    box.Click();
    EXPECT_FALSE(box.Checked);
    box.Click();
    EXPECT_TRUE(box.Checked);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsTest, GaugeShowsItsPercentage) {
    TGauge gauge;
    gauge.SetBounds(0, 0, 102, 20);
    EXPECT_EQ(gauge.PercentDone(), 0);
    gauge.Progress = 62;
    EXPECT_EQ(gauge.PercentDone(), 62);
    gauge.Progress = 150;
    EXPECT_EQ(gauge.PercentDone(), 100);
    gauge.MaxValue = 0;
    EXPECT_EQ(gauge.PercentDone(), 0);
    gauge.MaxValue = 100;
    gauge.Progress = 50;
    headless::RecordingCanvas canvas;
    gauge.Paint(canvas);
    auto fills = canvas.Of(DrawOp::Fill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].rect, (TRect{1, 1, 51, 19}));
    // "50%" straddles the bar's end: white over the filled part, black over the rest.
    EXPECT_EQ(canvas.Texts(), (std::vector<std::string>{"50%", "50%"}));
    auto texts = canvas.Of(DrawOp::Text);
    EXPECT_EQ(texts[0].color, clWhite);
    EXPECT_EQ(texts[0].clip, (TRect{1, 1, 51, 19}));
    EXPECT_EQ(texts[1].color, clBlack);
    EXPECT_EQ(texts[1].clip, (TRect{51, 1, 101, 19}));
}

TEST_F(ControlsTest, MemoLinesAndPlatformText) {
    TMemo memo;
    memo.Lines = std::vector<std::string>{"", "Instalarea s-a terminat cu succes!"};
    EXPECT_EQ(memo.Text(), "\r\nInstalarea s-a terminat cu succes!");
    memo.TextChangedByUser("a\r\nb\r\nc");
    EXPECT_EQ(memo.Lines->size(), 3u);
}

class FolderListTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        root_ = std::filesystem::temp_directory_path() / ("ui-dirs-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "c" / "WinTorv" / "DATA");
        std::filesystem::create_directories(root_ / "c" / "Alpha");
        host_ = std::make_unique<plat::HostPlatform>(root_.string());
        host_->AddDrive('d', plat::DriveType::Fixed);
        plat::SetCurrent(host_.get());
    }
    void TearDown() override {
        plat::SetCurrent(nullptr);
        std::filesystem::remove_all(root_);
    }
    std::filesystem::path root_;
    std::unique_ptr<plat::HostPlatform> host_;
};

TEST_F(FolderListTest, StartsAtTheCurrentFolderAndOpensItems) {
    TForm form;
    auto& drives = form.Add<TDriveComboBox>("DriveComboBox1");
    auto& dirs = form.Add<TDirectoryListBox>("dirs");
    drives.DirList = &dirs;
    EXPECT_EQ(dirs.Directory, "C:\\");
    // The root, then its folders sorted without regard to case.
    const std::vector<std::string> atRoot = dirs.Items;
    ASSERT_GE(atRoot.size(), 3u);
    EXPECT_EQ(atRoot[0], "C:\\");
    EXPECT_EQ(atRoot[1], "  Alpha");
    EXPECT_EQ(dirs.ItemIndex, 0);
    auto winTorv = std::find(atRoot.begin(), atRoot.end(), "  WinTorv");
    ASSERT_NE(winTorv, atRoot.end());
    dirs.OpenedByUser(int(winTorv - atRoot.begin()));
    EXPECT_TRUE(plat::EqualsIgnoreCase(dirs.Directory.get(), "C:\\WinTorv"));
    EXPECT_EQ(dirs.Items.get(), (std::vector<std::string>{"C:\\", "  WinTorv", "    DATA"}));
    EXPECT_EQ(dirs.ItemIndex, 1);
    dirs.OpenedByUser(2);
    EXPECT_TRUE(plat::EqualsIgnoreCase(dirs.Directory.get(), "C:\\WinTorv\\DATA"));
    dirs.OpenedByUser(0);
    EXPECT_EQ(dirs.Directory, "C:\\");
    // Choosing drive D moves the list there.
    const auto& letters = drives.Items.get();
    auto d = std::find(letters.begin(), letters.end(), "d:");
    ASSERT_NE(d, letters.end());
    drives.SelectedByUser(int(d - letters.begin()));
    EXPECT_EQ(drives.Drive, 'd');
    EXPECT_EQ(dirs.Directory, "D:\\");
}

}  // namespace
}  // namespace ui
