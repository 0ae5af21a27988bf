#!/usr/bin/env python3
"""The page contract of the browser build, the same cases in each engine (Chromium, WebKit,
Firefox): every control against the layout tables, each handler's wiring once through real clicks,
alerts and prompts, the bad input a browser adds, and what a screen reader is told. The rules
themselves are tested in the core and on the desktop's windows.

usage: page_test.py --engine chromium|webkit|firefox --site <page folder>
                    --layout <node> <layout_json.js> [unittest arguments]
"""

import argparse
import json
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import BOX, ENGINES, ESCAPE, Unsupported, serve  # noqa: E402

TAB, ENTER, F1 = '\ue004', '\ue007', '\ue031'  # WebDriver's key values
SITE = URL = WINDOWS = ENGINE = None  # set by main()
AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'node_modules', 'axe-core',
                   'axe.min.js')

HELP_START = 'Do you know that the most frequently used kanji (1945) consist of:'
ENDED = 'Velmora Kanji has ended. Reload the page to start it again.'
FIRST = 'Sorry, This is the first record. Enter the record number (1 to 320) !'
LAST = 'Sorry, This is the last record. Enter the record number (1 to 320) !'
HIDDEN_AT_START = {'Command3', 'Command9', 'Label12', 'Label13', 'Label2', 'Label3', 'Label11'}
LOADED_CAPTIONS = {'Label7': 'The Kunyomi:'}  # Form_Load's captions where the table's differ
TITLE = 'Online Kanji Learning Program'  # every box's, app/identity.h's ProgramTitle

# The names of the windows shown.
SHOWN = """return [...document.querySelectorAll('[data-name^="Form"]')]
    .filter(w => getComputedStyle(w).display !== 'none').map(w => w.dataset.name);"""

# Each control of a window as the page draws it: boxes relative to the client area, measured with
# hidden controls shown for a moment.
MEASURE = """
const window_ = document.querySelector(`[data-name="${arguments[0]}"]`);
const client = window_.querySelector('.v-client').getBoundingClientRect();
const controls = {};
for (const e of window_.querySelectorAll('[data-name]')) {
    const display = getComputedStyle(e).display;
    const hidden = e.hidden;
    e.hidden = false;
    const box = e.getBoundingClientRect();
    e.hidden = hidden;
    const by = id => id && document.getElementById(id) && document.getElementById(id).dataset.name;
    controls[e.dataset.name] = {
        tag: e.tagName + (e.type ? ':' + e.type : ''), display,
        checkbox: !!e.querySelector('input[type=checkbox]'),
        left: box.left - client.left, top: box.top - client.top,
        width: box.width, height: box.height, maxLength: e.maxLength,
        text: e.tagName === 'INPUT' ? e.value : e.textContent,
        role: e.getAttribute('role'), tabIndex: e.tabIndex, inMenu: !!e.closest('.v-menubar'),
        shortcut: e.getAttribute('aria-keyshortcuts'),
        describedBy: by(e.getAttribute('aria-describedby')),
        labelledBy: by(e.getAttribute('aria-labelledby'))};
}
return {title: window_.querySelector('.v-title').textContent,
    width: client.width, height: client.height, controls};
"""

# Each shown control's text, visibility and background.
STATE = """
const out = {};
for (const e of document.querySelectorAll(`[data-name="${arguments[0]}"] [data-name]`))
    out[e.dataset.name] = {text: e.tagName === 'INPUT' ? e.value : e.textContent,
        shown: getComputedStyle(e).display !== 'none',
        background: getComputedStyle(e).backgroundColor};
return out;
"""

# What is cut off in the shown windows: a window beyond the page's width, a caption beyond its
# box, a value the program wrote beyond its text box, or a caption drawn smaller, without a tooltip
# that holds it whole. What the user typed scrolls in its box, as in any text box.
CUT_OFF = """
window.velmoraTyped = new WeakSet();
window.velmoraCutOff = function() {
    const cut = [];
    const width = document.documentElement.clientWidth;
    for (const w of document.querySelectorAll('[data-name^="Form"]')) {
        if (getComputedStyle(w).display === 'none')
            continue;
        const box = w.getBoundingClientRect();
        if (box.left < 0 || box.right > width + 0.5)
            cut.push(w.dataset.name + ' is wider than the page');
        for (const e of w.querySelectorAll('[data-name]')) {
            if (getComputedStyle(e).display === 'none' || velmoraTyped.has(e))
                continue;
            const over = e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight;
            if (over && !(e.tagName === 'INPUT' && e.title === e.value))
                cut.push(e.dataset.name + ': ' + (e.value || e.textContent));
            // A caption drawn narrower or smaller than its font holds it whole in its tooltip.
            const style = getComputedStyle(e);
            const full = Math.round(parseFloat(e.dataset.points) * 96 / 72);
            const shrunk = parseFloat(style.fontSize) < full || parseFloat(style.fontStretch) < 100;
            if (shrunk && e.title !== e.textContent)
                cut.push(e.dataset.name + ' shrunk without its tooltip: ' + e.textContent);
        }
    }
    return cut;
};
"""

# The controls of the shown windows that a user cannot see: each shown control that holds text or
# takes input must be the topmost element at its box's centre (a frame: at its caption's), or
# hold what is.
COVERED = """
window.velmoraCovered = function() {
    const covered = [];
    const page = document.scrollingElement;
    for (const w of document.querySelectorAll('[data-name^="Form"]')) {
        for (const e of w.querySelectorAll('[data-name]')) {
            const part = e.querySelector(':scope > .v-caption') || e;
            if (!part.getClientRects().length
                || !(e.matches('input, button, label') || part.textContent.trim()))
                continue;
            let box = part.getBoundingClientRect();
            page.scrollTop += Math.min(0, box.top) + Math.max(0, box.bottom - innerHeight);
            page.scrollLeft += Math.min(0, box.left) + Math.max(0, box.right - innerWidth);
            box = part.getBoundingClientRect();
            const top = document.elementFromPoint(box.left + box.width / 2,
                                                  box.top + box.height / 2);
            if (!top || !part.contains(top)) {
                const over = top && (top.closest('[data-name]') || {dataset: {name: top.tagName}});
                covered.push(e.dataset.name + ' under ' + (over && over.dataset.name));
            }
        }
    }
    page.scrollTop = page.scrollLeft = 0;
    return covered;
};
"""

# Steps through every record with the details shown, then puts every kanji through the reader
# and a long verb through the conjugator, collecting what is cut off on the way.
WALK = CUT_OFF + COVERED + """
const done = arguments[arguments.length - 1];
// A task after the handler's, without the clamp of nested timers.
const tick = () => new Promise(resolve => {
    const channel = new MessageChannel();
    channel.port1.onmessage = resolve;
    channel.port2.postMessage(0);
});
const get = (form, name) => document.querySelector(`[data-name="${form}"] [data-name="${name}"]`);
(async () => {
    const cut = new Set([...velmoraCutOff(), ...velmoraCovered()]);
    const kanji = [];
    get('Form1', 'Command4').click();
    for (let record = 1; record <= 320; ++record) {
        get('Form1', 'Command7').click();
        await tick();
        kanji.push(get('Form1', 'Label1').textContent);
        [...velmoraCutOff(), ...velmoraCovered()].forEach(c => cut.add(c));
    }
    get('Form1', 'Command10').click();
    await tick();
    velmoraTyped.add(get('Form2', 'Text1')).add(get('Form2', 'Text2'));
    for (let start = 0; start < kanji.length; start += 62) {
        get('Form2', 'Text1').value = kanji.slice(start, start + 62).join('');
        get('Form2', 'Command1').click();
        await tick();
        for (let cell = 0; cell < 62 && start + cell < kanji.length; ++cell) {
            get('Form2', `Label2[${cell}]`).click();
            await tick();
            [...velmoraCutOff(), ...velmoraCovered()].forEach(c => cut.add(c));
        }
    }
    get('Form2', 'Text2').value = 'benkyousuru';
    get('Form2', 'Command4').click();
    await tick();
    [...velmoraCutOff(), ...velmoraCovered()].forEach(c => cut.add(c));
    done([...cut]);
})();
"""

# The contrast of every shown text of the windows (or of the elements a selector names) against
# the colour it stands on (WCAG 2).
CONTRAST = """
const rgb = s => s.match(/[\\d.]+/g).map(Number);
const channel = v => (v /= 255) <= 0.04045 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4);
const luminance = c => 0.2126 * channel(c[0]) + 0.7152 * channel(c[1]) + 0.0722 * channel(c[2]);
const background = e => {
    for (; e; e = e.parentElement) {
        const c = rgb(getComputedStyle(e).backgroundColor);
        if (c.length < 4 || c[3] > 0)
            return c;
    }
    return rgb(getComputedStyle(document.body).backgroundColor);
};
const low = [];
for (const e of document.querySelectorAll(arguments[0] || '[data-name^="Form"] *')) {
    if (!e.getClientRects().length)
        continue;
    const text = e.tagName === 'INPUT' ? (e.type === 'text' ? e.value : '') : [...e.childNodes]
        .filter(n => n.nodeType === Node.TEXT_NODE).map(n => n.data).join('').trim();
    if (!text)
        continue;
    const a = luminance(rgb(getComputedStyle(e).color)), b = luminance(background(e));
    const ratio = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
    if (ratio < 4.5)
        low.push((e.closest('[data-name]') || e).dataset.name + ' ' + ratio.toFixed(2));
}
return low;
"""


# What a thumb and an eye meet in a shown window or box (a selector): targets under 44 x 44 CSS px or beyond the
# screen, text under 14 px (16 px in a text box, so that no phone zooms in on it), a page that
# scrolls sideways, controls over one another; the size of each control's text, and each shown
# control's box in the page's order.
TOUCH = """
const root = document.documentElement;
const problems = [];
if (root.scrollWidth > root.clientWidth)
    problems.push(`the page scrolls sideways: ${root.scrollWidth} > ${root.clientWidth}`);
const window_ = document.querySelector(arguments[0]);
const shown = e => e.getClientRects().length > 0;
const name = e => (e.closest('[data-name]') || e).dataset.name || e.className;
for (const e of window_.querySelectorAll('button, input[type=text], .v-check, [role=button]')) {
    const box = e.getBoundingClientRect();
    if (shown(e) && (box.width < 44 || box.height < 44 || box.left < 0
                     || box.right > root.clientWidth))
        problems.push(`${name(e)}: ${box.left}, ${box.width} x ${box.height}`);
}
const sizes = {};
for (const e of window_.querySelectorAll('*')) {
    const input = e.tagName === 'INPUT' && e.type === 'text';
    if (!shown(e) || e.closest('.v-live') || !(input || [...e.childNodes].some(
            n => n.nodeType === Node.TEXT_NODE && n.data.trim())))
        continue;
    const size = parseFloat(getComputedStyle(e).fontSize);
    if (size < (input ? 16 : 14))
        problems.push(`${name(e)} has ${size} px text`);
    sizes[name(e)] = Math.max(size, sizes[name(e)] || 0);
}
const boxes = [...window_.querySelectorAll('.v-client > [data-name]')].filter(shown).map(e => {
    const b = e.getBoundingClientRect();
    return [e.dataset.name, b.left, b.top, b.right, b.bottom];
});
for (const [i, a] of boxes.entries()) {
    for (const b of boxes.slice(i + 1)) {
        if (a[1] < b[3] - 0.5 && b[1] < a[3] - 0.5 && a[2] < b[4] - 0.5 && b[2] < a[4] - 0.5)
            problems.push(`${a[0]} and ${b[0]} overlap`);
    }
}
return {problems, sizes, boxes};
"""

# Scrolls the control to the middle of the screen, notes its next click, and gives its middle.
AIM = """
const e = document.querySelector(arguments[0]);
e.scrollIntoView({block: 'center'});
window.velmoraTapped = false;
e.addEventListener('click', () => window.velmoraTapped = true, {once: true});
const box = e.getBoundingClientRect();
return [box.left + box.width / 2, box.top + box.height / 2];
"""

# Phones in portrait, narrowest first, in CSS pixels, and one turned.
PHONES = [(320, 568), (360, 740), (390, 844), (430, 932)]
TURNED = (844, 390)
KANJI = {'Form1': ['Label1'], 'Form2': [f'Label2[{i}]' for i in range(62)]}

# The name of the control that has the focus.
ACTIVE = 'const e = document.activeElement.closest("[data-name]"); return e && e.dataset.name;'

# What the live regions say from now on, those of windows made later too.
LISTEN = """
window.velmoraSaid = [];
new MutationObserver(records => {
    const lives = new Set(records.map(r => (r.target.closest ? r.target : r.target.parentElement)
        .closest('.v-live')).filter(live => live));
    lives.forEach(live => velmoraSaid.push(live.textContent));
}).observe(document.getElementById('velmora'), {childList: true, characterData: true, subtree: true});
"""

# Japanese text in the shown windows that is not marked as Japanese.
UNMARKED = """
const japanese = /[\u3040-\u30ff\u3400-\u4dbf\u4e00-\u9fff]/;
const walker = document.createTreeWalker(document.getElementById('velmora'), NodeFilter.SHOW_TEXT);
const unmarked = [];
for (let node; (node = walker.nextNode());) {
    const element = node.parentElement;
    if (japanese.test(node.data) && element.getClientRects().length
        && element.closest('[lang]').lang !== 'ja')
        unmarked.push(node.data);
}
return unmarked;
"""

# The WCAG 2.2 A and AA violations axe-core finds in the page, as [rule, element] pairs.
AXE_RUN = """
const done = arguments[arguments.length - 1];
axe.run(document, {resultTypes: ['violations'], runOnly: {type: 'tag',
        values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22a', 'wcag22aa']}})
    .then(r => done(r.violations.flatMap(v => v.nodes.map(n => [v.id, n.target.join(' ')]))),
          e => done([['axe failed', String(e)]]));
"""


class Page(unittest.TestCase):
    """One browser of the engine per class; every test starts from a freshly loaded page and ends
    with a console free of errors. Each step checks that what it left is drawn."""

    @classmethod
    def setUpClass(cls):
        cls.browser = ENGINES[ENGINE]()
        if cls.browser.console:
            cls.skipCheck(cls, 'errors at start', cls.browser.console)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    screen = None  # (width, height) of a phone
    dark = False  # whether the visitor prefers the dark colour scheme
    touch = False  # whether a finger does the clicks and typing: where DevTools emulate it

    def setUp(self):
        if self.screen:
            try:
                self.phone(*self.screen)
            except Unsupported as reason:
                self.skipTest(f'no phone screen: {reason}')
            self.touch = hasattr(self.browser, 'cdp')
            if self.touch:
                self.browser.cdp('Emulation.setTouchEmulationEnabled', enabled=True,
                                 maxTouchPoints=5)
                self.browser.colour_scheme(self.dark)
        self.open()

    def tearDown(self):
        if self.browser.has_box():
            self.browser.box(None)
            self.fail('a box was left open')
        if self.screen:
            for form in self.script(SHOWN):
                self.assertForTouch(form)
        self.assertEqual(self.browser.errors(), [])

    def skipCheck(self, what, reason):
        """Skips one check that this engine cannot make, and says so in the output."""
        print(f'\n  {ENGINE}: skipped {what}: {reason}', file=sys.stderr, flush=True)

    def script(self, source, *arguments):
        return self.browser.script(source, *arguments)

    def until(self, condition, seconds=10):
        for _ in range(int(seconds / 0.05)):
            if condition():
                return
            time.sleep(0.05)
        self.fail('waited in vain')

    def assertDrawn(self):
        """The property of every state: each shown control that holds text or takes input is
        the topmost element at its own box."""
        self.assertEqual(self.script(COVERED + 'return velmoraCovered();'), [])

    def open(self, url=None):
        self.browser.open(url or URL)
        self.until(lambda: self.script(SHOWN) == ['Form1'])
        self.assertDrawn()

    def selector(self, form, name):
        return f'[data-name="{form}"] [data-name="{name}"]'

    def step(self):
        if not self.browser.has_box():
            self.assertDrawn()

    def click(self, form, name):
        if self.touch:
            self.tap(form, name)
        else:
            self.browser.click(self.selector(form, name))
        self.step()

    def type(self, form, name, text):
        if self.touch:  # as an on-screen keyboard types over what the finger selected
            self.tap(form, name)
            self.script('document.querySelector(arguments[0]).select()', self.selector(form, name))
            self.browser.cdp('Input.insertText', text=text)
        else:
            self.browser.type(self.selector(form, name), text)
        self.step()

    def state(self, form):
        return self.script(STATE, form)

    def texts(self, form, *names):
        state = self.state(form)
        return [state[name]['text'] for name in names]

    def box(self, answer=''):
        """Answers the open box: OK with `answer` typed into a prompt, or Cancel for None. On a
        phone, every box is first held to the window's rules for a thumb."""
        if self.screen and self.browser.has_box(5):
            self.assertEqual(self.script(TOUCH, BOX)['problems'], [])
        text = self.browser.box(answer)
        self.step()
        return text

    def assertNoBox(self):
        self.assertFalse(self.browser.has_box(0.3))

    def window(self, form):
        return next(w for w in WINDOWS if w['name'] == form)

    def phone(self, width, height):
        """A phone's screen of that many CSS pixels, which the page hears of at its next frame;
        Unsupported where the engine cannot set one."""
        self.browser.metrics(width, height, 3, True)
        self.browser.async_script(
            'requestAnimationFrame(() => requestAnimationFrame(arguments[0]))')

    def desk(self):
        try:
            self.browser.metrics(None, None, None, None)
        except Unsupported:
            pass

    def tap(self, form, name):
        """A finger's tap at the middle of the control, which must reach the control."""
        x, y = self.script(AIM, self.selector(form, name))
        self.browser.cdp('Input.dispatchTouchEvent', type='touchStart',
                         touchPoints=[{'x': x, 'y': y}])
        self.browser.cdp('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])
        self.until(lambda: self.script('return window.velmoraTapped'), 5)

    def assertTabOrder(self, form, focused_first=False):
        """The page's order of the window's controls is the table's tab order, and Tab visits
        them so."""
        window = self.window(form)
        by_tab = sorted(window['controls'], key=lambda r: r['tab'])
        self.assertEqual(self.script(
            'return [...document.querySelectorAll(`[data-name="${arguments[0]}"] .v-client '
            '> [data-name]`)].map(e => e.dataset.name)', form), [r['name'] for r in by_tab])
        shown = self.state(form)
        expected = [row['name'] for row in by_tab
                    if row['kind'] in ('button', 'textbox', 'checkbox') and row['tab'] >= 0
                    and shown[row['name']]['shown']]
        if focused_first:  # shown, the window has the focus on its first control in tab order
            self.assertEqual(self.script(ACTIVE), expected[0])
        # Tab goes on from where the user clicked last: the window's title.
        self.browser.click(f'[data-name="{form}"] .v-title')
        visited = []
        for _ in range(len(expected) + 1):
            self.browser.key(TAB)
            visited.append(self.script(ACTIVE))
        # The menu bar's Help comes first, as the menu bar stands before the client area.
        if window['menu']:
            self.assertEqual(visited.pop(0), 'Help')
        self.assertEqual(visited[:len(expected)], expected)

    def assertForTouch(self, form):
        """The shown window for a thumb, its kanji the largest text, and its lines read one
        below the other, each left to right or wrapping downwards."""
        found = self.script(TOUCH, f'[data-name="{form}"]')
        self.assertEqual(found['problems'], [])
        self.assertEqual(self.script(CONTRAST), [])
        kanji = [size for name, size in found['sizes'].items() if name in KANJI[form]]
        if kanji:
            self.assertGreater(min(kanji), max(size for name, size in found['sizes'].items()
                                               if name not in KANJI[form]))
        rows = {row['name']: row for row in self.window(form)['controls']}
        boxes = sorted(found['boxes'], key=lambda b: (rows[b[0]]['line'], rows[b[0]]['place']))
        above = float('-inf')  # the bottom of the lines before
        for before, (name, left, top, right, bottom) in zip([None] + boxes, boxes):
            if before is None or rows[before[0]]['line'] != rows[name]['line']:
                self.assertGreaterEqual(top, above - 0.5, name)
            else:
                self.assertTrue(left >= before[3] - 0.5 or top >= before[4] - 0.5, name)
            above = max(above, bottom)

    def assertDesktopLayout(self, form):
        """The page contract: each control where its layout row puts it."""
        page = self.script(MEASURE, form)
        for row in self.window(form)['controls']:
            self.assertEqual([page['controls'][row['name']][k] for k in
                              ('left', 'top', 'width', 'height')],
                             [row[k] for k in ('left', 'top', 'width', 'height')], row['name'])


class Contract(Page):
    def test_every_control_is_its_layout_row(self):
        for window in WINDOWS:
            form = window['name']
            if form == 'Form2':
                self.click('Form1', 'Command10')
            self.assertEqual(self.script(SHOWN), [form])
            self.assertEqual(self.script('return document.title'), window['caption'])
            page = self.script(MEASURE, form)
            self.assertEqual(page['title'], window['caption'])
            self.assertEqual([page['width'], page['height']], [window['width'], window['height']])
            rows = window['controls'] + window['menu']
            self.assertEqual(sorted(page['controls']), sorted(row['name'] for row in rows))
            for item in window['menu']:
                control = page['controls'][item['name']]
                self.assertEqual([control['tag'], control['text'], control['inMenu']],
                                 ['BUTTON:button', item['caption'], True])
                self.assertEqual(control['shortcut'], item['shortcut'])
            for row in window['controls']:
                name, kind = row['name'], row['kind']
                with self.subTest(form=form, control=name):
                    control = page['controls'][name]
                    self.assertEqual(
                        [control[k] for k in ('left', 'top', 'width', 'height')],
                        [row[k] for k in ('left', 'top', 'width', 'height')])
                    hidden = form == 'Form1' and name in HIDDEN_AT_START
                    self.assertEqual(control['display'] == 'none', hidden)
                    if kind == 'textbox':
                        self.assertEqual([control['tag'], control['maxLength']],
                                         ['INPUT:text', -1])
                        self.assertEqual(control['labelledBy'], row['prompt'])
                        continue
                    caption = LOADED_CAPTIONS.get(name, row['caption']) if form == 'Form1' \
                        else row['caption']
                    self.assertEqual(control['text'], caption)
                    if kind == 'button':
                        self.assertEqual(control['tag'], 'BUTTON:button')
                    elif kind == 'checkbox':
                        self.assertTrue(control['tag'] == 'INPUT:checkbox' or control['checkbox'])
                    elif kind == 'label':
                        self.assertFalse(control['tag'].startswith(('INPUT', 'BUTTON')))
                        self.assertEqual(control['describedBy'], row['prompt'] or None)
                    if name.endswith(']'):  # a cell: a button only while it holds a letter
                        self.assertEqual([control['role'], control['tabIndex']],
                                         ['button' if control['text'] else None, -1])

    def test_tab_order_is_the_layouts(self):
        for window in WINDOWS:
            if window['name'] == 'Form2':
                self.click('Form1', 'Command10')
            self.assertTabOrder(window['name'], focused_first=True)

    def test_turning_the_phone(self):
        """Narrower than a window, its arrangement for touch; as wide or wider, the desktop's."""
        try:
            self.phone(*PHONES[2])
        except Unsupported as reason:
            return self.skipCheck('turning the phone', reason)
        try:
            for form in ('Form1', 'Form2'):
                self.open()
                if form == 'Form2':
                    self.click('Form1', 'Command10')
                for width, height in (PHONES[2], TURNED, PHONES[2]):
                    with self.subTest(form=form, width=width):
                        self.phone(width, height)
                        if width > height:
                            self.assertDesktopLayout(form)
                        else:
                            self.assertForTouch(form)
                            self.assertTabOrder(form)
        finally:
            self.desk()


class Handlers(Page):
    def test_search_water(self):
        self.type('Form1', 'Text1', ' Water ')
        self.click('Form1', 'Command2')
        self.assertEqual(
            self.texts('Form1', 'Label1', 'Label2', 'Label3', 'Label15', 'Label18', 'Text1',
                       'Label11'),
            ['水', 'mizu', 'sui', ' 264', '4', 'water', '水曜日\u3000suiyoubi (Wednesday)'])
        self.type('Form1', 'Text1', 'nothing')
        self.click('Form1', 'Command2')
        self.assertEqual(self.box(), 'Sorry, the word is not yet in the dictionary!')

    def test_mizu_after_japanese_to_english(self):
        self.click('Form1', 'Command6')
        self.type('Form1', 'Text1', 'mizu')
        self.click('Form1', 'Command2')
        state = self.state('Form1')
        self.assertEqual([state[n]['text'] for n in ('Label1', 'Label2', 'Label7', 'Label8')],
                         ['水', 'water', 'The English word:', 'Enter the Kunyomi:'])
        self.assertEqual([state[n]['shown'] for n in ('Label2', 'Label3', 'Label11')],
                         [True, False, False])
        self.click('Form1', 'Command5')
        self.assertEqual(self.texts('Form1', 'Label7', 'Label8', 'Label1', 'Text1'),
                         ['The Kunyomi:', 'Enter the English word:', '', ''])

    def test_browse_prompts(self):
        for answer in ('abc', None):  # not a number; Cancel: the record stays where it was
            self.click('Form1', 'Command8')
            self.assertEqual(self.box(answer), FIRST)
            self.assertEqual(self.texts('Form1', 'Label15'), [''])
        self.click('Form1', 'Command8')
        self.assertEqual(self.box('10.5'), FIRST)  # 10.5 + 1, halves to even: 12
        self.assertEqual(self.texts('Form1', 'Label15'), [''])
        for button, shown in (('Command8', ' 11'), ('Command7', ' 12')):
            self.click('Form1', button)
            self.assertEqual(self.texts('Form1', 'Label15'), [shown])
        self.open()
        self.click('Form1', 'Command8')
        self.box('320')
        self.click('Form1', 'Command8')
        self.assertEqual(self.texts('Form1', 'Label15', 'Label1'), [' 320', '曰'])
        self.click('Form1', 'Command7')
        self.assertEqual(self.box('10'), LAST)
        self.click('Form1', 'Command7')
        self.assertEqual(self.texts('Form1', 'Label15'), [' 11'])

    def test_toggles_and_help(self):
        details = ('Label2', 'Label3', 'Label11')
        for shown in (True, False):
            self.click('Form1', 'Command4')
            state = self.state('Form1')
            self.assertEqual([state[n]['shown'] for n in details], [shown] * 3)
        self.click('Form1', 'Help')
        text = self.box()
        self.assertTrue(text.startswith(HELP_START), text)
        self.assertTrue(text.endswith('of almost 67 % of them!'), text)
        self.browser.key(F1)
        self.assertEqual(self.box(), text)

    def test_reader(self):
        self.click('Form1', 'Command10')
        self.assertEqual(self.script('return document.title'), 'Velmora University, Japan')
        self.type('Form2', 'Text1', '日本語の本')
        self.click('Form2', 'Command1')
        cells = [f'Label2[{i}]' for i in range(6)]
        self.assertEqual(self.texts('Form2', *cells), ['日', '本', '語', 'の', '本', ''])
        plain = self.state('Form2')['Label2[0]']['background']
        for cell, meaning in ((0, 'hi; nichi/jitsu; day'), (4, 'moto; hon; origin; book')):
            self.click('Form2', f'Label2[{cell}]')
            state = self.state('Form2')
            self.assertEqual(state['Label1']['text'], meaning)
            self.assertEqual([state[c]['background'] for c in cells],
                             [('rgb(255, 255, 255)' if i == cell else plain) for i in range(6)])
        self.click('Form2', 'Label2[3]')  # kana: nothing found, nothing highlighted
        state = self.state('Form2')
        self.assertEqual([state['Label1']['text'], state['Label2[4]']['background']], ['', plain])
        self.click('Form2', 'Command2')
        self.assertEqual(self.script(SHOWN), ['Form1'])
        self.click('Form1', 'Command10')
        self.assertEqual(self.texts('Form2', 'Text1', 'Label2[0]'), ['日本語の本', '日'])

    def test_conjugation_all_ten_forms(self):
        self.click('Form1', 'Command10')
        labels = [f'Label{n}' for n in range(5, 15)]
        for verb, forms in (
                ('taberu', 'taberu tabemasu tabeta tabete tabero tabereba tabeyou tabenai '
                           'taberareru tabesaseru'),
                ('iku', 'iku ikimasu itta itte ike ikeba ikou ikanai ikareru ikaseru')):
            self.type('Form2', 'Text2', verb)
            self.click('Form2', 'Command4')
            self.assertEqual(self.texts('Form2', *labels), forms.split())
        self.click('Form2', 'Check2')  # untick masu: its label keeps the last result
        self.type('Form2', 'Text2', 'taberu')
        self.click('Form2', 'Command4')
        self.assertEqual(self.texts('Form2', 'Label5', 'Label6'), ['taberu', 'ikimasu'])

    def test_exit(self):
        self.click('Form1', 'Command10')
        self.click('Form2', 'Command2')
        self.click('Form1', 'Command1')
        self.assertEqual(self.script('return document.querySelectorAll("[data-name]").length'), 0)
        self.assertEqual(self.script('return document.body.innerText').strip(), ENDED)
        self.browser.key(F1)
        self.assertNoBox()


class Browser(Page):
    def test_file_start(self):
        self.open('file://' + os.path.join(SITE, 'index.html'))
        self.type('Form1', 'Text1', 'water')
        self.click('Form1', 'Command2')
        self.assertEqual(self.texts('Form1', 'Label1', 'Label15'), ['水', ' 264'])
        self.click('Form1', 'Help')  # the boxes from disk too
        self.assertTrue(self.box().startswith(HELP_START))

    def test_keys(self):
        self.script(
            'window.addEventListener("keydown", e => window.velmoraPrevented = e.defaultPrevented)')
        self.browser.key(F1)
        self.assertTrue(self.box().startswith(HELP_START))
        self.assertTrue(self.script('return window.velmoraPrevented'))
        # Enter on a focused button starts nothing, as on the desktop.
        self.browser.key(ENTER, self.selector('Form1', 'Command7'))
        self.assertEqual(self.texts('Form1', 'Label15'), [''])
        self.click('Form1', 'Command10')  # F1 belongs to the dictionary window
        self.browser.key(F1)
        self.assertNoBox()

    def paste(self, text=None):
        """Presses "or Paste from other source" over a text box holding "old"."""
        if text is not None:
            self.browser.write_clipboard(text)
        self.type('Form2', 'Text1', 'old')
        self.click('Form2', 'Command3')
        self.until(lambda: self.texts('Form2', 'Text1') != ['old'])
        return self.texts('Form2', 'Text1')[0]

    def test_paste(self):
        self.click('Form1', 'Command10')
        try:
            self.browser.clipboard(True)
        except Unsupported as reason:
            return self.skipCheck('pasting', reason)
        self.assertEqual(self.paste('日本語の本'), '日本語の本')
        long = '日本語の本。' * 33334
        self.assertEqual(self.paste(long[:200000]), long[:200000])
        self.assertEqual(self.script('return document.querySelector(arguments[0]).title',
                                     self.selector('Form2', 'Text1')), long[:200000])
        self.click('Form2', 'Command1')
        self.assertEqual(self.box(), 'We will take the first 62 letters only!')
        self.assertEqual(self.texts('Form2', 'Label2[60]', 'Label2[61]'), ['日', '本'])
        try:
            self.browser.clipboard(False)
        except Unsupported as reason:
            return self.skipCheck('a refused clipboard', reason)
        self.assertEqual(self.paste(), '')
        self.browser.clipboard(None)

    def test_paste_without_the_clipboard_api(self):
        try:
            self.browser.without_clipboard_api(True)
        except Unsupported as reason:
            return self.skipCheck('a browser without the Clipboard API', reason)
        try:
            self.open()
            self.click('Form1', 'Command10')
            self.assertEqual(self.paste(), '')
        finally:
            self.browser.without_clipboard_api(False)

    def test_nothing_else_runs_while_a_box_is_open(self):
        self.click('Form1', 'Command8')
        self.browser.key(F1)  # the shortcut, and a click that reaches a button behind anyway
        self.script('document.querySelector(arguments[0]).click()',
                    self.selector('Form1', 'Command7'))
        self.assertEqual(self.box(None), FIRST)
        self.assertNoBox()
        self.assertEqual(self.texts('Form1', 'Label15'), [''])

    def test_boxes_ask_where_the_browsers_own_are_stopped(self):
        self.script('window.alert = window.confirm = () => { throw new Error("stopped"); };'
                    'window.prompt = () => null;')
        self.click('Form1', 'Command8')
        self.assertEqual(self.box('320'), FIRST)
        self.click('Form1', 'Command8')
        self.assertEqual(self.texts('Form1', 'Label15'), [' 320'])
        self.click('Form1', 'Help')
        self.assertTrue(self.box().startswith(HELP_START))

    def test_readable_under_a_dark_colour_scheme(self):
        for switched in (False, True):  # dark at the start, and the scheme changed while running
            with self.subTest(switched=switched):
                try:
                    self.browser.colour_scheme(dark=not switched)
                except Unsupported as reason:
                    return self.skipCheck('the dark colour scheme', reason)
                self.open()
                if switched:
                    self.browser.colour_scheme(dark=True)
                self.type('Form1', 'Text1', 'water')
                self.click('Form1', 'Command2')
                self.click('Form1', 'Command4')
                self.assertEqual(self.script(CONTRAST), [])
                self.click('Form1', 'Help')
                self.assertTrue(self.browser.has_box(5))
                self.assertEqual(self.script(CONTRAST, BOX + ' *'), [])
                self.box()
                self.click('Form1', 'Command10')
                self.type('Form2', 'Text1', '水')
                self.click('Form2', 'Command1')
                self.click('Form2', 'Label2[0]')
                self.assertEqual(self.script(CONTRAST), [])
        self.browser.colour_scheme(dark=False)

    def test_nothing_cut_off_at_any_zoom(self):
        width, height = self.script('return [window.innerWidth, window.innerHeight]')
        # Zoom is a smaller page of CSS pixels, each of more device pixels; a phone is a narrow
        # page at start.
        zoom = lambda factor: (round(width / factor), round(height / factor), factor, False)
        try:
            for name, metrics, at_start in (
                    ('100 %', zoom(1), True), ('200 %', zoom(2), True),
                    ('200 % while running', zoom(2), False), ('50 %', zoom(0.5), True),
                    ('300 % while running', zoom(3), False), ('phone', (*PHONES[1], 3, True), True)):
                with self.subTest(name):
                    if not at_start:
                        self.open()
                    try:
                        self.browser.metrics(*metrics)
                    except Unsupported as reason:
                        if name != '100 %':
                            self.skipCheck(name, reason)
                            continue
                    if at_start:
                        self.open()
                    else:  # the page hears of the new size at its next frame
                        self.browser.async_script(
                            'requestAnimationFrame(() => requestAnimationFrame(arguments[0]))')
                    self.assertEqual(self.browser.async_script(WALK), [])
                    if metrics[3]:  # arranged for touch, not scaled down
                        self.assertForTouch('Form2')
        finally:
            try:
                self.browser.metrics(None, None, None, None)
            except Unsupported:
                pass

    def test_typed_text_stays_above_the_keyboard(self):
        width, height = PHONES[2]
        try:
            self.phone(width, height)
        except Unsupported as reason:
            return self.skipCheck('the keyboard', reason)
        focused = """
            const e = document.activeElement, b = e.getBoundingClientRect();
            return [e.dataset.name || e.className, b.top, b.bottom,
                    visualViewport.offsetTop + visualViewport.height]"""
        try:
            self.open()
            self.click('Form1', 'Command8')  # the browse prompt, its text box focused
            self.phone(width, height // 3)  # the keyboard takes the lower two thirds
            box = self.script(focused)
            self.assertEqual(box[0], 'v-box-entry')
            self.assertTrue(0 <= box[1] and box[2] <= box[3], box)
            self.box(None)
            self.phone(width, height)
            self.click('Form1', 'Command10')
            self.click('Form2', 'Text2')
            self.phone(width, height // 3)
            box = self.script(focused)
            self.assertEqual(box[0], 'Text2')
            self.assertTrue(0 <= box[1] and box[2] <= box[3], box)
        finally:
            self.desk()

    def test_two_tabs_are_independent(self):
        first = self.browser.tab()
        second = self.browser.new_tab()
        self.open()
        self.browser.switch(first)
        self.type('Form1', 'Text1', 'water')
        self.click('Form1', 'Command2')
        self.browser.switch(second)
        self.assertEqual(self.texts('Form1', 'Label15', 'Text1'), ['', ''])
        self.click('Form1', 'Command7')
        self.click('Form1', 'Command1')
        self.browser.switch(first)
        self.assertEqual(self.script(SHOWN), ['Form1'])
        self.assertEqual(self.texts('Form1', 'Label15'), [' 264'])
        self.browser.switch(second)
        self.browser.close_tab()
        self.browser.switch(first)


class Access(Page):
    """What a screen reader and a keyboard get, within the program's behaviour."""

    def violations(self):
        if not self.script('return !!window.axe'):
            with open(AXE, encoding='utf-8') as axe:
                self.script(axe.read())
        found = self.browser.async_script(AXE_RUN)
        # The layout stacks the conjugator's check boxes 16 px apart, closer than the 24 px that
        # WCAG 2.2's target size asks: only moving them would mend it.
        stacked = [violation for violation in found if violation[0] == 'target-size'
                   and violation[1].endswith('input[type="checkbox"]')]
        if stacked:
            self.skipCheck('target-size of %d check boxes' % len(stacked),
                           'the layout places them 16 px apart')
        return [violation for violation in found if violation not in stacked]

    def test_no_wcag_violation(self):
        self.assertEqual(self.violations(), [])
        self.type('Form1', 'Text1', 'water')
        self.click('Form1', 'Command2')
        self.click('Form1', 'Command4')
        self.assertEqual(self.violations(), [])
        self.assertEqual(self.script(UNMARKED), [])
        self.click('Form1', 'Command10')
        self.type('Form2', 'Text1', '日本語の本')
        self.click('Form2', 'Command1')
        self.click('Form2', 'Label2[1]')
        self.type('Form2', 'Text2', 'taberu')
        self.click('Form2', 'Command4')
        self.assertEqual(self.violations(), [])
        self.assertEqual(self.script(UNMARKED), [])

    def test_boxes(self):
        """Each kind of box, opened and closed each way: its title, text and buttons, over its
        window in the desktop's UI font, named and described for a screen reader, the focus
        inside it and back on its opener after, axe clean while open, and the answer each way
        gives (an input box: what was typed for OK and Enter, nothing else)."""
        opened = """
            const box = document.querySelector(arguments[0]), r = box.getBoundingClientRect();
            const owner = document.querySelector('[data-name="Form1"]').getBoundingClientRect();
            const text = id => document.getElementById(box.getAttribute(id)).className;
            const entry = box.querySelector('input');
            const face = e => ['fontFamily', 'fontSize', 'fontWeight'].map(
                p => getComputedStyle(e)[p]).join();
            return {title: box.querySelector('.v-box-title').textContent,
                role: box.getAttribute('role'),
                buttons: [...box.querySelectorAll('button')].map(b => b.textContent),
                entry: entry && entry.value, focused: box.contains(document.activeElement)
                    && document.activeElement === (entry || box.querySelector('button')),
                named: [text('aria-labelledby'), text('aria-describedby')],
                over: r.left + r.width / 2 > owner.left && r.left + r.width / 2 < owner.right
                    && r.top + r.height / 2 > owner.top && r.top + r.height / 2 < owner.bottom,
                font: face(box.querySelector('.v-box-text'))
                    === face(document.querySelector('.v-menubar button'))};"""
        same = {'title': TITLE, 'named': ['v-box-title', 'v-box-text'], 'focused': True,
                'over': True, 'font': True}
        message = dict(same, role='alertdialog', buttons=['OK'], entry=None)
        prompt = dict(same, role=None, buttons=['OK', 'Cancel'], entry='')
        # Clicked, or a key pressed in it (F1 opens the help note).
        for opener, key, kind, close in (
                ('Command2', None, message, 'OK'), ('Command2', None, message, ESCAPE),
                ('Text1', F1, message, ENTER), ('Command8', None, prompt, 'OK'),
                ('Command8', None, prompt, ENTER), ('Command8', None, prompt, 'Cancel'),
                ('Command8', None, prompt, ESCAPE)):
            with self.subTest(opener=opener, close=close):
                self.open()
                self.type('Form1', 'Text1', 'nothing')
                if key:
                    self.browser.key(key, self.selector('Form1', opener))
                else:
                    self.browser.click(self.selector('Form1', opener))
                self.assertTrue(self.browser.has_box(5))
                self.assertEqual(self.script(opened, BOX), kind)
                self.assertEqual(self.violations(), [])
                if kind is prompt:
                    self.browser.key('320')
                if close == ENTER and kind is message and self.browser.buttons_by_key:
                    self.skipCheck('Enter on a message box\'s OK', self.browser.buttons_by_key)
                    close = ESCAPE
                if close in ('OK', 'Cancel'):
                    self.browser.click(self.browser.box_button(close))
                else:
                    self.browser.key(close)
                self.browser.settle()
                self.assertFalse(self.browser.has_box())
                self.assertEqual(self.script(ACTIVE), opener)
                if kind is prompt:
                    self.click('Form1', 'Command8')
                    if close in ('OK', ENTER):
                        self.assertEqual(self.texts('Form1', 'Label15'), [' 320'])
                    else:
                        self.assertEqual(self.box(None), FIRST)

    def test_record_and_meaning_are_said_once(self):
        self.script(LISTEN)
        said = lambda: self.script('return velmoraSaid.splice(0)')
        self.type('Form1', 'Text1', 'water')
        self.click('Form1', 'Command2')
        self.assertEqual(said(),
                         ['Record number: 264, The Kanji and its onyomi: 水, Kanji level: 4'])
        self.click('Form1', 'Command4')  # details shown: nothing new is said
        self.assertEqual(said(), [])
        self.click('Form1', 'Command7')
        record = said()
        self.assertEqual(len(record), 1)
        self.assertIn(self.texts('Form1', 'Label2')[0], record[0])
        self.click('Form1', 'Command10')
        self.type('Form2', 'Text1', '日本')
        self.click('Form2', 'Command1')
        self.assertEqual(said(), [])
        self.click('Form2', 'Label2[0]')
        meaning = said()
        self.assertEqual(len(meaning), 1)
        self.assertTrue(meaning[0].endswith(' hi; nichi/jitsu; day'), meaning)


def Phones():  # noqa: N802 (named on the command line like the test classes)
    """The handlers' journeys again on each phone, in windows arranged for touch: by finger where
    DevTools emulate touch (Chromium), there with one phone under the dark colour scheme."""
    loader = unittest.TestLoader()
    return unittest.TestSuite(loader.loadTestsFromTestCase(
        type(f'Handlers{width}', (Handlers,), {'screen': (width, height), 'dark': width == 360}))
        for width, height in PHONES)


def main():
    global SITE, URL, WINDOWS, ENGINE
    parser = argparse.ArgumentParser()
    parser.add_argument('--engine', choices=sorted(ENGINES), default='chromium')
    parser.add_argument('--site', required=True, help='the folder the browser build wrote')
    parser.add_argument('--layout', nargs=2, required=True, metavar=('NODE', 'LAYOUT_JSON_JS'))
    arguments, rest = parser.parse_known_args()
    SITE = os.path.abspath(arguments.site)
    ENGINE = arguments.engine
    WINDOWS = json.loads(subprocess.run(arguments.layout, check=True, capture_output=True,
                                       text=True).stdout)
    URL = serve(SITE) + 'index.html'
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == '__main__':
    main()
