# The start every package round shares, sourced by the round's script with its
# arguments: SOURCE_ROOT BIN_DIR WORK_DIR [ARCH]. ARCH is the package's
# architecture, x86 (the default) or x64; for x64 the environment's WINE names
# the 64-bit Wine loader (the x64 build's toolchain file says which), since
# Debian's wine starts the 32-bit builds of Wine's own programs (reg, regsvr32,
# msiexec, cscript) even in a 64-bit prefix. Sets source_root, bin, work (made
# empty), arch, product (the package's name among the installed programs), wine
# (the loader of the architecture's programs), a Wine prefix of the round's own
# in work, 32-bit for x86 and 64-bit for x64, installed (the product family's
# folder in it, for the package's architecture), check, which counts the
# round's checks, msi, which runs msiexec quietly with a log, and report, which
# ends the round with its failures and its count.
set -uo pipefail

if [[ $# -lt 3 || $# -gt 4 || ! ${4:-x86} =~ ^(x86|x64)$ || (${4:-} == x64 && -z ${WINE:-}) ]]; then
    echo "usage: [WINE=64-BIT-WINE-LOADER] $0 SOURCE_ROOT BIN_DIR WORK_DIR [x86|x64]" >&2
    exit 2
fi
source_root="$(cd "$1" && pwd)"
bin="$(cd "$2" && pwd)"
work="$3"
arch=${4:-x86}
rm -rf "$work"
mkdir -p "$work"
work="$(cd "$work" && pwd)"
declare -A wine_arch=([x86]=win32 [x64]=win64) product_name=([x86]=Zelvacorin [x64]="Zelvacorin (64-bit)")
export WINEARCH=${wine_arch[$arch]} WINEDEBUG=-all WINEPREFIX="$work/wineprefix"
product=${product_name[$arch]}
wine=wine
[[ $arch == x64 ]] && wine=$WINE
# The package's own Program Files: the only one of a 32-bit prefix, the 64-bit one of a 64-bit prefix.
installed="$WINEPREFIX/drive_c/Program Files/Ombrivale/Tessalo"

passed=0 failed=0 failures=() msi_runs=0
check() {  # check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)) failures+=("$what"); echo "FAILED: $what"; fi
}

# msiexec ARGUMENTS... without its user interface, each run's verbose log kept in
# work; a run that fails prints its exit status and the log's last error lines.
msi() {
    local log="$work/msiexec-$((++msi_runs)).log" status=0
    $wine msiexec "$@" /qn /l*v "Z:${log//\//\\}" || status=$?
    if [[ $status -ne 0 ]]; then
        echo "msiexec $1 exited with status $status; its log ends:"
        tr -d '\r\0' <"$log" | grep -iE 'error|return value 3|failed' | tail -8
    fi
    return $status
}

# The round's last lines: every failed check again (a long round's output is
# often read from its end), then the count.
report() {
    wineserver -w
    if [[ $failed -gt 0 ]]; then printf 'failed: %s\n' "${failures[@]}"; fi
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]]
}
