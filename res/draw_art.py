#!/usr/bin/env python3
"""Draws the wizard's picture strip (Strip.bmp, run-length encoded), the
program icon (Setup.ico) and the stand-in product's icon
(../product/VarnX.ico) in the standard 16-colour palette. Each icon holds
every size Windows asks for up to 200 %: 16 and 32 pixels as 16-colour
bitmaps (half a byte a pixel keeps them small), 24, 48 and 256 pixels as
16-colour PNGs, which Windows reads inside an icon since Vista. Run it from this folder; its
outputs are committed."""
import struct
import zlib

# The standard 16-colour Windows palette, in its usual order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
NAVY, TEAL, SILVER, GREY, BLUE, AQUA, WHITE, YELLOW = 4, 6, 7, 8, 12, 14, 15, 11


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def pack_rows(pixels, width, height):
    """4-bit rows, bottom-up, each padded to a multiple of four bytes."""
    row_bytes = ((width * 4 + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray(row_bytes)
        for x in range(width):
            value = pixels[y][x]
            row[x // 2] |= value << (4 if x % 2 == 0 else 0)
        out += row
    return bytes(out)


def info_header(width, height, image_size, compression=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, compression, image_size, 0, 0, 16, 0)


BI_RLE4 = 2


def rle4_rows(pixels):
    """BI_RLE4, bottom-up: each row as runs of one colour or of two taking
    turns (a run is a count and the pair), closed by an end of line; the
    last by an end of bitmap."""
    out = bytearray()
    for row in reversed(pixels):
        x = 0
        while x < len(row):
            pair = row[x:x + 2]
            count = 1
            while x + count < len(row) and count < 255 and row[x + count] == pair[count % 2]:
                count += 1
            out += bytes((count, pair[0] << 4 | pair[-1]))
            x += count
        out += b"\0\0"
    out[-1] = 1
    return bytes(out)


def unrle4_rows(data, width):
    """Reads rle4_rows back, top row first."""
    rows, row, at = [], [], 0
    while True:
        count, value = data[at], data[at + 1]
        at += 2
        if count:
            row += [(value >> 4, value & 15)[i % 2] for i in range(count)]
            continue
        assert value in (0, 1) and len(row) == width, (value, len(row))
        rows.insert(0, row)
        row = []
        if value == 1:
            return rows


def strip():
    width, height = 70, 200
    pixels = []
    for y in range(height):
        band = NAVY if y < 70 else BLUE if y < 120 else TEAL
        row = [band] * width
        # A diagonal of light squares: a plain mark of the product.
        for x in range(width):
            if (x + y) % 40 < 3:
                row[x] = AQUA
        pixels.append(row)
    for y in range(150, 186):
        for x in range(17, 53):
            edge = y in (150, 185) or x in (17, 52)
            pixels[y][x] = GREY if edge else SILVER
    for y in range(160, 176):
        for x in range(27, 43):
            pixels[y][x] = WHITE
    # Run-length encoded: the bands and diagonals are long runs, and every
    # byte of the picture is in Setup.exe.
    bits = rle4_rows(pixels)
    assert unrle4_rows(bits, width) == pixels
    dib = info_header(width, height, len(bits), BI_RLE4) + palette_bytes() + bits
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, 14 + 40 + 64)
    with open("Strip.bmp", "wb") as f:
        f.write(file_header + dib)


def icon_pixels(size, frame, top, bottom):
    """Palette indexes, 0 where the icon is transparent. The frame and the
    checks grow with the size, so the 256-pixel image reads as the others."""
    margin, line = size // 8, max(1, size // 32)
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            inside = margin <= x < size - margin and margin <= y < size - margin
            edge = min(x - margin, y - margin, size - margin - 1 - x, size - margin - 1 - y) < line
            if not inside:
                row.append(0)
            elif edge:
                row.append(frame)
            elif y < size // 2:
                row.append(top)
            else:
                row.append(bottom[0] if (x + y) // line % 4 < 2 else bottom[1])
        pixels.append(row)
    return pixels


def icon_bitmap(pixels, size):
    """A 16-colour DIB with its AND mask, as an icon stores a small image."""
    xor_bits = pack_rows(pixels, size, size)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_row)
        for x in range(size):
            if pixels[y][x] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = info_header(size, size * 2, len(xor_bits) + len(mask))
    return header + palette_bytes() + xor_bits + bytes(mask)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def icon_png(pixels, size):
    """Half a byte a pixel over the colours the image uses, index 0
    transparent, each row unfiltered: the flat colours and the repeating
    checks leave the compressor little to do, and every byte of it is in
    Setup.exe."""
    used = sorted({value for row in pixels for value in row})
    assert used[0] == 0
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for x in range(0, size, 2):
            raw.append(used.index(row[x]) << 4 | used.index(row[x + 1]))
    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)
    palette = b"".join(bytes(PALETTE[value]) for value in used)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"PLTE", palette) +
            png_chunk(b"tRNS", b"\x00") + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            png_chunk(b"IEND", b""))

# Windows before Vista reads only bitmap images, and draws a file's icon at
# 16 and 32 pixels, and at 48 in one view of Explorer (Tiles), which there
# gets the system's own icon: a 48-pixel bitmap would cost the program
# 1.4 KB of its 64.
PNG_SIZES = (24, 48, 256)


def icon(path, frame=NAVY, top=BLUE, bottom=(YELLOW, AQUA)):
    sizes = (16, 24, 32, 48, 256)
    images = []
    for size in sizes:
        pixels = icon_pixels(size, frame, top, bottom)
        images.append(icon_png(pixels, size) if size in PNG_SIZES else icon_bitmap(pixels, size))
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for size, image in zip(sizes, images):
        # The directory writes 256 as 0; a PNG image counts 32 bits a pixel.
        bitmap = size not in PNG_SIZES
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16 if bitmap else 0, 0, 1, 4 if bitmap else 32,
                           len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))
    return [len(image) for image in images]

strip()
print("Setup.ico", icon("Setup.ico"))
print("VarnX.ico", icon("../product/VarnX.ico", frame=TEAL, top=AQUA, bottom=(WHITE, SILVER)))
