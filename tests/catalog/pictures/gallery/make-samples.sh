#!/usr/bin/env bash
# Remakes the sample pictures of the gallery tests with ImageMagick: kinds the
# tiny header samples one folder up do not cover (a picture larger than a
# thumbnail, transparency, CMYK, animation, an EXIF orientation on a wide
# picture) and files that cannot be decoded. Writes beside itself.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 640x480 gradient:red-blue -strip -quality 30 photo.jpg
convert -size 640x480 gradient:green-yellow -strip -quality 30 -interlace JPEG progressive.jpg
convert -size 400x200 xc:none -fill red -draw 'circle 200,100 200,20' -strip alpha.png
convert -size 40x30 gradient:red-blue -colorspace CMYK -strip -quality 50 cmyk.jpg
convert -size 40x20 xc:red xc:blue -strip -delay 20 -loop 0 animated.gif
convert -size 64x32 xc:green -strip -quality 50 wide.jpg
head -c 400 progressive.jpg >truncated.jpg
printf 'not a picture\n' >text.jpg
python3 - <<'PY'
import struct
# Orientation 6 (turned by 90 degrees) put in after the start of image.
tiff = b'II' + struct.pack('<HI', 42, 8) + struct.pack('<H', 1)
tiff += struct.pack('<HHIHH', 0x0112, 3, 1, 6, 0) + struct.pack('<I', 0)
body = b'Exif\0\0' + tiff
segment = b'\xff\xe1' + struct.pack('>H', len(body) + 2) + body
wide = open('wide.jpg', 'rb').read()
open('turned6-wide.jpg', 'wb').write(wide[:2] + segment + wide[2:])
PY
rm wide.jpg
