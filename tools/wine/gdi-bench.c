/* Times, with real GDI on a 1920 x 1080 32-bit DIB section, the calls that bench/GdiBench.cpp
 * times with ours: a full-surface FillRect, and the FillRect and Ellipse sequences a gradient
 * panel of that size paints in each kind (black to blue, MinIncrement 4), each band or ring
 * with a new solid brush as the canvas makes one per colour.
 *
 * Run through scripts/bench.sh (or tools/wine/run-gdi-program.sh gdi-bench.c). Prints one
 * line per benchmark: its name and the time of one operation in milliseconds, from the
 * fastest of ten runs.
 */
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#define WIDTH 1920
#define HEIGHT 1080
#define COLOR_START 0x000000
#define COLOR_END 0xFF0000
#define MIN_INCREMENT 4

static HDC dc;

static int channel(COLORREF c, int shift) {
    return (int)((c >> shift) & 0xFF);
}

static int largest_difference(void) {
    int d = 0, shift;
    for (shift = 0; shift <= 16; shift += 8) {
        int v = abs(channel(COLOR_END, shift) - channel(COLOR_START, shift));
        if (v > d) d = v;
    }
    return d;
}

static COLORREF interpolate(COLORREF from, COLORREF to, double f) {
    COLORREF out = 0;
    int shift;
    for (shift = 0; shift <= 16; shift += 8) {
        long double a = channel(from, shift), delta = channel(to, shift) - channel(from, shift);
        out |= (COLORREF)((long)nearbyintl(a + delta * (long double)f) & 0xFF) << shift;
    }
    return out;
}

static void fill_band(int left, int top, int right, int bottom, COLORREF color) {
    RECT r = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

static void full_fill(void) {
    RECT r = {0, 0, WIDTH, HEIGHT};
    FillRect(dc, &r, (HBRUSH)GetStockObject(GRAY_BRUSH));
}

static void bands(int horizontal) {
    const int extent = horizontal ? WIDTH : HEIGHT, d = largest_difference();
    int w = d == 0 ? extent : extent / d, pos;
    if (w < MIN_INCREMENT) w = MIN_INCREMENT;
    for (pos = 0; pos < extent; pos += w) {
        COLORREF c = interpolate(COLOR_START, COLOR_END, (double)pos / extent);
        if (horizontal)
            fill_band(pos, 0, pos + w, HEIGHT, c);
        else
            fill_band(0, pos, WIDTH, pos + w, c);
    }
}

static void horizontal(void) {
    bands(1);
}
static void vertical(void) {
    bands(0);
}

static void conical(void) {
    const int cx = WIDTH / 2, cy = HEIGHT / 2, d = largest_difference();
    const int radius = (int)nearbyint(sqrt((double)(cx * cx + cy * cy)));
    int s = d == 0 ? radius : radius / d, e;
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    if (s < MIN_INCREMENT) s = MIN_INCREMENT;
    for (e = radius; e > 0; e -= s) {
        HBRUSH brush = CreateSolidBrush(interpolate(COLOR_END, COLOR_START, (double)e / radius));
        HGDIOBJ old = SelectObject(dc, brush);
        Ellipse(dc, cx - e, cy - e, cx + e, cy + e);
        SelectObject(dc, old);
        DeleteObject(brush);
    }
    SelectObject(dc, oldPen);
}

/* The fastest of ten runs of at least 0.2 s each, as the mean time of one operation: on a
   machine shared with other work the fastest run is the one least disturbed. */
static void run(const char* name, void (*operation)(void)) {
    LARGE_INTEGER frequency, start, now;
    double best = 0;
    int repetition;
    operation(); /* warm up */
    GdiFlush();
    QueryPerformanceFrequency(&frequency);
    for (repetition = 0; repetition < 10; ++repetition) {
        long iterations = 0;
        double elapsed;
        QueryPerformanceCounter(&start);
        do {
            operation();
            GdiFlush();
            ++iterations;
            QueryPerformanceCounter(&now);
            elapsed = (double)(now.QuadPart - start.QuadPart) / frequency.QuadPart;
        } while (elapsed < 0.2 || iterations < 3);
        elapsed = elapsed * 1000.0 / iterations;
        if (repetition == 0 || elapsed < best) best = elapsed;
    }
    printf("%s %.4f\n", name, best);
    fflush(stdout);
}

int main(void) {
    BITMAPINFO bi;
    void* bits;
    HBITMAP bitmap;
    memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = WIDTH;
    bi.bmiHeader.biHeight = -HEIGHT;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(NULL);
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!bitmap) {
        fprintf(stderr, "gdi-bench: CreateDIBSection failed\n");
        return 1;
    }
    SelectObject(dc, bitmap);
    run("FillRect", full_fill);
    run("GradientPaint/horizontal", horizontal);
    run("GradientPaint/vertical", vertical);
    run("GradientPaint/conical", conical);
    return 0;
}
