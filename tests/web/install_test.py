#!/usr/bin/env python3
"""The page as an installed app, in Debian's Chromium: installable, starting in its own window and
working with the network gone after the first visit, and a rebuilt folder at the same address
taken up by the second load.

usage: install_test.py --site <page folder> --source <source tree> [unittest arguments]
With VELMORA_SHOTS=<folder>, the installed app's window is saved there as installed-offline.png.
"""

import argparse
import fcntl
import json
import os
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402
from browser import Chromium  # noqa: E402
from host import Host  # noqa: E402

from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

SITE = SOURCE = SHOTS = None  # set by main()

SHOWN = """(form => !!form && getComputedStyle(form).display !== 'none')(
    document.querySelector('[data-name="Form1"]'))"""
SEARCH = """(word => {
    const form = document.querySelector('[data-name="Form1"]');
    form.querySelector('[data-name="Text1"]').value = word;
    form.querySelector('[data-name="Command2"]').click();
})"""
CACHES = 'caches.keys().then(arguments[arguments.length - 1])'
# The cache names once no worker is still on its way in, else none.
SETTLED = """const done = arguments[arguments.length - 1];
Promise.all([caches.keys(), navigator.serviceWorker.getRegistration()]).then(([names, r]) =>
    done(r.active && r.active.state === 'activated' && !r.installing && !r.waiting ? names : []));"""
# Resolves once the page is controlled by an activated worker.
CONTROLLED = """const done = arguments[arguments.length - 1];
navigator.serviceWorker.ready.then(() => {
    if (navigator.serviceWorker.controller)
        done();
    else
        navigator.serviceWorker.addEventListener('controllerchange', done);
});"""


def above_3_and_4(fd):
    moved = fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 10)
    os.close(fd)
    return moved


class Desktop:
    """A Chromium with its own windows on a private Xvfb, driven through the DevTools protocol
    over a pipe, the one connection on which the browser installs and launches apps."""

    def __init__(self, url):
        self.profile = tempfile.mkdtemp(prefix='velmora-chromium-')
        self.xvfb, self.display = self.start_xvfb()
        # Chromium reads commands from its descriptor 3 and answers on 4.
        commands, self.commands = map(above_3_and_4, os.pipe())
        self.answers, answers = map(above_3_and_4, os.pipe())
        flags = [f for f in browser.FLAGS if not f.startswith('--headless')]
        self.chromium = subprocess.Popen(
            ['/usr/bin/chromium', '--remote-debugging-pipe', '--user-data-dir=' + self.profile,
             *flags, url], env=dict(os.environ, DISPLAY=self.display), pass_fds=[3, 4],
            preexec_fn=lambda: (os.dup2(commands, 3), os.dup2(answers, 4)),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(commands)
        os.close(answers)
        self.sent = 0
        self.buffer = b''

    @staticmethod
    def start_xvfb():
        """A display of its own: -displayfd alone may pick one whose socket another server
        holds without a lock file."""
        for number in range(10, 100):
            if any(os.path.exists(path % number)
                   for path in ('/tmp/.X%d-lock', '/tmp/.X11-unix/X%d')):
                continue
            read, write = os.pipe()
            xvfb = subprocess.Popen(['Xvfb', ':%d' % number, '-displayfd', str(write), '-screen',
                                     '0', '1024x768x24', '-nolisten', 'tcp'], pass_fds=[write],
                                    stderr=subprocess.DEVNULL)
            os.close(write)
            with os.fdopen(read) as answer:
                started = answer.readline()  # the whole line: a closed pipe would end Xvfb
            if started:
                return xvfb, ':%d' % number
            xvfb.wait()
        raise RuntimeError('no free X display')

    def send(self, method, session=None, **params):
        self.sent += 1
        message = {'id': self.sent, 'method': method, 'params': params}
        if session:
            message['sessionId'] = session
        os.write(self.commands, json.dumps(message).encode() + b'\0')
        while True:
            while b'\0' not in self.buffer:
                if not select.select([self.answers], [], [], 30)[0]:
                    raise RuntimeError(f'{method}: no answer')
                self.buffer += os.read(self.answers, 1 << 16)
            line, self.buffer = self.buffer.split(b'\0', 1)
            answer = json.loads(line)
            if answer.get('id') == self.sent:
                if 'error' in answer:
                    raise RuntimeError(f'{method}: {answer["error"]}')
                return answer['result']

    def evaluate(self, session, expression):
        return self.send('Runtime.evaluate', session, expression=expression,
                         awaitPromise=True, returnByValue=True)['result'].get('value')

    def wait(self, session, expression):
        for _ in range(100):
            try:
                if self.evaluate(session, expression):
                    return
            except RuntimeError:  # no context while a page loads
                pass
            time.sleep(0.1)
        raise AssertionError('never held: ' + expression)

    def page(self, other_than=None):
        """The first page target, other than `other_than`'s, once there is one."""
        for _ in range(100):
            skip = other_than and other_than['targetId']
            for target in self.send('Target.getTargets')['targetInfos']:
                if target['type'] == 'page' and target['targetId'] != skip:
                    return target
            time.sleep(0.1)
        raise AssertionError('no page')

    def attach(self, target):
        return self.send('Target.attachToTarget', targetId=target, flatten=True)['sessionId']

    def quit(self):
        os.close(self.commands)
        os.close(self.answers)
        self.chromium.terminate()
        self.chromium.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def png_size(path):
    with open(path, 'rb') as png:
        header = png.read(24)
    assert header[:8] == b'\x89PNG\r\n\x1a\n', path
    return struct.unpack('>II', header[16:24])


class Installed(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix='velmora-site-')
        shutil.copytree(SITE, self.folder, dirs_exist_ok=True)
        self.host = Host(self.folder)
        self.browser = Chromium()
        self.driver = self.browser.driver
        self.driver.set_script_timeout(30)

    def tearDown(self):
        self.assertEqual(self.browser.errors(), [])
        self.browser.quit()
        self.host.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def load(self):
        """Loads the start address and waits for the dictionary window and a worker in control."""
        self.driver.get(self.host.url)
        WebDriverWait(self.driver, 10).until(lambda d: d.execute_script('return ' + SHOWN))
        self.driver.execute_async_script(CONTROLLED)

    def test_installable_with_its_icons(self):
        self.load()
        self.assertEqual(self.browser.cdp('Page.getInstallabilityErrors')['installabilityErrors'],
                         [])
        with open(os.path.join(self.folder, 'manifest.webmanifest'), encoding='utf-8') as file:
            manifest = json.load(file)
        pngs = [icon for icon in manifest['icons'] if icon['type'] == 'image/png']
        self.assertIn('maskable', [icon['purpose'] for icon in pngs])
        for icon in pngs:
            width, height = png_size(os.path.join(self.folder, icon['src']))
            self.assertEqual(f'{width}x{height}', icon['sizes'], icon['src'])

    def test_installed_it_starts_in_its_own_window_and_works_offline(self):
        desktop = Desktop(self.host.url)
        try:
            tab = desktop.page()
            session = desktop.attach(tab['targetId'])
            desktop.wait(session, 'navigator.serviceWorker.ready.then(() => '
                         '!!navigator.serviceWorker.controller)')
            desktop.send('PWA.install', session, manifestId=self.host.url)
            # What the install dialog sets and the protocol's install leaves at "browser".
            desktop.send('PWA.changeAppUserSettings', manifestId=self.host.url,
                         displayMode='standalone')
            desktop.send('PWA.launch', manifestId=self.host.url)
            app = desktop.page(other_than=tab)
            windows = {desktop.send('Browser.getWindowForTarget', targetId=t['targetId'])
                       ['windowId'] for t in (tab, app)}
            self.assertEqual(len(windows), 2)
            desktop.send('Target.closeTarget', targetId=tab['targetId'])
            session = desktop.attach(app['targetId'])
            desktop.wait(session, SHOWN)
            self.assertTrue(desktop.evaluate(
                session, 'matchMedia("(display-mode: standalone)").matches'))
            self.host.stop()
            desktop.send('Page.reload', session)
            desktop.wait(session, SHOWN)
            desktop.evaluate(session, f'({SEARCH})("water")')
            desktop.wait(session, 'document.querySelector(\'[data-name="Label1"]\')'
                         '.textContent === "水"')
            if SHOTS:
                subprocess.run(['import', '-display', desktop.display, '-window', 'root',
                                os.path.join(SHOTS, 'installed-offline.png')], check=True)
        finally:
            desktop.quit()

    def test_a_rebuilt_folder_is_taken_up_by_the_second_load(self):
        self.load()
        first = self.driver.execute_async_script(CACHES)
        index = os.path.join(self.folder, 'index.html')
        with open(index, encoding='utf-8') as file:
            page = file.read()
        with open(index, 'w', encoding='utf-8') as file:
            file.write(page.replace('<head>', '<head><meta name="build" content="2">'))
        subprocess.run(['cmake', '-D', 'SITE=' + self.folder,
                        '-D', 'TEMPLATE=' + os.path.join(SOURCE, 'app', 'service-worker.js'),
                        '-P', os.path.join(SOURCE, 'app', 'service-worker.cmake')], check=True)
        self.load()
        # The first load may still be the old build; its worker replaces the cache meanwhile.
        WebDriverWait(self.driver, 20).until(
            lambda d: d.execute_async_script(SETTLED) not in ([], first))
        self.load()
        self.assertEqual(self.driver.find_element(By.CSS_SELECTOR, 'meta[name="build"]')
                         .get_attribute('content'), '2')
        self.assertEqual(len(first), 1)
        self.assertEqual(len(self.driver.execute_async_script(CACHES)), 1)


def main():
    global SITE, SOURCE, SHOTS
    parser = argparse.ArgumentParser()
    parser.add_argument('--site', required=True, help='the folder the browser build wrote')
    parser.add_argument('--source', required=True, help='the source tree')
    arguments, rest = parser.parse_known_args()
    SITE = os.path.abspath(arguments.site)
    SHOTS = os.environ.get('VELMORA_SHOTS')
    SOURCE = os.path.abspath(arguments.source)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == '__main__':
    main()
