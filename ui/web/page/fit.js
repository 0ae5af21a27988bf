// Captions and values that do not fit their boxes: the program chooses how a caption is drawn
// narrower, then smaller; the page measures, and gives what is cut off a tooltip that holds it whole.
import {caption} from './words.js';

export function fullPixelSize(element) {
    return Math.round(parseFloat(element.dataset.points) * 96 / 72);
}

function applyFont(element, pixelSize, stretch) {
    element.style.fontSize = pixelSize === fullPixelSize(element)
        ? element.dataset.points + 'pt' : pixelSize + 'px';
    element.style.fontStretch = stretch + '%';
}

let measureHost;

// Measured on a copy outside the page's flow, so hidden controls can be fitted too.
export function fits(element, pixelSize, stretch) {
    if (!measureHost) {
        measureHost = document.createElement('div');
        measureHost.className = 'v-measure';
        measureHost.setAttribute('aria-hidden', 'true');
        document.body.appendChild(measureHost);
    }
    const copy = element.cloneNode(true);
    copy.removeAttribute('data-name');
    copy.removeAttribute('id');
    copy.hidden = false;
    copy.style.display = '';
    applyFont(copy, pixelSize, stretch);
    measureHost.appendChild(copy);
    const fits = copy.scrollWidth <= copy.clientWidth && copy.scrollHeight <= copy.clientHeight;
    copy.remove();
    return fits;
}

export function setFit(element, pixelSize, stretch, shrunk) {
    applyFont(element, pixelSize, stretch);
    if (shrunk)
        element.title = caption(element);
    else
        element.removeAttribute('title');
}

// A value wider than its box shows its start, and its tooltip holds it whole.
export function showTextStart(input) {
    input.scrollLeft = 0;
    if (input.setSelectionRange && document.activeElement !== input)
        input.setSelectionRange(0, 0);
    fitTitle(input);
}

let canvas;

export function fitTitle(input) {
    canvas = canvas || document.createElement('canvas');
    const context = canvas.getContext('2d');
    const style = getComputedStyle(input);
    context.font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
    const room = input.closest('.v-compact')
        ? input.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight)
        : parseFloat(input.style.width) - 8;
    input.title = context.measureText(input.value).width > room ? input.value : '';
}
