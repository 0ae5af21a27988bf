// Each control of a window as an element, placed where its layout row puts it at desktop width.
import {addShortcut, dispatch} from './clicks.js';
import {drawn, keepsTyped} from './drawn.js';
import {showTextStart} from './fit.js';
import {add, elements} from './shared.js';
import {captionNode, setCellRole, setWords} from './words.js';

function worded(tag, className, text) {
    const element = document.createElement(tag);
    element.className = className;
    setWords(element, text);
    return element;
}

// The element of each kind of control, by the name the program gives the kind.
const kinds = {
    label: (text) => worded('div', 'v-control v-label', text),
    textbox(text) {
        const element = document.createElement('input');
        element.type = 'text';
        element.className = 'v-control v-text';
        element.value = text;
        element.setAttribute('spellcheck', 'false'); // an attribute, which the drawn window keeps
        element.autocomplete = 'off';
        return element;
    },
    button(text) {
        const element = worded('button', 'v-control v-button', text);
        element.type = 'button';
        return element;
    },
    // Ticked at the start.
    checkbox(text) {
        const element = document.createElement('label');
        element.className = 'v-control v-check';
        const box = document.createElement('input');
        box.type = 'checkbox';
        box.checked = true;
        element.appendChild(box);
        element.appendChild(worded('span', 'v-caption', text));
        return element;
    },
    frame(text) {
        const element = document.createElement('div');
        element.className = 'v-control v-frame';
        element.setAttribute('role', 'group');
        element.appendChild(worded('span', 'v-caption', text));
        return element;
    },
};

function place(element, left, top, width, height, centred) {
    element.style.left = left + 'px';
    element.style.top = top + 'px';
    element.style.width = width + 'px';
    element.style.height = height + 'px';
    if (centred) {
        element.style.textAlign = 'center';
        element.classList.add('v-centred');
    }
}

// What Tab, a screen reader and a click reach of a new control.
function wire(element, id, kind, focusable) {
    const target = element.querySelector('input') || element;
    if (!focusable && target.matches('input, button'))
        target.tabIndex = -1;
    if (kind === 'frame')
        element.setAttribute('aria-labelledby', element.firstChild.id = `v${id}-caption`);
    // An element of a label array: a screen reader can press it; it stays out of Tab.
    const cell = kind === 'label' && element.dataset.name.endsWith(']');
    if (cell) {
        element.dataset.cell = '';
        setCellRole(element);
    }
    if (cell || kind === 'button')
        element.addEventListener('click', () => dispatch(id));
}

export function control(windowId, kind, name, caption, left, top, width, height, focusable,
    centred) {
    const build = kinds[kind];
    if (!build)
        throw new Error('Velmora Kanji: no control of kind ' + kind);
    const client = elements[windowId].querySelector(':scope > .v-client');
    const element = drawn(client, name) || client.appendChild(build(caption));
    element.dataset.name = name;
    place(element, left, top, width, height, centred);
    const id = add(element);
    element.id = 'v' + id;
    wire(element, id, kind, focusable);
    return id;
}

export function menuItem(windowId, name, caption, shortcut) {
    const owner = elements[windowId];
    let bar = owner.querySelector(':scope > .v-menubar');
    if (!bar) {
        bar = document.createElement('div');
        bar.className = 'v-menubar';
        bar.setAttribute('role', 'menubar');
        owner.insertBefore(bar, owner.querySelector(':scope > .v-client'));
    }
    const item = drawn(bar, name) || bar.appendChild(document.createElement('button'));
    item.type = 'button';
    item.setAttribute('role', 'menuitem');
    item.dataset.name = name;
    item.textContent = caption;
    const id = add(item);
    item.addEventListener('click', () => dispatch(id));
    if (shortcut) {
        item.setAttribute('aria-keyshortcuts', shortcut);
        addShortcut(shortcut, owner, id);
    }
    return id;
}

// A value field is described by its prompt; a text box is named by it (`names`).
export function describe(id, promptId, names) {
    elements[id].setAttribute(names ? 'aria-labelledby' : 'aria-describedby', elements[promptId].id);
}

// Its place in the narrow arrangement, as a flex item's order; a break starts each line.
export function setLine(id, line, placeInLine) {
    const target = elements[id];
    const client = target.parentElement;
    client.parentElement.dataset.compact = '';
    target.style.order = line * 256 + placeInLine + 1;
    if (line > 0 && !client.querySelector(`:scope > .v-break[data-line="${line}"]`)) {
        const rule = document.createElement('div');
        rule.className = 'v-break';
        rule.dataset.line = line;
        rule.style.order = line * 256;
        client.appendChild(rule);
    }
}

export function setFont(id, families, points, bold) {
    const target = elements[id];
    target.style.fontFamily = families;
    target.style.setProperty('--v-points', points + 'pt');
    target.dataset.points = points;
    target.style.fontSize = points + 'pt';
    target.style.fontWeight = bold ? 'bold' : 'normal';
}

export function setCaption(id, caption) {
    setWords(captionNode(elements[id]), caption);
}

export function setText(id, text) {
    const input = elements[id];
    if (keepsTyped(input))
        return;
    input.value = text;
    showTextStart(input);
}
