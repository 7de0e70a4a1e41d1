#!/usr/bin/env bash
# Checks what users get from a build folder: the desktop entry and the metainfo, an install into
# a scratch prefix, the installed program's --check before and after a first start in a scratch
# home (a second start must change nothing there), and the Debian package's contents,
# dependencies and licence file. Needs no display and no network.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$src/build}" && pwd)
id=org.yojidrill.Yojidrill

desktop-file-validate "$src/data/desktop/$id.desktop"
appstreamcli validate --no-net "$src/data/desktop/$id.metainfo.xml"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/usr" >/dev/null
for file in bin/yojidrill bin/yoji-idiomfile \
  share/yojidrill/template/四字熟語/設定.txt share/yojidrill/template/四字熟語/四字02vv.ccc \
  share/yojidrill/template/files/生徒用名簿.txt "share/applications/$id.desktop" \
  "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg" \
  "share/icons/hicolor/48x48/apps/$id.png" share/man/man1/yojidrill.1 \
  share/doc/yojidrill/copyright; do
  [ -e "$scratch/usr/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
echo "installed into a scratch prefix:"
(cd "$scratch/usr" && find . -type d | sort | sed 's/^/  /' | grep -v '/template/.*/' || true)

# A scratch user on a machine without a site setting; no display.
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/.local/share"
export XDG_CONFIG_HOME="$scratch/home/.config" XDG_CONFIG_DIRS="$scratch/etc" XDG_DATA_DIRS="$scratch/none"
export XDG_RUNTIME_DIR="$scratch/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY
program="$scratch/usr/bin/yojidrill"
user_tree="$XDG_DATA_HOME/yojidrill"

"$program" --version
"$program" --check
[ ! -e "$user_tree" ] || { echo "--check wrote $user_tree" >&2; exit 1; }

# The program runs until it is closed: each start is ended after a few seconds.
start_briefly() {
  local status=0
  QT_QPA_PLATFORM=offscreen timeout 8 "$program" || status=$?
  [ "$status" -eq 124 ] || { echo "the program ended with $status" >&2; exit 1; }
}
tree_state() { (cd "$user_tree" && find . -printf '%p %y %s %T@ %l\n' | sort); }

start_briefly
[ -f "$user_tree/四字熟語/設定.txt" ] || { echo "first start made no per-user tree" >&2; exit 1; }
tree_state >"$scratch/first"
start_briefly
tree_state >"$scratch/second"
diff "$scratch/first" "$scratch/second" || { echo "a second start changed the tree" >&2; exit 1; }
"$program" --check

(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/yojidrill_*.deb)
dpkg-deb --info "$package"
dpkg-deb --contents "$package" | grep -v '/template/.*/.*/' || true
depends=$(dpkg-deb --field "$package" Depends)
for needed in fonts-ipafont-gothic libqt6widgets6 libsndfile1 libpulse0; do
  grep -q "$needed" <<<"$depends" || { echo "the package does not depend on $needed" >&2; exit 1; }
done
copyright=$(dpkg-deb --fsys-tarfile "$package" | tar -xOf - ./usr/share/doc/yojidrill/copyright) ||
  { echo "the package holds no usr/share/doc/yojidrill/copyright" >&2; exit 1; }
for needed in 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' KanjiVG \
  'License: CC-BY-SA-3.0'; do
  grep -qF "$needed" <<<"$copyright" || { echo "the package's copyright file lacks $needed" >&2; exit 1; }
done
echo "package: $(basename "$package"), $(du -k "$package" | cut -f1) KiB"
