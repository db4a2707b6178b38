// The framework's control enumerations, with their ordinals, and their type information.
#pragma once

#include <cstdint>

#include "classes/TypInfo.h"
#include "core/Types.h"

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TBiDiMode : std::uint8_t {
    bdLeftToRight,
    bdRightToLeft,
    bdRightToLeftNoAlign,
    bdRightToLeftReadingOnly,
};

enum TDragMode : std::uint8_t { dmManual, dmAutomatic };
enum TDragKind : std::uint8_t { dkDrag, dkDock };

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

// Border styles of forms; a control's TBorderStyle takes the first two.
enum TFormBorderStyle : std::uint8_t {
    bsNone,
    bsSingle,
    bsSizeable,
    bsDialog,
    bsToolWindow,
    bsSizeToolWin,
};
using TBorderStyle = TFormBorderStyle;

using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crDrag = -12;

enum TControlStyleItem : std::uint8_t {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
};
using TControlStyle = TSet<TControlStyleItem>;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// Owner-draw state bits passed to DrawItem.
enum TOwnerDrawStateItem : std::uint8_t {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

const TTypeInfo* TypeInfoTAlign();
const TTypeInfo* TypeInfoTAnchorKind();
const TTypeInfo* TypeInfoTAnchors();
const TTypeInfo* TypeInfoTBiDiMode();
const TTypeInfo* TypeInfoTDragMode();
const TTypeInfo* TypeInfoTDragKind();
const TTypeInfo* TypeInfoTAlignment();
const TTypeInfo* TypeInfoTBevelCut();
const TTypeInfo* TypeInfoTBorderStyle();
const TTypeInfo* TypeInfoTFormBorderStyle();
const TTypeInfo* TypeInfoTCursor();
const TTypeInfo* TypeInfoTTabOrder();
const TTypeInfo* TypeInfoTBevelWidth();
const TTypeInfo* TypeInfoTBorderWidth();
