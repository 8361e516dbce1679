#!/usr/bin/env bash
# Mutation check: how many single-token faults in the core do the core and converter tests catch?
#
#   bash scripts/mutation.sh N SEED        e.g. bash scripts/mutation.sh 150 1
#
# Every candidate fault site in the core sources (src/{shell,heightmap,formats,imaging}/*.cpp) is
# listed in a fixed order: comparisons (< <= > >= == !=), arithmetic (+ - * /), boolean (&& ||,
# true/false, a dropped !) and integer constants (0 -> 1, 1 -> 0, n -> n + 1). N of them are drawn
# with SEED, so the same N, SEED and sources give the same sample. Each fault is applied alone to a
# private copy of the tree (build-mutation/tree; your checkout is never touched), the core and
# converter tests are rebuilt (Release, no sanitizers) and run until the first failure. A fault the
# tests fail on is killed; one they pass is survived; one that does not build is left out of the
# score. Results: build-mutation/results.txt, one line per fault, then the totals.
# TOLV_MUTATION_FILES (space-separated globs under src/, e.g. "formats/vbRaw.cpp imaging/*.cpp")
# draws the faults from those files only, for a quick look at one area's tests.
set -euo pipefail
cd "$(dirname "$0")/.."
n=${1:?usage: mutation.sh N SEED}
seed=${2:?usage: mutation.sh N SEED}
out=${TOLV_MUTATION_DIR:-$PWD/build-mutation}
tree=$out/tree
bld=$out/build
mkdir -p "$out"

# A private copy of the sources: the faults go there.
rm -rf "$tree"
mkdir -p "$tree"
tar -c --exclude=./.git --exclude='./build*' --exclude='./xshot-out*' . | tar -x -C "$tree"

cmake -S "$tree" -B "$bld" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLV_BUILD_APP=OFF \
  -DCMAKE_CXX_FLAGS_RELEASE="-O1" >/dev/null
# The test targets of the core and the converter (labels core and cli).
targets=$(cd "$tree/tests" && ls core/*.cpp cli/*.cpp | sed 's#.*/##; s#\.cpp$##' | tr '\n' ' ')
build() { cmake --build "$bld" -j"$(nproc)" --target tolvconv $targets >"$out/build.log" 2>&1; }
runtests() {
  # A fault that hangs a test counts as caught: the timeout fails it.
  ctest --test-dir "$bld" -L 'core|cli' --stop-on-failure --timeout 120 -j"$(nproc)" >"$out/test.log" 2>&1
}
echo "building the unchanged tree..."
build || { echo "the unchanged tree does not build; see $out/build.log"; exit 1; }
runtests || { echo "the unchanged tree fails its tests; see $out/test.log"; exit 1; }

# The sample: "file<TAB>line<TAB>column<TAB>old<TAB>new" rows.
python3 - "$tree" "$n" "$seed" "${TOLV_MUTATION_FILES:-}" >"$out/sample.tsv" <<'PY'
import fnmatch, glob, random, re, sys
tree, n, seed, only = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4].split()
files = sorted(f for d in ("shell", "heightmap", "formats", "imaging")
               for f in glob.glob(f"{tree}/src/{d}/*.cpp"))
if only:
    files = [f for f in files if any(fnmatch.fnmatch(f[len(tree) + 5:], g) for g in only)]
swap = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
        "+": "-", "-": "+", "*": "/", "/": "*", "&&": "||", "||": "&&"}
# Binary operators written with a blank on each side (unary minus, pointers and templates are not).
binop = re.compile(r"(?<= )(<=|>=|==|!=|&&|\|\||<|>|\+|-|\*|/)(?= )")
word = re.compile(r"\b(true|false)\b")
bang = re.compile(r"!(?=[A-Za-z_(])")
number = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")

def code_mask(line, in_block):
    """Blanks out comments, strings and characters so only code is searched."""
    out, i, q = [], 0, None
    while i < len(line):
        c = line[i]
        if in_block:
            if line.startswith("*/", i): in_block = False; out.append("  "); i += 2; continue
            out.append(" "); i += 1; continue
        if q:
            if c == "\\": out.append("  "); i += 2; continue
            if c == q: q = None
            out.append(" "); i += 1; continue
        if line.startswith("//", i): break
        if line.startswith("/*", i): in_block = True; out.append("  "); i += 2; continue
        if c in "\"'": q = c; out.append(" "); i += 1; continue
        out.append(c); i += 1
    return "".join(out).ljust(len(line)), in_block

sites = []
for f in files:
    in_block = False
    for ln, line in enumerate(open(f, encoding="utf-8").read().split("\n"), 1):
        code, in_block = code_mask(line, in_block)
        s = code.strip()
        if not s or s.startswith("#") or s.startswith("static_assert"):
            continue
        for m in binop.finditer(code):
            sites.append((f, ln, m.start(), m.group(1), swap[m.group(1)]))
        for m in word.finditer(code):
            sites.append((f, ln, m.start(), m.group(1), "false" if m.group(1) == "true" else "true"))
        for m in bang.finditer(code):
            sites.append((f, ln, m.start(), "!", ""))
        for m in number.finditer(code):
            v = int(m.group(1))
            sites.append((f, ln, m.start(), m.group(1), "1" if v == 0 else "0" if v == 1 else str(v + 1)))
random.Random(seed).shuffle(sites)
for f, ln, col, old, new in sorted(sites[:n]):
    print(f"{f}\t{ln}\t{col}\t{old}\t{new}")
PY

apply() { # file line column old new
  python3 - "$@" <<'PY'
import sys
f, ln, col, old, new = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4], sys.argv[5]
lines = open(f, encoding="utf-8").read().split("\n")
s = lines[ln - 1]
assert s[col:col + len(old)] == old, (f, ln, col, old)
lines[ln - 1] = s[:col] + new + s[col + len(old):]
open(f, "w", encoding="utf-8").write("\n".join(lines))
PY
}

killed=0 survived=0 unbuilt=0 i=0
results=$out/results.txt
: >"$results"
restore() { [ -n "${orig:-}" ] && cp "$orig" "$file" && rm -f "$orig"; orig=; }
trap restore EXIT
while IFS=$'\t' read -r file line col old new; do
  i=$((i + 1))
  orig=$(mktemp)
  cp "$file" "$orig"
  apply "$file" "$line" "$col" "$old" "$new"
  where="${file#"$tree"/}:$line"
  if ! build; then
    verdict=unbuilt; unbuilt=$((unbuilt + 1))
  elif runtests; then
    verdict=SURVIVED; survived=$((survived + 1))
  else
    verdict=killed; killed=$((killed + 1))
  fi
  restore
  printf '%-8s %s  %s -> %s  | %s\n' "$verdict" "$where" "$old" "${new:-(nothing)}" \
    "$(sed -n "${line}p" "$file" | sed 's/^ *//')" | tee -a "$results"
  echo "[$i/$n] killed $killed, survived $survived, did not build $unbuilt" >&2
done <"$out/sample.tsv"
build >/dev/null 2>&1 || true

built=$((killed + survived))
score=0
[ "$built" -gt 0 ] && score=$((100 * killed / built))
summary="killed $killed / survived $survived of $built faults that built ($score%); $unbuilt did not build (N=$n, seed=$seed)"
echo "$summary" | tee -a "$results"
