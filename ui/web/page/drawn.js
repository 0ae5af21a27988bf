// The dictionary window as index.html holds it (data-drawn): drawn at build time by these same
// modules, the program run on a document without a screen (app/draw.mjs). The program takes each
// drawn element over by its name instead of building it again, so nothing drawn moves. What the
// learner did before the start counts: the text typed stays, and the clicks that waited run.
import {dispatch} from './clicks.js';
import {elements} from './shared.js';

const typed = new Set(); // the text boxes the learner typed into before the start

export function drawnWindow(name) {
    return [...document.querySelectorAll('#velmora > .v-window[data-drawn]')].find(
        (owner) => owner.dataset.name === name);
}

// The drawn element of that name in `parent`, or undefined.
export function drawn(parent, name) {
    const element = parent && parent.closest('[data-drawn]')
        ? [...parent.children].find((e) => e.dataset.name === name) : undefined;
    if (element && element.value)
        typed.add(element);
    return element;
}

// The program's start does not write over what the learner typed meanwhile.
export const keepsTyped = (input) => typed.has(input);

// Once the program has shown its first window, it is the program's: the clicks that index.html
// kept meanwhile run, in their order.
export function started() {
    const owners = document.querySelectorAll('#velmora > .v-window[data-drawn]');
    if (!owners.length)
        return;
    for (const owner of owners)
        delete owner.dataset.drawn;
    for (const note of document.querySelectorAll('#velmora .v-note, #velmora noscript'))
        note.remove();
    typed.clear();
    const early = window.velmoraEarly;
    if (!early)
        return;
    early.started();
    Promise.resolve().then(() => {
        for (const element of early.clicks) {
            if (elements.includes(element))
                dispatch(elements.indexOf(element));
        }
    });
}
