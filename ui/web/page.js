// The page side of the browser binding: builds each window and control as an element, and
// reports clicks to the program. Everything the program decides stays in C++; this file only
// draws, measures and forwards.
//
// Emscripten 3.1.6 prints this library as text: each entry is `name: function` (it names the
// function by rewriting its first `function`), and a member of $VelmoraPage holds functions and
// what JSON can print, nothing else (no promise, no regular expression). Its optimizer's parser
// rejects destructuring in a `for ... of` head.

mergeInto(LibraryManager.library, {
    $VelmoraPage__deps: ['malloc'],
    $VelmoraPage: {
        elements: [null], // by number; 0 is no element
        shortcuts: [], // {key, owner, element}
        queue: null, // a promise; the library is printed as text, so made at the first click
        running: 0, // the element whose handler runs
        box: null, // the open message or input box
        ended: false,
        measureHost: null,

        // Strings cross as UTF-16 code units, copied by hand: C++ holds them as std::u16string,
        // as the desktop's QString does, and emscripten's UTF16ToString stops at U+0000 and
        // (through TextDecoder) turns a lone surrogate into U+FFFD. A pasted text crosses whole.
        string: function(pointer, length) {
            const units = HEAPU16.subarray(pointer >> 1, (pointer >> 1) + length);
            const parts = [];
            for (let i = 0; i < units.length; i += 8192)
                parts.push(String.fromCharCode(...units.subarray(i, i + 8192)));
            return parts.join('');
        },
        // Hands a string to C++, which frees it.
        give: function(text, out) {
            const pointer = _malloc(Math.max(2, text.length * 2));
            for (let i = 0; i < text.length; ++i)
                HEAPU16[(pointer >> 1) + i] = text.charCodeAt(i);
            HEAP32[out >> 2] = pointer;
            return text.length;
        },
        add: function(element) {
            VelmoraPage.elements.push(element);
            return VelmoraPage.elements.length - 1;
        },
        // One handler at a time, each to its end, as on the desktop, even while one waits for
        // the clipboard: an async ccall gives a promise that settles when the handler ends.
        // While a box is open its handler has not ended, and the page behind it is inert as a
        // desktop window behind a modal box: a shortcut then starts nothing, not even later.
        dispatch: function(id) {
            if (VelmoraPage.ended || VelmoraPage.box)
                return;
            VelmoraPage.queue = (VelmoraPage.queue || Promise.resolve()).then(() => {
                if (VelmoraPage.ended)
                    return;
                VelmoraPage.written.clear(); // only what this handler writes is read out
                VelmoraPage.running = id;
                return ccall('velmora_click', null, ['number'], [id], {async: true});
            }).then(VelmoraPage.announce);
        },
        // The element that shows the caption: the control itself, or its caption part.
        captionNode: function(element) {
            return element.querySelector(':scope > .v-caption') || element;
        },
        // Lines may break at spaces only: each word is one unbreakable run. The text stays
        // text: nothing is ever read as markup.
        setWords: function(node, text) {
            node.textContent = '';
            for (const part of text.split(/( +)/)) {
                if (!part)
                    continue;
                if (part[0] === ' ') {
                    node.appendChild(document.createTextNode(part));
                } else {
                    const word = document.createElement('span');
                    word.className = 'v-word';
                    VelmoraPage.setLanguages(word, part);
                    node.appendChild(word);
                }
            }
            if (node.dataset && node.dataset.cell !== undefined)
                VelmoraPage.setCellRole(node);
        },
        // Japanese text is marked as such, so that a screen reader reads it with a Japanese voice.
        setLanguages: function(node, text) {
            // CJK punctuation, kana, kanji, full-width and half-width forms.
            const japanese =
                /([\u3000-\u30ff\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff\uff01-\uff9f]+)/;
            for (const run of text.split(japanese)) {
                if (!run)
                    continue;
                if (japanese.test(run)) {
                    const span = document.createElement('span');
                    span.lang = 'ja';
                    span.textContent = run;
                    node.appendChild(span);
                } else {
                    node.appendChild(document.createTextNode(run));
                }
            }
        },
        // A cell of a label array is a button a screen reader can press while it holds a letter;
        // an empty one is not announced at all.
        setCellRole: function(cell) {
            if (cell.textContent) {
                cell.setAttribute('role', 'button');
                cell.removeAttribute('aria-hidden');
            } else {
                cell.removeAttribute('role');
                cell.setAttribute('aria-hidden', 'true');
            }
        },
        // The fields a layout marks as announced that a handler wrote are read out once after
        // it, each after its prompt, through their window's polite live region.
        announce: function() {
            const owners = new Set([...VelmoraPage.written].map((field) => field.closest('.v-window')));
            for (const owner of owners) {
                const live = owner.querySelector(':scope > .v-live');
                const fields = [...owner.querySelectorAll('[data-announced]')].filter((field) =>
                    VelmoraPage.written.has(field) && !field.hidden && VelmoraPage.caption(field).trim());
                fields.sort((a, b) => parseFloat(a.style.top) - parseFloat(b.style.top)
                    || parseFloat(a.style.left) - parseFloat(b.style.left));
                const parts = [];
                let lastPrompt = null;
                for (const field of fields) {
                    const value = VelmoraPage.caption(field).trim();
                    const prompt = field.getAttribute('aria-describedby');
                    if (prompt && prompt === lastPrompt)
                        parts[parts.length - 1] += ' ' + value;
                    else
                        parts.push((prompt ? document.getElementById(prompt).textContent + ' '
                            : '') + value);
                    lastPrompt = prompt;
                }
                if (parts.length && !owner.hidden) {
                    live.textContent = '';
                    VelmoraPage.setLanguages(live, parts.join(', '));
                }
            }
            VelmoraPage.written.clear();
        },
        written: null, // the announced fields a handler wrote
        caption: function(element) {
            return VelmoraPage.captionNode(element).textContent;
        },
        hex: function(rgb) {
            return '#' + (0x1000000 | rgb).toString(16).slice(1);
        },
        // The text colour of the colour scheme, read once per scheme: each reading lays the page
        // out again.
        platformText: function() {
            if (VelmoraPage.schemeText !== undefined)
                return VelmoraPage.schemeText;
            const probe = document.createElement('span');
            probe.style.color = 'CanvasText';
            document.body.appendChild(probe);
            const parts = getComputedStyle(probe).color.match(/\d+/g);
            probe.remove();
            VelmoraPage.schemeText = parts ? (+parts[0] << 16) | (+parts[1] << 8) | +parts[2] : 0;
            return VelmoraPage.schemeText;
        },
        // Text on a colour we paint follows the desktop's contrast rule.
        recolour: function(element) {
            if (element.dataset.background === undefined)
                return;
            const text = Module['_velmora_readable_text_colour'](
                +element.dataset.background, VelmoraPage.platformText());
            element.style.color = VelmoraPage.hex(text);
        },
        recolourAll: function() {
            VelmoraPage.schemeText = undefined;
            for (const element of VelmoraPage.elements) {
                if (element)
                    VelmoraPage.recolour(element);
            }
            const box = VelmoraPage.box;
            if (box)
                box.style.color = VelmoraPage.elements[+box.dataset.owner].style.color;
        },
        // A window narrower than the screen takes its narrow arrangement where it has one: its
        // lines in one column, for touch. One without is scaled down to the width, never cut off.
        fitToScreen: function() {
            for (const owner of document.querySelectorAll('.v-window')) {
                owner.style.transform = '';
                owner.style.marginRight = owner.style.marginBottom = '';
                const wasCompact = owner.classList.contains('v-compact');
                owner.classList.remove('v-compact');
                if (owner.hidden)
                    continue;
                const room = document.documentElement.clientWidth - 2 * owner.offsetLeft;
                if (owner.dataset.compact !== undefined) {
                    const compact = owner.offsetWidth > room;
                    owner.classList.toggle('v-compact', compact);
                    if (compact !== wasCompact) {
                        for (const input of owner.querySelectorAll('.v-text'))
                            VelmoraPage.fitTitle(input);
                    }
                    continue;
                }
                const scale = Math.min(1, room / owner.offsetWidth);
                if (scale < 1) {
                    owner.style.transform = `scale(${scale})`;
                    owner.style.marginRight = -(1 - scale) * owner.offsetWidth + 'px';
                    owner.style.marginBottom = -(1 - scale) * owner.offsetHeight + 'px';
                }
            }
            VelmoraPage.keepFocusInView();
        },
        // The text box being typed in stays above the on-screen keyboard, which shrinks the
        // visual viewport (and on some browsers the window).
        keepFocusInView: function() {
            VelmoraPage.placeBox();
            const focused = document.activeElement;
            if (!focused || !focused.matches('.v-compact .v-text'))
                return;
            const view = window.visualViewport;
            const top = view ? view.offsetTop : 0;
            const bottom = view ? view.offsetTop + view.height : window.innerHeight;
            const box = focused.getBoundingClientRect();
            if (box.top < top || box.bottom > bottom)
                focused.scrollIntoView({block: 'center'});
        },
        fullPixelSize: function(element) {
            return Math.round(parseFloat(element.dataset.points) * 96 / 72);
        },
        applyFont: function(element, pixelSize, stretch) {
            element.style.fontSize = pixelSize === VelmoraPage.fullPixelSize(element)
                ? element.dataset.points + 'pt' : pixelSize + 'px';
            element.style.fontStretch = stretch + '%';
        },
        // Measured on a copy outside the page's flow, so hidden controls can be fitted too.
        fits: function(element, pixelSize, stretch) {
            if (!VelmoraPage.measureHost) {
                VelmoraPage.measureHost = document.createElement('div');
                VelmoraPage.measureHost.className = 'v-measure';
                VelmoraPage.measureHost.setAttribute('aria-hidden', 'true');
                document.body.appendChild(VelmoraPage.measureHost);
            }
            const copy = element.cloneNode(true);
            copy.removeAttribute('data-name');
            copy.removeAttribute('id');
            copy.hidden = false;
            copy.style.display = '';
            VelmoraPage.applyFont(copy, pixelSize, stretch);
            VelmoraPage.measureHost.appendChild(copy);
            const fits = copy.scrollWidth <= copy.clientWidth
                && copy.scrollHeight <= copy.clientHeight;
            copy.remove();
            return fits;
        },
        // A value wider than its box shows its start, and its tooltip holds it whole.
        showTextStart: function(input) {
            input.scrollLeft = 0;
            if (input.setSelectionRange && document.activeElement !== input)
                input.setSelectionRange(0, 0);
            VelmoraPage.fitTitle(input);
        },
        fitTitle: function(input) {
            VelmoraPage.canvas = VelmoraPage.canvas || document.createElement('canvas');
            const context = VelmoraPage.canvas.getContext('2d');
            const style = getComputedStyle(input);
            context.font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
            const room = input.closest('.v-compact')
                ? input.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight)
                : parseFloat(input.style.width) - 8;
            input.title = context.measureText(input.value).width > room ? input.value : '';
        },
        // The element of each kind of control, by the name C++ gives the kind (ui::kindName).
        kinds: {
            label: function(text) {
                const element = document.createElement('div');
                element.className = 'v-control v-label';
                VelmoraPage.setWords(element, text);
                return element;
            },
            textbox: function(text) {
                const element = document.createElement('input');
                element.type = 'text';
                element.className = 'v-control v-text';
                element.value = text;
                element.spellcheck = false;
                element.autocomplete = 'off';
                return element;
            },
            button: function(text) {
                const element = document.createElement('button');
                element.type = 'button';
                element.className = 'v-control v-button';
                VelmoraPage.setWords(element, text);
                return element;
            },
            // Ticked at the start.
            checkbox: function(text) {
                const element = document.createElement('label');
                element.className = 'v-control v-check';
                const box = document.createElement('input');
                box.type = 'checkbox';
                box.checked = true;
                element.appendChild(box);
                element.appendChild(VelmoraPage.captionPart(text));
                return element;
            },
            frame: function(text) {
                const element = document.createElement('div');
                element.className = 'v-control v-frame';
                element.setAttribute('role', 'group');
                element.appendChild(VelmoraPage.captionPart(text));
                return element;
            },
        },
        captionPart: function(text) {
            const words = document.createElement('span');
            words.className = 'v-caption';
            VelmoraPage.setWords(words, text);
            return words;
        },
        // The layout's place, in the desktop's arrangement.
        place: function(element, left, top, width, height, centred) {
            element.style.left = left + 'px';
            element.style.top = top + 'px';
            element.style.width = width + 'px';
            element.style.height = height + 'px';
            if (centred) {
                element.style.textAlign = 'center';
                element.classList.add('v-centred');
            }
        },
        // What Tab, a screen reader and a click reach of a new control.
        wire: function(element, id, kind, focusable) {
            const target = element.querySelector('input') || element;
            if (!focusable && target.matches('input, button'))
                target.tabIndex = -1;
            if (kind === 'frame')
                element.setAttribute('aria-labelledby', element.firstChild.id = `v${id}-caption`);
            // An element of a label array: a screen reader can press it; it stays out of Tab.
            const cell = kind === 'label' && element.dataset.name.endsWith(']');
            if (cell) {
                element.dataset.cell = '';
                VelmoraPage.setCellRole(element);
            }
            if (cell || kind === 'button')
                element.addEventListener('click', () => VelmoraPage.dispatch(id));
        },
        // The program's message and input boxes: modal, over the window whose handler opened
        // them, with the desktop's title, buttons and answers. Settles with the text for OK, and
        // with '' for Cancel and Escape; a message box settles with '' too.
        ask: function(ownerId, title, text, input) {
            const back = document.activeElement && document.activeElement !== document.body
                ? document.activeElement : VelmoraPage.elements[VelmoraPage.running];
            const box = VelmoraPage.makeBox(VelmoraPage.elements[ownerId], title, text, input);
            box.dataset.owner = ownerId;
            document.body.appendChild(box);
            VelmoraPage.box = box;
            box.showModal();
            VelmoraPage.placeBox();
            const entry = box.querySelector('.v-box-entry');
            (entry || box.querySelector('button')).focus();
            // Escape closes it as Cancel does: returnValue stays ''.
            return new Promise((resolve) => box.addEventListener('close', () => {
                const answer = box.returnValue === 'OK' && entry ? entry.value : '';
                box.remove();
                VelmoraPage.box = null;
                if (back && back.isConnected)
                    back.focus({preventScroll: true});
                resolve(answer);
            }, {once: true}));
        },
        // In the owner window's colours; named and described for a screen reader by its title
        // and text. A message box alerts.
        makeBox: function(owner, title, text, input) {
            const box = document.createElement('dialog');
            box.className = 'v-box';
            if (!input)
                box.setAttribute('role', 'alertdialog');
            box.setAttribute('aria-labelledby', 'v-box-title');
            box.setAttribute('aria-describedby', 'v-box-text');
            box.style.backgroundColor = owner.style.backgroundColor;
            box.style.color = owner.style.color;
            const heading = document.createElement('div');
            heading.className = 'v-box-title';
            heading.id = 'v-box-title';
            heading.textContent = title;
            const body = document.createElement('div');
            body.className = 'v-box-body';
            const message = document.createElement('p');
            message.className = 'v-box-text';
            message.id = 'v-box-text';
            VelmoraPage.setLanguages(message, text);
            body.appendChild(message);
            if (input)
                body.appendChild(VelmoraPage.boxEntry(box));
            const buttons = document.createElement('div');
            buttons.className = 'v-box-buttons';
            // Each closes the box with its caption for the answer.
            for (const caption of input ? ['OK', 'Cancel'] : ['OK']) {
                const button = document.createElement('button');
                button.type = 'button';
                button.textContent = caption;
                button.addEventListener('click', () => box.close(caption));
                buttons.appendChild(button);
            }
            body.appendChild(buttons);
            box.appendChild(heading);
            box.appendChild(body);
            return box;
        },
        // Named by the prompt; Enter in it is OK, but not while an input method still composes
        // (Japanese, typed by its reading).
        boxEntry: function(box) {
            const entry = document.createElement('input');
            entry.type = 'text';
            entry.className = 'v-box-entry';
            entry.spellcheck = false;
            entry.autocomplete = 'off';
            entry.setAttribute('aria-labelledby', 'v-box-text');
            entry.addEventListener('keydown', (event) => {
                if (event.key === 'Enter' && !event.isComposing) {
                    event.preventDefault();
                    box.close('OK');
                }
            });
            return entry;
        },
        // At desktop width centred over its window's part on screen, as the desktop centres a
        // box over its parent; on a narrow screen across the top of what is seen, above the
        // on-screen keyboard.
        placeBox: function() {
            const box = VelmoraPage.box;
            if (!box)
                return;
            const owner = VelmoraPage.elements[+box.dataset.owner];
            const compact = owner.classList.contains('v-compact');
            box.classList.toggle('v-box-compact', compact);
            const root = document.documentElement;
            const view = window.visualViewport;
            if (compact) {
                box.style.left = '';
                box.style.top = (view ? view.offsetTop : 0) + 8 + 'px';
                return;
            }
            const shown = owner.getClientRects().length ? owner.getBoundingClientRect()
                : {left: 0, top: 0, right: root.clientWidth, bottom: root.clientHeight};
            const centre = (low, high, size, room) => Math.max(8, Math.min(room - size - 8,
                (Math.max(low, 0) + Math.min(high, room) - size) / 2));
            box.style.left = centre(shown.left, shown.right, box.offsetWidth, root.clientWidth)
                + 'px';
            box.style.top = centre(shown.top, shown.bottom, box.offsetHeight, root.clientHeight)
                + 'px';
        },
        end: function() {
            VelmoraPage.ended = true;
            for (const owner of document.querySelectorAll('.v-window'))
                owner.remove();
            const note = document.createElement('p');
            note.className = 'v-ended';
            note.setAttribute('role', 'status');
            note.textContent = 'Velmora Kanji has ended. Reload the page to start it again.';
            document.body.appendChild(note);
            document.title = 'Velmora Kanji';
        },
        start: function() {
            if (VelmoraPage.started)
                return;
            VelmoraPage.started = true;
            VelmoraPage.written = new Set();
            document.addEventListener('keydown', (event) => {
                if (VelmoraPage.ended)
                    return;
                if (event.key === 'Enter' && event.target.tagName === 'BUTTON'
                    && !event.target.closest('.v-box')) {
                    event.preventDefault(); // Enter starts nothing, as on the desktop
                    return;
                }
                for (const shortcut of VelmoraPage.shortcuts) {
                    if (event.key === shortcut.key && !shortcut.owner.hidden) {
                        event.preventDefault(); // not the browser's own help
                        VelmoraPage.dispatch(shortcut.element);
                    }
                }
            });
            window.addEventListener('resize', VelmoraPage.fitToScreen);
            if (window.visualViewport) {
                window.visualViewport.addEventListener('resize', VelmoraPage.keepFocusInView);
                window.visualViewport.addEventListener('scroll', VelmoraPage.placeBox);
            }
            if (window.matchMedia)
                window.matchMedia('(prefers-color-scheme: dark)')
                    .addEventListener('change', VelmoraPage.recolourAll);
        },
    },
});

// What C++ calls (ui/web/native.h). Each entry needs $VelmoraPage: autoAddDeps adds it to all.
const VelmoraNative = {
    velmora_window: function(name, nameLength, caption, captionLength, width, height) {
        VelmoraPage.start();
        const owner = document.createElement('section');
        owner.className = 'v-window';
        owner.hidden = true;
        owner.dataset.name = VelmoraPage.string(name, nameLength);
        const title = document.createElement('div');
        title.className = 'v-title';
        title.id = owner.dataset.name + '-title';
        title.textContent = VelmoraPage.string(caption, captionLength);
        owner.setAttribute('aria-labelledby', title.id);
        const client = document.createElement('div');
        client.className = 'v-client';
        client.style.width = width + 'px';
        client.style.height = height + 'px';
        const live = document.createElement('div');
        live.className = 'v-live';
        live.setAttribute('role', 'status');
        owner.appendChild(title);
        owner.appendChild(client);
        owner.appendChild(live);
        (document.getElementById('velmora') || document.body).appendChild(owner);
        return VelmoraPage.add(owner);
    },

    velmora_menu_item: function(windowId, name, nameLength, caption, captionLength, shortcut,
        shortcutLength) {
        const owner = VelmoraPage.elements[windowId];
        let bar = owner.querySelector(':scope > .v-menubar');
        if (!bar) {
            bar = document.createElement('div');
            bar.className = 'v-menubar';
            bar.setAttribute('role', 'menubar');
            owner.insertBefore(bar, owner.querySelector(':scope > .v-client'));
        }
        const item = document.createElement('button');
        item.type = 'button';
        item.setAttribute('role', 'menuitem');
        item.dataset.name = VelmoraPage.string(name, nameLength);
        item.textContent = VelmoraPage.string(caption, captionLength);
        bar.appendChild(item);
        const id = VelmoraPage.add(item);
        item.addEventListener('click', () => VelmoraPage.dispatch(id));
        const key = VelmoraPage.string(shortcut, shortcutLength);
        if (key) {
            item.setAttribute('aria-keyshortcuts', key);
            VelmoraPage.shortcuts.push({key, owner, element: id});
        }
        return id;
    },

    velmora_control: function(windowId, kind, kindLength, name, nameLength, caption,
        captionLength, left, top, width, height, focusable, centred) {
        const kindName = VelmoraPage.string(kind, kindLength);
        const build = VelmoraPage.kinds[kindName];
        if (!build)
            throw new Error('Velmora Kanji: no control of kind ' + kindName);
        const element = build(VelmoraPage.string(caption, captionLength));
        element.dataset.name = VelmoraPage.string(name, nameLength);
        VelmoraPage.place(element, left, top, width, height, centred);
        const id = VelmoraPage.add(element);
        element.id = 'v' + id;
        VelmoraPage.wire(element, id, kindName, focusable);
        VelmoraPage.elements[windowId].querySelector(':scope > .v-client').appendChild(element);
        return id;
    },

    velmora_describe: function(control, prompt, names) {
        const element = VelmoraPage.elements[control];
        const by = VelmoraPage.elements[prompt];
        element.setAttribute(names ? 'aria-labelledby' : 'aria-describedby', by.id);
    },

    // Its place in the narrow arrangement, as a flex item's order; a break starts each line.
    velmora_set_line: function(element, line, place) {
        const target = VelmoraPage.elements[element];
        const client = target.parentElement;
        client.parentElement.dataset.compact = '';
        target.style.order = line * 256 + place + 1;
        if (line > 0 && !client.querySelector(`:scope > .v-break[data-line="${line}"]`)) {
            const rule = document.createElement('div');
            rule.className = 'v-break';
            rule.dataset.line = line;
            rule.style.order = line * 256;
            client.appendChild(rule);
        }
    },

    velmora_set_font: function(element, families, familiesLength, points, bold) {
        const target = VelmoraPage.elements[element];
        target.style.fontFamily = VelmoraPage.string(families, familiesLength);
        target.style.setProperty('--v-points', points + 'pt');
        target.dataset.points = points;
        target.style.fontSize = points + 'pt';
        target.style.fontWeight = bold ? 'bold' : 'normal';
    },

    velmora_set_caption: function(element, caption, length) {
        const target = VelmoraPage.elements[element];
        VelmoraPage.setWords(VelmoraPage.captionNode(target), VelmoraPage.string(caption, length));
        if (target.dataset.announced !== undefined)
            VelmoraPage.written.add(target);
    },

    velmora_announce: function(element) {
        VelmoraPage.elements[element].dataset.announced = '';
    },

    velmora_caption: function(element, out) {
        return VelmoraPage.give(VelmoraPage.caption(VelmoraPage.elements[element]), out);
    },

    velmora_set_text: function(element, text, length) {
        const input = VelmoraPage.elements[element];
        input.value = VelmoraPage.string(text, length);
        VelmoraPage.showTextStart(input);
    },

    velmora_text: function(element, out) {
        return VelmoraPage.give(VelmoraPage.elements[element].value, out);
    },

    velmora_set_visible: function(element, visible) {
        VelmoraPage.elements[element].hidden = !visible;
    },

    velmora_is_visible: function(element) {
        return VelmoraPage.elements[element].hidden ? 0 : 1;
    },

    velmora_set_background: function(element, rgb) {
        const target = VelmoraPage.elements[element];
        target.dataset.background = rgb;
        target.style.backgroundColor = VelmoraPage.hex(rgb);
        VelmoraPage.recolour(target);
    },

    velmora_background: function(element) {
        return +VelmoraPage.elements[element].dataset.background;
    },

    velmora_is_ticked: function(element) {
        return VelmoraPage.elements[element].querySelector('input').checked ? 1 : 0;
    },

    velmora_full_pixel_size: function(element) {
        return VelmoraPage.fullPixelSize(VelmoraPage.elements[element]);
    },

    velmora_fits: function(element, pixelSize, stretch) {
        return VelmoraPage.fits(VelmoraPage.elements[element], pixelSize, stretch) ? 1 : 0;
    },

    velmora_set_fit: function(element, pixelSize, stretch, shrunk) {
        const target = VelmoraPage.elements[element];
        VelmoraPage.applyFont(target, pixelSize, stretch);
        if (shrunk)
            target.title = VelmoraPage.caption(target);
        else
            target.removeAttribute('title');
    },

    velmora_show_window: function(windowId) {
        const target = VelmoraPage.elements[windowId];
        target.hidden = false;
        document.title = target.querySelector(':scope > .v-title').textContent;
        VelmoraPage.fitToScreen();
        // As on the desktop, the focus goes to the window's first control in tab order (the
        // elements stand in that order), without scrolling the page to it.
        const first = [...target.querySelectorAll('.v-client button, .v-client input')].find(
            (control) => control.tabIndex >= 0 && control.getClientRects().length);
        if (first)
            first.focus({preventScroll: true});
        // On a phone, a window shown in place of the other starts at its top, as a new screen.
        if (target.classList.contains('v-compact') && target.getBoundingClientRect().top < 0)
            window.scrollTo(0, 0);
    },

    velmora_hide_window: function(windowId) {
        VelmoraPage.elements[windowId].hidden = true;
    },

    velmora_window_visible: function(windowId) {
        return VelmoraPage.elements[windowId].hidden ? 0 : 1;
    },

    // The handler sleeps through Asyncify until the box is answered, as a desktop handler waits
    // in its box's event loop.
    velmora_message__deps: ['$Asyncify'],
    velmora_message: function(windowId, title, titleLength, text, textLength) {
        return Asyncify.handleAsync(() => VelmoraPage.ask(windowId,
            VelmoraPage.string(title, titleLength), VelmoraPage.string(text, textLength), false));
    },

    velmora_input__deps: ['$Asyncify'],
    velmora_input: function(windowId, title, titleLength, prompt, promptLength, out) {
        return Asyncify.handleAsync(() => VelmoraPage.ask(windowId,
            VelmoraPage.string(title, titleLength), VelmoraPage.string(prompt, promptLength), true)
            .then((answer) => VelmoraPage.give(answer, out)));
    },

    // The Clipboard API answers later: the handler sleeps through Asyncify.handleAsync and then
    // goes on. A refusal, or a browser without the API, gives no text.
    velmora_clipboard_text__deps: ['$Asyncify'],
    velmora_clipboard_text: function(out) {
        return Asyncify.handleAsync(() => {
            const read = navigator.clipboard && navigator.clipboard.readText
                ? navigator.clipboard.readText().catch(() => '')
                : Promise.resolve('');
            return read.then((text) => VelmoraPage.give(typeof text === 'string' ? text : '', out));
        });
    },

    velmora_end_program: function() {
        VelmoraPage.end();
    },
};
autoAddDeps(VelmoraNative, '$VelmoraPage');
mergeInto(LibraryManager.library, VelmoraNative);
