#!/bin/bash
# Draws every picture the program ships, from the drawing instructions below:
#
#   velmaric-logo.gif          About box logo: 135 x 125, 8 frames of 100 ms,
#                              repeat count 999; the stopwatch hand sweeps round
#   velmaric-banner.svg        About box banner, 600 x 70
#   made-in-logo.bmp           About box badge, 149 x 41
#   glyph-*.png                button pictures, 24 x 24
#   velmaric.svg               the application icon
#
# Needs ImageMagick's convert and the Liberation fonts (Debian: imagemagick,
# fonts-liberation). Writes beside itself; the output is the same on every run,
# so a re-run after a change shows in git only where a picture really changed.
set -euo pipefail
cd "$(dirname "$0")"
command -v convert >/dev/null || { echo "make-pictures.sh: ImageMagick's convert is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The house colours. Inside ImageMagick drawing instructions they stand in
# quotes: a bare "#" starts a comment there.
navy='#1d3557' teal='#2a9d8f' sea='#a8dadc' cream='#f1f7f6'
red='#e63946' amber='#f4a261' green='#2a9d4f' folder='#e9b949'

# PNGs without time stamps or other text chunks, so that runs are identical.
# png_out FILE CONVERT-ARGUMENTS...
png_out() { local out=$1; shift; convert "$@" -strip -define png:exclude-chunks=date,time "PNG32:$out"; }

# x,y of the point at radius r and angle a (degrees clockwise from 12 o'clock)
# around cx,cy, to one decimal.
polar() { awk -v cx="$1" -v cy="$2" -v r="$3" -v a="$4" \
  'BEGIN { t = a * atan2(0, -1) / 180; printf "%.1f,%.1f", cx + r * sin(t), cy - r * cos(t) }'; }

# ---------------------------------------------------------------- the logo --
# One frame of the stopwatch whose hand points at angle $1, the face swept
# from 12 o'clock up to the hand.
logo_frame() {
  local angle=$1 out=$2 cx=67 cy=70 draw="" a
  # Crown and the two side buttons.
  draw+="fill '$navy' stroke none roundrectangle 55,5 79,13 3,3 rectangle 62,12 72,24 "
  for a in -45 45; do
    draw+="push graphic-context translate $cx,$cy rotate $a rectangle -5,-59 5,-46 pop graphic-context "
  done
  # Case and face.
  draw+="fill '$navy' circle $cx,$cy $cx,$((cy - 49)) fill '$teal' circle $cx,$cy $cx,$((cy - 45)) "
  draw+="fill white circle $cx,$cy $cx,$((cy - 40)) "
  # The sweep since 12 o'clock.
  if [ "$angle" -gt 0 ]; then
    local large=0
    [ "$angle" -gt 180 ] && large=1
    draw+="fill '$sea' path 'M $cx,$cy L $cx,$((cy - 37)) A 37,37 0 $large,1 $(polar $cx $cy 37 "$angle") Z' "
  fi
  # Ticks: a long one every 45 degrees, short ones between.
  draw+="fill none stroke '$navy' stroke-linecap round "
  for ((a = 0; a < 360; a += 9)); do
    if ((a % 45 == 0)); then
      draw+="stroke-width 3 line $(polar $cx $cy 30 $a) $(polar $cx $cy 37 $a) "
    else
      draw+="stroke-width 1 line $(polar $cx $cy 34 $a) $(polar $cx $cy 37 $a) "
    fi
  done
  # The hand, with its tail and hub.
  draw+="stroke '$red' stroke-width 3 line $(polar $cx $cy -7 "$angle") $(polar $cx $cy 33 "$angle") "
  draw+="stroke none fill '$navy' circle $cx,$cy $((cx + 4)),$cy fill '$red' circle $cx,$cy $((cx + 2)),$cy"
  png_out "$out" -size 135x125 "xc:$cream" -draw "$draw"
}

frames=()
for step in 0 1 2 3 4 5 6 7; do
  logo_frame $((step * 45)) "$work/logo-$step.png"
  frames+=("$work/logo-$step.png")
done
# Each frame is a whole picture held 10 hundredths of a second. The repeat
# count 999 goes into the file's NETSCAPE2.0 block; ImageMagick's -loop counts
# plays and stores one less, hence 1000.
convert -delay 10 -loop 1000 -dispose none "${frames[@]}" +repage velmaric-logo.gif

# -------------------------------------------------------------- the badge --
# The window writes its caption over the left part, so that part stays a
# plain field; a terminal-prompt emblem sits on the right.
convert -size 149x41 "xc:$navy" -draw "
  fill none stroke '$teal' stroke-width 2 rectangle 1,1 147,39
  fill '#0b1a2e' stroke '$sea' stroke-width 1.5 roundrectangle 109,8 141,33 3,3
  fill '$sea' stroke none rectangle 109,8 141,12
  stroke '$sea' stroke-width 2.2 stroke-linecap round fill none
  path 'M 114,17 L 120,21 L 114,25'
  line 123,27 131,27" \
  -alpha off -type TrueColor BMP3:made-in-logo.bmp

# ------------------------------------------------------------- the glyphs --
# Drawn four times larger, then reduced to 24 x 24.
glyph() {
  local name=$1 draw=$2
  png_out "glyph-$name.png" -size 96x96 xc:none -draw "$draw" -filter box -resize 24x24
}

glyph start-stop "
  fill '$green' stroke none polygon 8,14 8,82 52,48
  fill '$red' roundrectangle 58,28 88,68 4,4"

# The ring of the reset arrow as a chain of short lines: ImageMagick's
# elliptical arcs go astray for arcs this large.
ring="M $(polar 48 50 30 40)"
for ((a = 50; a <= 318; a += 10)); do ring+=" L $(polar 48 50 30 $a)"; done
glyph reset "
  fill none stroke '$navy' stroke-width 12 stroke-linejoin round stroke-linecap round
  path '$ring'
  fill '$navy' stroke none
  polygon $(polar 48 50 48 312) $(polar 48 50 12 312) $(polar 48 50 30 350)"

glyph exit "
  fill none stroke '$navy' stroke-width 8 rectangle 14,10 56,86
  fill '$navy' stroke none polygon 56,10 38,20 38,92 56,86
  fill none stroke '$red' stroke-width 10 stroke-linecap round line 46,48 74,48
  fill '$red' stroke none polygon 70,30 92,48 70,66"

glyph select-log "
  fill '$folder' stroke '#a8801c' stroke-width 3
  path 'M 8,22 L 36,22 L 44,30 L 88,30 L 88,82 L 8,82 Z'
  fill '#f7d774' path 'M 8,82 L 18,42 L 94,42 L 88,82 Z'"

camera="fill '$navy' stroke none roundrectangle 8,30 88,84 8,8 polygon 30,30 36,20 60,20 66,30
  fill white circle 48,57 48,37 fill '$navy' circle 48,57 48,45 fill '$sea' circle 44,53 44,49"
glyph snapshot-start "$camera
  fill none stroke '#222222' stroke-width 4 line 74,4 74,34
  fill '$green' stroke none polygon 76,4 94,10 76,17"
glyph snapshot-resume "$camera
  fill '$amber' stroke white stroke-width 3 polygon 70,2 70,30 94,16"

# ------------------------------------------------------------ the banner --
cat >velmaric-banner.svg <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="600" height="70" viewBox="0 0 600 70">
  <defs>
    <linearGradient id="band" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="$navy"/>
      <stop offset="1" stop-color="$teal"/>
    </linearGradient>
  </defs>
  <rect width="600" height="70" fill="url(#band)"/>
  <g transform="translate(34,37)">
    <rect x="-6" y="-31" width="12" height="6" rx="2" fill="$sea"/>
    <rect x="-3" y="-27" width="6" height="6" fill="$sea"/>
    <circle r="23" fill="$sea"/>
    <circle r="19" fill="white"/>
    <path d="M0,0 L0,-16 A16,16 0 0,1 16,0 Z" fill="$sea"/>
    <line x1="0" y1="0" x2="11.3" y2="-11.3" stroke="$red" stroke-width="2.5" stroke-linecap="round"/>
    <circle r="2.5" fill="$navy"/>
  </g>
  <text x="70" y="47" font-family="Liberation Sans" font-size="36"
        font-weight="bold" fill="white">Velmaric</text>
  <text x="572" y="44" text-anchor="end" font-family="Liberation Sans"
        font-size="15" fill="$cream">a stopwatch that keeps its time between runs</text>
</svg>
SVG

# -------------------------------------------------------------- the icon --
cat >velmaric.svg <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">
  <rect x="52" y="4" width="24" height="10" rx="3" fill="$navy"/>
  <rect x="58" y="12" width="12" height="12" fill="$navy"/>
  <g transform="translate(64,70)">
    <rect x="-6" y="-58" width="12" height="14" fill="$navy" transform="rotate(-45)"/>
    <rect x="-6" y="-58" width="12" height="14" fill="$navy" transform="rotate(45)"/>
    <circle r="52" fill="$navy"/>
    <circle r="47" fill="$teal"/>
    <circle r="41" fill="white"/>
    <path d="M0,0 L0,-37 A37,37 0 0,1 26.2,26.2 Z" fill="$sea"/>
    <g stroke="$navy" stroke-width="4" stroke-linecap="round">
      <line x1="0" y1="-37" x2="0" y2="-29"/>
      <line x1="37" y1="0" x2="29" y2="0"/>
      <line x1="0" y1="37" x2="0" y2="29"/>
      <line x1="-37" y1="0" x2="-29" y2="0"/>
    </g>
    <line x1="-4.9" y1="-4.9" x2="23.3" y2="23.3" stroke="$red" stroke-width="5" stroke-linecap="round"/>
    <circle r="6" fill="$navy"/>
  </g>
</svg>
SVG

echo "make-pictures.sh: pictures written in $(pwd)"
