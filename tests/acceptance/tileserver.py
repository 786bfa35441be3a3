"""Map tile server for the acceptance run.

Usage: tileserver.py DIR
       tileserver.py --tiles ZOOM CSV   (prints "Z/X/Y" of every valid GPS row of a
                                         `vistrel-tool telemetry --format csv` table, once)

Listens on a free port of 127.0.0.1 and writes the port number to DIR/port once it accepts
connections. GET /Z/X/Y.png answers DIR/vehicle.png when "Z/X/Y" is a line of
DIR/vehicle-tiles (the tiles the recording's route passes through), DIR/other.png for any
other tile, and 404 for anything else. Every request path is appended to DIR/requests.log
(one line each, written at once). Runs until it is terminated.
"""

import csv
import http.server
import math
import os
import re
import sys

TILE = re.compile(r"^/(\d+)/(\d+)/(\d+)\.png$")


def tiles_of(zoom, table):
    """The Web Mercator tiles (slippy-map numbering) under the valid GPS fixes of the table."""
    seen = []
    n = 2 ** zoom
    with open(table) as f:
        for row in csv.DictReader(f):
            if row["type"] != "gps" or row["valid"] != "1":
                continue
            lat = math.radians(float(row["latitude"]))
            x = int((float(row["longitude"]) + 180.0) / 360.0 * n)
            y = int((1.0 - math.asinh(math.tan(lat)) / math.pi) / 2.0 * n)
            tile = "%d/%d/%d" % (zoom, x, y)
            if tile not in seen:
                seen.append(tile)
    return seen


def main():
    if sys.argv[1] == "--tiles":
        print("\n".join(tiles_of(int(sys.argv[2]), sys.argv[3])))
        return
    folder = sys.argv[1]
    with open(os.path.join(folder, "vehicle-tiles")) as f:
        vehicle = {line.strip() for line in f if line.strip()}
    pictures = {}
    for name in ("vehicle", "other"):
        with open(os.path.join(folder, name + ".png"), "rb") as f:
            pictures[name] = f.read()
    log = open(os.path.join(folder, "requests.log"), "a", buffering=1)

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            log.write(self.path + "\n")
            match = TILE.match(self.path)
            if not match:
                self.send_error(404)
                return
            name = "vehicle" if "/".join(match.groups()) in vehicle else "other"
            body = pictures[name]
            self.send_response(200)
            self.send_header("Content-Type", "image/png")
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Cache-Control", "max-age=3600")
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, format, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    port_file = os.path.join(folder, "port")
    with open(port_file + ".tmp", "w") as f:
        f.write("%d\n" % server.server_address[1])
    os.rename(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
