/* Records how real GDI measures and draws text with the Liberation faces, as fixtures for
 * the text engine's tests. Run through make-text-fixtures.sh; writes into the directory given
 * as the first argument (a Windows path):
 *
 *   text.txt        font metrics, character widths, extents, TextOut lines and DrawText cases
 *   font-NN.bmp     TextOut lines of font NN (opaque and transparent background)
 *   drawtext.bmp    one tile per DrawText case, stacked top to bottom
 *
 * Every surface starts filled with kSentinel, so pixels a call must not touch are recorded
 * too. Glyphs are monochrome (NONANTIALIASED_QUALITY). */
#include <windows.h>
#include <stdio.h>
#include <string.h>

#define kSentinel RGB(0x5A, 0xA5, 0x3C)
#define kInk RGB(0x10, 0x20, 0xF0)
#define kPaper RGB(0xF0, 0xE0, 0x10)

static const char *kFontFiles[] = {
    "LiberationSans-Regular.ttf",  "LiberationSans-Bold.ttf",  "LiberationSans-Italic.ttf",
    "LiberationSans-BoldItalic.ttf", "LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf",
    "LiberationSerif-Italic.ttf",  "LiberationSerif-BoldItalic.ttf", "LiberationMono-Regular.ttf",
    "LiberationMono-Bold.ttf",     "LiberationMono-Italic.ttf",   "LiberationMono-BoldItalic.ttf",
};

static const char *kFaces[] = {"Liberation Sans", "Liberation Serif", "Liberation Mono"};
static const int kHeights[] = {-11, -13, -15, -16, -20, 15, 18};
#define FACE_COUNT 3
#define HEIGHT_COUNT 7
#define FONT_COUNT (FACE_COUNT * HEIGHT_COUNT * 4)

/* Font number: face * 28 + style * 7 + height index; style 0 regular, 1 bold, 2 italic,
 * 3 bold italic. After those, a few underlined and struck-out fonts. */
typedef struct {
    int face, height, weight, italic, underline, strikeOut;
} ExtraFont;
static const ExtraFont kExtraFonts[] = {
    {0, -11, FW_NORMAL, 0, 1, 0}, {0, -11, FW_NORMAL, 0, 0, 1}, {0, -16, FW_BOLD, 0, 1, 1},
    {1, -16, FW_BOLD, 1, 1, 0},   {2, -13, FW_NORMAL, 0, 1, 1},
};
#define EXTRA_COUNT (int)(sizeof kExtraFonts / sizeof kExtraFonts[0])

static ExtraFont FontOf(int id) {
    ExtraFont f;
    if (id >= FONT_COUNT) return kExtraFonts[id - FONT_COUNT];
    f.face = id / 28;
    f.height = kHeights[id % 7];
    f.weight = ((id / 7) % 4 & 1) ? FW_BOLD : FW_NORMAL;
    f.italic = ((id / 7) % 4 & 2) != 0;
    f.underline = f.strikeOut = 0;
    return f;
}

static HFONT MakeFont(int id) {
    ExtraFont f = FontOf(id);
    return CreateFontA(f.height, 0, 0, 0, f.weight, f.italic, f.underline, f.strikeOut,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       NONANTIALIASED_QUALITY, DEFAULT_PITCH, kFaces[f.face]);
}

static FILE *out;

static void PutString(const char *s, int n) {
    int i;
    fputc('"', out);
    for (i = 0; i < n; i++) {
        unsigned char c = (unsigned char)s[i];
        if (c == '"' || c == '\\')
            fprintf(out, "\\%c", c);
        else if (c < 0x20 || c >= 0x7F)
            fprintf(out, "\\x%02X", c);
        else
            fputc(c, out);
    }
    fputc('"', out);
}

/* A top-down 32-bit DIB section, the layout of the engine's surfaces. */
typedef struct {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    DWORD *bits;
    int width, height;
} Surface;

static void MakeSurface(Surface *s, int width, int height) {
    BITMAPINFO bi;
    int i;
    memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    s->dc = CreateCompatibleDC(NULL);
    s->bitmap = CreateDIBSection(s->dc, &bi, DIB_RGB_COLORS, (void **)&s->bits, NULL, 0);
    s->old = SelectObject(s->dc, s->bitmap);
    s->width = width;
    s->height = height;
    for (i = 0; i < width * height; i++)
        s->bits[i] = ((kSentinel & 0xFF) << 16) | (kSentinel & 0xFF00) | ((kSentinel >> 16) & 0xFF);
}

static void FreeSurface(Surface *s) {
    SelectObject(s->dc, s->old);
    DeleteObject(s->bitmap);
    DeleteDC(s->dc);
}

static void SaveSurface(const Surface *s, const char *dir, const char *name) {
    char path[MAX_PATH];
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    FILE *f;
    DWORD bytes = (DWORD)s->width * s->height * 4;
    snprintf(path, sizeof path, "%s\\%s", dir, name);
    f = fopen(path, "wb");
    if (!f) {
        fprintf(stderr, "cannot write %s\n", path);
        ExitProcess(1);
    }
    memset(&fh, 0, sizeof fh);
    memset(&ih, 0, sizeof ih);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + bytes;
    ih.biSize = sizeof ih;
    ih.biWidth = s->width;
    ih.biHeight = -s->height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    fwrite(&fh, sizeof fh, 1, f);
    fwrite(&ih, sizeof ih, 1, f);
    fwrite(s->bits, 1, bytes, f);
    fclose(f);
}

static const char *kExtentSamples[] = {
    "Caption", "Hello, World!", "The quick brown fox jumps over the lazy dog", "WWWiiilll",
    "0123456789", "\xC4\xD6\xDC\xDF \xE9\xE8\xEA \xA9\x80\x85", "&File", "a\tb", "x\ry\nz", " ",
};

/* The lines each TextOut sheet draws: the printable code page, then sentences. */
static const char *kTextOutLines[] = {
    " !\"#$%&'()*+,-./0123456789:;<=>?",
    "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_",
    "`abcdefghijklmnopqrstuvwxyz{|}~",
    "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97\x98\x99"
    "\x9A\x9B\x9C\x9E\x9F",
    "\xA0\xA1\xA2\xA3\xA4\xA5\xA6\xA7\xA8\xA9\xAA\xAB\xAC\xAD\xAE\xAF\xB0\xB1\xB2\xB3\xB4\xB5"
    "\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF",
    "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5"
    "\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF",
    "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5"
    "\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF",
    "The quick brown fox jumps over the lazy dog.",
    "Gradient panel 12 Qj",
};
#define TEXTOUT_LINES (sizeof kTextOutLines / sizeof kTextOutLines[0])

static void RecordFont(int id, const char *dir) {
    HDC dc = CreateCompatibleDC(NULL);
    HFONT font = MakeFont(id);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm;
    char face[LF_FACESIZE];
    char name[64];
    OUTLINETEXTMETRICA *otm;
    UINT otmSize;
    INT widths[224];
    int i, width = 0;
    Surface s;

    GetTextMetricsA(dc, &tm);
    GetTextFaceA(dc, sizeof face, face);
    otmSize = GetOutlineTextMetricsA(dc, 0, NULL);
    otm = (OUTLINETEXTMETRICA *)malloc(otmSize);
    GetOutlineTextMetricsA(dc, otmSize, otm);
    fprintf(out, "font %d %d %d %d %d %d ", id, FontOf(id).height, tm.tmWeight,
            tm.tmItalic ? 1 : 0, tm.tmUnderlined ? 1 : 0, tm.tmStruckOut ? 1 : 0);
    PutString(face, (int)strlen(face));
    fputc(' ', out);
    PutString((char *)otm + (UINT_PTR)otm->otmpFullName,
              (int)strlen((char *)otm + (UINT_PTR)otm->otmpFullName));
    fprintf(out, "\nmetrics %d %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %d %d %d %d %d %d %d %d %d\n",
            id, tm.tmHeight, tm.tmAscent, tm.tmDescent, tm.tmInternalLeading,
            tm.tmExternalLeading, tm.tmAveCharWidth, tm.tmMaxCharWidth, tm.tmWeight,
            tm.tmOverhang, tm.tmDigitizedAspectX, tm.tmDigitizedAspectY, tm.tmFirstChar,
            tm.tmLastChar, tm.tmDefaultChar, tm.tmBreakChar, tm.tmItalic, tm.tmUnderlined,
            tm.tmStruckOut, tm.tmPitchAndFamily, tm.tmCharSet);
    fprintf(out, "underline %d %d %d %d\n", id, otm->otmsUnderscorePosition,
            otm->otmsUnderscoreSize, otm->otmsStrikeoutPosition);
    free(otm);

    GetCharWidth32A(dc, 0x20, 0xFF, widths);
    fprintf(out, "widths %d", id);
    for (i = 0; i < 224; i++) fprintf(out, " %d", widths[i]);
    fputc('\n', out);

    for (i = 0; i < (int)(sizeof kExtentSamples / sizeof kExtentSamples[0]); i++) {
        SIZE size;
        int n = (int)strlen(kExtentSamples[i]);
        GetTextExtentPoint32A(dc, kExtentSamples[i], n, &size);
        fprintf(out, "extent %d %ld %ld ", id, size.cx, size.cy);
        PutString(kExtentSamples[i], n);
        fputc('\n', out);
    }

    for (i = 0; i < (int)TEXTOUT_LINES; i++) {
        SIZE size;
        GetTextExtentPoint32A(dc, kTextOutLines[i], (int)strlen(kTextOutLines[i]), &size);
        if (size.cx > width) width = size.cx;
    }
    /* Each line twice, opaque then transparent, with room for overhangs on both sides. */
    MakeSurface(&s, width + 12, (int)TEXTOUT_LINES * 2 * (tm.tmHeight + 2) + 4);
    SelectObject(s.dc, font);
    SetTextColor(s.dc, kInk);
    SetBkColor(s.dc, kPaper);
    for (i = 0; i < (int)TEXTOUT_LINES * 2; i++) {
        const char *line = kTextOutLines[i / 2];
        int mode = (i % 2) ? TRANSPARENT : OPAQUE;
        int x = 6, y = 2 + i * (tm.tmHeight + 2);
        SetBkMode(s.dc, mode);
        TextOutA(s.dc, x, y, line, (int)strlen(line));
        fprintf(out, "textout %d %d %d %d ", id, x, y, mode);
        PutString(line, (int)strlen(line));
        fputc('\n', out);
    }
    snprintf(name, sizeof name, "font-%02d.bmp", id);
    fprintf(out, "sheet %d %s %d %d\n", id, name, s.width, s.height);
    SaveSurface(&s, dir, name);
    FreeSurface(&s);

    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

/* Prints, for investigation only, the characters whose advance differs between the metrics
 * query and the monochrome bitmap query of a fresh font. */
static void CompareAdvances(int id) {
    static const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    int c;
    for (c = 0x20; c < 0x100; c++) {
        GLYPHMETRICS m1, m2;
        HDC dc1 = CreateCompatibleDC(NULL), dc2 = CreateCompatibleDC(NULL);
        HFONT f1 = MakeFont(id), f2 = MakeFont(id);
        HGDIOBJ o1 = SelectObject(dc1, f1), o2 = SelectObject(dc2, f2);
        WCHAR w;
        MultiByteToWideChar(1252, 0, (char *)&c, 1, &w, 1);
        GetGlyphOutlineW(dc1, w, GGO_METRICS, &m1, 0, NULL, &identity);
        GetGlyphOutlineW(dc2, w, GGO_BITMAP, &m2, 0, NULL, &identity);
        if (m1.gmCellIncX != m2.gmCellIncX)
            printf("font %d char %02X metrics %d bitmap %d\n", id, c, m1.gmCellIncX, m2.gmCellIncX);
        SelectObject(dc1, o1);
        SelectObject(dc2, o2);
        DeleteObject(f1);
        DeleteObject(f2);
        DeleteDC(dc1);
        DeleteDC(dc2);
    }
}

/* Font numbers used by the DrawText cases. */
enum {
    kSans11 = 0,
    kSans13 = 1,
    kSans15 = 5,
    kSans18 = 6,
    kSans20 = 4,
    kSansBold13 = 8,
    kSansItalic11 = 14,
    kSerifBoldItalic16 = 28 + 21 + 3,
    kMono13 = 56 + 1,
};

typedef struct {
    int font;
    RECT rect;
    UINT format;
    int count; /* -2: the text's length */
    int mode;
    const char *text;
} DrawCase;

#define LEN (-2)
#define O OPAQUE
#define T TRANSPARENT
static const DrawCase kCases[] = {
    /* Alignment and vertical placement of one line. */
    {kSans11, {4, 4, 150, 40}, DT_LEFT | DT_SINGLELINE, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_CENTER | DT_SINGLELINE, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_RIGHT | DT_SINGLELINE, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_LEFT | DT_SINGLELINE | DT_VCENTER, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_CENTER | DT_SINGLELINE | DT_VCENTER, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_RIGHT | DT_SINGLELINE | DT_VCENTER, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_LEFT | DT_SINGLELINE | DT_BOTTOM, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_CENTER | DT_SINGLELINE | DT_BOTTOM, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_RIGHT | DT_SINGLELINE | DT_BOTTOM, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_VCENTER, LEN, O, "Caption"},
    {kSans11, {4, 4, 150, 40}, DT_BOTTOM, LEN, O, "Caption"},
    {kSans11, {4, 4, 151, 41}, DT_CENTER | DT_SINGLELINE | DT_VCENTER, LEN, O, "Odd"},
    {kSans11, {4, 4, 150, 21}, DT_CENTER | DT_SINGLELINE | DT_VCENTER, LEN, O, "Odd"},
    {kSans11, {4, 4, 150, 22}, DT_CENTER | DT_SINGLELINE | DT_VCENTER, LEN, O, "Even"},
    /* The formats the controls pass. */
    {kSans11, {0, 0, 120, 40}, 0x44, -1, T, "Gradient"},
    {kSans11, {0, 0, 120, 40}, 0x46, -1, T, "Gradient"},
    {kSans11, {0, 0, 120, 40}, 0x45, -1, T, "Gradient"},
    {kSans11, {3, 3, 19, 19}, 0x25, LEN, O, "12"},
    {kSansBold13, {3, 3, 19, 19}, 0x25, LEN, O, "B"},
    {kSans11, {8, 0, 120, 13}, 0x20, LEN, O, "Group caption"},
    {kSans11, {0, 0, 120, 30}, 0x28, LEN, T, "Tab bottom"},
    {kSans11, {0, 0, 120, 30}, 0x24, LEN, T, "Tab center"},
    /* Rectangles smaller than the text, empty, or above the top. */
    {kSans11, {10, 10, 150, 10}, DT_CENTER | DT_SINGLELINE | DT_VCENTER, LEN, O, "Flat"},
    {kSans11, {10, 10, 150, 15}, DT_CENTER | DT_SINGLELINE | DT_VCENTER, LEN, O, "Short"},
    {kSans11, {10, 10, 150, 15}, DT_SINGLELINE | DT_BOTTOM, LEN, O, "Short bottom"},
    {kSans11, {10, 10, 150, 15}, DT_SINGLELINE, LEN, O, "Short top"},
    {kSans11, {10, -7, 150, 5}, DT_SINGLELINE, LEN, O, "Negative top"},
    {kSans11, {10, -7, 150, 5}, DT_SINGLELINE | DT_VCENTER, LEN, O, "Negative top"},
    {kSans11, {10, -20, 150, 8}, DT_SINGLELINE | DT_BOTTOM, LEN, O, "Negative bottom"},
    {kSans11, {10, 10, 60, 24}, DT_SINGLELINE, LEN, O, "A long caption that does not fit"},
    {kSans11, {10, 10, 60, 24}, DT_SINGLELINE | DT_CENTER, LEN, O, "A long caption that does not fit"},
    {kSans11, {10, 10, 60, 24}, DT_SINGLELINE | DT_RIGHT, LEN, O, "A long caption that does not fit"},
    {kSans11, {10, 10, 60, 24}, 0x25, LEN, T, "A long &caption that does not fit"},
    {kSans11, {90, 4, 60, 24}, DT_SINGLELINE, LEN, O, "Inverted"},
    /* Lines. */
    {kSans11, {4, 2, 170, 62}, DT_LEFT, LEN, O, "Line one\r\nLine two\nThird\rFour"},
    {kSans11, {4, 2, 170, 62}, DT_CENTER, LEN, O, "Line one\r\nLine two\nThird\rFour"},
    {kSans11, {4, 2, 170, 62}, DT_RIGHT, LEN, O, "Line one\r\nLine two\nThird\rFour"},
    {kSans11, {4, 2, 170, 62}, DT_CENTER | DT_VCENTER, LEN, O, "Centred\r\nlines"},
    {kSans11, {4, 2, 170, 62}, DT_LEFT, LEN, O, "A\n\nB"},
    {kSans11, {4, 2, 170, 62}, DT_LEFT, LEN, O, "\n\rX\r\rY"},
    {kSans11, {4, 2, 170, 62}, DT_LEFT, LEN, O, "Tail\r\n"},
    {kSans11, {4, 2, 170, 20}, DT_LEFT, LEN, O, "Clipped\r\nsecond\r\nthird"},
    {kSans11, {4, 2, 170, 62}, DT_SINGLELINE, LEN, O, "One\r\nTwo\tThree"},
    {kSans18, {4, 2, 170, 62}, DT_CENTER, LEN, O, "Eighteen\nhigh"},
    /* Tabs. */
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "a\tb\tc"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "\tlead"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "x\t\ty"},
    {kSans11, {4, 4, 170, 40}, DT_LEFT, LEN, O, "no\texpand"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS | DT_CENTER, LEN, O, "Name:\tValue"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS | DT_RIGHT, LEN, O, "Name:\tValue"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER, LEN, O, "one\ttwo\r\nx"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "row\tone\nrow two\tb"},
    {kMono13, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "12345678\tX\t"},
    /* Prefixes. */
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "&File"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "Save &As"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "A&&B"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "Trailing&"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "&&&x"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "&"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "&&"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "&a&b"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "&Wide"},
    {kSans11, {4, 4, 170, 40}, DT_LEFT, LEN, O, "a&\nb"},
    {kSans11, {4, 4, 170, 40}, DT_LEFT, LEN, O, "one\n&two"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "x&\ty"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "&One\t&Two"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "One\t&Two"},
    {kSans11, {4, 4, 170, 40}, 0x25, LEN, O, "&Center"},
    {kSans11, {4, 4, 170, 40}, 0x26, LEN, T, "Righ&t"},
    {kSans11, {4, 4, 170, 15}, DT_SINGLELINE, LEN, O, "Edge &under"},
    {kSans11, {4, 4, 170, 14}, DT_SINGLELINE, LEN, O, "Edge &under"},
    {kSans11, {4, 4, 170, 13}, DT_SINGLELINE, LEN, O, "Edge &under"},
    {kSans11, {30, 4, 60, 40}, DT_SINGLELINE | DT_CENTER, LEN, O, "Clipped &underline here"},
    {kSansBold13, {4, 4, 170, 40}, 0x25, LEN, O, "&Bold label"},
    {kSerifBoldItalic16, {4, 4, 170, 40}, 0x24, LEN, O, "Times &Italic"},
    {kSansItalic11, {4, 4, 170, 40}, 0x24, LEN, O, "Italic &f overhang"},
    {kSans20, {4, 4, 170, 40}, 0x25, LEN, O, "20 &px"},
    {kSans15, {4, 4, 170, 40}, 0x24, LEN, O, "Fifteen &high"},
    {kSans13, {4, 4, 170, 40}, 0x20, LEN, O, "Thirteen"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "&a&b&\tc"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS, LEN, O, "a\t&&\t&"},
    {kSans11, {4, 4, 170, 40}, DT_LEFT, LEN, O, "x&\r\n&y"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, LEN, O, "\x1E" "alpha \x1F" "kana"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE | DT_NOPREFIX, LEN, O, "No &prefix"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE | DT_NOCLIP, LEN, O, "No clip"},
    {kSans11, {10, 10, 40, 16}, DT_SINGLELINE | DT_NOCLIP | DT_VCENTER, LEN, O, "Not clipped &here"},
    {kSans11, {10, 10, 150, 10}, DT_SINGLELINE | DT_BOTTOM, LEN, O, "Zero bottom"},
    {kSans11, {10, 22, 150, 10}, DT_SINGLELINE | DT_VCENTER, LEN, O, "Upside down"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS, LEN, O, "\t"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS, LEN, O, "\t\t"},
    {kSans11, {4, 4, 170, 40}, DT_EXPANDTABS | DT_TABSTOP | (4 << 8), LEN, O, "a\tb\tc"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE | DT_RIGHT, LEN, O, "\x81\x8D\x8F\x90\x9D"},
    /* Counts. */
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, 3, O, "Caption"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, -1, O, ""},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, 0, O, "Caption"},
    {kSans11, {4, 4, 170, 40}, DT_SINGLELINE, 4, O, "Ca&ption"},
    /* Measuring. */
    {kSans11, {4, 4, 170, 40}, 0x420, LEN, O, "Group caption"},
    {kSans11, {4, 4, 170, 40}, 0x420, LEN, O, "&Prefix &&"},
    {kSans11, {4, 4, 170, 40}, 0x400, LEN, O, "Line one\r\nLine two is longer\nX"},
    {kSans11, {4, 4, 170, 40}, 0x440, LEN, O, "a\tb\tc"},
    {kSans11, {4, 4, 170, 40}, 0x401, LEN, O, "Centre"},
    {kSans11, {4, 4, 170, 40}, 0x424, LEN, O, "VCentre"},
    {kSans11, {4, 4, 170, 40}, 0x428, LEN, O, "Bottom"},
    {kSans11, {0, 0, 0, 0}, 0x420, LEN, O, "Empty rect"},
    {kSans11, {5, -9, 5, -9}, 0x420, LEN, O, "Negative"},
    {kSans11, {4, 4, 170, 40}, 0x400, LEN, O, "A\n"},
    {kSans11, {4, 4, 170, 40}, 0x400, LEN, O, "\n"},
    {kSans11, {4, 4, 170, 40}, 0x420, -1, O, ""},
    {kSans11, {4, 4, 170, 40}, 0x400, -1, O, ""},
    {kSans11, {4, 4, 170, 40}, 0x420, 0, O, "Zero"},
    {kSans11, {4, 4, 170, 10}, 0x400, LEN, O, "Tall\ntext\nin a\nshort rect"},
    {kSansBold13, {4, 4, 170, 40}, 0x420, LEN, O, "Bold caption"},
    {kSerifBoldItalic16, {4, 4, 170, 40}, 0x420, LEN, O, "Times caption"},
    {kMono13, {4, 4, 170, 40}, 0x440, LEN, O, "1\t12345678\t"},
    {kSans11, {4, 4, 170, 40}, 0x460, LEN, O, "\t"},
    {kSans11, {4, 4, 170, 40}, 0x400, LEN, O, "&"},
    {kSans11, {4, 4, 170, 40}, 0x420, LEN, O, "Tab\tin a single line"},
};
#undef O
#undef T
#define CASE_COUNT (sizeof kCases / sizeof kCases[0])
#define TILE_W 180
#define TILE_H 64

static void RecordDrawText(const char *dir) {
    Surface sheet;
    int i;
    MakeSurface(&sheet, TILE_W, TILE_H * (int)CASE_COUNT);
    for (i = 0; i < (int)CASE_COUNT; i++) {
        const DrawCase *c = &kCases[i];
        Surface tile;
        HFONT font = MakeFont(c->font);
        RECT r = c->rect;
        int count = c->count == LEN ? (int)strlen(c->text) : c->count;
        int ret;
        MakeSurface(&tile, TILE_W, TILE_H);
        SelectObject(tile.dc, font);
        SetTextColor(tile.dc, kInk);
        SetBkColor(tile.dc, kPaper);
        SetBkMode(tile.dc, c->mode);
        ret = DrawTextA(tile.dc, c->text, count, &r, c->format);
        BitBlt(sheet.dc, 0, i * TILE_H, TILE_W, TILE_H, tile.dc, 0, 0, SRCCOPY);
        fprintf(out, "drawtext %d %d %ld %ld %ld %ld 0x%X %d %d %d %ld %ld %ld %ld ", i, c->font,
                c->rect.left, c->rect.top, c->rect.right, c->rect.bottom, c->format, count,
                c->mode, ret, r.left, r.top, r.right, r.bottom);
        PutString(c->text, (int)strlen(c->text));
        fputc('\n', out);
        FreeSurface(&tile);
        DeleteObject(font);
    }
    fprintf(out, "drawsheet drawtext.bmp %d %d\n", TILE_W, TILE_H);
    SaveSurface(&sheet, dir, "drawtext.bmp");
    FreeSurface(&sheet);
}

int main(int argc, char **argv) {
    char path[MAX_PATH];
    int i;
    if (argc < 3) {
        fprintf(stderr, "usage: text-fixtures OUTDIR FONTDIR\n");
        return 2;
    }
    for (i = 0; i < (int)(sizeof kFontFiles / sizeof kFontFiles[0]); i++) {
        snprintf(path, sizeof path, "%s\\%s", argv[2], kFontFiles[i]);
        if (!AddFontResourceExA(path, FR_PRIVATE, NULL)) {
            fprintf(stderr, "cannot load %s\n", path);
            return 1;
        }
    }
    snprintf(path, sizeof path, "%s\\text.txt", argv[1]);
    out = fopen(path, "wb");
    if (!out) {
        fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    fprintf(out, "# Text as real GDI measures and draws it, recorded by tools/wine/text-fixtures.c.\n");
    fprintf(out, "# Sentinel %06X, ink %06X, paper %06X (COLORREF).\n", kSentinel, kInk, kPaper);
    for (i = 0; i < FONT_COUNT + EXTRA_COUNT; i++) RecordFont(i, argv[1]);
    RecordDrawText(argv[1]);
    fclose(out);
    if (argc > 3)
        for (i = 0; i < FONT_COUNT; i++) CompareAdvances(i);
    return 0;
}
