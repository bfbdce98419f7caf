#!/usr/bin/env bash
# Remakes the sample pictures of the header reader's tests with ImageMagick:
# one tiny picture of 5 x 3 pixels per kind, and JPEGs that carry an EXIF
# orientation (ImageMagick writes none of its own, so one is put in after the
# start of image). Run from anywhere; writes beside itself.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 5x3 xc:red -strip baseline.jpg
convert -size 5x3 xc:red -strip -interlace JPEG progressive.jpg
convert -size 5x3 xc:red -strip png.png
convert -size 5x3 xc:red -strip gif.gif
convert -size 5x3 xc:red -strip bmp3:bmp3.bmp
convert -size 5x3 xc:red -strip bmp:bmp5.bmp
convert -size 5x3 xc:red -strip -quality 50 lossy.webp
convert -size 5x3 xc:red -strip -define webp:lossless=true lossless.webp
convert -size 5x3 xc:'rgba(255,0,0,0.5)' -strip -quality 50 extended.webp
python3 - <<'PY'
import struct

def exif(order, orientation):
    e = '<' if order == b'II' else '>'
    # Two entries in the first directory, the orientation second.
    entries = struct.pack(e + 'HHII', 0x010F, 2, 4, 0x0000004B)  # make: "K"
    entries += struct.pack(e + 'HHIHH', 0x0112, 3, 1, orientation, 0)
    tiff = order + struct.pack(e + 'HI', 42, 8) + struct.pack(e + 'H', 2) + entries
    tiff += struct.pack(e + 'I', 0)
    body = b'Exif\0\0' + tiff
    return b'\xff\xe1' + struct.pack('>H', len(body) + 2) + body

base = open('baseline.jpg', 'rb').read()
progressive = open('progressive.jpg', 'rb').read()
for name, source, order, orientation in [
        ('turned6-le.jpg', base, b'II', 6), ('turned8-be.jpg', base, b'MM', 8),
        ('turned5-progressive.jpg', progressive, b'MM', 5), ('upside3.jpg', base, b'II', 3)]:
    open(name, 'wb').write(source[:2] + exif(order, orientation) + source[2:])

# A bitmap stored top down: the same header with a negative height.
bmp = bytearray(open('bmp3.bmp', 'rb').read())
bmp[22:26] = struct.pack('<i', -3)
open('topdown.bmp', 'wb').write(bytes(bmp))
PY
