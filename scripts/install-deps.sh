#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run Quillavon.
# Does nothing when every package is already present.
set -euo pipefail

PACKAGES=(
  # toolchain
  g++ cmake ninja-build make pkg-config
  # data store
  libsqlite3-dev sqlite3
  # desktop program, preview and printing
  qt6-base-dev libgl-dev
  # the program's icon (SVG image and icon plugins)
  qt6-svg-dev
  # report definitions (XSLT) and XML
  libxslt1-dev libxml2-dev
  # archives, FTP/SMTP, password hashes
  libarchive-dev libcurl4-openssl-dev libsodium-dev
  # tests, benchmarks, fuzzing
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  # used only by the XML benchmark, as the reference parser
  libpugixml-dev
  # reading the PDF reports back in the tests and turning pages into pictures
  poppler-utils
  # the exchange tests: a real 7z reader and a local FTP server
  p7zip-full python3-pyftpdlib python3-openssl openssl
  # the mail tests: a real SMTP server on 127.0.0.1 (a self-signed certificate for STARTTLS by openssl)
  python3-aiosmtpd
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
