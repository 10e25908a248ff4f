// How long the page takes from navigation to its first computed click, in
// headless Chromium with the processor slowed 4 times, against the same
// page without its module (there: to the first click delivered), in one run.
// Prints the median of 5 loads of each, in milliseconds; and what the first
// load fetches, gzipped as a web server would send it, the pictures apart.
// Not a test.
//   node bench/web_first_click.mjs   (after scripts/build-web.sh)
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve } from '../ui/web/tests/browser.mjs';

const root = new URL('..', import.meta.url).pathname;
const server = await serve(join(root, 'scripts/serve-web.sh'), join(root, 'build-web/site'));
const address = server.address;
const browser = await launch('chrome', '/usr/bin/chromium');

// One load in a new tab, nothing cached: the time of navigation when the
// click is done. Each file the page fetched goes to fetched, by name.
const fetched = new Map();
async function firstClick(bare) {
    const page = await browser.newPage();
    page.on('response', async (response) => {
        const body = !bare && response.ok() && await response.buffer().catch(() => null);
        if (body)
            fetched.set(response.url().replace(address, '') || 'index.html', body);
    });
    await page.emulateCPUThrottling(4);
    await page.setBypassServiceWorker(true); // each load a first visit
    await page.setRequestInterception(true);
    page.on('request', (request) => (bare && request.url().endsWith('.js') && !request.url().endsWith('page.js')
        ? request.respond({ status: 200, contentType: 'text/javascript', body: '' }) : request.continue()));
    await page.goto(address, { waitUntil: 'domcontentloaded' });
    let ms;
    if (bare) {
        await page.waitForSelector('#Command1');
        await page.$eval('#Command1', (b) => b.addEventListener('click', () => { window.clicked = performance.now(); }));
        await page.click('#Command1');
        ms = await page.evaluate(() => window.clicked);
    } else {
        await page.waitForFunction(() => document.getElementById('Form1')?.getAttribute('aria-busy') === 'false');
        await page.click('#Command1');
        await page.waitForFunction(() => document.getElementById('Form1').getAttribute('aria-busy') === 'false');
        ms = await page.evaluate(() => performance.now());
    }
    await page.close();
    return ms;
}

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const times = { bare: [], page: [] };
try {
    for (let i = 0; i < 5; i++) {
        times.bare.push(await firstClick(true));
        times.page.push(await firstClick(false));
    }
    console.log(`first click, CPU slowed 4x: bare page ${median(times.bare).toFixed(0)} ms, ` +
        `with the module ${median(times.page).toFixed(0)} ms (median of 5)`);
    const kb = (files, size) => (files.reduce((sum, [, body]) => sum + size(body), 0) / 1024).toFixed(1);
    const pictures = [...fetched].filter(([name]) => name.endsWith('.png'));
    const rest = [...fetched].filter(([name]) => !name.endsWith('.png'));
    console.log(`first load: ${rest.map(([name]) => name).join(', ')}: ${kb(rest, (body) => gzipSync(body, { level: 9 }).length)} KB`
        + ` gzipped; the pictures (${pictures.map(([name]) => name).join(', ')}): ${kb(pictures, (body) => body.length)} KB`);
} finally {
    await server.stop();
    await browser.close();
}
