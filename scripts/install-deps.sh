#!/usr/bin/env bash
# Installs what building, running and testing mpgfix needs, skipping what is already there.
set -euo pipefail

# dvdauthor is for the tests: they check that the DVD outputs are accepted. clang and libFuzzer
# build the console fuzz target.
packages=(cmake g++ make qt6-base-dev ffmpeg googletest libgtest-dev dvdauthor clang libfuzzer-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
