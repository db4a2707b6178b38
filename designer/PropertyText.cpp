#include "designer/PropertyText.h"

#include "classes/TComponent.h"

namespace PropertyText {

std::string Quote(const std::string& s) {
    std::string out;
    bool quoted = false;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20) {
            if (quoted) out += '\'';
            quoted = false;
            out += "#" + std::to_string(u);
            continue;
        }
        if (!quoted) out += '\'';
        quoted = true;
        out += c;
        if (c == '\'') out += '\'';
    }
    if (quoted) out += '\'';
    return out.empty() ? "''" : out;
}

std::string ValueOf(const TPersistent& instance, const TPropInfo& p) {
    const TTypeInfo& type = *p.Type;
    switch (type.Kind) {
        case TTypeKind::tkInteger:
        case TTypeKind::tkInt64:
        case TTypeKind::tkChar:
        case TTypeKind::tkEnumeration:
        case TTypeKind::tkSet: {
            if (!p.GetOrd) return "";
            const std::int64_t v = p.GetOrd(instance);
            if (type.Kind == TTypeKind::tkEnumeration) {
                const char* name = type.EnumName(v);
                return name ? name : std::to_string(v);
            }
            if (type.Kind == TTypeKind::tkSet) {
                std::string out = "[";
                for (int bit = 0; bit < 32; ++bit) {
                    if (!((static_cast<std::uint64_t>(v) >> bit) & 1)) continue;
                    const char* name = type.CompType ? type.CompType->EnumName(bit) : nullptr;
                    if (out.size() > 1) out += ", ";
                    out += name ? name : std::to_string(bit);
                }
                return out + "]";
            }
            if (type.Kind == TTypeKind::tkChar) return Quote(std::string(1, static_cast<char>(v)));
            std::string ident;
            if (v >= INT32_MIN && v <= INT32_MAX &&
                type.IntToIdent(static_cast<std::int32_t>(v), ident))
                return ident;
            return std::to_string(v);
        }
        case TTypeKind::tkFloat:
            return p.GetFloat ? std::to_string(p.GetFloat(instance)) : "";
        case TTypeKind::tkString:
            return p.GetStr ? Quote(p.GetStr(instance)) : "";
        case TTypeKind::tkMethod:
            return p.GetStr ? p.GetStr(instance) : "";
        case TTypeKind::tkClass: {
            TPersistent* value = p.GetObj ? p.GetObj(instance) : nullptr;
            if (auto* component = dynamic_cast<TComponent*>(value)) return component->Name();
            if (!value) return "";
            return "(" + value->ClassName() + ")";
        }
    }
    return "";
}

std::string Plain(const TPersistent& instance, const TPropInfo& p) {
    if (p.Type->Kind == TTypeKind::tkString && p.GetStr) return p.GetStr(instance);
    return ValueOf(instance, p);
}

bool IsNestedObject(const TPersistent& instance, const TPropInfo& p) {
    if (p.Type->Kind != TTypeKind::tkClass || !p.GetObj) return false;
    TPersistent* value = p.GetObj(instance);
    return value && !dynamic_cast<TComponent*>(value);
}

std::vector<std::string> ValueNames(const TTypeInfo& type) {
    std::vector<std::string> names;
    const TTypeInfo* t = type.Kind == TTypeKind::tkSet ? type.CompType : &type;
    if (!t) return names;
    for (const char* n : t->EnumNames) names.emplace_back(n);
    for (const TIdentMapEntry& e : t->Idents) names.emplace_back(e.Name);
    return names;
}

}  // namespace PropertyText
