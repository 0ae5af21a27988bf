// The dictionary window as index.html holds it: drawn at build time by these same modules, the
// program run on a document without a screen (app/draw.mjs). The program takes each drawn element
// over by its name instead of building it again, so nothing drawn moves. What the learner did
// before the start counts: the text typed stays, and the clicks that waited (index.html) run.
import {dispatch} from './clicks.js';
import {elements} from './shared.js';

// What index.html's own script kept until the program runs: the clicks, and `started`.
let early = window.velmoraEarly;
const typed = new Set(); // the text boxes the learner typed into before the start

export function drawnWindow(name) {
    return early ? [...document.querySelectorAll('#velmora > .v-window')].find(
        (owner) => owner.dataset.name === name) : undefined;
}

// The drawn element of that name in `parent`, or undefined.
export function drawn(parent, name) {
    const element = early && parent ? [...parent.children].find((e) => e.dataset.name === name)
        : undefined;
    if (element && element.value)
        typed.add(element);
    return element;
}

// The program's start does not write over what the learner typed meanwhile.
export const keepsTyped = (input) => typed.has(input);

// Once the program has shown its first window: the clicks that waited run, in their order.
export function started() {
    if (!early)
        return;
    const {clicks} = early;
    early.started();
    early = undefined;
    typed.clear();
    for (const note of document.querySelectorAll('#velmora .v-note, #velmora noscript'))
        note.remove();
    Promise.resolve().then(() => {
        for (const element of clicks) {
            if (elements.includes(element))
                dispatch(elements.indexOf(element));
        }
    });
}
