// Writes a component tree as a binary form stream: for each component its class and name, its
// stored published properties in property order (leaving out values equal to their streaming
// default), the properties its DefineProperties declares, then its children. The same tree
// gives the same bytes. What reading would not give back is written all the same: a value
// equal to its default (an empty string, a list without data) where a component being read
// holds another at that point. To know what it holds, the writer gives a new component of
// the class, put where reading puts it, each value as it writes it.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "classes/TFiler.h"
#include "streaming/FormLimits.h"
#include "streaming/TFormString.h"
#include "streaming/TValueType.h"

class TPersistent;
struct TPropInfo;

class TWriter : public TFiler, public TValueWriter {
public:
    std::span<const std::uint8_t> Bytes() const { return {FBytes.data(), FSize}; }
    std::vector<std::uint8_t> TakeBytes() {
        FBytes.resize(FSize);
        FSize = 0;
        return std::move(FBytes);
    }
    std::size_t Position() const { return FSize; }
    void Reserve(std::size_t bytes) {
        if (bytes > FBytes.size()) FBytes.resize(bytes);
    }

    // "TPF0", then root with everything written inside it.
    void WriteRootComponent(TComponent& root);
    // "TPF0", then one component of root's tree with everything root keeps inside it, as a
    // stream of its own: what a design environment copies to the clipboard.
    void WriteDescendant(TComponent& root, TComponent& component);

    // The values of the format, each with its value type; integers and strings take the
    // smallest type that holds them.
    void WriteSignature();
    void WriteComponentHeader(std::uint8_t flags, std::int32_t childPos,
                              const std::string& className, const std::string& name);
    // The part of a header before the class name: the flags, and the position they announce.
    // A class name of 240 bytes or more gets a prefix without flags all the same, since its
    // length byte would otherwise be read as one.
    void WritePrefix(std::uint8_t flags, std::int32_t childPos, std::string_view className);
    void WriteValue(TValueType type) { *Room(1) = static_cast<std::uint8_t>(type); }
    // A short string (names): a length byte, then at most 255 bytes.
    void WriteStr(std::string_view s) {
        if (s.size() > 255) NameTooLong(s);
        *Room(1) = static_cast<std::uint8_t>(s.size());
        WriteBytes(s.data(), s.size());
    }
    void WriteListBegin() override { WriteValue(TValueType::vaList); }
    void WriteListEnd() override { WriteValue(TValueType::vaNull); }
    void WriteInteger(std::int64_t value) override;
    void WriteBoolean(bool value);
    void WriteString(const std::string& ansi) override { WriteAnsiString(ansi); }
    void WriteAnsiString(std::string_view ansi);
    void WriteWideString(const std::u16string& wide);
    void WriteFormString(const TFormString& s);
    void WriteIdent(std::string_view name);
    void WriteFloat(long double value);
    void WriteSingle(float value);
    void WriteDouble(double value);
    void WriteCurrency(std::int64_t tenThousandths);
    void WriteDate(double days);
    void WriteBinary(std::span<const std::uint8_t> data);
    void WriteSet(const std::vector<std::string>& names);

    void DefineProperty(const std::string& name, const TReaderProc& readData,
                        const TWriterProc& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TBinaryReadProc& readData,
                              const TBinaryWriteProc& writeData, bool hasData) override;

private:
    void WriteComponent(TComponent& component, int depth);
    // ancestor: the same object of the new component that replays what is written, or null.
    void WriteProperties(TPersistent& instance, TPersistent* ancestor);
    void WriteProperty(TPersistent& instance, const TPropInfo& prop, TPersistent* ancestor);
    std::unique_ptr<TComponent> NewInstanceOf(const TComponent& component);
    void WritePropName(const std::string& name);
    void WriteLittleEndian(std::uint64_t value, std::size_t bytes);
    // Where the next size bytes go; they count as written.
    std::uint8_t* Room(std::size_t size) {
        if (FBytes.size() - FSize < size) Grow(size);
        std::uint8_t* const p = FBytes.data() + FSize;
        FSize += size;
        return p;
    }
    void Grow(std::size_t size);
    void WriteBytes(const void* data, std::size_t size) {
        // Names and most strings are short: copied in words, the last overlapping the one
        // before, rather than by a call.
        std::uint8_t* const to = Room(size);
        const auto* from = static_cast<const std::uint8_t*>(data);
        auto copy = [&](std::size_t at, auto word) {
            std::memcpy(&word, from + at, sizeof word);
            std::memcpy(to + at, &word, sizeof word);
        };
        if (size >= 8 && size <= 16) {
            copy(0, std::uint64_t{});
            copy(size - 8, std::uint64_t{});
        } else if (size >= 4 && size < 8) {
            copy(0, std::uint32_t{});
            copy(size - 4, std::uint32_t{});
        } else if (size != 0) {
            std::memcpy(to, from, size);
        }
    }
    [[noreturn]] static void NameTooLong(std::string_view name);

    // The bytes written are the first FSize; the vector is kept at least that long, so that
    // bytes are stored without growing it each time.
    std::vector<std::uint8_t> FBytes;
    std::size_t FSize = 0;
    // While an object's DefineProperties runs: the properties that hold data in its ancestor.
    std::set<std::string> FAncestorData;
    std::string FPropPath;  // "Font." while writing the font's properties
    int FObjectDepth = 0;
};
