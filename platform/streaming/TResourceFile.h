// The resource file a design environment saves a binary form in: an empty resource entry that
// marks a 32-bit resource file, then an RCDATA resource named after the form's class in upper
// case, whose data are the form stream. Older tools write a 16-bit resource header instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace TResourceFile {

// Whether the data start like a resource file (32-bit or 16-bit) rather than a bare stream.
bool HasResourceHeader(std::span<const std::uint8_t> data);

// The form stream inside a resource file: the data of its first RCDATA resource, and where
// they start in the file. Raises EReadError naming the offset when the file is malformed.
std::span<const std::uint8_t> FindFormStream(std::span<const std::uint8_t> data,
                                             std::size_t& streamOffset);

// A 32-bit resource file holding stream as the RCDATA resource named className in upper case.
std::vector<std::uint8_t> Wrap(std::span<const std::uint8_t> stream, const std::string& className);

}  // namespace TResourceFile
