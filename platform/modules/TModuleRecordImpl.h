// What an HMODULE stands for: a loaded module's file name and the resources compiled into it,
// found by type, name and language.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "win/WinApi.h"

// Resource types, with their Win32 numbers. The system's headers name the same types as
// pointers made from these numbers (MAKEINTRESOURCEA(RT_BITMAP) is their RT_BITMAP); here the
// numbers keep the names.
#ifdef _WIN32
#undef RT_BITMAP
#undef RT_ICON
#undef RT_RCDATA
#undef RT_GROUP_ICON
#undef RT_VERSION
#endif
constexpr std::uint16_t RT_BITMAP = 2;
constexpr std::uint16_t RT_ICON = 3;
constexpr std::uint16_t RT_RCDATA = 10;
constexpr std::uint16_t RT_GROUP_ICON = 14;
constexpr std::uint16_t RT_VERSION = 16;

constexpr std::uint16_t kLangNeutral = 0;
constexpr std::uint16_t kLangEnglishUS = 1033;

struct TResourceEntry {
    std::uint16_t Type;
    std::string Name;  // upper case; a numbered resource is "#n"
    std::uint16_t Language;
    const std::uint8_t* Data;
    std::size_t Size;
};

// A resource as a language resource module lists it, in plain C layout so that any compiler
// can build one.
struct TResourceRecord {
    std::uint16_t Type;
    std::uint16_t Language;
    const char* Name;
    const std::uint8_t* Data;
    std::size_t Size;
};

// A language resource module is a shared library that exports this function: it returns its
// resources and stores their number in *count. The records and their data live as long as the
// library is loaded.
using TResourceTableProc = const TResourceRecord* (*)(std::size_t* count);
constexpr const char* kResourceTableSymbol = "QmResourceTable";

struct TModuleRecordImpl {
    std::string FileName;
    std::vector<TResourceEntry> Resources;
    // The operating system's handle of the library, when LoadLibraryA loaded the module; such
    // a record belongs to the library and FreeLibrary releases both.
    void* Library = nullptr;

    // The resource of that type and name (case-insensitive), preferring the language asked
    // for, then neutral, then any; null when there is none.
    const TResourceEntry* Find(std::uint16_t type, const std::string& name,
                               std::uint16_t language = kLangNeutral) const;
};

// A loaded module's file and resources as a record, for tools that list them. The record owns
// nothing and its Library is null: the data lives in the module for as long as it stays
// loaded.
TModuleRecordImpl DescribeModule(HMODULE module);
