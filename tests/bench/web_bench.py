#!/usr/bin/env python3
"""The page's budgets, beside a static page that holds the same controls and no program:
  - the bytes of index.html, the script and the module (at most 512 KiB);
  - the time from navigation to the dictionary window shown, in headless Chromium (at most
    150 ms): the first frame after Form1 became visible, from the page's time origin;
  - Lighthouse's four scores, mobile and desktop (the pinned npm package in tests/web, on
    Debian's Chromium), on the folder served as static hosts serve it: gzip, a cache lifetime.
The static page is the built page's own DOM once started, with its scripts removed.

usage: /usr/bin/python3 tests/bench/web_bench.py [page folder, build/web] [loads, 20]
           [Lighthouse runs per row, 3; the median run by performance is shown]
"""

import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

WEB = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'web')
sys.path.insert(0, WEB)
from browser import FLAGS, Chromium, serve  # noqa: E402
from host import Host  # noqa: E402

from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

# Marks the first frame after Form1 shows, whether the parser or the program shows it.
PROBE = """
new MutationObserver(function(records, observer) {
    const form = document.querySelector('[data-name="Form1"]');
    if (!form || form.hidden)
        return;
    observer.disconnect();
    const visible = performance.now();
    requestAnimationFrame(() => setTimeout(() => {
        window.velmoraShown = [visible, performance.now()];
    }));
}).observe(document, {childList: true, subtree: true, attributes: true});
"""

STATIC = """
const page = document.documentElement.cloneNode(true);
page.querySelectorAll('script, noscript, .v-measure').forEach(e => e.remove());
return '<!DOCTYPE html>\\n' + page.outerHTML;
"""


def measure(browser, url, loads):
    """[visible ms, frame ms] of each load."""
    times = []
    for _ in range(loads):
        browser.driver.get(url)
        times.append(WebDriverWait(browser.driver, 10).until(
            lambda d: d.execute_script('return window.velmoraShown')))
    return times


LIGHTHOUSE = os.path.join(WEB, 'node_modules', '.bin', 'lighthouse')
CATEGORIES = ('performance', 'accessibility', 'best-practices', 'seo')
METRICS = ('first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time')


def lighthouse(url, preset):
    """Lighthouse's report of one cold load of `url`."""
    command = [LIGHTHOUSE, url, '--quiet', '--output=json', '--chrome-flags=' + ' '.join(FLAGS)]
    if preset == 'desktop':
        command.append('--preset=desktop')
    run = subprocess.run(command, check=True, capture_output=True, text=True,
                         env=dict(os.environ, CHROME_PATH='/usr/bin/chromium'))
    return json.loads(run.stdout)


def print_lighthouse(rows, runs):
    if not os.path.exists(LIGHTHOUSE):
        print(f'Lighthouse: not installed ({LIGHTHOUSE}); bash scripts/setup.sh test installs it')
        return
    print(f'Lighthouse {lighthouse_version()}, simulated throttling, gzip and '
          f'Cache-Control max-age, median of {runs} runs by performance')
    print('| page | preset | performance | accessibility | best practices | SEO '
          '| FCP | LCP | TBT | flagged |')
    print('|---|---|---|---|---|---|---|---|---|---|')
    for name, folder in rows:
        host = Host(folder)
        try:
            for preset in ('mobile', 'desktop'):
                reports = sorted((lighthouse(host.url, preset) for _ in range(runs)),
                                 key=lambda r: r['categories']['performance']['score'])
                report = reports[len(reports) // 2]
                scores = [round(100 * report['categories'][c]['score']) for c in CATEGORIES]
                metrics = [report['audits'][m]['displayValue'] for m in METRICS]
                flagged = sorted({ref['id'] for c in report['categories'].values()
                                  for ref in c['auditRefs'] if ref['weight'] > 0
                                  and report['audits'][ref['id']]['score'] not in (None, 1)})
                print(f'| {name} | {preset} | ' + ' | '.join(map(str, scores + metrics))
                      + f' | {", ".join(flagged) or "nothing"} |')
        finally:
            host.stop()
    print('budgets: mobile performance 98 and 100 in the others, desktop 100 in all four')


def lighthouse_version():
    with open(os.path.join(WEB, 'node_modules', 'lighthouse', 'package.json')) as package:
        return json.load(package)['version']


def main():
    site = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else 'build/web')
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    static = tempfile.mkdtemp(prefix='velmora-static-')
    program_url = serve(site) + 'index.html'
    # The static page comes from another browser, so each page's first load below is a cold one.
    browser = Chromium()
    try:
        browser.driver.get(program_url)
        WebDriverWait(browser.driver, 10).until(lambda d: d.execute_script(
            'const f = document.querySelector(\'[data-name="Form1"]\'); return f && !f.hidden'))
        with open(os.path.join(static, 'index.html'), 'w', encoding='utf-8') as page:
            page.write(browser.driver.execute_script(STATIC))
    finally:
        browser.quit()
    for name in os.listdir(site):
        if name.endswith(('.svg', '.png', '.webmanifest')):
            shutil.copy(os.path.join(site, name), static)
    static_url = serve(static) + 'index.html'
    browser = Chromium()
    try:
        browser.cdp('Page.addScriptToEvaluateOnNewDocument', source=PROBE)
        # A first page with the same fonts, so that no row pays for the browser's own start.
        browser.driver.get('data:text/html,<p style="font-family: IPAPGothic">日本 '
                           '<b style="font-family: DejaVu Sans Condensed">Kanji</b>')

        def size(folder, *names):
            return sum(os.path.getsize(os.path.join(folder, name)) for name in names)

        rows = [('static page', size(static, 'index.html'), static_url, static),
                ('program', size(site, 'index.html', 'velmora-kanji.js'), program_url, site)]
        print(f'{loads} loads each, headless Chromium, fresh profile; '
              'icons and manifest not counted')
        print(f'| page | bytes | over | shown: first load | median | max | visible (median) |')
        print(f'|---|---|---|---|---|---|---|')
        for name, total, http, folder in rows:
            for how, url in (('HTTP', http), ('file://', 'file://' + folder + '/index.html')):
                times = measure(browser, url, loads)
                frames = [frame for _, frame in times]
                print(f'| {name} | {total:,} ({total / 1024:.0f} KiB) | {how} '
                      f'| {frames[0]:.0f} ms | {statistics.median(frames):.0f} ms '
                      f'| {max(frames):.0f} ms '
                      f'| {statistics.median(v for v, _ in times):.0f} ms |')
        print(f'budgets: {512 * 1024:,} bytes (512 KiB), 150 ms to the window shown')
        folder = sum(os.path.getsize(os.path.join(site, name)) for name in os.listdir(site))
        print(f'the whole folder, which the service worker keeps: {folder:,} bytes '
              f'({folder / 1024:.0f} KiB)')
    finally:
        browser.quit()
    try:
        print_lighthouse([('static page', static), ('program', site)], runs)
    finally:
        shutil.rmtree(static, ignore_errors=True)


if __name__ == '__main__':
    main()
