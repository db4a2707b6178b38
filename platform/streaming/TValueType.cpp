#include "streaming/TValueType.h"

const char* ValueTypeDescription(TValueType type) {
    switch (type) {
        case TValueType::vaNull:
            return "the end of a list";
        case TValueType::vaList:
            return "a list";
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
        case TValueType::vaInt64:
            return "an integer";
        case TValueType::vaExtended:
        case TValueType::vaSingle:
        case TValueType::vaDouble:
            return "a float";
        case TValueType::vaCurrency:
            return "a currency value";
        case TValueType::vaDate:
            return "a date";
        case TValueType::vaString:
        case TValueType::vaLString:
        case TValueType::vaWString:
        case TValueType::vaUTF8String:
            return "a string";
        case TValueType::vaIdent:
            return "a name";
        case TValueType::vaFalse:
        case TValueType::vaTrue:
            return "a Boolean";
        case TValueType::vaBinary:
            return "binary data";
        case TValueType::vaSet:
            return "a set";
        case TValueType::vaNil:
            return "nil";
        case TValueType::vaCollection:
            return "a collection";
    }
    return "an unknown value";
}
