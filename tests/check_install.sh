#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "cmake --install" lays out a desktop program: executables, language files where the program
# looks for them, a menu entry, AppStream data and icons that their validators accept.
set -uo pipefail
build="$1"
id=org.tramola.Tramola
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$dest" >/dev/null || fail "cmake --install"
for f in bin/tramola bin/tramola-cli share/tramola/lang/tramola.qm share/tramola/lang/tramola_fr.qm \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg; do
  [ -s "$dest/$f" ] || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
  png="$dest/share/icons/hicolor/${size}x${size}/apps/$id.png"
  # Width and height, big-endian, at bytes 16 to 23 of a PNG.
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" 2>/dev/null | awk '{print $3*256+$4, $7*256+$8}')
  [ "${w:-0}x${h:-0}" = "${size}x${size}" ] || fail "$png is ${w:-?}x${h:-?}"
done

desktop-file-validate "$dest/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$dest/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"

# Both programs name the same version; -v leaves its folders in a home of its own.
export HOME="$dest/home" XDG_DATA_HOME="$dest/home/.local/share" XDG_CONFIG_HOME="$dest/home/.config"
mkdir -p "$HOME"
gui=$("$dest/bin/tramola" -v)
cli=$("$dest/bin/tramola-cli" --version)
[ -n "$gui" ] && [ "$gui" = "$cli" ] || fail "tramola -v says '$gui', tramola-cli --version '$cli'"
echo "PASS"
