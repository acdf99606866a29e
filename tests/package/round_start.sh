# The start every package round shares, sourced by the round's script with its
# three arguments: SOURCE_ROOT BIN_DIR WORK_DIR. Sets source_root, bin and work
# (made empty), a 32-bit Wine prefix of the round's own in work, installed (the
# product family's folder in it), and check, which counts the round's checks.
set -uo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 SOURCE_ROOT BIN_DIR WORK_DIR" >&2
    exit 2
fi
source_root="$(cd "$1" && pwd)"
bin="$(cd "$2" && pwd)"
work="$3"
rm -rf "$work"
mkdir -p "$work"
work="$(cd "$work" && pwd)"
export WINEARCH=win32 WINEDEBUG=-all WINEPREFIX="$work/wineprefix"
installed="$WINEPREFIX/drive_c/Program Files/Ombrivale/Tessalo"

passed=0 failed=0
check() {  # check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
