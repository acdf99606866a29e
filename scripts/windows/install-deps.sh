#!/usr/bin/env bash
# Installs the cross toolchain and the Wine runtime for the Windows build and its
# tests, for both architectures: MinGW-w64 (i686 and x86-64, posix threads), widl,
# 32-bit Wine with its IDL headers and 64-bit Wine (wine64, which also brings the
# 64-bit stdole2.tlb),
# Xvfb (with xauth, which xvfb-run needs) and ImageMagick for screenshots, and the CJK and Wine fonts the dialogs need;
# msitools and wixl, which build and read the Windows Installer package;
# osslsigncode and openssl, which sign it and its programs and check signatures.
# Safe to run again: returns at once when every package is already installed.
set -euo pipefail

packages=(
    g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine32:i386 libwine-dev:i386 wine64
    xvfb xauth imagemagick fonts-wqy-microhei fonts-wine python3-pefile
    msitools wixl osslsigncode openssl
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [[ "$status" == installed ]] || missing+=("$p")
done
if [[ ${#missing[@]} -eq 0 ]]; then
    echo "install-deps: all ${#packages[@]} packages present"
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
echo "install-deps: installed ${missing[*]}"
