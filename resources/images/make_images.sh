#!/bin/sh
# Draws every picture of the program with ImageMagick (convert), each once at
# its own size and once at twice that size ("@2x", for screens scaled to 200 %),
# and the program icon as SVG, rendered with rsvg-convert for the program and
# for the desktop's icon theme.
# Usage: sh make_images.sh [picture folder] [icon folder]
#   (defaults: this script's folder and packaging/icons beside resources/)
# Needs ImageMagick, rsvg-convert (librsvg2-bin), the DejaVu fonts and
# WenQuanYi Micro Hei (fonts-dejavu-core, fonts-wqy-microhei).
set -eu
HERE=$(dirname "$0")
OUT=${1:-$HERE}
ICONS=${2:-$HERE/../../packaging/icons}
SANS=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
CBOLD=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf
CJK=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
IM=${IM:-convert}
STRIP="-depth 8 -strip -define png:exclude-chunks=date,time"

# Every number in $1 times the scale S: the drawings are written at 1x and
# drawn again at 2x from the same figures. Angles and colours stay outside.
k() {
  printf '%s\n' "$1" | awk -v s="$S" '{
    out = ""
    while (match($0, /-?[0-9]+(\.[0-9]+)?/)) {
      out = out substr($0, 1, RSTART - 1) (substr($0, RSTART, RLENGTH) * s)
      $0 = substr($0, RSTART + RLENGTH)
    }
    print out $0
  }'
}

# The file name at scale S: name.png, name@2x.png.
at() { if [ "$S" = 1 ]; then echo "$OUT/$1.png"; else echo "$OUT/$1@${S}x.png"; fi; }

for S in 1 2; do

# Main panel background, 321 x 242: soft sky-to-cream gradient, graph-paper
# lines, a few maths symbols, the product name in the middle.
$IM -size "$(k 321x242)" gradient:'#dcefff-#fff3d9' \
  \( -size "$(k 321x242)" xc:none -stroke '#9cc3e6' -strokewidth "$(k 1)" -fill none \
     -draw "$(k "path 'M 0,170 L 321,170 M 0,186 L 321,186 M 0,202 L 321,202 M 0,218 L 321,218 M 0,234 L 321,234'")" \
     -draw "$(k "path 'M 16,160 L 16,242 M 48,160 L 48,242 M 80,160 L 80,242 M 112,160 L 112,242 M 144,160 L 144,242 M 176,160 L 176,242 M 208,160 L 208,242 M 240,160 L 240,242 M 272,160 L 272,242 M 304,160 L 304,242'")" \
     -channel A -evaluate multiply 0.35 +channel \) -composite \
  -fill '#ffd59a80' -stroke none -draw "$(k 'circle 300,30 300,92')" \
  -fill '#b9dcff90' -draw "$(k 'circle 20,215 20,265')" \
  -fill none -stroke '#f0a04b' -strokewidth "$(k 2)" -draw "$(k 'polygon 236,226 286,226 236,186')" \
  -stroke '#f0a04b' -strokewidth "$(k 1)" -draw "$(k 'rectangle 236,218 244,226')" \
  -stroke '#5b9bd5' -strokewidth "$(k 2)" -draw "$(k 'circle 70,62 70,84')" \
  -stroke '#5b9bd5' -strokewidth "$(k 1)" -draw "$(k 'line 70,62 88,52')" -stroke none \
  -font "$BOLD" \
  -fill '#4f8fd0b0' -pointsize "$(k 30)" -annotate "$(k +14+40)" '+' \
  -fill '#ef8a3cb0' -pointsize "$(k 26)" -annotate "$(k +110+40)" '×' \
  -fill '#5fb35fb0' -pointsize "$(k 28)" -annotate "$(k +185+38)" '÷' \
  -fill '#d9544fa0' -pointsize "$(k 26)" -annotate "$(k +266+56)" 'π' \
  -fill '#8a6fc8a0' -pointsize "$(k 24)" -annotate "$(k +14+160)" '√' \
  -fill '#4f8fd0a0' -pointsize "$(k 22)" -annotate "$(k +294+214)" '=' \
  -fill '#5fb35fa0' -pointsize "$(k 22)" -annotate "$(k +176+232)" 'Σ' \
  -fill '#ef8a3ca0' -pointsize "$(k 20)" -annotate "$(k +84+226)" '%' \
  -fill '#d9544f90' -pointsize "$(k 16)" -annotate "$(k +150+70)" '1+1=2' \
  -fill '#ffffff' -pointsize "$(k 25)" -gravity center -annotate "$(k +1+1)" 'KelbrinZorvan2010' \
  -fill '#1f4e8c' -annotate +0+0 'KelbrinZorvan2010' \
  -font "$CJK" -pointsize "$(k 15)" -fill '#c8641e' -annotate "$(k +0+28)" '快乐学数学 · 中小学数学工具箱' \
  $STRIP "$(at panel)"

# The floating ball, 34 x 50: a glossy orange ball with "计" on white.
$IM -size "$(k 34x50)" xc:white \
  \( -size "$(k 32x32)" radial-gradient:'#ffb347-#e8590c' \
     \( -size "$(k 32x32)" xc:black -fill white -draw "$(k 'circle 15.5,15.5 15.5,0.3')" \) \
     -alpha off -compose CopyOpacity -composite \) \
  -gravity center -compose Over -composite \
  -fill none -stroke '#c2470a' -strokewidth "$(k 1)" -draw "$(k 'circle 16.5,24.5 16.5,9')" -stroke none \
  -fill '#ffffff60' -draw "$(k 'ellipse 16.5,14.5 8,3.5') 0,360" \
  -fill '#ffffff90' -draw "$(k 'ellipse 16.5,13.5 5,1.8') 0,360" \
  -font "$CJK" -pointsize "$(k 18)" -fill '#7a2500' -annotate "$(k +1+3)" '计' \
  -fill white -stroke white -strokewidth "$(k 0.4)" -annotate "$(k +0+2)" '计' -stroke none \
  $STRIP "$(at ball)"

# Splash background, 150 x 149: a soft round badge.
$IM -size "$(k 150x149)" gradient:'#2f6fb5-#163c6e' \
  -fill '#ffffff18' -draw "$(k 'circle 75,74 75,4')" \
  -fill '#ffffff14' -draw "$(k 'circle 75,74 75,20')" \
  -fill none -stroke '#ffffff40' -strokewidth "$(k 1)" -draw "$(k 'circle 75,74 75,8')" -stroke none \
  $STRIP "$(at splash)"

# Splash overlays, 150 x 150, transparent, shown one after another so that
# the picture builds up: the four signs, then the big sigma, then the name.
$IM -size "$(k 150x150)" xc:none -font "$BOLD" -pointsize "$(k 26)" \
  -fill '#ffb347' -annotate "$(k +16+42)" '+' \
  -fill '#7fd07f' -annotate "$(k +112+42)" '−' \
  -fill '#ffd75e' -annotate "$(k +16+104)" '×' \
  -fill '#ff8a80' -annotate "$(k +112+104)" '÷' \
  $STRIP "$(at splash1)"
$IM -size "$(k 150x150)" xc:none \
  -fill '#f07a1a' -draw "$(k 'circle 75,66 75,38')" \
  -fill '#ffffff50' -draw "$(k 'ellipse 75,52 17,7') 0,360" \
  -font "$BOLD" -pointsize "$(k 36)" -gravity center -fill white -annotate "$(k +0-9)" 'Σ' \
  $STRIP "$(at splash2)"
$IM -size "$(k 150x150)" xc:none -gravity south \
  -font "$CBOLD" -pointsize "$(k 13)" -fill '#0b2545' -annotate "$(k +1+21)" 'KelbrinZorvan2010' \
  -fill white -annotate "$(k +0+22)" 'KelbrinZorvan2010' \
  -font "$CJK" -pointsize "$(k 11)" -fill '#ffd59a' -annotate "$(k +0+6)" '数学工具箱  1.9' \
  $STRIP "$(at splash3)"

# About picture, 120 x 90: a set square, a ruler and a few numbers.
$IM -size "$(k 120x90)" gradient:'#e6f2ff-#fff3dc' \
  -fill '#ffd59a' -stroke '#e0892f' -strokewidth "$(k 1)" -draw "$(k 'polygon 10,80 60,80 10,30')" \
  -fill '#fff3dc' -draw "$(k 'polygon 20,70 40,70 20,50')" \
  -fill '#b9dcff' -stroke '#4f8fd0' -draw "$(k 'rectangle 64,66 114,80')" \
  -stroke '#4f8fd0' -draw "$(k "path 'M 70,66 L 70,72 M 76,66 L 76,70 M 82,66 L 82,72 M 88,66 L 88,70 M 94,66 L 94,72 M 100,66 L 100,70 M 106,66 L 106,72'")" \
  -fill none -stroke '#5fb35f' -strokewidth "$(k 2)" -draw "$(k 'circle 97,30 97,47')" -stroke none \
  -font "$BOLD" -pointsize "$(k 16)" -fill '#d9544f' -annotate "$(k +89+36)" 'π' \
  -pointsize "$(k 13)" -fill '#1f4e8c' -annotate "$(k +8+20)" '1+2=3' \
  -font "$CJK" -pointsize "$(k 12)" -fill '#8a6fc8' -annotate "$(k +62+58)" '爱数学' \
  $STRIP "$(at about)"

done

# Program icon: a rounded orange tile with a white sigma, drawn once as SVG
# (the sigma as a path, so it needs no font) and rendered at every size the
# desktop asks for; 64 and 128 pixels also go into the program.
mkdir -p "$ICONS"
cat > "$ICONS/icon.svg" <<'SVG'
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffb347"/>
      <stop offset="1" stop-color="#e8590c"/>
    </linearGradient>
  </defs>
  <rect x="2" y="2" width="60" height="60" rx="13" fill="url(#tile)"/>
  <rect x="2.5" y="2.5" width="59" height="59" rx="12.5" fill="none" stroke="#c2470a" stroke-opacity="0.6"/>
  <rect x="7" y="5" width="50" height="20" rx="10" fill="#ffffff" fill-opacity="0.25"/>
  <path d="M19 14 H46 V22 H42.5 L41.5 18.5 H27.5 L37 32 L27.5 45.5 H42 L43 41.5 H46.5 V50 H18.5 V47.5 L30 32 L19 16.5 Z"
        fill="#8a2f00" transform="translate(1 1)"/>
  <path d="M19 14 H46 V22 H42.5 L41.5 18.5 H27.5 L37 32 L27.5 45.5 H42 L43 41.5 H46.5 V50 H18.5 V47.5 L30 32 L19 16.5 Z"
        fill="#ffffff"/>
</svg>
SVG
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$ICONS/icon.svg" -o "$ICONS/icon-$size.png"
done
cp "$ICONS/icon-64.png" "$OUT/icon.png"
cp "$ICONS/icon-128.png" "$OUT/icon@2x.png"

# Reading-box tree icons, 16 x 16 with @2x versions: drawn once at 64 x 64 and
# scaled down, so both sizes show the same picture.
icon() {  # name, then the drawing arguments
  name=$1; shift
  $IM -size 64x64 xc:none "$@" -filter Lanczos \
    \( +clone -resize 32x32 $STRIP -write "$OUT/$name@2x.png" +delete \) \
    -resize 16x16 $STRIP "$OUT/$name.png"
}
# A topic group: a closed orange book.
icon reading_group \
  -fill '#c2470a' -stroke none -draw "roundrectangle 8,6 54,60 5,5" \
  -fill '#ff9a3c' -draw "roundrectangle 14,6 54,56 4,4" \
  -fill '#fff3dc' -draw "rectangle 14,52 52,58" \
  -fill '#c2470a' -draw "rectangle 22,16 46,20" -draw "rectangle 22,26 40,29"
# An article: a page with lines of text.
icon reading_article \
  -fill white -stroke '#5b7fa8' -strokewidth 3 -draw "polygon 12,4 40,4 54,18 54,60 12,60" \
  -fill '#d6e4f5' -draw "polygon 40,4 40,18 54,18" \
  -stroke '#4f8fd0' -strokewidth 4 -draw "line 20,28 46,28" -draw "line 20,38 46,38" -draw "line 20,48 38,48"
# A paradox: a page with a question mark.
icon reading_paradox \
  -fill white -stroke '#5b7fa8' -strokewidth 3 -draw "polygon 12,4 40,4 54,18 54,60 12,60" \
  -fill '#d6e4f5' -draw "polygon 40,4 40,18 54,18" \
  -stroke none -font "$BOLD" -pointsize 40 -fill '#8a4fc8' -gravity center -annotate +0+5 '?' -gravity none
# A puzzle: a light bulb.
icon reading_puzzle \
  -fill '#ffd75e' -stroke '#d99a00' -strokewidth 3 -draw "circle 32,26 32,6" \
  -fill '#ffffff90' -stroke none -draw "ellipse 25,19 6,4 0,360" \
  -fill '#ffd75e' -stroke '#d99a00' -strokewidth 3 -draw "polygon 22,40 42,40 38,48 26,48" \
  -fill '#9aa5b1' -stroke '#5c6670' -strokewidth 2 -draw "roundrectangle 24,48 40,58 3,3" \
  -stroke '#5c6670' -draw "line 25,53 39,53"
