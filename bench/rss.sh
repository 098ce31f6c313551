#!/usr/bin/env bash
# Runs a command and samples its resident memory every few seconds: prints "seconds KiB" lines to stderr.
#   rss.sh INTERVAL COMMAND...
interval=$1; shift
"$@" &
pid=$!
start=$(date +%s)
while kill -0 "$pid" 2>/dev/null; do
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null) && [ -n "$rss" ] && echo "$(( $(date +%s) - start )) $rss" >&2
  sleep "$interval"
done
wait "$pid"
