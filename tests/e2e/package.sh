#!/usr/bin/env bash
# The Debian package: lintian finds nothing to say, its dependencies resolve on this Debian, it installs into
# a clean root with its manual pages and documents, its desktop files are valid, and the installed game
# starts from any folder and plays its own level under Xvfb.
#   package.sh DEB
set -uo pipefail
deb=$(readlink -f "$1")
work=$(mktemp -d)
source "$(dirname "$0")/harness.sh"
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$work/elsewhere"
touch "$root/var/lib/dpkg/status"
pid=""
trap 'kill $pid ${display_pid:-} 2>/dev/null; rm -rf "$work"' EXIT

quietly() { "$@" >/dev/null 2>&1; }
said=$(lintian "$deb" 2>&1 | grep -E '^[EW]: ')
check "lintian gives no error or warning" test -z "$said" || echo "$said"
check "apt can install it here, dependencies and all" quietly apt-get install --simulate "$deb"
# A root of its own, with none of the libraries: dpkg is told they are looked after elsewhere.
check "dpkg installs it into a clean root" quietly dpkg --root="$root" --force-depends --force-script-chrootless -i "$deb"
for file in usr/games/vanturo usr/games/vanturo-sim usr/games/vanturo-levelgen usr/share/vanturo/data/level1.tga \
            usr/share/man/man6/vanturo.6.gz usr/share/man/man1/vanturo-sim.1.gz usr/share/man/man1/vanturo-levelgen.1.gz \
            usr/share/doc/vanturo/README.md usr/share/doc/vanturo/HOW-TO-PLAY.txt usr/share/doc/vanturo/changelog.gz \
            usr/share/icons/hicolor/scalable/apps/org.vanturo.Vanturo.svg; do
  check "it installs $file" test -s "$root/$file"
done
check "its desktop entry is valid" quietly desktop-file-validate "$root/usr/share/applications/org.vanturo.Vanturo.desktop"
check "its AppStream metadata is valid" quietly appstreamcli validate --no-net "$root/usr/share/metainfo/org.vanturo.Vanturo.metainfo.xml"
check "the game's manual page lists its keys" bash -c "zcat '$root/usr/share/man/man6/vanturo.6.gz' | grep -q F11"
check "the installed tools answer --version" test "$("$root/usr/games/vanturo-levelgen" --version)" = "vanturo-levelgen $(dpkg-deb -f "$deb" Version)"
sim=$(cd "$work/elsewhere" && "$root/usr/games/vanturo-sim" --frames 3)
check "the installed simulation finds and plays the installed level" grep -q '"frames":3' <<<"$sim"

start_display 24
export DISPLAY=$display
(cd "$work/elsewhere" && exec "$root/usr/games/vanturo") &
pid=$!
window=""
for _ in $(seq 1200); do window=$(xdotool search --name '^Vanturo$' 2>/dev/null | head -1); [ -n "$window" ] && break; sleep 0.1; done
check "the installed game opens its window from another folder" test -n "$window"
sleep 1.5
import -window "$window" "$work/frame.png" 2>/dev/null
check "and draws its level" test "$(convert "$work/frame.png" -format '%k' info: 2>/dev/null || echo 0)" -gt 50
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
wait_exit
check "Escape ends it with exit code 0" test "$code" = 0
report
