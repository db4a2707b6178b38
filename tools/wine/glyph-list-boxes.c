/* Prints, as drawn by real GDI, the boxes of the glyph list boxes that the tests compare
 * pixel by pixel: the sunken check box empty and checked, the flat check box checked, and
 * the flat radio button chosen, each on an item whose Color is lime and in the gray ink of a
 * disabled item where the ink shows. Each pixel is a letter: G background (lime), S shadow,
 * W white, K black, F button face, I the gray ink.
 * Run: tools/wine/run-gdi-program.sh tools/wine/glyph-list-boxes.c */
#include <stdio.h>
#include <windows.h>

static HDC dc;
static DWORD* bits;

static void Pen(COLORREF c) {
    DeleteObject(SelectObject(dc, CreatePen(PS_SOLID, 1, c)));
}
static void Brush(COLORREF c) {
    DeleteObject(SelectObject(dc, CreateSolidBrush(c)));
}
static void Line(int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, NULL);
    LineTo(dc, x1, y1);
}
static void Clear(void) {
    for (int i = 0; i < 14 * 14; ++i) bits[i] = 0x00FF00;
}
static void Dump(const char* name) {
    printf("%s\n", name);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 14; ++x) {
            const DWORD p = bits[y * 14 + x] & 0xFFFFFF;
            putchar(p == 0x00FF00   ? 'G'
                    : p == 0x808080 ? (name[0] == 'f' ? 'I' : 'S')
                    : p == 0xFFFFFF ? 'W'
                    : p == 0        ? 'K'
                    : p == 0xC0C0C0 ? 'F'
                                    : '?');
        }
        putchar('\n');
    }
}

static void SunkenBox(int checked) {
    Clear();
    Pen(RGB(0x80, 0x80, 0x80));
    MoveToEx(dc, 1, 12, NULL), LineTo(dc, 1, 1), LineTo(dc, 13, 1);
    Pen(RGB(0xFF, 0xFF, 0xFF));
    MoveToEx(dc, 13, 2, NULL), LineTo(dc, 13, 13), LineTo(dc, 1, 13);
    Pen(RGB(0, 0, 0));
    MoveToEx(dc, 2, 12, NULL), LineTo(dc, 2, 2), LineTo(dc, 12, 2);
    Pen(RGB(0xC0, 0xC0, 0xC0));
    MoveToEx(dc, 12, 2, NULL), LineTo(dc, 12, 12), LineTo(dc, 3, 12);
    RECT well = {3, 3, 12, 12};
    HBRUSH white = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
    FillRect(dc, &well, white);
    DeleteObject(white);
    Pen(RGB(0, 0, 0));
    if (checked) {
        Line(4, 4, 11, 11), Line(10, 4, 3, 11), Line(4, 5, 10, 11);
        Line(10, 5, 4, 11), Line(5, 4, 11, 10), Line(9, 4, 3, 10);
    }
    Dump(checked ? "sunken checked" : "sunken empty");
}

int main(void) {
    BITMAPINFO bi = {0};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 14;
    bi.bmiHeader.biHeight = -14;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(NULL);
    SelectObject(dc, CreateDIBSection(dc, &bi, DIB_RGB_COLORS, (void**)&bits, NULL, 0));
    SunkenBox(0);
    SunkenBox(1);

    Clear();
    Pen(RGB(0x80, 0x80, 0x80));
    Brush(RGB(0, 0xFF, 0));
    Rectangle(dc, 2, 2, 14, 14);
    Line(2, 2, 14, 14), Line(13, 2, 2, 13);
    Dump("flat check box, checked");

    Clear();
    Brush(RGB(0, 0xFF, 0));
    Ellipse(dc, 2, 2, 14, 14);
    Brush(RGB(0, 0, 0));
    Ellipse(dc, 4, 4, 12, 12);
    Dump("flat radio button, chosen");
    return 0;
}
