#!/bin/sh
# Draws every picture of the program with ImageMagick (convert).
# Usage: sh make_images.sh [output directory]   (default: this script's folder)
# Needs the DejaVu fonts and WenQuanYi Micro Hei (fonts-dejavu-core, fonts-wqy-microhei).
set -eu
OUT=${1:-$(dirname "$0")}
SANS=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
CBOLD=/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf
CJK=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
IM=${IM:-convert}
STRIP="-depth 8 -strip -define png:exclude-chunks=date,time"

# Main panel background, 321 x 242: soft sky-to-cream gradient, graph-paper
# lines, a few maths symbols, the product name in the middle.
$IM -size 321x242 gradient:'#dcefff-#fff3d9' \
  \( -size 321x242 xc:none -stroke '#9cc3e6' -strokewidth 1 -fill none \
     -draw "path 'M 0,170 L 321,170 M 0,186 L 321,186 M 0,202 L 321,202 M 0,218 L 321,218 M 0,234 L 321,234'" \
     -draw "path 'M 16,160 L 16,242 M 48,160 L 48,242 M 80,160 L 80,242 M 112,160 L 112,242 M 144,160 L 144,242 M 176,160 L 176,242 M 208,160 L 208,242 M 240,160 L 240,242 M 272,160 L 272,242 M 304,160 L 304,242'" \
     -channel A -evaluate multiply 0.35 +channel \) -composite \
  -fill '#ffd59a80' -stroke none -draw "circle 300,30 300,92" \
  -fill '#b9dcff90' -draw "circle 20,215 20,265" \
  -fill none -stroke '#f0a04b' -strokewidth 2 -draw "polygon 236,226 286,226 236,186" \
  -stroke '#f0a04b' -strokewidth 1 -draw "rectangle 236,218 244,226" \
  -stroke '#5b9bd5' -strokewidth 2 -draw "circle 70,62 70,84" \
  -stroke '#5b9bd5' -strokewidth 1 -draw "line 70,62 88,52" -stroke none \
  -font "$BOLD" \
  -fill '#4f8fd0b0' -pointsize 30 -annotate +14+40 '+' \
  -fill '#ef8a3cb0' -pointsize 26 -annotate +110+40 '×' \
  -fill '#5fb35fb0' -pointsize 28 -annotate +185+38 '÷' \
  -fill '#d9544fa0' -pointsize 26 -annotate +266+56 'π' \
  -fill '#8a6fc8a0' -pointsize 24 -annotate +14+160 '√' \
  -fill '#4f8fd0a0' -pointsize 22 -annotate +294+214 '=' \
  -fill '#5fb35fa0' -pointsize 22 -annotate +176+232 'Σ' \
  -fill '#ef8a3ca0' -pointsize 20 -annotate +84+226 '%' \
  -fill '#d9544f90' -pointsize 16 -annotate +150+70 '1+1=2' \
  -fill '#ffffff' -pointsize 25 -gravity center -annotate +1+1 'KelbrinZorvan2010' \
  -fill '#1f4e8c' -annotate +0+0 'KelbrinZorvan2010' \
  -font "$CJK" -pointsize 15 -fill '#c8641e' -annotate +0+28 '快乐学数学 · 中小学数学工具箱' \
  $STRIP "$OUT/panel.png"

# The floating ball, 34 x 50: a glossy orange ball with "计" on white.
$IM -size 34x50 xc:white \
  \( -size 32x32 radial-gradient:'#ffb347-#e8590c' \
     \( -size 32x32 xc:black -fill white -draw "circle 15.5,15.5 15.5,0.3" \) \
     -alpha off -compose CopyOpacity -composite \) \
  -gravity center -compose Over -composite \
  -fill none -stroke '#c2470a' -strokewidth 1 -draw "circle 16.5,24.5 16.5,9" -stroke none \
  -fill '#ffffff60' -draw "ellipse 16.5,14.5 8,3.5 0,360" \
  -fill '#ffffff90' -draw "ellipse 16.5,13.5 5,1.8 0,360" \
  -font "$CJK" -pointsize 18 -fill '#7a2500' -annotate +1+3 '计' \
  -fill white -stroke white -strokewidth 0.4 -annotate +0+2 '计' -stroke none \
  $STRIP "$OUT/ball.png"

# Splash background, 150 x 149: a soft round badge.
$IM -size 150x149 gradient:'#2f6fb5-#163c6e' \
  -fill '#ffffff18' -draw "circle 75,74 75,4" \
  -fill '#ffffff14' -draw "circle 75,74 75,20" \
  -fill none -stroke '#ffffff40' -strokewidth 1 -draw "circle 75,74 75,8" -stroke none \
  $STRIP "$OUT/splash.png"

# Splash overlays, 150 x 150, transparent, shown one after another so that
# the picture builds up: the four signs, then the big sigma, then the name.
$IM -size 150x150 xc:none -font "$BOLD" -pointsize 26 \
  -fill '#ffb347' -annotate +16+42 '+' \
  -fill '#7fd07f' -annotate +112+42 '−' \
  -fill '#ffd75e' -annotate +16+104 '×' \
  -fill '#ff8a80' -annotate +112+104 '÷' \
  $STRIP "$OUT/splash1.png"
$IM -size 150x150 xc:none \
  -fill '#f07a1a' -draw "circle 75,66 75,38" \
  -fill '#ffffff50' -draw "ellipse 75,52 17,7 0,360" \
  -font "$BOLD" -pointsize 36 -gravity center -fill white -annotate +0-9 'Σ' \
  $STRIP "$OUT/splash2.png"
$IM -size 150x150 xc:none -gravity south \
  -font "$CBOLD" -pointsize 13 -fill '#0b2545' -annotate +1+21 'KelbrinZorvan2010' \
  -fill white -annotate +0+22 'KelbrinZorvan2010' \
  -font "$CJK" -pointsize 11 -fill '#ffd59a' -annotate +0+6 '数学工具箱  1.9' \
  $STRIP "$OUT/splash3.png"

# Program icon, 64 x 64: a rounded orange tile with a sigma.
$IM -size 64x64 xc:none \
  \( -size 60x60 gradient:'#ffb347-#e8590c' \
     \( -size 60x60 xc:black -fill white -draw "roundrectangle 0,0 59,59 13,13" \) \
     -alpha off -compose CopyOpacity -composite \) \
  -gravity center -compose Over -composite \
  -fill '#ffffff40' -draw "roundrectangle 6,4 57,24 10,10" \
  -font "$BOLD" -pointsize 40 -fill '#8a2f00' -annotate +1-1 'Σ' \
  -fill white -annotate +0-2 'Σ' \
  $STRIP "$OUT/icon.png"

# About picture, 120 x 90: a set square, a ruler and a few numbers.
$IM -size 120x90 gradient:'#e6f2ff-#fff3dc' \
  -fill '#ffd59a' -stroke '#e0892f' -strokewidth 1 -draw "polygon 10,80 60,80 10,30" \
  -fill '#fff3dc' -draw "polygon 20,70 40,70 20,50" \
  -fill '#b9dcff' -stroke '#4f8fd0' -draw "rectangle 64,66 114,80" \
  -stroke '#4f8fd0' -draw "path 'M 70,66 L 70,72 M 76,66 L 76,70 M 82,66 L 82,72 M 88,66 L 88,70 M 94,66 L 94,72 M 100,66 L 100,70 M 106,66 L 106,72'" \
  -fill none -stroke '#5fb35f' -strokewidth 2 -draw "circle 97,30 97,47" -stroke none \
  -font "$BOLD" -pointsize 16 -fill '#d9544f' -annotate +89+36 'π' \
  -pointsize 13 -fill '#1f4e8c' -annotate +8+20 '1+2=3' \
  -font "$CJK" -pointsize 12 -fill '#8a6fc8' -annotate +62+58 '爱数学' \
  $STRIP "$OUT/about.png"

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
