// The page in a real browser, as a user works it: typing, Tab, the mouse,
// held keys, pasting, and the message dialog closed by a key. One table of
// rows; the expected values are the desktop windows' on the same input.
//   node page_test.mjs chrome|firefox BROWSER SERVE_SCRIPT SITE WINDOW_PICTURE...
import { readFileSync } from 'node:fs';
import { basename } from 'node:path';
import { createRequire } from 'node:module';
import { checks, idle as formIdle, launch, serve } from './browser.mjs';

const [browserName, executablePath, serveScript, site, ...windowPictures] = process.argv.slice(2);
const NOT_DIGITS = 'Varvik kan endast räkna med siffror.';
const OVERFLOW = 'Talen är för stora för att Varvik ska kunna räkna med dem (spill).';
const VB = 'VB overflow! Programmet klarar inte så stora skillnader mellan FV/FVb och GEV';

// type: what the user types into FV, GEV, FVb, EP, tabbing from one to the
// next ('' empties the field); write: texts the program could have left
// there. Then the action; after: the four fields; messages: each closed by
// the key given, or Enter.
const rows = [
    { name: 'EP across the base', type: ['10', '12', '15', ''], click: 'Command1', after: ['10', '12', '15', '8'] },
    { name: 'EP with a comma', type: ['10,5', '12', '15', '0'], click: 'Command1', after: ['10,5', '12', '15', '8'] },
    { name: 'FVb from 0 with a million', type: ['0', '0', '0', '1000000'], click: 'Command2', after: ['0', '0', '1413', '1009'] },
    { name: 'not digits', type: ['', 'abc', '5', 'x'], click: 'Command1', after: ['0', '0', '5', '0'], messages: [NOT_DIGITS], close: 'Escape' },
    { name: 'invalid GEV', type: ['5', '1000,5', '7', '3'], click: 'Command1', after: ['5', '0', '7', '3'], messages: ['Ogiltigt GEV!'], close: ' ' },
    { name: 'invalid EP', type: ['1', '2', '3', '1000001'], click: 'Command2', after: ['1', '2', '3', '0'], messages: ['Ogiltigt antal EP!'] },
    { name: 'difference too large', type: ['46341', '0', '0', '7'], click: 'Command1', after: ['0', '0', '0', '0'], messages: [VB] },
    { name: 'ten digits shown whole', type: ['-9999999', '1000', '47340', '0'], click: 'Command1', after: ['-9999999', '1000', '47340', '1083721969'] },
    { name: 'refund from its minus sign', type: ['47340', '1000', '1001', '0'], click: 'Command1', after: ['47340', '1000', '1001', '-1073720969'] },
    { name: 'overflow reported, the page goes on', write: ['-2000000000', '0', '46340', ''], click: 'Command1', after: ['-2000000000', '0', '46340', '0'], messages: [OVERFLOW] },
    { name: 'the link opens the homepage in a new tab', type: ['1', '2', '3', '4'], click: 'Label10', opens: 'http://varvik.example/', after: ['1', '2', '3', '4'] },
    { name: 'Rensa', type: ['abc', '', '12', '-3'], click: 'Command3', after: ['0', '0', '0', '0'] },
    { name: 'a ninth typed character refused', type: ['123456789', '0', '0', '0'], after: ['12345678', '0', '0', '0'] },
    { name: 'a long paste cut to 8', type: ['1', '0', '0', '0'], paste: 'abcdefghijklmnop', after: ['abcdefgh', '0', '0', '0'] },
    { name: 'Tab selects the first 8 of a result', write: ['0', '0', '0', '1073720970'], tabTo: 'Text4', selected: '10737209', after: ['0', '0', '0', '1073720970'] },
    { name: 'Shift+Tab selects 8 typed', type: ['12345678', '0', '0', '0'], backTo: 'Text1', selected: '12345678', after: ['12345678', '0', '0', '0'] },
    { name: 'Enter held on Beräkna FVb', type: ['0', '0', '0', '1000000'], hold: ['Enter', 'Command2'], after: ['0', '0', '1413', '1009'] },
    { name: 'Space held on Beräkna FVb', type: ['0', '0', '0', '1000000'], hold: [' ', 'Command2'], after: ['0', '0', '1413', '1009'] },
    { name: 'Enter held on Beräkna EP, its box stays', type: ['x', '0', '10', '0'], hold: ['Enter', 'Command1'], after: ['0', '0', '10', '0'], messages: [NOT_DIGITS] },
    { name: 'Space held on Beräkna EP, its box stays', type: ['x', '0', '10', '0'], hold: [' ', 'Command1'], after: ['0', '0', '10', '0'], messages: [NOT_DIGITS] },
];

const { check, finish } = checks(browserName);
const server = await serve(serveScript, site);
const address = server.address;
const browser = await launch(browserName, executablePath);

try {
    const page = await browser.newPage();
    page.on('pageerror', (error) => check('no error in the page', String(error), ''));
    const fields = () => page.$$eval('#Form1 input', (boxes) => boxes.map((box) => box.value));
    const idle = () => formIdle(page);
    // Each message as the dialog shows it, the form busy behind it, closed
    // by a key; then the next, until the click is done.
    async function messagesUntilDone(close) {
        const shown = [];
        for (;;) {
            await idle();
            const box = await page.evaluate(() => document.getElementById('Message').open && [
                document.getElementById('MessageTitle').textContent, document.getElementById('MessageText').textContent,
                document.activeElement.id, document.getElementById('Form1').getAttribute('aria-busy')]);
            if (!box)
                return shown;
            check(`the box of "${box[1]}"`, [box[0], box[2], box[3]], ['Varvik v1.4.1', 'MessageOK', 'true']);
            shown.push(box[1]);
            // Nothing behind the box takes a click: "Rensa" would show.
            const rensa = await page.$eval('#Command3', (b) => { const r = b.getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; });
            await page.mouse.click(...rensa);
            await page.keyboard.press(close);
            await page.waitForFunction(() => !document.getElementById('Message').open);
        }
    }

    for (const row of rows) {
        await page.goto(address);
        await idle();
        check(`${row.name}: opens in FV, its text selected`, await page.evaluate(() =>
            [document.activeElement.id, document.activeElement.selectionStart, document.activeElement.selectionEnd]), ['Text1', 0, 1]);
        if (row.write)
            await page.$$eval('#Form1 input', (boxes, texts) => texts.forEach((t, i) => { boxes[i].value = t; }), row.write);
        for (const [i, text] of (row.type ?? []).entries()) {
            if (i > 0)
                await page.keyboard.press('Tab');
            await (text ? page.keyboard.type(text) : page.keyboard.press('Backspace'));
        }
        let messages = [];
        if (row.click) {
            // The address, or Firefox's page saying it cannot be reached.
            const opened = row.opens && browser.waitForTarget((t) => t.url() === row.opens
                || t.url().includes(`u=${encodeURIComponent(row.opens).replaceAll('%2F', '/')}&`));
            await page.click(`#${row.click}`);
            messages = await messagesUntilDone(row.close ?? 'Enter');
            if (messages.length)
                check(`${row.name}: the focus back on the button`, await page.evaluate(() => document.activeElement.id), row.click);
            if (opened) {
                const tab = await opened;
                check(`${row.name}: a new tab`, tab !== page.target(), true);
                await (await tab.page())?.close();
                await page.bringToFront();
            }
        }
        if (row.paste) {
            await page.focus('#Text1');
            await page.evaluate((text) => navigator.clipboard.writeText(text), row.paste);
            await page.$eval('#Text1', (box) => box.select());
            await page.keyboard.down('Control');
            await page.keyboard.press('v');
            await page.keyboard.up('Control');
        }
        if (row.tabTo || row.backTo) {
            await page.focus(row.tabTo ? '#Text3' : '#Text2');
            await page.keyboard.down('Shift');
            if (row.backTo)
                await page.keyboard.press('Tab');
            await page.keyboard.up('Shift');
            if (row.tabTo)
                await page.keyboard.press('Tab');
            check(`${row.name}: selection`, await page.evaluate(() => [document.activeElement.id,
                document.activeElement.value.substring(document.activeElement.selectionStart, document.activeElement.selectionEnd)]),
                [row.tabTo ?? row.backTo, row.selected]);
        }
        if (row.hold) {
            const [key, button] = row.hold;
            await page.focus(`#${button}`);
            for (let i = 0; i < 5; i++)
                await page.keyboard.down(key); // the keyboard's repeats
            await page.keyboard.up(key);
            messages = await messagesUntilDone('Enter');
        }
        check(`${row.name}: messages`, messages, row.messages ?? []);
        check(`${row.name}: fields`, await fields(), row.after);
    }

    // A new tab the browser refuses, by throwing as some do for a blocked
    // pop-up, passes in silence: no message, no error, the form usable.
    await page.goto(address);
    await idle();
    await page.evaluate(() => { window.open = () => { throw new Error('blocked'); }; });
    await page.click('#Label10');
    await idle();
    check('the homepage refused: nothing said', await page.evaluate(() =>
        [document.getElementById('Message').open, document.getElementById('Form1').getAttribute('aria-busy')]), [false, 'false']);

    // Tab and Shift+Tab go the windows' tab cycle, less the strip and with
    // the link, as on every web page.
    await page.goto(address);
    await idle();
    const visited = [];
    for (const key of [...Array(7).fill('Tab'), ...Array(7).fill('Shift+Tab')]) {
        if (key === 'Tab')
            await page.keyboard.press('Tab');
        else
            await page.keyboard.down('Shift').then(() => page.keyboard.press('Tab')).then(() => page.keyboard.up('Shift'));
        visited.push(await page.evaluate(() => document.activeElement.id));
    }
    check('the tab cycle', visited.join(), 'Text2,Text3,Text4,Command3,Command1,Command2,Label10,'
        + 'Command2,Command1,Command3,Text4,Text3,Text2,Text1');

    // On a desktop, Form1 as the Qt window shows it, at the screen densities
    // of its reference pictures (those its own tests compare the window
    // with): the background, the strip and the boxes to the pixel, at most 4
    // pixels off by more than 15 % in brightness, and every caption's letters
    // within a pixel of the window's, as two renderers shade letters a little
    // differently. The fields and buttons are each toolkit's own drawing, and
    // FV shows the window's selection: of them, only their text is compared.
    for (const picture of windowPictures) {
        const density = Number(/@(\d)x/.exec(picture)?.[1] ?? 1);
        await page.setViewport({ width: 800, height: 600, deviceScaleFactor: density });
        await page.goto(address);
        await idle();
        await page.evaluate(() => document.activeElement.blur());
        const capture = await (await page.$('#Form1')).screenshot({ encoding: 'base64' });
        check(`Form1 as the window shows it in ${basename(picture)}`, await page.evaluate(async (pictures, density) => {
            const [onPage, inWindow] = await Promise.all(pictures.map(async (data) => {
                const image = new Image();
                image.src = `data:image/png;base64,${data}`;
                await image.decode();
                const canvas = new OffscreenCanvas(image.width, image.height);
                canvas.getContext('2d').drawImage(image, 0, 0);
                const rgba = canvas.getContext('2d').getImageData(0, 0, image.width, image.height).data;
                const brightness = (i) => (0.299 * rgba[4 * i] + 0.587 * rgba[4 * i + 1] + 0.114 * rgba[4 * i + 2]) / 255;
                return { width: image.width, height: image.height, at: (x, y) => brightness(y * image.width + x) };
            }));
            const form = document.getElementById('Form1').getBoundingClientRect();
            const parts = [...document.querySelectorAll('#Form1 > *')].map((element) => {
                const box = element.getBoundingClientRect();
                const text = element.matches('input') ? element.value : element.textContent;
                return { id: element.id, control: element.matches('input, button'), text: text.trim() !== '',
                    left: Math.round((box.left - form.left) * density), top: Math.round((box.top - form.top) * density),
                    right: Math.round((box.right - form.left) * density), bottom: Math.round((box.bottom - form.top) * density) };
            });
            const within = (part, x, y) => x >= part.left && x < part.right && y >= part.top && y < part.bottom;
            let differing = 0;
            for (let y = 0; y < onPage.height; y++)
                for (let x = 0; x < onPage.width; x++)
                    if (!parts.some((part) => (part.control || part.text) && within(part, x, y))
                        && Math.abs(onPage.at(x, y) - inWindow.at(x, y)) > 0.15)
                        differing++;
            // The letters: the dark pixels inside a caption's borders.
            const inset = 3 * density;
            const letters = (picture, part) => {
                let [left, top, right, bottom] = [Infinity, Infinity, -1, -1];
                for (let y = part.top + inset; y < part.bottom - inset; y++)
                    for (let x = part.left + inset; x < part.right - inset; x++)
                        if (picture.at(x, y) < 0.4)
                            [left, top, right, bottom] = [Math.min(left, x), Math.min(top, y), Math.max(right, x), Math.max(bottom, y)];
                return [left, top, right, bottom];
            };
            const misplaced = parts.filter((part) => part.text && part.id !== 'Text1').map((part) => [part.id,
                letters(onPage, part), letters(inWindow, part)]).filter(([, a, b]) => a.some((v, i) => Math.abs(v - b[i]) > density));
            return { size: `${onPage.width}x${onPage.height}`, differing: differing <= 4 ? 'at most 4' : differing,
                misplaced: misplaced.map(([id, a, b]) => `${id} ${a} in the window ${b}`) };
        }, [capture, readFileSync(picture).toString('base64')], density),
        { size: `${366 * density}x${263 * density}`, differing: 'at most 4', misplaced: [] });
    }
    await page.setViewport({ width: 800, height: 600, deviceScaleFactor: 1 });

    // What a screen reader is told: the fields named by their headings and
    // described by their key lines, the buttons by their captions, the link
    // as a link. (Chromium's driver reads the browser's accessibility tree.)
    if (browserName === 'chrome') {
        await page.goto(address);
        await idle();
        const tree = await page.accessibility.snapshot();
        const flat = (node) => [node, ...(node.children ?? []).flatMap(flat)];
        check('what a screen reader is told', flat(tree).filter((n) => ['textbox', 'button', 'link'].includes(n.role))
            .map((n) => `${n.role} ${n.name}${n.description ? ` (${n.description})` : ''}`), [
            'textbox FV (FV = Nuvarande färdighetsvärde)', 'textbox GEV (GEV = Grundegenskapsvärde)',
            'textbox FVb (FVb = Blivande färdighetsvärde)', 'textbox EP (EP = Kostnad i antal erfarenhetspoäng)',
            'button Rensa', 'button Beräkna EP', 'button Beräkna FVb', 'link Hemsida: varvik.example']);
    }

    // axe-core finds nothing to object to, with the message dialog closed
    // and open.
    const axe = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
    const violations = (on = page) => on.evaluate(axe).then(() => on.evaluate(() => axe.run(document)
        .then((result) => result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`))));
    await page.goto(address);
    await idle();
    check('axe-core, the form', await violations(), []);
    await page.keyboard.type('x');
    await page.click('#Command1');
    await idle();
    check('axe-core, the message open', await violations(), []);
    await page.keyboard.press('Enter');
    // Under the dark preference, text that would not show on the key box or
    // the picture turns black; the rest follows the scheme. A browser of its
    // own, started as on a system set to dark colours.
    const dark = await launch(browserName, executablePath, { dark: true });
    try {
        const darkPage = await dark.newPage();
        await darkPage.goto(address);
        await formIdle(darkPage);
        check('dark: the page follows it', await darkPage.evaluate(() =>
            matchMedia('(prefers-color-scheme: dark)').matches), true);
        check('dark: axe-core', await violations(darkPage), []);
        check('dark: the headings', await darkPage.$$eval('#Form1 label', (labels) =>
            labels.map((label) => getComputedStyle(label).color)), Array(4).fill('rgb(0, 0, 0)'));
    } finally {
        await dark.close();
    }

    // On a phone: no sideways scrolling, field text that no browser zooms in
    // on, controls big enough to touch, and the tab cycle's order on screen.
    // A new tab for each, its size set before the page is loaded.
    // Held upright and on its side; then a calculation by touch. (Where a tap
    // leaves the caret, beside the 0 or over it, is the browser's: FV may
    // read 010, the same 10.)
    const phones = await launch(browserName, executablePath, { touch: true });
    for (const [width, height] of [[360, 740], [390, 844], [430, 932], [740, 360], [844, 390], [932, 430]]) {
        const phone = await phones.newPage();
        phone.on('pageerror', (error) => check('no error in the page', String(error), ''));
        await phone.setViewport({ width, height, isMobile: true, hasTouch: true });
        await phone.goto(address);
        await formIdle(phone);
        check(`${width} x ${height} px: the page`, await phone.evaluate(() => {
            const controls = [...document.querySelectorAll('#Form1 input, #Form1 button, #Form1 a')];
            const boxes = controls.map((c) => c.getBoundingClientRect());
            const onScreen = controls.map((c, i) => [boxes[i].top, boxes[i].left, c.id])
                .sort((a, b) => a[0] - b[0] || a[1] - b[1]).map((c) => c[2]);
            return { lang: document.documentElement.lang, title: document.title,
                fits: document.documentElement.scrollWidth <= window.innerWidth,
                smallestFont: Math.min(...controls.map((c) => parseFloat(getComputedStyle(c).fontSize))),
                smallestTarget: Math.min(...boxes.map((b) => Math.min(b.width, b.height))) >= 44,
                order: onScreen.join() };
        }), { lang: 'sv', title: 'Varvik v1.4.1', fits: true, smallestFont: 16, smallestTarget: true,
              order: 'Text1,Text2,Text3,Text4,Command3,Command1,Command2,Label10' });
        for (const [field, text] of [['Text1', '10'], ['Text2', '12'], ['Text3', '15']]) {
            await phone.tap(`#${field}`);
            await phone.keyboard.type(text);
        }
        await phone.tap('#Command1');
        await formIdle(phone);
        check(`${width} x ${height} px: tapped, typed, tapped Beräkna EP`, await phone.$eval('#Text4', (box) => box.value), '8');
        await phone.close();
    }
    await phones.close();

    // Installable: the manifest's icons are there, at the sizes it says.
    check('the icons a phone installs the page with', await page.evaluate(async () => {
        const manifest = await (await fetch(document.querySelector('link[rel=manifest]').href)).json();
        return Promise.all(manifest.icons.map(async (icon) => {
            const picture = await createImageBitmap(await (await fetch(icon.src)).blob());
            return `${icon.sizes} ${picture.width}x${picture.height} ${icon.purpose || 'any'}`;
        }));
    }), ['192x192 192x192 any', '512x512 512x512 any', '512x512 512x512 maskable']);

    // Offline: after one visit, with the server gone, a reload computes.
    await page.goto(address);
    await idle();
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => undefined));
    await server.stop();
    await page.reload();
    await idle();
    await page.keyboard.type('10');
    for (const text of ['12', '15'])
        await page.keyboard.press('Tab').then(() => page.keyboard.type(text));
    await page.click('#Command1');
    await idle();
    check('offline after one visit: the page computes', await fields(), ['10', '12', '15', '8']);
} finally {
    await server.stop();
    await browser.close();
}
finish();
