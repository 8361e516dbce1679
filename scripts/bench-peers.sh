#!/usr/bin/env bash
# Times whole tolvconv processes against gdal_translate and ImageMagick's convert on the same
# 513 x 513 files in one run, and against copying the output's bytes with cp.
#   bash scripts/bench-peers.sh [RUNS]        (default 30 runs per command)
# Prints a Markdown table of medians (ms) and ratios; raw hyperfine JSON stays in build-bench/peers/.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
need=()
command -v gdal_translate >/dev/null || need+=(gdal-bin)
command -v hyperfine >/dev/null || need+=(hyperfine)
command -v convert >/dev/null || need+=(imagemagick)
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${need[@]}"
fi
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLV_BUILD_APP=OFF -DTOLV_BUILD_TESTS=OFF \
  -DTOLV_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j2 --target tolvconv tolv_bench >/dev/null
conv="$PWD/build-bench/tolvconv"
work="$PWD/build-bench/peers"
rm -rf "$work" && mkdir -p "$work" && cd "$work"

# A 513 x 513 terrain as .hmb, then every source format from it through tolvconv itself.
python3 - <<'PY'
import math, struct
w = h = 513
out = bytearray(b"TOLV Binary Heightmap\0") + struct.pack("<ihhh", 32 + 2 * w * h, 100, w, h)
for y in range(h):
    for x in range(w):
        v = 32768 + 20000 * math.sin(x / 41.0) * math.cos(y / 37.0) + ((x * 7 + y * 13) % 97) * 40
        out += struct.pack("<H", max(0, min(65535, int(v))))
open("map.hmb", "wb").write(out)
PY
for ext in tif r16 ter bmp png; do "$conv" map.hmb "map.$ext" 2>/dev/null; done
"$conv" --pgm p5 map.hmb map.pgm 2>/dev/null
export MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1

# name | tolvconv | convert ("" = no such conversion) | gdal_translate ("" = none) | output to copy
rows=(
  "tif → pgm P5|$conv --pgm p5 map.tif out.pgm|convert map.tif -depth 16 out-im.pgm|gdal_translate -q -of PNM map.tif out-gd.pgm|out.pgm"
  "pgm P5 → tif|$conv map.pgm out.tif|convert map.pgm -depth 16 -compress none out-im.tif|gdal_translate -q -of GTiff map.pgm out-gd.tif|out.tif"
  "tif → r16|$conv map.tif out.r16|convert map.tif -depth 16 -endian LSB gray:out-im.r16|gdal_translate -q -of ENVI map.tif out-gd.r16|out.r16"
  "r16 → tif|$conv --raw-size 513x513 map.r16 out2.tif|convert -size 513x513 -depth 16 -endian LSB gray:map.r16 -compress none out2-im.tif||out2.tif"
  "tif → ter|$conv map.tif out.ter||gdal_translate -q -of Terragen -ot Float32 -co MINUSERPIXELVALUE=0 -co MAXUSERPIXELVALUE=65535 map.tif out-gd.ter|out.ter"
  "ter → tif|$conv map.ter out3.tif||gdal_translate -q -of GTiff map.ter out3-gd.tif|out3.tif"
  "hmb → G16 bmp|$conv map.hmb out.bmp|||out.bmp"
  "tif → png 16-bit|$conv map.tif out.png|convert map.tif -depth 16 out-im.png|gdal_translate -q -of PNG map.tif out-gd.png|out.png"
  "hmb → obj (text mesh)|$conv map.hmb out.obj|||out.obj"
  "hmb → stl (text mesh)|$conv map.hmb out.stl|||out.stl"
  "hmb → hma (text)|$conv map.hmb out.hma|||out.hma"
)
median() { python3 -c "import json,sys; print('%.1f' % (json.load(open(sys.argv[1]))['results'][0]['median']*1000))" "$1"; }
time_cmd() { # file, command; "fails" when the command does not succeed
  if ! bash -c "$2" >/dev/null 2>&1; then echo "fails"; return; fi
  hyperfine -N --warmup 3 --runs "$runs" --style none --export-json "$1" "$2" >/dev/null 2>&1 || \
  hyperfine --warmup 3 --runs "$runs" --style none --export-json "$1" "$2" >/dev/null 2>&1
  median "$1"
}
echo "| conversion (513 x 513) | tolvconv ms | convert ms | gdal_translate ms | cp of output ms | convert / tolvconv | gdal / tolvconv | tolvconv / cp |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
i=0
for row in "${rows[@]}"; do
  IFS='|' read -r name tc im gd copyOf <<<"$row"
  i=$((i + 1))
  t=$(time_cmd "t$i.json" "$tc")
  "$conv" ${tc#"$conv"} >/dev/null 2>&1 || true
  c=$(time_cmd "c$i.json" "cp $copyOf copy-$i.out")
  imt="-"; gdt="-"; imr="-"; gdr="-"
  ratio() { [ "$1" = fails ] && echo "-" || python3 -c "print('%.2f' % ($1/$2))"; }
  if [ -n "$im" ]; then imt=$(time_cmd "i$i.json" "$im"); imr=$(ratio "$imt" "$t"); fi
  if [ -n "$gd" ]; then gdt=$(time_cmd "g$i.json" "$gd"); gdr=$(ratio "$gdt" "$t"); fi
  cr=$(python3 -c "print('%.2f' % ($t/$c))")
  echo "| $name | $t | $imt | $gdt | $c | $imr | $gdr | $cr |"
done
