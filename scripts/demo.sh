#!/usr/bin/env bash
# The demo: the reference application server with its demo catalogue, a
# throw-away POP3 mailbox with sample messages, and Brastel.
#
#   demo.sh                 with $DISPLAY: Brastel on that display, sign in by hand
#   demo.sh --shots DIR     without a display (or when asked): Brastel under Xvfb,
#                           signed in as the demo user, screenshots into DIR
#   options: --frameless    a copy of CLINFO.DB with the frameless style
#            --keep-open    under Xvfb: leave Brastel running until it is killed
#
# Expects a build in $BUILD (default build); `make demo` does the set-up and
# the build first. Everything started here is stopped when Brastel ends.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/${BUILD:-build}/bin
shots=""
frameless=0
keep_open=0
while [ $# -gt 0 ]; do
  case $1 in
    --shots) shots=$2; shift 2 ;;
    --frameless) frameless=1; shift ;;
    --keep-open) keep_open=1; shift ;;
    *) sed -n '4,9p' "$0" | sed 's/^# *//' >&2; exit 2 ;;
  esac
done
if [ -z "${DISPLAY:-}" ] && [ -z "$shots" ]; then
  shots=$root/${BUILD:-build}/demo-screenshots
fi

say() { echo "demo: $*" >&2; }
die() { say "$*"; exit 1; }

for program in brastel tremlinsvr clinfo-create Login.so Modules/Zaskar.so; do
  [ -e "$bin/$program" ] || die "$bin/$program is missing: run 'make demo' (or 'make build') first"
done

work=$(mktemp -d /tmp/tremlin-demo.XXXXXX)
chmod 755 "$work" # the mailbox server's own users read its folder
server_pid=""
xvfb_pid=""
brastel_pid=""
cleanup() {
  set +e
  if [ -n "$brastel_pid" ]; then
    kill "$brastel_pid" 2>/dev/null
    sleep 0.5
    kill -KILL "$brastel_pid" 2>/dev/null
  fi
  [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null
  "$root/scripts/mailbox-server.sh" stop "$work/mailbox" >/dev/null 2>&1
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  [ -n "${DEMO_KEEP_LOGS:-}" ] && cp "$work"/*.log "$DEMO_KEEP_LOGS"/ 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The look: CLINFO.DB beside the programs (the build makes it with the sample
# look); the frameless variant works on a copy, so the original stays as it is.
[ -f "$bin/CLINFO.DB" ] || "$bin/clinfo-create" "$bin/CLINFO.DB" --sample
database=$bin/CLINFO.DB
if [ "$frameless" -eq 1 ]; then
  database=$work/CLINFO-frameless.DB
  cp "$bin/CLINFO.DB" "$database"
  # The engine in the programs' shared-file mode (the build has set it up).
  fb=/tmp/tremlin-firebird-$(id -u)
  [ -f "$fb/firebird.conf" ] || die "$fb/firebird.conf is missing: run clinfo-create once"
  echo "update client_info set form_style = 1; commit;" |
    FIREBIRD=$fb FIREBIRD_LOCK=$fb/lock isql-fb -q -bail -user SYSDBA "$database" >"$work/isql.log" 2>&1 ||
    die "cannot switch $database to the frameless style: $(cat "$work/isql.log")"
fi

# The application server, on a free loopback port.
"$bin/tremlinsvr" --port 0 --data "$work/server" >"$work/server.out" 2>"$work/server.log" &
server_pid=$!
for _ in $(seq 600); do
  grep -q '^listening ' "$work/server.out" 2>/dev/null && break
  kill -0 "$server_pid" 2>/dev/null || die "the application server did not start: $(cat "$work/server.log")"
  sleep 0.1
done
server_port=$(sed -n 's/^listening 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/server.out")
[ -n "$server_port" ] || die "the application server did not report its port"
say "application server on http://127.0.0.1:$server_port (log: $work/server.log)"

# The mailbox.
mail_port=$("$root/scripts/mailbox-server.sh" start "$work/mailbox")
say "POP3 mailbox on 127.0.0.1:$mail_port (user demo, password demo)"

# Settings beside the programs, pointing at both.
nav_width=$(sed -n 's/^[Nn][Aa][Vv][Ww][Ii][Dd][Tt][Hh] *= *\(-\?[0-9]*\).*/\1/p' "$bin/Config.ini" 2>/dev/null | head -1)
cat >"$bin/Config.ini" <<INI
; written by scripts/demo.sh
[Server]
url=http://127.0.0.1:$server_port
[Local]
file=$database
NavWidth=${nav_width:-230}
NavFongSize=25
INI
cat >"$bin/Mail.ini" <<INI
; written by scripts/demo.sh
[Pop3]
ServerName=127.0.0.1
ServerPort=$mail_port
ServerUser=demo
ServerPassword=demo
INI

if [ -z "$shots" ]; then
  say "starting Brastel on $DISPLAY: sign in as demo / demo"
  "$bin/brastel" &
  brastel_pid=$!
  wait "$brastel_pid" || true
  brastel_pid=""
  exit 0
fi

# Without a display: Xvfb, an unattended sign-in, screenshots.
mkdir -p "$shots"
shots=$(cd "$shots" && pwd)
display_number=$(( 90 + RANDOM % 400 ))
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
  display_number=$((display_number + 1))
done
Xvfb ":$display_number" -screen 0 1400x800x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display_number"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || die "Xvfb did not start: $(cat "$work/xvfb.log")"

TREMLIN_LOGIN_USER=demo TREMLIN_LOGIN_PASSWORD=demo "$bin/brastel" >"$work/brastel.log" 2>&1 &
brastel_pid=$!
window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --class brastel 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  kill -0 "$brastel_pid" 2>/dev/null || die "Brastel ended early: $(cat "$work/brastel.log")"
  sleep 0.1
done
[ -n "$window" ] || die "Brastel's main window did not appear"
sleep 1.5

# Window geometry in screen coordinates, for cropping and clicking.
eval "$(xdotool getwindowgeometry --shell "$window")"
win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
shot() {
  import -window root -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage "$shots/$1"
  say "wrote $shots/$1"
}
click() {
  xdotool mousemove "$((win_x + $1))" "$((win_y + $2))" click 1
  sleep "${3:-1.5}"
}

style=standard
[ "$frameless" -eq 1 ] && style=frameless
shot "main-$style.png"
# The first quick-launch button is the mailbox: it opens in the host panel.
top_height=${DEMO_TOP_HEIGHT:-60}
click 30 $((top_height + 29))
shot "mailbox-$style.png"
# "Check mail" at the left end of the module's tool bar.
click "${DEMO_CHECK_X:-340}" "${DEMO_CHECK_Y:-$((top_height + 80))}" 3
shot "mailbox-checked-$style.png"

if [ "$keep_open" -eq 1 ]; then
  say "Brastel keeps running on $DISPLAY; stop it with Ctrl+C"
  wait "$brastel_pid" || true
fi
# Frameless: the window's own close button; otherwise a signal.
if [ "$frameless" -eq 1 ]; then
  click $((win_w - 25)) 10 0.5
fi
stop_brastel() {
  kill -TERM "$brastel_pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$brastel_pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -KILL "$brastel_pid" 2>/dev/null || true
}
for _ in $(seq 30); do
  kill -0 "$brastel_pid" 2>/dev/null || break
  [ "$frameless" -eq 1 ] || break
  sleep 0.1
done
stop_brastel
wait "$brastel_pid" 2>/dev/null || true
brastel_pid=""
say "done"
