// Clicks, shortcuts and the presses of assistive technology, handed to the program one at a time:
// each handler runs to its end, as on the desktop, even while it waits for the clipboard, and a
// click meanwhile runs after it. Whether the program takes a click at all (not while a box is
// open, not after the end) is the program's to say, at the click.
import {program} from './shared.js';

let queue = Promise.resolve();
let runningElement = 0;
const shortcuts = []; // {key, owner, element}

// The element whose handler runs, or ran last.
export const running = () => runningElement;

export function dispatch(element) {
    if (!program.accepting())
        return;
    queue = queue.then(() => {
        runningElement = element;
        return program.click(element);
    }).catch(failed);
}

// A handler that failed in the page is said on the console, and leaves nothing behind that would
// refuse the next click: no box of its, and the program takes clicks again.
function failed(error) {
    console.error('Velmora Kanji: a handler failed:', error);
    for (const box of document.querySelectorAll('dialog.v-box'))
        box.remove();
    program.recover();
}

// `key` starts the handler of `element` while its window `owner` is shown.
export function addShortcut(key, owner, element) {
    shortcuts.push({key, owner, element});
}

export function listenToKeys() {
    document.addEventListener('keydown', (event) => {
        if (event.key === 'Enter' && event.target.tagName === 'BUTTON'
            && !event.target.closest('.v-box')) {
            event.preventDefault(); // Enter starts nothing, as on the desktop
            return;
        }
        for (const shortcut of shortcuts) {
            if (event.key === shortcut.key && shortcut.owner.isConnected && !shortcut.owner.hidden) {
                event.preventDefault(); // not the browser's own help
                dispatch(shortcut.element);
            }
        }
    });
}
