#!/usr/bin/env python3
"""The page's budgets, beside a static page that holds the same controls and no program:
  - the bytes of index.html, the script and the module (at most 512 KiB);
  - the time from navigation to the dictionary window shown, in headless Chromium (at most
    150 ms): the first frame after Form1 became visible, from the page's time origin.
The static page is the built page's own DOM once started, with its scripts removed.

usage: /usr/bin/python3 tests/bench/web_bench.py [page folder, build/web] [loads, 20]
"""

import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'web'))
from browser import Chromium, serve  # noqa: E402

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


def main():
    site = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else 'build/web')
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 20
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
    shutil.copy(os.path.join(site, 'org.velmora.Kanji.svg'), static)
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
        print(f'{loads} loads each, headless Chromium, fresh profile; icon not counted')
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
    finally:
        browser.quit()
        shutil.rmtree(static, ignore_errors=True)


if __name__ == '__main__':
    main()
