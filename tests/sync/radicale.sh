#!/usr/bin/env bash
# The sync tests' servers: Radicale (a CalDAV server) with two users, and the small
# server of awkward answers (http_fixture.py), on the loopback address only.
#   radicale.sh start <dir> <port> [<fixture port>]   fresh storage; waits until both answer
#   radicale.sh stop <dir>
# The fixture also takes <fixture port>-1 (a listener that never accepts) and
# <fixture port>-2 (HTTPS with a self-signed certificate).
# Debian's radicale package may run a system service of its own on 5232: never ours.
set -euo pipefail
command=${1:?start or stop}
dir=${2:?folder}
PYTHON=/usr/bin/python3  # Debian's, which has the radicale module

running() {  # <pid>: a zombie that nobody has reaped yet counts as ended
  local state
  state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "$state" != Z ]
}

stop_one() {  # <pid file>
  local file=$1 pid
  [ -f "$file" ] || return 0
  pid=$(cat "$file")
  # Only a process of ours: its command line names this folder.
  if [ -n "$pid" ] && tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -qF "$dir"; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do running "$pid" || break; sleep 0.1; done
    running "$pid" && kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$file"
}

answers() {  # <port>
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

wait_for() {  # <port> <pid> <name>
  for _ in $(seq 200); do
    answers "$1" && return 0
    running "$2" || { echo "$3 ended at its start; see $dir/$3.log" >&2; cat "$dir/$3.log" >&2; return 1; }
    sleep 0.1
  done
  echo "$3 did not answer on port $1 within 20 s; see $dir/$3.log" >&2
  return 1
}

case $command in
start)
  port=${3:?port}
  fixture_port=${4:-}
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  stop_one "$dir/radicale.pid"
  stop_one "$dir/fixture.pid"
  for p in $port $fixture_port; do
    if answers "$p"; then echo "Port $p is taken by another program." >&2; exit 1; fi
  done
  rm -rf "$dir/collections"
  mkdir -p "$dir/collections"
  printf 'tivorn:titok123\ntelefon:telefon123\n' >"$dir/users"
  cat >"$dir/config" <<CONFIG
[server]
hosts = 127.0.0.1:$port

[auth]
type = htpasswd
htpasswd_filename = $dir/users
htpasswd_encryption = plain
delay = 0

[rights]
type = owner_only

[storage]
filesystem_folder = $dir/collections

[web]
type = none

[logging]
level = warning
CONFIG
  "$PYTHON" -m radicale --config "$dir/config" >"$dir/radicale.log" 2>&1 &
  echo $! >"$dir/radicale.pid"
  if [ -n "$fixture_port" ]; then
    [ -f "$dir/tls.pem" ] || openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
      -subj /CN=localhost -days 3650 -keyout "$dir/tls.pem" -out "$dir/tls.crt" >/dev/null 2>&1
    [ -f "$dir/tls.crt" ] && cat "$dir/tls.crt" >>"$dir/tls.pem" && rm "$dir/tls.crt"
    "$PYTHON" "$(dirname "$0")/http_fixture.py" "$dir" "$fixture_port" $((fixture_port - 1)) $((fixture_port - 2)) \
      >"$dir/fixture.log" 2>&1 &
    echo $! >"$dir/fixture.pid"
    wait_for "$fixture_port" "$(cat "$dir/fixture.pid")" fixture
  fi
  wait_for "$port" "$(cat "$dir/radicale.pid")" radicale
  ;;
stop)
  [ -d "$dir" ] || exit 0
  dir=$(cd "$dir" && pwd)
  stop_one "$dir/radicale.pid"
  stop_one "$dir/fixture.pid"
  ;;
*)
  echo "usage: $0 start <dir> <port> [<fixture port>] | stop <dir>" >&2
  exit 2
  ;;
esac
