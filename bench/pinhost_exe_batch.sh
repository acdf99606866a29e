#!/bin/sh
# pinhost_exe_batch.sh [COUNT]: the speed target of pinhost.exe, measured: COUNT
# (default 20) scenarios replayed through the real Zelvacorin.dll under Wine,
# one after the other on a warm prefix, with one Wine server for the batch;
# the target is under 60 s for 20.
#
# Needs the Windows build and its prefix (./run test makes both).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/windows/windows/bin"
export WINEPREFIX="$root/build/windows/windows/wineprefix" WINEARCH=win32 WINEDEBUG=-all
count=${1:-20}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cd "$bin"
wine regsvr32 /s 3itlu31.dll
wine regsvr32 /s Zelvacorin.dll
wineserver -w

xvfb-run -a -s "-screen 0 800x600x24" sh -s "$root" "$bin" "$out" "$count" <<'BATCH'
set -eu
root=$1 bin=$2 out=$3 count=$4
scenarios="$root/examples/demo.scn $(ls "$root"/tests/scenarios/*.scn)"
wine "$bin/pinhost.exe" run "$root/examples/demo.scn" --out "$out/warm" >/dev/null  # the warm prefix
start=$(date +%s.%N)
i=0
while [ "$i" -lt "$count" ]; do
    for s in $scenarios; do
        [ "$i" -lt "$count" ] || break
        wine "$bin/pinhost.exe" run "$s" --out "$out/run$i" >/dev/null
        i=$((i + 1))
    done
done
end=$(date +%s.%N)
echo "pinhost.exe: $count scenarios in $(awk "BEGIN { printf \"%.1f\", $end - $start }") s (target: 20 in under 60 s)"
wineserver -w
BATCH
