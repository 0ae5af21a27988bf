// What the page's modules share: its elements by the numbers the program knows them by, and what
// the page may ask of the program, which page.js hands over at the start (main.js).

export const elements = [null]; // 0 is no element

export function add(element) {
    elements.push(element);
    return elements.length - 1;
}

export const program = {
    click: null, // (element) runs its handler; a promise that settles when the handler ends
    accepting: null, // () whether the program takes a click now
    recover: null, // () after a handler failed in the page
    textColour: null, // (background, text) the readable text colour, both as 0xRRGGBB
};
