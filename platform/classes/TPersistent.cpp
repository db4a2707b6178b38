#include "classes/TPersistent.h"

#include "classes/TypInfo.h"

void TPersistent::Assign(const TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " +
                        (dest ? dest->ClassName() : std::string("nil")));
}

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo info{"TPersistent", nullptr, "Classes", {}, nullptr};
    return info;
}

const TClassInfo* TPersistent::ClassInfo() const { return &StaticClassInfo(); }

std::string TPersistent::ClassName() const { return ClassInfo()->Name; }

bool TPersistent::InheritsFrom(const TClassInfo* cls) const {
    for (const TClassInfo* c = ClassInfo(); c; c = c->Parent)
        if (c == cls) return true;
    return false;
}

void TPersistent::DefineProperties(TFiler&) {}
