// The framework's standard controls, driven by messages as a window host drives them: edit
// boxes and memos, buttons, speed buttons, check boxes, drop-down lists, splitters, labels.
#include <gtest/gtest.h>

#include "controls/TButton.h"
#include "controls/TCheckBox.h"
#include "controls/TClipboard.h"
#include "controls/TComboBox.h"
#include "controls/TEdit.h"
#include "controls/TLabel.h"
#include "controls/TListBox.h"
#include "controls/TMemo.h"
#include "controls/TPanel.h"
#include "controls/TSpeedButton.h"
#include "controls/TSplitter.h"
#include "controls/TWindowHost.h"
#include "streaming/FormFiles.h"
#include "support/TestSupport.h"

namespace {

struct StandardControls : ::testing::Test {
    TTestForm Form{320, 240};

    ~StandardControls() override { SetKeyboardShiftState({}); }

    static void Key(TWinControl* c, WORD key, TShiftState shift = {}) {
        SetKeyboardShiftState(shift);
        c->Perform(WM_KEYDOWN, key, 1);
        c->Perform(WM_KEYUP, key, 1);
        SetKeyboardShiftState({});
    }
    static void Type(TWinControl* c, const std::string& text) {
        for (char ch : text) c->Perform(WM_CHAR, static_cast<unsigned char>(ch), 1);
    }
    static void Click(TControl* c, int x, int y, WPARAM keys = 0) {
        c->Perform(WM_LBUTTONDOWN, MK_LBUTTON | keys, MakeLParam(x, y));
        c->Perform(WM_LBUTTONUP, keys, MakeLParam(x, y));
    }
    static int XOf(TCustomEdit* e, int offset) {
        TCanvas canvas;
        canvas.SetFont(e->Font());
        return 2 + canvas.TextWidth(e->Text().substr(0, static_cast<std::size_t>(offset)));
    }
};

TEST_F(StandardControls, EditTypesSelectsAndUsesTheClipboard) {
    auto* edit = Form.Add(new TEdit(Form.Form.get()), TRect{8, 8, 208, 29});
    int changes = 0;
    edit->OnChange = [&](TPersistent*) { ++changes; };
    Type(edit, "hello world");
    EXPECT_EQ(edit->Text(), "hello world");
    EXPECT_EQ(changes, 11);
    Key(edit, VK_LEFT, {ssCtrl, ssShift});  // the last word
    EXPECT_EQ(edit->SelText(), "world");
    Key(edit, 'X', {ssCtrl});
    EXPECT_EQ(Clipboard().AsText(), "world");
    EXPECT_EQ(edit->Text(), "hello ");
    Key(edit, VK_HOME);
    Key(edit, 'V', {ssCtrl});
    EXPECT_EQ(edit->Text(), "worldhello ");
    Type(edit, "\b");
    EXPECT_EQ(edit->Text(), "worlhello ");
    Key(edit, VK_DELETE);
    EXPECT_EQ(edit->Text(), "worlello ");
    Key(edit, VK_END, {ssShift});
    EXPECT_EQ(edit->SelText(), "ello ");
    // Limits: MaxLength keeps typing short, ReadOnly refuses it.
    edit->SetText("");
    edit->SetMaxLength(3);
    Type(edit, "abcdef");
    EXPECT_EQ(edit->Text(), "abc");
    edit->SetReadOnly(true);
    Type(edit, "\b");
    EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(StandardControls, EditMousePutsTheCaretDragsSelectAndDoubleClicksTakeAWord) {
    auto* edit = Form.Add(new TEdit(Form.Form.get()), TRect{8, 8, 208, 29});
    edit->SetText("one two three");
    Form.Render();
    const int y = 8;
    Click(edit, XOf(edit, 4), y);
    EXPECT_EQ(edit->CaretPos(), 4);
    EXPECT_TRUE(edit->Focused());
    edit->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(XOf(edit, 4), y));
    edit->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(XOf(edit, 7), y));
    edit->Perform(WM_LBUTTONUP, 0, MakeLParam(XOf(edit, 7), y));
    EXPECT_EQ(edit->SelText(), "two");
    Click(edit, XOf(edit, 0), y);
    Click(edit, XOf(edit, 10), y, MK_SHIFT);
    EXPECT_EQ(edit->SelText(), "one two th");
    edit->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(XOf(edit, 9), y));
    EXPECT_EQ(edit->SelText(), "three");
}

TEST_F(StandardControls, MemoBreaksLinesAndKeepsItsLinesInStep) {
    auto* memo = Form.Add(new TMemo(Form.Form.get()), TRect{8, 8, 208, 108});
    Type(memo, "first\rsecond");
    EXPECT_EQ(memo->Text(), "first\r\nsecond");
    EXPECT_EQ(memo->Lines()->All(), (std::vector<std::string>{"first", "second"}));
    Key(memo, VK_UP);  // from the end of "second" to the end of "first", the nearest column
    EXPECT_EQ(memo->CaretPos(), 5);
    Type(memo, "!");
    EXPECT_EQ(memo->Lines()->All(), (std::vector<std::string>{"first!", "second"}));
    memo->Lines()->SetAll({"a", "b", "c"});
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc");
    Key(memo, VK_HOME);
    Type(memo, "\b");  // joins the last two lines
    EXPECT_EQ(memo->Lines()->All(), (std::vector<std::string>{"a", "bc"}));
}

TEST_F(StandardControls, ButtonsClickOnReleaseInsideAndFromTheKeyboard) {
    auto* button = Form.Add(new TButton(Form.Form.get()), TRect{8, 8, 83, 33});
    int clicks = 0;
    button->OnClick = [&](TPersistent*) { ++clicks; };
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(10, 10));
    EXPECT_TRUE(button->Pushed());
    button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(200, 10));
    EXPECT_FALSE(button->Pushed());
    button->Perform(WM_LBUTTONUP, 0, MakeLParam(200, 10));
    EXPECT_EQ(clicks, 0);
    Click(button, 10, 10);
    EXPECT_EQ(clicks, 1);
    Key(button, VK_SPACE);
    Key(button, VK_RETURN);
    EXPECT_EQ(clicks, 3);
}

TEST_F(StandardControls, SpeedButtonsOfAGroupStayDownOneAtATime) {
    TSpeedButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] =
            Form.Add(new TSpeedButton(Form.Form.get()), TRect{8 + 24 * i, 8, 31 + 24 * i, 30});
        buttons[i]->SetGroupIndex(1);
    }
    Click(buttons[0], 5, 5);
    Click(buttons[2], 5, 5);
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_TRUE(buttons[2]->Down());
    Click(buttons[2], 5, 5);  // without AllowAllUp one stays down
    EXPECT_TRUE(buttons[2]->Down());
    buttons[2]->SetAllowAllUp(true);
    Click(buttons[2], 5, 5);
    EXPECT_FALSE(buttons[2]->Down());
}

TEST_F(StandardControls, CheckBoxesToggleByClickAndSpace) {
    auto* box = Form.Add(new TCheckBox(Form.Form.get()), TRect{8, 8, 105, 25});
    Click(box, 5, 5);
    EXPECT_TRUE(box->Checked());
    Key(box, VK_SPACE);
    EXPECT_FALSE(box->Checked());
    box->SetAllowGrayed(true);
    Click(box, 5, 5);
    EXPECT_EQ(box->State(), cbGrayed);
    Click(box, 5, 5);
    EXPECT_EQ(box->State(), cbChecked);
}

TEST_F(StandardControls, DropDownListsDropChooseAndClose) {
    auto* combo = Form.Add(new TComboBox(Form.Form.get()), TRect{8, 8, 153, 29});
    combo->SetStyle(csDropDownList);
    combo->Items()->SetAll({"clRed", "clGreen", "clBlue"});
    int changes = 0;
    combo->OnChange = [&](TPersistent*) { ++changes; };
    Key(combo, VK_DOWN);
    Key(combo, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "clGreen");
    EXPECT_EQ(changes, 2);

    Click(combo, 5, 5);
    TListBox* list = combo->DropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Parent(), Form.Form.get());
    EXPECT_EQ(list->Top(), 29);
    EXPECT_EQ(list->Items()->Count(), 3);
    // A click on the third item takes it and closes the list.
    const TRect third = list->ItemRect(2);
    Click(list, third.Left + 2, third.Top + 2);
    EXPECT_EQ(combo->DropList(), nullptr);
    EXPECT_EQ(combo->Text(), "clBlue");
    // Escape closes without a change.
    Key(combo, VK_F4);
    Key(combo, VK_UP);
    Key(combo, VK_ESCAPE);
    EXPECT_EQ(combo->Text(), "clBlue");
    EXPECT_EQ(changes, 3);

    // An editable combo box takes typed text, which need not be an item.
    combo->SetStyle(csDropDown);
    EXPECT_EQ(combo->Text(), "clBlue");
    Key(combo, 'A', {ssCtrl});
    Type(combo, "$00FF00");
    EXPECT_EQ(combo->Text(), "$00FF00");
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(StandardControls, SplittersResizeTheirNeighbourWithinMinSize) {
    auto* left = Form.Add(new TPanel(Form.Form.get()), TRect{0, 0, 100, 240});
    left->SetAlign(alLeft);
    auto* splitter = Form.Add(new TSplitter(Form.Form.get()), TRect{100, 0, 103, 240});
    auto* rest = Form.Add(new TPanel(Form.Form.get()), TRect{103, 0, 320, 240});
    rest->SetAlign(alClient);
    EXPECT_EQ(splitter->Neighbour(), left);
    splitter->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(1, 50));
    splitter->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(41, 50));
    EXPECT_EQ(left->Width(), 140);
    EXPECT_EQ(rest->Left(), 143);
    splitter->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(-500, 50));
    EXPECT_EQ(left->Width(), splitter->MinSize());
    splitter->Perform(WM_LBUTTONUP, 0, MakeLParam(-500, 50));
}

TEST_F(StandardControls, LabelsSizeThemselvesToTheirCaption) {
    auto* label = Form.Add(new TLabel(Form.Form.get()), TRect{8, 8, 73, 25});
    label->SetCaption("A longer caption");
    TCanvas canvas;
    canvas.SetFont(label->Font());
    EXPECT_EQ(label->Width(), canvas.TextWidth("A longer caption"));
    EXPECT_EQ(label->Height(), canvas.TextHeight("A"));
}

TEST_F(StandardControls, LookClassic) {
    auto* label = Form.Add(new TLabel(Form.Form.get()), TRect{8, 8, 0, 0});
    label->SetCaption("&Name:");
    auto* edit = Form.Add(new TEdit(Form.Form.get()), TRect{64, 4, 200, 25});
    edit->SetText("Selected text");
    edit->SetFocus();
    edit->SelectAll();
    auto* memo = Form.Add(new TMemo(Form.Form.get()), TRect{8, 32, 200, 92});
    memo->Lines()->SetAll({"First line", "Second line"});
    auto* button = Form.Add(new TButton(Form.Form.get()), TRect{208, 4, 283, 29});
    button->SetCaption("OK");
    auto* check = Form.Add(new TCheckBox(Form.Form.get()), TRect{208, 36, 305, 53});
    check->SetCaption("Checked");
    check->SetChecked(true);
    auto* combo = Form.Add(new TComboBox(Form.Form.get()), TRect{8, 100, 153, 121});
    combo->Items()->SetAll({"clRed", "clGreen"});
    combo->SetItemIndex(1);
    auto* list = Form.Add(new TComboBox(Form.Form.get()), TRect{160, 100, 305, 121});
    list->SetStyle(csDropDownList);
    list->Items()->SetAll({"taLeftJustify", "taCenter"});
    list->SetItemIndex(0);
    auto* panel = Form.Add(new TPanel(Form.Form.get()), TRect{8, 128, 200, 168});
    panel->SetCaption("Panel");
    for (int i = 0; i < 3; ++i) {
        auto* speed = Form.Add(new TSpeedButton(Form.Form.get()),
                               TRect{208 + 24 * i, 128, 231 + 24 * i, 150});
        speed->SetGroupIndex(1);
        speed->SetCaption(std::string(1, static_cast<char>('A' + i)));
        if (i == 1) speed->SetDown(true);
    }
    EXPECT_TRUE(MatchesGolden(Form.Render(), "platform/standard-controls"));
}

TEST_F(StandardControls, FormFilesRoundTripEveryStandardControl) {
    const std::string text =
        "object Dialog: TForm\r\n"
        "  Caption = 'Dialog'\r\n"
        "  ClientHeight = 120\r\n"
        "  ClientWidth = 300\r\n"
        "  object NameLabel: TLabel\r\n    Left = 8\r\n    Top = 8\r\n    Width = 32\r\n"
        "    Height = 12\r\n    Caption = 'Name:'\r\n  end\r\n"
        "  object NameEdit: TEdit\r\n    Left = 48\r\n    Top = 4\r\n    Width = 121\r\n"
        "    Height = 21\r\n    MaxLength = 20\r\n    TabOrder = 0\r\n    Text = 'Ann'\r\n  end\r\n"
        "  object Notes: TMemo\r\n    Left = 8\r\n    Top = 32\r\n    Width = 185\r\n"
        "    Height = 41\r\n    Lines.Strings = (\r\n      'one'\r\n      'two')\r\n"
        "    TabOrder = 1\r\n  end\r\n"
        "  object Ok: TButton\r\n    Left = 200\r\n    Top = 4\r\n    Width = 75\r\n"
        "    Height = 25\r\n    Caption = 'OK'\r\n    TabOrder = 2\r\n  end\r\n"
        "  object Sure: TCheckBox\r\n    Left = 200\r\n    Top = 36\r\n    Width = 97\r\n"
        "    Height = 17\r\n    Caption = 'Sure'\r\n    State = cbChecked\r\n    TabOrder = 3\r\n"
        "  end\r\n"
        "  object Colour: TComboBox\r\n    Left = 8\r\n    Top = 80\r\n    Width = 145\r\n"
        "    Height = 21\r\n    Style = csDropDownList\r\n    Items.Strings = (\r\n"
        "      'Red'\r\n      'Green')\r\n    ItemIndex = 1\r\n    TabOrder = 4\r\n"
        "    Text = 'Green'\r\n  end\r\n"
        "  object Tools: TSpeedButton\r\n    Left = 200\r\n    Top = 80\r\n    Width = 23\r\n"
        "    Height = 22\r\n    GroupIndex = 1\r\n    Down = True\r\n  end\r\n"
        "end\r\n";
    std::unique_ptr<TForm> form = FormFiles::ReadForm(std::string_view(text));
    const std::string written = FormFiles::WriteText(*form);
    // The form's own defaults are written in full; the controls come back as they were (the
    // label's size is its caption's).
    EXPECT_NE(written.find(text.substr(text.find("  object NameLabel"))), std::string::npos)
        << written;
}

}  // namespace
