// Draws the dictionary window into index.html at build time: the program itself runs on jsdom, a
// document without a screen, until its first window is shown, and the window's elements are
// written into the page as the program built them (ui/web/page/drawn.js takes them over at the
// start). So the markup comes from the layout tables through ui::resolve, the form's own start
// and the page's DOM code, with nothing retyped.
//   node draw.mjs <index.html template> <velmora-page.js> <velmora-kanji.js> <index.html out>
// jsdom is Debian's node-jsdom: NODE_PATH=/usr/share/nodejs.
import {readFileSync, writeFileSync} from 'node:fs';
import {createRequire} from 'node:module';

const [template, pageScript, programScript, out] = process.argv.slice(2);
const {JSDOM, VirtualConsole} = createRequire(import.meta.url)('jsdom');

const failures = [];
const console_ = new VirtualConsole();
console_.on('jsdomError', (error) => failures.push(error.stack || String(error)));
console_.on('error', (...parts) => failures.push(parts.join(' ')));
// The program starts in a promise: a failure there is said here, not as node's dump of the script.
process.on('unhandledRejection', (error) => failures.push(error && error.stack || String(error)));
const html = readFileSync(template, 'utf8');
const dom = new JSDOM(html, {runScripts: 'outside-only', pretendToBeVisual: true,
    virtualConsole: console_});
const {window} = dom;
const {document} = window;
// What a document without a screen lacks: no text is measured, and the screen is taken as wide,
// which draws the desktop arrangement; the copied rules below narrow it through CSS.
window.HTMLCanvasElement.prototype.getContext = () => ({measureText: () => ({width: 0})});
window.matchMedia = () => ({matches: false, addEventListener() {}});
window.eval(readFileSync(pageScript, 'utf8'));
window.eval(readFileSync(programScript, 'utf8'));

const shown = () => document.querySelector('#velmora > .v-window:not([hidden])');
for (const end = Date.now() + 30000; !shown() && !failures.length && Date.now() < end;)
    await new Promise((done) => setTimeout(done, 10));
const owner = shown();
if (failures.length || !owner)
    throw new Error('draw.mjs: the program failed, or showed no window in 30 s\n' + failures.join('\n'));

// The program takes it over when it starts (ui/web/page/drawn.js).
owner.dataset.drawn = '';
// What the learner sees of a text box or a check box is state, not markup: written as markup.
for (const input of owner.querySelectorAll('input')) {
    if (input.value)
        input.setAttribute('value', input.value);
    if (input.type === 'checkbox')
        input.toggleAttribute('checked', input.checked);
}
// One line inside the window where it cannot answer; index.html's script shows the second when
// the program's script fails to load or to start.
owner.querySelector(':scope > .v-live').insertAdjacentHTML('beforebegin',
    '<noscript><p class="v-note">This window needs JavaScript to answer.</p></noscript>'
    + '<p class="v-note" hidden>The program could not load. Reload to try again.</p>');

// Each part replaced exactly once, or the template has changed under this script.
let page = html;
function replace(pattern, replacement) {
    const found = page.match(new RegExp(pattern.source, 'g'));
    if (!found || found.length !== 1)
        throw new Error(`draw.mjs: ${pattern} is in the template ${found ? found.length : 0} times`);
    page = page.replace(pattern, replacement);
}
replace(/<main id="velmora"><\/main>/, () =>
    `<main id="velmora">${document.getElementById('velmora').innerHTML}</main>`);
replace(/<title>[^<]*<\/title>/, () => `<title>${document.querySelector('title').innerHTML}</title>`);
// The compact arrangement's rules again, for this window and under its media query, so that it
// needs no script; the program decides by the same query (ui/web/page/screen.js).
replace(/<style id="v-compact">([^<]*)<\/style>\n/, (block, rules) => `${block}<style media="${
    owner.dataset.narrow}">${rules.replaceAll('.v-compact', `[data-name="${owner.dataset.name}"]`)}</style>\n`);
writeFileSync(out, page);
window.close();
