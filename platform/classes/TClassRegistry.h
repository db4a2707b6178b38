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

}  // namespace TClassRegistry
