#!/usr/bin/env python3
# Writes the editor tests' images (run once; the PNGs are committed beside this script).
import struct, zlib

def png(name, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a)"""
    raw = b''.join(b'\0' + b''.join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    header = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)
    with open(name, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9))
                + chunk(b'IEND', b''))

# 64 x 48 opaque blue.
png('background.png', 64, 48, lambda x, y: (0, 0, 255, 255))
# Four 10 x 10 frames stacked: red, green, white, yellow; the right half of each is transparent.
frame_colours = [(255, 0, 0), (0, 255, 0), (255, 255, 255), (255, 255, 0)]
png('knob.png', 10, 40, lambda x, y: frame_colours[y // 10] + ((255,) if x < 5 else (0,)))
# 100 frames of 2 x 35 stacked (3500 rows); each row tells its number: red = row % 256,
# green = row // 256, blue 7.
png('strip.png', 2, 3500, lambda x, y: (y % 256, y // 256, 7, 255))
