#!/usr/bin/env bash
# The committed layout sources must be exactly what the layout generator writes.
set -euo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/tools"
cp -r "$root/tools/layoutgen" "$scratch/tools/"
(cd "$scratch" && /usr/bin/python3 -B tools/layoutgen/layoutgen.py)
status=0
count=0
for made in "$scratch"/assets/layouts/*.layout; do
  count=$((count + 1))
  if ! cmp -s "$made" "$root/assets/layouts/$(basename "$made")"; then
    echo "differs from the committed file: $(basename "$made")"
    status=1
  fi
done
committed=$(find "$root/assets/layouts" -name '*.layout' | wc -l)
if [ "$committed" -ne "$count" ]; then
  echo "$committed committed sources, $count generated"
  status=1
fi
echo "$count layout sources compared"
exit $status
