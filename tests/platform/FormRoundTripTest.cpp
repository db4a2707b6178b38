// Nothing is lost: every published property of every registered component class, set to a
// value other than its default, is written, read back and written again to the same bytes
// and the same values; so is every list and picture emptied where the constructor filled it.
// A value equal to its default is not written, unless the constructor sets another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "classes/TClassRegistry.h"
#include "classes/TStringList.h"
#include "controls/TForm.h"
#include "gdi/TBitmapImage.h"
#include "graphics/TBitmap.h"
#include "graphics/TCanvas.h"
#include "graphics/TFont.h"
#include "package/Quillmereall.h"
#include "streaming/FormFiles.h"

namespace {

// Classes whose Loaded recomputes stored properties from others (the ordered tab set's tab
// height, and its height with it): those values settle after one reading, so they are left
// out of the comparison of values, and the second writing is compared with a third.
const std::map<std::string, std::set<std::string>> kSettleOnLoad = {
    {"TOrderedTabSet", {"Height", "TabHeight"}},
    // An auto-sized label measures its caption again once loaded.
    {"TLabel", {"Width", "Height"}}};

bool BitmapsCanBeWritten() {
    TBitmap b;
    b.SetSize(1, 1);
    return !b.SaveToBytes().empty();
}

// Values to try for an ordinal property, nearest to its current value first.
std::vector<std::int64_t> Candidates(const TTypeInfo& t, std::int64_t current) {
    std::vector<std::int64_t> out;
    if (t.Kind == TTypeKind::tkEnumeration) {
        const auto n = static_cast<std::int64_t>(t.EnumNames.size());
        for (std::int64_t k = 1; k < n; ++k) out.push_back((current + k) % n);
    } else if (t.Kind == TTypeKind::tkSet) {
        const auto n = t.CompType ? t.CompType->EnumNames.size() : 0;
        const std::int64_t all = (std::int64_t{1} << n) - 1;
        out = {all, current ^ 1, current ^ 2, 0};
    } else {
        std::int64_t low = 0, high = 0;
        t.OrdinalRange(low, high);
        for (std::int64_t v :
             {current + 3, current + 1, current - 1, std::int64_t{1}, std::int64_t{7}})
            if (v >= low && v <= high) out.push_back(v);
    }
    return out;
}

// A string of every kind of character the formats escape, long enough to take several lines
// and more than a short string's 255 bytes.
std::string TestString(const std::string& path) {
    std::string s = "Value of " + path + ": it's \"quoted\",\ttabbed,\r\nbroken, caf\xE9 \x80 ";
    while (s.size() < 300) s += "and longer ";
    return s;
}

// What the setter puts into string lists and pictures.
enum class TContent { Filled, Emptied };

class TValueSetter {
public:
    explicit TValueSetter(TContent content) : FContent(content) {}

    // Sets every published property of obj that can take another value than its default.
    void SetAll(TPersistent& obj, const std::string& path, int depth) {
        if (depth > 8) return;
        for (const TPropInfo* p : GetPropInfos(*obj.ClassInfo())) {
            // A component's name is written in its header.
            if (dynamic_cast<TComponent*>(&obj) && SameText(p->Name, "Name")) continue;
            Set(obj, *p, path + p->Name, depth);
        }
    }
    std::vector<std::string> Changed;  // the properties that took a new value

private:
    void Set(TPersistent& obj, const TPropInfo& p, const std::string& path, int depth) {
        const TTypeInfo& t = *p.Type;
        switch (t.Kind) {
            case TTypeKind::tkInteger:
            case TTypeKind::tkChar:
            case TTypeKind::tkEnumeration:
            case TTypeKind::tkSet:
            case TTypeKind::tkInt64: {
                if (!p.GetOrd || !p.SetOrd) return;
                const std::int64_t current = p.GetOrd(obj);
                for (std::int64_t v : Candidates(t, current)) {
                    if (p.Default && v == *p.Default) continue;
                    // A setter may refuse a value by raising (a tab index past the tabs).
                    try {
                        p.SetOrd(obj, v);
                    } catch (const std::exception&) {
                        continue;
                    }
                    if (p.GetOrd(obj) != current) {
                        Changed.push_back(path);
                        return;
                    }
                }
                return;
            }
            case TTypeKind::tkString:
                if (!p.SetStr) return;
                // A font's name is a family name, which the font resolver looks up.
                p.SetStr(obj, dynamic_cast<TFont*>(&obj) ? "Times New Roman" : TestString(path));
                Changed.push_back(path);
                return;
            case TTypeKind::tkMethod:
                if (p.SetStr) p.SetStr(obj, "Handle" + p.Name), Changed.push_back(path);
                return;
            case TTypeKind::tkFloat:
                if (p.SetFloat) p.SetFloat(obj, 1.25), Changed.push_back(path);
                return;
            case TTypeKind::tkClass: {
                TPersistent* inner = p.GetObj ? p.GetObj(obj) : nullptr;
                if (!inner || dynamic_cast<TComponent*>(inner)) return;
                if (auto* list = dynamic_cast<TStringList*>(inner)) {
                    if (FContent == TContent::Emptied)
                        list->SetAll({});
                    else
                        list->SetAll({"one", "it's two", TestString(path)});
                    Changed.push_back(path);
                } else if (auto* bitmap = dynamic_cast<TBitmap*>(inner)) {
                    if (FContent == TContent::Emptied) {
                        bitmap->Assign(nullptr);
                        Changed.push_back(path);
                        return;
                    }
                    if (!BitmapsCanBeWritten()) return;
                    // A true-colour picture, which holds any colour (a glyph's 16 colours
                    // would not).
                    TBitmap picture;
                    picture.SetSize(5, 3);
                    picture.Canvas()->SetPixel(2, 1, 0x563412);
                    bitmap->Assign(&picture);
                    Changed.push_back(path);
                } else {
                    SetAll(*inner, path + ".", depth + 1);
                }
                return;
            }
        }
    }

    TContent FContent;
};

// The stored values of obj, by name, as its getters give them.
void Dump(const TPersistent& obj, const std::string& path, std::vector<std::string>& out,
          int depth) {
    if (depth > 8) return;
    for (const TPropInfo* p : GetPropInfos(*obj.ClassInfo())) {
        if (!p->IsStored(obj) ||
            (dynamic_cast<const TComponent*>(&obj) && SameText(p->Name, "Name")))
            continue;
        const std::string name = path + p->Name + " = ";
        switch (p->Type->Kind) {
            case TTypeKind::tkClass: {
                TPersistent* inner = p->GetObj ? p->GetObj(obj) : nullptr;
                if (!inner) {
                    out.push_back(name + "nil");
                } else if (auto* c = dynamic_cast<TComponent*>(inner)) {
                    out.push_back(name + c->Name());
                } else if (auto* list = dynamic_cast<TStringList*>(inner)) {
                    out.push_back(name + list->Text());
                } else if (auto* bitmap = dynamic_cast<TBitmap*>(inner)) {
                    std::string pixels;
                    for (int y = 0; y < bitmap->Height(); ++y)
                        for (int x = 0; x < bitmap->Width(); ++x)
                            pixels +=
                                std::to_string(bitmap->Image().Pixels.At(x, y) & 0xFFFFFF) + ",";
                    out.push_back(name + std::to_string(bitmap->Width()) + "x" +
                                  std::to_string(bitmap->Height()) + ":" + pixels);
                } else {
                    Dump(*inner, path + p->Name + ".", out, depth + 1);
                }
                break;
            }
            case TTypeKind::tkString:
            case TTypeKind::tkMethod:
                if (p->GetStr) out.push_back(name + p->GetStr(obj));
                break;
            case TTypeKind::tkFloat:
                if (p->GetFloat) out.push_back(name + std::to_string(p->GetFloat(obj)));
                break;
            default:
                if (p->GetOrd) out.push_back(name + std::to_string(p->GetOrd(obj)));
                break;
        }
    }
}

std::vector<std::string> Values(const TComponent& c) {
    std::vector<std::string> out{"Name = " + c.Name(), "Class = " + c.ClassName()};
    Dump(c, "", out, 0);
    return out;
}

// A form holding one instance of cls named Subject, or, for a form class, that form.
std::unique_ptr<TForm> FormWith(const TClassInfo& cls, TComponent*& subject) {
    if (&cls == &TForm::StaticClassInfo()) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetName("Subject");
        subject = form.get();
        return form;
    }
    auto form = std::make_unique<TForm>(nullptr);
    form->SetName("Host");
    subject = cls.Create(form.get());
    subject->SetName("Subject");
    subject->SetParentComponent(form.get());
    return form;
}

std::vector<const TClassInfo*> ComponentClasses() {
    Quillmereall::RegisterUnits();
    std::vector<const TClassInfo*> out;
    for (const TClassInfo* c : TClassRegistry::RegisteredClasses())
        if (c->Create) out.push_back(c);
    std::sort(out.begin(), out.end(), [](const TClassInfo* a, const TClassInfo* b) {
        return std::string(a->Name) < b->Name;
    });
    return out;
}

class FormRoundTrip : public ::testing::TestWithParam<const TClassInfo*> {};
class FormRoundTripOfContents
    : public ::testing::TestWithParam<std::tuple<const TClassInfo*, TContent>> {};

std::string ClassParamName(const ::testing::TestParamInfo<const TClassInfo*>& info) {
    return info.param->Name;
}
std::string ContentParamName(
    const ::testing::TestParamInfo<std::tuple<const TClassInfo*, TContent>>& info) {
    return std::string(std::get<0>(info.param)->Name) +
           (std::get<1>(info.param) == TContent::Emptied ? "_Emptied" : "_Filled");
}

}  // namespace

TEST_P(FormRoundTripOfContents, EveryPublishedPropertySurvivesWritingAndReading) {
    const TClassInfo& cls = *std::get<0>(GetParam());
    TComponent* subject = nullptr;
    auto form = FormWith(cls, subject);
    TValueSetter setter(std::get<1>(GetParam()));
    setter.SetAll(*subject, "", 0);
    EXPECT_FALSE(setter.Changed.empty());

    for (const auto format : {FormFiles::TFormFormat::Binary, FormFiles::TFormFormat::Text}) {
        SCOPED_TRACE(format == FormFiles::TFormFormat::Text ? "text" : "binary");
        auto write = [&](TForm& f) {
            if (format == FormFiles::TFormFormat::Binary) return FormFiles::WriteBinary(f);
            const std::string text = FormFiles::WriteText(f);
            return std::vector<std::uint8_t>(text.begin(), text.end());
        };
        const std::vector<std::uint8_t> first = write(*form);
        auto back = FormFiles::ReadForm(std::span<const std::uint8_t>(first));
        TComponent* read =
            cls.Name == std::string("TForm") ? back.get() : back->FindComponent("Subject");
        ASSERT_NE(read, nullptr);
        const std::vector<std::uint8_t> second = write(*back);
        const auto settles = kSettleOnLoad.find(cls.Name);
        if (settles == kSettleOnLoad.end()) {
            EXPECT_EQ(second, first) << std::string(first.begin(), first.end());
        } else {
            auto again = FormFiles::ReadForm(std::span<const std::uint8_t>(second));
            EXPECT_EQ(write(*again), second);
        }
        const std::vector<std::string> was = Values(*subject), is = Values(*read);
        std::string differences;
        for (std::size_t i = 0; i < std::max(was.size(), is.size()); ++i) {
            const std::string a = i < was.size() ? was[i] : "(none)";
            const std::string b = i < is.size() ? is[i] : "(none)";
            const bool settled =
                settles != kSettleOnLoad.end() && settles->second.count(a.substr(0, a.find(" = ")));
            if (a != b && !settled) differences += "\n  written: " + a + "\n  read:    " + b;
        }
        EXPECT_TRUE(differences.empty()) << "values that changed:" << differences;
    }
}

TEST_P(FormRoundTrip, AValueEqualToItsDefaultIsLeftOutOnlyWhereReadingGivesItBack) {
    const TClassInfo& cls = *GetParam();
    // What a new component holds in a form, from its constructor and its parent: a value equal
    // to the default is written where it holds another (the ordered tab set's
    // DitherBackground, a group box's Color), as reading would not give it back.
    TComponent* constructed = nullptr;
    const auto constructedForm = FormWith(cls, constructed);
    const auto settles = kSettleOnLoad.find(cls.Name);
    for (const TPropInfo* p : GetPropInfos(cls)) {
        if (!p->Default || !p->GetOrd || !p->SetOrd) continue;
        TComponent* subject = nullptr;
        auto form = FormWith(cls, subject);
        p->SetOrd(*subject, *p->Default);
        if (p->GetOrd(*subject) != *p->Default || !p->IsStored(*subject)) continue;
        SCOPED_TRACE(p->Name);
        const std::string text = FormFiles::WriteText(*form);
        const std::string indent = subject == form.get() ? "\n  " : "\n    ";
        EXPECT_EQ(text.find(indent + p->Name + " = ") == std::string::npos,
                  p->GetOrd(*constructed) == *p->Default);
        auto back = FormFiles::ReadForm(std::string_view(text));
        TComponent* read = subject == form.get() ? back.get() : back->FindComponent("Subject");
        ASSERT_NE(read, nullptr);
        if (settles == kSettleOnLoad.end() || !settles->second.count(p->Name)) {
            EXPECT_EQ(p->GetOrd(*read), *p->Default);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RegisteredClasses, FormRoundTrip, ::testing::ValuesIn(ComponentClasses()),
                         ClassParamName);
INSTANTIATE_TEST_SUITE_P(RegisteredClasses, FormRoundTripOfContents,
                         ::testing::Combine(::testing::ValuesIn(ComponentClasses()),
                                            ::testing::Values(TContent::Filled, TContent::Emptied)),
                         ContentParamName);

// Forms of one component with random values in random order, defaults among them, lists and
// pictures filled or emptied, in a form of its own colour or the default one: what reads back
// from what was written writes the same bytes again, whatever the setters did to each other.
TEST(FormRoundTripOfRandomForms, WritingWhatWasReadGivesTheSameBytes) {
    std::mt19937 random(7);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    std::vector<const TClassInfo*> classes = ComponentClasses();
    std::erase(classes, &TForm::StaticClassInfo());
    for (int n = 0; n < 500; ++n) {
        const TClassInfo& cls = *classes[pick(classes.size())];
        TComponent* subject = nullptr;
        auto form = FormWith(cls, subject);
        if (pick(2)) form->SetColor(clTeal);
        const std::vector<const TPropInfo*> props = GetPropInfos(cls);
        for (std::size_t k = 1 + pick(20); k > 0; --k) {
            const TPropInfo& p = *props[pick(props.size())];
            try {
                if (p.GetOrd && p.SetOrd) {
                    std::vector<std::int64_t> values = Candidates(*p.Type, p.GetOrd(*subject));
                    std::int64_t low = 0, high = 0;
                    p.Type->OrdinalRange(low, high);
                    for (std::int64_t v : {-1, 0, 100, 1000})
                        if (p.Type->Kind == TTypeKind::tkInteger && v >= low && v <= high)
                            values.push_back(v);
                    // The default, one time in three: where a setter changed another value,
                    // a default is what reading most easily misses.
                    if (p.Default && pick(3) == 0)
                        p.SetOrd(*subject, *p.Default);
                    else if (!values.empty())
                        p.SetOrd(*subject, values[pick(values.size())]);
                } else if (p.GetStr && p.SetStr && p.Type->Kind == TTypeKind::tkString) {
                    p.SetStr(*subject, pick(2) ? "" : "x");
                } else if (TPersistent* inner = p.GetObj ? p.GetObj(*subject) : nullptr) {
                    if (auto* list = dynamic_cast<TStringList*>(inner))
                        list->SetAll(pick(2) ? std::vector<std::string>{}
                                             : std::vector<std::string>{"a", "b"});
                    else if (auto* bitmap = dynamic_cast<TBitmap*>(inner); bitmap && pick(2))
                        bitmap->Assign(nullptr);
                }
            } catch (const std::exception&) {
                // A value the setter refuses (a tab index past the tabs) changes nothing.
            }
        }
        const std::string first = FormFiles::WriteText(*form);
        const std::string second =
            FormFiles::WriteText(*FormFiles::ReadForm(std::string_view(first)));
        if (!kSettleOnLoad.count(cls.Name)) {
            ASSERT_EQ(second, first) << cls.Name;
        } else {
            const std::string third =
                FormFiles::WriteText(*FormFiles::ReadForm(std::string_view(second)));
            ASSERT_EQ(third, second) << cls.Name;
        }
    }
}
