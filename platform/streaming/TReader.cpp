#include "streaming/TReader.h"

#include <algorithm>
#include <type_traits>

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "core/AnsiText.h"
#include "streaming/EFilerError.h"

namespace {

bool InheritsFrom(const TClassInfo* cls, const TClassInfo* base) {
    for (; cls; cls = cls->Parent)
        if (cls == base) return true;
    return false;
}

}  // namespace

bool IsValidIdent(std::string_view name) {
    return !name.empty() && AnsiText::IsNameStart(name[0]) &&
           std::all_of(name.begin() + 1, name.end(), AnsiText::IsNameChar);
}

TReader::TReader(std::span<const std::uint8_t> data, std::size_t baseOffset)
    : FParser(data, baseOffset) {}

TReader::~TReader() = default;

template <class P, class F>
void TReader::Apply(std::size_t offset, const P& path, F&& set) {
    try {
        set();
    } catch (const EFilerError&) {
        throw;
    } catch (const std::exception& e) {
        std::string named;
        if constexpr (std::is_invocable_v<const P&>)
            named = path();
        else
            named = std::string_view(path);
        FParser.ErrorAt(offset, "cannot set " + named + ": " + e.what());
    }
}

std::unique_ptr<TComponent> TReader::ReadRootComponent(const TRootFactory& makeRoot) {
    if (FParser.Remaining() > kMaxFormBytes)
        FParser.Error("the form stream is " + std::to_string(FParser.Remaining()) +
                      " bytes, more than the " + std::to_string(kMaxFormBytes) +
                      " a form may have");
    FParser.ReadSignature();
    const TComponentHeader header = FParser.ReadComponentHeader();
    CheckClassName(header);
    CheckName(header.Name, header.NameOffset);
    std::unique_ptr<TComponent> root = makeRoot(header);
    SetRoot(root.get());
    root->BeginLoading();
    FLoaded.push_back(root.get());
    Apply(header.NameOffset, "the name", [&] { root->SetName(header.Name); });
    ReadContents(*root, 1);
    FParser.ReadPadding();
    CheckNesting();
    ResolveFixups();
    const std::size_t end = FParser.Offset();
    for (TComponent* c : FLoaded)
        Apply(
            end, [c] { return c->Name().empty() ? c->ClassName() : c->Name(); },
            [&] { c->Loaded(); });
    FLoaded.clear();
    SetRoot(nullptr);
    return root;
}

void TReader::ReadProperties(TComponent& root, TPersistent& instance) {
    SetRoot(&root);
    while (!FParser.EndOfList()) ReadProperty(instance);
    FParser.ReadListEnd();
    if (!FParser.AtEnd()) FParser.Error("expected the end of the properties");
    ResolveFixups();
    SetRoot(nullptr);
}

void TReader::CheckName(const std::string& name, std::size_t offset) {
    if (!name.empty() && !IsValidIdent(name))
        FParser.ErrorAt(offset, QuotedText(name) + " is not a valid component name");
}

void TReader::CheckClassName(const TComponentHeader& header) {
    if (!IsValidIdent(header.ClassName))
        FParser.ErrorAt(header.ClassOffset,
                        QuotedText(header.ClassName) + " is not a valid class name");
}

void TReader::ReadContents(TComponent& component, int depth) {
    while (!FParser.EndOfList()) ReadProperty(component);
    FParser.ReadListEnd();
    while (!FParser.EndOfList()) ReadComponent(&component, depth + 1);
    FParser.ReadListEnd();
}

void TReader::ReadComponent(TComponent* parent, int depth) {
    if (depth > kMaxNesting)
        FParser.Error("components are nested deeper than " + std::to_string(kMaxNesting) +
                      " levels");
    const TComponentHeader header = FParser.ReadComponentHeader();
    // A form holds many components of a few classes: the class read last is tried first (its
    // name is a valid one).
    const bool again = FLastClass && SameText(FLastClass->Name, header.ClassName);
    if (!again) CheckClassName(header);
    const TClassInfo* cls = again ? FLastClass : TClassRegistry::FindClass(header.ClassName);
    if (!cls)
        FParser.ErrorAt(header.ClassOffset, "class " + header.ClassName + " is not registered");
    if (!cls->Create)
        FParser.ErrorAt(header.ClassOffset,
                        "class " + header.ClassName + " cannot be created from a form file");
    CheckName(header.Name, header.NameOffset);
    FLastClass = cls;

    TComponent* component = nullptr;
    // A component of an ancestor form already exists when its descendant is read.
    if ((header.Flags & (ffInherited | ffInline)) && !header.Name.empty())
        component = Root()->FindComponent(header.Name);
    if (!component) {
        if (FLoaded.size() >= FMaxComponents)
            FParser.ErrorAt(header.Offset, "the form holds more than " +
                                               std::to_string(FMaxComponents) + " components");
        // The name is looked up once the component is made: in a large form the place it
        // is looked up in is fetched meanwhile. A component made for a name that is taken goes
        // with the root.
        Root()->PrefetchName(header.Name);
        Apply(header.ClassOffset, header.ClassName, [&] { component = cls->Create(Root()); });
        if (!component)
            FParser.ErrorAt(header.ClassOffset,
                            "class " + header.ClassName + " cannot be created from a form file");
        if (!header.Name.empty() && Root()->FindComponent(header.Name))
            FParser.ErrorAt(header.NameOffset,
                            "a component named " + header.Name + " already exists");
        component->BeginLoading();
        FLoaded.push_back(component);
        Apply(header.NameOffset, "the name", [&] { component->SetName(header.Name); });
    } else if (component->GetParentComponent() != parent) {
        CheckMove(*component, parent, header);
    }
    Apply(
        header.ClassOffset,
        [&] { return (header.Name.empty() ? header.ClassName : header.Name) + "'s parent"; },
        [&] { component->SetParentComponent(parent); });
    ReadContents(*component, depth);
}

namespace {

// A component as messages name it: by its name, or by its class when it has none.
std::string Described(const TComponent& c) {
    return c.Name().empty() ? "a " + c.ClassName() : c.Name();
}

}  // namespace

// An inherited or inline component that exists already moves into the component it is read
// in, which must not be the component itself nor one inside it.
void TReader::CheckMove(TComponent& component, TComponent* parent, const TComponentHeader& header) {
    for (const TComponent* p = parent; p; p = p->GetParentComponent())
        if (p == &component)
            FParser.ErrorAt(
                header.NameOffset,
                header.Name + " cannot be put inside " +
                    (parent == &component ? std::string("itself")
                                          : Described(*parent) + ", which is inside it"));
    FMoved[&component] = header.NameOffset;
}

// A component moved with everything inside it may take its children deeper than the stream
// nested them; the tree that was read is measured once, from the root.
void TReader::CheckNesting() {
    if (FMoved.empty()) return;
    const std::string limit = "deeper than " + std::to_string(kMaxNesting) + " levels";
    std::function<void(const TComponent&, int)> measure = [&](const TComponent& c, int depth) {
        if (depth > kMaxNesting) {
            for (const TComponent* p = &c; p; p = p->GetParentComponent())
                if (const auto moved = FMoved.find(p); moved != FMoved.end())
                    FParser.ErrorAt(moved->second, "putting " + Described(*p) + " inside " +
                                                       Described(*p->GetParentComponent()) +
                                                       " nests components " + limit);
            FParser.Error("components are nested " + limit);
        }
        c.GetChildren([&](TComponent* child) { measure(*child, depth + 1); }, Root());
    };
    measure(*Root(), 1);
}

void TReader::ReadProperty(TPersistent& instance) {
    const std::size_t offset = FParser.Offset();
    const std::string_view path = FParser.ReadName();
    TPersistent* target = &instance;
    std::size_t start = 0;
    for (;;) {
        // The next part runs up to a dot or the end and must be a name. A part the class
        // publishes is one, whatever its case: its characters are looked at only when it is not.
        std::size_t end = start;
        while (end < path.size() && path[end] != '.') ++end;  // short: no call to memchr
        const std::string_view part = path.substr(start, end - start);
        const TClassInfo& cls = *target->ClassInfo();
        const TPropInfo* p = FProps.Find(cls, part);
        if (!p && !IsValidIdent(part))
            FParser.ErrorAt(offset, QuotedText(path) + " is not a valid property name");
        if (end == path.size()) {
            if (p) {
                ReadPropValue(*target, *p, path);
                return;
            }
            // Not published: perhaps a property the object defines itself.
            FDefinedName = part;
            FDefinedFound = false;
            FDefinedPath = path;
            target->DefineProperties(*this);
            if (!FDefinedFound)
                FParser.ErrorAt(offset,
                                std::string(cls.Name) + " has no property " + std::string(path));
            return;
        }
        const std::string_view object = path.substr(0, end);
        if (!p)
            FParser.ErrorAt(offset,
                            std::string(cls.Name) + " has no property " + std::string(object));
        if (p->Type->Kind != TTypeKind::tkClass || !p->GetObj)
            FParser.ErrorAt(offset, std::string(object) + " is not an object with properties");
        TPersistent* inner = p->GetObj(*target);
        if (!inner || inner->InheritsFrom(&TComponent::StaticClassInfo()))
            FParser.ErrorAt(offset, std::string(object) + " holds no object whose properties " +
                                        "a form file sets");
        target = inner;
        start = end + 1;
    }
}

std::int64_t TReader::ReadOrdinal(const TPropInfo& p, std::string_view path) {
    const TTypeInfo& type = *p.Type;
    const std::size_t offset = FParser.Offset();
    const TValueType t = FParser.ReadValue();
    if (type.Kind == TTypeKind::tkEnumeration) {
        std::string_view name;
        switch (t) {
            case TValueType::vaIdent:
                name = FParser.ReadName();
                break;
            case TValueType::vaFalse:
                name = "False";
                break;
            case TValueType::vaTrue:
                name = "True";
                break;
            default:
                FParser.ErrorAt(offset, std::string(path) + " expects a value of " + type.Name +
                                            ", found " + ValueTypeDescription(t));
        }
        const int v = FValues.EnumValue(type, name);
        if (v < 0) FParser.ErrorAt(offset, QuotedText(name) + " is not a value of " + type.Name);
        return v;
    }
    if (type.Kind == TTypeKind::tkSet) {
        if (t != TValueType::vaSet)
            FParser.ErrorAt(offset,
                            std::string(path) + " expects a set, found " + ValueTypeDescription(t));
        std::uint32_t bits = 0;
        // All the names are read before any is looked up: a set cut short is reported as
        // such, whatever its elements.
        FSetNames.clear();
        for (std::string_view name; !(name = FParser.ReadName()).empty();)
            FSetNames.push_back(name);
        for (const std::string_view name : FSetNames) {
            const int v = type.CompType ? FValues.EnumValue(*type.CompType, name) : -1;
            if (v < 0 || v >= 32)
                FParser.ErrorAt(offset, QuotedText(name) + " is not an element of " + type.Name);
            bits |= 1u << v;
        }
        return bits;
    }
    std::int64_t v = 0;
    if (TBinaryParser::IsInteger(t)) {
        v = FParser.ReadIntegerData(t);
    } else if (t == TValueType::vaIdent && !type.Idents.empty()) {
        const std::string_view name = FParser.ReadName();
        std::int32_t value = 0;
        if (!FValues.IdentToInt(type, name, value))
            FParser.ErrorAt(offset, QuotedText(name) + " is not a value of " + type.Name);
        v = value;
    } else if (type.Kind == TTypeKind::tkChar && TBinaryParser::IsString(t)) {
        const std::string s = FParser.ReadStringData(t).ToAnsi();
        if (s.size() != 1)
            FParser.ErrorAt(offset, std::string(path) +
                                        " expects one character, found a string of " +
                                        std::to_string(s.size()));
        v = static_cast<unsigned char>(s[0]);
    } else {
        FParser.ErrorAt(
            offset, std::string(path) + " expects an integer, found " + ValueTypeDescription(t));
    }
    std::int64_t low = 0, high = 0;
    type.OrdinalRange(low, high);
    if (type.Kind == TTypeKind::tkChar) low = 0, high = 255;
    if (v < low || v > high)
        FParser.ErrorAt(offset, std::to_string(v) + " is out of range for " + std::string(path) +
                                    " (" + type.Name + ": " + std::to_string(low) + ".." +
                                    std::to_string(high) + ")");
    return v;
}

void TReader::ReadPropValue(TPersistent& instance, const TPropInfo& p, std::string_view path) {
    const TTypeInfo& type = *p.Type;
    const std::size_t offset = FParser.Offset();
    auto readOnly = [&] { FParser.ErrorAt(offset, std::string(path) + " cannot be set"); };
    switch (type.Kind) {
        case TTypeKind::tkInteger:
        case TTypeKind::tkChar:
        case TTypeKind::tkEnumeration:
        case TTypeKind::tkSet:
        case TTypeKind::tkInt64: {
            if (!p.SetOrd) readOnly();
            const std::int64_t v = ReadOrdinal(p, path);
            Apply(offset, path, [&] { p.SetOrd(instance, v); });
            return;
        }
        case TTypeKind::tkFloat: {
            if (!p.SetFloat) readOnly();
            const double v = static_cast<double>(ReadFloat());
            Apply(offset, path, [&] { p.SetFloat(instance, v); });
            return;
        }
        case TTypeKind::tkString: {
            if (!p.SetStr) readOnly();
            const TValueType t = FParser.ReadValue();
            if (!TBinaryParser::IsString(t))
                FParser.ErrorAt(offset, std::string(path) + " expects a string, found " +
                                            ValueTypeDescription(t));
            TFormString s = FParser.ReadStringData(t);
            const std::string v = s.IsWide ? s.ToAnsi() : std::move(s.Narrow);
            Apply(offset, path, [&] { p.SetStr(instance, v); });
            return;
        }
        case TTypeKind::tkMethod: {
            if (!p.SetStr) readOnly();
            const TValueType t = FParser.ReadValue();
            std::string handler;
            if (t == TValueType::vaIdent)
                handler = FParser.ReadStr();
            else if (t != TValueType::vaNil)
                FParser.ErrorAt(offset, std::string(path) +
                                            " expects the name of a handler, found " +
                                            ValueTypeDescription(t));
            Apply(offset, path, [&] { p.SetStr(instance, handler); });
            return;
        }
        case TTypeKind::tkClass: {
            if (!p.SetObj) readOnly();
            const TValueType t = FParser.ReadValue();
            if (t == TValueType::vaNil) {
                Apply(offset, path, [&] { p.SetObj(instance, nullptr); });
                return;
            }
            if (t == TValueType::vaIdent &&
                InheritsFrom(type.ClassType, &TComponent::StaticClassInfo())) {
                std::string name = FParser.ReadStr();
                if (!IsValidIdent(name))
                    FParser.ErrorAt(offset, QuotedText(name) + " is not a valid component name");
                FFixups.push_back(TFixup{&instance, &p, std::move(name), offset});
                return;
            }
            if (t == TValueType::vaIdent)
                FParser.ErrorAt(offset, std::string(path) + " holds a " + type.Name +
                                            "; its properties are set one by one, as " +
                                            std::string(path) + ".Name = ...");
            FParser.ErrorAt(offset,
                            std::string(path) + " expects " +
                                (InheritsFrom(type.ClassType, &TComponent::StaticClassInfo())
                                     ? std::string("the name of a component")
                                     : std::string("nil")) +
                                ", found " + ValueTypeDescription(t));
        }
    }
}

void TReader::ResolveFixups() {
    for (const TFixup& f : FFixups) {
        TComponent* root = Root();
        TComponent* found = SameText(f.Name, root->Name()) ? root : root->FindComponent(f.Name);
        if (!found)
            FParser.ErrorAt(f.Offset, "no component named " + f.Name + " for " + f.Prop->Name);
        if (!found->InheritsFrom(f.Prop->Type->ClassType))
            FParser.ErrorAt(f.Offset, f.Name + " is a " + found->ClassName() + ", but " +
                                          f.Prop->Name + " expects a " + f.Prop->Type->Name);
        Apply(f.Offset, f.Prop->Name, [&] { f.Prop->SetObj(*f.Instance, found); });
    }
    FFixups.clear();
}

void TReader::ReadListBegin() {
    const std::size_t offset = FParser.Offset();
    const TValueType t = FParser.ReadValue();
    if (t != TValueType::vaList)
        FParser.ErrorAt(offset, std::string("expected a list, found ") + ValueTypeDescription(t));
}

std::string TReader::ReadString() {
    const std::size_t offset = FParser.Offset();
    const TValueType t = FParser.ReadValue();
    if (!TBinaryParser::IsString(t))
        FParser.ErrorAt(offset, std::string("expected a string, found ") + ValueTypeDescription(t));
    return FParser.ReadStringData(t).ToAnsi();
}

std::int64_t TReader::ReadInteger() {
    const std::size_t offset = FParser.Offset();
    const TValueType t = FParser.ReadValue();
    if (!TBinaryParser::IsInteger(t))
        FParser.ErrorAt(offset,
                        std::string("expected an integer, found ") + ValueTypeDescription(t));
    return FParser.ReadIntegerData(t);
}

bool TReader::ReadBoolean() {
    const std::size_t offset = FParser.Offset();
    const TValueType t = FParser.ReadValue();
    if (t != TValueType::vaTrue && t != TValueType::vaFalse)
        FParser.ErrorAt(offset,
                        std::string("expected True or False, found ") + ValueTypeDescription(t));
    return t == TValueType::vaTrue;
}

std::string TReader::ReadIdent() {
    const std::size_t offset = FParser.Offset();
    switch (const TValueType t = FParser.ReadValue()) {
        case TValueType::vaIdent:
            return FParser.ReadStr();
        case TValueType::vaFalse:
            return "False";
        case TValueType::vaTrue:
            return "True";
        case TValueType::vaNil:
            return "nil";
        case TValueType::vaNull:
            return "Null";
        default:
            FParser.ErrorAt(offset,
                            std::string("expected a name, found ") + ValueTypeDescription(t));
    }
}

long double TReader::ReadFloat() {
    const std::size_t offset = FParser.Offset();
    const TValueType t = FParser.ReadValue();
    switch (t) {
        case TValueType::vaExtended:
            return FParser.ReadExtendedData();
        case TValueType::vaSingle:
            return FParser.ReadSingleData();
        case TValueType::vaDouble:
        case TValueType::vaDate:
            return FParser.ReadDoubleData();
        case TValueType::vaCurrency:
            return static_cast<long double>(FParser.ReadCurrencyData()) / 10000;
        default:
            if (TBinaryParser::IsInteger(t))
                return static_cast<long double>(FParser.ReadIntegerData(t));
            FParser.ErrorAt(offset,
                            std::string("expected a number, found ") + ValueTypeDescription(t));
    }
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData,
                             const TWriterProc&, bool) {
    if (FDefinedFound || !readData || !SameText(name, FDefinedName)) return;
    FDefinedFound = true;
    const std::size_t offset = FParser.Offset();
    Apply(offset, FDefinedPath, [&] { readData(*this); });
}

void TReader::DefineBinaryProperty(const std::string& name, const TBinaryReadProc& readData,
                                   const TBinaryWriteProc&, bool) {
    if (FDefinedFound || !readData || !SameText(name, FDefinedName)) return;
    FDefinedFound = true;
    const std::size_t offset = FParser.Offset();
    const TValueType t = FParser.ReadValue();
    if (t != TValueType::vaBinary)
        FParser.ErrorAt(offset,
                        FDefinedPath + " expects binary data, found " + ValueTypeDescription(t));
    const std::span<const std::uint8_t> data = FParser.ReadBinaryData();
    Apply(offset, FDefinedPath, [&] { readData(data); });
}
