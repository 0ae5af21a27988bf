// Each window of the program as a section of the page, with its title, its client area and the
// polite live region through which a screen reader hears what its handlers wrote.
import {drawnWindow, started} from './drawn.js';
import {fitToScreen} from './screen.js';
import {add, elements} from './shared.js';
import {setLanguages} from './words.js';

export function openWindow(name, caption, width, height) {
    const drawn = drawnWindow(name);
    if (drawn)
        return add(drawn);
    const owner = document.createElement('section');
    owner.className = 'v-window';
    owner.hidden = true;
    owner.dataset.name = name;
    // Narrower than its width, its border and the page's margin on either side (index.html), a
    // window takes its compact arrangement where it has one. A media query: the drawn window
    // takes it through CSS alone (app/draw.mjs).
    owner.dataset.narrow = `(max-width: ${width + 2 * (1 + 8) - 0.02}px)`;
    const title = document.createElement('div');
    title.className = 'v-title';
    title.id = name + '-title';
    title.textContent = caption;
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
    return add(owner);
}

export function showWindow(id) {
    const target = elements[id];
    target.hidden = false;
    document.title = target.querySelector(':scope > .v-title').textContent;
    fitToScreen();
    // As on the desktop, the focus goes to the window's first control in tab order (the elements
    // stand in that order), without scrolling the page to it; unless the learner put it in the
    // window already, into the drawn window before the start.
    const first = [...target.querySelectorAll('.v-client button, .v-client input')].find(
        (control) => control.tabIndex >= 0 && control.getClientRects().length);
    if (first && !target.contains(document.activeElement))
        first.focus({preventScroll: true});
    // On a phone, a window shown in place of the other starts at its top, as a new screen.
    if (target.classList.contains('v-compact') && target.getBoundingClientRect().top < 0)
        window.scrollTo(0, 0);
    started();
}

// The words the program says, with their Japanese runs marked as Japanese.
export function say(id, text) {
    const live = elements[id].querySelector(':scope > .v-live');
    live.textContent = '';
    setLanguages(live, text);
}

export function end() {
    for (const owner of document.querySelectorAll('.v-window'))
        owner.remove();
    const note = document.createElement('p');
    note.className = 'v-ended';
    note.setAttribute('role', 'status');
    note.textContent = 'Velmora Kanji has ended. Reload the page to start it again.';
    document.body.appendChild(note);
    document.title = 'Velmora Kanji';
}
