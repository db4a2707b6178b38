"""Compares the designer's window with the headless picture of its design surface.

compare_designer.py SURFACE.png FORM.txt PRESENTED.png

SURFACE is what the designer's screenshot command draws for FORM (the form in its frame, with
the grid); PRESENTED is what the designer's window presented with FORM open. The surface must
appear in the window pixel for pixel, except inside the form's marquee, whose caption moves
while the window is open.
"""
import sys

from PIL import Image

from compare_window import differences, marquee_rects

# Where the form's client area lies in the design surface: the margin, then the window frame.
FORM_ORIGIN = (8 + 4, 8 + 23)


def find_surface(surface, window, allowed):
    """Where the surface lies in the window, or None."""
    w, h = surface.size
    s, p = surface.load(), window.load()
    # Rows through the whole form, sampled: a single row of plain grey would match anywhere.
    probes = [(x, y) for y in range(h // 8, h, h // 8) for x in range(0, w, 3)
              if not any(l <= x < r and t <= y < b for l, t, r, b in allowed)]
    for y in range(window.height - h + 1):
        for x in range(window.width - w + 1):
            if all(p[x + px, y + py] == s[px, py] for px, py in probes):
                return (x, y)
    return None


def main(argv):
    surface_path, form_path, presented_path = argv[:3]
    surface = Image.open(surface_path).convert("RGB")
    presented = Image.open(presented_path).convert("RGB")
    with open(form_path, encoding="latin-1") as f:
        form_text = f.read()
    ox, oy = FORM_ORIGIN
    allowed = [(l + ox, t + oy, r + ox, b + oy) for l, t, r, b in marquee_rects(form_text)]
    origin = find_surface(surface, presented, allowed)
    if origin is None:
        print("the design surface is nowhere in the designer's window")
        return 1
    outside, inside, first = differences(surface, presented, origin, allowed)
    print(f"design surface at {origin} in the window: {outside} pixels differ outside the "
          f"marquee, {inside} inside it")
    if outside:
        print(f"first difference at {first} of the surface")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
