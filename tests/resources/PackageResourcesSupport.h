// Helpers for the tests of the package's resources: a module record holding them, and fields
// read straight from their bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "modules/TModuleRecordImpl.h"

// A module whose resources are the package's (palette bitmaps, records, icon, version).
const TModuleRecordImpl& PackageResourceModule();

// The resource of that type and name in it; fails the test when it is missing.
const TResourceEntry& PackageResource(std::uint16_t type, const std::string& name);

// The resource's bytes.
std::vector<std::uint8_t> Bytes(const TResourceEntry& r);

// Little-endian fields of a resource.
std::uint32_t Field32(const TResourceEntry& r, std::size_t offset);
std::uint16_t Field16(const TResourceEntry& r, std::size_t offset);
