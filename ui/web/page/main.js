// The page's side of the browser binding: it builds each window and control as an element, draws,
// measures and forwards; everything the program decides stays in C++. page.js, the emscripten
// library, calls what this module exports, and hands it what it may ask of the program. Built
// (app/web.cmake) into one classic script, velmora-page.js, whose exports are the global VelmoraDom:
// a module of its own could not be loaded from disk (file://).
import {placeBox} from './boxes.js';
import {listenToKeys} from './clicks.js';
import * as colours from './colours.js';
import * as fit from './fit.js';
import {fitToScreen, keepFocusInView} from './screen.js';
import {elements, program} from './shared.js';
import * as words from './words.js';

export {ask} from './boxes.js';
export {control, describe, menuItem, setCaption, setFont, setLine, setText} from './controls.js';
export {end, openWindow, say, showWindow} from './windows.js';

// Controls and windows by their numbers.
export const caption = (id) => words.caption(elements[id]);
export const text = (id) => elements[id].value;
export const setVisible = (id, visible) => { elements[id].hidden = !visible; };
export const isVisible = (id) => !elements[id].hidden;
export const setBackground = (id, rgb) => colours.setBackground(elements[id], rgb);
export const background = (id) => colours.background(elements[id]);
export const isTicked = (id) => elements[id].querySelector('input').checked;
export const fullPixelSize = (id) => fit.fullPixelSize(elements[id]);
export const fits = (id, pixelSize, stretch) => fit.fits(elements[id], pixelSize, stretch);
export const setFit = (id, pixelSize, stretch, shrunk) =>
    fit.setFit(elements[id], pixelSize, stretch, shrunk);

let started = false;

export function start(hooks) {
    if (started)
        return;
    started = true;
    Object.assign(program, hooks);
    listenToKeys();
    window.addEventListener('resize', fitToScreen);
    if (window.visualViewport) {
        window.visualViewport.addEventListener('resize', keepFocusInView);
        window.visualViewport.addEventListener('scroll', placeBox);
    }
    if (window.matchMedia)
        window.matchMedia('(prefers-color-scheme: dark)').addEventListener('change',
            colours.recolourAll);
}

// The Clipboard API answers later. A refusal, or a browser without the API, gives no text.
export function clipboardText() {
    const read = navigator.clipboard && navigator.clipboard.readText
        ? navigator.clipboard.readText().catch(() => '') : Promise.resolve('');
    return read.then((text) => typeof text === 'string' ? text : '');
}
