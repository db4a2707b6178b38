// The common base of the form reader and writer: what an object's DefineProperties talks to
// when it stores data that are not published properties (a string list's strings, a bitmap's
// picture). The persistent classes see only these interfaces; the form reader and writer
// above them implement them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

class TComponent;

// The values a property stored as values reads back.
class TValueReader {
public:
    virtual bool EndOfList() const = 0;
    virtual void ReadListBegin() = 0;
    virtual void ReadListEnd() = 0;
    virtual std::string ReadString() = 0;
    virtual std::int64_t ReadInteger() = 0;

protected:
    ~TValueReader() = default;
};

// The values a property stored as values writes.
class TValueWriter {
public:
    virtual void WriteListBegin() = 0;
    virtual void WriteListEnd() = 0;
    virtual void WriteString(const std::string& ansi) = 0;
    virtual void WriteInteger(std::int64_t value) = 0;

protected:
    ~TValueWriter() = default;
};

class TFiler {
public:
    using TReaderProc = std::function<void(TValueReader&)>;
    using TWriterProc = std::function<void(TValueWriter&)>;
    using TBinaryReadProc = std::function<void(std::span<const std::uint8_t>)>;
    using TBinaryWriteProc = std::function<std::vector<std::uint8_t>()>;

    virtual ~TFiler() = default;

    // A property stored as values: the reader calls readData when the stream holds a property
    // of this name; the writer writes it, with writeData, when hasData is true.
    virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                                const TWriterProc& writeData, bool hasData) = 0;
    // A property stored as binary data ({ hex } in text form files).
    virtual void DefineBinaryProperty(const std::string& name, const TBinaryReadProc& readData,
                                      const TBinaryWriteProc& writeData, bool hasData) = 0;

    // The component at the top of the tree being read or written.
    TComponent* Root() const { return FRoot; }

protected:
    void SetRoot(TComponent* root) { FRoot = root; }

private:
    TComponent* FRoot = nullptr;
};
