#!/usr/bin/env python3
"""Writes the damaged Windows bitmaps the picture tests feed to the reader.

Each file starts as a sound 4 x 2 bitmap and has one thing wrong with it;
the name says what. Run it from this folder to remake malformed/.
"""
import os
import struct


def bitmap(width=4, height=2, planes=1, bpp=24, compression=0, image_size=None,
           colours_used=0, offset=None, header_size=40, pixels=None, file_size=None):
    row = ((width * bpp + 31) // 32) * 4 if width > 0 and 0 < bpp <= 32 else 0
    if pixels is None:
        # Pixels for a sound bitmap; a header that claims more gets only those.
        pixels = bytes((i * 37) & 0xFF for i in range(min(row * abs(height), 4 * 12 * 2)))
    palette = b''
    if bpp <= 8 and 0 < bpp:
        palette = b''.join(struct.pack('<BBBB', i, 255 - i, i // 2, 0) for i in range(1 << bpp))
    info = struct.pack('<IiiHHIIiiII', header_size, width, height, planes, bpp, compression,
                       len(pixels) if image_size is None else image_size, 2835, 2835,
                       colours_used, 0)
    if header_size > 40:
        info += bytes(header_size - 40)
    data_offset = 14 + header_size + len(palette) if offset is None else offset
    total = 14 + header_size + len(palette) + len(pixels)
    head = b'BM' + struct.pack('<IHHI', total if file_size is None else file_size, 0, 0,
                               data_offset)
    return head + info[:header_size] + palette + pixels


CASES = {
    'header-cut-after-magic.bmp': b'BM',
    'header-cut-in-file-header.bmp': bitmap()[:10],
    'header-cut-in-info-header.bmp': bitmap()[:30],
    'pixels-cut-short.bmp': bitmap()[:-5],
    'width-zero.bmp': bitmap(width=0),
    'height-zero.bmp': bitmap(height=0),
    'width-negative.bmp': bitmap(width=-4),
    'width-largest.bmp': bitmap(width=0x7FFFFFFF),
    'height-largest.bmp': bitmap(height=0x7FFFFFFF),
    'height-smallest.bmp': bitmap(height=-0x80000000),
    'both-huge.bmp': bitmap(width=30000, height=30000),
    'planes-zero.bmp': bitmap(planes=0),
    'bpp-zero.bmp': bitmap(bpp=0),
    'bpp-largest.bmp': bitmap(bpp=0xFFFF),
    'bpp-seven.bmp': bitmap(bpp=7),
    'compression-unknown.bmp': bitmap(compression=0xFFFFFFFF),
    'rle8-without-end.bmp': bitmap(bpp=8, compression=1, pixels=b'\x05\x01' * 3),
    'colours-used-largest.bmp': bitmap(bpp=8, colours_used=0xFFFFFFFF),
    'image-size-largest.bmp': bitmap(image_size=0xFFFFFFFF),
    'offset-past-end.bmp': bitmap(offset=0xFFFFFFFF),
    'offset-inside-header.bmp': bitmap(offset=2),
    'file-size-largest.bmp': bitmap(file_size=0xFFFFFFFF),
    'info-header-size-zero.bmp': bitmap(header_size=0)[:14] + bitmap()[14:],
    'info-header-size-largest.bmp': bitmap()[:14] + struct.pack('<I', 0xFFFFFFFF) + bitmap()[18:],
    'text-after-magic.bmp': b'BM <body bgcolor="#336699">\n',
}

if __name__ == '__main__':
    os.makedirs('malformed', exist_ok=True)
    for name, data in CASES.items():
        with open(os.path.join('malformed', name), 'wb') as f:
            f.write(data)
