#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quillet need (Debian 12).
set -euo pipefail

packages=(
  cmake ninja-build g++
  qt6-base-dev            # QtCore, QtGui, QtWidgets, QtPrintSupport, QtTest
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core       # a font for the offscreen platform and PDF output
  libxml2-dev             # the check of an XML return against CRA's schema
  clang libclang-rt-14-dev  # the libFuzzer targets
  poppler-utils           # pdftotext: the tests read the text of the PDFs made
  dpkg-dev file           # the Debian package: its libraries' dependencies (dpkg-shlibdeps)
  lintian desktop-file-utils man-db  # and the checks of what it installs
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
