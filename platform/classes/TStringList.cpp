#include "classes/TStringList.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "classes/TypInfo.h"
#include "core/AnsiText.h"
#include "classes/TFiler.h"

namespace {
// The framework sorts strings without regard to case.
bool LessText(const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }
}  // namespace

void TStringList::Changed() {
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    if (OnChange) OnChange();
}

void TStringList::Moved(TChange change, int index) {
    if (OnStructureChange) OnStructureChange(change, index);
}

void TStringList::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Changed();
    }
}

void TStringList::SetStrings(int index, const std::string& s) {
    FStrings.at(static_cast<std::size_t>(index)) = s;
    if (FSorted) {
        Sort();
        Moved(TChange::Rebuilt, -1);
    }
    Changed();
}

int TStringList::Add(const std::string& s) {
    std::size_t at = FStrings.size();
    if (FSorted)
        at = static_cast<std::size_t>(
            std::upper_bound(FStrings.begin(), FStrings.end(), s, LessText) - FStrings.begin());
    FStrings.insert(FStrings.begin() + static_cast<std::ptrdiff_t>(at), s);
    Moved(TChange::Inserted, static_cast<int>(at));
    Changed();
    return static_cast<int>(at);
}

void TStringList::Insert(int index, const std::string& s) {
    if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds");
    FStrings.insert(FStrings.begin() + index, s);
    if (FSorted) {
        Sort();
        Moved(TChange::Rebuilt, -1);
    } else {
        Moved(TChange::Inserted, index);
    }
    Changed();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
    FStrings.erase(FStrings.begin() + index);
    Moved(TChange::Deleted, index);
    Changed();
}

void TStringList::Clear() {
    if (FStrings.empty()) return;
    FStrings.clear();
    Moved(TChange::Rebuilt, -1);
    Changed();
}

int TStringList::IndexOf(const std::string& s) const {
    for (std::size_t i = 0; i < FStrings.size(); ++i)
        if (SameText(FStrings[i], s)) return static_cast<int>(i);
    return -1;
}

void TStringList::Assign(const TPersistent* source) {
    if (auto* list = dynamic_cast<const TStringList*>(source)) {
        if (list != this) SetAll(list->FStrings);
        return;
    }
    TPersistent::Assign(source);
}

void TStringList::SetAll(std::vector<std::string> strings) {
    FStrings = std::move(strings);
    if (FSorted) Sort();
    Moved(TChange::Rebuilt, -1);
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (FSorted == sorted) return;
    FSorted = sorted;
    if (sorted) {
        Sort();
        Moved(TChange::Rebuilt, -1);
        Changed();
    }
}

void TStringList::Sort() { std::stable_sort(FStrings.begin(), FStrings.end(), LessText); }

std::string TStringList::Text() const {
    std::string out;
    for (const auto& s : FStrings) out += s + "\r\n";
    return out;
}

void TStringList::SetText(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    SetAll(std::move(lines));
}

// The strings are stored as the list of strings "Strings" (Items.Strings = ( 'a' 'b' )), left
// out when there are none.
void TStringList::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Strings",
        [this](TValueReader& reader) {
            reader.ReadListBegin();
            std::vector<std::string> strings;
            while (!reader.EndOfList()) strings.push_back(reader.ReadString());
            reader.ReadListEnd();
            SetAll(std::move(strings));
        },
        [this](TValueWriter& writer) {
            writer.WriteListBegin();
            for (const std::string& s : FStrings) writer.WriteString(s);
            writer.WriteListEnd();
        },
        !FStrings.empty());
}

const TClassInfo& TStringList::StaticClassInfo() {
    static const TClassInfo info{"TStringList", &TPersistent::StaticClassInfo(), "Classes", {},
                                 nullptr};
    return info;
}
