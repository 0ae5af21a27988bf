"""The page's browser engines, each behind one small adapter with the same steps, and a folder
served over HTTP: shared by the browser tests, the page benchmark and the screenshots.

- Chromium: Debian's chromium through chromedriver (python3-selenium), headless.
- WebKit: Debian's WebKitWebDriver with its MiniBrowser (python3-selenium), on its own Xvfb.
- Firefox: Debian's firefox-esr, headless, through WebDriver BiDi (python3-websocket), as Debian
  has no geckodriver.
"""

import base64
import functools
import http.server
import json
import os
import queue
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import warnings

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

# Headless, as root, and quiet: no first-run page, no background traffic, nothing from elsewhere.
FLAGS = [
    '--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--disable-dev-shm-usage',
]


class Unsupported(Exception):
    """The engine cannot do this one step; the test skips that check and says so."""


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    """Serves `folder` on a free port of 127.0.0.1 until the process ends; returns its address."""
    handler = functools.partial(_QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return 'http://127.0.0.1:%d/' % server.server_address[1]


BOX = 'dialog.v-box[open]'  # the program's open message or input box
ESCAPE = '\ue00c'  # WebDriver's key value


class Engine:
    """What every engine does alike, or cannot do unless its adapter says otherwise."""

    name = None
    console = None  # why the console's errors cannot all be read, where they cannot
    buttons_by_key = None  # why a key cannot press a focused button, where it cannot

    def has_box(self, seconds=0):
        """Whether one of the program's boxes is open, waiting up to `seconds` for one."""
        deadline = time.monotonic() + seconds
        while not self.script('return !!document.querySelector(arguments[0])', BOX):
            if time.monotonic() >= deadline:
                return False
            time.sleep(0.02)
        return True

    def box(self, answer=''):
        """Answers the open box and returns its text: OK with `answer` typed into an input
        box's text box, or Escape (the desktop's Cancel of either box) for None."""
        if not self.has_box(5):
            raise AssertionError('no box opened')
        text = self.script('return document.querySelector(arguments[0]).textContent',
                           BOX + ' .v-box-text')
        if answer is None:
            self.key(ESCAPE)
        else:
            if answer:
                self.type(BOX + ' input.v-box-entry', answer)
            self.click(self.box_button('OK'))
        self.settle()
        return text

    def settle(self):
        """Returns once the handler of a box just closed has gone on: when the box has left
        the page, which it does just before the handler wakes."""
        for _ in range(250):
            if not self.script('return !!document.querySelector("dialog.v-box:not([open])")'):
                return
            time.sleep(0.02)
        raise AssertionError('the answered box stayed on the page')

    def box_button(self, caption):
        """A selector of the open box's button with that caption."""
        place = self.script('return [...document.querySelectorAll(arguments[0])]'
                            '.findIndex(b => b.textContent === arguments[1]) + 1',
                            BOX + ' button', caption)
        return '%s button:nth-of-type(%d)' % (BOX, place)

    def write_clipboard(self, text):
        self.script('navigator.clipboard.writeText(arguments[0])', text)

    def clipboard(self, allowed):
        """Lets the page read the clipboard (True), refuses it (False), or resets (None)."""
        if allowed is False:
            raise Unsupported('no clipboard permission to refuse')

    def without_clipboard_api(self, on=True):
        raise Unsupported('no script before the page\'s own')

    def colour_scheme(self, dark):
        raise Unsupported('no colour-scheme emulation')

    def metrics(self, width, height, scale, mobile):
        raise Unsupported('no device metrics emulation')


class Selenium(Engine):
    """The steps over a classic WebDriver session."""

    driver = None

    def open(self, url):
        self.driver.get(url)

    def script(self, source, *arguments):
        return self.driver.execute_script(source, *arguments)

    def async_script(self, source, *arguments):
        return self.driver.execute_async_script(source, *arguments)

    def find(self, selector):
        return self.driver.find_element(By.CSS_SELECTOR, selector)

    def click(self, selector):
        self.find(selector).click()

    def type(self, selector, text):
        box = self.find(selector)
        box.clear()
        box.send_keys(text)

    def key(self, key, selector=None):
        if selector:
            self.find(selector).send_keys(key)
        else:
            ActionChains(self.driver).send_keys(key).perform()

    def new_tab(self):
        self.driver.switch_to.new_window('tab')
        return self.driver.current_window_handle

    def tab(self):
        return self.driver.current_window_handle

    def switch(self, tab):
        self.driver.switch_to.window(tab)

    def close_tab(self):
        self.driver.close()

    def screenshot(self, selector, path):
        self.find(selector).screenshot(path)

class Chromium(Selenium):
    """One headless Chromium with a fresh profile."""

    name = 'chromium'

    def __init__(self, width=1024, height=768):
        self.profile = tempfile.mkdtemp(prefix='velmora-chromium-')
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for flag in FLAGS + ['--window-size=%d,%d' % (width, height),
                             '--user-data-dir=' + self.profile]:
            options.add_argument(flag)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        self.driver.set_script_timeout(120)
        self.preload = None

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def cdp(self, command, **arguments):
        return self.driver.execute_cdp_cmd(command, arguments)

    def errors(self):
        """The console's errors since the last call."""
        return [entry for entry in self.driver.get_log('browser') if entry['level'] == 'SEVERE']

    def clipboard(self, allowed):
        """Lets the page of the current tab read the clipboard, or refuses it; None resets."""
        origin = self.script('return location.origin')
        if allowed is None:
            self.cdp('Browser.resetPermissions')
        elif allowed:
            self.cdp('Browser.grantPermissions', origin=origin,
                     permissions=['clipboardReadWrite', 'clipboardSanitizedWrite'])
        else:
            self.cdp('Browser.setPermission', origin=origin,
                     permission={'name': 'clipboard-read'}, setting='denied')

    def without_clipboard_api(self, on=True):
        if on:
            self.preload = self.cdp('Page.addScriptToEvaluateOnNewDocument', source=(
                'Object.defineProperty(Navigator.prototype, "clipboard", {get: () => undefined})'))
        else:
            self.cdp('Page.removeScriptToEvaluateOnNewDocument',
                     identifier=self.preload['identifier'])

    def colour_scheme(self, dark):
        self.cdp('Emulation.setEmulatedMedia',
                 features=[{'name': 'prefers-color-scheme', 'value': 'dark'}] if dark else [])

    def metrics(self, width, height, scale, mobile):
        if width is None:
            self.cdp('Emulation.clearDeviceMetricsOverride')
        else:
            self.cdp('Emulation.setDeviceMetricsOverride', mobile=mobile, width=width,
                     height=height, deviceScaleFactor=scale)


class Xvfb:
    """A display of its own, for a browser that cannot run headless."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write), '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
            pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            self.display = ':' + pipe.readline().strip()

    def quit(self):
        self.process.terminate()
        self.process.wait()


# Errors the page throws, for an engine whose console cannot be read: caught from the first
# script on. Errors before it are not seen.
CATCH_ERRORS = """
if (!window.velmoraErrors) {
    window.velmoraErrors = [];
    window.addEventListener('error', e => velmoraErrors.push(String(e.message)));
    window.addEventListener('unhandledrejection', e => velmoraErrors.push(String(e.reason)));
}
"""


class WebKit(Selenium):
    """Debian's WebKitGTK MiniBrowser through WebKitWebDriver, on an Xvfb display."""

    name = 'webkit'
    console = 'its console cannot be read: only errors after the page loaded are caught'

    def __init__(self, width=1024, height=768):
        from selenium.webdriver.webkitgtk.options import Options
        self.xvfb = Xvfb()
        os.environ['DISPLAY'] = self.xvfb.display
        options = Options()
        options.binary_location = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'
        options.add_argument('--automation')
        try:
            with warnings.catch_warnings():  # this selenium's WebKitGTK still uses old names
                warnings.simplefilter('ignore', DeprecationWarning)
                self.driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver',
                                                  options=options)
            self.driver.set_window_size(width, height)
            self.driver.set_script_timeout(120)
        except Exception:
            self.xvfb.quit()
            raise

    def quit(self):
        try:
            self.driver.quit()
        finally:
            self.xvfb.quit()

    def open(self, url):
        super().open(url)
        self.script(CATCH_ERRORS)

    def errors(self):
        return self.script('const e = window.velmoraErrors || []; window.velmoraErrors = [];'
                           'return e;')

    def clipboard(self, allowed):
        raise Unsupported('MiniBrowser asks the user in a bar of its own before a page reads what '
                          'another client put on the clipboard, and WebDriver cannot answer it')


class BiDiError(Exception):
    pass


def _free_port():
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


def _value(remote):
    """A BiDi remote value as Python data; a node keeps its reference."""
    kind, value = remote.get('type'), remote.get('value')
    if kind in ('undefined', 'null'):
        return None
    if kind == 'number' and isinstance(value, str):
        return float(value.replace('Infinity', 'inf'))
    if kind in ('array', 'set'):
        return [_value(item) for item in value]
    if kind in ('object', 'map'):
        return {key if isinstance(key, str) else _value(key): _value(item)
                for key, item in value}
    if kind == 'node':
        return {'sharedId': remote['sharedId']}
    return value


def _argument(value):
    if value is None:
        return {'type': 'null'}
    if isinstance(value, bool):
        return {'type': 'boolean', 'value': value}
    if isinstance(value, (int, float)):
        return {'type': 'number', 'value': value}
    return {'type': 'string', 'value': str(value)}


class Firefox(Engine):
    """Debian's firefox-esr, headless, with a fresh profile, driven over WebDriver BiDi."""

    name = 'firefox'
    buttons_by_key = ('the headless window never has the focus (document.hasFocus() is false), '
                      'and Enter or Space there reaches a focused button but does not press it')

    # The Clipboard API without Firefox's paste menu, which no automation can press.
    PREFS = {'dom.events.testing.asyncClipboard': True}

    def __init__(self, width=1024, height=768):
        import websocket
        self.profile = tempfile.mkdtemp(prefix='velmora-firefox-')
        with open(os.path.join(self.profile, 'user.js'), 'w') as prefs:
            for key, value in self.PREFS.items():
                prefs.write('user_pref(%s, %s);\n' % (json.dumps(key), json.dumps(value)))
        port = _free_port()
        self.process = subprocess.Popen(
            ['firefox-esr', '--headless', '--no-remote', '--profile', self.profile,
             '--remote-debugging-port', str(port), 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        for line in self.process.stderr:
            if 'WebDriver BiDi listening' in line:
                break
        else:
            raise BiDiError('firefox-esr ended before it listened')
        threading.Thread(target=lambda: self.process.stderr.read(), daemon=True).start()
        self.socket = websocket.create_connection('ws://127.0.0.1:%d/session' % port,
                                                  suppress_origin=True)
        self.lock = threading.Lock()
        self.next_id = 0
        self.answers = {}
        self.console = []
        threading.Thread(target=self._read, daemon=True).start()
        self.command('session.new', capabilities={})
        self.command('session.subscribe', events=['log.entryAdded'])
        self.context = self.command('browsingContext.getTree')['contexts'][0]['context']
        self.size = (width, height)
        self.command('browsingContext.setViewport', context=self.context,
                     viewport={'width': width, 'height': height})
        self.preload = None

    def _read(self):
        try:
            while True:
                message = json.loads(self.socket.recv())
                if 'id' in message:
                    self.answers[message['id']].put(message)
                elif message['params'].get('level') == 'error':  # log.entryAdded
                    self.console.append(message['params'].get('text'))
        except Exception:
            pass

    def send(self, method, **params):
        with self.lock:
            self.next_id += 1
            number = self.next_id
            self.answers[number] = queue.Queue()
            self.socket.send(json.dumps({'id': number, 'method': method, 'params': params}))
        return number

    def wait(self, number, timeout=180):
        try:
            message = self.answers[number].get(timeout=timeout)
        except queue.Empty:
            raise BiDiError('no answer to command %d' % number)
        del self.answers[number]
        if message.get('type') == 'error':
            raise BiDiError('%s: %s' % (message.get('error'), message.get('message')))
        return message['result']

    def command(self, method, **params):
        return self.wait(self.send(method, **params))

    def quit(self):
        try:
            self.command('session.end')
        except Exception:
            pass
        self.socket.close()
        self.process.terminate()
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.profile, ignore_errors=True)

    def _call(self, declaration, arguments, await_promise):
        result = self.command('script.callFunction', functionDeclaration=declaration,
                              arguments=[_argument(a) for a in arguments],
                              target={'context': self.context}, awaitPromise=await_promise,
                              resultOwnership='none')
        if result['type'] == 'exception':
            raise BiDiError(result['exceptionDetails']['text'])
        return _value(result['result'])

    def script(self, source, *arguments):
        return self._call('function() {%s\n}' % source, arguments, False)

    def async_script(self, source, *arguments):
        return self._call('function(...args) { return new Promise(done => (function() {%s\n})'
                          '.apply(this, [...args, done])); }' % source, arguments, True)

    def open(self, url):
        self.command('browsingContext.navigate', context=self.context, url=url, wait='complete')

    def _element(self, selector):
        node = self._call('function(s) { const e = document.querySelector(s);'
                          'e.scrollIntoView({block: "nearest", inline: "nearest"}); return e; }',
                          [selector], False)
        return {'sharedId': node['sharedId']}

    def _act(self, actions):
        self.command('input.performActions', context=self.context, actions=actions)

    def click(self, selector):
        self._act([{'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'},
                    'actions': [{'type': 'pointerMove', 'x': 0, 'y': 0,
                                 'origin': {'type': 'element',
                                            'element': self._element(selector)}},
                                {'type': 'pointerDown', 'button': 0},
                                {'type': 'pointerUp', 'button': 0}]}])

    def _keys(self, text):
        actions = []
        for character in text:
            actions += [{'type': 'keyDown', 'value': character},
                        {'type': 'keyUp', 'value': character}]
        self._act([{'type': 'key', 'id': 'keyboard', 'actions': actions}])

    def type(self, selector, text):
        self._call('function(s) { const e = document.querySelector(s); e.focus(); e.value = ""; }',
                   [selector], False)
        self._keys(text)

    def key(self, key, selector=None):
        if selector:
            self._call('function(s) { document.querySelector(s).focus(); }', [selector], False)
        self._keys(key)

    def errors(self):
        errors, self.console = self.console, []
        return errors

    def tab(self):
        return self.context

    def new_tab(self):
        self.context = self.command('browsingContext.create', type='tab')['context']
        self.command('browsingContext.setViewport', context=self.context,
                     viewport={'width': self.size[0], 'height': self.size[1]})
        return self.context

    def switch(self, tab):
        self.context = tab
        self.command('browsingContext.activate', context=tab)

    def close_tab(self):
        self.command('browsingContext.close', context=self.context)

    def screenshot(self, selector, path):
        data = self.command('browsingContext.captureScreenshot', context=self.context,
                            clip={'type': 'element', 'element': self._element(selector)})['data']
        with open(path, 'wb') as picture:
            picture.write(base64.b64decode(data))

    def without_clipboard_api(self, on=True):
        if on:
            self.preload = self.command('script.addPreloadScript', functionDeclaration=(
                '() => Object.defineProperty(Navigator.prototype, "clipboard", '
                '{get: () => undefined})'))['script']
        else:
            self.command('script.removePreloadScript', script=self.preload)

    def colour_scheme(self, dark):
        raise Unsupported('no colour-scheme emulation over BiDi')

    def metrics(self, width, height, scale, mobile):
        if width is None:
            width, height, scale = self.size[0], self.size[1], 1
        self.command('browsingContext.setViewport', context=self.context,
                     viewport={'width': width, 'height': height}, devicePixelRatio=scale)


ENGINES = {engine.name: engine for engine in (Chromium, WebKit, Firefox)}
