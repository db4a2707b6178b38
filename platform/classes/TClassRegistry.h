// Classes known by name, so that form files can create components of them.
#pragma once

#include <string>
#include <vector>

#include "classes/TypInfo.h"
#include "win/WinApi.h"

namespace TClassRegistry {

void RegisterClass(const TClassInfo& cls);
void UnregisterClass(const TClassInfo& cls);
// The registered class of that name (case-insensitive), or null.
const TClassInfo* FindClass(const std::string& name);
std::vector<const TClassInfo*> RegisteredClasses();
// Forgets the classes whose class information lives in that module.
void UnregisterModuleClasses(HINSTANCE module);

// A class known by name for as long as the library that defines it is loaded: a static object
// of that library registers the class when the library starts and forgets it when the library
// ends, so that no entry outlives the code it points into.
class TClassRegistration {
public:
    explicit TClassRegistration(const TClassInfo& cls) : FClass(cls) { RegisterClass(cls); }
    ~TClassRegistration() { UnregisterClass(FClass); }
    TClassRegistration(const TClassRegistration&) = delete;
    TClassRegistration& operator=(const TClassRegistration&) = delete;

private:
    const TClassInfo& FClass;
};

}  // namespace TClassRegistry
