#!/usr/bin/env python3
"""A file server on 127.0.0.1 for the download and update tests.

Serves the folder named by its argument, with byte ranges, and prints its port on the first
line of standard output. The file "_faults" in that folder (read at every request) holds lines
"<path> <fault>": "cut" sends half the file and closes the connection, "slow" sends the
headers and then nothing for 30 seconds, "norange" ignores byte ranges.
"""
import http.server
import os
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def fault(self, path):
        try:
            with open(os.path.join(self.server.root, "_faults")) as faults:
                for line in faults:
                    parts = line.split()
                    if len(parts) == 2 and parts[0] == path:
                        return parts[1]
        except OSError:
            pass
        return None

    def do_GET(self):
        path = self.path.split("?")[0].lstrip("/")
        local = os.path.realpath(os.path.join(self.server.root, path))
        if not local.startswith(self.server.root + os.sep) or not os.path.isfile(local):
            self.send_error(404)
            return
        with open(local, "rb") as f:
            body = f.read()
        fault = self.fault(path)
        start = 0
        header = self.headers.get("Range")
        if header and header.startswith("bytes=") and fault != "norange":
            start = int(header[6:].split("-")[0] or 0)
            if start >= len(body):
                self.send_error(416)
                return
            self.send_response(206)
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, len(body) - 1, len(body)))
        else:
            self.send_response(200)
        part = body[start:]
        self.send_header("Content-Length", str(len(part)))
        self.end_headers()
        if fault == "slow":
            self.wfile.flush()
            time.sleep(30)
            return
        if fault == "cut":
            part = part[: max(1, len(part) // 2)]
            self.wfile.write(part)
            self.wfile.flush()
            self.close_connection = True
            return
        self.wfile.write(part)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # clients that give up early are what the tests are about


def main():
    server = Server(("127.0.0.1", 0), Handler)
    server.root = os.path.realpath(sys.argv[1])
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
