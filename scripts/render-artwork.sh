#!/usr/bin/env bash
# Renders the window's pictures and the icon into app/art/ (committed, so a build needs no
# ImageMagick). The pictures are 8-bit bitmaps with RLE compression: the artwork's gradients
# run top to bottom, so every row compresses to a few runs, and GDI loads them without any
# decoder library. Run again after changing a colour or a caption here.
set -euo pipefail
cd "$(dirname "$0")/../app/art"
im=/usr/bin/convert   # ImageMagick itself, not a stand-in earlier on the PATH
font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# Background 344 x 184: a light field, a header band, a hairline frame (the window shows only
# 345 x 181 of it, so the bottom line sits at row 180), the logo and the close mark.
"$im" -size 344x184 gradient:'#ffffff-#e6eef8' \
  \( -size 344x27 gradient:'#e3edf9-#c8daf1' \) -geometry +0+0 -composite \
  -fill '#9db8dc' -draw 'line 0,27 343,27' \
  -fill '#d3deec' -draw 'line 24,146 320,146' \
  -fill none -stroke '#6f93c4' -draw 'rectangle 0,0 343,180' \
  -stroke none -fill '#2a62b8' -draw 'roundrectangle 8,5 25,22 4,4' \
  -fill '#ffffff' -draw 'polygon 11,9 14,9 16.5,16 19,9 22,9 18,19 15,19' \
  -fill '#f39a2b' -draw 'rectangle 11,20 22,21' \
  -stroke '#4a5a70' -strokewidth 2 -draw 'line 318,8 328,18' -draw 'line 328,8 318,18' \
  "$tmp/background.png"
picture() { "$im" "$1" +dither -colors 256 -type Palette -compress RLE "BMP3:$2"; }
picture "$tmp/background.png" background.bmp

# The close button shows the same close mark as the background beneath it.
"$im" "$tmp/background.png" -crop 40x26+304+0 +repage "$tmp/close.png"
picture "$tmp/close.png" close.bmp

button() {  # button NAME CAPTION TOP LEFTCOLOUR RIGHTCOLOUR EDGE
  local name=$1 caption=$2 top=$3
  "$im" "$tmp/background.png" -crop 69x29+248+"$top" +repage "$tmp/under.png"
  "$im" -size 68x29 gradient:"$4-$5" "$tmp/face.png"
  "$im" -size 68x29 xc:none -fill white -draw 'roundrectangle 0,0 67,28 5,5' "$tmp/mask.png"
  "$im" "$tmp/face.png" "$tmp/mask.png" -alpha off -compose CopyOpacity -composite \
    -fill none -stroke "$6" -draw 'roundrectangle 0.5,0.5 67,28 5,5' \
    -stroke none -font "$font" -pointsize 13 -fill white -gravity center \
    -annotate +0+0 "$caption" "$tmp/button.png"
  "$im" "$tmp/under.png" "$tmp/button.png" -gravity northwest -geometry +0+0 -composite "$tmp/$name.png"
  picture "$tmp/$name.png" "$name.bmp"
}
button select-normal "选择文件" 54 '#4d8de0' '#2a62b8' '#1f4f99'
button select-hover  "选择文件" 54 '#ffb55a' '#e47a12' '#b85f0c'
button start-normal  "开始执行" 112 '#4d8de0' '#2a62b8' '#1f4f99'
button start-hover   "开始执行" 112 '#ffb55a' '#e47a12' '#b85f0c'

# Icon: 32 x 32, 32-bit colour with alpha.
"$im" -size 32x32 xc:none -fill '#2a62b8' -draw 'roundrectangle 1,1 30,30 6,6' \
  -fill '#ffffff' -draw 'polygon 7,7 12,7 16,20 20,7 25,7 18,26 14,26' \
  -fill '#f39a2b' -draw 'rectangle 7,27 25,28' \
  -define icon:auto-resize=32 vandrell.ico
