#!/bin/sh
# Draws the pictures of the exercises with ImageMagick (6 or 7) and the DejaVu
# fonts (fonts-dejavu-core: their faces have the subscript and superscript
# digits and signs). The PNG files are committed beside this script; after a
# change, run it again from anywhere:  sh data/images/dessiner.sh
# Each picture is at most 395 x 195 pixels: the Illustration tab shows it at
# its own size, on the panel's colour, which is also the pictures' background.
# A picture shows the situation of its exercise, never what the statement asks
# the pupil to find: no balanced equation, no name of a gas to identify.
set -eu
cd "$(dirname "$0")"

if command -v magick >/dev/null 2>&1; then im=magick; else im=convert; fi
normal=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
gras=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
fond='rgb(240,235,230)'
trait='rgb(40,40,40)'
legende='rgb(0,0,128)'

# The same script gives the same bytes: no date, no comment, 8-bit RGB.
ecrire() {
  nom=$1
  shift
  $im -size 395x195 "xc:$fond" "$@" -strip -define png:exclude-chunks=date,time,zTXt,tEXt,iTXt "PNG24:$nom"
}

# Methane burning over a gas burner: the air intake lets dioxygen in.
ecrire bec.png \
  -fill 'rgb(160,160,165)' -stroke "$trait" -strokewidth 1.5 \
  -draw 'rectangle 118,78 138,168' \
  -fill 'rgb(120,120,128)' -draw 'rectangle 116,138 140,152' \
  -fill 'rgb(40,40,40)' -stroke none -draw 'rectangle 121,142 127,148' -draw 'rectangle 131,142 135,148' \
  -fill 'rgb(150,150,155)' -stroke "$trait" -draw 'polygon 100,182 156,182 146,168 110,168' \
  -fill 'rgb(200,120,60)' -draw 'rectangle 8,171 110,178' \
  -fill 'rgba(90,140,255,0.55)' -stroke 'rgb(60,90,220)' -strokewidth 1 \
  -draw "path 'M 118,78 C 110,55 122,30 128,8 C 134,30 146,55 138,78 Z'" \
  -fill 'rgba(40,200,255,0.8)' -stroke 'rgb(30,120,220)' \
  -draw "path 'M 122,78 C 120,66 125,52 128,42 C 131,52 136,66 134,78 Z'" \
  -stroke "$legende" -strokewidth 1 -fill none \
  -draw 'line 142,30 186,30' -draw 'line 139,100 186,100' -draw 'line 143,145 186,145' \
  -stroke none -fill "$legende" -font "$normal" -pointsize 13 \
  -annotate +190+35 'flamme bleue :' \
  -annotate +190+51 'combustion complète' \
  -annotate +190+105 'bec de gaz du laboratoire' \
  -annotate +190+141 'bague d’entrée d’air :' \
  -annotate +190+157 'l’air apporte le dioxygène O₂' \
  -annotate +8+163 'méthane CH₄'

# A zinc plate in copper(II) sulfate solution: copper deposits on the zinc.
ecrire sulfate-zinc.png \
  -fill 'rgba(70,140,235,0.55)' -stroke none -draw 'rectangle 43,78 147,181' \
  -stroke 'rgb(40,90,190)' -strokewidth 1 -draw 'line 43,78 147,78' \
  -fill 'rgb(175,180,188)' -stroke "$trait" -strokewidth 1.2 -draw 'rectangle 84,14 106,166' \
  -fill 'rgb(165,75,40)' -stroke none \
  -draw 'rectangle 84,120 106,166' \
  -draw 'circle 90,112 90,115' -draw 'circle 100,106 100,109' -draw 'circle 95,98 95,100' \
  -draw 'circle 88,92 88,94' -draw 'circle 102,89 102,91' -draw 'circle 93,116 93,119' \
  -draw 'circle 102,118 102,121' \
  -fill none -stroke "$trait" -strokewidth 1.2 -draw 'rectangle 84,14 106,166' \
  -stroke "$trait" -strokewidth 2 -fill none \
  -draw "path 'M 36,36 L 42,42 L 42,176 Q 42,182 48,182 L 142,182 Q 148,182 148,176 L 148,42 L 154,36'" \
  -stroke "$legende" -strokewidth 1 \
  -draw 'line 108,28 176,28' -draw 'line 108,140 176,140' -draw 'line 130,96 176,96' \
  -stroke none -fill "$legende" -font "$normal" -pointsize 13 \
  -annotate +180+33 'lame de zinc Zn' \
  -annotate +180+92 'solution bleue de sulfate' \
  -annotate +180+108 'de cuivre (Cu²⁺ + SO₄²⁻)' \
  -annotate +180+145 'dépôt rouge de cuivre Cu' \
  -fill black -font "$gras" -pointsize 14 \
  -annotate +180+180 'Zn + Cu²⁺ → Zn²⁺ + Cu'

# Silver nitrate dropped into a solution of chloride ions: a white precipitate.
ecrire chlorure-argent.png \
  -fill 'rgba(200,222,240,0.7)' -stroke none \
  -draw "path 'M 71,96 L 71,166 A 14,14 0 0,0 99,166 L 99,96 Z'" \
  -fill white -stroke 'rgb(170,170,170)' -strokewidth 1 \
  -draw "path 'M 71,156 C 78,150 84,158 90,151 C 94,148 97,153 99,152 L 99,166 A 14,14 0 0,1 71,166 Z'" \
  -stroke 'rgb(205,205,205)' \
  -draw 'circle 80,136 80,138' -draw 'circle 90,126 90,128' -draw 'circle 86,112 86,114' \
  -draw 'circle 76,124 76,126' -draw 'circle 94,140 94,142' -draw 'circle 86,145 86,147' \
  -draw 'circle 84,102 84,103.5' -draw 'circle 78,146 78,148' -draw 'circle 93,118 93,119.5' \
  -stroke "$trait" -strokewidth 2 -fill none \
  -draw "path 'M 68,40 L 70,44 L 70,166 A 15,15 0 0,0 100,166 L 100,44 L 102,40'" \
  -fill 'rgb(150,30,30)' -stroke "$trait" -strokewidth 1 -draw 'ellipse 85,12 7,10 0,360' \
  -fill 'rgba(230,235,240,0.9)' -draw 'polygon 82,21 88,21 88,50 86,56 84,56 82,50' \
  -fill 'rgba(200,222,240,1)' -draw 'circle 85,66 85,69' \
  -stroke "$legende" -strokewidth 1 -fill none \
  -draw 'line 92,12 176,12' -draw 'line 94,112 176,86' -draw 'line 92,160 176,160' \
  -stroke none -fill "$legende" -font "$normal" -pointsize 13 \
  -annotate +180+14 'nitrate d’argent' \
  -annotate +180+30 '(Ag⁺ + NO₃⁻)' \
  -annotate +180+78 'solution contenant' \
  -annotate +180+94 'des ions chlorure Cl⁻' \
  -annotate +180+150 'précipité blanc de' \
  -annotate +180+166 'chlorure d’argent AgCl' \
  -fill black -font "$gras" -pointsize 14 \
  -annotate +180+122 'Ag⁺ + Cl⁻ → AgCl'

# Zinc in hydrochloric acid: the gas given off pops at the flame of a match.
ecrire zinc-acide.png \
  -fill 'rgba(215,228,240,0.8)' -stroke none \
  -draw "path 'M 71,80 L 71,166 A 14,14 0 0,0 99,166 L 99,80 Z'" \
  -fill 'rgb(165,170,178)' -stroke "$trait" -strokewidth 1 \
  -draw 'polygon 74,166 80,160 87,163 84,171 76,172' \
  -draw 'polygon 86,168 90,160 97,162 97,170 91,175' \
  -draw 'polygon 79,176 85,172 91,176 86,180' \
  -fill none -stroke 'rgb(90,110,140)' \
  -draw 'circle 82,150 82,152' -draw 'circle 90,138 90,140.5' -draw 'circle 80,122 80,124' \
  -draw 'circle 88,108 88,110.5' -draw 'circle 83,92 83,94' -draw 'circle 93,154 93,156' \
  -draw 'circle 77,138 77,139.5' -draw 'circle 92,124 92,125.5' \
  -stroke "$trait" -strokewidth 2 -fill none \
  -draw "path 'M 68,40 L 70,44 L 70,166 A 15,15 0 0,0 100,166 L 100,44 L 102,40'" \
  -stroke 'rgb(190,150,90)' -strokewidth 3 -draw 'line 132,14 94,33' \
  -stroke none -fill 'rgb(120,40,30)' -draw 'circle 94,33 94,36' \
  -fill 'rgba(255,160,30,0.9)' -draw "path 'M 90,35 C 80,30 84,20 88,12 C 90,22 98,26 96,33 Z'" \
  -fill 'rgba(255,230,90,0.9)' -draw "path 'M 91,34 C 87,30 88,25 89,21 C 91,26 94,29 94,33 Z'" \
  -stroke 'rgb(200,40,40)' -strokewidth 1.5 -fill none \
  -draw 'line 58,20 46,14' -draw 'line 56,30 42,30' -draw 'line 58,40 46,46' \
  -stroke "$legende" -strokewidth 1 \
  -draw 'line 134,16 176,16' -draw 'line 96,104 176,92' -draw 'line 93,138 176,134' \
  -draw 'line 99,168 176,168' \
  -stroke none -fill "$legende" -font "$normal" -pointsize 13 \
  -annotate +180+14 'allumette enflammée :' \
  -annotate +180+30 'petite détonation' \
  -annotate +180+82 'acide chlorhydrique' \
  -annotate +180+98 '(H⁺ + Cl⁻)' \
  -annotate +180+130 'bulles du gaz' \
  -annotate +180+146 'qui se dégage' \
  -annotate +180+172 'grenaille de zinc Zn'
