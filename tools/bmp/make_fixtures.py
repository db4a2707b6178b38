#!/usr/bin/python3
"""Reference pixels for the BMP reader's tests, decoded by Pillow (Debian's python3-pil).

    tools/bmp/make_fixtures.py [--suite DIR]

With --suite, first copies the BMP Suite (its g/, q/ and b/ folders and README.md) into
tests/fixtures/bmpsuite/. Then decodes every file of tests/fixtures/bmpsuite/g/ and q/ and
writes tests/fixtures/bmp/<folder>/<name>.png (RGB, or RGBA where the image has alpha), and
tests/fixtures/bmp/sources.txt, which says how each reference was made. Last, writes the
fuzzer's starting corpus, tiny files of every layout the reader knows, into fuzz/corpus/bmp/.

Pillow decodes each file, with three amendments, each checked against Pillow where Pillow is
right:

- Run-length files go through a corrected copy of Pillow's RLE decoder: Pillow reads one byte
  too few for a literal run of an odd number of 4-bit pixels (so g/pal4rle.bmp comes out
  sheared) and, in some versions, drops the two bytes of a delta. Runs are clamped to the row
  and pixels a delta or an end of line skips keep index 0, as in Pillow; pixels after an
  early end of bitmap (q/*rlecut.bmp) keep index 0 too, where Pillow would stop with "not
  enough image data" (the stock decoder reads those files only because its delta misreads).
- Paletted files Pillow refuses only for their packaging (2 bits per pixel, the 16-byte OS/2
  header, a table of more than 256 entries) are rewritten as a plain 8-bit file with the
  same colour table and indexes, and that is decoded.
- Bit-field layouts Pillow lacks are widened by the rule Pillow uses for its 5- and 6-bit
  layouts, a field of n bits scaling by 255 / (2^n - 1) rounded down; alpha counts in 32-bit
  pixels only. The script checks this rule against Pillow on every 16-, 24- and 32-bit file
  Pillow reads and stops if they differ.

Files none of these read (Huffman, embedded JPEG and PNG, RLE24, 64 bits) get no reference:
the reader must refuse them.
"""

import argparse
import io
import os
import shutil
import struct
import sys
import warnings

from PIL import BmpImagePlugin, Image, ImageFile  # the plugin first, so our decoder wins

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SUITE = os.path.join(ROOT, "tests", "fixtures", "bmpsuite")
OUT = os.path.join(ROOT, "tests", "fixtures", "bmp")
SEEDS = os.path.join(ROOT, "fuzz", "corpus", "bmp")


class Refused(Exception):
    pass


class RunLengthDecoder(ImageFile.PyDecoder):
    """Pillow's RLE4/RLE8 decoding with the literal-run length and the delta read right."""

    _pulls_fd = True

    def decode(self, buffer):
        rle4 = self.args[1]
        width, height = self.state.xsize, self.state.ysize
        start = self.fd.tell()
        data = bytearray()
        x = 0
        while len(data) < width * height:
            pair = self.fd.read(2)
            if len(pair) < 2:
                break
            count, code = pair
            if count:
                count = min(count, max(0, width - x))
                for i in range(count):
                    data.append((code >> 4 if i % 2 == 0 else code & 15) if rle4 else code)
                x += count
            elif code == 0:
                data += bytes(-len(data) % width)
                x = 0
            elif code == 1:
                break
            elif code == 2:
                move = self.fd.read(2)
                if len(move) < 2:
                    break
                right, up = move
                data += bytes(right + up * width)
                x = len(data) % width
            else:
                length = (code + 1) // 2 if rle4 else code
                raw = self.fd.read(length)
                if rle4:
                    nibbles = bytearray()
                    for b in raw:
                        nibbles += bytes((b >> 4, b & 15))
                    data += nibbles[:code]
                else:
                    data += raw
                if len(raw) < length:
                    break
                x += code
                if (self.fd.tell() - start) % 2:
                    self.fd.read(1)
        # Pixels after an early end of bitmap keep index 0, like the pixels a delta skips.
        data += bytes(max(0, width * height - len(data)))
        rawmode = "L" if self.mode == "L" else "P"
        self.set_as_raw(bytes(data[: width * height]), (rawmode, 0, self.args[-1]))
        return -1, 0


def u16(b, o):
    return struct.unpack_from("<H", b, o)[0]


def u32(b, o):
    return struct.unpack_from("<I", b, o)[0]


def i32(b, o):
    return struct.unpack_from("<i", b, o)[0]


def header(raw):
    """The fields a reference needs, from a file with a header of 16 bytes or more."""
    hs = u32(raw, 14)
    if hs == 12:
        raise Refused("OS/2 1.x header")
    h = {"size": hs, "offset": u32(raw, 10), "width": i32(raw, 18), "height": i32(raw, 22),
         "bits": u16(raw, 28), "compression": u32(raw, 30) if hs >= 40 else 0,
         "colors": u32(raw, 46) if hs >= 40 else 0}
    if hs in (16, 64) and h["compression"] in (3, 4):
        raise Refused("OS/2 Huffman or RLE24")
    return h


def rewrapped_paletted(raw):
    """The file as a plain 8-bit BMP with the same colour table and indexes."""
    h = header(raw)
    bits, width, height = h["bits"], h["width"], abs(h["height"])
    if bits not in (1, 2, 4, 8) or h["compression"] != 0:
        raise Refused("not an uncompressed paletted file")
    table = 14 + h["size"]
    entries = h["colors"] or (1 << bits)
    entries = min(entries, (h["offset"] - table) // 4, 1 << bits)
    palette = raw[table:table + 4 * entries]
    stride = (width * bits + 31) // 32 * 4
    out_stride = (width + 3) // 4 * 4
    rows = bytearray()
    for r in range(height):
        row = raw[h["offset"] + r * stride:]
        indexes = bytearray()
        for x in range(width):
            bit = x * bits
            indexes.append((row[bit // 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1))
        rows += indexes + bytes(out_stride - width)
    offset = 54 + len(palette)
    return (b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
            + struct.pack("<IiiHHIIiiII", 40, width, h["height"], 1, 8, 0, len(rows), 0, 0,
                          entries, 0)
            + palette + bytes(rows))


def widen(word, mask):
    if not mask:
        return 0
    shift = (mask & -mask).bit_length() - 1
    return ((word & mask) >> shift) * 255 // (mask >> shift)


def decode_bitfields(raw):
    """16-, 24- and 32-bit pixels through their masks, as RGB or (32-bit with alpha) RGBA."""
    h = header(raw)
    bits, width, height, comp = h["bits"], h["width"], h["height"], h["compression"]
    if bits not in (16, 24, 32) or comp not in (0, 3, 6):
        raise Refused("not a bit-field file")
    if comp == 0:
        masks = [0x7C00, 0x3E0, 0x1F, 0] if bits == 16 else [0xFF0000, 0xFF00, 0xFF, 0]
    else:
        count = 4 if comp == 6 or h["size"] >= 56 else 3
        masks = [u32(raw, 54 + 4 * i) for i in range(count)] + [0] * (4 - count)
    alpha = bits == 32 and masks[3] != 0
    image = Image.new("RGBA" if alpha else "RGB", (width, abs(height)))
    stride = (width * bits + 31) // 32 * 4
    step = bits // 8
    for r in range(abs(height)):
        y = r if height < 0 else abs(height) - 1 - r
        row = h["offset"] + r * stride
        for x in range(width):
            word = int.from_bytes(raw[row + step * x:row + step * (x + 1)], "little")
            px = tuple(widen(word, m) for m in masks[: 4 if alpha else 3])
            image.putpixel((x, y), px)
    return image


def pillow(raw):
    image = Image.open(io.BytesIO(raw))
    image.load()
    return image.convert("RGBA" if "A" in image.mode else "RGB")


def reference(raw):
    """The reference image and how it was made."""
    try:
        rle = u32(raw, 14) >= 40 and u32(raw, 30) in (1, 2)
        return pillow(raw), "Pillow, corrected RLE" if rle else "Pillow"
    except (OSError, ValueError):
        pass
    for route, how in ((lambda r: pillow(rewrapped_paletted(r)), "Pillow, rewritten as 8-bit"),
                       (decode_bitfields, "bit-field rule")):
        try:
            return route(raw), how
        except Refused:
            continue
    raise Refused("no reference decoder reads it")


def check_bitfield_rule(paths):
    """The bit-field rule must agree with Pillow wherever Pillow reads 16 to 32 bits."""
    for path in paths:
        raw = open(path, "rb").read()
        try:
            h = header(raw)
            expected = pillow(raw)
        except (OSError, ValueError, Refused):
            continue
        if h["bits"] < 16:
            continue
        actual = decode_bitfields(raw)
        if actual.mode != expected.mode or actual.tobytes() != expected.tobytes():
            sys.exit(f"{path}: the bit-field rule disagrees with Pillow")


def copy_suite(source):
    for folder in "gqb":
        target = os.path.join(SUITE, folder)
        shutil.rmtree(target, ignore_errors=True)
        shutil.copytree(os.path.join(source, folder), target)
    shutil.copy(os.path.join(source, "README.md"), os.path.join(SUITE, "README.md"))


def sample(header_size, bits, compression=0, width=3, height=2, colors=None, masks=(), rows=None,
         dib=False):
    """A tiny bitmap: header, masks, colour table, pixels (rows as stored, or made up)."""
    if header_size == 12:
        head = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        head = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression, 0,
                           2835, 2835, 0, 0)[:header_size]
        head += bytes(header_size - len(head))
        if header_size >= 52:
            head = head[:40] + b"".join(struct.pack("<I", m) for m in masks) + head[40 + 4 * len(masks):]
            masks = ()
    entry = 3 if header_size == 12 else 4
    colors = (1 << bits if bits <= 8 else 0) if colors is None else colors
    table = b"".join(bytes((i * 40 % 256, i * 90 % 256, i * 150 % 256, 0))[:entry]
                     for i in range(colors))
    if rows is None:
        stride = (width * bits + 31) // 32 * 4
        rows = bytes((17 * i + 5) % (256 if bits > 8 else colors or 1) for i in range(stride * abs(height)))
        if bits < 8:
            rows = bytes(b & (0x55 if bits == 1 else 0x11 if bits == 4 else 0x55) for b in rows)
    body = head + b"".join(struct.pack("<I", m) for m in masks) + table + rows
    if dib:
        return body
    offset = 14 + len(body) - len(rows)
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body


def write_corpus():
    rle8 = bytes((2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 0, 2, 4, 0, 1))
    rle4 = bytes((3, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 1))
    corpus = {
        "pal1": sample(40, 1), "pal2": sample(40, 2), "pal4": sample(40, 4), "pal8": sample(40, 8),
        "pal8-short-table": sample(40, 8, colors=5), "pal8-top-down": sample(40, 8, height=-2),
        "pal8-core": sample(12, 8), "pal8-os2v2-16": sample(16, 8), "pal8-os2v2-64": sample(64, 8),
        "pal8-v4": sample(108, 8), "pal8-v5": sample(124, 8),
        "rle8": sample(40, 8, 1, width=5, height=3, colors=5, rows=rle8),
        "rle4": sample(40, 4, 2, width=4, height=2, colors=4, rows=rle4),
        "rgb16": sample(40, 16), "rgb16-565": sample(40, 16, 3, masks=(0xF800, 0x7E0, 0x1F)),
        "rgb24": sample(40, 24), "rgb32": sample(40, 32),
        "rgb32-h52": sample(52, 32, 3, masks=(0xFF0000, 0xFF00, 0xFF)),
        "rgba32-h56": sample(56, 32, 3, masks=(0xFF000000, 0xFF00, 0xFF, 0xFF0000)),
        "rgba32-abf": sample(40, 32, 6, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
        "rgba32-v5": sample(124, 32, 3, masks=(0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000)),
        "dib-pal4": sample(40, 4, dib=True), "dib-rle8": sample(40, 8, 1, 5, 3, 5, rows=rle8, dib=True),
    }
    shutil.rmtree(SEEDS, ignore_errors=True)
    os.makedirs(SEEDS)
    for name, data in corpus.items():
        with open(os.path.join(SEEDS, name + ".bmp"), "wb") as f:
            f.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--suite", help="a BMP Suite folder (g/, q/, b/) to copy in first")
    args = parser.parse_args()
    if args.suite:
        copy_suite(args.suite)
    warnings.simplefilter("ignore")
    Image.register_decoder("bmp_rle", RunLengthDecoder)

    paths = [os.path.join(SUITE, f, n) for f in "gq"
             for n in sorted(os.listdir(os.path.join(SUITE, f))) if n.endswith(".bmp")]
    check_bitfield_rule(paths)
    lines = []
    for path in paths:
        folder, name = os.path.basename(os.path.dirname(path)), os.path.basename(path)
        try:
            image, how = reference(open(path, "rb").read())
        except Refused as e:
            lines.append(f"{folder}/{name}: none ({e})")
            continue
        os.makedirs(os.path.join(OUT, folder), exist_ok=True)
        image.save(os.path.join(OUT, folder, name[:-4] + ".png"), optimize=True)
        lines.append(f"{folder}/{name}: {how}, {image.mode}")
    # Each run-length picture is its uncompressed twin, pixel for pixel.
    for rle, plain in (("g/pal4rle", "g/pal4"), ("g/pal8rle", "g/pal8")):
        a, b = (Image.open(os.path.join(OUT, n + ".png")) for n in (rle, plain))
        if a.tobytes() != b.tobytes():
            sys.exit(f"{rle} does not decode to the picture of {plain}")
    with open(os.path.join(OUT, "sources.txt"), "w") as f:
        f.write("# How each reference image was made (tools/bmp/make_fixtures.py).\n")
        f.write("\n".join(lines) + "\n")
    print(f"{sum('none' not in l for l in lines)} references written to {OUT}")
    write_corpus()
    print(f"fuzzer corpus written to {SEEDS}")


if __name__ == "__main__":
    main()
