// The page in one engine: each control against the layout tables, each handler reached once and its
// answer drawn, the page's own boxes, what a browser adds (keys, clipboard, tabs, zoom, colour
// schemes, file://), what a screen reader is told; with --phone, by finger on a phone, for a thumb.
//   node --test-reporter=tap page.test.js --engine chromium|firefox|webkit --site <page folder>
//       --layout <layout_json.js> [--phone WIDTHxHEIGHT]
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {resolve} from 'node:path';
import {after, afterEach, before, beforeEach, describe, it} from 'node:test';
import {parseArgs} from 'node:util';
import {DESK, Host, Unsupported, launch} from './engine.js';
import * as probe from './probes.js';

const {values: options} = parseArgs({options: {engine: {type: 'string', default: 'chromium'},
    site: {type: 'string'}, layout: {type: 'string'}, phone: {type: 'string'}}});
const WINDOWS = JSON.parse(execFileSync(process.execPath, [options.layout], {encoding: 'utf8'}));
const SITE = resolve(options.site);
const AXE = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const PHONE = options.phone && (([width, height]) => ({width, height, deviceScaleFactor: 3,
    isMobile: true, hasTouch: true}))(options.phone.split('x').map(Number));

const TITLE = 'Online Kanji Learning Program'; // the boxes' title, as on the desktop
const HELP_START = 'Do you know that the most frequently used kanji (1945) consist of:';
const FIRST = 'Sorry, This is the first record. Enter the record number (1 to 320) !';
const LAST = 'Sorry, This is the last record. Enter the record number (1 to 320) !';
const NOT_FOUND = 'Sorry, the word is not yet in the dictionary!';
const HIDDEN_AT_START = ['Command3', 'Command9', 'Label12', 'Label13', 'Label2', 'Label3', 'Label11'];
const LOADED_CAPTIONS = {Label7: 'The Kunyomi:'}; // Form_Load's captions where the table's differ
const KANJI = {Form1: ['Label1'], Form2: [...Array(62).keys()].map(i => `Label2[${i}]`)};
const PHONES = [[320, 568], [360, 740], [390, 844], [430, 932]];

let engine, host, url;
let touch = !!PHONE; // a finger does the clicks and the typing
let home = PHONE || DESK; // the screen each test starts on
const desk = PHONE ? () => {} : describe; // what only the desktop's width runs
const phone = PHONE ? describe : () => {};
const sel = (form, name) => `[data-name="${form}"] [data-name="${name}"]`;
const run = (...args) => engine.run(...args);
const settle = () => run(() => new Promise(done => requestAnimationFrame(() => setTimeout(done))));
const layout = form => WINDOWS.find(w => w.name === form);

// Whatever the step, what holds text or takes input is drawn on top, unless a box is over it.
async function drawn() {
    if (!await run(probe.box))
        assert.deepEqual(await run(() => window.velmoraCovered()), []);
}

async function open(address = url) {
    await engine.open(address);
    await engine.until(() => !!document.querySelector('[data-name="Form1"]:not([hidden]):not([data-drawn])'));
    await run(probe.install);
    await drawn();
}

// A click, or on a phone a finger's tap, which must reach the element itself.
async function press(selector, nth = 0) {
    await run((s, n) => {
        window.velmoraTapped = false;
        document.querySelectorAll(s)[n].addEventListener('click', () => window.velmoraTapped = true, {once: true});
    }, selector, nth);
    await (touch ? engine.tap(selector, nth) : engine.click(selector, nth));
    assert.ok(await run(() => window.velmoraTapped), `${selector} was not reached`);
}

async function click(form, name) {
    await press(sel(form, name));
    await drawn();
}

// Typed over what was there, as an on-screen keyboard types over what the finger selected.
async function typeInto(selector, text) {
    if (touch) {
        await press(selector);
        await run(s => document.querySelector(s).select(), selector);
        await engine.insert(text);
    } else {
        await engine.type(selector, text);
    }
}

async function type(form, name, text) {
    await typeInto(sel(form, name), text);
    await drawn();
}

const texts = async (form, ...names) => (now => names.map(name => now[name].text))(await run(probe.state, form));

// Answers the open box: `reply` typed into an input box and OK, or `close` ('OK', 'Cancel', or a
// key); returns the box as it was met. On a phone, every box is held to the rules for a thumb.
async function answer(reply = '', close = 'OK') {
    const seen = await engine.until(probe.box);
    if (PHONE)
        assert.deepEqual((await run(probe.touch, 'dialog[open]')).problems, []);
    if (reply && seen.entry !== null)
        await typeInto('dialog[open] input.v-box-entry', reply);
    await (seen.buttons.includes(close) ? press('dialog[open] button', seen.buttons.indexOf(close))
        : engine.key(close));
    await boxGone();
    return seen;
}

// The box leaves the page just before the handler that opened it goes on.
async function boxGone() {
    await engine.until(() => !document.querySelector('dialog.v-box'));
    await settle();
    await drawn();
}

const noBox = async () => assert.equal(await settle() ?? await run(probe.box), null);

async function violations() {
    const found = await run(probe.axe, AXE);
    // The layout stacks the conjugator's check boxes 16 px apart, closer than the 24 px WCAG 2.2
    // asks: only moving them would mend it.
    return found.filter(([rule, element]) => !(rule === 'target-size' && element.endsWith('input[type="checkbox"]')));
}

// Runs `step`, or skips the check with the engine's reason where it cannot take it.
const unless = (t, step) => Promise.resolve().then(step).then(() => true, e => {
    if (!(e instanceof Unsupported))
        throw e;
    return t.skip(e.message) ?? false;
});

// A screen of that size; the page hears of it at its next frame.
async function screen(size) {
    await engine.viewport(size);
    await settle();
}

// The shown window for a thumb, its kanji the largest text, its lines read one below the other,
// each left to right or wrapping downwards.
async function forTouch(form) {
    const found = await run(probe.touch, `[data-name="${form}"]`);
    assert.deepEqual(found.problems, []);
    const sizes = Object.entries(found.sizes);
    const kanji = sizes.filter(([name]) => KANJI[form].includes(name)).map(([, size]) => size);
    if (kanji.length)
        assert.ok(Math.min(...kanji) > Math.max(...sizes.filter(([name]) => !KANJI[form].includes(name)).map(([, s]) => s)));
    const rows = Object.fromEntries(layout(form).controls.map(row => [row.name, row]));
    const boxes = found.boxes.sort((a, b) => rows[a[0]].line - rows[b[0]].line || rows[a[0]].place - rows[b[0]].place);
    let above = -Infinity; // the bottom of the lines before
    boxes.forEach(([name, left, top, , bottom], i) => {
        const before = boxes[i - 1];
        if (!before || rows[before[0]].line !== rows[name].line)
            assert.ok(top >= above - 0.5, name);
        else
            assert.ok(left >= before[3] - 0.5 || top >= before[4] - 0.5, name);
        above = Math.max(above, bottom);
    });
}

// The page's order of the window's controls is the table's tab order, and Tab visits them so.
async function tabOrder(form, focusedFirst) {
    const byTab = [...layout(form).controls].sort((a, b) => a.tab - b.tab);
    assert.deepEqual(await run(f => [...document.querySelectorAll(`[data-name="${f}"] .v-client > [data-name]`)]
        .map(e => e.dataset.name), form), byTab.map(row => row.name));
    const now = await run(probe.state, form);
    const expected = byTab.filter(row => ['button', 'textbox', 'checkbox'].includes(row.kind) && row.tab >= 0
        && now[row.name].shown).map(row => row.name);
    if (focusedFirst)
        assert.equal(await run(probe.active), expected[0]);
    await engine.click(`[data-name="${form}"] .v-title`); // Tab goes on from where the user clicked
    const visited = [];
    for (let i = 0; i <= expected.length; ++i) {
        await engine.key('Tab');
        visited.push(await run(probe.active));
    }
    if (layout(form).menu.length) // the menu bar stands before the client area
        assert.equal(visited.shift(), 'Help');
    assert.deepEqual(visited.slice(0, expected.length), expected);
}

// Each control where its layout row puts it.
async function desktopLayout(form) {
    const {controls} = await run(probe.measure, form);
    const rect = ({left, top, width, height}) => [left, top, width, height];
    layout(form).controls.forEach(row => assert.deepEqual(rect(controls[row.name]), rect(row), row.name));
}

before(async () => {
    host = await new Host(SITE).start();
    url = host.url + 'index.html';
    engine = await launch(options.engine, DESK);
    if (PHONE)
        await phoneScreen();
});

// The phone's screen. An engine without touch or without so narrow a window (WebKit) runs at its
// narrowest window instead, which the page lays out as a phone's, with clicks and keys for a finger.
async function phoneScreen() {
    let why;
    const fits = screen => engine.viewport(screen).then(() => true, e => {
        if (!(e instanceof Unsupported))
            throw e;
        why = e.message;
        return false;
    });
    if (await fits(PHONE))
        return;
    const plain = {width: PHONE.width, height: PHONE.height};
    if (await fits(plain) || engine.narrowest && await fits({...plain, width: engine.narrowest})) {
        [home, touch] = [engine.screen, false];
        console.log(`# ${options.engine}: ${home.width} x ${home.height} CSS px, clicks and keys for a finger`);
        return;
    }
    console.log(`SKIPPED: no phone in ${options.engine}: ${why}`);
    await engine.quit();
    process.exit(77); // the whole run, as CTest's SKIP_RETURN_CODE
}

after(async () => {
    await engine?.quit();
    await host?.stop();
});
beforeEach(() => open());
afterEach(async () => {
    const left = await run(probe.box);
    if (left)
        await answer('', 'Escape');
    assert.equal(left, null, 'a box was left open');
    for (const form of PHONE ? await run(probe.shown) : [])
        await forTouch(form);
    assert.deepEqual(await engine.errors(), []);
    if (engine.screen !== home)
        await engine.viewport(home);
});

describe('each handler is reached and its answer drawn', () => {
    it('search, and the box for a word not found', async () => {
        await type('Form1', 'Text1', 'water');
        await click('Form1', 'Command2');
        assert.deepEqual(await texts('Form1', 'Label1', 'Label15'), ['水', ' 264']);
        await type('Form1', 'Text1', 'nothing');
        await click('Form1', 'Command2');
        assert.equal((await answer()).text, NOT_FOUND);
    });

    it('the direction, then the reset', async () => {
        await click('Form1', 'Command6');
        await type('Form1', 'Text1', 'mizu');
        await click('Form1', 'Command2');
        assert.deepEqual(await texts('Form1', 'Label1', 'Label7'), ['水', 'The English word:']);
        await click('Form1', 'Command5');
        assert.deepEqual(await texts('Form1', 'Label7', 'Label1', 'Text1'), ['The Kunyomi:', '', '']);
    });

    it('browsing, and the record number asked at either end', async () => {
        await click('Form1', 'Command8');
        assert.equal((await answer('320')).text, FIRST);
        await click('Form1', 'Command8');
        assert.deepEqual(await texts('Form1', 'Label15'), [' 320']);
        await click('Form1', 'Command7');
        assert.equal((await answer('10')).text, LAST);
        await click('Form1', 'Command7');
        assert.deepEqual(await texts('Form1', 'Label15'), [' 11']);
    });

    it('details shown and hidden, and help by menu and by F1', async () => {
        for (const shown of [true, false]) {
            await click('Form1', 'Command4');
            const now = await run(probe.state, 'Form1');
            assert.deepEqual(['Label2', 'Label3', 'Label11'].map(n => now[n].shown), [shown, shown, shown]);
        }
        await click('Form1', 'Help');
        const help = (await answer()).text;
        assert.ok(help.startsWith(HELP_START) && help.endsWith('of almost 67 % of them!'), help);
        if (!touch) {
            await engine.key('F1');
            assert.equal((await answer()).text, help);
        }
    });

    it('the reader: cells, a meaning, the highlight, and the window closed and shown again', async () => {
        await click('Form1', 'Command10');
        assert.equal(await run(() => document.title), 'Velmora University, Japan');
        await type('Form2', 'Text1', '日本語の本');
        await click('Form2', 'Command1');
        const cells = [...Array(6).keys()].map(i => `Label2[${i}]`);
        assert.deepEqual(await texts('Form2', ...cells), ['日', '本', '語', 'の', '本', '']);
        const plain = (await run(probe.state, 'Form2'))['Label2[0]'].background;
        await click('Form2', 'Label2[4]');
        let now = await run(probe.state, 'Form2');
        assert.equal(now.Label1.text, 'moto; hon; origin; book');
        assert.deepEqual(cells.map(c => now[c].background === plain), [true, true, true, true, false, true]);
        await click('Form2', 'Label2[3]'); // kana: nothing found, nothing highlighted
        now = await run(probe.state, 'Form2');
        assert.deepEqual([now.Label1.text, now['Label2[4]'].background], ['', plain]);
        await click('Form2', 'Command2');
        assert.deepEqual(await run(probe.shown), ['Form1']);
        await click('Form1', 'Command10');
        assert.deepEqual(await texts('Form2', 'Text1', 'Label2[0]'), ['日本語の本', '日']);
    });

    it('the conjugator draws ten forms, and an unticked form keeps its last', async () => {
        await click('Form1', 'Command10');
        const labels = [...Array(10).keys()].map(i => `Label${i + 5}`);
        await type('Form2', 'Text2', 'taberu');
        await click('Form2', 'Command4');
        const forms = await texts('Form2', ...labels);
        assert.equal(forms[0], 'taberu');
        assert.equal(new Set(forms.filter(f => /^[a-z]+$/.test(f))).size, 10, forms.join());
        await click('Form2', 'Check2');
        await type('Form2', 'Text2', 'iku');
        await click('Form2', 'Command4');
        assert.deepEqual(await texts('Form2', 'Label5', 'Label6'), ['iku', forms[1]]);
    });

    it('exit ends the program', async () => {
        await click('Form1', 'Command10');
        await click('Form2', 'Command2');
        await click('Form1', 'Command1');
        assert.equal(await run(() => document.querySelectorAll('[data-name]').length), 0);
        assert.equal((await run(() => document.body.innerText)).trim(),
            'Velmora Kanji has ended. Reload the page to start it again.');
        if (!touch) {
            await engine.key('F1');
            await noBox();
        }
    });
});

describe('the page\'s own boxes', () => {
    const same = {count: 1, modal: true, own: true, title: TITLE, named: ['v-box-title', 'v-box-text'],
        focused: true, over: true, font: true};
    const message = {...same, text: NOT_FOUND, role: 'alertdialog', buttons: ['OK'], entry: null};
    const input = {...same, text: FIRST, role: null, buttons: ['OK', 'Cancel'], entry: ''};
    for (const [opener, kind, close] of [['Command2', message, 'OK'], ['Command2', message, 'Escape'],
        ['Command2', message, 'Enter'], ['Command8', input, 'OK'], ['Command8', input, 'Enter'],
        ['Command8', input, 'Cancel'], ['Command8', input, 'Escape']]) {
        it(`${kind.role ? 'a message' : 'an input'} box closed by ${close}: as met, and its answer`, async t => {
            await type('Form1', 'Text1', 'nothing');
            await press(sel('Form1', opener));
            const seen = await engine.until(probe.box);
            assert.deepEqual(seen, {...seen, ...kind});
            assert.deepEqual(await violations(), []);
            if (kind === message && close === 'Enter') { // a key that presses the focused OK
                if (!await unless(t, () => engine.activate(undefined, 'Enter')))
                    return answer();
                await boxGone();
            } else {
                await answer(kind === input ? '320' : '', close);
            }
            assert.equal(await run(probe.active), opener);
            if (kind === input) {
                await click('Form1', 'Command8');
                if (close === 'OK' || close === 'Enter')
                    assert.deepEqual(await texts('Form1', 'Label15'), [' 320']);
                else
                    assert.equal((await answer('', 'Cancel')).text, FIRST);
            }
        });
    }

    (PHONE ? () => {} : it)('a box opens from the keyboard, the focus inside it, then back', async t => {
        await engine.key('F1', sel('Form1', 'Text1')); // the help note
        const help = await answer('', 'Escape');
        assert.deepEqual([help.text.startsWith(HELP_START), help.focused, await run(probe.active)], [true, true, 'Text1']);
        await t.test('Space on a button', async t => {
            if (!await unless(t, () => engine.activate(sel('Form1', 'Command8'))))
                return;
            const seen = await engine.until(probe.box);
            assert.deepEqual(seen, {...seen, ...input});
            await answer('', 'Escape');
            assert.equal(await run(probe.active), 'Command8');
        });
    });

    it('nothing behind an open box runs, not even afterwards', async () => {
        await click('Form1', 'Command8');
        await engine.key('F1'); // the shortcut, and a click that reaches a button behind anyway
        await run(s => document.querySelector(s).click(), sel('Form1', 'Command7'));
        assert.equal((await answer('', 'Cancel')).text, FIRST);
        await noBox();
        assert.deepEqual(await texts('Form1', 'Label15'), ['']);
    });

    it('a handler that fails is said on the console, and the next click still runs', async () => {
        await run(() => { // a fault in the page: the next box fails to open
            const [showModal, error] = [HTMLDialogElement.prototype.showModal, console.error];
            HTMLDialogElement.prototype.showModal = () => { HTMLDialogElement.prototype.showModal = showModal; throw new Error('injected fault'); };
            console.error = (...parts) => (window.velmoraLogged = parts.join(' ')) && error.apply(console, parts);
        });
        await click('Form1', 'Help');
        assert.match(await engine.until(() => window.velmoraLogged), /a handler failed: Error: injected fault/);
        (await engine.errors()).forEach(error => assert.match(error, /a handler failed/));
        await click('Form1', 'Help');
        assert.ok((await answer()).text.startsWith(HELP_START));
    });

    it('with the browser\'s own boxes stopped, the program\'s still ask', async () => {
        await run(() => {
            window.alert = window.confirm = () => { throw new Error('stopped'); };
            window.prompt = () => null;
        });
        await click('Form1', 'Command8');
        assert.equal((await answer('320')).text, FIRST);
        await click('Form1', 'Command8');
        assert.deepEqual(await texts('Form1', 'Label15'), [' 320']);
        await click('Form1', 'Help');
        assert.ok((await answer()).text.startsWith(HELP_START));
    });
});

desk('the page contract: the layout tables', () => {
    it('every control is its layout row', async () => {
        for (const window of WINDOWS) {
            const form = window.name;
            if (form === 'Form2')
                await click('Form1', 'Command10');
            assert.deepEqual(await run(probe.shown), [form]);
            assert.equal(await run(() => document.title), window.caption);
            const page = await run(probe.measure, form);
            assert.deepEqual([page.title, page.width, page.height], [window.caption, window.width, window.height]);
            assert.deepEqual(Object.keys(page.controls).sort(), [...window.controls, ...window.menu].map(r => r.name).sort());
            await desktopLayout(form);
            for (const item of window.menu) {
                const control = page.controls[item.name];
                assert.deepEqual([control.tag, control.text, control.inMenu, control.shortcut],
                    ['BUTTON:button', item.caption, true, item.shortcut]);
            }
            for (const row of window.controls) {
                const control = page.controls[row.name];
                const where = `${form}.${row.name}`;
                assert.equal(control.display === 'none', form === 'Form1' && HIDDEN_AT_START.includes(row.name), where);
                if (row.kind === 'textbox') {
                    assert.deepEqual([control.tag, control.maxLength, control.labelledBy], ['INPUT:text', -1, row.prompt], where);
                    continue;
                }
                assert.equal(control.text, (form === 'Form1' && LOADED_CAPTIONS[row.name]) || row.caption, where);
                if (row.kind === 'button')
                    assert.equal(control.tag, 'BUTTON:button', where);
                else if (row.kind === 'checkbox')
                    assert.ok(control.tag === 'INPUT:checkbox' || control.checkbox, where);
                else if (row.kind === 'label')
                    assert.deepEqual([/^(INPUT|BUTTON)/.test(control.tag), control.describedBy], [false, row.prompt || null], where);
                if (row.name.endsWith(']')) // a cell: a button only while it holds a letter
                    assert.deepEqual([control.role, control.tabIndex], [control.text ? 'button' : null, -1], where);
            }
        }
    });

    it('the tab order is the tables\', and each window starts on its first control', async () => {
        await tabOrder('Form1', true);
        await click('Form1', 'Command10');
        await tabOrder('Form2', true);
    });

    it('turned, the phone shows the desktop\'s arrangement; upright, the one for touch', async t => {
        for (const form of ['Form1', 'Form2']) {
            await open();
            if (form === 'Form2')
                await click('Form1', 'Command10');
            for (const [width, height] of [PHONES[2], [...PHONES[2]].reverse(), PHONES[2]]) {
                if (!await unless(t, () => screen({width, height, deviceScaleFactor: 3, isMobile: true})))
                    return;
                if (width > height) {
                    await desktopLayout(form);
                } else {
                    await forTouch(form);
                    await tabOrder(form);
                }
            }
        }
    });
});

// index.html holds the dictionary window, drawn at build time: as a browser without JavaScript
// draws it, it is the program's once that runs, every control at the same place with the same
// caption; on the run's screen, and on either side of the width where the window turns compact.
(options.engine === 'chromium' ? describe : describe.skip)('the window drawn before the program', () => {
    const places = () => [...document.querySelectorAll('[data-name="Form1"] [data-name]')].map(e => {
        const {left, top, width, height} = e.getBoundingClientRect();
        return [e.dataset.name, left, top, width, height, e.tagName === 'INPUT' ? e.value : e.textContent];
    });
    it('is the program\'s window', async () => {
        const narrow = await run(() => document.querySelector('[data-name="Form1"]').dataset.narrow);
        const desktop = Math.ceil(parseFloat(narrow.match(/[\d.]+/)[0])); // the narrowest desktop screen
        for (const size of PHONE ? [home] : [home, {...home, width: desktop - 1}, {...home, width: desktop}]) {
            await screen(size);
            await engine.page.setJavaScriptEnabled(false);
            await engine.page.goto(url);
            const drawn = await run(places);
            await engine.page.setJavaScriptEnabled(true);
            await open();
            assert.deepEqual([await run(places), await run(() => window.velmoraCutOff())], [drawn, []], `${size.width} px`);
        }
    });
});

desk('what a browser adds', () => {
    it('starts from file://', async () => {
        await open('file://' + SITE + '/index.html');
        await type('Form1', 'Text1', 'water');
        await click('Form1', 'Command2');
        assert.deepEqual(await texts('Form1', 'Label1', 'Label15'), ['水', ' 264']);
        await click('Form1', 'Help'); // the boxes too
        assert.ok((await answer()).text.startsWith(HELP_START));
    });

    it('F1 is the dictionary window\'s, and Enter on a focused button starts nothing', async () => {
        await run(() => addEventListener('keydown', e => window.velmoraPrevented = e.defaultPrevented));
        await engine.key('F1');
        assert.ok((await answer()).text.startsWith(HELP_START));
        assert.equal(await run(() => window.velmoraPrevented), true);
        await engine.key('Enter', sel('Form1', 'Command7'));
        assert.deepEqual(await texts('Form1', 'Label15'), ['']);
        await click('Form1', 'Command10');
        await engine.key('F1');
        await noBox();
    });

    // "or Paste from other source" over a text box holding "old".
    async function paste() {
        await type('Form2', 'Text1', 'old');
        await click('Form2', 'Command3');
        await engine.until(s => document.querySelector(s).value !== 'old', [sel('Form2', 'Text1')]);
        return (await texts('Form2', 'Text1'))[0];
    }

    it('pastes a long text whole, and nothing where the clipboard is refused', async t => {
        await click('Form1', 'Command10');
        if (!await unless(t, () => engine.clipboard(true)))
            return;
        const long = '日本語の本。'.repeat(33334).slice(0, 200000);
        await engine.writeClipboard(long);
        assert.equal(await paste(), long);
        assert.equal(await run(s => document.querySelector(s).title, sel('Form2', 'Text1')), long);
        await click('Form2', 'Command1'); // the program reads it whole: its first 62 letters
        assert.equal((await answer()).text, 'We will take the first 62 letters only!');
        assert.deepEqual(await texts('Form2', 'Label2[60]', 'Label2[61]'), ['日', '本']);
        await t.test('refused', async t => { // a subtest starts on a fresh page too
            await click('Form1', 'Command10');
            if (await unless(t, () => engine.clipboard(false)))
                assert.equal(await paste(), '');
        });
        await engine.clipboard(null);
    });

    it('pastes nothing in a browser without the Clipboard API', async t => {
        if (!await unless(t, () => engine.withoutClipboardApi(true)))
            return;
        try {
            await open();
            await click('Form1', 'Command10');
            assert.equal(await paste(), '');
        } finally {
            await engine.withoutClipboardApi(false);
        }
    });

    it('two tabs are two programs', async () => {
        const first = await engine.tab();
        const second = await engine.newTab();
        await open();
        await engine.switchTo(first);
        await type('Form1', 'Text1', 'water');
        await click('Form1', 'Command2');
        await engine.switchTo(second);
        assert.deepEqual(await texts('Form1', 'Label15', 'Text1'), ['', '']);
        await click('Form1', 'Command7');
        await click('Form1', 'Command1');
        await engine.switchTo(first);
        assert.deepEqual([await run(probe.shown), await texts('Form1', 'Label15')], [['Form1'], [' 264']]);
        await engine.switchTo(second);
        await engine.closeTab();
        await engine.switchTo(first);
    });

    it('nothing is cut off or covered at any zoom, nor on a phone', async t => {
        const [width, height] = [DESK.width, DESK.height];
        const zoom = f => ({width: Math.round(width / f), height: Math.round(height / f), deviceScaleFactor: f});
        for (const [name, size, atStart] of [['200 %', zoom(2), true], ['200 % while running', zoom(2), false],
            ['50 %', zoom(0.5), true], ['300 % while running', zoom(3), false],
            ['phone', {width: 360, height: 740, deviceScaleFactor: 3, isMobile: true}, true]]) {
            await t.test(name, async t => {
                await open();
                if (!await unless(t, () => screen(size)))
                    return;
                if (atStart)
                    await open();
                assert.deepEqual(await run(probe.walk), []);
                if (size.isMobile)
                    await forTouch('Form2');
            });
        }
        await t.test('100 %', async () => {
            await screen(DESK);
            await open();
            assert.deepEqual(await run(probe.walk), []);
        });
    });

    it('typed text stays above the on-screen keyboard, in a window and in a box', async t => {
        const [width, height] = PHONES[2];
        const phone = {width, height, deviceScaleFactor: 3, isMobile: true};
        const typing = async (name, open) => {
            await screen(phone);
            await open();
            await screen({...phone, height: Math.round(height / 3)}); // the keyboard takes two thirds
            const found = await run(() => {
                const e = document.activeElement, b = e.getBoundingClientRect();
                return [e.dataset.name || e.className, b.top, b.bottom, visualViewport.offsetTop + visualViewport.height];
            });
            assert.ok(found[0] === name && found[1] >= 0 && found[2] <= found[3], found.join());
        };
        if (!await unless(t, () => screen(phone)))
            return;
        await open();
        await typing('v-box-entry', () => click('Form1', 'Command8'));
        await answer('', 'Cancel');
        await typing('Text2', async () => {
            await click('Form1', 'Command10');
            await click('Form2', 'Text2');
        });
    });
});

describe('what a screen reader and a keyboard get', () => {
    it('no WCAG 2.2 A or AA violation, Japanese marked as Japanese, light and dark', async t => {
        for (const [scheme, switched] of [['light', false], ['dark', false], ['dark', true]]) {
            await t.test(`${scheme}${switched ? ', switched while running' : ''}`, async t => {
                if (scheme === 'dark' && !await unless(t, () => engine.colourScheme(!switched)))
                    return;
                await open();
                if (switched)
                    await engine.colourScheme(true);
                await click('Form1', 'Help'); // the page at start, behind a box
                await engine.until(probe.box);
                assert.deepEqual(await violations(), []);
                await answer();
                await type('Form1', 'Text1', 'water');
                await click('Form1', 'Command2');
                await click('Form1', 'Command4');
                assert.deepEqual([await violations(), await run(probe.unmarked)], [[], []]);
                await click('Form1', 'Command10');
                await type('Form2', 'Text1', '日本語の本');
                await click('Form2', 'Command1');
                await click('Form2', 'Label2[1]');
                await type('Form2', 'Text2', 'taberu');
                await click('Form2', 'Command4');
                assert.deepEqual([await violations(), await run(probe.unmarked)], [[], []]);
                if (scheme === 'dark')
                    await engine.colourScheme(false);
            });
        }
    });

    it('the record and the meaning are said once', async () => {
        const said = () => run(() => window.velmoraSaid.splice(0));
        await type('Form1', 'Text1', 'water');
        await click('Form1', 'Command2');
        assert.deepEqual(await said(), ['Record number: 264, The Kanji and its onyomi: 水, Kanji level: 4']);
        await click('Form1', 'Command10');
        await type('Form2', 'Text1', '日本');
        await click('Form2', 'Command1');
        await click('Form2', 'Label2[0]');
        const meaning = await said();
        assert.ok(meaning.length === 1 && meaning[0].endsWith(' hi; nichi/jitsu; day'), meaning.join());
    });
});

phone('for a thumb at every phone width', () => {
    for (const [width, height] of PHONES) {
        it(`${width} x ${height}: both windows`, async t => {
            if (!await unless(t, () => screen({...PHONE, width, height})))
                return;
            await open();
            await forTouch('Form1');
            await click('Form1', 'Command10');
            await forTouch('Form2');
        });
    }
});
