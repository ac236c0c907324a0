#!/usr/bin/env python3
# Writes the hostile regression inputs of this folder: the smallest files of
# each kind of fault found by tools/fuzz (records that lie about their size,
# indices outside the object table, pictures whose headers declare far more
# than the file holds). Run from this folder; the files are kept in git. The
# fuzz_* files beside them are findings kept as the fuzzer wrote them.
import struct, zlib

def wmf(records, objects=1):
    body = b''.join(records) + struct.pack('<IH', 3, 0)
    words = (18 + len(body)) // 2
    largest = 3
    header = struct.pack('<HHHIHIH', 1, 9, 0x300, words, objects, 0x100, 0)
    return header + body

def rec(function, *params, size=None):
    data = b''.join(struct.pack('<H', p & 0xFFFF) for p in params)
    words = 3 + len(data) // 2 if size is None else size
    return struct.pack('<IH', words, function) + data

# A 100 x 100 picture: red square, then (after the record under test) a blue one.
WINDOW = [rec(0x020B, 0, 0), rec(0x020C, 100, 100)]
RED = [rec(0x02FC, 0, 0x00FF, 0x0000, 0), rec(0x012D, 0), rec(0x041B, 90, 90, 10, 10)]
BLUE = [rec(0x01F0, 0), rec(0x02FC, 0, 0x0000, 0x00FF, 0), rec(0x012D, 0), rec(0x041B, 60, 60, 40, 40)]

def write(name, data):
    with open(name, 'wb') as f:
        f.write(data)

write('wmf_zero_size_record.wmf', wmf(WINDOW + RED + [struct.pack('<IH', 0, 0x041B) + b'\0' * 8] + BLUE))
write('wmf_huge_record_size.wmf', wmf(WINDOW + RED + [struct.pack('<IH', 0xFFFFFFF0, 0x041B) + b'\0' * 8] + BLUE))
write('wmf_object_index.wmf', wmf(WINDOW + RED + [rec(0x012D, 0x7FFF)] + BLUE))
write('wmf_polygon_count.wmf', wmf(WINDOW + RED + [rec(0x0324, 0x7FFF, 1, 2, 3, 4)] + BLUE))
write('wmf_textout_count.wmf', wmf(WINDOW + RED + [rec(0x0521, 30000, 0x4141, 5, 5)] + BLUE))
# StretchDIB of a 30000 x 30000 bitmap carried in 4 bytes.
dib = struct.pack('<IiiHHIIiiII', 40, 30000, 30000, 1, 24, 0, 0, 0, 0, 0, 0) + b'\0' * 4
write('wmf_dib_size.wmf', wmf(WINDOW + RED + [rec(0x0F43, 0x0020, 0x00CC, 0, 30000, 30000, 0, 0, 100, 100, 0, 0) [:0] +
                                            struct.pack('<IH', 3 + 11 + len(dib) // 2, 0x0F43) +
                                            struct.pack('<11H', 0x0020, 0x00CC, 0, 30000, 30000, 0, 0, 100, 100, 0, 0) + dib] + BLUE))
# CreatePalette whose count runs far past the record.
write('wmf_palette_count.wmf', wmf(WINDOW + RED + [rec(0x00F7, 0x300, 0xFFFF, 0, 0)] + BLUE, objects=2))

def emr(kind, payload):
    return struct.pack('<II', kind, 8 + len(payload)) + payload

def emf(records, bounds=(0, 0, 99, 99), handles=3):
    body = b''.join(records) + emr(14, struct.pack('<III', 0, 16, 20))
    count = 2 + len(records)
    header = struct.pack('<iiii', *bounds) + struct.pack('<iiii', 0, 0, 2645, 2645)
    header += struct.pack('<IIIIHHIIIiiii', 0x464D4520, 0x10000, 88 + len(body), count, handles, 0, 0, 0, 0,
                          1024, 768, 320, 240)
    return struct.pack('<II', 1, 88) + header + body

EWINDOW = []
ERED = [emr(39, struct.pack('<IIII', 1, 0, 0x0000FF, 0)), emr(37, struct.pack('<I', 1)),
        emr(43, struct.pack('<iiii', 10, 10, 90, 90))]
EBLUE = [emr(39, struct.pack('<IIII', 2, 0, 0xFF0000, 0)), emr(37, struct.pack('<I', 2)),
         emr(43, struct.pack('<iiii', 40, 40, 60, 60))]
write('emf_zero_size_record.emf', emf(ERED + [struct.pack('<II', 43, 0) + b'\0' * 16] + EBLUE))
write('emf_object_index.emf', emf(ERED + [emr(37, struct.pack('<I', 500))] + EBLUE))
write('emf_polygon_count.emf', emf(ERED + [emr(3, struct.pack('<iiiiI', 0, 0, 99, 99, 0x20000000) + struct.pack('<ii', 1, 1))] + EBLUE))
text = struct.pack('<iiiiIff', 0, 0, 99, 99, 1, 1.0, 1.0) + struct.pack('<iiIIIiiiiI', 5, 5, 0x10000000, 76, 0, 0, 0, 99, 99, 0) + 'AB'.encode('utf-16-le')
write('emf_text_count.emf', emf(ERED + [emr(84, text)] + EBLUE))
bmi = struct.pack('<IiiHHIIiiII', 40, 40000, 40000, 1, 24, 0, 0, 0, 0, 0, 0)
stretch = struct.pack('<iiii', 0, 0, 99, 99) + struct.pack('<iiiiii', 0, 0, 0, 0, 40000, 40000)
stretch += struct.pack('<IIII', 80, 40, 120, 4) + struct.pack('<IIii', 0, 0x00CC0020, 99, 99) + bmi + b'\0' * 4
write('emf_bitmap_size.emf', emf(ERED + [emr(81, stretch)] + EBLUE))
# An ellipse 268 million pixels wide: minutes and gigabytes to draw.
write('emf_huge_ellipse.emf', emf(ERED + [emr(42, struct.pack('<iiii', 10, 10, 0x1000005A, 90))] + EBLUE))
write('emf_huge_bounds.emf', emf(ERED + EBLUE, bounds=(0, 0, 9999, 9999)))

# GIF whose screen declares 10211 x 48897 pixels in a few dozen bytes.
gif = b'GIF89a' + struct.pack('<HHBBB', 10211, 48897, 0x80, 0, 0) + b'\0\0\0\xff\xff\xff'
gif += b',' + struct.pack('<HHHHB', 0, 0, 1, 1, 0) + b'\x02\x02\x44\x01\x00' + b';'
write('gif_screen_size.gif', gif)

# 1-bit TIFF whose width grew to 124720 (5600 rows), with 16 bytes of pixels.
def tiff(width, height, bits, data):
    entries = [(256, 4, 1, width), (257, 4, 1, height), (258, 3, 1, bits), (259, 3, 1, 1), (262, 3, 1, 1),
               (273, 4, 1, 8 + 2 + 12 * 9 + 4), (277, 3, 1, 1), (278, 4, 1, height), (279, 4, 1, len(data))]
    ifd = struct.pack('<H', len(entries)) + b''.join(struct.pack('<HHII', *e) for e in entries) + struct.pack('<I', 0)
    return b'II*\0' + struct.pack('<I', 8) + ifd + data
write('tiff_width_1bit.tif', tiff(124720, 5600, 1, b'\x55' * 16))

# JPEG whose EXIF thumbnail declares 39833 x 14123 in a block of 10 KB.
# A real 16 x 16 grey JPEG (ImageMagick) whose frame header says 39833 x 14123;
# its data runs out at once, so all the rest would be made up by the decoder.
GREY16 = bytes.fromhex('ffd8ffe000104a46494600010100000100010000ffdb004300100b0c0e0c0a100e0d0e1211101318281a181616183123251d283a333d3c3933383740485c4e404457453738506d51575f626768673e4d71797064785c656763ffc0000b080010001001011100ffc4001500010100000000000000000000000000000001ffc40014100100000000000000000000000000000000ffda0008010100003f00803fffd9')
sof = GREY16.find(b'\xff\xc0')
thumb = GREY16[:sof + 5] + struct.pack('>HH', 14123, 39833) + GREY16[sof + 9:]
thumb = thumb[:-2] + b'\0' * 9000 + b'\xff\xd9'
ifd0 = struct.pack('<H', 0) + struct.pack('<I', 26)
ifd1_at = 8 + len(ifd0)
ifd1 = struct.pack('<H', 2) + struct.pack('<HHII', 0x0201, 4, 1, 0) + struct.pack('<HHII', 0x0202, 4, 1, len(thumb)) + struct.pack('<I', 0)
thumb_at = ifd1_at + len(ifd1)
ifd1 = struct.pack('<H', 2) + struct.pack('<HHII', 0x0201, 4, 1, thumb_at) + struct.pack('<HHII', 0x0202, 4, 1, len(thumb)) + struct.pack('<I', 0)
block = b'II*\0' + struct.pack('<I', 8) + struct.pack('<H', 0) + struct.pack('<I', ifd1_at) + ifd1 + thumb
app1 = b'\xff\xe1' + struct.pack('>H', 8 + len(block)) + b'Exif\0\0' + block
write('exif_thumbnail_size.jpg', b'\xff\xd8' + app1 + b'\xff\xd9')

# PNG of 2 x 2 pixels whose sCAL chunk is 8 KB of digits.
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
raw = b''.join(b'\0' + b'\xff\0\0' * 2 for _ in range(2))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 2, 2, 8, 2, 0, 0, 0))
png += chunk(b'sCAL', b'\x01' + b'1' * 4000 + b'\0' + b'1' * 4000)
png += chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
write('png_scal_size.png', png)
