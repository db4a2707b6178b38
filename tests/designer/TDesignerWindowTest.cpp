// The designer's window without a display: the object inspector's rows and an edit of each
// kind, several components at once, the object tree, the string list and bitmap editors, the
// palette.
#include <gtest/gtest.h>

#include <optional>

#include "controls/TButton.h"
#include "controls/TCheckBox.h"
#include "controls/TComboBox.h"
#include "controls/TEdit.h"
#include "controls/TListBox.h"
#include "controls/TMemo.h"
#include "controls/TSpeedButton.h"
#include "designer/DesignerTestSupport.h"
#include "designer/TDesigner.h"
#include "designer/TDesignerWindow.h"
#include "designer/TObjectInspector.h"
#include "hosts/THeadlessHost.h"
#include "panels/TQELGradient.h"

namespace {

std::string Fixture(const std::string& name) {
    return std::string(QM_SOURCE_DIR) + "/tests/fixtures/designer/" + name;
}

class DesignerWindowHeadless : public ::testing::Test {
protected:
    void SetUp() override {
        Window.emplace(Designer, DesignerTestPackage().Module(), "QEL Quillmere 1.5");
        Host.emplace(&*Window);
        Gradient = dynamic_cast<Qelpanel::TQELGradient*>(
            Designer.Place("TQELGradient", TRect{8, 8, 108, 58}));
        Designer.Update();
        Host->Render();
    }
    void TearDown() override {
        Host.reset();
        Window.reset();
    }
    TObjectInspector& Inspector() { return *Window->Inspector(); }
    int Row(const std::string& path) {
        const int row = Inspector().RowOf(path);
        EXPECT_GE(row, 0) << path;
        return row;
    }

    TDesigner Designer;
    std::optional<TDesignerWindow> Window;
    std::optional<THeadlessHost> Host;
    Qelpanel::TQELGradient* Gradient = nullptr;
};

TEST_F(DesignerWindowHeadless, TheInspectorShowsPropertiesInPropertyOrderWithAnEditorEach) {
    using K = TObjectInspector::TRowKind;
    TObjectInspector& in = Inspector();
    EXPECT_EQ(in.RowName(0), "Name");
    EXPECT_EQ(in.RowValue(0), "QELGradient1");
    EXPECT_LT(Row("Left"), Row("Alignment"));
    EXPECT_LT(Row("Caption"), Row("ColorStart"));
    EXPECT_EQ(in.RowKind(Row("Left")), K::Text);
    EXPECT_EQ(in.RowKind(Row("Alignment")), K::Choice);
    EXPECT_EQ(in.RowKind(Row("Anchors")), K::Set);
    EXPECT_EQ(in.RowKind(Row("ColorStart")), K::Ident);
    EXPECT_EQ(in.RowKind(Row("Font")), K::Object);
    EXPECT_EQ(in.RowValue(Row("ColorEnd")), "clBlue");
    in.SelectRow(Row("Alignment"));
    auto* choice = dynamic_cast<TComboBox*>(in.Editor());
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->Items()->All(),
              (std::vector<std::string>{"taLeftJustify", "taRightJustify", "taCenter"}));
    in.SelectRow(Row("Left"));
    EXPECT_NE(dynamic_cast<TEdit*>(in.Editor()), nullptr);
}

TEST_F(DesignerWindowHeadless, EveryKindOfEditGoesThroughTheSetter) {
    TObjectInspector& in = Inspector();
    EXPECT_TRUE(in.Commit(Row("Left"), "24"));
    EXPECT_EQ(Gradient->Left(), 24);
    EXPECT_TRUE(in.Commit(Row("Caption"), "It's here"));
    EXPECT_EQ(Gradient->Caption(), "It's here");
    EXPECT_TRUE(in.Commit(Row("GradientType"), "gtConical"));
    EXPECT_EQ(Gradient->GradientType(), Qelpanel::gtConical);
    EXPECT_TRUE(in.Commit(Row("ColorStart"), "clLime"));
    EXPECT_TRUE(in.Commit(Row("ColorEnd"), "$00123456"));
    EXPECT_EQ(Gradient->ColorStart(), clLime);
    EXPECT_EQ(Gradient->ColorEnd(), 0x123456);
    in.SetExpanded(Row("Font"), true);
    EXPECT_TRUE(in.Commit(Row("Font.Name"), "Arial"));
    in.SetExpanded(Row("Font.Style"), true);
    in.SelectRow(Row("Font.Style.fsItalic"));
    EXPECT_NE(dynamic_cast<TCheckBox*>(in.Editor()), nullptr);
    EXPECT_TRUE(in.Commit(Row("Font.Style.fsItalic"), "True"));
    EXPECT_EQ(Gradient->Font()->Name(), "Arial");
    EXPECT_EQ(Gradient->Font()->Style(), TFontStyles{fsItalic});
    EXPECT_EQ(in.RowValue(Row("Font.Style")), "[fsItalic]");
    EXPECT_TRUE(in.Commit(0, "Banner"));
    EXPECT_EQ(Gradient->Name(), "Banner");

    // Refused: the message goes to the status line, the value stays.
    Designer.Place("TQELGradient", TRect{8, 80, 108, 120});
    EXPECT_FALSE(Inspector().Commit(0, "Banner"));
    EXPECT_NE(Window->StatusText().find("already exists"), std::string::npos)
        << Window->StatusText();
    EXPECT_FALSE(Inspector().Commit(Inspector().RowOf("ColorStart"), "clNoSuchColour"));
    EXPECT_EQ(Inspector().RowValue(Inspector().RowOf("ColorStart")), "clBlack");
}

TEST_F(DesignerWindowHeadless, SeveralSelectedComponentsShareTheirCommonProperties) {
    Designer.Place("TTileBitmap", TRect{8, 80, 108, 120});
    Designer.SelectByName({"QELGradient1", "TileBitmap1"});
    TObjectInspector& in = Inspector();
    EXPECT_EQ(in.RowOf("Name"), -1);
    EXPECT_EQ(in.RowOf("ColorStart"), -1);
    EXPECT_EQ(in.RowValue(Row("Left")), "8");
    EXPECT_EQ(in.RowValue(Row("Top")), "");
    EXPECT_TRUE(in.Commit(Row("Top"), "40"));
    EXPECT_EQ(Gradient->Top(), 40);
    EXPECT_EQ(dynamic_cast<TControl*>(Designer.FindComponent("TileBitmap1"))->Top(), 40);
    EXPECT_EQ(Designer.UndoCount(), 3) << "one step for both";
}

TEST_F(DesignerWindowHeadless, TheTreeAndTheFormSelectTogether) {
    TListBox* tree = Window->Tree();
    EXPECT_EQ(tree->Items()->All(),
              (std::vector<std::string>{"Form1: TForm", "   QELGradient1: TQELGradient"}));
    EXPECT_EQ(tree->ItemIndex(), 1);
    const TRect first = tree->ItemRect(0);
    tree->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(first.Left + 4, first.Top + 2));
    tree->Perform(WM_LBUTTONUP, 0, MakeLParam(first.Left + 4, first.Top + 2));
    EXPECT_EQ(Designer.Selection().front(), Designer.Form());
}

TEST_F(DesignerWindowHeadless, StringListsAndBitmapsHaveTheirEditors) {
    auto* list = Designer.Place("TQELCheckList", TRect{120, 8, 220, 80});
    (void)list;
    const int items = Inspector().RowOf("Items");
    ASSERT_GE(items, 0);
    EXPECT_EQ(Inspector().RowKind(items), TObjectInspector::TRowKind::Strings);
    Inspector().OnEditStrings("Items");
    TMemo* memo = nullptr;
    for (int i = 0; i < Window->ComponentCount() && !memo; ++i)
        memo = dynamic_cast<TMemo*>(Window->Components(i));
    ASSERT_NE(memo, nullptr);
    memo->Lines()->SetAll({"One", "It's two"});
    // The editor's OK button.
    auto* ok = dynamic_cast<TButton*>(memo->Parent()->Controls(2));
    ASSERT_NE(ok, nullptr);
    ok->Click();
    EXPECT_EQ(Designer.PropertyText(Designer.FindComponent("QELCheckList1"), "Items"),
              "(TStringList)");
    EXPECT_EQ(
        dynamic_cast<TCustomListBox*>(Designer.FindComponent("QELCheckList1"))->Items()->All(),
        (std::vector<std::string>{"One", "It's two"}));

    Designer.Place("TTileBitmap", TRect{8, 80, 108, 120});
    ASSERT_EQ(Inspector().RowKind(Inspector().RowOf("Bitmap")), TObjectInspector::TRowKind::Bitmap);
    EXPECT_EQ(Inspector().RowValue(Inspector().RowOf("Bitmap")), "(None)");
    Inspector().OnEditBitmap("Bitmap");
    ASSERT_TRUE(Window->Asking());
    Window->QuestionEdit()->SetText(Fixture("tile.bmp"));
    Window->Answer(0);
    EXPECT_EQ(Inspector().RowValue(Inspector().RowOf("Bitmap")), "(TBitmap)");
    Inspector().OnEditBitmap("Bitmap");
    Window->Answer(1);  // Clear
    EXPECT_EQ(Inspector().RowValue(Inspector().RowOf("Bitmap")), "(None)");
}

TEST_F(DesignerWindowHeadless, ThePaletteShowsThePackagePageFirstInRegistrationOrder) {
    const std::vector<std::string> pages = Window->PalettePages();
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(pages[0], "QEL");
    EXPECT_EQ(pages[1], "Standard");
    const char* const order[] = {"TScrollingArea",   "TTileBitmap",     "TQELGradient",
                                 "TQELBmpList",      "TQELRadioList",   "TQELCheckList",
                                 "TOrderedGroupBox", "TOrderedListBox", "TOrderedTabSet"};
    int left = 0;
    for (const char* name : order) {
        TSpeedButton* b = Window->PaletteButton(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_GT(b->Left(), left) << name;
        left = b->Left();
        EXPECT_EQ(b->Glyph()->Width(), 24);
        EXPECT_TRUE(b->Visible());
    }
    EXPECT_FALSE(Window->PaletteButton("TEdit")->Visible());
    Window->ShowPalettePage("Standard");
    EXPECT_TRUE(Window->PaletteButton("TEdit")->Visible());
    EXPECT_NE(Window->StatusText().find("QEL Quillmere 1.5"), std::string::npos);
}

}  // namespace
