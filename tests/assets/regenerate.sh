#!/usr/bin/env bash
# Regenerates every generated asset into a scratch tree and compares it byte for byte with the
# committed files. Skipped (exit 77) when the generators' own dependencies are not installed.
set -euo pipefail
root=$1
py=/usr/bin/python3
if ! "$py" -c 'import PIL, numpy' 2>/dev/null \
   || [ ! -f /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ] \
   || [ ! -f /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf ] \
   || [ ! -f /usr/share/fonts/truetype/arphic/ukai.ttc ]; then
  echo "generator dependencies missing: skipped"
  exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/tools"
cp -r "$root"/tools/{artgen,fontgen,soundgen,musicgen} "$scratch/tools/"
(cd "$scratch" \
  && "$py" tools/fontgen/fontgen.py >/dev/null \
  && "$py" tools/soundgen/soundgen.py \
  && "$py" tools/musicgen/musicgen.py \
  && "$py" tools/artgen/artgen.py)
status=0
count=0
while IFS= read -r -d '' made; do
  rel=${made#"$scratch"/}
  count=$((count + 1))
  if ! cmp -s "$made" "$root/$rel"; then
    echo "differs from the committed file: $rel"
    status=1
  fi
done < <(find "$scratch/assets" -type f -print0)
echo "$count generated files compared"
[ "$count" -gt 0 ] || status=1
exit $status
