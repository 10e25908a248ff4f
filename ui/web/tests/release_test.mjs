// A new release of the site, put on the server over an older one that a
// browser keeps for use offline: the page goes on with the older release,
// whole, while it is open; a release the server has only half is not taken;
// the next visit after the page was closed has the new release, whole, also
// offline, and the older one is gone from the browser.
//   node release_test.mjs chrome|firefox BROWSER SERVE_SCRIPT SITE CMAKE WRITER TEMPLATE FILE,FILE,...
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { appendFileSync, cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { checks, idle, launch, serve } from './browser.mjs';

const [browserName, executablePath, serveScript, site, cmake, writer, template, files] = process.argv.slice(2);
const { check, finish } = checks(browserName);
const folder = mkdtempSync(join(tmpdir(), 'varvik-site-'));
cpSync(site, folder, { recursive: true });
const server = await serve(serveScript, folder);
const browser = await launch(browserName, executablePath);

// The next release differs in its styles; its service worker is written by
// the build's own step.
const styles = join(folder, 'page.css');
const oldStyles = readFileSync(styles);
function writeNextRelease() {
    appendFileSync(styles, '/* 1.4.2 */\n');
    execFileSync(cmake, [`-DSITE=${folder}`, '-DVERSION=1.4.2', `-DTEMPLATE=${template}`,
        `-DFILES=${files.replaceAll(',', ';')}`, '-P', writer]);
}
const digests = () => Object.fromEntries(files.split(',').map((file) =>
    [file, createHash('sha256').update(readFileSync(join(folder, file))).digest('hex')]));

// What the browser has: its caches, and each file's digest as the page gets
// it (through the service worker).
const kept = (page) => page.evaluate(() => caches.keys());
const served = (page) => page.evaluate(async (names) => Object.fromEntries(await Promise.all(names.map(async (file) => {
    const contents = await (await fetch(file)).arrayBuffer();
    const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', contents));
    return [file, [...digest].map((byte) => byte.toString(16).padStart(2, '0')).join('')];
}))), files.split(','));
// Asks the browser to look for a new release; the new worker's state when it
// has done installing: 'installed' to wait for its turn, or 'redundant'.
const update = (page) => page.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    await registration.update();
    const worker = registration.installing ?? registration.waiting;
    while (worker?.state === 'installing')
        await new Promise((resolve) => worker.addEventListener('statechange', resolve, { once: true }));
    return worker?.state ?? 'nothing new';
});

try {
    let page = await browser.newPage();
    await page.goto(server.address);
    await idle(page);
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => undefined));
    await page.reload();
    await idle(page);
    const first = digests();
    const [firstCache] = await kept(page);
    check('the first visit keeps the release', [await kept(page), await served(page)], [[firstCache], first]);

    writeNextRelease();
    writeFileSync(styles, oldStyles); // the new worker is on the server, the new styles not yet
    check('a release the server has only half: not taken', [await update(page), await kept(page)],
        ['redundant', [firstCache]]);

    writeNextRelease();
    const next = digests();
    check('a whole release waits while the page is open', await update(page), 'installed');
    await page.reload();
    await idle(page);
    check('meanwhile the page has the older release, whole', await served(page), first);

    await page.close();
    page = await browser.newPage();
    await page.goto(server.address);
    await idle(page);
    const caches = await kept(page);
    check('the next visit has the new release, whole, the older one gone',
        [caches.length, caches[0] !== firstCache, await served(page)], [1, true, next]);

    await server.stop();
    await page.reload();
    await idle(page);
    check('offline, the new release, whole', await served(page), next);
} finally {
    await server.stop();
    await browser.close();
    rmSync(folder, { recursive: true, force: true });
}
finish();
