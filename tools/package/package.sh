#!/usr/bin/env bash
# Builds the Windows Installer package of one architecture from a built tree:
#
#   tools/package/package.sh VERSION INSTALL_TREE BIN_DIR OUT.msi [--arch x86|x64] [--sign PFX]
#
# INSTALL_TREE holds Tessalo.reg and the Tessalo folder (with its texture
# picture), BIN_DIR the Zelvacorin.dll, zelva-tables.exe and
# ZelvacorinSetup.dll (the package's custom action) cross-built for the
# architecture (x86, the default, or x64). The WiX
# source is written by make_wxs.py and compiled by wixl; then msibuild adds what
# wixl 0.101 leaves out:
#   - table files are never overwritten, so an administrator's edits survive an
#     upgrade (the installer's own rule for changed unversioned files needs a
#     creation time that Wine does not keep), and permanent, so an uninstall
#     leaves the changed ones (the custom action removes the others);
#   - the registration's values that the 32-bit and the 64-bit registration share
#     are permanent too: the custom action removes them when the other
#     architecture no longer uses them (make_wxs.py lists these attributes);
#   - the older version is removed before the new one is installed (right after
#     InstallValidate): its uninstall leaves the tables an administrator changed
#     and removes the others, so the new version installs its own tables except
#     the changed ones, which it never overwrites;
#   - the preferences folder, and only it, is writable for users (an SDDL lock:
#     system and administrators full control, users modify, inherited by its file).
# With --sign, the programs are signed (sign.sh) before they are packed, and the
# package after its last change; without, it says so.
set -euo pipefail

usage() {
    echo "usage: $0 VERSION INSTALL_TREE BIN_DIR OUT.msi [--arch x86|x64] [--sign PFX]" >&2
    exit 2
}
[[ $# -ge 4 ]] || usage
version=$1 tree=$2 bin=$3 out=$4 arch=x86 pfx=""
shift 4
while [[ $# -gt 0 ]]; do
    case "$1" in
        --arch) [[ $# -ge 2 && ($2 == x86 || $2 == x64) ]] || usage; arch=$2; shift 2 ;;
        --sign) [[ $# -ge 2 ]] || usage; pfx=$2; shift 2 ;;
        *) usage ;;
    esac
done
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [[ -n "$pfx" ]]; then
    pfx="$(cd "$(dirname "$pfx")" && pwd)/$(basename "$pfx")"
    mkdir "$work/bin"
    programs=(Zelvacorin.dll ZelvacorinSetup.dll zelva-tables.exe)
    for program in "${programs[@]}"; do cp "$bin/$program" "$work/bin/"; done
    bin="$work/bin"
    (cd "$bin" && "$here/sign.sh" "$pfx" "${programs[@]}")
fi

python3 "$here/make_wxs.py" --arch "$arch" --version "$version" --tree "$tree" --bin "$bin" \
    --readme "$here/ReadMe.txt" --out "$work/Zelvacorin.wxs" --attributes "$work/attributes.txt"
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
(cd "$work" && wixl -a "$arch" -o "$out" Zelvacorin.wxs)

remove_after_validate=1401
preferences_sddl='D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)'
queries=(
    "UPDATE InstallExecuteSequence SET Sequence = $remove_after_validate WHERE Action = 'RemoveExistingProducts'"
    'CREATE TABLE `MsiLockPermissionsEx` (`MsiLockPermissionsEx` CHAR(72) NOT NULL, `LockObject` CHAR(72) NOT NULL, `Table` CHAR(32) NOT NULL, `SDDLText` LONGCHAR NOT NULL, `Condition` CHAR(255) PRIMARY KEY `MsiLockPermissionsEx`)'
    "INSERT INTO \`MsiLockPermissionsEx\` (\`MsiLockPermissionsEx\`, \`LockObject\`, \`Table\`, \`SDDLText\`) VALUES ('PreferencesWritable', 'PREFERENCESDIR', 'CreateFolder', '$preferences_sddl')"
)
while IFS=$'\t' read -r component attributes; do
    queries+=("UPDATE Component SET Attributes = $attributes WHERE Component = '$component'")
done <"$work/attributes.txt"
args=()
for q in "${queries[@]}"; do args+=(-q "$q"); done
msibuild "$out" "${args[@]}"
if [[ -n "$pfx" ]]; then
    "$here/sign.sh" "$pfx" "$out"
    echo "package.sh: wrote $out, signed, with its programs"
else
    echo "package.sh: wrote $out, UNSIGNED: neither it nor its programs carry a signature (--sign PFX signs them)"
fi
