# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run and scripts/test: install what is missing, then build into build/
# (build-asan/ for the sanitizer build).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# TRAMOLA_SANITIZE=1 (scripts/test --sanitize): the same build under AddressSanitizer and UBSan,
# in a folder of its own so that both stay built.
if [ "${TRAMOLA_SANITIZE:-0}" = 1 ]; then
  BUILD="${BUILD:-$ROOT/build-asan}"
  CMAKE_OPTIONS=(-DTRAMOLA_SANITIZE=ON)
else
  BUILD="${BUILD:-$ROOT/build}"
  CMAKE_OPTIONS=()
fi
command -v ccache >/dev/null && CMAKE_OPTIONS+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# Everything the build, the tests and the demo need on a fresh Debian 12 (locales-all: the
# suite's run under a French system locale).
PACKAGES=(g++ make cmake pkg-config qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
  libqt5sql5-sqlite libqt5svg5-dev libqt5opengl5-dev libqwt-qt5-dev libsqlite3-dev
  qttranslations5-l10n xvfb xauth fonts-dejavu-core desktop-file-utils appstream poppler-utils
  clang-format util-linux locales-all)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq >/dev/null
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure() {
  # A configure that failed half-way leaves a cache without a build system: run it again.
  if [ ! -f "$BUILD/CMakeCache.txt" ] || [ ! -f "$BUILD/Makefile" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${CMAKE_OPTIONS[@]}" "$@" >/dev/null
  fi
}

build() {
  configure "$@"
  local log
  log="$(mktemp)"
  if ! cmake --build "$BUILD" -j"$(nproc)" >"$log" 2>&1; then
    grep -vE '^\[ *[0-9]+%\]|^(Consolidate|Scanning|Automatic|Built target)|^-- ' "$log" >&2 || true
    rm -f "$log"
    echo "Build failed" >&2
    exit 1
  fi
  rm -f "$log"
}
