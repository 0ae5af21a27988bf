// A caption on the page: lines break at spaces only, Japanese is marked as Japanese, and the text
// stays text: nothing is ever read as markup.

// The element that shows the caption: the control itself, or its caption part.
export function captionNode(element) {
    return element.querySelector(':scope > .v-caption') || element;
}

export function caption(element) {
    return captionNode(element).textContent;
}

// Each word is one unbreakable run.
export function setWords(node, text) {
    node.textContent = '';
    for (const part of text.split(/( +)/)) {
        if (!part)
            continue;
        if (part[0] === ' ') {
            node.appendChild(document.createTextNode(part));
        } else {
            const word = document.createElement('span');
            word.className = 'v-word';
            setLanguages(word, part);
            node.appendChild(word);
        }
    }
    if (node.dataset && node.dataset.cell !== undefined)
        setCellRole(node);
}

// So that a screen reader reads Japanese text with a Japanese voice.
export function setLanguages(node, text) {
    // CJK punctuation, kana, kanji, full-width and half-width forms.
    const japanese = /([\u3000-\u30ff\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff\uff01-\uff9f]+)/;
    for (const run of text.split(japanese)) {
        if (!run)
            continue;
        if (japanese.test(run)) {
            const span = document.createElement('span');
            span.lang = 'ja';
            span.textContent = run;
            node.appendChild(span);
        } else {
            node.appendChild(document.createTextNode(run));
        }
    }
}

// A cell of a label array is a button a screen reader can press while it holds a letter; an empty
// one is not announced at all.
export function setCellRole(cell) {
    if (cell.textContent) {
        cell.setAttribute('role', 'button');
        cell.removeAttribute('aria-hidden');
    } else {
        cell.removeAttribute('role');
        cell.setAttribute('aria-hidden', 'true');
    }
}
