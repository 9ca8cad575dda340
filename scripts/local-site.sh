# Sourced by the picture scripts: three local pages (p1.html .. p3.html) in a
# folder, served on 127.0.0.1 on a free port by a background job (the caller's
# EXIT trap ends it). Sets `site` to the server's address.
#   start_local_site FOLDER [EXTRA_HTML]   EXTRA_HTML goes after each heading
start_local_site() {
  local folder=$1 extra=${2:-} i
  for i in 1 2 3; do
    printf '<html><head><title>Page %s</title></head><body><h1>Local page %s</h1>%s</body></html>' \
      "$i" "$i" "$extra" >"$folder/p$i.html"
  done
  python3 - "$folder" "$folder/port" >/dev/null 2>&1 <<'PY' &
import functools, http.server, sys
server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", 0), functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1]))
open(sys.argv[2], "w").write(str(server.server_port))
server.serve_forever()
PY
  while [[ ! -s $folder/port ]]; do sleep 0.1; done
  site=http://127.0.0.1:$(cat "$folder/port")
}
