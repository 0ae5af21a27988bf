// What the tests read in the page. Each function runs inside the page, sent as its source, so it
// uses nothing from outside itself but what install() left on `window`.

// The names of the windows shown.
export function shown() {
    return [...document.querySelectorAll('[data-name^="Form"]')]
        .filter(w => getComputedStyle(w).display !== 'none').map(w => w.dataset.name);
}

// The name of the control that has the focus.
export function active() {
    const e = document.activeElement.closest('[data-name]');
    return e && e.dataset.name;
}

// Each control of a window as the page draws it: boxes relative to the client area, measured with
// hidden controls shown for a moment.
export function measure(form) {
    const window_ = document.querySelector(`[data-name="${form}"]`);
    const client = window_.querySelector('.v-client').getBoundingClientRect();
    const by = id => id && document.getElementById(id) && document.getElementById(id).dataset.name;
    const controls = {};
    for (const e of window_.querySelectorAll('[data-name]')) {
        const display = getComputedStyle(e).display;
        const hidden = e.hidden;
        e.hidden = false;
        const box = e.getBoundingClientRect();
        e.hidden = hidden;
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
}

// Each control's text, visibility and background.
export function state(form) {
    const out = {};
    for (const e of document.querySelectorAll(`[data-name="${form}"] [data-name]`)) {
        out[e.dataset.name] = {text: e.tagName === 'INPUT' ? e.value : e.textContent,
            shown: getComputedStyle(e).display !== 'none',
            background: getComputedStyle(e).backgroundColor};
    }
    return out;
}

// The open box as the user meets it, or null: its title, text, buttons, text box, focus, what names
// and describes it, whether it stands over the window that opened it, in the menu bar's font.
export function box() {
    const boxes = document.querySelectorAll('dialog[open]');
    if (!boxes.length)
        return null;
    const dialog = boxes[0];
    const r = dialog.getBoundingClientRect();
    const owner = [...document.querySelectorAll('[data-name^="Form"]')]
        .find(w => getComputedStyle(w).display !== 'none').getBoundingClientRect();
    const entry = dialog.querySelector('input.v-box-entry');
    const face = e => ['fontFamily', 'fontSize', 'fontWeight'].map(p => getComputedStyle(e)[p]).join();
    const named = id => (document.getElementById(dialog.getAttribute(id)) || {}).className;
    return {count: boxes.length, modal: dialog.matches(':modal'), own: dialog.classList.contains('v-box'),
        title: dialog.querySelector('.v-box-title').textContent,
        text: dialog.querySelector('.v-box-text').textContent, role: dialog.getAttribute('role'),
        buttons: [...dialog.querySelectorAll('button')].map(b => b.textContent),
        entry: entry && entry.value,
        focused: document.activeElement === (entry || dialog.querySelector('button')),
        named: [named('aria-labelledby'), named('aria-describedby')],
        over: r.left + r.width / 2 > owner.left && r.left + r.width / 2 < owner.right
            && r.top + r.height / 2 > owner.top && r.top + r.height / 2 < owner.bottom,
        font: face(dialog.querySelector('.v-box-text')) === face(document.querySelector('.v-menubar button'))};
}

// Helpers the other probes call, left on the window at each load: what is cut off in the shown
// windows, and what a user cannot see.
export function install() {
    // Cut off: a window beyond the page's width, a caption beyond its box, a value the program wrote
    // beyond its text box, or a caption drawn smaller without a tooltip that holds it whole. What
    // the user typed scrolls in its box, as in any text box.
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
                if (getComputedStyle(e).display === 'none' || window.velmoraTyped.has(e))
                    continue;
                const over = e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight;
                if (over && !(e.tagName === 'INPUT' && e.title === e.value))
                    cut.push(e.dataset.name + ': ' + (e.value || e.textContent));
                const style = getComputedStyle(e);
                const full = Math.round(parseFloat(e.dataset.points) * 96 / 72);
                const shrunk = parseFloat(style.fontSize) < full || parseFloat(style.fontStretch) < 100;
                if (shrunk && e.title !== e.textContent)
                    cut.push(e.dataset.name + ' shrunk without its tooltip: ' + e.textContent);
            }
        }
        return cut;
    };
    // Each shown control that holds text or takes input must be the topmost element at its box's
    // centre (a frame: at its caption's), or hold what is.
    window.velmoraCovered = function() {
        const covered = [];
        const page = document.scrollingElement;
        for (const e of document.querySelectorAll('[data-name^="Form"] [data-name]')) {
            const part = e.querySelector(':scope > .v-caption') || e;
            if (!part.getClientRects().length || !(e.matches('input, button, label') || part.textContent.trim()))
                continue;
            let box = part.getBoundingClientRect();
            page.scrollTop += Math.min(0, box.top) + Math.max(0, box.bottom - innerHeight);
            page.scrollLeft += Math.min(0, box.left) + Math.max(0, box.right - innerWidth);
            box = part.getBoundingClientRect();
            const top = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
            if (!top || !part.contains(top)) {
                const over = top && (top.closest('[data-name]') || {dataset: {name: top.tagName}});
                covered.push(e.dataset.name + ' under ' + (over && over.dataset.name));
            }
        }
        page.scrollTop = page.scrollLeft = 0;
        return covered;
    };
    // What the live regions say from now on, those of windows made later too.
    window.velmoraSaid = [];
    new MutationObserver(records => {
        const lives = new Set(records.map(r => (r.target.closest ? r.target : r.target.parentElement)
            .closest('.v-live')).filter(live => live));
        lives.forEach(live => window.velmoraSaid.push(live.textContent));
    }).observe(document.getElementById('velmora'), {childList: true, characterData: true, subtree: true});
}

// Steps through every record with the details shown, then puts every kanji through the reader and
// a long verb through the conjugator, collecting what is cut off or covered on the way.
export async function walk() {
    // A task after the handler's, without the clamp of nested timers.
    const tick = () => new Promise(resolve => {
        const channel = new MessageChannel();
        channel.port1.onmessage = resolve;
        channel.port2.postMessage(0);
    });
    const get = (form, name) => document.querySelector(`[data-name="${form}"] [data-name="${name}"]`);
    const cut = new Set();
    const look = () => [...window.velmoraCutOff(), ...window.velmoraCovered()].forEach(c => cut.add(c));
    look();
    const kanji = [];
    get('Form1', 'Command4').click();
    for (let record = 1; record <= 320; ++record) {
        get('Form1', 'Command7').click();
        await tick();
        kanji.push(get('Form1', 'Label1').textContent);
        look();
    }
    get('Form1', 'Command10').click();
    await tick();
    window.velmoraTyped.add(get('Form2', 'Text1')).add(get('Form2', 'Text2'));
    for (let start = 0; start < kanji.length; start += 62) {
        get('Form2', 'Text1').value = kanji.slice(start, start + 62).join('');
        get('Form2', 'Command1').click();
        await tick();
        for (let cell = 0; cell < 62 && start + cell < kanji.length; ++cell) {
            get('Form2', `Label2[${cell}]`).click();
            await tick();
            look();
        }
    }
    get('Form2', 'Text2').value = 'benkyousuru';
    get('Form2', 'Command4').click();
    await tick();
    look();
    return [...cut];
}

// What a thumb and an eye meet in a shown window or box (a selector): targets under 44 x 44 CSS px or beyond the
// screen, text under 14 px (16 px in a text box, so that no phone zooms in on it), a page that
// scrolls sideways, controls over one another; the size of each control's text, and each shown
// control's box in the page's order.
export function touch(selector) {
    const root = document.documentElement;
    const problems = [];
    if (root.scrollWidth > root.clientWidth)
        problems.push(`the page scrolls sideways: ${root.scrollWidth} > ${root.clientWidth}`);
    const window_ = document.querySelector(selector);
    const shown = e => e.getClientRects().length > 0;
    const name = e => (e.closest('[data-name]') || e).dataset.name || e.className;
    for (const e of window_.querySelectorAll('button, input[type=text], .v-check, [role=button]')) {
        const box = e.getBoundingClientRect();
        if (shown(e) && (box.width < 44 || box.height < 44 || box.left < 0 || box.right > root.clientWidth))
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
}

// Japanese text in the shown windows that is not marked as Japanese.
export function unmarked() {
    const japanese = /[\u3040-\u30ff\u3400-\u4dbf\u4e00-\u9fff]/;
    const walker = document.createTreeWalker(document.getElementById('velmora'), NodeFilter.SHOW_TEXT);
    const found = [];
    for (let node; (node = walker.nextNode());) {
        const element = node.parentElement;
        if (japanese.test(node.data) && element.getClientRects().length
            && (element.closest('[lang]') || {}).lang !== 'ja')
            found.push(node.data);
    }
    return found;
}

// The WCAG 2.2 A and AA violations axe-core finds in the page, as [rule, element] pairs.
export async function axe(source) {
    if (!window.axe)
        (0, eval)(source);
    const tags = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22a', 'wcag22aa'];
    const found = await window.axe.run(document, {resultTypes: ['violations'], runOnly: {type: 'tag', values: tags}});
    return found.violations.flatMap(v => v.nodes.map(n => [v.id, n.target.join(' ')]));
}
