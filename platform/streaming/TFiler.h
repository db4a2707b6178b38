// The common base of the form reader and writer: what an object's DefineProperties talks to
// when it stores data that are not published properties (a string list's strings, a bitmap's
// picture).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

class TComponent;
class TReader;
class TWriter;

// The deepest nesting of components and values a form may have.
constexpr int kMaxNesting = 256;
// The most components a form file may create. Every component an owner holds is told of each
// one added after it, so the work of reading grows with the square of their number; forms
// hold some thousands at most.
constexpr std::size_t kMaxComponents = 8192;

class TFiler {
public:
    using TReaderProc = std::function<void(TReader&)>;
    using TWriterProc = std::function<void(TWriter&)>;
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
