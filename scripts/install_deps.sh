#!/usr/bin/env bash
# Installs, with apt-get, whatever of planestat's build, test (and, with
# --demo, demo) packages this Debian machine is missing. Run as root or with sudo.
set -euo pipefail

packages=(cmake g++ make libgtest-dev libbenchmark-dev octave liboctave-dev)
if [[ "${1:-}" == "--demo" ]]; then
  # Sample photographs (public domain) and headless PNG plotting for the demo.
  packages+=(python3-skimage gnuplot-nox ghostscript fonts-freefont-otf)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [[ "$(id -u)" != 0 ]]; then
  sudo=sudo
fi
echo "installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
