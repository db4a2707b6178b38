/* Draws the shapes the controls use with real GDI on 32-bit DIB sections and prints each
 * case as a fixture: the drawing operations, then the pixels they produced. The tests replay
 * the same operations through our rasterizer and compare, so they never need Windows or Wine.
 *
 * Build and run through tools/wine/make-gdi-fixtures.sh. Usage: gdi-fixtures FAMILY, where
 * FAMILY is one of rectangles, ellipses, lines, fills, blits, regions, bitmaps16; the fixture
 * goes to stdout.
 *
 * Fixture format (text, one case after another):
 *
 *   case NAME
 *   OPERATION...            one a line, in the order they were performed
 *   pixels SYMBOLWIDTH COUNT SYMBOL=BBGGRR...
 *   ROW...                  HEIGHT rows, top first
 *   end
 *
 * Operations (coordinates logical, colours COLORREF hex 0xBBGGRR as RGB() makes them):
 *   surface W H COLOR       a new W x H surface filled with COLOR, a fresh DC on it
 *   origin X Y              logical (0, 0) lies at device (X, Y) (the viewport origin)
 *   clip L T R B            clip to the device rectangle
 *   pen STYLE WIDTH COLOR   CreatePen; STYLE 0 solid, 1 dash, 5 null
 *   brush solid COLOR | brush clear
 *   bk opaque COLOR | bk transparent
 *   fillrect L T R B        FillRect with the selected brush
 *   framerect L T R B       FrameRect with the selected brush
 *   rectangle L T R B | ellipse L T R B
 *   moveto X Y | lineto X Y
 *   polyline N X1 Y1 ... XN YN
 *   focusrect L T R B       DrawFocusRect
 *   bitblt X Y SW SH        SRCCOPY of the SW x SH test bitmap at its own size
 *   stretchblt X Y W H SW SH  StretchBlt (COLORONCOLOR) of the SW x SH test bitmap to W x H
 *   bitblt16 X Y SW SH RMASK GMASK BMASK
 *   stretchblt16 X Y W H SW SH RMASK GMASK BMASK
 *                           the same from a 16-bit DIB section with those bit-field masks (hex)
 *   intersectclip L T R B | excludeclip L T R B
 *                           IntersectClipRect, ExcludeClipRect (logical coordinates)
 *   savedc | restoredc N    SaveDC, RestoreDC
 *
 * The test bitmap has pixel (x, y) = RGB(16 + 3x, 16 + 3y, 192), distinct up to 64 x 64. The
 * 16-bit test bitmap has red x, green x + SW * y and blue SW - 1 - x in its fields, each cut
 * to the field's width, so that a 32 x 2 bitmap holds every value of 5- and 6-bit fields.
 * Rows are run-length coded: an optional decimal count, then a symbol of SYMBOLWIDTH
 * characters; the surface's fill colour is always ".".
 */
#include <fcntl.h>
#include <io.h>
#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include "fixture-pixels.h"

static HDC dc;
static HBITMAP surfaceBitmap, oldSurfaceBitmap;
static DWORD* bits;
static int width, height;
static COLORREF fillColor;
static HPEN pen;
static HBRUSH brush;

static void fail(const char* what, const char* line) {
    fprintf(stderr, "gdi-fixtures: %s: %s\n", what, line);
    exit(1);
}

static DWORD* new_dib(HDC on, int w, int h, HBITMAP* bitmap) {
    BITMAPINFO bi;
    void* p = NULL;
    memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; /* top row first */
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    *bitmap = CreateDIBSection(on, &bi, DIB_RGB_COLORS, &p, NULL, 0);
    if (!*bitmap) fail("CreateDIBSection failed", "");
    return p;
}

static COLORREF test_bitmap_color(int x, int y) {
    return RGB(16 + 3 * x, 16 + 3 * y, 192);
}

/* Draws the sw x sh bitmap selected into src at (x, y), stretched to w x h or not, then puts
 * src's old bitmap back and frees both. */
static void blit_and_free(HDC src, HGDIOBJ old, HBITMAP bm, int x, int y, int w, int h, int sw,
                          int sh, int stretch) {
    if (stretch) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, x, y, w, h, src, 0, 0, sw, sh, SRCCOPY);
    } else {
        BitBlt(dc, x, y, sw, sh, src, 0, 0, SRCCOPY);
    }
    SelectObject(src, old);
    DeleteObject(bm);
    DeleteDC(src);
}

static void draw_test_bitmap(int x, int y, int w, int h, int sw, int sh, int stretch) {
    HDC src = CreateCompatibleDC(dc);
    HBITMAP bm;
    DWORD* p = new_dib(src, sw, sh, &bm);
    HGDIOBJ old = SelectObject(src, bm);
    int i, j;
    for (j = 0; j < sh; ++j)
        for (i = 0; i < sw; ++i) p[j * sw + i] = pixel_of(test_bitmap_color(i, j));
    blit_and_free(src, old, bm, x, y, w, h, sw, sh, stretch);
}

/* A channel value cut to its mask's width and put in its place. */
static DWORD put_field(unsigned value, DWORD mask) {
    int shift = 0;
    while (!(mask >> shift & 1)) ++shift;
    return (value << shift) & mask;
}

static void draw_test_bitmap16(int x, int y, int w, int h, int sw, int sh, int stretch,
                               const DWORD masks[3]) {
    HDC src = CreateCompatibleDC(dc);
    struct {
        BITMAPINFOHEADER h;
        DWORD masks[3];
    } bi;
    WORD* p = NULL;
    HBITMAP bm;
    HGDIOBJ old;
    int i, j;
    memset(&bi, 0, sizeof bi);
    bi.h.biSize = sizeof bi.h;
    bi.h.biWidth = sw;
    bi.h.biHeight = -sh;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = 16;
    bi.h.biCompression = BI_BITFIELDS;
    memcpy(bi.masks, masks, sizeof bi.masks);
    bm = CreateDIBSection(src, (BITMAPINFO*)&bi, DIB_RGB_COLORS, (void**)&p, NULL, 0);
    if (!bm) fail("CreateDIBSection failed", "16-bit");
    old = SelectObject(src, bm);
    for (j = 0; j < sh; ++j)
        for (i = 0; i < sw; ++i)
            p[j * ((sw + 1) & ~1) + i] =
                (WORD)(put_field(i, masks[0]) | put_field(i + sw * j, masks[1]) |
                       put_field(sw - 1 - i, masks[2]));
    blit_and_free(src, old, bm, x, y, w, h, sw, sh, stretch);
}

static void release_surface(void) {
    if (!dc) return;
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    if (pen) DeleteObject(pen);
    if (brush) DeleteObject(brush);
    pen = NULL;
    brush = NULL;
    SelectObject(dc, oldSurfaceBitmap);
    DeleteObject(surfaceBitmap);
    DeleteDC(dc);
    dc = NULL;
}

static void select_pen(HPEN p) {
    SelectObject(dc, p);
    if (pen) DeleteObject(pen);
    pen = p;
}

static void select_brush(HBRUSH b) {
    SelectObject(dc, b);
    if (brush) DeleteObject(brush);
    brush = b;
}

/* Performs one operation of the fixture language. */
static void perform(const char* line) {
    char word[32], arg[32];
    int a[200], n = 0, used = 0, i;
    unsigned color;
    if (sscanf(line, "%31s%n", word, &used) != 1) fail("empty operation", line);
    const char* rest = line + used;

    if (!strcmp(word, "brush") || !strcmp(word, "bk")) {
        if (sscanf(rest, "%31s", arg) != 1) fail("missing argument", line);
        color = 0;
        if (strcmp(arg, "clear") && strcmp(arg, "transparent") &&
            sscanf(rest, "%*s %x", &color) != 1)
            fail("missing colour", line);
        if (!strcmp(word, "brush"))
            select_brush(!strcmp(arg, "clear") ? (HBRUSH)GetStockObject(NULL_BRUSH)
                                               : CreateSolidBrush(color));
        else if (!strcmp(arg, "transparent"))
            SetBkMode(dc, TRANSPARENT);
        else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, color);
        }
        return;
    }
    if (!strcmp(word, "bitblt16") || !strcmp(word, "stretchblt16")) {
        DWORD m[3];
        int stretch = !strcmp(word, "stretchblt16"), count = stretch ? 6 : 4;
        for (i = 0; i < count; ++i) {
            if (sscanf(rest, "%d%n", &a[i], &used) != 1) fail("bad arguments", line);
            rest += used;
        }
        if (sscanf(rest, "%lx %lx %lx", &m[0], &m[1], &m[2]) != 3) fail("bad masks", line);
        if (!dc) fail("no surface yet", line);
        if (stretch)
            draw_test_bitmap16(a[0], a[1], a[2], a[3], a[4], a[5], 1, m);
        else
            draw_test_bitmap16(a[0], a[1], 0, 0, a[2], a[3], 0, m);
        return;
    }
    if (!strcmp(word, "surface") || !strcmp(word, "pen")) {
        if (sscanf(rest, "%d %d %x", &a[0], &a[1], &color) != 3) fail("bad arguments", line);
        if (!strcmp(word, "pen")) {
            select_pen(CreatePen(a[0], a[1], color));
            return;
        }
        release_surface();
        width = a[0];
        height = a[1];
        fillColor = color;
        dc = CreateCompatibleDC(NULL);
        bits = new_dib(dc, width, height, &surfaceBitmap);
        oldSurfaceBitmap = SelectObject(dc, surfaceBitmap);
        for (i = 0; i < width * height; ++i) bits[i] = pixel_of(color);
        return;
    }

    while (n < 200) {
        if (sscanf(rest, "%d%n", &a[n], &used) != 1) break;
        rest += used;
        ++n;
    }
    if (!dc) fail("no surface yet", line);
    if (!strcmp(word, "origin") && n == 2) {
        SetViewportOrgEx(dc, a[0], a[1], NULL);
    } else if (!strcmp(word, "clip") && n == 4) {
        HRGN r = CreateRectRgn(a[0], a[1], a[2], a[3]);
        SelectClipRgn(dc, r);
        DeleteObject(r);
    } else if (!strcmp(word, "intersectclip") && n == 4) {
        IntersectClipRect(dc, a[0], a[1], a[2], a[3]);
    } else if (!strcmp(word, "excludeclip") && n == 4) {
        ExcludeClipRect(dc, a[0], a[1], a[2], a[3]);
    } else if (!strcmp(word, "savedc") && n == 0) {
        SaveDC(dc);
    } else if (!strcmp(word, "restoredc") && n == 1) {
        RestoreDC(dc, a[0]);
    } else if (!strcmp(word, "fillrect") && n == 4) {
        RECT r = {a[0], a[1], a[2], a[3]};
        HGDIOBJ b = GetCurrentObject(dc, OBJ_BRUSH);
        FillRect(dc, &r, b);
    } else if (!strcmp(word, "framerect") && n == 4) {
        RECT r = {a[0], a[1], a[2], a[3]};
        FrameRect(dc, &r, GetCurrentObject(dc, OBJ_BRUSH));
    } else if (!strcmp(word, "rectangle") && n == 4) {
        Rectangle(dc, a[0], a[1], a[2], a[3]);
    } else if (!strcmp(word, "ellipse") && n == 4) {
        Ellipse(dc, a[0], a[1], a[2], a[3]);
    } else if (!strcmp(word, "moveto") && n == 2) {
        MoveToEx(dc, a[0], a[1], NULL);
    } else if (!strcmp(word, "lineto") && n == 2) {
        LineTo(dc, a[0], a[1]);
    } else if (!strcmp(word, "polyline") && n >= 1 && a[0] >= 2 && n == 1 + 2 * a[0]) {
        Polyline(dc, (const POINT*)&a[1], a[0]);
    } else if (!strcmp(word, "focusrect") && n == 4) {
        RECT r = {a[0], a[1], a[2], a[3]};
        DrawFocusRect(dc, &r);
    } else if (!strcmp(word, "bitblt") && n == 4) {
        draw_test_bitmap(a[0], a[1], 0, 0, a[2], a[3], 0);
    } else if (!strcmp(word, "stretchblt") && n == 6) {
        draw_test_bitmap(a[0], a[1], a[2], a[3], a[4], a[5], 1);
    } else {
        fail("unknown operation", line);
    }
}

/* ---- output ---------------------------------------------------------------------------- */

static void op(const char* fmt, ...) {
    char line[2048];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(line, sizeof line, fmt, ap);
    va_end(ap);
    perform(line);
    printf("%s\n", line);
}

static void end_case(void) {
    print_pixels(bits, width, height, fillColor);
    release_surface();
}

/* ---- the cases --------------------------------------------------------------------------- */

#define SENTINEL 0x5a3c1e
#define PEN 0x0000c0
#define BRUSH 0x60e060
#define BK 0xc06000

struct pen_kind {
    const char* name;
    int style, width;
};

static const struct pen_kind kRectPens[] = {
    {"solid1", PS_SOLID, 1}, {"solid2", PS_SOLID, 2}, {"solid3", PS_SOLID, 3},
    {"solid4", PS_SOLID, 4}, {"solid5", PS_SOLID, 5}, {"null", PS_NULL, 1},
    {"dash1", PS_DASH, 1},
};

static void rectangles(void) {
    static const int boxes[][4] = {
        {3, 3, 13, 10}, {4, 4, 5, 5},  {4, 4, 6, 6},   {4, 3, 7, 6},   {4, 2, 5, 12},
        {2, 5, 12, 6},  {3, 2, 5, 11}, {13, 10, 3, 3}, {3, 10, 13, 3}, {5, 2, 5, 9},
        {2, 6, 12, 6},  {6, 6, 9, 14}, {2, 2, 16, 16},
    };
    size_t p, b;
    int clear;
    for (p = 0; p < sizeof kRectPens / sizeof *kRectPens; ++p)
        for (b = 0; b < sizeof boxes / sizeof *boxes; ++b)
            for (clear = 0; clear <= 1; ++clear) {
                const int* r = boxes[b];
                begin_case("rectangle-%s-%s-%d,%d,%d,%d", kRectPens[p].name,
                           clear ? "clear" : "solid", r[0], r[1], r[2], r[3]);
                op("surface 20 19 %06x", SENTINEL);
                op("pen %d %d %06x", kRectPens[p].style, kRectPens[p].width, PEN);
                if (clear)
                    op("brush clear");
                else
                    op("brush solid %06x", BRUSH);
                op("bk transparent");
                op("rectangle %d %d %d %d", r[0], r[1], r[2], r[3]);
                end_case();
            }

    /* The dash pattern runs on around the corners, starting at the top-right corner. */
    {
        static const int dashed[][4] = {
            {0, 0, 80, 18}, {1, 1, 41, 31}, {3, 2, 64, 29}, {0, 0, 25, 7}, {2, 2, 9, 60},
        };
        for (b = 0; b < sizeof dashed / sizeof *dashed; ++b)
            for (clear = 0; clear <= 1; ++clear) {
                const int* r = dashed[b];
                begin_case("rectangle-dash-%s-%d,%d,%d,%d", clear ? "transparent" : "opaque", r[0],
                           r[1], r[2], r[3]);
                op("surface %d %d %06x", r[2] + 2, r[3] + 2, SENTINEL);
                op("pen 1 1 000000");
                op("brush clear");
                if (clear)
                    op("bk transparent");
                else
                    op("bk opaque %06x", BK);
                op("rectangle %d %d %d %d", r[0], r[1], r[2], r[3]);
                end_case();
            }
    }

    /* Clipped, at negative coordinates, through an origin. */
    {
        static const struct {
            const char* name;
            int origin[2], clip[4], box[4];
        } kClipped[] = {
            {"negative", {0, 0}, {0, 0, 24, 20}, {-5, -4, 10, 9}},
            {"offsurface", {0, 0}, {0, 0, 24, 20}, {14, 12, 30, 27}},
            {"clipped", {0, 0}, {5, 4, 17, 13}, {2, 2, 20, 17}},
            {"clipinside", {0, 0}, {7, 6, 12, 10}, {2, 2, 20, 17}},
            {"origin", {6, 5}, {0, 0, 24, 20}, {-3, -2, 8, 9}},
            {"originclip", {-4, 3}, {3, 2, 21, 12}, {5, -6, 20, 12}},
        };
        size_t c;
        for (c = 0; c < sizeof kClipped / sizeof *kClipped; ++c)
            for (p = 0; p < sizeof kRectPens / sizeof *kRectPens; ++p) {
                if (kRectPens[p].width == 2 || kRectPens[p].width == 4) continue;
                begin_case("rectangle-%s-%s", kClipped[c].name, kRectPens[p].name);
                op("surface 24 20 %06x", SENTINEL);
                op("origin %d %d", kClipped[c].origin[0], kClipped[c].origin[1]);
                op("clip %d %d %d %d", kClipped[c].clip[0], kClipped[c].clip[1],
                   kClipped[c].clip[2], kClipped[c].clip[3]);
                op("pen %d %d %06x", kRectPens[p].style, kRectPens[p].width, PEN);
                op("brush solid %06x", BRUSH);
                op("bk opaque %06x", BK);
                op("rectangle %d %d %d %d", kClipped[c].box[0], kClipped[c].box[1],
                   kClipped[c].box[2], kClipped[c].box[3]);
                end_case();
            }
    }
}

static void ellipse_case(const char* tag, int w, int h, int penStyle, int clear) {
    begin_case("ellipse-%s-%s-%s-%dx%d", tag, penStyle == PS_NULL ? "null" : "solid",
               clear ? "clear" : "solid", w, h);
    op("surface %d %d %06x", w + 4, h + 4, SENTINEL);
    op("pen %d 1 %06x", penStyle, PEN);
    if (clear)
        op("brush clear");
    else
        op("brush solid %06x", BRUSH);
    op("ellipse 2 2 %d %d", 2 + w, 2 + h);
    end_case();
}

static void ellipses(void) {
    int w, h, k;
    static const int kPens[][2] = {{PS_SOLID, 0}, {PS_SOLID, 1}, {PS_NULL, 0}};
    for (k = 0; k < 3; ++k) {
        for (w = 1; w <= 64; ++w) ellipse_case("circle", w, w, kPens[k][0], kPens[k][1]);
        for (w = 1; w <= 64; ++w)
            ellipse_case("wide", w, w / 3 + 1 + (w & 1), kPens[k][0], kPens[k][1]);
        for (w = 1; w <= 10; ++w)
            for (h = 1; h <= 10; ++h)
                if (w != h) ellipse_case("small", w, h, kPens[k][0], kPens[k][1]);
        for (h = 12; h <= 64; h += 13) ellipse_case("tall", h / 4 + 1, h, kPens[k][0], kPens[k][1]);
    }
    for (w = 3; w <= 20; w += 3) {
        static const int kWidths[] = {2, 3, 4};
        for (k = 0; k < 3; ++k) {
            begin_case("ellipse-wide%d-%dx%d", kWidths[k], w, w + 2);
            op("surface %d %d %06x", w + 8, w + 10, SENTINEL);
            op("pen 0 %d %06x", kWidths[k], PEN);
            op("brush solid %06x", BRUSH);
            op("ellipse 4 4 %d %d", 4 + w, 6 + w);
            end_case();
        }
    }
    begin_case("ellipse-swapped");
    op("surface 20 16 %06x", SENTINEL);
    op("pen 0 1 %06x", PEN);
    op("brush solid %06x", BRUSH);
    op("ellipse 17 13 3 2");
    end_case();

    /* Partly clipped, at negative coordinates, through an origin. */
    for (k = 0; k < 3; ++k) {
        static const struct {
            const char* name;
            int origin[2], clip[4], box[4];
        } kClipped[] = {
            {"negative", {0, 0}, {0, 0, 30, 24}, {-9, -6, 14, 13}},
            {"offsurface", {0, 0}, {0, 0, 30, 24}, {16, 10, 41, 33}},
            {"clipped", {0, 0}, {6, 5, 22, 17}, {1, 1, 29, 23}},
            {"origin", {8, 6}, {2, 3, 27, 21}, {-7, -5, 16, 12}},
        };
        size_t c;
        for (c = 0; c < sizeof kClipped / sizeof *kClipped; ++c) {
            begin_case("ellipse-%s-%s-%s", kClipped[c].name,
                       kPens[k][0] == PS_NULL ? "null" : "solid", kPens[k][1] ? "clear" : "solid");
            op("surface 30 24 %06x", SENTINEL);
            op("origin %d %d", kClipped[c].origin[0], kClipped[c].origin[1]);
            op("clip %d %d %d %d", kClipped[c].clip[0], kClipped[c].clip[1], kClipped[c].clip[2],
               kClipped[c].clip[3]);
            op("pen %d 1 %06x", kPens[k][0], PEN);
            if (kPens[k][1])
                op("brush clear");
            else
                op("brush solid %06x", BRUSH);
            op("ellipse %d %d %d %d", kClipped[c].box[0], kClipped[c].box[1], kClipped[c].box[2],
               kClipped[c].box[3]);
            end_case();
        }
    }

    /* The rings of a conical gradient: filled circles without outline, from the one through
       the corners inward, each over the last, reaching far outside the surface. */
    {
        static const int kPanels[][2] = {{100, 60}, {37, 23}, {12, 31}};
        size_t p;
        for (p = 0; p < sizeof kPanels / sizeof *kPanels; ++p) {
            int cw = kPanels[p][0], ch = kPanels[p][1], cx = cw / 2, cy = ch / 2;
            int radius = (int)floor(sqrt((double)(cx * cx + cy * cy)) + 0.5);
            int e, i = 0;
            begin_case("ellipse-rings-%dx%d", cw, ch);
            op("surface %d %d %06x", cw, ch, SENTINEL);
            op("pen 5 1 000000");
            for (e = radius; e > 0; e -= 4, ++i) {
                op("brush solid %06x", (unsigned)(0x100000 * (i % 15) + 0x0800 * i + 0x40));
                op("ellipse %d %d %d %d", cx - e, cy - e, cx + e, cy + e);
            }
            end_case();
        }
    }
}

static void line_case(const char* tag, int dx, int dy, int style, int opaque) {
    int w = abs(dx) + 5, h = abs(dy) + 5;
    int x0 = dx < 0 ? w - 3 : 2, y0 = dy < 0 ? h - 3 : 2;
    begin_case("line-%s-%s%s-%d,%d", tag, style == PS_DASH ? "dash" : "solid",
               opaque ? "-opaque" : "", dx, dy);
    op("surface %d %d %06x", w, h, SENTINEL);
    op("pen %d 1 %06x", style, PEN);
    if (opaque)
        op("bk opaque %06x", BK);
    else
        op("bk transparent");
    op("moveto %d %d", x0, y0);
    op("lineto %d %d", x0 + dx, y0 + dy);
    end_case();
}

/* The three ways the line cases stroke: solid, dashed over a transparent background, and
   dashed with the gaps in the background colour. */
static const char* const kStrokeNames[] = {"solid", "dash", "dash-opaque"};

static void stroke_pen(int s) {
    op("pen %d 1 %06x", s ? PS_DASH : PS_SOLID, PEN);
    if (s == 2)
        op("bk opaque %06x", BK);
    else
        op("bk transparent");
}

static void lines(void) {
    static const int kSteps[] = {-29, -17, -8, -3, -2, -1, 0, 1, 2, 3, 8, 17, 29};
    const int n = sizeof kSteps / sizeof *kSteps;
    int i, j, s;
    for (s = 0; s < 2; ++s)
        for (i = 0; i < n; ++i)
            for (j = 0; j < n; ++j)
                line_case("octant", kSteps[i], kSteps[j], s ? PS_DASH : PS_SOLID, 0);
    /* Long lines run through several dash periods; an opaque background paints the gaps. */
    {
        static const int kLong[][2] = {{70, 0},   {-70, 0},  {0, 61},   {0, -61}, {66, 23},
                                       {-23, 66}, {55, -55}, {-61, -9}, {9, 70}};
        for (i = 0; i < (int)(sizeof kLong / sizeof *kLong); ++i) {
            line_case("long", kLong[i][0], kLong[i][1], PS_SOLID, 0);
            line_case("long", kLong[i][0], kLong[i][1], PS_DASH, 0);
            line_case("long", kLong[i][0], kLong[i][1], PS_DASH, 1);
        }
    }
    /* Zero length: nothing. */
    line_case("point", 0, 0, PS_SOLID, 0);

    /* Wider pens: a band centred on the line with round ends; styles draw solid. */
    {
        static const int kWide[][2] = {{14, 0}, {0, -11}, {13, 5}, {-4, 12}, {9, -9}, {-13, -6}};
        static const int kWidths[] = {2, 3, 5};
        int k;
        for (k = 0; k < 3; ++k)
            for (i = 0; i < (int)(sizeof kWide / sizeof *kWide); ++i) {
                const int dx = kWide[i][0], dy = kWide[i][1];
                const int w = abs(dx) + 12, h = abs(dy) + 12;
                const int x0 = dx < 0 ? w - 6 : 5, y0 = dy < 0 ? h - 6 : 5;
                begin_case("line-wide%d-%d,%d", kWidths[k], dx, dy);
                op("surface %d %d %06x", w, h, SENTINEL);
                op("pen %d %d %06x", k == 1 ? PS_DASH : PS_SOLID, kWidths[k], PEN);
                op("moveto %d %d", x0, y0);
                op("lineto %d %d", x0 + dx, y0 + dy);
                end_case();
            }
    }

    /* Clipped lines: from outside to outside, crossing every edge of the clip in every octant. */
    {
        static const int kCrossing[][4] = {
            {-6, 3, 40, 17},  {40, 20, -6, 5},  {3, -7, 22, 33},    {25, 31, 9, -8},
            {-4, 28, 37, -3}, {36, -5, -2, 27}, {12, -9, 15, 40},   {-9, 11, 44, 12},
            {0, 0, 33, 26},   {33, 26, 0, 0},   {-20, -14, 50, 40}, {16, 2, 16, 24},
            {1, 13, 31, 13},  {7, 25, 28, 5},   {20, 2, 5, 23},     {-3, 14, 10, 14},
        };
        for (s = 0; s < 3; ++s)
            for (i = 0; i < (int)(sizeof kCrossing / sizeof *kCrossing); ++i) {
                const int* l = kCrossing[i];
                begin_case("line-clipped-%s-%d,%d,%d,%d", kStrokeNames[s], l[0], l[1], l[2], l[3]);
                op("surface 34 28 %06x", SENTINEL);
                op("clip 5 4 27 21");
                stroke_pen(s);
                op("moveto %d %d", l[0], l[1]);
                op("lineto %d %d", l[2], l[3]);
                end_case();
            }
    }

    /* Through an origin and off the surface's top-left. */
    for (s = 0; s < 2; ++s) {
        begin_case("line-origin-%s", s ? "dash" : "solid");
        op("surface 30 24 %06x", SENTINEL);
        op("origin -5 4");
        op("pen %d 1 %06x", s ? PS_DASH : PS_SOLID, PEN);
        op("moveto 2 -9");
        op("lineto 33 19");
        op("moveto 40 -6");
        op("lineto 1 12");
        end_case();
    }

    /* Polylines carry the dash pattern across their corners; separate LineTo calls start the
       pattern afresh. */
    for (s = 0; s < 3; ++s) {
        begin_case("polyline-%s", kStrokeNames[s]);
        op("surface 48 40 %06x", SENTINEL);
        stroke_pen(s);
        op("polyline 8 2 37 2 2 30 2 45 2 45 37 20 22 5 37 40 17");
        end_case();

        begin_case("polyline-frame-%s", kStrokeNames[s]);
        op("surface 44 22 %06x", SENTINEL);
        stroke_pen(s);
        op("polyline 3 1 19 1 1 41 1");
        op("polyline 3 41 1 41 19 0 19");
        end_case();

        begin_case("lineto-sequence-%s", kStrokeNames[s]);
        op("surface 44 22 %06x", SENTINEL);
        stroke_pen(s);
        op("moveto 1 19");
        op("lineto 1 1");
        op("lineto 41 1");
        op("lineto 41 19");
        op("lineto 0 19");
        end_case();
    }

    /* A check box drawn stroke by stroke, and its cross. */
    begin_case("lineto-checkbox");
    op("surface 16 16 %06x", SENTINEL);
    op("pen 0 1 808080");
    op("moveto 1 12");
    op("lineto 1 1");
    op("lineto 13 1");
    op("pen 0 1 ffffff");
    op("moveto 13 2");
    op("lineto 13 13");
    op("lineto 1 13");
    op("pen 0 1 000000");
    op("moveto 2 12");
    op("lineto 2 2");
    op("lineto 12 2");
    op("pen 0 1 c0c0c0");
    op("moveto 12 2");
    op("lineto 12 12");
    op("lineto 3 12");
    op("pen 0 1 000000");
    op("moveto 4 4");
    op("lineto 11 11");
    op("moveto 10 4");
    op("lineto 3 11");
    op("moveto 4 5");
    op("lineto 10 11");
    op("moveto 10 5");
    op("lineto 4 11");
    op("moveto 5 4");
    op("lineto 11 10");
    op("moveto 9 4");
    op("lineto 3 10");
    op("moveto 2 2");
    op("lineto 14 14");
    op("moveto 13 2");
    op("lineto 2 13");
    end_case();
}

static void fills(void) {
    static const int kRects[][4] = {
        {2, 3, 12, 9},  {4, 4, 5, 5},   {3, 2, 3, 9},   {2, 5, 12, 5},
        {12, 9, 2, 3},  {12, 3, 2, 9},  {2, 9, 12, 3},  {-4, -3, 6, 5},
        {8, 7, 30, 30}, {-9, 2, -2, 8}, {0, 0, 16, 13},
    };
    size_t i;
    for (i = 0; i < sizeof kRects / sizeof *kRects; ++i) {
        const int* r = kRects[i];
        begin_case("fillrect-%d,%d,%d,%d", r[0], r[1], r[2], r[3]);
        op("surface 16 13 %06x", SENTINEL);
        op("brush solid %06x", BRUSH);
        op("fillrect %d %d %d %d", r[0], r[1], r[2], r[3]);
        end_case();

        begin_case("framerect-%d,%d,%d,%d", r[0], r[1], r[2], r[3]);
        op("surface 16 13 %06x", SENTINEL);
        op("brush solid %06x", BRUSH);
        op("framerect %d %d %d %d", r[0], r[1], r[2], r[3]);
        end_case();
    }
    begin_case("fillrect-clear");
    op("surface 16 13 %06x", SENTINEL);
    op("brush clear");
    op("fillrect 2 2 10 10");
    op("framerect 3 3 12 12");
    end_case();

    begin_case("fillrect-clipped");
    op("surface 24 18 %06x", SENTINEL);
    op("origin 3 -2");
    op("clip 4 3 19 14");
    op("brush solid %06x", BRUSH);
    op("fillrect -5 0 10 9");
    op("brush solid %06x", PEN);
    op("fillrect 6 8 30 30");
    op("brush solid %06x", BK);
    op("framerect 0 4 14 14");
    end_case();

    /* The focus frame: every other pixel along the outline, inverted. */
    {
        static const int kFocus[][4] = {
            {2, 2, 3, 3},   {2, 2, 4, 4},   {2, 3, 5, 8},   {3, 2, 13, 9},
            {2, 2, 13, 10}, {3, 3, 14, 11}, {2, 2, 14, 11}, {1, 1, 19, 2},
            {1, 4, 2, 11},  {12, 9, 2, 2},  {-3, -2, 9, 7},
        };
        for (i = 0; i < sizeof kFocus / sizeof *kFocus; ++i) {
            const int* r = kFocus[i];
            begin_case("focusrect-%d,%d,%d,%d", r[0], r[1], r[2], r[3]);
            op("surface 20 13 %06x", SENTINEL);
            op("brush solid %06x", BRUSH);
            op("fillrect 0 0 10 13");
            op("focusrect %d %d %d %d", r[0], r[1], r[2], r[3]);
            end_case();
        }
        begin_case("focusrect-twice");
        op("surface 16 13 %06x", SENTINEL);
        op("focusrect 2 2 13 11");
        op("focusrect 2 2 13 11");
        end_case();

        begin_case("focusrect-clipped");
        op("surface 20 16 %06x", SENTINEL);
        op("origin 2 1");
        op("clip 5 4 15 12");
        op("focusrect 4 2 17 9");
        end_case();
    }
}

static void blits(void) {
    static const int kStretch[][4] = {
        {14, 14, 14, 15}, {14, 14, 14, 40}, {14, 14, 40, 14}, {14, 14, 7, 7},
        {14, 14, 20, 20}, {14, 14, 6, 6},   {14, 14, 14, 14}, {13, 13, 16, 16},
        {40, 14, 14, 14}, {14, 40, 14, 14}, {13, 13, 100, 9}, {13, 13, 9, 100},
        {7, 5, 23, 31},   {30, 27, 11, 8},  {1, 1, 5, 4},     {5, 4, 1, 1},
    };
    size_t i;
    begin_case("bitblt-14x14");
    op("surface 20 20 %06x", SENTINEL);
    op("bitblt 3 2 14 14");
    end_case();

    begin_case("bitblt-negative");
    op("surface 20 20 %06x", SENTINEL);
    op("bitblt -4 -3 14 14");
    op("bitblt 12 14 14 14");
    end_case();

    begin_case("bitblt-clipped");
    op("surface 20 20 %06x", SENTINEL);
    op("origin 2 3");
    op("clip 4 5 15 13");
    op("bitblt 0 -1 14 14");
    end_case();

    for (i = 0; i < sizeof kStretch / sizeof *kStretch; ++i) {
        const int* s = kStretch[i];
        begin_case("stretchblt-%dx%d-to-%dx%d", s[0], s[1], s[2], s[3]);
        op("surface %d %d %06x", s[2] + 4, s[3] + 4, SENTINEL);
        op("stretchblt 2 2 %d %d %d %d", s[2], s[3], s[0], s[1]);
        end_case();
    }
    /* A negative width or height mirrors the image. */
    {
        static const int kMirrored[][6] = {
            {17, 2, -14, 15, 14, 14},
            {2, 22, 20, -20, 14, 14},
            {21, 9, -7, -7, 14, 14},
            {25, 2, -23, 31, 7, 5},
        };
        for (i = 0; i < sizeof kMirrored / sizeof *kMirrored; ++i) {
            const int* m = kMirrored[i];
            begin_case("stretchblt-mirrored-%d", (int)i);
            op("surface 28 36 %06x", SENTINEL);
            op("stretchblt %d %d %d %d %d %d", m[0], m[1], m[2], m[3], m[4], m[5]);
            end_case();
        }
    }

    /* Clipped and off the surface: the same source pixels land where they would unclipped. */
    {
        static const int kClipped[][10] = {
            /* origin, clip, dest, source */
            {0, 0, 5, 6, 19, 33, 2, 2, 14, 40},    {0, 0, 3, 2, 29, 11, -7, -3, 40, 14},
            {4, -5, 0, 0, 24, 24, 3, 9, 17, 17},   {-6, -9, 2, 3, 30, 30, 0, 0, 40, 40},
            {0, 0, 0, 0, 18, 18, -9, -11, 21, 25}, {0, 0, 4, 4, 12, 12, 1, 1, 11, 11},
        };
        static const int kSources[][2] = {{14, 14}, {14, 14}, {13, 13}, {14, 14}, {7, 7}, {40, 14}};
        for (i = 0; i < sizeof kClipped / sizeof *kClipped; ++i) {
            const int* c = kClipped[i];
            begin_case("stretchblt-clipped-%d", (int)i);
            op("surface 30 30 %06x", SENTINEL);
            op("origin %d %d", c[0], c[1]);
            op("clip %d %d %d %d", c[2], c[3], c[4], c[5]);
            op("stretchblt %d %d %d %d %d %d", c[6], c[7], c[8], c[9], kSources[i][0],
               kSources[i][1]);
            end_case();
        }
    }
}

/* Clip regions of more than one rectangle: every call is cut by each of them. */
static void regions(void) {
    static const struct {
        const char* name;
        const char* ops[4];
    } kClips[] = {
        {"hole", {"excludeclip 8 6 15 12"}},
        {"holes", {"excludeclip 8 6 15 12", "excludeclip 4 11 10 16", "intersectclip 2 2 21 17"}},
        {"swapped", {"excludeclip 15 12 8 6", "intersectclip 20 16 3 3"}},
        {"origin", {"origin 3 2", "clip 2 2 22 18", "excludeclip 5 4 11 9"}},
        {"restored", {"excludeclip 2 2 8 8", "savedc", "excludeclip 6 5 18 14", "restoredc -1"}},
        {"empty", {"intersectclip 2 2 8 8", "intersectclip 10 10 14 14"}},
    };
    static const struct {
        const char* name;
        const char* ops[4];
    } kDraws[] = {
        {"fillrect", {"brush solid 60e060", "fillrect 1 1 23 19"}},
        {"framerect", {"brush solid 60e060", "framerect 2 3 22 18"}},
        {"rectangle", {"pen 0 1 0000c0", "brush solid 60e060", "rectangle 2 2 22 18"}},
        {"rectangle-wide", {"pen 0 3 0000c0", "brush clear", "rectangle 3 3 21 17"}},
        {"rectangle-dash",
         {"pen 1 1 0000c0", "bk opaque c06000", "brush clear", "rectangle 1 1 23 19"}},
        {"ellipse", {"pen 0 1 0000c0", "brush solid 60e060", "ellipse 1 1 23 19"}},
        {"lines", {"pen 2 1 0000c0", "bk transparent", "moveto 0 3", "lineto 24 17"}},
        {"polyline-wide", {"pen 0 3 0000c0", "polyline 3 2 16 12 4 22 17"}},
        {"focusrect", {"focusrect 2 2 22 18"}},
        {"bitblt", {"bitblt 2 2 20 16"}},
        {"stretchblt", {"stretchblt 1 1 22 18 10 8"}},
    };
    size_t c, d, k;
    for (c = 0; c < sizeof kClips / sizeof *kClips; ++c)
        for (d = 0; d < sizeof kDraws / sizeof *kDraws; ++d) {
            begin_case("%s-%s", kDraws[d].name, kClips[c].name);
            op("surface 24 20 %06x", SENTINEL);
            for (k = 0; k < 4 && kClips[c].ops[k]; ++k) op("%s", kClips[c].ops[k]);
            for (k = 0; k < 4 && kDraws[d].ops[k]; ++k) op("%s", kDraws[d].ops[k]);
            end_case();
        }
}

/* 16-bit bitmaps drawn on a 32-bit surface: how each field widens to eight bits. */
static void bitmaps16(void) {
    static const struct {
        const char* name;
        DWORD masks[3];
    } kFormats[] = {
        {"555", {0x7c00, 0x3e0, 0x1f}}, {"565", {0xf800, 0x7e0, 0x1f}},
        {"444", {0xf00, 0xf0, 0xf}},    {"367", {0xe000, 0x1f80, 0x7f}},
        {"655", {0xfc00, 0x3e0, 0x1f}}, {"556", {0xf800, 0x7c0, 0x3f}},
    };
    size_t f;
    for (f = 0; f < sizeof kFormats / sizeof *kFormats; ++f) {
        const DWORD* m = kFormats[f].masks;
        begin_case("bitblt16-%s", kFormats[f].name);
        op("surface 34 4 %06x", SENTINEL);
        op("bitblt16 1 1 32 2 %lx %lx %lx", m[0], m[1], m[2]);
        end_case();

        begin_case("stretchblt16-%s", kFormats[f].name);
        op("surface 50 6 %06x", SENTINEL);
        op("stretchblt16 1 1 48 4 32 2 %lx %lx %lx", m[0], m[1], m[2]);
        end_case();
    }
}

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc != 2) {
        fprintf(stderr,
                "usage: gdi-fixtures rectangles|ellipses|lines|fills|blits|regions|bitmaps16\n");
        return 2;
    }
    printf(
        "# Pixels drawn by real GDI, made by tools/wine/make-gdi-fixtures.sh; the format is\n"
        "# described in tools/wine/gdi-fixtures.c. Do not edit.\n");
    if (!strcmp(argv[1], "rectangles"))
        rectangles();
    else if (!strcmp(argv[1], "ellipses"))
        ellipses();
    else if (!strcmp(argv[1], "lines"))
        lines();
    else if (!strcmp(argv[1], "fills"))
        fills();
    else if (!strcmp(argv[1], "blits"))
        blits();
    else if (!strcmp(argv[1], "regions"))
        regions();
    else if (!strcmp(argv[1], "bitmaps16"))
        bitmaps16();
    else {
        fprintf(stderr, "gdi-fixtures: unknown family %s\n", argv[1]);
        return 2;
    }
    return 0;
}
