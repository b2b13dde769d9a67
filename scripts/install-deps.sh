#!/usr/bin/env bash
# Installs what building, running and testing mpgfix needs, skipping what is already there;
# with --run, only what building and running the app needs.
set -euo pipefail

# dvdauthor and genisoimage make DVD folders and images; the tests use dvdauthor to check that
# the DVD outputs are accepted, and lsdvd to read back the discs made. dbus-daemon is for the
# tests too: they talk to the desktop through a private session bus; clang and libFuzzer build the
# console fuzz target.
# qt6-tools-dev and qt6-l10n-tools build the translations, qt6-translations-l10n holds Qt's own,
# libqt6svg6 draws the SVG window icon.
# librsvg2-bin renders the menu icons, dpkg-dev finds the package's dependencies; lintian,
# desktop-file-utils and appstream check the package and its metadata.
packages=(cmake g++ make qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libqt6svg6 ffmpeg
          librsvg2-bin)
[ "${1:-}" = --run ] || packages+=(googletest libgtest-dev dvdauthor genisoimage lsdvd dbus-daemon clang
                                   libfuzzer-14-dev dpkg-dev file lintian desktop-file-utils appstream)
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
