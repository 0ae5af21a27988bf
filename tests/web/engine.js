// The page's three engines behind one small adapter, and the folder served over HTTP: shared by
// the page tests, the install test, the screenshots and the benchmark.
//   chromium  Debian's chromium through puppeteer-core (DevTools protocol), headless
//   firefox   Debian's firefox-esr through puppeteer-core (WebDriver BiDi), headless
//   webkit    Debian's WebKitWebDriver and MiniBrowser through selenium-webdriver; MiniBrowser
//             needs a display (the test runs under xvfb-run)
import {createServer} from 'node:http';
import {once} from 'node:events';
import {readFile} from 'node:fs/promises';
import {extname, join} from 'node:path';
import {gzipSync} from 'node:zlib';
import puppeteer from 'puppeteer-core';
import {Builder, By, Key, error as driverError} from 'selenium-webdriver';
import portprober from 'selenium-webdriver/net/portprober.js';
import remote from 'selenium-webdriver/remote/index.js';

// Headless, as root, and quiet: no first-run page, no background traffic.
export const CHROMIUM_FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--disable-dev-shm-usage'];

// A step this engine cannot take: the check that needs it is reported as skipped, with why.
export class Unsupported extends Error {}

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.svg': 'image/svg+xml',
    '.png': 'image/png', '.webmanifest': 'application/manifest+json'};

// Serves `folder` on 127.0.0.1 as static hosts serve it: gzip where the browser accepts it and a
// cache lifetime. stop() takes the network away; start() brings it back at the same address.
export class Host {
    constructor(folder) {
        this.folder = folder;
        this.port = 0;
    }
    async start() {
        this.server = createServer(async (request, answer) => {
            const path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
            let body = await readFile(join(this.folder, path.endsWith('/') ? path + 'index.html' : path)).catch(() => null);
            if (!body)
                return answer.writeHead(404).end();
            const type = TYPES[extname(path) || '.html'] || 'application/octet-stream';
            const headers = {'Content-Type': type, 'Cache-Control': 'max-age=600', 'Vary': 'Accept-Encoding'};
            if (!type.startsWith('image/png') && /gzip/.test(request.headers['accept-encoding'] || '')) {
                body = gzipSync(body, {level: 9});
                headers['Content-Encoding'] = 'gzip';
            }
            answer.writeHead(200, headers).end(body);
        });
        this.server.listen(this.port, '127.0.0.1');
        await once(this.server, 'listening');
        this.port = this.server.address().port;
        this.url = `http://127.0.0.1:${this.port}/`;
        return this;
    }
    async stop() {
        this.server.closeAllConnections();
        await new Promise(done => this.server.close(done));
    }
}

const sleep = ms => new Promise(done => setTimeout(done, ms));

// Runs `probe` (a function, sent as its source) in the page with `args`; awaits what it returns.
const WEBDRIVER_CALL = `const done = arguments[arguments.length - 1];
Promise.resolve().then(() => (0, eval)('(' + arguments[0] + ')')(...arguments[1]))
    .then(value => done({value}), e => done({error: String(e && e.stack || e)}));`;

// Errors the page throws, where the console cannot be read (WebKit): from its load on.
function catchErrors() {
    window.velmoraErrors = [];
    addEventListener('error', e => window.velmoraErrors.push(String(e.message)));
    addEventListener('unhandledrejection', e => window.velmoraErrors.push(String(e.reason)));
}

class Engine {
    // Waits until probe(...args) returns something truthy in the page, and returns it.
    async until(probe, args = [], seconds = 10) {
        for (const end = Date.now() + seconds * 1000; Date.now() < end; await sleep(50)) {
            const value = await this.run(probe, ...args).catch(() => null); // no page mid-load
            if (value)
                return value;
        }
        throw new Error('waited in vain for ' + probe.toString().slice(0, 200));
    }
    colourScheme() {
        throw new Unsupported('no colour-scheme emulation');
    }
    // Presses the button (or the focused one) from the keyboard.
    activate(selector, key = ' ') {
        return this.key(key, selector);
    }
    writeClipboard(text) {
        return this.run(text => navigator.clipboard.writeText(text), text);
    }
    clipboard(allowed) {
        if (allowed === false)
            throw new Unsupported('no clipboard permission to refuse');
    }
}

// Firefox reports its own requests for the tab's icons, which the service worker answers, as the
// page's errors when a test's next navigation cuts them off. The page's own files, offline too,
// are checked by install.test.js.
const browsersOwnIcon = text =>
    /Failed to load ‘[^’]*\/(org\.velmora\.Kanji\.svg|[\w-]*icon[\w-]*\.png)’\. A ServiceWorker intercepted/
        .test(text);

class Puppeteer extends Engine {
    async start(options) {
        this.browser = await puppeteer.launch({headless: true, ...options});
        this.errorList = [];
        this.page = await this.listen((await this.browser.pages())[0] || await this.browser.newPage());
        return this;
    }
    async listen(page) {
        page.on('pageerror', e => this.errorList.push(String(e)));
        page.on('console', m => m.type() === 'error' && !browsersOwnIcon(m.text())
            && this.errorList.push(m.text()));
        // The page draws its own boxes: one of the browser's is a fault, answered so that it ends.
        page.on('dialog', box => this.errorList.push('the browser\'s own box: ' + box.message()) && box.dismiss());
        page.setDefaultTimeout(120000);
        if (this.screen)
            await page.setViewport(this.screen);
        return page;
    }
    async open(url) {
        await this.page.goto(url);
    }
    run(probe, ...args) {
        return this.page.evaluate(probe, ...args);
    }
    async click(selector, nth = 0) {
        await (await this.page.$$(selector))[nth].click();
    }
    async tap(selector, nth = 0) {
        await (await this.page.$$(selector))[nth].tap();
    }
    async type(selector, text) {
        await this.page.$eval(selector, e => (e.focus(), e.select()));
        await (text ? this.page.keyboard.type(text) : this.page.keyboard.press('Backspace'));
    }
    // An on-screen keyboard's input: the text at once, over what is selected.
    async insert(text) {
        await this.page.keyboard.sendCharacter(text);
    }
    async key(key, selector) {
        if (selector)
            await this.page.focus(selector);
        await this.page.keyboard.press(key);
    }
    errors() {
        return this.errorList.splice(0);
    }
    async viewport(screen) {
        this.screen = screen;
        await this.page.setViewport(screen);
    }
    async tab() {
        return this.page;
    }
    async newTab() {
        this.page = await this.listen(await this.browser.newPage());
        return this.page;
    }
    async switchTo(tab) {
        this.page = tab;
        await tab.bringToFront();
    }
    async closeTab() {
        await this.page.close();
    }
    async withoutClipboardApi(on) {
        if (on) {
            this.preload = await this.page.evaluateOnNewDocument(() =>
                Object.defineProperty(Navigator.prototype, 'clipboard', {get: () => undefined}));
        } else {
            await this.page.removeScriptToEvaluateOnNewDocument(this.preload.identifier);
        }
    }
    async quit() {
        await this.browser.close();
    }
}

class Chromium extends Puppeteer {
    name = 'chromium';
    start(options = {}) {
        return super.start({executablePath: '/usr/bin/chromium', args: CHROMIUM_FLAGS, ...options});
    }
    async clipboard(allowed) {
        const origin = await this.run(() => location.origin);
        const context = this.browser.defaultBrowserContext();
        if (allowed === null)
            return context.clearPermissionOverrides();
        await context.setPermission(origin, ...['clipboard-read', 'clipboard-write'].map(name =>
            ({permission: {name, allowWithoutSanitization: true}, state: allowed ? 'granted' : 'denied'})));
    }
    colourScheme(dark) {
        return this.page.emulateMediaFeatures([{name: 'prefers-color-scheme', value: dark ? 'dark' : 'light'}]);
    }
}

class Firefox extends Puppeteer {
    name = 'firefox';
    start() {
        // The Clipboard API without Firefox's paste menu, which no automation can press.
        return super.start({browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
            extraPrefsFirefox: {'dom.events.testing.asyncClipboard': true}});
    }
    async tap(selector, nth) { // two taps closer than a double tap's time count as one
        await sleep(Math.max(0, (this.tapped ?? 0) + 300 - Date.now()));
        await super.tap(selector, nth);
        this.tapped = Date.now();
    }
    insert(text) { // BiDi sends one character at a time
        return this.page.keyboard.type(text);
    }
    activate() {
        throw new Unsupported('headless Firefox\'s page never has the focus, so no key presses a button');
    }
}

class WebKit extends Engine {
    name = 'webkit';
    async start() {
        const port = await portprober.findFreePort();
        this.service = new remote.DriverService('/usr/bin/WebKitWebDriver',
            {port, hostname: '127.0.0.1', args: ['--port=' + port]});
        this.driver = await new Builder().usingServer(await this.service.start()).withCapabilities({
            'browserName': 'MiniBrowser', 'webkitgtk:browserOptions': {args: ['--automation'],
                binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'}}).build();
        await this.driver.manage().setTimeouts({script: 120000});
        await this.viewport(this.screen);
        return this;
    }
    async open(url, again = false) {
        try {
            await this.driver.get(url);
            await this.run(catchErrors);
        } catch (e) {
            if (again || !(e instanceof driverError.WebDriverError))
                throw e;
            // Once in CI, WebKitWebDriver lost its page for good ("Could not parse script result")
            // and failed every later step: a new session, said in the log, and the same step again.
            console.error(`# WebKit's session failed (${e.message}); opening a new one`);
            await this.quit();
            await this.start();
            await this.open(url, true);
        }
    }
    async run(probe, ...args) {
        const {value, error} = await this.driver.executeAsyncScript(WEBDRIVER_CALL, probe.toString(), args);
        if (error)
            throw new Error(error);
        return value;
    }
    async click(selector, nth = 0) {
        await (await this.driver.findElements(By.css(selector)))[nth].click();
    }
    tap() {
        throw new Unsupported('no touch input through WebKitWebDriver');
    }
    async type(selector, text) {
        const box = await this.driver.findElement(By.css(selector));
        await box.clear();
        await box.sendKeys(text);
    }
    async key(key, selector) {
        const name = {Tab: Key.TAB, Enter: Key.ENTER, Escape: Key.ESCAPE, F1: Key.F1}[key] ?? key;
        if (selector)
            await this.driver.findElement(By.css(selector)).sendKeys(name);
        else
            await this.driver.actions().sendKeys(name).perform();
    }
    errors() {
        return this.run(() => (window.velmoraErrors || []).splice(0));
    }
    async viewport(screen) {
        if (screen.hasTouch || screen.deviceScaleFactor > 1)
            throw new Unsupported('WebKitWebDriver sets neither touch nor device pixels');
        // The window around the page: what setRect gives is the outer size.
        const window = this.driver.manage().window();
        await window.setRect({width: screen.width, height: screen.height});
        const [width, height] = await this.run(() => [innerWidth, innerHeight]);
        await window.setRect({width: 2 * screen.width - width, height: 2 * screen.height - height});
        const inner = await this.run(() => innerWidth);
        if (inner !== screen.width) {
            this.narrowest = inner;
            throw new Unsupported(`MiniBrowser's window is no narrower than ${inner} CSS px`);
        }
        this.screen = screen;
    }
    tab() {
        return this.driver.getWindowHandle();
    }
    async newTab() {
        await this.driver.switchTo().newWindow('tab');
        return this.tab();
    }
    switchTo(tab) {
        return this.driver.switchTo().window(tab);
    }
    closeTab() {
        return this.driver.close();
    }
    clipboard() {
        throw new Unsupported('MiniBrowser asks the user in a bar of its own before a page reads what '
            + 'another client put on the clipboard, and WebDriver cannot answer it');
    }
    withoutClipboardApi() {
        throw new Unsupported('no script before the page\'s own through WebKitWebDriver');
    }
    async quit() {
        try {
            await this.driver.quit();
        } finally {
            await this.service.kill();
        }
    }
}

export const DESK = {width: 1024, height: 768, deviceScaleFactor: 1};

// A started engine by its name, its page `screen` big (puppeteer's viewport fields; null: the
// window's own), with puppeteer's launch `options`.
export function launch(name, screen = DESK, options = {}) {
    const engine = new {chromium: Chromium, firefox: Firefox, webkit: WebKit}[name]();
    engine.screen = screen;
    return engine.start(options);
}
