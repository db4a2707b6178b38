// The framework's list box against real user32 windows (tests/fixtures/windows, made by
// tools/wine/make-window-fixtures.sh): the pixels of its scroll bar and sunken edge, and how
// it moves its caret, selection and top item for the messages the real one got.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "GdiFixture.h"
#include "controls/TListBox.h"
#include "controls/TWindowHost.h"
#include "support/TestSupport.h"

namespace {

std::string FixturePath(const std::string& family) {
    return std::string(QM_SOURCE_DIR) + "/tests/fixtures/windows/" + family + ".txt";
}

// ---- pixels -----------------------------------------------------------------------------

struct TWindowCase {
    std::string Family;
    TGdiFixtureCase Case;
};

std::vector<TWindowCase> WindowCases() {
    std::vector<TWindowCase> all;
    for (const char* family : {"scrollbars", "edges"}) {
        try {
            for (TGdiFixtureCase& c : ReadGdiFixtures(FixturePath(family)))
                all.push_back(TWindowCase{family, std::move(c)});
        } catch (const std::exception&) {
            // RealWindowFixtures.Read reports it.
        }
    }
    return all;
}

// A list box like the fixture's window, on a form: its window's pixels.
TSurface ReplayWindow(const TGdiFixtureCase& c) {
    int itemHeight = 16, count = 0, top = 0, columns = 0;
    for (const std::string& op : c.Ops) {
        std::istringstream words(op);
        std::string word;
        words >> word;
        if (word == "listbox") words >> itemHeight >> count >> top >> columns;
    }
    TTestForm form(c.Width + 8, c.Height + 8);
    auto* list = form.Add(new TListBox(form.Form.get()), TRect{4, 4, 4 + c.Width, 4 + c.Height});
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(itemHeight);
    list->SetColumns(columns);
    list->Items()->SetAll(std::vector<std::string>(static_cast<std::size_t>(count)));
    list->SetTopIndex(top);
    const TSurface& s = form.Render();
    TSurface window(c.Width, c.Height);
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x) window.Set(x, y, s.At(4 + x, 4 + y));
    return window;
}

class RealWindowPixels : public ::testing::TestWithParam<TWindowCase> {};

TEST_P(RealWindowPixels, Match) {
    const TGdiFixtureCase& c = GetParam().Case;
    const std::string mismatch = DescribeGdiMismatch(c, ReplayWindow(c));
    EXPECT_TRUE(mismatch.empty()) << FixturePath(GetParam().Family) << ":" << c.Line << " "
                                  << c.Name << "\n"
                                  << mismatch;
}

std::string CaseName(const ::testing::TestParamInfo<TWindowCase>& info) {
    std::string name = info.param.Case.Name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealWindowPixels, ::testing::ValuesIn(WindowCases()), CaseName);

// ---- the caret, the selection and the top item ---------------------------------------------

// A list box case: what it is, then each step with the state the real list box showed after it.
struct TListCase {
    std::string Name;
    std::string Mode;
    int Count = 0, ItemHeight = 0, ClientHeight = 0;
    std::vector<std::pair<std::string, std::string>> Steps;  // step, "state ..."
};

std::vector<TListCase> ReadListCases() {
    std::ifstream in(FixturePath("listbox"));
    if (!in) throw std::runtime_error(FixturePath("listbox") + ": cannot open");
    std::vector<TListCase> cases;
    std::string line, step;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line == "end") continue;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "case") {
            cases.emplace_back();
            words >> cases.back().Name;
        } else if (cases.empty()) {
            throw std::runtime_error("listbox fixture: a step before any case: " + line);
        } else if (word == "list") {
            TListCase& c = cases.back();
            words >> c.Mode >> c.Count >> c.ItemHeight >> c.ClientHeight;
        } else if (word == "state") {
            cases.back().Steps.emplace_back(step, line);
        } else {
            step = line;
        }
    }
    return cases;
}

// What the list shows, as the fixture writes it.
std::string State(const TListBox& list) {
    std::string s =
        "state " + std::to_string(list.ItemIndex()) + " " + std::to_string(list.TopIndex());
    for (int i = 0; i < list.Items()->Count(); ++i)
        if (list.Selected(i)) s += " " + std::to_string(i);
    return s;
}

void Perform(TListBox& list, const std::string& step) {
    static const std::pair<const char*, WORD> kKeys[] = {
        {"down", VK_DOWN}, {"up", VK_UP},   {"next", VK_NEXT},  {"prior", VK_PRIOR},
        {"home", VK_HOME}, {"end", VK_END}, {"space", VK_SPACE}};
    std::istringstream words(step);
    std::string word;
    words >> word;
    if (word == "key") {
        std::string name;
        words >> name;
        for (const auto& [key, code] : kKeys)
            if (name == key) list.Perform(WM_KEYDOWN, code);
        return;
    }
    int a = 0, b = 0;
    words >> a >> b;
    if (word == "setsel")
        list.SetSelected(a, b != 0);
    else if (word == "setcursel")
        list.SetItemIndex(a);
    else if (word == "press")
        list.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(a, b));
    else if (word == "move")
        list.Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(a, b));
    else if (word == "release")
        list.Perform(WM_LBUTTONUP, 0, MakeLParam(a, b));
    else
        FAIL() << "unknown step " << step;
}

}  // namespace

TEST(RealWindowFixtures, Read) {
    for (const char* family : {"scrollbars", "edges"}) {
        std::vector<TGdiFixtureCase> cases;
        ASSERT_NO_THROW(cases = ReadGdiFixtures(FixturePath(family))) << family;
        EXPECT_GT(cases.size(), 20u) << family;
    }
    std::vector<TListCase> lists;
    ASSERT_NO_THROW(lists = ReadListCases());
    EXPECT_GT(lists.size(), 8u);
}

TEST(RealListBox, CaretSelectionAndTopFollowTheSameMessages) {
    for (const TListCase& c : ReadListCases()) {
        SCOPED_TRACE(c.Name);
        TTestForm form(200, c.ClientHeight + 20);
        auto* list =
            form.Add(new TListBox(form.Form.get()), TRect{5, 5, 126, 5 + c.ClientHeight + 4});
        list->SetStyle(lbOwnerDrawFixed);
        list->SetItemHeight(c.ItemHeight);
        list->SetMultiSelect(c.Mode != "single");
        list->SetExtendedSelect(c.Mode == "extended");
        list->Items()->SetAll(std::vector<std::string>(static_cast<std::size_t>(c.Count)));
        form.Render();
        for (const auto& [step, state] : c.Steps) {
            Perform(*list, step);
            EXPECT_EQ(State(*list), state) << "after " << step;
        }
    }
}
