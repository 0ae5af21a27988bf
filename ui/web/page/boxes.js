// The program's message and input boxes: modal, over the window whose handler opened them, with
// the desktop's title, buttons and answers; never the browser's alert() and prompt().
import {running} from './clicks.js';
import {elements} from './shared.js';
import {setLanguages} from './words.js';

// Settles with the text for OK, and with '' for Cancel and Escape; a message box settles with ''
// too. The focus goes back where it was, or to the control whose handler opened it.
export function ask(ownerId, title, text, input) {
    const back = document.activeElement && document.activeElement !== document.body
        ? document.activeElement : elements[running()];
    const box = makeBox(elements[ownerId], title, text, input);
    box.dataset.owner = ownerId;
    document.body.appendChild(box);
    box.showModal();
    placeBox();
    const entry = box.querySelector('.v-box-entry');
    (entry || box.querySelector('button')).focus();
    // Escape closes it as Cancel does: returnValue stays ''.
    return new Promise((resolve) => box.addEventListener('close', () => {
        const answer = box.returnValue === 'OK' && entry ? entry.value : '';
        box.remove();
        if (back && back.isConnected)
            back.focus({preventScroll: true});
        resolve(answer);
    }, {once: true}));
}

// In the owner window's colours; named and described for a screen reader by its title and text.
// A message box alerts.
function makeBox(owner, title, text, input) {
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
    setLanguages(message, text);
    body.appendChild(message);
    if (input)
        body.appendChild(boxEntry(box));
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
}

// Named by the prompt; Enter in it is OK, but not while an input method still composes (Japanese,
// typed by its reading).
function boxEntry(box) {
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
}

// At desktop width centred over its window's part on screen, as the desktop centres a box over its
// parent; on a narrow screen across the top of what is seen, above the on-screen keyboard.
export function placeBox() {
    const box = document.querySelector('dialog.v-box[open]');
    if (!box)
        return;
    const owner = elements[+box.dataset.owner];
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
    box.style.left = centre(shown.left, shown.right, box.offsetWidth, root.clientWidth) + 'px';
    box.style.top = centre(shown.top, shown.bottom, box.offsetHeight, root.clientHeight) + 'px';
}
