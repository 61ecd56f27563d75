#!/usr/bin/env bash
# install_and_draw.sh BUILD_DIR SOURCE_DIR GIFCHECK CMAKE (see README.md): install into a
# temporary prefix, build a client from quillet.pc, draw, uninstall, check nothing is left.
set -euo pipefail
build=$1 source=$2 gifcheck=$3 cmake=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
export OLEAUT_REGISTRY="$work/registry"
fail() { echo "install test: $*" >&2; exit 1; }

# cmake --install rewrites the build tree's install_manifest.txt: keep the user's.
[ -f "$build/install_manifest.txt" ] && cp "$build/install_manifest.txt" "$work/manifest.saved"
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "install failed"; }
rm -f "$build/install_manifest.txt"
[ -f "$work/manifest.saved" ] && mv "$work/manifest.saved" "$build/install_manifest.txt"

for server in "$prefix"/lib/quillet/lib{quillet,sheethost,recordset}.so; do
  [ -f "$server" ] || fail "$server not installed"
  grep -qF "$server" "$OLEAUT_REGISTRY" || fail "$server not registered"
  # Only the installed liboleaut may be found: no run path into the build tree.
  readelf -d "$server" | grep -E 'R(UN)?PATH' | grep -qF '$ORIGIN' || fail "$server has no \$ORIGIN run path"
  ! readelf -d "$server" | grep -qF "$build" || fail "$server's run path points into the build tree"
done
"$prefix/bin/quillet-chart" --version >/dev/null || fail "installed quillet-chart does not start"

export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
# shellcheck disable=SC2046  # pkg-config's output is meant to be split into words
c++ -o "$work/tiny_client" "$source/tests/install/tiny_client.cpp" $(pkg-config --cflags --libs quillet) ||
  fail "the client does not build against quillet.pc"
"$work/tiny_client" "$source/data/regions.csv" "$work/chart.gif" || fail "the client drew no chart"
"$gifcheck" "$work/chart.gif" || fail "the chart is not a valid GIF"

"$cmake" -DQUILLET_PREFIX="$prefix" -P "$source/cmake/uninstall.cmake" >"$work/uninstall.log" ||
  { cat "$work/uninstall.log"; fail "uninstall failed"; }
left=$(find "$prefix" -not -type d)
[ -z "$left" ] || fail "uninstall left files: $left"
! grep -qF "$prefix" "$OLEAUT_REGISTRY" || fail "uninstall left registrations: $(grep -F "$prefix" "$OLEAUT_REGISTRY")"
echo "install test: installed, drew $work/chart.gif through quillet.pc, uninstalled cleanly"
