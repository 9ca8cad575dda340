#!/usr/bin/env bash
# Checks the installed Pandrel on a display (run under scripts/with-display.sh):
# its desktop entry starts it, its window carries the entry's StartupWMClass,
# it loads its pages (from a server on 127.0.0.1 only), xdg-settings makes it
# the default browser, and xdg-open hands a link to the running copy. A term
# signal then closes it the usual way. Everything it writes stays in a
# temporary home folder.
# Usage: check-installed-desktop.sh SEED_STORE_TOOL
set -euo pipefail
seed_store=$1
work=$(mktemp -d)
server_pid=
program_pid=
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
  [[ -n $server_pid ]] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "check-installed-desktop: FAILED: $*" >&2; exit 1; }
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local limit=$1
  shift
  for ((i = 0; i < limit * 10; ++i)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
# A process that is gone, or a zombie nobody has reaped yet.
ended() { [[ ! -e /proc/$1 ]] || [[ $(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) == Z ]]; }
served() { grep -q "GET $1 " "$work/requests"; }
window_count() { xdotool search --onlyvisible --name '^Kestrane Pandrel 2\.0$' 2>/dev/null | wc -l; }

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache PANDREL_CONFIG_DIR=$work/settings
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$work/site"
for page in start linked; do
  printf '<html><head><title>%s</title></head><body>%s</body></html>\n' "$page" "$page" >"$work/site/$page.html"
done

# A web server on 127.0.0.1 that logs each request and tells its port.
python3 - "$work/site" "$work/port" >"$work/requests" 2>&1 <<'EOF' &
import functools, http.server, sys
class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, format, *args):
        print(self.requestline, flush=True)
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                         functools.partial(Handler, directory=sys.argv[1]))
with open(sys.argv[2], "w") as f:
    f.write(str(server.server_port))
server.serve_forever()
EOF
server_pid=$!
wait_for 10 test -s "$work/port" || fail "the local web server did not start"
site=http://127.0.0.1:$(cat "$work/port")
"$seed_store" "$site/start.html"

# Started the way a desktop's menu starts it.
gtk-launch com.kestrane.Pandrel || fail "gtk-launch com.kestrane.Pandrel"
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Kestrane Pandrel 2\.0$' | head -n 1) ||
  fail "no Pandrel window appeared after gtk-launch"
program_pid=$(xdotool getwindowpid "$window")
[[ $(readlink "/proc/$program_pid/exe") == /usr/bin/pandrel ]] ||
  fail "the window belongs to $(readlink "/proc/$program_pid/exe"), not the installed program"
wm_class=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/com.kestrane.Pandrel.desktop)
xdotool search --classname "^${wm_class//./\\.}\$" | grep -qx "$window" ||
  fail "the window's WM_CLASS does not match StartupWMClass=$wm_class"
wait_for 60 served /start.html || fail "the started program did not load its page from $site"

# The default browser.
xdg-settings set default-web-browser com.kestrane.Pandrel.desktop ||
  fail "xdg-settings set default-web-browser"
answer=$(xdg-settings get default-web-browser)
[[ $answer == com.kestrane.Pandrel.desktop ]] || fail "xdg-settings answers '$answer' as the default browser"

# A link from another program goes to the running copy.
[[ $(timeout 20 pandrel --version) == "Pandrel "* ]] || fail "pandrel --version"
timeout 60 xdg-open "$site/linked.html" || fail "xdg-open $site/linked.html"
wait_for 60 served /linked.html || fail "the link handed over by xdg-open was not loaded"
count=$(window_count)
((count == 1)) || fail "$count Pandrel windows after xdg-open; the link should go to the running one"
! ended "$program_pid" || fail "the first Pandrel ended after xdg-open"

# A term signal closes the window the usual way and ends the program.
kill -TERM "$program_pid"
wait_for 30 ended "$program_pid" || fail "Pandrel did not end on a term signal"
program_pid=
echo "check-installed-desktop: passed"
