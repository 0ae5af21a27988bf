// The page's folder as shipped, in Chromium: within its size budget, installable with its icons,
// an installed app in its own window that works with the network gone after the first visit, and
// a rebuilt folder at the same address taken up by the second load. Needs a display (xvfb-run).
// With VELMORA_SHOTS=<folder>, the installed app's window is saved there as installed-offline.png.
//   node --test-reporter=tap install.test.js --site <page folder> --source <source tree>
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {cp, mkdtemp, readFile, readdir, rm, stat, writeFile} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join, resolve} from 'node:path';
import {afterEach, beforeEach, it} from 'node:test';
import {parseArgs} from 'node:util';
import {Host, launch} from './engine.js';

const {values: options} = parseArgs({options: {site: {type: 'string'}, source: {type: 'string'}}});
const BUDGET = 512 * 1024; // index.html and the program's script and module

let folder, host, engine, home;
const shown = () => !!document.querySelector('[data-name="Form1"]:not([hidden]):not([data-drawn])');
// The cache names once no worker is still on its way in, else none.
const settled = async () => {
    const [names, r] = await Promise.all([caches.keys(), navigator.serviceWorker.getRegistration()]);
    return r && r.active && r.active.state === 'activated' && !r.installing && !r.waiting ? names : [];
};

beforeEach(async () => {
    folder = await mkdtemp(join(tmpdir(), 'velmora-site-'));
    await cp(resolve(options.site), folder, {recursive: true});
    host = await new Host(folder).start();
});
// Ends the browser and removes the folders also when a check failed.
afterEach(async () => {
    try {
        if (engine)
            assert.deepEqual(engine.errors(), []);
    } finally {
        await engine?.quit();
        engine = null;
        await host.stop();
        for (const made of [folder, home].filter(Boolean))
            await rm(made, {recursive: true, force: true});
        home = null;
    }
});

// Loads the start address and waits for the dictionary window and a worker in control.
async function load(page) {
    await page.goto(host.url);
    await page.waitForFunction(shown);
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => navigator.serviceWorker.controller
        || new Promise(done => navigator.serviceWorker.addEventListener('controllerchange', done))));
}

it(`the page is at most ${BUDGET / 1024} KiB`, async () => {
    const names = (await readdir(folder)).filter(name => name === 'index.html' || /\.(js|wasm)$/.test(name)
        && name !== 'service-worker.js');
    const sizes = await Promise.all(names.map(async name => (await stat(join(folder, name))).size));
    const total = sizes.reduce((a, b) => a + b);
    assert.ok(total <= BUDGET, `${names.join(' + ')}: ${total} bytes`);
});

it('installable, with its icons the sizes the manifest says', async () => {
    engine = await launch('chromium');
    await load(engine.page);
    const session = await engine.page.createCDPSession();
    assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    const manifest = JSON.parse(await readFile(join(folder, 'manifest.webmanifest'), 'utf8'));
    const pngs = manifest.icons.filter(icon => icon.type === 'image/png');
    assert.ok(pngs.some(icon => icon.purpose === 'maskable'));
    for (const icon of pngs) {
        const header = await readFile(join(folder, icon.src));
        assert.equal(header.subarray(1, 4).toString(), 'PNG', icon.src);
        assert.equal(`${header.readUInt32BE(16)}x${header.readUInt32BE(20)}`, icon.sizes, icon.src);
    }
});

it('installed, it is in the menu by its name, starts in its own window and works with the network gone', async () => {
    // A pipe: the one connection on which Chromium installs and launches apps. The app's menu
    // entry goes under HOME: a home of the test's own, not the user's.
    home = await mkdtemp(join(tmpdir(), 'velmora-home-'));
    const env = {...process.env, HOME: home, XDG_DATA_HOME: join(home, 'data'), XDG_CONFIG_HOME: join(home, 'config')};
    engine = await launch('chromium', null, {headless: false, defaultViewport: null, pipe: true, env});
    const tab = engine.page;
    await load(tab);
    const manifestId = host.url;
    await (await tab.createCDPSession()).send('PWA.install', {manifestId});
    const browser = await engine.browser.target().createCDPSession();
    // What the install dialog sets and the protocol's install leaves at "browser".
    await browser.send('PWA.changeAppUserSettings', {manifestId, displayMode: 'standalone'});
    await browser.send('PWA.launch', {manifestId});
    const app = await (await engine.browser.waitForTarget(t => t !== tab.target() && t.type() === 'page')).page();
    const windows = new Set(await Promise.all([tab, app].map(async page =>
        (await (await page.createCDPSession()).send('Browser.getWindowForTarget')).windowId)));
    assert.equal(windows.size, 2);
    await tab.close();
    await app.waitForFunction(shown);
    assert.ok(await app.evaluate(() => matchMedia('(display-mode: standalone)').matches));
    await host.stop();
    await app.reload();
    await app.waitForFunction(shown);
    await app.type('[data-name="Form1"] [data-name="Text1"]', 'water');
    await app.click('[data-name="Form1"] [data-name="Command2"]');
    await app.waitForFunction(() => document.querySelector('[data-name="Label1"]').textContent === '水');
    if (process.env.VELMORA_SHOTS)
        execFileSync('import', ['-window', 'root', join(process.env.VELMORA_SHOTS, 'installed-offline.png')]);
    const menu = join(home, 'data', 'applications');
    const names = (await readdir(menu)).filter(name => name.endsWith('.desktop'));
    const entries = await Promise.all(names.map(name => readFile(join(menu, name), 'utf8')));
    assert.deepEqual(entries.map(entry => entry.match(/^Name=.*$/m)?.[0]), ['Name=Velmora Kanji']);
    await host.start(); // at the same address, for afterEach
});

it('a rebuilt folder is taken up by the second load', async () => {
    engine = await launch('chromium');
    const page = engine.page;
    await load(page);
    const first = await page.evaluate(() => caches.keys());
    const index = join(folder, 'index.html');
    await writeFile(index, (await readFile(index, 'utf8')).replace('<head>', '<head><meta name="build" content="2">'));
    execFileSync('cmake', ['-D', 'SITE=' + folder, '-D', 'TEMPLATE=' + join(options.source, 'app', 'service-worker.js'),
        '-P', join(options.source, 'app', 'service-worker.cmake')]);
    await load(page);
    // The first load may still be the old build; its worker replaces the cache meanwhile.
    await page.waitForFunction((old, settled) => (0, eval)(settled)().then(names =>
        names.length && names.join() !== old), {polling: 100, timeout: 20000}, first.join(), `(${settled})`);
    await load(page);
    assert.equal(await page.$eval('meta[name="build"]', e => e.content), '2');
    assert.equal(first.length, 1);
    assert.equal((await page.evaluate(() => caches.keys())).length, 1);
});
