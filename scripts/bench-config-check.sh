#!/usr/bin/env bash
# Times `dravelquin-config check --dump` on a large generated census dump:
# 120,000 lines (about 50 MB), one path each, and a config of 49 names, of
# which 41 are not written as in the dump: 12 in the wrong letter case, 12
# class names and 17 misspelt, each searched for the nearest dump path.
# Usage: scripts/bench-config-check.sh [BUILD_DIR]   (default: build)
# With DRAVELQUIN_BENCH_KEEP=DIR the dump, the config and the output are
# copied to DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tool=$build/tools/config/dravelquin-config
[[ -x $tool ]] || cmake --build "$build" --target dravelquin-config >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN {
  pad = sprintf("%0295d", 0); gsub(/0/, "x", pad);
  for (i = 0; i < 120000; i++) {
    mod = i % 97; kind = int(i / 97);
    asset = sprintf("Kind%05d_Character_BP_Variant%02d", kind, mod % 13);
    printf "blueprint'"'"'/Game/Mods/Mod%03d/Dinos/Kind%05d/Variants/%s.%s'"'"'|Kind %05d %s|%d\n",
      mod, kind, asset, asset, kind, pad, 1 + i % 50;
  }
}' >"$work/dump.txt"

awk 'BEGIN {
  print "{\n  \"General\": { \"CheckInterval\": 3600 },\n  \"Dinos\": {";
  for (n = 0; n < 49; n++) {
    i = n * 2449; mod = i % 97; kind = int(i / 97);
    asset = sprintf("Kind%05d_Character_BP_Variant%02d", kind, mod % 13);
    path = sprintf("blueprint'"'"'/Game/Mods/Mod%03d/Dinos/Kind%05d/Variants/%s.%s'"'"'",
                   mod, kind, asset, asset);
    if (n % 4 == 1) { path = tolower(path) }                      # wrong letter case
    else if (n % 4 == 2) { sub(/Character/, "Charcter", path) }   # misspelt
    else if (n % 4 == 3) { path = asset "_C" }                    # a class name
    else if (n % 12 == 0) { sub(/Variants/, "Variant", path) }    # misspelt
    printf "    \"%s\": { \"Count\": 10 }%s\n", path, n < 48 ? "," : "";
  }
  print "  }\n}";
}' >"$work/config.json"

echo "dump: $(wc -l <"$work/dump.txt") lines, $(du -m "$work/dump.txt" | cut -f1) MB"
TIMEFORMAT="check --dump: %R s elapsed, %U s user"
time "$tool" check "$work/config.json" --dump "$work/dump.txt" >"$work/out.txt" || true
tail -1 "$work/out.txt"
if [[ -n ${DRAVELQUIN_BENCH_KEEP:-} ]]; then
  cp "$work/dump.txt" "$work/config.json" "$work/out.txt" "$DRAVELQUIN_BENCH_KEEP"
fi
