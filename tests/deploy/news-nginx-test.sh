#!/usr/bin/env bash
# End to end: the news site of deploy/news served by a real nginx on 127.0.0.1,
# and the program of the release build, made for that origin, run under Wine.
#
#   tests/deploy/news-nginx-test.sh [i686|x86_64]
#
# i686 (the default) is the shipped program; x86_64 is the same code with the same
# settings, for machines whose kernel cannot start i386 programs. The test checks
# that the news box shows the text of deploy/news/news.html, that nginx got exactly
# one "HEAD /" and one news request, both from the program, and what nginx answers
# to other requests. It saves a picture of the window as news-box.png in its folder.
# Exit status: 0 passed, 1 failed, 77 skipped (the reason is printed).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cd "$top"
source tools/program-window.sh
arch=${1:-i686}
case "$arch" in
i686) preset=win32-release-package ;;
x86_64) preset=win64-release ;;
*) echo "usage: $0 [i686|x86_64]" >&2; exit 2 ;;
esac
work=$top/build/news-nginx-$arch
say() { echo "news-nginx-test ($arch): $*"; }
fail() { say "FAILED: $*" >&2; exit 1; }

if [ "$arch" = i686 ]; then
    # The same check as the test command's: 32-bit Windows programs need the
    # 32-bit half of Wine, and a kernel that starts i386 programs or qemu-i386
    # registered for them (tools/wine-32bit.sh --enable).
    if ! reason=$(tools/wine-32bit.sh); then
        say "SKIPPED: $reason"
        exit 77
    fi
fi

# The Wine session and runs choose the loader (tools/wine-env.sh).
mkdir -p "$work"
nginx_pid=
helper_pid=
stop_all() {
    if [ -n "$helper_pid" ] && kill -0 "$helper_pid" 2>/dev/null; then
        kill "$helper_pid" 2>/dev/null || true
    fi
    if [ -n "$nginx_pid" ] && kill -0 "$nginx_pid" 2>/dev/null; then
        kill -QUIT "$nginx_pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$nginx_pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$nginx_pid" 2>/dev/null || true
    fi
    tools/wine-session.sh stop "$work/wine" || true
}
trap stop_all EXIT
trap 'exit 1' INT TERM HUP

# A port on 127.0.0.1 that nobody uses; the last run's, while it is free, so that
# the program is not rebuilt for nothing.
port_is_free() {
    python3 -c 'import socket, sys
s = socket.socket(); s.bind(("127.0.0.1", int(sys.argv[1])))' "$1" 2>/dev/null
}
port=$(cat "$work/port" 2>/dev/null || true)
if [ -z "$port" ] || ! port_is_free "$port"; then
    port=$(python3 -c 'import socket
s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    echo "$port" >"$work/port"
fi
origin=https://localhost:$port

say "building the program for $origin"
cmake --preset "$preset" -B "$work/build" -DOSTRAFEL_NEWS_ORIGIN="$origin" >/dev/null
cmake --build "$work/build" --target Ostrafel news-box-run -j2 >"$work/build.log" 2>&1 ||
    { cat "$work/build.log" >&2; fail "the build failed"; }
program=$work/build/app/Ostrafel.exe
helper=$work/build/tests/deploy/news-box-run.exe

# A certificate for localhost from a test authority, as the news client's tests make them.
rm -rf "$work/tls"
python3 tests/news/news_test_server.py certificates "$work/tls"

rm -rf "$work/nginx" "$work/news-text" "$work/news-box.png"
mkdir -p "$work/nginx"
python3 tests/deploy/nginx_site_config.py deploy/news/ostrafel-news.conf "$work/nginx" "$port" \
    "$work/tls/good.pem" "$work/tls/good.key" "$top/deploy/news"
nginx=(nginx -p "$work/nginx" -c "$work/nginx/nginx.conf" -e "$work/nginx/error.log")
"${nginx[@]}" -t -q || fail "nginx refuses the configuration"
"${nginx[@]}" &
nginx_pid=$!
for _ in $(seq 100); do
    python3 -c 'import socket, sys
socket.create_connection(("127.0.0.1", int(sys.argv[1])), timeout=1)' "$port" 2>/dev/null && break
    kill -0 "$nginx_pid" 2>/dev/null || fail "nginx did not start: $(cat "$work/nginx/error.log")"
    sleep 0.1
done
say "nginx (pid $nginx_pid) serves deploy/news on 127.0.0.1:$port"

tools/wine-session.sh start "$work/wine" >/dev/null
display=$(cat "$work/wine/display")
tools/wine-run.sh "$work/wine" "$helper" "Z:$work/tls/ca.der" "Z:$program" "Z:$work/news-text" &
helper_pid=$!
# Up to ten minutes: under qemu-i386 the helper and the program each take about a
# minute to start. The wait ends as soon as the helper does.
for _ in $(seq 6000); do
    [ -f "$work/news-text" ] && break
    kill -0 "$helper_pid" 2>/dev/null || break
    sleep 0.1
done
[ -f "$work/news-text" ] || { wait "$helper_pid" || true; fail "the news box was not filled"; }

window=$(program_window "$display")
if [ -n "$window" ]; then
    sleep 1 # the box has been drawn
    import -display "$display" -window "$window" "$work/news-box.png"
    say "picture of the window: $work/news-box.png"
fi
close_program "$work/wine" "$helper_pid" 60 || true
status=0
wait "$helper_pid" || status=$?
helper_pid=
[ "$status" -eq 0 ] || fail "the program run ended with status $status"

python3 - "$work/news-text" tests/deploy/news-page-text.txt <<'PY' || fail "the news box shows another text"
import sys
shown = open(sys.argv[1], "rb").read().decode("utf-16-le")
# The expected text, its lines joined by the box's CR LF.
wanted = "\r\n".join(open(sys.argv[2], encoding="utf-8").read().rstrip("\n").split("\n"))
if shown != wanted:
    sys.exit(f"shown:    {shown!r}\nexpected: {wanted!r}")
PY
say "the news box shows the text of news.html"

python3 - "$work/nginx/access.log" <<'PY' || fail "nginx's access log is not as expected"
import sys
agent = "Ostrafel URI Client/1.0"
lines = open(sys.argv[1]).read().splitlines()
wanted = [f"HEAD|/|204|{agent}", f"GET|/APP/api/app-widget-box.php?app=mivr482|200|{agent}"]
if lines != wanted:
    sys.exit("access log:\n  " + "\n  ".join(lines) + "\nexpected:\n  " + "\n  ".join(wanted))
PY
say "nginx logged one probe and one news request, both from the program"

# What nginx answers besides: the header of the news, and nothing for other requests.
python3 - "$port" "$work/tls/ca.pem" <<'PY' || fail "nginx answers other requests wrongly"
import http.client, ssl, sys
context = ssl.create_default_context(cafile=sys.argv[2])
def ask(method, target):
    connection = http.client.HTTPSConnection("localhost", int(sys.argv[1]), context=context, timeout=10)
    connection.request(method, target, headers={"User-Agent": "news-nginx-test"})
    response = connection.getresponse()
    response.read()
    connection.close()
    return response
news = "/APP/api/app-widget-box.php?app=mivr482"
checks = [
    (ask("GET", news).getheader("Content-Type"), "text/html; charset=utf-8"),
    (ask("GET", "/APP/api/app-widget-box.php?app=other").status, 404),
    (ask("GET", "/news.html").status, 404),
    (ask("POST", news).status, 403),
    (ask("GET", "/").status, 204),
]
for got, wanted in checks:
    if got != wanted:
        sys.exit(f"got {got!r}, expected {wanted!r}")
PY
say "PASSED"
