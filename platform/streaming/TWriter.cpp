#include "streaming/TWriter.h"

#include <algorithm>
#include <cstring>

#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "controls/TWinControl.h"
#include "streaming/EFilerError.h"
#include "streaming/TBinaryParser.h"

void TWriter::Grow(std::size_t size) {
    FBytes.resize(std::max({FBytes.size() * 2, FSize + size, std::size_t{256}}));
}

void TWriter::WriteLittleEndian(std::uint64_t value, std::size_t bytes) {
    std::uint8_t* const to = Room(bytes);
    for (std::size_t i = 0; i < bytes; ++i) to[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void TWriter::WriteSignature() {
    WriteBytes("TPF0", 4);
}

void TWriter::NameTooLong(std::string_view s) {
    throw EWriteError("the name " + QuotedText(std::string(s.substr(0, 40)) + "...") +
                      " is longer than 255 characters");
}

void TWriter::WritePrefix(std::uint8_t flags, std::int32_t childPos, std::string_view className) {
    if (!flags && className.size() < kFlagsPrefix) return;
    *Room(1) = static_cast<std::uint8_t>(kFlagsPrefix | flags);
    if (flags & ffChildPos) WriteInteger(childPos);
}

void TWriter::WriteComponentHeader(std::uint8_t flags, std::int32_t childPos,
                                   const std::string& className, const std::string& name) {
    WritePrefix(flags, childPos, className);
    WriteStr(className);
    WriteStr(name);
}

void TWriter::WriteInteger(std::int64_t v) {
    if (v >= INT8_MIN && v <= INT8_MAX) {
        WriteValue(TValueType::vaInt8);
        WriteLittleEndian(static_cast<std::uint64_t>(v), 1);
    } else if (v >= INT16_MIN && v <= INT16_MAX) {
        WriteValue(TValueType::vaInt16);
        WriteLittleEndian(static_cast<std::uint64_t>(v), 2);
    } else if (v >= INT32_MIN && v <= INT32_MAX) {
        WriteValue(TValueType::vaInt32);
        WriteLittleEndian(static_cast<std::uint64_t>(v), 4);
    } else {
        WriteValue(TValueType::vaInt64);
        WriteLittleEndian(static_cast<std::uint64_t>(v), 8);
    }
}

void TWriter::WriteBoolean(bool v) {
    WriteValue(v ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteAnsiString(std::string_view s) {
    if (s.size() <= 255) {
        WriteValue(TValueType::vaString);
        *Room(1) = static_cast<std::uint8_t>(s.size());
    } else {
        if (s.size() > UINT32_MAX) throw EWriteError("a string is longer than 4 GiB");
        WriteValue(TValueType::vaLString);
        WriteLittleEndian(s.size(), 4);
    }
    WriteBytes(s.data(), s.size());
}

void TWriter::WriteWideString(const std::u16string& s) {
    if (s.size() > UINT32_MAX / 2) throw EWriteError("a string is longer than 4 GiB");
    WriteValue(TValueType::vaWString);
    WriteLittleEndian(s.size(), 4);
    for (char16_t c : s) WriteLittleEndian(c, 2);
}

void TWriter::WriteFormString(const TFormString& s) {
    if (s.IsWide)
        WriteWideString(s.Wide);
    else
        WriteString(s.Narrow);
}

void TWriter::WriteIdent(std::string_view name) {
    WriteValue(TValueType::vaIdent);
    WriteStr(name);
}

void TWriter::WriteFloat(long double v) {
    WriteValue(TValueType::vaExtended);
    std::uint8_t bytes[10];
    ExtendedToBytes(v, bytes);
    WriteBytes(bytes, sizeof bytes);
}

void TWriter::WriteSingle(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    WriteValue(TValueType::vaSingle);
    WriteLittleEndian(bits, 4);
}

void TWriter::WriteDouble(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    WriteValue(TValueType::vaDouble);
    WriteLittleEndian(bits, 8);
}

void TWriter::WriteCurrency(std::int64_t v) {
    WriteValue(TValueType::vaCurrency);
    WriteLittleEndian(static_cast<std::uint64_t>(v), 8);
}

void TWriter::WriteDate(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    WriteValue(TValueType::vaDate);
    WriteLittleEndian(bits, 8);
}

void TWriter::WriteBinary(std::span<const std::uint8_t> data) {
    if (data.size() > UINT32_MAX) throw EWriteError("binary data are longer than 4 GiB");
    WriteValue(TValueType::vaBinary);
    WriteLittleEndian(data.size(), 4);
    WriteBytes(data.data(), data.size());
}

void TWriter::WriteSet(const std::vector<std::string>& names) {
    WriteValue(TValueType::vaSet);
    for (const std::string& n : names) WriteStr(n);
    WriteStr("");
}

void TWriter::WritePropName(const std::string& name) {
    WriteStr(FPropPath + name);
}

void TWriter::WriteRootComponent(TComponent& root) {
    SetRoot(&root);
    WriteSignature();
    WriteComponent(root, 1);
}

void TWriter::WriteDescendant(TComponent& root, TComponent& component) {
    SetRoot(&root);
    WriteSignature();
    WriteComponent(component, 1);
}

namespace {

// Which properties an object's DefineProperties says hold data, in lower case.
class TDataProbe : public TFiler {
public:
    std::set<std::string> Names;

    void DefineProperty(const std::string& name, const TReaderProc&, const TWriterProc&,
                        bool hasData) override {
        if (hasData) Names.insert(LowerCase(name));
    }
    void DefineBinaryProperty(const std::string& name, const TBinaryReadProc&,
                              const TBinaryWriteProc&, bool hasData) override {
        if (hasData) Names.insert(LowerCase(name));
    }
};

// Gives a value written to the ancestor as reading gives it; a value the setter refuses
// there is refused in reading too, and changes nothing here.
template <class F>
void Replay(TPersistent* ancestor, F&& set) {
    if (!ancestor) return;
    try {
        set(*ancestor);
    } catch (const std::exception&) {
    }
}

}  // namespace

// A component as reading makes it before its properties: new, loading, and put inside the
// parent of component, where it takes the font and colour it inherits. A user's form class
// that no program registered reads as the form class it derives from.
std::unique_ptr<TComponent> TWriter::NewInstanceOf(const TComponent& component) {
    const TClassInfo* cls = component.ClassInfo();
    while (cls && !cls->Create) cls = cls->Parent;
    if (!cls) return nullptr;
    std::unique_ptr<TComponent> instance(cls->Create(nullptr));
    instance->BeginLoading();
    auto* control = dynamic_cast<TControl*>(instance.get());
    if (const auto* parent = dynamic_cast<const TWinControl*>(component.GetParentComponent());
        control && parent)
        control->InheritParentValues(*parent);
    return instance;
}

void TWriter::WriteComponent(TComponent& component, int depth) {
    if (depth > kMaxNesting)
        throw EWriteError("components are nested deeper than " + std::to_string(kMaxNesting) +
                          " levels");
    WriteComponentHeader(0, -1, component.ClassName(), component.Name());
    WriteProperties(component, NewInstanceOf(component).get());
    WriteListEnd();
    component.GetChildren([&](TComponent* child) { WriteComponent(*child, depth + 1); }, Root());
    WriteListEnd();
}

void TWriter::WriteProperties(TPersistent& instance, TPersistent* ancestor) {
    if (++FObjectDepth > kMaxNesting)
        throw EWriteError("objects are nested deeper than " + std::to_string(kMaxNesting) +
                          " levels at " + FPropPath);
    for (const TPropInfo* p : GetPropInfos(*instance.ClassInfo()))
        if (p->IsStored(instance)) WriteProperty(instance, *p, ancestor);
    TDataProbe probe;
    if (ancestor) ancestor->DefineProperties(probe);
    FAncestorData = std::move(probe.Names);
    const std::size_t before = FSize;
    instance.DefineProperties(*this);
    FAncestorData.clear();
    // What an object defines itself (a list's strings, a picture) reads back as a copy.
    if (FSize != before && !dynamic_cast<TComponent*>(&instance))
        Replay(ancestor, [&](TPersistent& a) { a.Assign(&instance); });
    --FObjectDepth;
}

void TWriter::WriteProperty(TPersistent& instance, const TPropInfo& p, TPersistent* ancestor) {
    const TTypeInfo& type = *p.Type;
    switch (type.Kind) {
        case TTypeKind::tkInteger:
        case TTypeKind::tkChar:
        case TTypeKind::tkEnumeration:
        case TTypeKind::tkSet:
        case TTypeKind::tkInt64: {
            if (!p.GetOrd) return;
            const std::int64_t v = p.GetOrd(instance);
            // A value equal to its default is left out, unless reading would not give it back:
            // where a new component holds another (a constructor's own value, or one that a
            // property written before changed).
            if (p.Default && v == *p.Default && (!ancestor || p.GetOrd(*ancestor) == v)) return;
            if (p.SetOrd) Replay(ancestor, [&](TPersistent& a) { p.SetOrd(a, v); });
            WritePropName(p.Name);
            if (type.Kind == TTypeKind::tkEnumeration) {
                const char* name = type.EnumName(v);
                if (!name)
                    throw EWriteError(FPropPath + p.Name + ": " + std::to_string(v) +
                                      " is not a value of " + type.Name);
                if (&type == TypeInfoBoolean())
                    WriteBoolean(v != 0);
                else
                    WriteIdent(name);
            } else if (type.Kind == TTypeKind::tkSet) {
                std::vector<std::string> names;
                for (int bit = 0; bit < 32; ++bit) {
                    if (!((static_cast<std::uint64_t>(v) >> bit) & 1)) continue;
                    const char* name = type.CompType ? type.CompType->EnumName(bit) : nullptr;
                    if (!name)
                        throw EWriteError(FPropPath + p.Name + ": element " + std::to_string(bit) +
                                          " is not a value of " + type.Name);
                    names.emplace_back(name);
                }
                WriteSet(names);
            } else if (type.Kind == TTypeKind::tkChar) {
                WriteString(std::string(1, static_cast<char>(v)));
            } else {
                std::string ident;
                if (v >= INT32_MIN && v <= INT32_MAX &&
                    type.IntToIdent(static_cast<std::int32_t>(v), ident))
                    WriteIdent(ident);
                else
                    WriteInteger(v);
            }
            return;
        }
        case TTypeKind::tkFloat: {
            if (!p.GetFloat) return;
            const double v = p.GetFloat(instance);
            if (v == 0 && (!ancestor || p.GetFloat(*ancestor) == 0)) return;
            if (p.SetFloat) Replay(ancestor, [&](TPersistent& a) { p.SetFloat(a, v); });
            WritePropName(p.Name);
            WriteFloat(v);
            return;
        }
        case TTypeKind::tkString: {
            if (!p.GetStr) return;
            const std::string v = p.GetStr(instance);
            if (v.empty() && (!ancestor || p.GetStr(*ancestor).empty())) return;
            if (p.SetStr) Replay(ancestor, [&](TPersistent& a) { p.SetStr(a, v); });
            WritePropName(p.Name);
            WriteString(v);
            return;
        }
        case TTypeKind::tkMethod: {
            if (!p.GetStr) return;
            const std::string handler = p.GetStr(instance);
            if (handler.empty()) return;
            WritePropName(p.Name);
            WriteIdent(handler);
            return;
        }
        case TTypeKind::tkClass: {
            if (!p.GetObj) return;
            TPersistent* value = p.GetObj(instance);
            if (!value) return;
            if (auto* component = dynamic_cast<TComponent*>(value)) {
                // Another component: written as a reference by name.
                if (component->Name().empty()) return;
                WritePropName(p.Name);
                WriteIdent(component->Name());
                return;
            }
            TPersistent* inner = ancestor ? p.GetObj(*ancestor) : nullptr;
            const std::string outer = FPropPath;
            FPropPath += p.Name + ".";
            WriteProperties(*value,
                            inner && inner->ClassInfo() == value->ClassInfo() ? inner : nullptr);
            FPropPath = outer;
            return;
        }
    }
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&,
                             const TWriterProc& writeData, bool hasData) {
    if (!writeData || !(hasData || FAncestorData.count(LowerCase(name)))) return;
    WritePropName(name);
    writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TBinaryReadProc&,
                                   const TBinaryWriteProc& writeData, bool hasData) {
    if (!writeData || !(hasData || FAncestorData.count(LowerCase(name)))) return;
    const std::vector<std::uint8_t> data = writeData();
    WritePropName(name);
    WriteBinary(data);
}
