#include "modules/FrameworkUnits.h"

#include <array>

#include "modules/TUnitState.h"

namespace FrameworkUnits {
namespace {

// What each unit stands for in this layer:
//   System    core/ (the module list, packages, unit counts)  Types     core/Types.h
//   Windows   win/ (the Win32 calls)                          Messages  win/Messages.h
//   TypInfo   classes/TypInfo                                 Classes   classes/, streaming/, loop/
//   Graphics  gdi/, graphics/, text/                          Controls  controls/ (TControl, ...)
//   Forms     TForm, hosts/                                   StdCtrls  TGroupBox, TListBox
//   ExtCtrls  TCustomPanel, TTimer
constexpr std::array<const char*, 11> kNames = {
    "System",   "Types",    "Windows", "Messages", "TypInfo",  "Classes",
    "Graphics", "Controls", "Forms",   "StdCtrls", "ExtCtrls",
};

TUnitState gUnits[kNames.size()] = {
    TUnitState(kNames[0]), TUnitState(kNames[1]), TUnitState(kNames[2]),  TUnitState(kNames[3]),
    TUnitState(kNames[4]), TUnitState(kNames[5]), TUnitState(kNames[6]),  TUnitState(kNames[7]),
    TUnitState(kNames[8]), TUnitState(kNames[9]), TUnitState(kNames[10]),
};

template <std::size_t I>
void Initialization() {
    gUnits[I].Initialize();
}
template <std::size_t I>
void Finalization() {
    gUnits[I].Finalize();
}

template <std::size_t... I>
constexpr std::array<PackageUnitEntry, sizeof...(I)> Entries(std::index_sequence<I...>) {
    return {PackageUnitEntry{&Initialization<I>, &Finalization<I>}...};
}

constexpr auto kEntries = Entries(std::make_index_sequence<kNames.size()>());

}  // namespace

std::span<const PackageUnitEntry> BasePackage() {
    return kEntries;
}
std::span<const char* const> BasePackageNames() {
    return kNames;
}

}  // namespace FrameworkUnits
