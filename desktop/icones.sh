#!/usr/bin/env bash
# Draws the PNG forms of the icon from its SVG (the window's own icon and the
# sizes desktops without SVG support look for). Run again after changing the SVG.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for taille in 256 64; do
  convert -background none fr.quilmaret.Quilmaret.svg -resize ${taille}x${taille} "icone-$taille.png"
done
