// The root of every object that has published properties and can be copied with Assign.
#pragma once

#include <stdexcept>
#include <string>

struct TClassInfo;
class TFiler;

// Declares a class's type information; its definition gives the published properties.
#define DECLARE_CLASSINFO()                          \
public:                                              \
    static const TClassInfo& StaticClassInfo();      \
    const TClassInfo* ClassInfo() const override {   \
        return &StaticClassInfo();                   \
    }

// Raised by Assign when the source cannot be copied into the destination.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TPersistent {
public:
    virtual ~TPersistent() = default;

    // Copies source into this object. The base asks the source to AssignTo this object and
    // raises EConvertError when neither side knows how.
    virtual void Assign(const TPersistent* source);

    // The class's published properties and name, for streaming.
    virtual const TClassInfo* ClassInfo() const;
    std::string ClassName() const;
    // True when this object's class is cls or derives from it.
    bool InheritsFrom(const TClassInfo* cls) const;

    static const TClassInfo& StaticClassInfo();

    // Properties that are not published but stored all the same (a string list's strings, a
    // bitmap's image), declared to the form reader or writer.
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent* dest) const;
};
