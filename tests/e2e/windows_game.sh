#!/usr/bin/env bash
# The real Windows game, vanturo.exe, under Wine on Xvfb: the window steps' failures through the real calls,
# its window (class, title, client size), frames,
# the text's spaces, F11 and Alt+Enter, Escape, the close button, and a real message box when no pixel
# format suits the display.
#   windows_game.sh WIN_BUILD_DIR LEVELGEN VANTURO_SIM
set -uo pipefail
win=$(readlink -f "$1"); levelgen=$(readlink -f "$2"); simulation=$(readlink -f "$3")
work=$(mktemp -d)
export WINEPREFIX="$win/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source "$(dirname "$0")/harness.sh"
start_display 24
xvfb=$display_pid
eight=""
trap 'kill $xvfb $eight 2>/dev/null; wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
wineboot -i >/dev/null 2>&1  # makes the prefix on the first run; quick afterwards
# The prefix is kept between runs: the settings an earlier run saved start no game here.
find -L "$WINEPREFIX/drive_c/users" -maxdepth 5 -type d -name Vanturo -exec rm -rf {} + 2>/dev/null

mkdir -p "$work/game"
"$levelgen" --out "$work/game/data" --seed 3 --width 256 --height 128 || { echo "vanturo-levelgen failed"; exit 1; }
cp "$win/vanturo.exe" "$win/wintool.exe" "$win/window_steps_test.exe" "$work/game/"
cd "$work/game"

# The window steps' table of failures through the real Win32, GDI and WGL calls, one step made to fail a case.
window_steps() { wine window_steps_test.exe >"$work/steps.txt" 2>/dev/null || { tr -d '\r' <"$work/steps.txt"; false; }; }
check "every window step's failure shows its boxes and tears down the real window and class" window_steps

start_game() {  # start_game [FOLDER [OPTION...]]: from the game's folder, or from another one; stderr kept
  (cd "${1:-.}" && exec wine "$work/game/vanturo.exe" "${@:2}") >/dev/null 2>"$work/stderr.txt" &
  pid=$!
  info=""
  for _ in $(seq 600); do
    info=$(wine wintool.exe find 2>/dev/null | tr -d '\r') && [ -n "$info" ] && break
    sleep 0.2
  done
  window=$(xdotool search --name '^Vanturo$' 2>/dev/null | head -1)
  sleep 2
}

# Two sounds as Ogg Vorbis beside their WAVs: one sox wrote, read without a word; one damaged, said in a line.
sox -n -r 22050 -c 2 data/sounds/hit.ogg synth 0.5 sine 600 vol 0.5
echo "OggS, or so it says" > data/sounds/burst.ogg
start_game . --record "$work/flight.demo"
check "a top-level window of class OpenGL titled Vanturo with an 800 by 600 client area" test "$info" = "OpenGL Vanturo 800 600"
xdotool mousemove --window "$window" 400 150; sleep 1
import -window "$window" "$work/frame.png" 2>/dev/null
check "frames are drawn (not one flat colour)" test "$(convert "$work/frame.png" -format '%k' info:)" -gt 50
xdotool windowfocus --sync "$window" 2>/dev/null

# Straight on, the ship leaves this small level within seconds: the notice shows in the middle of the window,
# and a left click flies again from the start.
notice() { convert "$work/$1.png" -crop 800x60+0+265 -fuzz 3% -fill black +opaque white -format '%[fx:mean]' info:; }
xdotool mousemove --window "$window" 400 300
for _ in $(seq 300); do
  sleep 1; import -window "$window" "$work/outside.png" 2>/dev/null
  awk -v a="$(notice outside)" 'BEGIN { exit !(a > 0.01) }' && break
done
check "leaving the world shows the notice in the middle" awk -v a="$(notice outside)" 'BEGIN { exit !(a > 0.01) }'
# The widest run of columns without a white pixel inside the notice's text: its spaces, wider than the gaps
# between letters (Wine's GDI gives the space glyph no advance of its own).
widest_gap() {
  convert "$work/$1.png" -crop 800x60+0+265 +repage -fuzz 3% -fill black +opaque white -trim +repage \
    -scale 'x1!' -threshold 0 txt:- | awk -F'[ ,:]' '/^[0-9]/ { if ($0 ~ /#000000/) run++; else run = 0; if (run > w) w = run } END { print w + 0 }'
}
check "its words stand apart: the spaces are there" test "$(widest_gap outside)" -ge 8
xdotool mousedown 1; sleep 0.3; xdotool mouseup 1; sleep 1
import -window "$window" "$work/back.png" 2>/dev/null
check "a left click flies again from the start: the notice is gone" awk -v a="$(notice back)" 'BEGIN { exit !(a < 0.005) }'
xdotool keydown Escape; sleep 0.4; xdotool keyup Escape
wait_exit 120
check "Escape ends it with exit code 0" test "$code" = 0
check "an Ogg Vorbis sound is read, a damaged one said in one line" \
  test "$(grep -c 'hit.ogg' "$work/stderr.txt") $(grep -c 'burst.ogg.*not an Ogg file' "$work/stderr.txt")" = "0 1"
rm data/sounds/*.ogg
# The flight was recorded: the Linux simulation replays it to the same state, to the last bit.
replayed=$("$simulation" --data "$work/game" --play "$work/flight.demo" 2>&1)
check "its demo replays on Linux to the same state" grep -q '"matches":true' <<<"$replayed"
# Its link, made on Linux, plays in the Windows game at its own pace to the same state; and L in the Windows game
# shares the flight so far: the link it says and the demo it saves in My Pictures replay on Linux.
"$simulation" --data "$work/game" --play "$work/flight.demo" --link "$work/flight.link" >/dev/null
said=$(timeout 900 wine vanturo.exe --play "$(cat "$work/flight.link")" 2>&1 | tr -d '\r')
check "its link plays in the Windows game to the same state" grep -q 'the state matches the demo' <<<"$said"
start_game .
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool keydown l; sleep 0.4; xdotool keyup l
linked() { grep -q "the flight's link: " "$work/stderr.txt"; }
eventually 120 linked
wine wintool.exe close >/dev/null 2>&1
wait_exit 120
link=$(tr -d '\r' <"$work/stderr.txt" | sed -n "s/^vanturo: the flight's link: //p" | head -1)
shared=$(find -L "$WINEPREFIX/drive_c/users" -maxdepth 3 -name "vanturo-*.demo" 2>/dev/null | head -1)
check "L says the flight's link, which replays on Linux" \
  grep -q '"matches":true' <<<"$("$simulation" --data "$work/game" --play "$link" 2>&1)"
check "and saves its demo in My Pictures, which replays too" \
  grep -q '"matches":true' <<<"$("$simulation" --data "$work/game" --play "$shared" 2>&1)"
rm -f "$shared"

howto="$win/release/vanturo/HOW-TO-PLAY.txt"
check "the ZIP's how-to-play text has Windows line ends and every key" \
  test "$(grep -c $'\r$' "$howto") $(grep -cE '^  (F1|F11 or Alt\+Enter|F12|P|M|Escape|1, 2, 3) ' "$howto")" = "$(wc -l <"$howto") 7"
check "--version answers on stdout" grep -Eq '^vanturo [0-9]+\.[0-9]+\.[0-9]+$' <<<"$(wine vanturo.exe --version 2>/dev/null | tr -d '\r')"

mkdir -p "$work/elsewhere"
# Recorded over the first demo: the new one takes its place whole when the game ends.
start_game "$work/elsewhere" --size 640x480 --record "$work/flight.demo"
check "started from another folder with --size 640x480, it plays the data beside the executable" \
  test "$info" = "OpenGL Vanturo 640 480"
# F12 saves the frame into My Pictures, wherever this prefix keeps it.
pictures() { find -L "$WINEPREFIX/drive_c/users" -maxdepth 3 -name "vanturo-*.png" 2>/dev/null; }  # Wine links it into $HOME
pictures | while read -r old; do rm -f "$old"; done
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool keydown F12; sleep 0.4; xdotool keyup F12; sleep 1
check "F12 saves a 640 by 480 PNG into My Pictures" \
  test "$(identify -format '%w %h %m' "$(pictures | head -1)" 2>/dev/null)" = "640 480 PNG"
pictures | while read -r saved; do rm -f "$saved"; done
# F11 fills the screen and the view follows (a picture of the whole screen), Alt+Enter brings the window back.
client() { wine wintool.exe find 2>/dev/null | tr -d '\r'; }
xdotool keydown F11; sleep 0.4; xdotool keyup F11; sleep 1.5
check "F11 fills the screen" test "$(client)" = "OpenGL Vanturo 1024 768"
xdotool keydown F12; sleep 0.4; xdotool keyup F12; sleep 1
check "and the view fills it too" test "$(identify -format '%w %h' "$(pictures | head -1)" 2>/dev/null)" = "1024 768"
xdotool keydown alt+Return; sleep 0.4; xdotool keyup alt+Return; sleep 1.5
check "Alt+Enter brings the 640 by 480 window back" test "$(client)" = "OpenGL Vanturo 640 480"
pictures | while read -r saved; do rm -f "$saved"; done
wine wintool.exe close >/dev/null 2>&1
wait_exit 120
check "closing the window ends it with exit code 0" test "$code" = 0
replayed=$("$simulation" --data "$work/game" --play "$work/flight.demo" 2>&1)
check "a second recording replaces the first whole" grep -q '"matches":true' <<<"$replayed"
check "and leaves nothing beside it" test "$(ls -A "$work" | grep -c demo)" = 1
# The settings file in the prefix's application data: F11 and Alt+Enter above wrote it, and the game reads it.
settings=$(find -L "$WINEPREFIX/drive_c/users" -maxdepth 5 -path '*/Vanturo/settings.ini' 2>/dev/null | head -1)
check "F11 and Alt+Enter wrote the settings file into the application data (${settings#$WINEPREFIX/})" \
  grep -qx 'fullscreen = false' "$settings"
sed -i 's/^window-size = .*/window-size = 720x540/' "$settings"
start_game "$work/elsewhere"
check "and the next game reads it: a 720 by 540 window" test "$info" = "OpenGL Vanturo 720 540"
wine wintool.exe close >/dev/null 2>&1
wait_exit 120

# An 8-bit display offers no pixel format for a 16-bit RGBA double-buffered context.
start_display 8
eight=$display_pid
export DISPLAY=$display
wine vanturo.exe >/dev/null 2>&1 &
pid=$!
text=""
for _ in $(seq 600); do
  text=$(wine wintool.exe box ERROR 2>/dev/null | tr -d '\r') && [ -n "$text" ] && break
  sleep 0.2
done
check "no pixel format: a box captioned ERROR says so" test "$text" = "Can't Find A Suitable PixelFormat."
box=$(xdotool search --name '^ERROR$' 2>/dev/null | head -1)
xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return
wait_exit 120
check "after the box the game ends with exit code 1" test "$code" = 1

report
