#include "classes/TypInfo.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

// SameText for a name kept as a C string, without measuring it first: most names differ
// from the one looked for in their first characters. A form spells most names as they are
// declared, so bytes are compared as they stand before their case is folded.
bool SameName(const char* name, std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && name[i] == s[i] && s[i] != '\0') ++i;
    for (; i < s.size(); ++i)
        if (name[i] == '\0' || AnsiText::Lower(name[i]) != AnsiText::Lower(s[i])) return false;
    return name[i] == '\0';
}

}  // namespace

const char* TTypeInfo::EnumName(std::int64_t ordinal) const {
    if (ordinal < 0 || ordinal >= static_cast<std::int64_t>(EnumNames.size())) return nullptr;
    return EnumNames[static_cast<std::size_t>(ordinal)];
}

int TTypeInfo::EnumValue(std::string_view name) const {
    for (std::size_t i = 0; i < EnumNames.size(); ++i)
        if (SameName(EnumNames[i], name)) return static_cast<int>(i);
    return -1;
}

bool TTypeInfo::IntToIdent(std::int32_t value, std::string& name) const {
    for (const auto& e : Idents)
        if (e.Value == value) {
            name = e.Name;
            return true;
        }
    return false;
}

bool TTypeInfo::IdentToInt(std::string_view name, std::int32_t& value) const {
    for (const auto& e : Idents)
        if (SameName(e.Name, name)) {
            value = e.Value;
            return true;
        }
    return false;
}

void TTypeInfo::OrdinalRange(std::int64_t& low, std::int64_t& high) const {
    if (Kind == TTypeKind::tkInt64) {
        low = INT64_MIN;
        high = INT64_MAX;
        return;
    }
    switch (OrdType) {
        case TOrdType::otSByte:
            low = INT8_MIN, high = INT8_MAX;
            break;
        case TOrdType::otUByte:
            low = 0, high = UINT8_MAX;
            break;
        case TOrdType::otSWord:
            low = INT16_MIN, high = INT16_MAX;
            break;
        case TOrdType::otUWord:
            low = 0, high = UINT16_MAX;
            break;
        case TOrdType::otSLong:
            low = INT32_MIN, high = INT32_MAX;
            break;
        case TOrdType::otULong:
            low = 0, high = UINT32_MAX;
            break;
    }
}

namespace {
std::vector<const TPropInfo*> CollectPropInfos(const TClassInfo& cls) {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = &cls; c; c = c->Parent) chain.insert(chain.begin(), c);
    std::vector<const TPropInfo*> out;
    for (const TClassInfo* c : chain)
        for (const TPropInfo& p : c->Props) {
            bool replaced = false;
            for (auto& existing : out)
                if (SameText(existing->Name, p.Name)) {
                    existing = &p;
                    replaced = true;
                    break;
                }
            if (!replaced) out.push_back(&p);
        }
    return out;
}
// A class's properties in property order, and beside them their names, so that a lookup runs
// over a few cache lines of its own and does not reach into the properties.
struct TPropTable {
    std::vector<const TPropInfo*> Props;
    std::vector<std::string> Names;
};

const TPropTable& PropTable(const TClassInfo& cls) {
    // Class information never changes once made, so each class's table is made once.
    static std::mutex mutex;
    static std::unordered_map<const TClassInfo*, TPropTable> tables;
    std::lock_guard lock(mutex);
    auto it = tables.find(&cls);
    if (it == tables.end()) {
        TPropTable table;
        table.Props = CollectPropInfos(cls);
        for (const TPropInfo* p : table.Props) table.Names.push_back(p->Name);
        it = tables.emplace(&cls, std::move(table)).first;
    }
    return it->second;
}

}  // namespace

std::vector<const TPropInfo*> GetPropInfos(const TClassInfo& cls) {
    return PropTable(cls).Props;
}

std::vector<TPropInfo> JoinProps(std::initializer_list<std::vector<TPropInfo>> runs) {
    std::vector<TPropInfo> out;
    for (const auto& run : runs) out.insert(out.end(), run.begin(), run.end());
    return out;
}

namespace {

// Equal bytes, for the short names of properties: words are compared in place, the last of
// them overlapping the one before, instead of calling memcmp.
inline bool SameBytes(const char* a, const char* b, std::size_t n) {
    auto word = [](const char* p, auto w) {
        std::memcpy(&w, p, sizeof w);
        return w;
    };
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            if (word(a + i, std::uint64_t{}) != word(b + i, std::uint64_t{})) return false;
        return word(a + n - 8, std::uint64_t{}) == word(b + n - 8, std::uint64_t{});
    }
    if (n >= 4)
        return word(a, std::uint32_t{}) == word(b, std::uint32_t{}) &&
               word(a + n - 4, std::uint32_t{}) == word(b + n - 4, std::uint32_t{});
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Whether the name kept at the place found last, of foundSize bytes, is this one: its bytes
// are compared in words before their case is folded.
bool SameAsFound(const char* kept, std::size_t foundSize, std::string_view name) {
    return foundSize == name.size() &&
           (SameBytes(kept, name.data(), name.size()) || SameName(kept, name));
}

}  // namespace

const TPropInfo* TPropFinder::Find(const TClassInfo& cls, std::string_view name) {
    TRecent& r = FRecent[(reinterpret_cast<std::uintptr_t>(&cls) >> 4) % kRecentClasses];
    if (r.Class != &cls) {
        const TPropTable& table = PropTable(cls);
        r.Class = &cls;
        r.Props = table.Props.data();
        r.Names = table.Names.data();
        r.Count = table.Names.size();
        r.Last = 0;
        r.Next.assign(r.Count, 0);
    }
    // Names of another length are passed over without reading them; a form file spells a name
    // as its class does, so the bytes are compared as they stand before their case is folded.
    auto is = [&](std::size_t i) {
        const std::string& n = r.Names[i];
        return n.size() == name.size() &&
               (SameBytes(n.data(), name.data(), n.size()) || SameText(n, name));
    };
    const std::size_t count = r.Count;
    if (count == 0) return nullptr;
    // The last property found again (an object property: Font.Name, then Font.Size), the one
    // that followed it last time, else a search onwards from it.
    std::size_t found = r.Last;
    if (!is(found) && !is(found = r.Next[r.Last])) {
        found = r.Last;
        for (std::size_t k = 0;; ++k) {
            if (k == count) return nullptr;
            if (++found == count) found = 0;
            if (is(found)) break;
        }
    }
    r.Next[r.Last] = found;
    r.Last = found;
    return r.Props[found];
}

TValueFinder::TRecent& TValueFinder::Recent(TRecent* recent, const TTypeInfo& type,
                                            std::string_view name) {
    const std::size_t key = (reinterpret_cast<std::uintptr_t>(&type) >> 4) + name.size() * 7 +
                            (name.empty() ? 0 : AnsiText::Lower(name[0]));
    TRecent& r = recent[key % kRecentTypes];
    if (r.Type != &type) r = TRecent{&type, 0};
    return r;
}

// The place last found holds the first value of its name, so trying it first gives what a
// search from the start would.
int TValueFinder::EnumValue(const TTypeInfo& type, std::string_view name) {
    TRecent& r = Recent(FEnums, type, name);
    if (r.Size != 0 && SameAsFound(type.EnumNames[r.Last], r.Size, name))
        return static_cast<int>(r.Last);
    const int v = type.EnumValue(name);
    if (v >= 0) r.Last = static_cast<std::size_t>(v);
    r.Size = v >= 0 ? name.size() : 0;
    return v;
}

bool TValueFinder::IdentToInt(const TTypeInfo& type, std::string_view name, std::int32_t& value) {
    TRecent& r = Recent(FIdents, type, name);
    const std::vector<TIdentMapEntry>& idents = type.Idents;
    std::size_t i = r.Last;
    if (!(r.Size != 0 && SameAsFound(idents[i].Name, r.Size, name)))
        for (i = 0; i < idents.size() && !SameName(idents[i].Name, name); ++i) {
        }
    if (i == idents.size()) {
        r.Size = 0;
        return false;
    }
    r.Last = i;
    r.Size = name.size();
    value = idents[i].Value;
    return true;
}

const TPropInfo* GetPropInfo(const TClassInfo& cls, std::string_view name) {
    thread_local TPropFinder finder;
    return finder.Find(cls, name);
}

const TTypeInfo* TypeInfoInteger() {
    static const TTypeInfo t{TTypeKind::tkInteger, "Integer", "System", TOrdType::otSLong};
    return &t;
}
const TTypeInfo* TypeInfoWord() {
    static const TTypeInfo t{TTypeKind::tkInteger, "Word", "System", TOrdType::otUWord};
    return &t;
}
const TTypeInfo* TypeInfoByte() {
    static const TTypeInfo t{TTypeKind::tkInteger, "Byte", "System", TOrdType::otUByte};
    return &t;
}
const TTypeInfo* TypeInfoSmallInt() {
    static const TTypeInfo t{TTypeKind::tkInteger, "SmallInt", "System", TOrdType::otSWord};
    return &t;
}
const TTypeInfo* TypeInfoBoolean() {
    static const TTypeInfo t{
        TTypeKind::tkEnumeration, "Boolean", "System", TOrdType::otUByte, {"False", "True"}};
    return &t;
}
const TTypeInfo* TypeInfoChar() {
    static const TTypeInfo t{TTypeKind::tkChar, "Char", "System", TOrdType::otUByte};
    return &t;
}
const TTypeInfo* TypeInfoString() {
    static const TTypeInfo t{TTypeKind::tkString, "string", "System"};
    return &t;
}
const TTypeInfo* TypeInfoCaption() {
    static const TTypeInfo t{TTypeKind::tkString, "TCaption", "Controls"};
    return &t;
}
const TTypeInfo* TypeInfoDouble() {
    static const TTypeInfo t{TTypeKind::tkFloat, "Double", "System"};
    return &t;
}
const TTypeInfo* TypeInfoNotifyEvent() {
    return TypeInfoEvent("TNotifyEvent");
}

const TTypeInfo* TypeInfoEvent(const char* name) {
    // One entry per event type name; the entries live as long as the program.
    static std::mutex mutex;
    static std::vector<std::unique_ptr<TTypeInfo>> types;
    std::lock_guard lock(mutex);
    for (const auto& t : types)
        if (std::string_view(t->Name) == name) return t.get();
    types.push_back(std::make_unique<TTypeInfo>(TTypeInfo{TTypeKind::tkMethod, name, "Classes"}));
    return types.back().get();
}

const TTypeInfo* TypeInfoClass(const TClassInfo& cls) {
    static std::mutex mutex;
    static std::vector<std::unique_ptr<TTypeInfo>> types;
    std::lock_guard lock(mutex);
    for (const auto& t : types)
        if (t->ClassType == &cls) return t.get();
    auto t = std::make_unique<TTypeInfo>(TTypeInfo{TTypeKind::tkClass, cls.Name, cls.UnitName});
    t->ClassType = &cls;
    types.push_back(std::move(t));
    return types.back().get();
}
