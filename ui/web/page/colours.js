// Text on a colour the program paints follows the desktop's contrast rule, which the program
// decides; again when the colour scheme changes.
import {elements, program} from './shared.js';

export function hex(rgb) {
    return '#' + (0x1000000 | rgb).toString(16).slice(1);
}

let schemeText; // the text colour of the colour scheme

// Read once per scheme: each reading lays the page out again.
function platformText() {
    if (schemeText !== undefined)
        return schemeText;
    const probe = document.createElement('span');
    probe.style.color = 'CanvasText';
    document.body.appendChild(probe);
    const parts = getComputedStyle(probe).color.match(/\d+/g);
    probe.remove();
    schemeText = parts ? (+parts[0] << 16) | (+parts[1] << 8) | +parts[2] : 0;
    return schemeText;
}

function recolour(element) {
    if (element.dataset.background !== undefined)
        element.style.color = hex(program.textColour(+element.dataset.background, platformText()));
}

export function recolourAll() {
    schemeText = undefined;
    for (const element of elements) {
        if (element)
            recolour(element);
    }
    const box = document.querySelector('dialog.v-box');
    if (box)
        box.style.color = elements[+box.dataset.owner].style.color;
}

export function setBackground(element, rgb) {
    element.dataset.background = rgb;
    element.style.backgroundColor = hex(rgb);
    recolour(element);
}

// The colour set last, which is all a label's background ever is.
export function background(element) {
    return +element.dataset.background;
}
