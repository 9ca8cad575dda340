#!/usr/bin/env bash
# Takes the pictures of what keeps a user safe, into docs/: the certificate
# page for a self-signed server, a window a page opened with its address bar,
# the bar that says the sandbox is off, and the bars over a page that tried
# to start another program and to download files by itself. All servers listen on 127.0.0.1.
# Needs a built tree with its tests (build/tests/seed_store), xdotool,
# xwininfo (x11-utils), openssl and ImageMagick.
# Usage: scripts/take-trust-pictures.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ ${1:-} == --inside ]]; then
  build=$2
  work=$(mktemp -d)
  trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
  cat >"$work/opener.html" <<'HTML'
<html><head><title>Offers</title></head><body style="font-family:sans-serif;margin:2em">
<h1>Offers</h1><p><a href="#" onclick="window.open('/details.html', '', 'width=480,height=300'); return false;">Show the details in a window</a></p>
</body></html>
HTML
  cat >"$work/details.html" <<'HTML'
<html><head><title>Details</title></head><body style="font-family:sans-serif;margin:1.5em">
<h2>Details</h2><p>This window was opened by the page. Its address stays in sight, and
&ldquo;Open as Page&rdquo; makes it one of your pages.</p></body></html>
HTML
  cat >"$work/offers.html" <<'HTML'
<html><head><title>Offers</title></head><body style="font-family:sans-serif;margin:2em">
<h1>Offers</h1><p>This page tries, by itself, to open the mail program and to save two files.</p>
<a id="mail" href="mailto:offers@example.com"></a>
<script>
document.getElementById('mail').click();
function save(name) {
  var link = document.createElement('a'); link.href = '/' + name; link.download = name;
  document.body.appendChild(link); link.click();
}
save('offers.pdf');
setTimeout(function () { save('prices.pdf'); }, 300);
</script></body></html>
HTML
  printf '%%PDF-1.4\n' >"$work/offers.pdf"
  cp "$work/offers.pdf" "$work/prices.pdf"
  printf '<html><head><title>Home</title></head><body style="font-family:sans-serif;margin:2em"><h1>Home</h1></body></html>' \
    >"$work/home.html"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 \
    -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1
  python3 - "$work" "$work/port" "$work/tlsport" >/dev/null 2>&1 <<'PY' &
import functools, http.server, ssl, sys, threading
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
plain = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
tls = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(sys.argv[1] + "/cert.pem", sys.argv[1] + "/key.pem")
tls.socket = context.wrap_socket(tls.socket, server_side=True)
threading.Thread(target=tls.serve_forever, daemon=True).start()
open(sys.argv[3], "w").write(str(tls.server_port))
open(sys.argv[2], "w").write(str(plain.server_port))
plain.serve_forever()
PY
  while [[ ! -s $work/port || ! -s $work/tlsport ]]; do sleep 0.1; done
  site=http://127.0.0.1:$(cat "$work/port")
  secure=https://127.0.0.1:$(cat "$work/tlsport")
  export WEBKIT_DISABLE_COMPOSITING_MODE=1

  run() { # settings-name page [environment...]
    export PANDREL_CONFIG_DIR=$work/$1
    "$build/tests/seed_store" "$2"
    shift 2
    env "$@" "$build/app/pandrel" &
    program=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Kestrane Pandrel 2.0$' | head -n 1)
    sleep 4
  }
  stop() {
    kill -TERM "$program"
    wait "$program" || true
  }

  run certificate "$secure/" PANDREL_ALLOW_UNSANDBOXED=1
  import -window root docs/certificate-page.png
  stop

  run popup "$site/opener.html" PANDREL_ALLOW_UNSANDBOXED=1
  x=$(xwininfo -id "$window" | sed -n 's/ *Absolute upper-left X: *//p')
  y=$(xwininfo -id "$window" | sed -n 's/ *Absolute upper-left Y: *//p')
  # The link is the page's first line of text under its heading.
  xdotool mousemove $((x + 60)) $((y + 205)) click 1
  popup=$(timeout 20 xdotool search --sync --onlyvisible --name '^Details$' | head -n 1)
  xdotool windowmove "$popup" 360 240
  sleep 3
  import -window root docs/popup-window.png
  stop

  # No bubblewrap on the program's PATH: the sandbox cannot start.
  run sandbox "$site/home.html" PATH=/nonexistent PANDREL_ALLOW_UNSANDBOXED=
  import -window root "$work/sandbox.png"
  convert "$work/sandbox.png" -crop 1024x260+0+0 +repage docs/sandbox-bar.png
  stop

  run bars "$site/offers.html" PANDREL_ALLOW_UNSANDBOXED=1
  import -window root "$work/bars.png"
  convert "$work/bars.png" -crop 1024x330+0+0 +repage docs/page-bars.png
  stop
  exit 0
fi

build=$(realpath "${1:-build}")
PANDREL_SCREEN=1024x768x24 scripts/with-display.sh "$0" --inside "$build"
echo "Pictures written to docs/"
