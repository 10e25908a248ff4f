// How long the page takes from navigation to its first computed click, in
// headless Chromium with the processor slowed 4 times, against the same
// page without its module (there: to the first click delivered), in one run.
// Prints the median of 5 loads of each, in milliseconds. Not a test.
//   node bench/web_first_click.mjs   (after scripts/build-web.sh)
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

const root = new URL('..', import.meta.url).pathname;
const server = spawn(join(root, 'scripts/serve-web.sh'), ['0', join(root, 'build-web/site')],
    { stdio: ['ignore', 'pipe', 'ignore'] });
const address = await new Promise((resolve) => server.stdout.on('data', (data) => {
    const found = /\((http:\/\/127\.0\.0\.1:\d+\/)\)/.exec(String(data));
    if (found)
        resolve(found[1]);
}));
const profile = mkdtempSync(join(tmpdir(), 'varvik-bench-'));
const browser = await puppeteer.launch({ browser: 'chrome', executablePath: '/usr/bin/chromium', headless: true,
    userDataDir: profile, args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update',
        '--disable-sync', '--no-first-run', '--disable-quic'] });

// One load in a new tab, nothing cached: the time of navigation when the
// click is done.
async function firstClick(bare) {
    const page = await browser.newPage();
    await page.emulateCPUThrottling(4);
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
} finally {
    server.kill();
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
}
