# What the end-to-end scripts share: counted checks, a display of their own, waiting for a process to end.
# Sourced, not run.
passed=0; failed=0
check() {  # check NAME COMMAND...
  if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi
}
report() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }

# start_display DEPTH: an Xvfb of our own at 1024x768xDEPTH on a free number; sets display and display_pid.
# -noreset: by default the server resets when its last client leaves, and a game starting in that moment is
# refused its display.
start_display() {
  local n
  for n in $(seq 90 199); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { display=:$n; break; }
  done
  Xvfb "$display" -screen 0 "1024x768x$1" -nolisten tcp -noreset >/dev/null 2>&1 &
  display_pid=$!
  local _
  for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

eventually() {  # eventually SECONDS COMMAND...: true once COMMAND is, tried every fifth of a second; false at the end
  local tries=$(($1 * 5)) _
  for _ in $(seq "$tries"); do "${@:2}" && return 0; sleep 0.2; done
  "${@:2}"
}

not() { ! "$@"; }

wait_exit() {  # wait_exit [SECONDS]: sets code to the exit code of $pid, or 124 if it does not end in time
  local _
  for _ in $(seq $((${1:-60} * 10))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then kill "$pid"; wait "$pid" 2>/dev/null; code=124; else wait "$pid"; code=$?; fi
}
