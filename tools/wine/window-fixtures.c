/* Draws and drives real user32 windows under Wine and prints what they did, so that the
 * tests can hold the framework's list box and window borders to them without Wine: the
 * classic scroll bar of a list box, the sunken client edge of small windows, and
 * how a list box moves its caret, selection and top item when it gets messages.
 *
 * Build and run through tools/wine/make-window-fixtures.sh. Usage: window-fixtures FAMILY,
 * where FAMILY is scrollbars, edges or listbox; the fixture goes to stdout. Windows use the
 * classic colour scheme, which the program sets; the script turns the prefix's theme off.
 *
 * scrollbars and edges are pixel cases in the format tools/wine/gdi-fixtures.c describes:
 * "surface W H COLOR" gives the window's size, the other lines say what the window is, and
 * the pixels are the whole window, its border and scroll bar included:
 *
 *   listbox ITEMHEIGHT COUNT TOP COLUMNS   an owner-drawn list box with a sunken edge and
 *                                          COUNT empty items of ITEMHEIGHT, scrolled to TOP;
 *                                          COLUMNS 0: one column and a vertical scroll bar,
 *                                          else that many columns across the client width and
 *                                          a horizontal bar
 *   edge                                   an empty list box with a sunken edge
 *
 * listbox is a list of cases, each a list box driven step by step:
 *
 *   case NAME
 *   list MODE COUNT ITEMHEIGHT CLIENTHEIGHT   a new list box, 121 pixels wide with a sunken
 *                                          edge; MODE single, multiple or extended
 *   STEP                                   then after each step what the list shows:
 *   state ITEMINDEX TOP SELECTED...        ITEMINDEX as the framework reads it (the caret of a
 *                                          multiple-selection list, else the selected item),
 *                                          the top item, and the selected items
 *   end
 *
 * Steps: setsel INDEX 1|0 (LB_SETSEL), setcursel INDEX (LB_SETCURSEL), key
 * down|up|next|prior|home|end|space (WM_KEYDOWN), press X Y, move X Y (with the left button
 * down), release X Y (client coordinates).
 */
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "fixture-pixels.h"

#define SENTINEL 0x5a3c1e

static HWND parent;
static int itemHeight = 16;

/* The classic scheme, COLOR_SCROLLBAR to COLOR_INFOBK. */
static const COLORREF kClassicColors[] = {
    0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xE1FFFF,
};

static void fail(const char* what) {
    fprintf(stderr, "window-fixtures: %s\n", what);
    exit(1);
}

static LRESULT CALLBACK ParentProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MEASUREITEM) {
        ((MEASUREITEMSTRUCT*)lp)->itemHeight = itemHeight;
        return TRUE;
    }
    if (msg == WM_DRAWITEM) {
        DRAWITEMSTRUCT* d = (DRAWITEMSTRUCT*)lp;
        FillRect(d->hDC, &d->rcItem, GetSysColorBrush(COLOR_WINDOW));
        return TRUE;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

static void start(void) {
    INT indices[sizeof kClassicColors / sizeof *kClassicColors];
    NONCLIENTMETRICSA metrics;
    WNDCLASSA wc;
    int i;
    for (i = 0; i < (int)(sizeof indices / sizeof *indices); ++i) indices[i] = i;
    SetSysColors(sizeof indices / sizeof *indices, indices, kClassicColors);
    /* Classic scroll bars are 16 pixels across. */
    memset(&metrics, 0, sizeof metrics);
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.iScrollWidth = metrics.iScrollHeight = 16;
    SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (GetSystemMetrics(SM_CXVSCROLL) != 16 || GetSystemMetrics(SM_CYHSCROLL) != 16)
        fail("cannot make scroll bars 16 pixels wide");
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "QmParent";
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    parent = CreateWindowExA(0, "QmParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, NULL, NULL,
                             NULL, NULL);
    if (!parent) fail("no window (is the prefix's graphics driver set?)");
}

static void pump(void) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

/* Paints the window and prints its pixels, border included. */
static void print_window(HWND w, int width, int height) {
    BITMAPINFO bi;
    DWORD* bits = NULL;
    HDC mem = CreateCompatibleDC(NULL), from;
    HBITMAP bm;
    HGDIOBJ old;
    int i;
    RedrawWindow(w, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pump();
    memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bm = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, (void**)&bits, NULL, 0);
    if (!bm) fail("CreateDIBSection failed");
    old = SelectObject(mem, bm);
    for (i = 0; i < width * height; ++i) bits[i] = pixel_of(SENTINEL);
    from = GetWindowDC(w);
    BitBlt(mem, 0, 0, width, height, from, 0, 0, SRCCOPY);
    ReleaseDC(w, from);
    print_pixels(bits, width, height, SENTINEL);
    SelectObject(mem, old);
    DeleteObject(bm);
    DeleteDC(mem);
}

static HWND make_list(int width, int height, int count, DWORD style) {
    HWND w;
    int i;
    w = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                        WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                            LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | style,
                        0, 0, width, height, parent, (HMENU)1, NULL, NULL);
    if (!w) fail("no list box");
    for (i = 0; i < count; ++i) SendMessageA(w, LB_ADDSTRING, 0, (LPARAM) "");
    return w;
}

/* ---- scroll bars ---------------------------------------------------------------------- */

static void scrollbar_case(int width, int height, int ih, int count, int top, int columns) {
    HWND w;
    itemHeight = ih;
    w = make_list(width, height, count, columns ? LBS_MULTICOLUMN | WS_HSCROLL : WS_VSCROLL);
    if (columns) SendMessageA(w, LB_SETCOLUMNWIDTH, (width - 4) / columns, 0);
    SendMessageA(w, LB_SETTOPINDEX, top, 0);
    begin_case("scrollbar-%s-%dx%d-%d-%d-%d", columns ? "h" : "v", width, height, ih, count, top);
    printf("surface %d %d %06x\n", width, height, SENTINEL);
    printf("listbox %d %d %d %d\n", ih, count, top, columns);
    print_window(w, width, height);
    DestroyWindow(w);
}

static void scrollbars(void) {
    /* Bar lengths around the two arrows and the smallest track. */
    static const int kShort[] = {2, 3, 4, 5, 6, 7, 8, 12, 20, 29, 30, 35, 36, 37, 40, 44};
    size_t i;
    int top;
    /* 84-pixel tracks with 7 of 30 items; 68 with 10 of 25; many items for the least thumb. */
    for (top = 0; top <= 23; top += 23 / 4) scrollbar_case(24, 120, 16, 30, top, 0);
    for (top = 0; top <= 15; top += 5) scrollbar_case(24, 104, 10, 25, top, 0);
    scrollbar_case(24, 64, 10, 200, 0, 0);
    scrollbar_case(24, 64, 10, 200, 97, 0);
    scrollbar_case(24, 64, 10, 200, 194, 0);
    for (i = 0; i < sizeof kShort / sizeof *kShort; ++i)
        scrollbar_case(24, kShort[i] + 4, 1, kShort[i] + 3, 1, 0);
    for (top = 0; top <= 33; top += 11) scrollbar_case(124, 50, 10, 40, top, 3);
    scrollbar_case(34, 40, 10, 12, 0, 1);
    scrollbar_case(26, 40, 10, 12, 3, 1);
}

/* ---- edges ------------------------------------------------------------------------------ */

static void edges(void) {
    int width, height;
    for (width = 1; width <= 6; ++width)
        for (height = 1; height <= 6; ++height) {
            HWND w = make_list(width, height, 0, 0);
            begin_case("edge-%dx%d", width, height);
            printf("surface %d %d %06x\n", width, height, SENTINEL);
            printf("edge\n");
            print_window(w, width, height);
            DestroyWindow(w);
        }
}

/* ---- list box behaviour ----------------------------------------------------------------- */

static HWND list;
static int listCount, listMulti;

static void state(void) {
    int i, index = (int)SendMessageA(list, listMulti ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
    printf("state %d %d", index, (int)SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    for (i = 0; i < listCount; ++i)
        if (SendMessageA(list, LB_GETSEL, i, 0) > 0) printf(" %d", i);
    printf("\n");
}

/* Performs one step, prints it and what the list shows after it. */
static void step(const char* fmt, ...) {
    static const struct {
        const char* name;
        int key;
    } kKeys[] = {{"down", VK_DOWN}, {"up", VK_UP},   {"next", VK_NEXT},  {"prior", VK_PRIOR},
                 {"home", VK_HOME}, {"end", VK_END}, {"space", VK_SPACE}};
    char line[256], word[32], arg[32];
    int a = 0, b = 0;
    size_t k;
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(line, sizeof line, fmt, ap);
    va_end(ap);
    printf("%s\n", line);
    if (sscanf(line, "%31s %31s", word, arg) < 1) fail(line);
    sscanf(line, "%*s %d %d", &a, &b);
    if (!strcmp(word, "setsel"))
        SendMessageA(list, LB_SETSEL, b, a);
    else if (!strcmp(word, "setcursel"))
        SendMessageA(list, LB_SETCURSEL, a, 0);
    else if (!strcmp(word, "press"))
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a, b));
    else if (!strcmp(word, "move"))
        SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(a, b));
    else if (!strcmp(word, "release"))
        SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(a, b));
    else if (!strcmp(word, "key")) {
        for (k = 0; k < sizeof kKeys / sizeof *kKeys && strcmp(kKeys[k].name, arg); ++k) {
        }
        if (k == sizeof kKeys / sizeof *kKeys) fail(line);
        SendMessageA(list, WM_KEYDOWN, kKeys[k].key, 0);
    } else
        fail(line);
    state();
}

static void list_case(const char* name, const char* mode, int count, int ih, int clientHeight) {
    DWORD style = !strcmp(mode, "multiple")   ? LBS_MULTIPLESEL
                  : !strcmp(mode, "extended") ? LBS_EXTENDEDSEL
                                              : 0;
    if (list) {
        DestroyWindow(list);
        printf("end\n");
    }
    itemHeight = ih;
    listCount = count;
    listMulti = style != 0;
    list = make_list(121, clientHeight + 4, count, WS_VSCROLL | style);
    begin_case("%s", name);
    printf("list %s %d %d %d\n", mode, count, ih, clientHeight);
}

static void listbox(void) {
    int k;
    /* Selected[i] := True on a multiple-selection list: the caret follows, into view. */
    list_case("setsel-multiple", "multiple", 30, 16, 116);
    step("setsel 15 1");
    step("setsel 2 1");
    step("setsel 20 0");
    step("key down");
    step("setsel 29 1");
    list_case("setsel-extended", "extended", 30, 16, 116);
    step("setsel 15 1");
    step("key down");

    /* Dragging with the button down. */
    for (k = 0; k < 2; ++k) {
        list_case(k ? "drag-single" : "drag-multiple", k ? "single" : "multiple", 30, 16, 116);
        step("press 10 20");
        step("move 10 52");
        step("move 10 130");
        step("move 10 130");
        step("move 10 -5");
        step("release 10 -5");
    }
    list_case("drag-extended", "extended", 30, 16, 116);
    step("press 10 20");
    step("move 10 52");
    step("move 10 130");
    step("release 10 130");
    list_case("drag-whole-rows", "single", 30, 16, 112);
    step("press 10 20");
    step("move 10 120");
    step("move 10 120");
    step("release 10 120");

    /* Keys in a single-selection list whose selection is not the caret's item. */
    list_case("keys-single-fresh", "single", 30, 16, 116);
    step("key down");
    step("key down");
    list_case("keys-single-end", "single", 30, 16, 116);
    step("key end");
    step("key end");
    list_case("keys-single-next", "single", 30, 16, 116);
    step("key next");
    step("key next");
    step("key prior");
    list_case("keys-single-space", "single", 30, 16, 116);
    step("key space");
    step("key space");
    step("key down");
    list_case("keys-single-unselected", "single", 30, 16, 116);
    step("setcursel 5");
    step("setcursel -1");
    step("key up");
    step("key up");
    list_case("keys-multiple-fresh", "multiple", 30, 16, 116);
    step("key down");
    step("key space");
    step("key end");
    DestroyWindow(list);
    list = NULL;
    printf("end\n");
}

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc != 2) {
        fprintf(stderr, "usage: window-fixtures scrollbars|edges|listbox\n");
        return 2;
    }
    start();
    printf(
        "# What real user32 windows drew and did, made by tools/wine/make-window-fixtures.sh;\n"
        "# the format is described in tools/wine/window-fixtures.c. Do not edit.\n");
    if (!strcmp(argv[1], "scrollbars"))
        scrollbars();
    else if (!strcmp(argv[1], "edges"))
        edges();
    else if (!strcmp(argv[1], "listbox"))
        listbox();
    else {
        fprintf(stderr, "window-fixtures: unknown family %s\n", argv[1]);
        return 2;
    }
    return 0;
}
