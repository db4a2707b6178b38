#include "controls/Controls.h"

namespace {
TTypeInfo Enum(const char* name, const char* unit, std::vector<const char*> names) {
    return TTypeInfo{TTypeKind::tkEnumeration, name, unit, TOrdType::otUByte, std::move(names)};
}
}  // namespace

const TTypeInfo* TypeInfoTAlign() {
    static const TTypeInfo t =
        Enum("TAlign", "Controls", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
    return &t;
}
const TTypeInfo* TypeInfoTAnchorKind() {
    static const TTypeInfo t =
        Enum("TAnchorKind", "Controls", {"akLeft", "akTop", "akRight", "akBottom"});
    return &t;
}
const TTypeInfo* TypeInfoTAnchors() {
    static const TTypeInfo t{TTypeKind::tkSet, "TAnchors", "Controls", TOrdType::otUByte, {},
                             TypeInfoTAnchorKind()};
    return &t;
}
const TTypeInfo* TypeInfoTBiDiMode() {
    static const TTypeInfo t = Enum("TBiDiMode", "Classes",
                                    {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                     "bdRightToLeftReadingOnly"});
    return &t;
}
const TTypeInfo* TypeInfoTDragMode() {
    static const TTypeInfo t = Enum("TDragMode", "Controls", {"dmManual", "dmAutomatic"});
    return &t;
}
const TTypeInfo* TypeInfoTDragKind() {
    static const TTypeInfo t = Enum("TDragKind", "Controls", {"dkDrag", "dkDock"});
    return &t;
}
const TTypeInfo* TypeInfoTAlignment() {
    static const TTypeInfo t =
        Enum("TAlignment", "Classes", {"taLeftJustify", "taRightJustify", "taCenter"});
    return &t;
}
const TTypeInfo* TypeInfoTBevelCut() {
    static const TTypeInfo t =
        Enum("TBevelCut", "ExtCtrls", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    return &t;
}
const TTypeInfo* TypeInfoTBorderStyle() {
    static const TTypeInfo t = Enum("TBorderStyle", "Forms", {"bsNone", "bsSingle"});
    return &t;
}
const TTypeInfo* TypeInfoTFormBorderStyle() {
    static const TTypeInfo t = Enum(
        "TFormBorderStyle", "Forms",
        {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    return &t;
}
const TTypeInfo* TypeInfoTCursor() {
    static const TTypeInfo t{TTypeKind::tkInteger,
                             "TCursor",
                             "Controls",
                             TOrdType::otSWord,
                             {},
                             nullptr,
                             {{0, "crDefault"},
                              {-1, "crNone"},
                              {-2, "crArrow"},
                              {-3, "crCross"},
                              {-4, "crIBeam"},
                              {-5, "crSizeNESW"},
                              {-6, "crSizeNS"},
                              {-7, "crSizeNWSE"},
                              {-8, "crSizeWE"},
                              {-9, "crUpArrow"},
                              {-11, "crHourGlass"},
                              {-12, "crDrag"},
                              {-13, "crNoDrop"},
                              {-14, "crHSplit"},
                              {-15, "crVSplit"},
                              {-16, "crMultiDrag"},
                              {-17, "crSQLWait"},
                              {-18, "crNo"},
                              {-19, "crAppStart"},
                              {-20, "crHelp"},
                              {-21, "crHandPoint"},
                              {-22, "crSizeAll"}}};
    return &t;
}
const TTypeInfo* TypeInfoTTabOrder() {
    static const TTypeInfo t{TTypeKind::tkInteger, "TTabOrder", "Controls", TOrdType::otSWord};
    return &t;
}
const TTypeInfo* TypeInfoTBevelWidth() {
    static const TTypeInfo t{TTypeKind::tkInteger, "TBevelWidth", "ExtCtrls", TOrdType::otSLong};
    return &t;
}
const TTypeInfo* TypeInfoTBorderWidth() {
    static const TTypeInfo t{TTypeKind::tkInteger, "TBorderWidth", "Controls", TOrdType::otSLong};
    return &t;
}
