// Reads a binary form stream into components. Each component is created by its registered
// class with the root as owner and put inside the component it is nested in; its properties
// are set through their setters in stream order while csLoading is set; once the whole tree
// is read, references to components by name are resolved and every component read gets
// Loaded, in reading order. On an error nothing read survives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classes/TFiler.h"
#include "classes/TypInfo.h"
#include "streaming/FormLimits.h"
#include "streaming/TBinaryParser.h"

class TReader : public TFiler, public TValueReader {
public:
    // Makes the root from its header, or raises EReadError (a class that cannot be a root).
    using TRootFactory = std::function<std::unique_ptr<TComponent>(const TComponentHeader&)>;

    // data is the stream, starting with "TPF0"; baseOffset is where it starts in its file.
    explicit TReader(std::span<const std::uint8_t> data, std::size_t baseOffset = 0);
    ~TReader() override;

    std::unique_ptr<TComponent> ReadRootComponent(const TRootFactory& makeRoot);
    // Reads a list of properties (names and values up to the end of the list, as a component
    // stores them) into an existing object: each through its setter, in stream order, as
    // reading a form does but without csLoading, the way a design environment sets a
    // property; a component's name is looked up in root. The data must end with the list.
    void ReadProperties(TComponent& root, TPersistent& instance);

    // The most components the stream may create (kMaxComponents unless set).
    void SetMaxComponents(std::size_t count) { FMaxComponents = count; }

    // Values, for the properties that objects define themselves.
    bool EndOfList() const override { return FParser.EndOfList(); }
    void ReadListBegin() override;
    void ReadListEnd() override { FParser.ReadListEnd(); }
    std::string ReadString() override;
    std::int64_t ReadInteger() override;
    bool ReadBoolean();
    std::string ReadIdent();
    long double ReadFloat();
    std::size_t Offset() const { return FParser.Offset(); }
    [[noreturn]] void Error(const std::string& message) const { FParser.Error(message); }

    void DefineProperty(const std::string& name, const TReaderProc& readData,
                        const TWriterProc& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TBinaryReadProc& readData,
                              const TBinaryWriteProc& writeData, bool hasData) override;

private:
    struct TFixup {
        TPersistent* Instance;
        const TPropInfo* Prop;
        std::string Name;
        std::size_t Offset;
    };

    void ReadContents(TComponent& component, int depth);
    void ReadComponent(TComponent* parent, int depth);
    void ReadProperty(TPersistent& instance);
    void ReadPropValue(TPersistent& instance, const TPropInfo& prop, std::string_view path);
    std::int64_t ReadOrdinal(const TPropInfo& prop, std::string_view path);
    void CheckName(const std::string& name, std::size_t offset);
    void CheckClassName(const TComponentHeader& header);
    void CheckMove(TComponent& component, TComponent* parent, const TComponentHeader& header);
    void CheckNesting();
    void ResolveFixups();
    // Runs a setter; what it raises becomes an error at offset, naming path (a name, or a
    // function that makes it, so that a name is put together only for a message).
    template <class P, class F>
    void Apply(std::size_t offset, const P& path, F&& set);

    TBinaryParser FParser;
    TPropFinder FProps;
    TValueFinder FValues;
    std::vector<std::string_view> FSetNames;  // the elements of the set being read
    std::size_t FMaxComponents = kMaxComponents;
    const TClassInfo* FLastClass = nullptr;  // of the component read last
    std::vector<TComponent*> FLoaded;
    std::vector<TFixup> FFixups;
    // The components that existed already and were moved, with where the last move was read.
    std::unordered_map<const TComponent*, std::size_t> FMoved;
    // The defined property being looked for, while an object's DefineProperties runs.
    std::string FDefinedName;
    std::string FDefinedPath;  // with the objects it is in, for messages: Items.Strings
    bool FDefinedFound = false;
};

// Whether name is an identifier: a letter or '_', then letters, digits and '_'.
bool IsValidIdent(std::string_view name);
