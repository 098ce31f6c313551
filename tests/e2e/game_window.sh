#!/usr/bin/env bash
# The real game in a real X window (Xvfb): title and client size, frames, the polygon-mode keys, the mouse,
# Escape and the close button, the data it finds, --size, fullscreen, pause and screenshots, sound, and no display.
#   game_window.sh VANTURO LEVELGEN VANTURO_SIM
set -uo pipefail
game=$(readlink -f "$1"); levelgen=$(readlink -f "$2"); simulation=$(readlink -f "$3")
work=$(mktemp -d)
source "$(dirname "$0")/harness.sh"
start_display 24
export DISPLAY=$display
pid=""
trap 'kill $pid $display_pid 2>/dev/null; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT

# A small level of our own: 256 by 128 pixels; F12's pictures go to a folder of the test's own.
mkdir -p "$work/level" "$work/empty" "$work/pictures"
export XDG_PICTURES_DIR="$work/pictures"
"$levelgen" --out "$work/level/data" --seed 3 --width 256 --height 128 || { echo "vanturo-levelgen failed"; exit 1; }

start_game() {  # start_game DIR [OPTION...]: runs the game there, with settings of its own, and waits for its window
  export XDG_CONFIG_HOME; XDG_CONFIG_HOME=$(mktemp -d -p "$work")  # a key pressed in one run changes no other
  (cd "$1" && exec "$game" "${@:2}") &
  pid=$!
  window=""
  for _ in $(seq 300); do
    window=$(xdotool search --name '^Vanturo$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    failed=$((failed + 1)); echo "FAILED: no game window within 30 s"; xwininfo -root -tree </dev/null | head -20
    report; exit 1
  fi
  eventually 60 drawn  # frames, however busy the machine
}
shot() { import -window "$window" "$work/$1.png" 2>/dev/null; }
colours() { convert "$work/$1.png" -format '%k' info: 2>/dev/null || echo 0; }
drawn() { shot drawn && [ "$(colours drawn)" -gt 50 ]; }
# Fraction of the frame in the sky colour (0.7, 0.7, 0.9), with the 16-bit colour's dithering allowed for.
sky() { convert "$work/$1.png" -fuzz 6% -fill black -opaque 'rgb(179,179,230)' -fill white +opaque black -negate -format '%[fx:mean]' info:; }
press_escape() {  # held for a moment, as a hand would: a press and release in one batch of events is not seen
  xdotool keydown Escape; sleep 0.3; xdotool keyup Escape
}

start_game "$work/level"
check "the window appears" test -n "$window"
check "its title is Vanturo" test "$(xdotool getwindowname "$window")" = Vanturo
geometry=$(xwininfo -id "$window" </dev/null)
check "the client area is 800 wide" grep -q 'Width: 800' <<<"$geometry"
check "the client area is 600 high" grep -q 'Height: 600' <<<"$geometry"
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool mousemove --window "$window" 400 300; sleep 0.5
shot filled
check "frames are drawn (not one flat colour)" test "$(colours filled)" -gt 50

xdotool keydown 2; sleep 0.5; xdotool keyup 2; sleep 0.5
shot lines
check "holding 2 shows lines: more sky shows through" awk -v a="$(sky lines)" -v b="$(sky filled)" 'BEGIN { exit !(a > b + 0.05) }'
xdotool keydown 1; sleep 0.3; xdotool keyup 1

xdotool mousemove --window "$window" 400 0; sleep 0.7
shot top
xdotool mousemove --window "$window" 400 599; sleep 0.7
shot bottom
changed=$(compare -metric AE -fuzz 5% "$work/top.png" "$work/bottom.png" null: 2>&1)
check "moving the mouse down raises the camera: the view changes" test "${changed%%.*}" -gt 48000

# Straight on, the ship leaves this small level in a few seconds of flight: the notice shows in the middle of
# the window until Enter brings the ship back to its start.
notice() { convert "$work/$1.png" -crop 800x60+0+265 -fuzz 3% -fill black +opaque white -format '%[fx:mean]' info:; }
xdotool mousemove --window "$window" 400 300
for _ in $(seq 300); do
  sleep 1; shot outside
  awk -v a="$(notice outside)" 'BEGIN { exit !(a > 0.02) }' && break
done
check "leaving the world shows the notice in the middle" awk -v a="$(notice outside)" 'BEGIN { exit !(a > 0.02) }'
xdotool keydown Return; sleep 0.3; xdotool keyup Return; sleep 1
shot back
check "Enter flies again from the start: the notice is gone" awk -v a="$(notice back)" 'BEGIN { exit !(a < 0.005) }'

# F11 with no window manager: the window stays as it is, and so does the view (a picture of the window).
xdotool keydown F11; sleep 0.3; xdotool keyup F11; sleep 1
xdotool keydown F12; sleep 0.3; xdotool keyup F12
picture_size() { [ "$(identify -format '%w %h' "$work"/pictures/vanturo-*.png 2>/dev/null)" = "$1" ]; }
check "F11 with no window manager: the view keeps the window's real 800 by 600" eventually 120 picture_size "800 600"
rm -f "$work"/pictures/*
press_escape
wait_exit
check "Escape ends the game with exit code 0" test "$code" = 0

# Started from a folder without data/: the game plays the data beside its executable.
start_game "$work/empty"
shot beside
check "from a folder without data/, the data beside the executable is played" test "$(colours beside)" -gt 50
xdotool windowfocus --sync "$window" 2>/dev/null
press_escape
wait_exit
check "and Escape ends it with exit code 0" test "$code" = 0

# A copy of the game with no data anywhere it looks: a box and stderr name the folders it tried; OK ends it
# with 1, a failed start. (SDL draws its box with X core fonts; it titles it in UTF-8, which xdotool's name search misses.)
mkdir -p "$work/bare" && cp "$game" "$work/bare/vanturo"
(cd "$work/empty" && exec "$work/bare/vanturo" 2>"$work/missing.txt") &
pid=$!
box=""
for _ in $(seq 600); do
  box=$(xwininfo -root -tree </dev/null | awk '$2 == "\"ERROR\":" { print $1; exit }')
  [ -n "$box" ] && break; kill -0 "$pid" 2>/dev/null || break; sleep 0.1
done
check "with no data anywhere, a box captioned ERROR says so" test -n "$box"
if [ -n "$box" ]; then  # listed as soon as it is made: pressed once it shows
  for _ in $(seq 50); do xwininfo -id "$box" </dev/null | grep -q IsViewable && break; sleep 0.1; done
  xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return
fi
wait_exit
check "with no data anywhere, it ends with exit code 1" test "$code" = 1
check "and stderr names the folders tried" grep -q "$work/bare" "$work/missing.txt"
# A signal while the box waits for somebody (a launcher giving up, a session ending): box and game end at once.
error_box() { box=$(xwininfo -root -tree </dev/null | awk '$2 == "\"ERROR\":" { print $1; exit }'); [ -n "$box" ]; }
for signal in TERM INT HUP; do
  (cd "$work/empty" && exec "$work/bare/vanturo" 2>/dev/null) &
  pid=$!
  eventually 120 error_box
  kill -$signal "$pid"; wait_exit 60
  check "SIG$signal while the error box waits ends the game with 128 + its number" \
    test "$code" = "$((128 + $(kill -l $signal)))"
  check "and takes the box with it" eventually 5 not error_box
done
game_copy() { exec "$work/bare/vanturo" --data "$work/level"; }
(cd "$work/empty" && game_copy) &
pid=$!
window=""
for _ in $(seq 1200); do window=$(xdotool search --name '^Vanturo$' 2>/dev/null | head -1); [ -n "$window" ] && break; sleep 0.1; done
check "--data DIR plays that folder's data" test -n "$window"
xdotool windowfocus --sync "$window" 2>/dev/null
press_escape
wait_exit

# With a window manager, as players have: the size asked for, F11 and Alt+Enter, P, F12; all of it recorded
# as a demo, which then replays to the same state headless and in the window.
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $pid $wm $display_pid 2>/dev/null; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
start_game "$work/level" --size 640x480 --record "$work/flight.demo"
size() { xwininfo -id "$window" </dev/null | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
check "--size 640x480 gives that client area" test "$(size)" = 640x480
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool mousemove --window "$window" 320 240
# The window manager resizes in its own time: wait up to 5 s for the size.
resized() { for _ in $(seq 50); do [ "$(size)" = "$1" ] && break; sleep 0.1; done; test "$(size)" = "$1"; }
xdotool keydown F11; sleep 0.3; xdotool keyup F11; sleep 1
check "F11 fills the screen" resized 1024x768
xdotool keydown alt+Return; sleep 0.3; xdotool keyup alt+Return; sleep 1
check "Alt+Enter brings the window back" resized 640x480
changed() { c=$(compare -metric AE -fuzz 5% "$work/$1.png" "$work/$2.png" null: 2>&1 </dev/null); echo "${c%%.*}"; }
# Paused, two pictures a second apart are the same: tried until the pause has reached a frame.
still() { shot paused1; sleep 1; shot paused2; [ "$(changed paused1 paused2)" -lt 1000 ]; }
moving() { shot flying; [ "$(changed paused2 flying)" -gt 10000 ]; }
xdotool keydown P; sleep 0.3; xdotool keyup P
check "P pauses: a second later the picture is the same" eventually 120 still
xdotool keydown P; sleep 0.3; xdotool keyup P
check "P again flies on: the picture moves" eventually 120 moving
xdotool keydown F12; sleep 0.3; xdotool keyup F12
pictures() { [ "$(ls "$work/pictures" | grep -c '^vanturo-.*\.png$')" = "$1" ]; }
check "F12 saves the frame into the pictures folder" eventually 120 pictures 1
for _ in $(seq 12); do xdotool mousemove --window "$window" $((RANDOM % 640)) $((RANDOM % 480)); sleep 0.2; done
press_escape
wait_exit
replayed=$("$simulation" --data "$work/level" --play "$work/flight.demo" 2>&1)
check "the recorded demo replays headless to the same state" grep -q '"matches":true' <<<"$replayed"
said=$(cd "$work/empty" && timeout 300 "$game" --data "$work/level" --play "$work/flight.demo" 2>&1); code=$?
check "and in the window, at its own pace, saying so with exit code 0" \
  test "$code $(grep -c 'the state matches the demo' <<<"$said")" = "0 1"
# The window manager's close button.
start_game "$work/level"
wmctrl -i -c "$window"
wait_exit
check "closing the window ends the game with exit code 0" test "$code" = 0

# Settings that last: M and F11 are saved and the next game starts silent on the whole screen; a key set on
# the settings screen (F2) works at once and in the next game. The sound goes to SDL's disk driver, so
# silence can be measured.
tap() { xdotool keydown "$1"; sleep 0.3; xdotool keyup "$1"; sleep 0.3; }
saved() { grep -qx "$1" "$work/persist.ini" 2>/dev/null; }
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/persist.raw"
start_game "$work/level" --settings "$work/persist.ini" --size 640x480
xdotool windowactivate --sync "$window" 2>/dev/null
tap m; tap F11
check "M and F11 are written to the settings file" eventually 120 saved "fullscreen = true"
check "the settings file says the sound is off" saved "mute = true"
tap F2
for _ in $(seq 20); do tap Down; done  # to key-pause
tap Return; tap F5
check "a key set on the settings screen is saved at once" eventually 120 saved "key-pause = F5"
tap Escape  # closes the settings screen, and quits nothing
tap F5
check "the new key pauses the game at once" eventually 120 still
press_escape; wait_exit
check "Escape closed the settings screen first, then quit with 0" test "$code" = 0
said=$("$game" --settings "$work/persist.ini" --help); before=$(cat "$work/persist.ini")
(cd "$work/level" && exec "$game" --settings "$work/persist.ini") &
pid=$!
for _ in $(seq 1200); do window=$(xdotool search --name '^Vanturo$' 2>/dev/null | head -1); [ -n "$window" ] && break; sleep 0.1; done
check "the next game starts on the whole screen" resized 1024x768
xdotool windowactivate --sync "$window" 2>/dev/null
# Past the hundred still frames the engine would hum: the device's file stays digital silence.
played() { [ "$(stat -c %s "$work/persist.raw" 2>/dev/null || echo 0)" -gt $((10 * 176400)) ]; }
eventually 600 played
check "and silent, as the file says (RMS $(sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/persist.raw" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'))" \
  awk -v a="$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/persist.raw" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')" 'BEGIN { exit !(a == 0) }'
tap F5
check "and the key set before pauses it" eventually 120 still
press_escape; wait_exit
unset SDL_AUDIODRIVER SDL_DISKAUDIOFILE
check "a game that changed nothing leaves the file as it was" test "$before" = "$(cat "$work/persist.ini")"
kill $wm 2>/dev/null

# A recording of a game that stood still for 100 s a frame (a stopped process, or a hostile demo): the replay
# waits no longer for a frame than the world would use of it, and a signal still ends it at once.
"$simulation" --data "$work/level" --frames 40 --frame-ms 100000 --record "$work/long.demo" >/dev/null
said=$(cd "$work/level" && timeout 300 "$game" --play "$work/long.demo" 2>&1); code=$?
check "a demo of 100-second frames replays at once, matching" \
  test "$code $(grep -c 'the state matches the demo' <<<"$said")" = "0 1"
start_game "$work/level" --play "$work/long.demo" 2>/dev/null
kill -TERM "$pid"; wait_exit 60
check "and SIGTERM ends its replay, as a failure (143)" test "$code" = 143

# Sound through SDL's disk driver: a stress level's volleys burst around the start, and what the game mixes
# reaches the device. With SDL's dummy driver the game says it has no sound and plays on.
"$levelgen" --out "$work/loud/data" --stress 40 --width 64 --height 64 >/dev/null
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw"
start_game "$work/loud"
# Past the hundred still frames and into the volleys, however long the frames take: the file says when.
rms() { sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/sound.raw" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'; }
heard() { awk -v a="$(rms)" 'BEGIN { exit !(a > 0.005) }'; }
eventually 600 heard
press_escape; wait_exit
check "with SDL's disk audio driver the volleys are heard (RMS $(rms))" heard
# (Whether the queue outlasts the passes at any pace is measured deterministically, against sound played on a
# clock of its own, by the AudioLead test: not here, on the wall clock of a shared machine.)
export SDL_AUDIODRIVER=dummy
start_game "$work/level" 2>"$work/dummy.txt"
press_escape; wait_exit
check "with no sound device it says so once and plays, ending with 0" \
  test "$code $(grep -c '^vanturo: no sound' "$work/dummy.txt")" = "0 1"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/full
start_game "$work/level" 2>"$work/full.txt"
press_escape; wait_exit
unset SDL_AUDIODRIVER SDL_DISKAUDIOFILE
check "a disk audio file that cannot be written is said in one line, and the game plays on" \
  test "$code $(grep -c '^vanturo: no sound: .*/dev/full cannot be written' "$work/full.txt")" = "0 1"

# No display at all: SDL could only offer a driver that shows nothing, so the game says so and ends; a demo
# it was to record leaves the file of that name as it was.
echo "the player's own demo" >"$work/keep.demo"
said=$(cd "$work/level" && DISPLAY= WAYLAND_DISPLAY= timeout 300 "$game" --record "$work/keep.demo" 2>&1); code=$?
check "with no display it says so and ends with exit code 1" test "$code" = 1
check "and the reason is on stderr" grep -qi 'no display is available' <<<"$said"
check "and the demo it was to record is left as it was" grep -qx "the player's own demo" "$work/keep.demo"
check "and nothing is left beside it" test "$(ls -A "$work" | grep -c 'keep\.demo')" = 1
# A demo recorded over the settings file, by another name: refused before either is written.
echo "volume = 40" >"$work/mine.ini"
said=$(cd "$work/level" && DISPLAY= timeout 300 "$game" --settings "$work/mine.ini" --record "$work/./mine.ini" 2>&1)
code=$?
check "--record over the settings file ends with 2 and a reason, the file as it was" \
  test "$code $(grep -c 'would write over the settings file' <<<"$said") $(cat "$work/mine.ini")" = "2 1 volume = 40"
# A folder asked for by name is the only one looked in: without a level there, no other level is played.
said=$(cd "$work/level" && DISPLAY= timeout 300 "$game" --data "$work/empty" 2>&1); code=$?
check "--data naming a folder without a level ends with 1, naming that folder alone" \
  test "$code $(grep -c "$work/empty" <<<"$said") $(grep -c "$work/level" <<<"$said")" = "1 1 0"
# A video driver that does not exist, or one that shows nothing, with or without a display: no box that
# nobody could see holds the game up, and it ends saying why with exit code 1.
for driver in "bogus:" "dummy:$DISPLAY" "offscreen:$DISPLAY"; do
  said=$(cd "$work/level" && SDL_VIDEODRIVER=${driver%%:*} DISPLAY=${driver#*:} timeout 300 "$game" 2>&1); code=$?
  check "SDL_VIDEODRIVER=${driver%%:*} (display '${driver#*:}') ends with 1 and a reason" \
    test "$code $(grep -c '^vanturo: ' <<<"$said")" = "1 1"
done

report
