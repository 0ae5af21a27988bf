// The page on the screen it has: a window narrower than the screen takes its narrow arrangement
// where it has one (its lines in one column, for touch); one without is scaled down to the width,
// never cut off. What is typed in stays in view.
import {placeBox} from './boxes.js';
import {fitTitle} from './fit.js';

export function fitToScreen() {
    for (const owner of document.querySelectorAll('.v-window')) {
        owner.style.transform = '';
        owner.style.marginRight = owner.style.marginBottom = '';
        const wasCompact = owner.classList.contains('v-compact');
        owner.classList.remove('v-compact');
        if (owner.hidden)
            continue;
        if (owner.dataset.compact !== undefined) {
            const compact = window.matchMedia(owner.dataset.narrow).matches;
            owner.classList.toggle('v-compact', compact);
            if (compact !== wasCompact) {
                for (const input of owner.querySelectorAll('.v-text'))
                    fitTitle(input);
            }
            continue;
        }
        const room = document.documentElement.clientWidth - 2 * owner.offsetLeft;
        const scale = Math.min(1, room / owner.offsetWidth);
        if (scale < 1) {
            owner.style.transform = `scale(${scale})`;
            owner.style.marginRight = -(1 - scale) * owner.offsetWidth + 'px';
            owner.style.marginBottom = -(1 - scale) * owner.offsetHeight + 'px';
        }
    }
    keepFocusInView();
}

// The text box being typed in stays above the on-screen keyboard, which shrinks the visual
// viewport (and on some browsers the window).
export function keepFocusInView() {
    placeBox();
    const focused = document.activeElement;
    if (!focused || !focused.matches('.v-compact .v-text'))
        return;
    const view = window.visualViewport;
    const top = view ? view.offsetTop : 0;
    const bottom = view ? view.offsetTop + view.height : window.innerHeight;
    const box = focused.getBoundingClientRect();
    if (box.top < top || box.bottom > bottom)
        focused.scrollIntoView({block: 'center'});
}
