#include "graphics/Graphics.h"

const TTypeInfo* TypeInfoTColor() {
    static const TTypeInfo t{TTypeKind::tkInteger,
                             "TColor",
                             "Graphics",
                             TOrdType::otSLong,
                             {},
                             nullptr,
                             {
                                 {clBlack, "clBlack"},
                                 {clMaroon, "clMaroon"},
                                 {clGreen, "clGreen"},
                                 {clOlive, "clOlive"},
                                 {clNavy, "clNavy"},
                                 {clPurple, "clPurple"},
                                 {clTeal, "clTeal"},
                                 {clGray, "clGray"},
                                 {clSilver, "clSilver"},
                                 {clRed, "clRed"},
                                 {clLime, "clLime"},
                                 {clYellow, "clYellow"},
                                 {clBlue, "clBlue"},
                                 {clFuchsia, "clFuchsia"},
                                 {clAqua, "clAqua"},
                                 {clWhite, "clWhite"},
                                 {clScrollBar, "clScrollBar"},
                                 {clBackground, "clBackground"},
                                 {clActiveCaption, "clActiveCaption"},
                                 {clInactiveCaption, "clInactiveCaption"},
                                 {clMenu, "clMenu"},
                                 {clWindow, "clWindow"},
                                 {clWindowFrame, "clWindowFrame"},
                                 {clMenuText, "clMenuText"},
                                 {clWindowText, "clWindowText"},
                                 {clCaptionText, "clCaptionText"},
                                 {clActiveBorder, "clActiveBorder"},
                                 {clInactiveBorder, "clInactiveBorder"},
                                 {clAppWorkSpace, "clAppWorkSpace"},
                                 {clHighlight, "clHighlight"},
                                 {clHighlightText, "clHighlightText"},
                                 {clBtnFace, "clBtnFace"},
                                 {clBtnShadow, "clBtnShadow"},
                                 {clGrayText, "clGrayText"},
                                 {clBtnText, "clBtnText"},
                                 {clInactiveCaptionText, "clInactiveCaptionText"},
                                 {clBtnHighlight, "clBtnHighlight"},
                                 {cl3DDkShadow, "cl3DDkShadow"},
                                 {cl3DLight, "cl3DLight"},
                                 {clInfoText, "clInfoText"},
                                 {clInfoBk, "clInfoBk"},
                                 {clNone, "clNone"},
                                 {clDefault, "clDefault"},
                                 // Other names of colours above: read, never written.
                                 {clLtGray, "clLtGray"},
                                 {clDkGray, "clDkGray"},
                             }};
    return &t;
}

const TTypeInfo* TypeInfoTFontStyle() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TFontStyle",
                             "Graphics",
                             TOrdType::otUByte,
                             {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
    return &t;
}

const TTypeInfo* TypeInfoTFontStyles() {
    static const TTypeInfo t{TTypeKind::tkSet,    "TFontStyles", "Graphics", TOrdType::otUByte, {},
                             TypeInfoTFontStyle()};
    return &t;
}

const TTypeInfo* TypeInfoTFontPitch() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TFontPitch",
                             "Graphics",
                             TOrdType::otUByte,
                             {"fpDefault", "fpVariable", "fpFixed"}};
    return &t;
}

const TTypeInfo* TypeInfoTFontCharset() {
    static const TTypeInfo t{TTypeKind::tkInteger,
                             "TFontCharset",
                             "Graphics",
                             TOrdType::otUByte,
                             {},
                             nullptr,
                             {{0, "ANSI_CHARSET"},
                              {1, "DEFAULT_CHARSET"},
                              {2, "SYMBOL_CHARSET"},
                              {77, "MAC_CHARSET"},
                              {128, "SHIFTJIS_CHARSET"},
                              {129, "HANGEUL_CHARSET"},
                              {130, "JOHAB_CHARSET"},
                              {134, "GB2312_CHARSET"},
                              {136, "CHINESEBIG5_CHARSET"},
                              {161, "GREEK_CHARSET"},
                              {162, "TURKISH_CHARSET"},
                              {163, "VIETNAMESE_CHARSET"},
                              {177, "HEBREW_CHARSET"},
                              {178, "ARABIC_CHARSET"},
                              {186, "BALTIC_CHARSET"},
                              {204, "RUSSIAN_CHARSET"},
                              {222, "THAI_CHARSET"},
                              {238, "EASTEUROPE_CHARSET"},
                              {255, "OEM_CHARSET"}}};
    return &t;
}

const TTypeInfo* TypeInfoTBrushStyle() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TBrushStyle",
                             "Graphics",
                             TOrdType::otUByte,
                             {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                              "bsBDiagonal", "bsCross", "bsDiagCross"}};
    return &t;
}

const TTypeInfo* TypeInfoTPenStyle() {
    static const TTypeInfo t{
        TTypeKind::tkEnumeration,
        "TPenStyle",
        "Graphics",
        TOrdType::otUByte,
        {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
    return &t;
}

const TTypeInfo* TypeInfoTPenMode() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TPenMode",
                             "Graphics",
                             TOrdType::otUByte,
                             {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                              "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen",
                              "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"}};
    return &t;
}

void FillSolidRect(HDC dc, const TRect& r, TColor color) {
    HBRUSH brush = CreateSolidBrush(GdiColor(color));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}
