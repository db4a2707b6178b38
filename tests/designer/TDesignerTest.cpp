// The designer's commands as scripts and the window run them: placing and setting, saving into
// the file's own bytes, undo and redo, copy and paste, bad input, the design-time state.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "classes/TClassRegistry.h"
#include "controls/TClipboard.h"
#include "controls/TListBox.h"
#include "designer/DesignScript.h"
#include "designer/DesignerTestSupport.h"
#include "designer/TDesigner.h"
#include "designer/TRecovery.h"
#include "loop/TMessageLoop.h"
#include "streaming/FormFiles.h"
#include "support/ToolRun.h"

namespace {

namespace fs = std::filesystem;
using TFormFormat = FormFiles::TFormFormat;

std::string Fixture(const std::string& name) {
    return (fs::path(QM_SOURCE_DIR) / "tests" / "fixtures" / "designer" / name).string();
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Text(TDesigner& d) {
    const std::vector<std::uint8_t> bytes = d.SavedBytes(TFormFormat::Text);
    return std::string(bytes.begin(), bytes.end());
}

// Each of the nine classes placed, and a property of each kind the inspector edits set:
// integer, bitmap, colour by name and by number, string list, enumeration, font and set,
// string, and a component's name.
std::string NineClassesScript() {
    std::string script = ReadText(Fixture("nine-classes.script"));
    const std::size_t at = script.find("TILE");
    return script.replace(at, 4, Fixture("tile.bmp"));
}

// The lines of a text, for comparing what an edit changed.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end == std::string::npos ? end : end - at + 1));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

TEST(DesignerCommands, NineClassesWithEveryEditorKindGiveTheHandWrittenForm) {
    TDesigner d;
    DesignScript::Run(d, NineClassesScript());
    const std::string expected = ReadText(Fixture("nine-classes.txt"));
    EXPECT_EQ(Text(d), expected);
    // Read back, the form is the same form.
    TDesigner again;
    again.Open(Fixture("nine-classes.txt"));
    EXPECT_EQ(again.SavedBytes(TFormFormat::Binary), d.SavedBytes(TFormFormat::Binary));
}

TEST(DesignerUndo, BackToTheEmptyFormAndForwardAgainSaveTheSameBytes) {
    TDesigner d;
    const std::string empty = Text(d);
    DesignScript::Run(d, NineClassesScript());
    const std::string full = Text(d);
    const int steps = d.UndoCount();
    EXPECT_EQ(steps, 22);
    while (d.Undo()) {
    }
    EXPECT_EQ(Text(d), empty);
    EXPECT_FALSE(d.Modified());
    while (d.Redo()) {
    }
    EXPECT_EQ(Text(d), full);
    EXPECT_EQ(d.UndoCount(), steps);
    // A new edit forgets what could be redone.
    d.Undo();
    d.SelectByName({"Form1"});
    d.SetProperty("Caption", "'Other'");
    EXPECT_FALSE(d.CanRedo());
}

TEST(DesignerUndo, ADragIsOneStepAndRepaintsOnlyWhatChanged) {
    TDesigner d;
    TControl* c = d.Place("TQELGradient", TRect{16, 16, 96, 56});
    d.Update();
    const int before = d.UndoCount();
    d.MouseDown(TPoint{40, 30}, {});
    for (int x = 41; x <= 80; ++x) {
        d.MouseMove(TPoint{x, 30}, {});
        // Each step of the drag repaints the control's old and new place, not the form.
        const TRect due = d.FormHost().PendingRect();
        EXPECT_LE(due.Width(), 80 + 2 * TDesigner::kDefaultGrid) << x;
        d.Update();
    }
    d.MouseUp(TPoint{80, 30}, {});
    EXPECT_EQ(c->Left(), 56);  // 16 + 40, on the grid
    EXPECT_EQ(d.UndoCount(), before + 1);
    d.Undo();
    EXPECT_EQ(static_cast<TControl*>(d.FindComponent("QELGradient1"))->Left(), 16);
}

TEST(DesignerGestures, DraggingOnTheFormPlacesTheChosenClassAndHandlesResize) {
    TDesigner d;
    d.SetPlacingClass(TClassRegistry::FindClass("TOrderedGroupBox"));
    d.MouseDown(TPoint{10, 10}, {});
    d.MouseMove(TPoint{100, 70}, {});
    EXPECT_EQ(d.GestureRect(), (TRect{8, 8, 104, 72}));
    d.MouseUp(TPoint{100, 70}, {});
    auto* box = dynamic_cast<TControl*>(d.FindComponent("OrderedGroupBox1"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->BoundsRect(), (TRect{8, 8, 104, 72}));
    // A click inside the group box places the next control inside it, at its default size.
    d.SetPlacingClass(TClassRegistry::FindClass("TQELGradient"));
    d.MouseDown(TPoint{24, 32}, {});
    d.MouseUp(TPoint{24, 32}, {});
    auto* gradient = dynamic_cast<TControl*>(d.FindComponent("QELGradient1"));
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->Parent(), box);
    // The bottom-right handle of the selected control resizes it.
    const TRect b = d.FormBounds(gradient);
    d.MouseDown(TPoint{b.Right - 1, b.Bottom - 1}, {});
    d.MouseMove(TPoint{b.Right + 15, b.Bottom + 15}, {});
    d.MouseUp(TPoint{b.Right + 15, b.Bottom + 15}, {});
    EXPECT_GT(gradient->Width(), 185);
    EXPECT_EQ(d.FormBounds(gradient).Right % TDesigner::kDefaultGrid, 0);
}

TEST(DesignerClipboard, CopyAndPasteGiveFreshNames) {
    TDesigner d;
    d.Place("TOrderedGroupBox", TRect{8, 8, 208, 108});
    d.Place("TQELCheckList", TRect{16, 32, 116, 92});
    d.SelectByName({"OrderedGroupBox1"});
    d.Copy();
    const std::string text = Clipboard().AsText();
    EXPECT_EQ(text.rfind("object OrderedGroupBox1: TOrderedGroupBox\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("object QELCheckList1: TQELCheckList"), std::string::npos);
    d.SelectByName({"Form1"});
    d.Paste();
    ASSERT_EQ(d.Selection().size(), 1u);
    EXPECT_EQ(d.Selection().front()->Name(), "OrderedGroupBox2");
    auto* copy = dynamic_cast<TWinControl*>(d.Selection().front());
    ASSERT_EQ(copy->ControlCount(), 1);
    EXPECT_EQ(copy->Controls(0)->Name(), "QELCheckList2");
    // Cut and paste keeps the names, which are free again.
    d.Cut();
    EXPECT_EQ(d.FindComponent("OrderedGroupBox2"), nullptr);
    d.Paste();
    EXPECT_NE(d.FindComponent("QELCheckList2"), nullptr);
    // Text that is no form text is refused and changes nothing.
    const std::string before = Text(d);
    Clipboard().SetAsText("hello");
    EXPECT_THROW(d.Paste(), EDesignError);
    EXPECT_EQ(Text(d), before);
}

struct TBadValue {
    const char* Property;
    const char* Value;
    const char* Message;
};

class DesignerErrors : public ::testing::TestWithParam<TBadValue> {};

TEST_P(DesignerErrors, BadValuesLeaveTheFormUnchanged) {
    TDesigner d;
    d.Place("TQELGradient", TRect{8, 8, 100, 50});
    d.Place("TQELGradient", TRect{8, 60, 100, 100});
    const std::string before = Text(d);
    const int steps = d.UndoCount();
    try {
        d.SetProperty(GetParam().Property, GetParam().Value);
        FAIL() << "accepted " << GetParam().Value;
    } catch (const EDesignError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().Message), std::string::npos) << e.what();
    }
    EXPECT_EQ(Text(d), before);
    EXPECT_EQ(d.UndoCount(), steps);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DesignerErrors,
    ::testing::Values(TBadValue{"Left", "12a", "cannot read the value"},
                      TBadValue{"Left", "abc", "expects an integer"},
                      TBadValue{"ColorStart", "clNoSuchColour", "is not a value of TColor"},
                      TBadValue{"GradientType", "gtFoo", "is not a value of TGradientType"},
                      TBadValue{"Font.Style", "[fsBold, fsHeavy]", "is not an element"},
                      TBadValue{"Name", "QELGradient1", "already exists"},
                      TBadValue{"Name", "9lives", "not a valid component name"},
                      TBadValue{"Colr", "clRed", "has no property Colr"},
                      TBadValue{"Caption", "two words", "cannot read the value"}));

TEST(DesignerSave, AnOpenedFormSavesByteIdenticalInEveryFormat) {
    const std::vector<std::uint8_t> text = FormFiles::ReadFile(Fixture("hand-edited.txt"));
    const std::vector<std::uint8_t> stream = FormFiles::TextToBinary(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    for (const std::vector<std::uint8_t>& file :
         {text, stream, FormFiles::WithResourceHeader(stream)}) {
        TDesigner d;
        d.Load(file, "");
        EXPECT_EQ(d.SavedBytes(d.Format()), file);
        // An edit undone leaves nothing to save either.
        d.SelectByName({"Left"});
        d.SetProperty("Caption", "'Other'");
        d.Undo();
        EXPECT_EQ(d.SavedBytes(d.Format()), file);
    }
}

TEST(DesignerSave, AnEditChangesOnlyItsLines) {
    const std::string original = ReadText(Fixture("hand-edited.txt"));
    TDesigner d;
    d.Open(Fixture("hand-edited.txt"));
    d.SelectByName({"Left"});
    d.SetProperty("Caption", "'Left side'");   // a value the file spells in two parts
    d.SetProperty("BevelOuter", "bvLowered");  // a property the file does not have
    d.SetProperty("BevelWidth", "2");          // a default the file writes
    d.SelectByName({"Choices"});
    d.SetProperty("Items.Strings", "( 'Bold' 'Italic' 'Underline' )");
    std::vector<std::string> expected = Lines(original);
    expected[10] = "\t\tCaption = 'Left side'\n";
    expected[12] = "\t\tBevelWidth = 2\n";
    // Next to the property before it in property order, indented as the file indents.
    expected.insert(expected.begin() + 10, "\t\tBevelOuter = bvLowered\n");
    expected[22] = "\t\t\t'Italic'\n";
    expected.insert(expected.begin() + 23, "\t\t\t'Underline')\n");
    bool rewritten = true;
    const std::vector<std::uint8_t> saved = d.SavedBytes(TFormFormat::Text, &rewritten);
    EXPECT_EQ(Lines(std::string(saved.begin(), saved.end())), expected);
    EXPECT_FALSE(rewritten);

    // Deleting a control takes its lines, and those lines only.
    d.DeleteSelection();
    expected.erase(expected.begin() + 15, expected.begin() + 25);
    EXPECT_EQ(Lines(Text(d)), expected);
}

TEST(DesignerSave, ZOrderIsTheOrderOfTheSavedObjects) {
    TDesigner d;
    d.Place("TQELGradient", TRect{8, 8, 100, 50});
    d.Place("TTileBitmap", TRect{8, 60, 100, 100});
    d.SelectByName({"TileBitmap1"});
    d.SendToBack();
    const std::string text = Text(d);
    EXPECT_LT(text.find("TileBitmap1"), text.find("QELGradient1"));
}

TEST(DesignTime, PlacedControlsAreDesignedAndListBoxesTakeNoClicks) {
    TDesigner d;
    auto* list = dynamic_cast<TListBox*>(d.Place("TListBox", TRect{8, 8, 100, 100}));
    ASSERT_NE(list, nullptr);
    list->Items()->SetAll({"a", "b"});
    EXPECT_TRUE(list->ComponentState().Contains(csDesigning));
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
    list->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 5));
    EXPECT_EQ(list->ItemIndex(), -1);
    // The marquee's timer, which it owns, is designed with it.
    auto* marquee = d.Place("TScrollingArea", TRect{8, 120, 100, 138});
    for (int i = 0; i < marquee->ComponentCount(); ++i)
        EXPECT_TRUE(marquee->Components(i)->ComponentState().Contains(csDesigning));
}

// A folder of its own for each test, removed afterwards.
class DesignerFiles : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = fs::temp_directory_path() /
               ("qm-designer-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FDir);
        fs::create_directories(FDir);
    }
    void TearDown() override { fs::remove_all(FDir); }
    std::string Path(const std::string& name) const { return (FDir / name).string(); }

    fs::path FDir;
};

TEST_F(DesignerFiles, AnUnsavedFormIsWrittenEveryMinuteAndOfferedBack) {
    std::string edited;
    {
        TDesigner d;
        d.EnableRecovery(Path("recovery"));
        d.Place("TQELGradient", TRect{8, 8, 100, 50});
        TMessageLoop::Current().Advance(59999);
        EXPECT_FALSE(d.Recovery()->Exists());
        TMessageLoop::Current().Advance(1);
        EXPECT_TRUE(d.Recovery()->Exists());
        edited = Text(d);
    }
    TDesigner next;
    next.EnableRecovery(Path("recovery"));
    ASSERT_TRUE(next.Recovery()->Exists());
    next.Recover();
    EXPECT_EQ(Text(next), edited);
    EXPECT_TRUE(next.Modified());
    // Saving keeps the work; the recovery file has done its job.
    const std::string recoveryFile = next.Recovery()->FileName();
    next.SaveAs(Path("form.txt"));
    EXPECT_FALSE(fs::exists(recoveryFile));
    EXPECT_EQ(ReadText(Path("form.txt")), edited);
}

TEST_F(DesignerFiles, ACrashSignalWritesTheLastEdit) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit none{0, 0};
        setrlimit(RLIMIT_CORE, &none);
        TDesigner d;
        d.EnableRecovery(Path("recovery"));
        d.Place("TQELGradient", TRect{8, 8, 100, 50});
        d.SetProperty("Caption", "'Not saved'");
        std::abort();
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGABRT);
    TDesigner next;
    next.EnableRecovery(Path("recovery"));
    next.Recover();
    EXPECT_EQ(next.PropertyText(next.FindComponent("QELGradient1"), "Caption"), "'Not saved'");
}

TEST_F(DesignerFiles, AScriptErrorNamesTheLineAndStopsWithStatusOne) {
    std::ofstream(Path("bad.txt")) << "place TQELGradient 8 8 100 50\n\nset ColorStart clPurpl\n"
                                   << "save " << Path("never.txt") << "\n";
    const TToolRun run = RunTool(std::string(QM_BINARY_DIR) + "/app/quillmere",
                                 "design --script " + Path("bad.txt") + " -o " + Path("out.txt"));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(
        run.Output.find("bad.txt:3: set ColorStart clPurpl: 'clPurpl' is not a value of TColor"),
        std::string::npos)
        << run.Output;
    EXPECT_FALSE(fs::exists(Path("never.txt")));
    EXPECT_FALSE(fs::exists(Path("out.txt")));
}

}  // namespace
