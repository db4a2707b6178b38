#include "GdiFixture.h"

#include <array>
#include <bit>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "gdi/Gdi.h"
#include "gdi/TDeviceContext.h"
#include "graphics/BmpCodec.h"

namespace {

[[noreturn]] void Fail(const std::string& path, int line, const std::string& what) {
    throw std::runtime_error(path + ":" + std::to_string(line) + ": " + what);
}

// A row of run-length coded symbols: an optional count, then a symbol of symbolWidth
// characters.
std::vector<std::string> DecodeRow(const std::string& text, int symbolWidth, int width,
                                   const std::string& path, int line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < text.size()) {
        long run = 1;
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            run = 0;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
                run = run * 10 + (text[i] - '0');
                if (run > width) Fail(path, line, "run longer than the row");
                ++i;
            }
        }
        if (i + symbolWidth > text.size()) Fail(path, line, "row ends inside a symbol");
        const std::string symbol = text.substr(i, static_cast<std::size_t>(symbolWidth));
        i += static_cast<std::size_t>(symbolWidth);
        if (static_cast<long>(out.size()) + run > width) Fail(path, line, "row too long");
        out.insert(out.end(), static_cast<std::size_t>(run), symbol);
    }
    return out;
}

}  // namespace

std::vector<TGdiFixtureCase> ReadGdiFixtures(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error(path + ": cannot open");
    std::vector<TGdiFixtureCase> cases;
    std::string text;
    int line = 0;
    TGdiFixtureCase* c = nullptr;
    while (std::getline(in, text)) {
        ++line;
        if (text.empty() || text[0] == '#') continue;
        std::istringstream words(text);
        std::string word;
        words >> word;
        if (word == "case") {
            cases.emplace_back();
            c = &cases.back();
            words >> c->Name;
            c->Line = line;
            continue;
        }
        if (!c) Fail(path, line, "expected \"case\"");
        if (word == "surface") {
            std::string color;
            if (!(words >> c->Width >> c->Height >> color) || c->Width <= 0 || c->Height <= 0 ||
                c->Width > 4096 || c->Height > 4096)
                Fail(path, line, "expected surface WIDTH HEIGHT COLOR");
        }
        if (word != "pixels") {
            c->Ops.push_back(text);
            continue;
        }
        int symbolWidth = 0, count = 0;
        if (!(words >> symbolWidth >> count) || symbolWidth < 1 || symbolWidth > 2 || count < 1)
            Fail(path, line, "expected pixels SYMBOLWIDTH COUNT");
        for (int i = 0; i < count; ++i) {
            std::string entry;
            words >> entry;
            const std::size_t eq = static_cast<std::size_t>(symbolWidth);
            if (entry.size() != eq + 7 || entry[eq] != '=' ||
                entry.find_first_not_of("0123456789abcdefABCDEF", eq + 1) != std::string::npos)
                Fail(path, line, "bad palette entry \"" + entry + "\"");
            c->Symbols.push_back(entry.substr(0, eq));
            c->Palette.push_back(
                static_cast<std::uint32_t>(std::stoul(entry.substr(eq + 1), nullptr, 16)));
        }
        if (c->Width == 0) Fail(path, line, "pixels before surface");
        for (int y = 0; y < c->Height; ++y) {
            if (!std::getline(in, text)) Fail(path, line, "missing pixel rows");
            ++line;
            const std::vector<std::string> row = DecodeRow(text, symbolWidth, c->Width, path, line);
            if (static_cast<int>(row.size()) != c->Width) Fail(path, line, "row has wrong width");
            for (const std::string& s : row) {
                std::size_t k = 0;
                while (k < c->Symbols.size() && c->Symbols[k] != s) ++k;
                if (k == c->Symbols.size()) Fail(path, line, "unknown symbol \"" + s + "\"");
                c->Expected.push_back(c->Palette[k]);
            }
        }
        if (!std::getline(in, text) || text != "end") Fail(path, line + 1, "expected \"end\"");
        ++line;
        c = nullptr;
    }
    if (c) Fail(path, line, "case \"" + c->Name + "\" has no pixels");
    return cases;
}

std::uint32_t GdiFixtureBitmapColor(int x, int y) {
    return static_cast<std::uint32_t>((16 + 3 * x) | ((16 + 3 * y) << 8) | (192 << 16));
}

TBitmapImage GdiFixtureBitmap(int width, int height) {
    TBitmapImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Pixels.Set(x, y, PixelFromColorRef(GdiFixtureBitmapColor(x, y)));
    return image;
}

// The 16-bit test bitmap as a .bmp file with those bit-field masks, read as any is: field
// values red x, green x + width * y, blue width - 1 - x, each cut to its field.
TBitmapImage GdiFixtureBitmap16(int width, int height, const std::array<std::uint32_t, 3>& masks) {
    const int stride = (2 * width + 3) / 4 * 4;
    const std::uint32_t headers = 14 + 40 + 12;
    std::vector<std::uint8_t> bmp;
    auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto field = [](unsigned value, std::uint32_t mask) {
        return (value << std::countr_zero(mask)) & mask;
    };
    bmp = {'B', 'M'};
    put(headers + static_cast<std::uint32_t>(stride * height), 4);
    put(0, 4);
    put(headers, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(-height), 4);  // top row first
    put(1, 2);
    put(16, 2);
    put(3, 4);  // BI_BITFIELDS
    for (int i = 0; i < 5; ++i) put(0, 4);
    for (std::uint32_t m : masks) put(m, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            put(field(static_cast<unsigned>(x), masks[0]) |
                    field(static_cast<unsigned>(x + width * y), masks[1]) |
                    field(static_cast<unsigned>(width - 1 - x), masks[2]),
                2);
        for (int pad = 2 * width; pad < stride; ++pad) bmp.push_back(0);
    }
    return BmpCodec::DecodeFile(bmp.data(), bmp.size());
}

TSurface ReplayGdiFixture(const TGdiFixtureCase& c) {
    TSurface surface;
    TDeviceContext dc(&surface);
    for (const std::string& op : c.Ops) {
        std::istringstream words(op);
        std::string word;
        words >> word;
        auto ints = [&](int n) {
            std::vector<int> v(static_cast<std::size_t>(n));
            for (int& x : v)
                if (!(words >> x)) throw std::runtime_error("bad operation: " + op);
            return v;
        };
        auto color = [&] {
            std::string hex;
            if (!(words >> hex)) throw std::runtime_error("bad operation: " + op);
            return static_cast<TColor>(std::stoul(hex, nullptr, 16));
        };
        if (word == "surface") {
            const std::vector<int> a = ints(2);
            surface = TSurface(a[0], a[1], PixelFromColorRef(static_cast<std::uint32_t>(color())));
            dc = TDeviceContext(&surface);
        } else if (word == "origin") {
            const std::vector<int> a = ints(2);
            TDeviceContext moved(&surface, TPoint{a[0], a[1]}, surface.Bounds());
            moved.SelectClipRegion(dc.ClipRegion());
            moved.Pen = dc.Pen;
            moved.Brush = dc.Brush;
            moved.BkMode = dc.BkMode;
            moved.BkColor = dc.BkColor;
            moved.CurrentPosition = dc.CurrentPosition;
            dc = moved;
        } else if (word == "clip") {
            const std::vector<int> a = ints(4);
            HRGN region = CreateRectRgn(a[0], a[1], a[2], a[3]);
            SelectClipRgn(&dc, region);
            DeleteObject(region);
        } else if (word == "intersectclip" || word == "excludeclip") {
            const std::vector<int> a = ints(4);
            (word == "intersectclip" ? IntersectClipRect : ExcludeClipRect)(&dc, a[0], a[1], a[2],
                                                                            a[3]);
        } else if (word == "savedc") {
            SaveDC(&dc);
        } else if (word == "restoredc") {
            RestoreDC(&dc, ints(1)[0]);
        } else if (word == "pen") {
            const std::vector<int> a = ints(2);
            dc.Pen = TGdiPen{a[0], a[1], color()};
        } else if (word == "brush" || word == "bk") {
            std::string kind;
            words >> kind;
            if (kind == "clear")
                dc.Brush.Style = BS_NULL;
            else if (kind == "transparent")
                dc.BkMode = 1;
            else if (word == "brush")
                dc.Brush = TGdiBrush{BS_SOLID, color()};
            else {
                dc.BkMode = kBkModeOpaque;
                dc.BkColor = color();
            }
        } else if (word == "fillrect" || word == "framerect" || word == "focusrect") {
            const std::vector<int> a = ints(4);
            const TRect r{a[0], a[1], a[2], a[3]};
            if (word == "fillrect")
                Gdi::FillRect(dc, r, dc.Brush);
            else if (word == "framerect")
                Gdi::FrameRect(dc, r, dc.Brush);
            else
                Gdi::DrawFocusRect(dc, r);
        } else if (word == "rectangle" || word == "ellipse") {
            const std::vector<int> a = ints(4);
            if (word == "rectangle")
                Gdi::Rectangle(dc, a[0], a[1], a[2], a[3]);
            else
                Gdi::Ellipse(dc, a[0], a[1], a[2], a[3]);
        } else if (word == "moveto" || word == "lineto") {
            const std::vector<int> a = ints(2);
            if (word == "moveto")
                Gdi::MoveTo(dc, a[0], a[1]);
            else
                Gdi::LineTo(dc, a[0], a[1]);
        } else if (word == "polyline") {
            const int n = ints(1)[0];
            const std::vector<int> a = ints(2 * n);
            std::vector<TPoint> points;
            for (int i = 0; i < n; ++i) points.push_back(TPoint{a[2 * i], a[2 * i + 1]});
            Gdi::Polyline(dc, points);
        } else if (word == "bitblt") {
            const std::vector<int> a = ints(4);
            Gdi::DrawBitmap(dc, a[0], a[1], GdiFixtureBitmap(a[2], a[3]));
        } else if (word == "stretchblt") {
            const std::vector<int> a = ints(6);
            Gdi::StretchBitmap(dc, TRect{a[0], a[1], a[0] + a[2], a[1] + a[3]},
                               GdiFixtureBitmap(a[4], a[5]));
        } else if (word == "bitblt16" || word == "stretchblt16") {
            const bool stretch = word == "stretchblt16";
            const std::vector<int> a = ints(stretch ? 6 : 4);
            std::array<std::uint32_t, 3> masks{};
            for (std::uint32_t& m : masks) {
                std::string hex;
                if (!(words >> hex)) throw std::runtime_error("bad operation: " + op);
                m = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
            }
            const TBitmapImage image =
                GdiFixtureBitmap16(a[stretch ? 4 : 2], a[stretch ? 5 : 3], masks);
            if (stretch)
                Gdi::StretchBitmap(dc, TRect{a[0], a[1], a[0] + a[2], a[1] + a[3]}, image);
            else
                Gdi::DrawBitmap(dc, a[0], a[1], image);
        } else {
            throw std::runtime_error("unknown operation: " + op);
        }
    }
    return surface;
}

std::string DescribeGdiMismatch(const TGdiFixtureCase& c, const TSurface& actual) {
    if (actual.Width() != c.Width || actual.Height() != c.Height)
        return "surface is " + std::to_string(actual.Width()) + " x " +
               std::to_string(actual.Height());
    auto symbolOf = [&](std::uint32_t color) -> std::string {
        for (std::size_t k = 0; k < c.Palette.size(); ++k)
            if (c.Palette[k] == color) return c.Symbols[k];
        return std::string(c.Symbols[0].size(), '?');
    };
    std::ostringstream out;
    int differing = 0;
    for (int y = 0; y < c.Height; ++y) {
        std::string want, got;
        bool same = true;
        for (int x = 0; x < c.Width; ++x) {
            const std::uint32_t e = c.Expected[static_cast<std::size_t>(y * c.Width + x)];
            const std::uint32_t a = ColorRefFromPixel(actual.At(x, y) & 0x00FFFFFF);
            want += symbolOf(e);
            got += symbolOf(a);
            if (e != a) {
                same = false;
                ++differing;
            }
        }
        out << (same ? "  " : "* ") << want << "   " << got << "\n";
    }
    if (differing == 0) return {};
    std::ostringstream head;
    head << differing << " pixels differ; real GDI on the left, ours on the right (? is a "
         << "colour GDI did not draw):\n";
    return head.str() + out.str();
}
