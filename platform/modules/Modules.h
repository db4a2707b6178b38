// The framework's list of loaded modules: each module registers its record at start and
// unregisters it at end; the record says which module supplies its resources.
#pragma once

#include <string>
#include <vector>

#include "win/WinApi.h"

struct TLibModule {
    TLibModule* Next = nullptr;
    HINSTANCE Instance = nullptr;      // the module itself
    HINSTANCE CodeInstance = nullptr;  // 0: code and data are the module's own
    HINSTANCE DataInstance = nullptr;
    HINSTANCE ResInstance = nullptr;  // the module or its language resource module
    int Reserved = 0;
};

// The head of the list of registered modules, the last registered first.
TLibModule* LibModuleList();

// Adds the record to the list; a record already there stays where it is.
void RegisterModule(TLibModule* module);
// Tells every module-unload procedure, then takes the record out of the list.
void UnregisterModule(TLibModule* module);

// Called with a module's instance when it is unregistered, so that what the framework keeps
// of that module (its classes) goes before its code does.
using TModuleUnloadProc = void (*)(HINSTANCE module);
void AddModuleUnloadProc(TModuleUnloadProc proc);
void RemoveModuleUnloadProc(TModuleUnloadProc proc);

// The file of the loaded library or program that holds the address, empty when none does.
std::string ModuleFileOf(const void* address);
// The file a module was loaded from, however long its name; empty for a null module.
std::string ModuleFileName(HMODULE module);
// The registered module that holds the address (code or data), or null.
HINSTANCE FindHInstance(const void* address);
// The resource instance of a registered module, or the instance itself when it is not
// registered.
HINSTANCE FindResourceHInstance(HINSTANCE instance);

// The language resource module files tried for a module, in order. On Linux, for a locale
// such as "de_DE.UTF-8": "<module>.de_DE", then "<module>.de"; none for an empty locale, "C",
// "POSIX", or a locale with characters other than letters, digits, '_' and '-'. On Windows,
// for a language such as "DEU": the module's file with its extension replaced, "<stem>.DEU",
// then "<stem>.DE"; none for an empty language or one with characters other than letters.
std::vector<std::string> ResourceModuleNames(const std::string& moduleFileName,
                                             const std::string& locale);
// The user's language for messages. On Linux the first set of LC_ALL, LC_MESSAGES and LANG;
// on Windows the abbreviated name of the thread locale's language ("DEU"), which is the
// user's unless the thread was given another.
std::string UserLocale();
// Loads the first of ResourceModuleNames(moduleFileName, UserLocale()) that exists and is a
// language resource module: on Linux a library with a resource table, on Windows any module,
// loaded as data for its resources. Null when there is none.
HMODULE LoadResourceModule(const char* moduleFileName);
