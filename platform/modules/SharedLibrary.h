// The operating system's shared libraries, as the module and package runtime needs them:
// loading and releasing one, an export of the library itself, and which library holds an
// address.
#pragma once

#include <string>

namespace SharedLibrary {

using THandle = void*;

// Loads the library; null, with the system's reason in `error`, when it cannot be loaded.
THandle Open(const std::string& fileName, std::string& error);
void Close(THandle library);
// The library's own export of that name: not one of the libraries it needs, which a package's
// framework libraries would otherwise pass for. Null when it has none.
void* OwnExport(THandle library, const char* name);
// The file of the loaded library or program that holds the address; empty when none does.
std::string FileOf(const void* address);

// The file that a module loaded as data (a language resource module on Windows) is a view of;
// empty where modules are no views, or for any other module.
std::string MappedFileName(const void* module);

}  // namespace SharedLibrary
