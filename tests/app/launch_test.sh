#!/usr/bin/env bash
# Starts the real larkspan executable and ends it.
#   launch_test.sh LARKSPAN
# On the offscreen platform it must come up and stay up until it is ended. Under a
# virtual X server (when xvfb-run and xdotool are there) it must end with status 0
# when the user presses Alt+X, the Exit button's access key, and on Alt+F4.
set -u
bin=$1

QT_QPA_PLATFORM=offscreen "$bin" &
pid=$!
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid"
  echo "larkspan ended by itself on the offscreen platform (status $?)"
  exit 1
fi
kill -TERM "$pid"
wait "$pid" 2>/dev/null
echo "offscreen: started, stayed up, ended"

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "xvfb-run or xdotool missing: the key test under X is skipped"
  exit 0
fi

# Presses KEYS in the window of a fresh larkspan; prints its exit status.
press_and_wait() {
  xvfb-run -a bash -c '
    "$1" 2>/dev/null &
    pid=$!
    for _ in $(seq 100); do
      win=$(xdotool search --name "^Larkspan$" 2>/dev/null | head -n 1)
      [ -n "$win" ] && break
      sleep 0.1
    done
    [ -n "$win" ] || { echo "no window"; kill "$pid"; exit 99; }
    sleep 0.5
    xdotool windowfocus --sync "$win" key "$2"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then kill "$pid"; echo "still running"; exit 98; fi
    wait "$pid"
  ' _ "$bin" "$1"
}

for keys in alt+x alt+F4; do
  press_and_wait "$keys"
  status=$?
  if [ "$status" -ne 0 ]; then
    echo "X: $keys did not end larkspan with status 0 (got $status)"
    exit 1
  fi
  echo "X: $keys ended larkspan with status 0"
done
