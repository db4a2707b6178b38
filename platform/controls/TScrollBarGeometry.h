// A classic scroll bar: two arrow buttons at the ends, a dithered track between them and a
// thumb whose length shows the page against the range. Works out where each part lies, which
// part a point hits, where a dragged thumb puts the position, and paints the bar.
//
//   vertical            horizontal
//   +----+              +----+-----------+=====+------+----+
//   | /\ |  arrow 1     | <  | track     |thumb| track|  > |
//   +----+              +----+-----------+=====+------+----+
//   |::::|  track (page up / left)
//   +====+
//   |    |  thumb
//   +====+
//   |::::|  track (page down / right)
//   +----+
//   | \/ |  arrow 2
//   +----+
#pragma once

#include <cstdint>

#include "core/Types.h"
#include "win/WinApi.h"

enum class TScrollBarPart : std::uint8_t { None, Arrow1, PageBack, Thumb, PageForward, Arrow2 };

class TScrollBarGeometry {
public:
    // The classic width of a vertical bar and height of a horizontal one, and the length of
    // each arrow button while the bar is longer than both arrows and the shortest track.
    static constexpr int kSize = 16;
    // A shorter bar keeps a track this long and splits the rest between its two arrows.
    static constexpr int kMinTrack = 4;
    // A thumb is never shorter than this; a track shorter than it shows no thumb.
    static constexpr int kMinThumb = 8;

    // bar: the bar's rectangle; positions run from 0 to range - page.
    TScrollBarGeometry(const TRect& bar, bool vertical, int position, int page, int range);

    const TRect& Bar() const { return FBar; }
    TRect Arrow1Rect() const;
    TRect Arrow2Rect() const;
    TRect TrackRect() const;
    // Empty when the track is too short for a thumb or there is nothing to scroll.
    TRect ThumbRect() const;
    int MaxPosition() const;

    TScrollBarPart HitTest(TPoint p) const;
    // The position that puts the thumb's leading edge at the given coordinate along the bar.
    int PositionForThumbAt(int thumbStart) const;
    // The coordinate along the bar of a point.
    int Along(TPoint p) const { return FVertical ? p.Y : p.X; }
    int ThumbStart() const;

    void Paint(HDC dc) const;

private:
    int Length() const { return FVertical ? FBar.Height() : FBar.Width(); }
    int ArrowLength() const;
    int ThumbLength() const;
    TRect Span(int from, int to) const;  // the part of the bar between two coordinates along it

    TRect FBar;
    bool FVertical;
    int FPosition;
    int FPage;
    int FRange;
};
