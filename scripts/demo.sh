#!/usr/bin/env bash
# The demo: the simulated exchange on a pseudo-terminal and the agent wired
# to it, in a window when a display is there and on the console otherwise.
set -euo pipefail
build=${1:-build}
build=$(cd "$build" && pwd)
demo="$build/demo"
control_port=${VESTA_DEMO_CONTROL_PORT:-47301}
tcp_port=${VESTA_DEMO_TCP_PORT:-1234}
mkdir -p "$demo"
rm -f "$demo/line.path"

"$build/vesta-exchange" --path-file "$demo/line.path" --control "tcp:$control_port" \
  --trace "$demo/exchange.trace" < /dev/null > "$demo/exchange.log" 2>&1 &
exchange=$!
cleanup() { kill "$exchange" 2>/dev/null || true; wait "$exchange" 2>/dev/null || true; }
trap cleanup EXIT

for _ in $(seq 50); do
  [ -s "$demo/line.path" ] && break
  sleep 0.1
done
if [ ! -s "$demo/line.path" ]; then
  echo "vesta-exchange did not start:" >&2
  cat "$demo/exchange.log" >&2
  exit 1
fi
line=$(head -n 1 "$demo/line.path")

# The agent reads the settings file beside its executable: the demo keeps a
# copy of its own so that build/vesta-agent.INI stays the user's.
cp "$build/vesta-agent" "$build"/VAgent.* "$demo/"
printf '[Set]\r\nLang=Eng\r\nPort=%s:19200,N,8,1\r\nIPPort=%s\r\nUctFile=%s\r\n[Log]\r\nCom_LocOut=1\r\n' \
  "$line" "$tcp_port" "$demo/DATA.NEW" > "$demo/vesta-agent.INI"

cat <<INFO
vesta-exchange serves $line (log: $demo/exchange.log, frames: $demo/exchange.trace)
vesta-agent listens for TCP/IP clients on port $tcp_port; its settings: $demo/vesta-agent.INI

Tell the exchange what to do from another terminal, for example:
  echo "silence on"  > /dev/tcp/127.0.0.1/$control_port   # the link fails: retransmissions, one !Err, a 60 s pause
  echo "silence off" > /dev/tcp/127.0.0.1/$control_port   # answers again: one -OK- line
  echo "help"        > /dev/tcp/127.0.0.1/$control_port   # every command
Stop the demo with Ctrl+C (or close the window).

INFO

args=()
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then args+=(/console); fi
status=0
(cd "$demo" && ./vesta-agent "${args[@]}") || status=$?
exit $status
