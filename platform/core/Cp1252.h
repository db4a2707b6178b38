// Code page 1252: the byte strings of the framework, mapped to Unicode only to find glyphs.
#pragma once

#include <cstdint>

// The Unicode code point of a code page 1252 byte; undefined bytes map to themselves.
std::uint32_t Cp1252ToUnicode(unsigned char ch);
