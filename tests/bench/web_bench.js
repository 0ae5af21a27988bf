// The page's figures, beside a static page that holds the same controls and no program (the built
// page's own DOM once started, its scripts removed):
//   - the bytes of index.html and the program's script (its budget, 512 KiB, is a test:
//     page_install);
//   - the time from navigation to the dictionary window shown, in headless Chromium: the first
//     frame after Form1 became visible, from the page's time origin (budget 150 ms);
//   - Lighthouse's four scores, first and largest contentful paint and layout shift, mobile and
//     desktop (the pinned npm package in tests/web, on Debian's Chromium), on the folder served as
//     static hosts serve it: gzip, a cache lifetime.
//   node tests/bench/web_bench.js [page folder, build/web] [loads, 20] [Lighthouse runs per row, 3]
import {execFile} from 'node:child_process';
import {copyFileSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {tmpdir} from 'node:os';
import {dirname, join, resolve} from 'node:path';
import {promisify} from 'node:util';
import {CHROMIUM_FLAGS, Host, launch} from '../web/engine.js';

const [site, loads, runs] = [resolve(process.argv[2] || 'build/web'), +(process.argv[3] || 20), +(process.argv[4] || 3)];
const require = createRequire(new URL('../web/package.json', import.meta.url));
const LIGHTHOUSE = join(dirname(require.resolve('lighthouse/package.json')), 'cli', 'index.js');
const median = list => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];
const bytes = (folder, ...names) => names.reduce((sum, name) => sum + statSync(join(folder, name)).size, 0);

// Marks the first frame after Form1 shows, whether the parser or the program shows it.
function probe() {
    new MutationObserver((records, observer) => {
        const form = document.querySelector('[data-name="Form1"]');
        if (!form || form.hidden)
            return;
        observer.disconnect();
        const visible = performance.now();
        requestAnimationFrame(() => setTimeout(() => window.velmoraShown = [visible, performance.now()]));
    }).observe(document, {childList: true, subtree: true, attributes: true});
}

const static_ = mkdtempSync(join(tmpdir(), 'velmora-static-'));
const hosts = [await new Host(site).start(), await new Host(static_).start()];
let engine = await launch('chromium'); // another browser, so that each page's first load is cold
await engine.page.goto(hosts[0].url + 'index.html');
await engine.page.waitForSelector('[data-name="Form1"]:not([hidden]):not([data-drawn])');
writeFileSync(join(static_, 'index.html'), await engine.page.evaluate(() => {
    const page = document.documentElement.cloneNode(true);
    page.querySelectorAll('script, noscript, .v-measure').forEach(e => e.remove());
    return '<!DOCTYPE html>\n' + page.outerHTML;
}));
await engine.quit();
readdirSync(site).filter(n => /\.(svg|png|webmanifest)$/.test(n)).forEach(n => copyFileSync(join(site, n), join(static_, n)));

engine = await launch('chromium');
await engine.page.evaluateOnNewDocument(probe);
// A first page with the same fonts, so that no row pays for the browser's own start.
await engine.page.goto('data:text/html,<p style="font-family: IPAPGothic">日本 <b style="font-family: DejaVu Sans Condensed">Kanji</b>');
console.log(`${loads} loads each, headless Chromium, fresh profile; icons and manifest not counted`);
console.log('| page | bytes | over | shown: first load | median | max | visible (median) |\n|---|---|---|---|---|---|---|');
const rows = [['static page', bytes(static_, 'index.html'), hosts[1], static_],
    ['program', bytes(site, 'index.html', 'velmora-page.js', 'velmora-kanji.js'), hosts[0], site]];
for (const [name, total, host, folder] of rows) {
    for (const [how, url] of [['HTTP', host.url + 'index.html'], ['file://', `file://${folder}/index.html`]]) {
        const times = [];
        for (let i = 0; i < loads; ++i) {
            await engine.page.goto(url);
            times.push(await (await engine.page.waitForFunction(() => window.velmoraShown)).jsonValue());
        }
        const frames = times.map(t => t[1]);
        console.log(`| ${name} | ${total.toLocaleString('en')} (${Math.round(total / 1024)} KiB) | ${how} | `
            + `${frames[0].toFixed(0)} ms | ${median(frames).toFixed(0)} ms | ${Math.max(...frames).toFixed(0)} ms | `
            + `${median(times.map(t => t[0])).toFixed(0)} ms |`);
    }
}
await engine.quit();
console.log(`budgets: ${(512 * 1024).toLocaleString('en')} bytes (512 KiB), 150 ms to the window shown`);
const folder = bytes(site, ...readdirSync(site));
console.log(`the whole folder, which the service worker keeps: ${folder.toLocaleString('en')} bytes (${Math.round(folder / 1024)} KiB)`);

const CATEGORIES = ['performance', 'accessibility', 'best-practices', 'seo'];
const METRICS = ['first-contentful-paint', 'largest-contentful-paint', 'cumulative-layout-shift', 'total-blocking-time'];
const shown = (id, value) => id === 'cumulative-layout-shift' ? value.toFixed(3) : id.endsWith('paint')
    ? (value / 1000).toFixed(2) + ' s' : value.toFixed(0) + ' ms';
const version = JSON.parse(readFileSync(require.resolve('lighthouse/package.json'))).version;
console.log(`Lighthouse ${version}, simulated throttling, gzip and Cache-Control max-age: the scores of the median run by`
    + ` performance, each timing the median of ${runs} runs, FCP also over the static page's`);
console.log('| page | preset | performance | accessibility | best practices | SEO | FCP | LCP | CLS | TBT | flagged |');
console.log('|---|---|---|---|---|---|---|---|---|---|---|');
const staticFcp = {};
for (const [name, , host] of rows) {
    for (const preset of ['mobile', 'desktop']) {
        const reports = [];
        for (let i = 0; i < runs; ++i) { // not execFileSync: this process serves the page
            reports.push(JSON.parse((await promisify(execFile)(process.execPath, [LIGHTHOUSE, host.url,
            '--quiet', '--output=json', '--chrome-flags=--headless=new ' + CHROMIUM_FLAGS.join(' '),
            ...(preset === 'desktop' ? ['--preset=desktop'] : [])],
            {env: {...process.env, CHROME_PATH: '/usr/bin/chromium'}, maxBuffer: 1 << 28})).stdout));
        }
        reports.sort((a, b) => a.categories.performance.score - b.categories.performance.score);
        const report = reports[Math.floor(reports.length / 2)];
        const flagged = [...new Set(Object.values(report.categories).flatMap(c => c.auditRefs)
            .filter(ref => ref.weight > 0 && ![null, 1].includes(report.audits[ref.id].score)).map(ref => ref.id))].sort();
        const timing = m => median(reports.map(r => r.audits[m].numericValue));
        const fcp = timing(METRICS[0]);
        staticFcp[preset] ??= fcp;
        console.log(`| ${name} | ${preset} | ${CATEGORIES.map(c => Math.round(100 * report.categories[c].score)).join(' | ')} | `
            + `${METRICS.map(m => shown(m, timing(m))).join(' | ').replace(/ s/, ` s (${(fcp / staticFcp[preset]).toFixed(2)})`)} | `
            + `${flagged.join(', ') || 'nothing'} |`);
    }
}
console.log('budgets: 100 in all four, mobile and desktop; mobile FCP at most 1.10 times the static page\'s, CLS at most 0.02');
await Promise.all(hosts.map(h => h.stop()));
rmSync(static_, {recursive: true, force: true});
