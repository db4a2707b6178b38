/* What the fixture programs share: the case header and the pixel block of a 32-bit surface,
 * in the format tools/wine/gdi-fixtures.c describes. Included by one program each. */
#ifndef QM_FIXTURE_PIXELS_H
#define QM_FIXTURE_PIXELS_H

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

/* A DIB word is 0x00RRGGBB; the fixtures speak COLORREF. */
static DWORD pixel_of(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
static COLORREF colorref_of(DWORD p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

static void begin_case(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    printf("case ");
    vprintf(fmt, ap);
    printf("\n");
    va_end(ap);
}

static const char kSymbols[] =
    ".abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!\"#$%&'()*+,-/:;<=>?@[\\]^_`{|}~";
#define SYMBOL_COUNT ((int)sizeof kSymbols - 1)

static void put_symbol(int index, int symbolWidth) {
    if (symbolWidth == 1)
        putchar(kSymbols[index]);
    else {
        putchar(kSymbols[index / SYMBOL_COUNT]);
        putchar(kSymbols[index % SYMBOL_COUNT]);
    }
}

/* "pixels", the palette (the fill colour first, as "."), the run-length coded rows, "end". */
static void print_pixels(const DWORD* bits, int width, int height, COLORREF fill) {
    static DWORD palette[SYMBOL_COUNT * SYMBOL_COUNT];
    static int index[512 * 512];
    int count = 0, x, y, i, symbolWidth;
    if (width * height > 512 * 512) {
        fprintf(stderr, "fixture surface too large\n");
        exit(1);
    }
    GdiFlush();
    palette[count++] = pixel_of(fill);
    for (i = 0; i < width * height; ++i) {
        int k;
        for (k = 0; k < count && palette[k] != bits[i]; ++k) {
        }
        if (k == count) {
            if (count == SYMBOL_COUNT * SYMBOL_COUNT) {
                fprintf(stderr, "too many colours\n");
                exit(1);
            }
            palette[count++] = bits[i];
        }
        index[i] = k;
    }
    symbolWidth = count <= SYMBOL_COUNT ? 1 : 2;
    printf("pixels %d %d", symbolWidth, count);
    for (i = 0; i < count; ++i) {
        putchar(' ');
        put_symbol(i, symbolWidth);
        printf("=%06lx", (unsigned long)colorref_of(palette[i]));
    }
    printf("\n");
    for (y = 0; y < height; ++y) {
        for (x = 0; x < width;) {
            int k = index[y * width + x], run = 1;
            while (x + run < width && index[y * width + x + run] == k) ++run;
            if (run > 1) printf("%d", run);
            put_symbol(k, symbolWidth);
            x += run;
        }
        printf("\n");
    }
    printf("end\n");
}

#endif
