// Saves pictures of the page in headless Chromium: the dictionary window as the desktop's picture
// shows it, record 264 found by "water" with its readings shown. With --phone WIDTHxHEIGHT, on a
// touch screen of that many CSS pixels, the whole page of both windows, the expression window after
// reading 日本語の本 with 本 tapped and conjugating "taberu".
//   node tests/web/screenshot.js <page folder> <picture.png> [<expression.png> --phone WxH [--scale S]]
import {resolve} from 'node:path';
import {parseArgs} from 'node:util';
import {Host, launch} from './engine.js';

const {values: options, positionals: [site, ...pictures]} = parseArgs({allowPositionals: true,
    options: {phone: {type: 'string'}, scale: {type: 'string', default: '1'}}});
const [width, height] = (options.phone || '640x800').split('x').map(Number);
const host = await new Host(resolve(site)).start();
const engine = await launch('chromium', {width, height, deviceScaleFactor: Number(options.scale),
    isMobile: !!options.phone, hasTouch: !!options.phone});
try {
    const page = engine.page;
    const control = (form, name) => `[data-name="${form}"] [data-name="${name}"]`;
    const shoot = path => options.phone ? page.screenshot({path, fullPage: true})
        : page.$('[data-name="Form1"]').then(form => form.screenshot({path}));
    await page.goto(host.url + 'index.html');
    await page.waitForSelector('[data-name="Form1"]:not([hidden]):not([data-drawn])');
    await page.type(control('Form1', 'Text1'), 'water');
    await page.click(control('Form1', 'Command2'));
    await page.click(control('Form1', 'Command4'));
    await shoot(pictures[0]);
    if (pictures[1]) {
        await page.click(control('Form1', 'Command10'));
        await page.type(control('Form2', 'Text1'), '日本語の本');
        await page.click(control('Form2', 'Command1'));
        await page.click(control('Form2', 'Label2[1]'));
        await page.type(control('Form2', 'Text2'), 'taberu');
        await page.click(control('Form2', 'Command4'));
        await page.evaluate(() => document.activeElement.blur());
        await shoot(pictures[1]);
    }
} finally {
    await engine.quit();
    await host.stop();
}
console.log(...pictures);
