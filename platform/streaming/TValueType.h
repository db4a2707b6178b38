// The value types of a binary form stream: one byte before each value says how it is stored.
#pragma once

#include <cstdint>

enum class TValueType : std::uint8_t {
    vaNull = 0,         // the end of a list, a collection, a property list or a component list
    vaList = 1,         // values up to a vaNull
    vaInt8 = 2,         // 1 byte
    vaInt16 = 3,        // 2 bytes, little-endian, as all numbers
    vaInt32 = 4,        // 4 bytes
    vaExtended = 5,     // 10-byte x87 extended float
    vaString = 6,       // 1-byte length, then the bytes
    vaIdent = 7,        // 1-byte length, then the name
    vaFalse = 8,        // no data
    vaTrue = 9,         // no data
    vaBinary = 10,      // 4-byte length, then the bytes
    vaSet = 11,         // element names, each with a 1-byte length, up to an empty one
    vaLString = 12,     // 4-byte length, then the bytes
    vaNil = 13,         // no data
    vaCollection = 14,  // items, each an optional order integer and a property list, up to vaNull
    vaSingle = 15,      // 4-byte float
    vaCurrency = 16,    // 8-byte integer, ten-thousandths
    vaDate = 17,        // 8-byte double, days since 30 December 1899
    vaWString = 18,     // 4-byte length in UTF-16 code units, then the code units
    vaInt64 = 19,       // 8 bytes
    vaUTF8String = 20,  // 4-byte length, then UTF-8 bytes
    vaDouble = 21,      // 8-byte double
};

constexpr std::uint8_t kLastValueType = static_cast<std::uint8_t>(TValueType::vaDouble);

// The flags of a component header: a prefix byte kFlagsPrefix | flags stands before the class
// name when any is set (and, without flags, before a class name whose length byte would read
// as one).
constexpr std::uint8_t kFlagsPrefix = 0xF0;
enum TFilerFlag : std::uint8_t {
    ffInherited = 1,  // the component comes from an ancestor form ("inherited")
    ffChildPos = 2,   // an integer with the component's position among its siblings follows
    ffInline = 4,     // a frame embedded in the form ("inline")
};

// What a value of this type is, for messages: "an integer", "a string", ...
const char* ValueTypeDescription(TValueType type);
