#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the run need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64 binutils-mingw-w64
  googletest libpugixml-dev
  # libcsv: the delimited-text benchmark's reference parser.
  libcsv-dev
  wine wine32 wine64 fonts-wine fonts-liberation xvfb xauth x11-utils imagemagick
  # Zone rules for the tests that run in America/New_York.
  tzdata
  # The tests' own print server with a PDF queue, and the PDF readers. The
  # 32-bit Wine reaches the print server only through the i386 library.
  cups printer-driver-cups-pdf poppler-utils libcups2:i386
  # The help compiler (chmcmd), the setup compiler (makensis), the CHM reader
  # of the help file's test (extract_chmLib) and Python for the help scripts.
  fp-utils nsis libchm-bin python3
)

missing=()
if dpkg --print-foreign-architectures | grep -qx i386; then
  for p in "${packages[@]}"; do
    # wine32 is an i386 package; dpkg-query needs the architecture to find it.
    q=$p; [ "$p" = wine32 ] && q=wine32:i386
    status=$(dpkg-query -W -f='${Status}' "$q" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
  done
else
  missing=("${packages[@]}")
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
