#include "classes/TypInfo.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

// SameText for a name kept as a C string, without measuring it first: most names differ
// from the one looked for in their first characters.
bool SameName(const char* name, std::string_view s) {
    for (const char c : s) {
        if (*name == '\0' || AnsiText::Lower(*name) != AnsiText::Lower(c)) return false;
        ++name;
    }
    return *name == '\0';
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
// A class's properties in property order, and beside them each name (case-insensitive) with
// its hash, so that a lookup runs over a few cache lines of its own and does not reach into
// the properties.
struct TPropTable {
    struct TName {
        std::size_t Hash;
        std::string Name;
    };
    std::vector<const TPropInfo*> Props;
    std::vector<TName> Names;
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
        for (const TPropInfo* p : table.Props)
            table.Names.push_back(TPropTable::TName{TTextHash{}(p->Name), p->Name});
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

const TPropInfo* GetPropInfo(const TClassInfo& cls, std::string_view name) {
    // A form file gives each component's properties in property order, one component after
    // another, so the property asked for is most often the last one found in its class (an
    // object property, Font.Name then Font.Size) or follows closely on it: the search starts
    // there. Each thread keeps that place for the classes it used last.
    struct TRecent {
        const TClassInfo* Class = nullptr;
        const TPropTable* Table = nullptr;
        std::size_t Last = 0;
    };
    constexpr std::size_t kRecentClasses = 16;
    thread_local TRecent recent[kRecentClasses];
    TRecent& r = recent[(reinterpret_cast<std::uintptr_t>(&cls) >> 4) % kRecentClasses];
    if (r.Class != &cls) r = TRecent{&cls, &PropTable(cls), 0};
    const std::vector<TPropTable::TName>& names = r.Table->Names;
    // The last one found and the next are tried as they stand; the rest by their hashes.
    for (std::size_t i = r.Last, k = 0; k < 2 && k < names.size(); ++k, ++i) {
        if (i >= names.size()) i = 0;
        if (SameText(names[i].Name, name)) {
            r.Last = i;
            return r.Table->Props[i];
        }
    }
    const std::size_t hash = TTextHash{}(name);
    std::size_t i = r.Last;
    for (std::size_t k = 0; k < names.size(); ++k, ++i) {
        if (i >= names.size()) i = 0;
        if (names[i].Hash == hash && SameText(names[i].Name, name)) {
            r.Last = i;
            return r.Table->Props[i];
        }
    }
    return nullptr;
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
