#!/usr/bin/env bash
# Renders SVG pictures to PNG in headless Chromium, to look at them as a
# reader's browser shows them. Not installed; for checking the pictures.
#
#   tools/render_png.sh PICTURE.svg [OUTPUT.png]
#
# The window takes the size the SVG declares; OUTPUT defaults to
# PICTURE.png. Needs Debian's `chromium`.
set -euo pipefail

if (($# < 1 || $# > 2)); then
  echo "usage: $0 PICTURE.svg [OUTPUT.png]" >&2
  exit 1
fi
svg=$1
png=${2:-${svg%.svg}.png}
[[ -r $svg ]] || { echo "$0: cannot read $svg" >&2; exit 1; }
browser=$(command -v chromium || command -v chromium-browser || true)
[[ -n $browser ]] || { echo "$0: chromium not found (apt-get install chromium)" >&2; exit 1; }

# width="W" height="H" of the <svg> element, rounded up to whole pixels.
size() {
  grep -o -m1 "<svg[^>]*" "$svg" | grep -o " $1=\"[0-9.]*\"" | grep -o '[0-9.]*' |
    awk '{ printf "%d", ($1 == int($1)) ? $1 : int($1) + 1 }'
}
width=$(size width)
height=$(size height)
[[ -n $width && -n $height ]] || { echo "$0: $svg declares no width and height" >&2; exit 1; }

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
sandbox=()
((EUID == 0)) && sandbox=(--no-sandbox)  # Chromium refuses to run as root otherwise
"$browser" --headless "${sandbox[@]}" --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --hide-scrollbars --user-data-dir="$profile" --window-size="$width,$height" \
  --screenshot="$(realpath -m "$png")" "file://$(realpath "$svg")" >/dev/null 2>&1
[[ -s $png ]] || { echo "$0: chromium wrote no $png" >&2; exit 1; }
echo "Wrote $png (${width}x$height)" >&2
