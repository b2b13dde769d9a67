#!/usr/bin/env bash
# Checks a built package as a distribution would: lintian on the .deb, and the desktop entry and
# software-centre metadata it installs through freedesktop's own validators.
set -euo pipefail

deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

# The package runs the system's ffmpeg, never a link to the build machine's.
if [ -e "$root/usr/libexec" ]; then
    echo "$deb: carries usr/libexec, a link to the build machine's ffmpeg" >&2
    exit 1
fi
"$root/usr/bin/mpgfix" --version

desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
# The installed tree: the metadata's launchable, desktop entry and icon have to find each other.
appstreamcli validate-tree --no-net "$root"
# The warnings the package keeps are overridden, with their reasons, in packaging/.
lintian --allow-root --fail-on error,warning "$deb"
echo "$deb: lintian, desktop-file-validate and appstreamcli passed"
