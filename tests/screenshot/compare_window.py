"""Compares pictures of the gallery's window with its headless rendering.

compare_window.py HEADLESS.png FORM.txt PRESENTED.png SCREEN.png [--crop-to FILE]

PRESENTED is what the window presented, read back by the tool; SCREEN is the X server's whole
screen, in which the window is found. Pixels may differ only inside the marquee (the form's
TScrollingArea), whose caption moves while the window is open. --crop-to writes the window's
part of the screen to FILE.
"""
import re
import sys

from PIL import Image


def marquee_rects(form_text):
    """The window rectangles of the form's marquees, in client coordinates of the form."""
    rects, stack = [], []
    for line in form_text.splitlines():
        stripped = line.strip()
        m = re.match(r"(object|inherited|inline)\s+\w*\s*:\s*(\w+)", stripped)
        if m:
            stack.append({"class": m.group(2), "props": {}})
            continue
        if stripped == "end" and stack:
            obj = stack.pop()
            p = obj["props"]
            # Only the form's own children: the gallery puts its marquee there.
            if obj["class"] == "TScrollingArea" and len(stack) == 1:
                rects.append((p.get("Left", 0), p.get("Top", 0),
                              p.get("Left", 0) + p.get("Width", 0),
                              p.get("Top", 0) + p.get("Height", 0)))
            continue
        m = re.match(r"(Left|Top|Width|Height)\s*=\s*(-?\d+)$", stripped)
        if m and stack:
            stack[-1]["props"][m.group(1)] = int(m.group(2))
    return rects


def differences(expected, actual, origin, allowed):
    """Pixels of actual (at origin) unlike expected, outside and inside the allowed rects."""
    ox, oy = origin
    e, a = expected.load(), actual.load()
    outside = inside = 0
    first = None
    for y in range(expected.height):
        for x in range(expected.width):
            if e[x, y] != a[x + ox, y + oy]:
                if any(l <= x < r and t <= y < b for l, t, r, b in allowed):
                    inside += 1
                else:
                    outside += 1
                    first = first or (x, y)
    return outside, inside, first


def find_window(expected, screen):
    """Where the window's client area lies on the screen, or None."""
    w, h = expected.size
    centred = ((screen.width - w) // 2, (screen.height - h) // 2)
    s, e = screen.load(), expected.load()
    # A row from the middle of the form, which the marquee does not cross.
    probe_y = h - 20
    probe = [e[x, probe_y] for x in range(w)]
    candidates = [centred] + [(x, y) for y in range(screen.height - h + 1)
                              for x in range(screen.width - w + 1)]
    for x, y in candidates:
        if s[x, y + probe_y] == probe[0] and all(
                s[x + i, y + probe_y] == probe[i] for i in range(0, w, 7)):
            return (x, y)
    return None


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    crop_to = argv[argv.index("--crop-to") + 1] if "--crop-to" in argv else None
    if crop_to:
        args.remove(crop_to)
    headless_path, form_path, presented_path, screen_path = args[:4]
    headless = Image.open(headless_path).convert("RGB")
    with open(form_path, encoding="latin-1") as f:
        allowed = marquee_rects(f.read())
    if not allowed:
        print(f"{form_path}: no marquee found")
        return 1
    ok = True

    presented = Image.open(presented_path).convert("RGB")
    if presented.size != headless.size:
        print(f"presented: {presented.size[0]} x {presented.size[1]}, "
              f"expected {headless.size[0]} x {headless.size[1]}")
        ok = False
    else:
        outside, inside, first = differences(headless, presented, (0, 0), allowed)
        print(f"presented pixels: {outside} differ outside the marquee, {inside} inside it")
        if outside:
            print(f"  first at {first}")
            ok = False

    screen = Image.open(screen_path).convert("RGB")
    origin = find_window(headless, screen)
    if origin is None:
        print("screen: the window is not on it")
        return 1
    outside, inside, first = differences(headless, screen, origin, allowed)
    print(f"screen: window at {origin}; {outside} pixels differ outside the marquee, "
          f"{inside} inside it")
    if outside:
        print(f"  first at {first}")
        ok = False
    if crop_to:
        x, y = origin
        screen.crop((x, y, x + headless.width, y + headless.height)).save(crop_to)
        print(f"wrote {crop_to}")
    print("match" if ok else "MISMATCH")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
