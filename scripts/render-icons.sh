#!/usr/bin/env bash
# Draws the program's PNG icons from packaging/icons/org.vorelian.Vorelian.svg (rsvg-convert, from
# librsvg2-bin). The PNGs are kept in the repository so that a build needs no SVG renderer; run this after
# changing the drawing and commit the result.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" org.vorelian.Vorelian.svg -o "hicolor/${size}x${size}/apps/org.vorelian.Vorelian.png"
done
