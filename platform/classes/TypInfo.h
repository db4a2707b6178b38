// Type information: for every class its published properties in property order, with their
// types, accessors and streaming defaults; for every enumeration and set its value names.
// The form reader and writer work from these tables alone.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "classes/TPersistent.h"
#include "core/AnsiText.h"
#include "core/Types.h"

class TComponent;

enum class TTypeKind : std::uint8_t {
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkInt64,
};

enum class TOrdType : std::uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };

struct TIdentMapEntry {
    std::int32_t Value;
    const char* Name;
};

struct TTypeInfo {
    TTypeKind Kind;
    const char* Name;
    const char* UnitName = "";
    TOrdType OrdType = TOrdType::otSLong;
    // tkEnumeration: the value names, by ordinal. Boolean is the enumeration (False, True).
    std::vector<const char*> EnumNames;
    // tkSet: the element enumeration.
    const TTypeInfo* CompType = nullptr;
    // tkInteger types whose values have names (TColor, TCursor).
    std::vector<TIdentMapEntry> Idents;
    // tkClass: the class.
    const TClassInfo* ClassType = nullptr;

    // The name of an enumeration value, or null when out of range.
    const char* EnumName(std::int64_t ordinal) const;
    // The ordinal of a value name (case-insensitive), or -1.
    int EnumValue(std::string_view name) const;
    bool IntToIdent(std::int32_t value, std::string& name) const;
    bool IdentToInt(std::string_view name, std::int32_t& value) const;
    // The values an integer or Int64 type holds, by its OrdType.
    void OrdinalRange(std::int64_t& low, std::int64_t& high) const;
};

struct TPropInfo {
    std::string Name;
    const TTypeInfo* Type = nullptr;
    // Ordinal types (integer, char, enumeration, boolean, set as its bits).
    std::function<std::int64_t(const TPersistent&)> GetOrd;
    std::function<void(TPersistent&, std::int64_t)> SetOrd;
    std::function<std::string(const TPersistent&)> GetStr;  // strings; events: handler name
    std::function<void(TPersistent&, const std::string&)> SetStr;
    std::function<double(const TPersistent&)> GetFloat;
    std::function<void(TPersistent&, double)> SetFloat;
    std::function<TPersistent*(const TPersistent&)> GetObj;
    std::function<void(TPersistent&, TPersistent*)> SetObj;
    // The streaming default of an ordinal property; none means the value is always written.
    std::optional<std::int64_t> Default;
    // Whether the property is stored; empty means always.
    std::function<bool(const TPersistent&)> Stored;

    bool IsStored(const TPersistent& obj) const { return !Stored || Stored(obj); }
};

struct TClassInfo {
    const char* Name;
    const TClassInfo* Parent;
    const char* UnitName;
    // The properties this class publishes, in declaration order. A property published again
    // here keeps its ancestor's place in the property order and takes this declaration.
    std::vector<TPropInfo> Props;
    // Creates an instance with an owner; null for classes that are not components.
    TComponent* (*Create)(TComponent* owner) = nullptr;
};

// Runs of property entries joined into one table, in order.
std::vector<TPropInfo> JoinProps(std::initializer_list<std::vector<TPropInfo>> runs);

// Every published property of a class, in property order. Class information lives as long
// as the program: the lists are worked out once per class.
std::vector<const TPropInfo*> GetPropInfos(const TClassInfo& cls);
// A published property by name (case-insensitive), or null.
const TPropInfo* GetPropInfo(const TClassInfo& cls, std::string_view name);

// Finds published properties by name as GetPropInfo does, faster when they are asked for as
// a form file gives them, each component's in the same order: for the few classes it was used
// on last, it remembers where the last property was found and, for each property, which was
// asked for after it, and tries those first. One finder serves one thread.
class TPropFinder {
public:
    const TPropInfo* Find(const TClassInfo& cls, std::string_view name);

private:
    struct TRecent {
        const TClassInfo* Class = nullptr;
        // The class's properties and their names, in property order.
        const TPropInfo* const* Props = nullptr;
        const std::string* Names = nullptr;
        std::size_t Count = 0;
        std::size_t Last = 0;
        std::vector<std::size_t> Next;  // by place: the place found after it last time
    };
    static constexpr std::size_t kRecentClasses = 16;
    TRecent FRecent[kRecentClasses];
};

// Finds values by name as EnumValue and IdentToInt do, trying first where a name like it
// (of the type, its length and first letter) was found last: a form names the same few
// (clWindowText, DEFAULT_CHARSET) again and again. One finder serves one thread.
class TValueFinder {
public:
    int EnumValue(const TTypeInfo& type, std::string_view name);
    bool IdentToInt(const TTypeInfo& type, std::string_view name, std::int32_t& value);

private:
    struct TRecent {
        const TTypeInfo* Type = nullptr;
        std::size_t Last = 0;
        std::size_t Size = 0;  // the length of the name found there, once one was
    };
    static constexpr std::size_t kRecentTypes = 16;
    static TRecent& Recent(TRecent* recent, const TTypeInfo& type, std::string_view name);
    TRecent FEnums[kRecentTypes];
    TRecent FIdents[kRecentTypes];
};

// Standard type information.
const TTypeInfo* TypeInfoInteger();
const TTypeInfo* TypeInfoWord();
const TTypeInfo* TypeInfoByte();
const TTypeInfo* TypeInfoSmallInt();
const TTypeInfo* TypeInfoBoolean();
const TTypeInfo* TypeInfoChar();
const TTypeInfo* TypeInfoString();
const TTypeInfo* TypeInfoCaption();
const TTypeInfo* TypeInfoDouble();
const TTypeInfo* TypeInfoNotifyEvent();
const TTypeInfo* TypeInfoEvent(const char* name);
// The type of properties that hold an object of the class.
const TTypeInfo* TypeInfoClass(const TClassInfo& cls);

// Builders of property entries from getter and setter members.
namespace PropBuild {

template <class V>
std::int64_t ToOrd(V v) {
    if constexpr (std::is_same_v<V, bool>)
        return v ? 1 : 0;
    else if constexpr (std::is_enum_v<V>)
        return static_cast<std::int64_t>(v);
    else if constexpr (std::is_integral_v<V>)
        return static_cast<std::int64_t>(v);
    else
        return static_cast<std::int64_t>(v.Bits());
}

template <class V>
V FromOrd(std::int64_t o) {
    if constexpr (std::is_same_v<V, bool>)
        return o != 0;
    else if constexpr (std::is_enum_v<V>)
        return static_cast<V>(o);
    else if constexpr (std::is_integral_v<V>)
        return static_cast<V>(o);
    else
        return V::FromBits(static_cast<std::uint32_t>(o));
}

template <class C, class V, class S>
TPropInfo Ord(const char* name, const TTypeInfo* type, V (C::*get)() const, S set,
              std::optional<std::int64_t> def = std::nullopt) {
    TPropInfo p;
    p.Name = name;
    p.Type = type;
    p.GetOrd = [get](const TPersistent& o) { return ToOrd<V>((static_cast<const C&>(o).*get)()); };
    p.SetOrd = [set](TPersistent& o, std::int64_t v) { (static_cast<C&>(o).*set)(FromOrd<V>(v)); };
    p.Default = def;
    return p;
}

template <class C, class S>
TPropInfo Str(const char* name, const TTypeInfo* type, std::string (C::*get)() const, S set) {
    TPropInfo p;
    p.Name = name;
    p.Type = type;
    p.GetStr = [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); };
    p.SetStr = [set](TPersistent& o, const std::string& v) { (static_cast<C&>(o).*set)(v); };
    return p;
}

template <class C, class V, class S>
TPropInfo Obj(const char* name, const TTypeInfo* type, V* (C::*get)() const, S set) {
    TPropInfo p;
    p.Name = name;
    p.Type = type;
    p.GetObj = [get](const TPersistent& o) -> TPersistent* {
        return (static_cast<const C&>(o).*get)();
    };
    p.SetObj = [set](TPersistent& o, TPersistent* v) {
        (static_cast<C&>(o).*set)(dynamic_cast<V*>(v));
    };
    return p;
}

// An event property: streamed as the name of its handler.
template <class C, class E>
TPropInfo Event(const char* name, const TTypeInfo* type, E C::*field) {
    TPropInfo p;
    p.Name = name;
    p.Type = type;
    p.GetStr = [field](const TPersistent& o) { return (static_cast<const C&>(o).*field).Name(); };
    p.SetStr = [field](TPersistent& o, const std::string& v) {
        (static_cast<C&>(o).*field).Bind(v);
    };
    return p;
}

inline TPropInfo NotStored(TPropInfo p) {
    p.Stored = [](const TPersistent&) { return false; };
    return p;
}

template <class C>
TPropInfo StoredIf(TPropInfo p, bool (C::*stored)() const) {
    p.Stored = [stored](const TPersistent& o) { return (static_cast<const C&>(o).*stored)(); };
    return p;
}

}  // namespace PropBuild
