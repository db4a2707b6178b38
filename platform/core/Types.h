// Basic value types shared by the framework and the Windows layer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

// A colour: with the high byte 0 it is red in bits 0-7, green in 8-15 and blue in 16-23;
// 0x80000000 + n names Windows system colour n. Signed, as the framework streams it.
using TColor = std::int32_t;

constexpr TColor ColorFromBits(std::uint32_t bits) { return static_cast<TColor>(bits); }
constexpr std::uint32_t ColorBits(TColor color) { return static_cast<std::uint32_t>(color); }
constexpr bool IsSystemColor(TColor color) { return (ColorBits(color) & 0x80000000u) != 0; }

// A coordinate or size worked out in 64 bits, brought back into 32 by saturation: geometry
// far outside any surface stays far outside, without overflowing on the way.
constexpr std::int32_t SaturatedInt(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and bottom edges are exclusive.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    // Saturated, as a rectangle may span more than an int holds.
    constexpr std::int32_t Width() const { return SaturatedInt(std::int64_t{Right} - Left); }
    constexpr std::int32_t Height() const { return SaturatedInt(std::int64_t{Bottom} - Top); }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    return TRect{left, top, right, bottom};
}
constexpr TPoint Point(std::int32_t x, std::int32_t y) { return TPoint{x, y}; }

// Both corners put in order, as GDI does with the rectangle of a call.
constexpr TRect NormalizedRect(const TRect& r) {
    return TRect{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                 std::max(r.Top, r.Bottom)};
}

// An empty result is (0, 0, 0, 0), so that empty rectangles compare equal.
constexpr TRect IntersectRects(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}

constexpr TRect UnionRects(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom)};
}

// Saturated: a rectangle moved past what an int holds stays at its edge, far off any surface.
constexpr TRect Translated(const TRect& r, std::int32_t dx, std::int32_t dy) {
    return TRect{SaturatedInt(std::int64_t{r.Left} + dx), SaturatedInt(std::int64_t{r.Top} + dy),
                 SaturatedInt(std::int64_t{r.Right} + dx),
                 SaturatedInt(std::int64_t{r.Bottom} + dy)};
}

// A set of enumeration values, as the framework's sets are: bit n stands for ordinal n.
template <class E>
class TSet {
    static_assert(std::is_enum_v<E>);

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values) Include(v);
    }
    static constexpr TSet FromBits(std::uint32_t bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }

    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr TSet& Include(E v) {
        FBits |= Bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v) {
        FBits &= ~Bit(v);
        return *this;
    }
    constexpr std::uint32_t Bits() const { return FBits; }
    constexpr bool IsEmpty() const { return FBits == 0; }

    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    friend constexpr bool operator==(const TSet&, const TSet&) = default;

private:
    static constexpr std::uint32_t Bit(E v) { return 1u << static_cast<unsigned>(v); }
    std::uint32_t FBits = 0;
};
