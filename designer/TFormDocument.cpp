#include "designer/TFormDocument.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "core/AnsiText.h"
#include "designer/TFormOutline.h"
#include "streaming/TBinaryParser.h"
#include "streaming/TResourceFile.h"

namespace FormSplice {
namespace {

std::string Key(const std::string& name) {
    return LowerCase(name);
}

using TPropertyIndex = std::map<std::string, const TOutlineProperty*>;

// Each property by its lower-case name; a name given twice counts as its last value.
TPropertyIndex IndexProperties(const TOutlineObject& o) {
    TPropertyIndex index;
    for (const TOutlineProperty& p : o.Properties) index[Key(p.Name)] = &p;
    return index;
}

// A child's key among its siblings: its name, or its place when it has none.
std::string ChildKey(const std::string& name, std::size_t place) {
    return name.empty() ? "#" + std::to_string(place) : Key(name);
}

class TSplicer {
public:
    TSplicer(std::span<const std::uint8_t> base, bool text, std::span<const std::uint8_t> loaded,
             std::span<const std::uint8_t> current, const TFormDocument::TOriginOf& originOf)
        : FBase(reinterpret_cast<const char*>(base.data()), base.size()),
          FText(text),
          FLoaded(loaded),
          FCurrent(current),
          FOriginOf(originOf),
          FBaseOutline(text ? FormOutline::OfText(FBase) : FormOutline::OfBinary(base)),
          FLoadedOutline(FormOutline::OfBinary(loaded)),
          FCurrentOutline(FormOutline::OfBinary(current)) {
        if (text) {
            FCurrentText = FormFiles::BinaryToText(current);
            FCurrentTextOutline = FormOutline::OfText(FCurrentText);
            FNewLine = FormOutline::LineEnding(FBase);
            const TOutlineObject& root = FBaseOutline.Root;
            std::size_t first = std::string::npos;
            if (!root.Properties.empty())
                first = root.Properties.front().Whole.Start;
            else if (!root.Children.empty())
                first = root.Children.front().Header.Start;
            if (first != std::string::npos) {
                const std::string inner = FormOutline::IndentAt(FBase, first);
                const std::string outer = FormOutline::IndentAt(FBase, root.Header.Start);
                if (inner.size() > outer.size()) FIndentUnit = inner.substr(outer.size());
            }
        }
    }

    std::vector<std::uint8_t> Splice() {
        Append(FBaseOutline.Head);
        Object(FBaseOutline.Root, FLoadedOutline.Root, FCurrentOutline.Root,
               FText ? &FCurrentTextOutline.Root : nullptr);
        Append(FBaseOutline.Tail);
        return std::vector<std::uint8_t>(FOut.begin(), FOut.end());
    }

private:
    void Append(TSpan s) { FOut.append(FBase.substr(s.Start, s.Size())); }
    void Append(std::size_t start, std::size_t end) { Append(TSpan{start, end}); }

    std::string_view Current(TSpan s) const {
        return std::string_view(reinterpret_cast<const char*>(FCurrent.data()) + s.Start, s.Size());
    }
    std::string_view CurrentText(TSpan s) const {
        return std::string_view(FCurrentText).substr(s.Start, s.Size());
    }
    std::string_view Loaded(TSpan s) const {
        return std::string_view(reinterpret_cast<const char*>(FLoaded.data()) + s.Start, s.Size());
    }

    // Canonical text moved from the indentation it was written at to the file's, with the
    // file's line ending.
    std::string Reindent(std::string_view text, const std::string& from,
                         const std::string& to) const {
        std::string out;
        std::size_t at = 0;
        bool first = true;
        for (;;) {
            const std::size_t end = text.find("\r\n", at);
            std::string_view line = text.substr(at, end == std::string_view::npos ? end : end - at);
            if (!first) {
                // Each further level of the canonical two spaces becomes one of the file's.
                std::size_t spaces = 0;
                while (spaces < line.size() && line[spaces] == ' ') ++spaces;
                line.remove_prefix(spaces);
                out += FNewLine;
                out += to;
                const std::size_t extra = spaces > from.size() ? spaces - from.size() : 0;
                for (std::size_t level = 0; level < extra / 2; ++level) out += FIndentUnit;
                if (extra % 2) out += ' ';
            }
            out += line;
            first = false;
            if (end == std::string_view::npos) break;
            at = end + 2;
        }
        return out;
    }

    void Header(const TOutlineObject& base, const TOutlineObject& now) {
        if (now.Name == base.Name) {
            Append(base.Header);
            return;
        }
        Append(base.Header.Start, base.NameToken.Start);
        if (FText) {
            FOut += now.Name;
            if (base.Name.empty()) FOut += ": ";
        } else {
            FOut += static_cast<char>(now.Name.size());
            FOut += now.Name;
        }
        Append(base.NameToken.End, base.Header.End);
    }

    // The indentation of the items inside an object of the file.
    std::string ItemIndent(const TOutlineObject& base) const {
        if (!base.Properties.empty())
            return FormOutline::IndentAt(FBase, base.Properties.front().Whole.Start);
        if (!base.Children.empty())
            return FormOutline::IndentAt(FBase, base.Children.front().Header.Start);
        return FormOutline::IndentAt(FBase, base.Header.Start) + FIndentUnit;
    }

    void Object(const TOutlineObject& base, const TOutlineObject& loaded, const TOutlineObject& now,
                const TOutlineObject* nowText) {
        Header(base, now);
        const std::string indent = FText ? ItemIndent(base) : std::string();
        Properties(base, loaded, now, nowText, indent);
        if (!FText) FOut += '\0';
        Children(base, loaded, now, nowText, indent);
        if (FText)
            Append(base.Close);
        else
            FOut += '\0';
    }

    void Properties(const TOutlineObject& base, const TOutlineObject& loaded,
                    const TOutlineObject& now, const TOutlineObject* nowText,
                    const std::string& indent) {
        const TPropertyIndex before = IndexProperties(loaded);
        const TPropertyIndex after = IndexProperties(now);
        auto changed = [&](const std::string& key) {
            const auto b = before.find(key), a = after.find(key);
            if ((b == before.end()) != (a == after.end())) return true;
            return b != before.end() && Loaded(b->second->Value) != Current(a->second->Value);
        };
        const TPropertyIndex inBase = IndexProperties(base);

        // The items in their new order: a property of the file (kept, or with its new value),
        // or one of the form now that the file lacks, next to its neighbour in property order.
        struct TItem {
            const TOutlineProperty* Base = nullptr;
            std::size_t Now = 0;  // index into now.Properties when Base is null
        };
        std::vector<TItem> items;
        for (const TOutlineProperty& p : base.Properties) {
            const std::string key = Key(p.Name);
            if (changed(key) && (!after.count(key) || inBase.at(key) != &p)) continue;
            items.push_back(TItem{&p, 0});
        }
        for (std::size_t i = 0; i < now.Properties.size(); ++i) {
            const std::string key = Key(now.Properties[i].Name);
            if (inBase.count(key) || !changed(key)) continue;
            std::size_t at = 0;
            for (std::size_t k = i; k-- > 0 && at == 0;) {
                const std::string neighbour = Key(now.Properties[k].Name);
                for (std::size_t j = items.size(); j-- > 0;) {
                    const std::string itemKey = Key(
                        items[j].Base ? items[j].Base->Name : now.Properties[items[j].Now].Name);
                    if (itemKey == neighbour) {
                        at = j + 1;
                        break;
                    }
                }
            }
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), TItem{nullptr, i});
        }

        for (const TItem& item : items) {
            if (item.Base) {
                const TOutlineProperty& p = *item.Base;
                if (!changed(Key(p.Name))) {
                    Append(p.Lead, p.Whole.End);
                    continue;
                }
                Append(p.Lead, p.Value.Start);
                const std::size_t index =
                    static_cast<std::size_t>(after.at(Key(p.Name)) - now.Properties.data());
                NewValue(now.Properties[index], nowText ? &nowText->Properties[index] : nullptr,
                         FormOutline::IndentAt(FBase, p.Whole.Start));
                continue;
            }
            if (FText) {
                FOut += FNewLine;
                FOut += indent;
                const TOutlineProperty& t = nowText->Properties[item.Now];
                FOut += Reindent(CurrentText(t.Whole),
                                 FormOutline::IndentAt(FCurrentText, t.Whole.Start), indent);
            } else {
                FOut += Current(now.Properties[item.Now].Whole);
            }
        }
    }

    void NewValue(const TOutlineProperty& now, const TOutlineProperty* nowText,
                  const std::string& indent) {
        if (!FText) {
            FOut += Current(now.Value);
            return;
        }
        FOut += Reindent(CurrentText(nowText->Value),
                         FormOutline::IndentAt(FCurrentText, nowText->Whole.Start), indent);
    }

    void Children(const TOutlineObject& base, const TOutlineObject& loaded,
                  const TOutlineObject& now, const TOutlineObject* nowText,
                  const std::string& indent) {
        std::map<std::string, std::size_t> baseChildren, loadedChildren;
        for (std::size_t i = 0; i < base.Children.size(); ++i)
            baseChildren[ChildKey(base.Children[i].Name, i)] = i;
        for (std::size_t i = 0; i < loaded.Children.size(); ++i)
            loadedChildren[ChildKey(loaded.Children[i].Name, i)] = i;
        const std::string childIndent =
            base.Children.empty()
                ? indent
                : FormOutline::IndentAt(FBase, base.Children.front().Header.Start);
        for (std::size_t i = 0; i < now.Children.size(); ++i) {
            const TOutlineObject& child = now.Children[i];
            const TOutlineObject* childText = nowText ? &nowText->Children[i] : nullptr;
            const std::string origin = child.Name.empty() ? std::string() : FOriginOf(child.Name);
            const std::string key = child.Name.empty() ? ChildKey("", i)
                                    : origin.empty()   ? std::string()
                                                       : Key(origin);
            const auto b = key.empty() ? baseChildren.end() : baseChildren.find(key);
            const auto l = key.empty() ? loadedChildren.end() : loadedChildren.find(key);
            if (b != baseChildren.end() && l != loadedChildren.end()) {
                const TOutlineObject& inBase = base.Children[b->second];
                Append(inBase.Lead, inBase.Header.Start);
                Object(inBase, loaded.Children[l->second], child, childText);
                continue;
            }
            if (FText) {
                FOut += FNewLine;
                FOut += childIndent;
                const TSpan whole{childText->Header.Start, childText->Close.End};
                FOut += Reindent(CurrentText(whole),
                                 FormOutline::IndentAt(FCurrentText, whole.Start), childIndent);
            } else {
                FOut += Current(TSpan{child.Header.Start, child.Close.End});
            }
        }
    }

    std::string_view FBase;
    bool FText;
    std::span<const std::uint8_t> FLoaded;
    std::span<const std::uint8_t> FCurrent;
    const TFormDocument::TOriginOf& FOriginOf;
    TFormOutline FBaseOutline;
    TFormOutline FLoadedOutline;
    TFormOutline FCurrentOutline;
    std::string FCurrentText;
    TFormOutline FCurrentTextOutline;
    std::string FNewLine;
    std::string FIndentUnit = "  ";  // one level of the file's indentation
    std::string FOut;
};

}  // namespace

std::vector<std::uint8_t> Splice(std::span<const std::uint8_t> base, bool baseIsText,
                                 std::span<const std::uint8_t> loaded,
                                 std::span<const std::uint8_t> current,
                                 const TFormDocument::TOriginOf& originOf) {
    return TSplicer(base, baseIsText, loaded, current, originOf).Splice();
}

}  // namespace FormSplice

namespace {

using TFormFormat = FormFiles::TFormFormat;

std::vector<std::uint8_t> AsBytes(const std::string& s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

// The bare stream of a binary form file, without its resource header.
std::vector<std::uint8_t> BareStream(std::span<const std::uint8_t> bytes) {
    std::size_t offset = 0;
    const std::span<const std::uint8_t> stream = TResourceFile::HasResourceHeader(bytes)
                                                     ? TResourceFile::FindFormStream(bytes, offset)
                                                     : bytes;
    return std::vector<std::uint8_t>(stream.begin(), stream.end());
}

std::string RootClassName(std::span<const std::uint8_t> stream) {
    TBinaryParser parser(stream);
    parser.ReadSignature();
    return parser.ReadComponentHeader().ClassName;
}

}  // namespace

TFormDocument::TFormDocument(std::vector<std::uint8_t> bytes)
    : FBytes(std::move(bytes)), FFormat(FormFiles::DetectFormat(FBytes)), FNew(false) {}

TFormDocument::TSaved TFormDocument::Save(std::span<const std::uint8_t> loaded,
                                          std::span<const std::uint8_t> current,
                                          const TOriginOf& originOf, TFormFormat format,
                                          const TCanonical& canonical) const {
    const bool wrapped =
        !FNew && FFormat == TFormFormat::Binary && TResourceFile::HasResourceHeader(FBytes);
    auto inFull = [&](bool rewritten) {
        TSaved saved;
        saved.Rewritten = rewritten;
        if (format == TFormFormat::Text)
            saved.Bytes = AsBytes(FormFiles::BinaryToText(current));
        else if (wrapped)
            saved.Bytes = TResourceFile::Wrap(current, RootClassName(current));
        else
            saved.Bytes.assign(current.begin(), current.end());
        return saved;
    };
    if (FNew) return inFull(false);
    if (format == FFormat &&
        std::equal(loaded.begin(), loaded.end(), current.begin(), current.end()))
        return TSaved{FBytes, false};

    std::vector<std::uint8_t> spliced;
    try {
        if (format == TFormFormat::Text) {
            const std::vector<std::uint8_t> base =
                FFormat == TFormFormat::Text ? FBytes : AsBytes(FormFiles::BinaryToText(FBytes));
            spliced = FormSplice::Splice(base, true, loaded, current, originOf);
        } else {
            const std::vector<std::uint8_t> base =
                FFormat == TFormFormat::Binary
                    ? BareStream(FBytes)
                    : FormFiles::TextToBinary(std::string_view(
                          reinterpret_cast<const char*>(FBytes.data()), FBytes.size()));
            spliced = FormSplice::Splice(base, false, loaded, current, originOf);
            if (wrapped) spliced = TResourceFile::Wrap(spliced, RootClassName(spliced));
        }
        const std::vector<std::uint8_t> check = canonical(spliced);
        if (std::equal(check.begin(), check.end(), current.begin(), current.end()))
            return TSaved{std::move(spliced), false};
    } catch (const std::exception&) {
        // The splice did not read back; the form is written in full below.
    }
    return inFull(true);
}
