"""Debian's Chromium, driven through chromedriver by python3-selenium, and a folder served over
HTTP: shared by the browser tests, the page benchmark and the screenshot."""

import functools
import http.server
import shutil
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Headless, as root, and quiet: no first-run page, no background traffic, nothing from elsewhere.
FLAGS = [
    '--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--disable-dev-shm-usage',
]


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    """Serves `folder` on a free port of 127.0.0.1 until the process ends; returns its address."""
    handler = functools.partial(_QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return 'http://127.0.0.1:%d/' % server.server_address[1]


class Chromium:
    """One browser with a fresh profile. Prompts are left open for the caller to answer."""

    def __init__(self, width=1024, height=768):
        self.profile = tempfile.mkdtemp(prefix='velmora-chromium-')
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for flag in FLAGS + ['--window-size=%d,%d' % (width, height),
                             '--user-data-dir=' + self.profile]:
            options.add_argument(flag)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        options.set_capability('unhandledPromptBehavior', 'ignore')
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def cdp(self, command, **arguments):
        return self.driver.execute_cdp_cmd(command, arguments)

    def errors(self):
        """The console's errors since the last call."""
        return [entry for entry in self.driver.get_log('browser') if entry['level'] == 'SEVERE']
