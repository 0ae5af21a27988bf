"""A folder served as static hosts serve it: gzip where the browser accepts it, a cache lifetime,
and a server that can be stopped (the network gone) and started again at the same address."""

import functools
import gzip
import http.server
import io
import sys
import threading

# What common static hosts give a file that is not named by its content.
CACHE_LIFETIME = 600
COMPRESSED = ('text/', 'application/javascript', 'application/json', 'application/manifest+json',
              'image/svg+xml')


class _Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def send_head(self):
        path = self.translate_path(self.path)
        kind = self.guess_type(path)
        wants = 'gzip' in self.headers.get('Accept-Encoding', '')
        if not wants or not kind.startswith(COMPRESSED):
            return super().send_head()
        try:
            with open(path, 'rb') as source:
                body = gzip.compress(source.read(), 9)
        except (IsADirectoryError, FileNotFoundError):
            return super().send_head()
        self.send_response(200)
        self.send_header('Content-Type', kind)
        self.send_header('Content-Encoding', 'gzip')
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        return io.BytesIO(body)

    def end_headers(self):
        self.send_header('Cache-Control', 'max-age=%d' % CACHE_LIFETIME)
        self.send_header('Vary', 'Accept-Encoding')
        super().end_headers()


class _Server(http.server.ThreadingHTTPServer):
    allow_reuse_address = True  # started again at the same address

    def handle_error(self, request, client_address):
        # A browser that quits while a worker still fetches the folder.
        if not isinstance(sys.exc_info()[1], (BrokenPipeError, ConnectionResetError)):
            super().handle_error(request, client_address)


class Host:
    """Serves `folder` on 127.0.0.1 (at `port`, or a free one) until stop()."""

    def __init__(self, folder, port=0):
        self.folder = folder
        self.port = port
        self.server = None
        self.start()

    @property
    def url(self):
        return 'http://127.0.0.1:%d/' % self.port

    def start(self):
        handler = functools.partial(_Handler, directory=self.folder)
        self.server = _Server(('127.0.0.1', self.port), handler)
        self.port = self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()
