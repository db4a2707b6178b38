// Published property values spelt as a text form file spells them, whether or not the file
// would store them: what the object inspector shows and what the designer's set command reads.
#pragma once

#include <string>
#include <vector>

#include "classes/TypInfo.h"

namespace PropertyText {

// A string as form text: printable runs in quotes with '' for a quote, other characters as #n.
std::string Quote(const std::string& s);
// The value of a property that holds an ordinal, a string, an event or a component: "clRed",
// "[fsBold, fsItalic]", "'Caption'", "Button1Click", "True". Objects with properties of their
// own give "(TFont)"; a component reference gives its name, or "" for none.
std::string ValueOf(const TPersistent& instance, const TPropInfo& prop);
// The value as it reads unquoted in an edit box: a string's characters, everything else as
// ValueOf spells it.
std::string Plain(const TPersistent& instance, const TPropInfo& prop);
// Whether the property holds an object whose properties are edited one by one (a font).
bool IsNestedObject(const TPersistent& instance, const TPropInfo& prop);
// The names an enumeration, a set's elements or a colour can take, in their order.
std::vector<std::string> ValueNames(const TTypeInfo& type);

}  // namespace PropertyText
