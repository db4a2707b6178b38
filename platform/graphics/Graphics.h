// The framework's graphics enumerations and named colours.
#pragma once

#include <cstdint>

#include "classes/TypInfo.h"
#include "core/Types.h"
#include "win/WinApi.h"

enum TBrushStyle : std::uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross,
};

enum TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
};

enum TPenMode : std::uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor,
};

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;
#ifndef _WIN32  // the system's headers name them
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
#endif

constexpr TColor clScrollBar = ColorFromBits(0x80000000);
constexpr TColor clBackground = ColorFromBits(0x80000001);
constexpr TColor clActiveCaption = ColorFromBits(0x80000002);
constexpr TColor clInactiveCaption = ColorFromBits(0x80000003);
constexpr TColor clMenu = ColorFromBits(0x80000004);
constexpr TColor clWindow = ColorFromBits(0x80000005);
constexpr TColor clWindowFrame = ColorFromBits(0x80000006);
constexpr TColor clMenuText = ColorFromBits(0x80000007);
constexpr TColor clWindowText = ColorFromBits(0x80000008);
constexpr TColor clCaptionText = ColorFromBits(0x80000009);
constexpr TColor clActiveBorder = ColorFromBits(0x8000000A);
constexpr TColor clInactiveBorder = ColorFromBits(0x8000000B);
constexpr TColor clAppWorkSpace = ColorFromBits(0x8000000C);
constexpr TColor clHighlight = ColorFromBits(0x8000000D);
constexpr TColor clHighlightText = ColorFromBits(0x8000000E);
constexpr TColor clBtnFace = ColorFromBits(0x8000000F);
constexpr TColor clBtnShadow = ColorFromBits(0x80000010);
constexpr TColor clGrayText = ColorFromBits(0x80000011);
constexpr TColor clBtnText = ColorFromBits(0x80000012);
constexpr TColor clInactiveCaptionText = ColorFromBits(0x80000013);
constexpr TColor clBtnHighlight = ColorFromBits(0x80000014);
constexpr TColor cl3DDkShadow = ColorFromBits(0x80000015);
constexpr TColor cl3DLight = ColorFromBits(0x80000016);
constexpr TColor clInfoText = ColorFromBits(0x80000017);
constexpr TColor clInfoBk = ColorFromBits(0x80000018);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// Fills r on the context with a solid colour, through a brush made for the call.
void FillSolidRect(HDC dc, const TRect& r, TColor color);

// Type information of the graphics types: TColor writes by name where it has one.
const TTypeInfo* TypeInfoTColor();
const TTypeInfo* TypeInfoTFontStyle();
const TTypeInfo* TypeInfoTFontStyles();
const TTypeInfo* TypeInfoTFontPitch();
const TTypeInfo* TypeInfoTFontCharset();
const TTypeInfo* TypeInfoTBrushStyle();
const TTypeInfo* TypeInfoTPenStyle();
const TTypeInfo* TypeInfoTPenMode();
