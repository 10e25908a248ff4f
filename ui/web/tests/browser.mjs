// What the web tests and the first-click benchmark share: the site served on
// a free port, a real browser with a profile of its own, and checks that
// print and count their failures.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

// Serves the folder until stopped; resolves with its address and the stop.
export async function serve(serveScript, site) {
    const server = spawn(serveScript, ['0', site], { stdio: ['ignore', 'pipe', 'ignore'] });
    const address = await new Promise((resolve) => server.stdout.on('data', (data) => {
        const found = /\((http:\/\/127\.0\.0\.1:\d+\/)\)/.exec(String(data));
        if (found)
            resolve(found[1]);
    }));
    const exited = new Promise((resolve) => server.on('exit', resolve));
    return { address, stop: () => { server.kill(); return exited; } };
}

// Headless Chromium or Firefox; dark: the system prefers dark colours;
// touch: a touch screen is the pointer (Chromium's pages say so themselves
// when set to a phone's size).
export async function launch(browserName, executablePath, { dark = false, touch = false } = {}) {
    const profile = mkdtempSync(join(tmpdir(), 'varvik-browser-'));
    const browser = await puppeteer.launch(browserName === 'chrome'
        ? { browser: 'chrome', executablePath, headless: true, userDataDir: profile,
            args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
                   '--no-first-run', '--disable-quic', ...(dark ? ['--force-dark-mode'] : [])] }
        : { browser: 'firefox', executablePath, headless: true, userDataDir: profile,
            extraPrefsFirefox: { ...(dark ? { 'layout.css.prefers-color-scheme.content-override': 0 } : {}),
                ...(touch ? { 'ui.primaryPointerCapabilities': 1, 'ui.allPointerCapabilities': 1 } : {}) } });
    // The profile goes once the browser has ended, which close() waits for.
    const close = browser.close.bind(browser);
    browser.close = () => close().finally(() => rmSync(profile, { recursive: true, force: true }));
    return browser;
}

export function checks(browserName) {
    let failures = 0;
    return {
        check(what, got, expected) {
            const ok = JSON.stringify(got) === JSON.stringify(expected);
            console.log(`${ok ? 'ok' : 'FAIL'}: ${browserName}: ${what}`
                + `${ok ? '' : `: got ${JSON.stringify(got)}, expected ${JSON.stringify(expected)}`}`);
            if (!ok)
                failures++;
        },
        finish() {
            console.log(`${browserName}: ${failures ? `${failures} checks failed` : 'all checks passed'}`);
            process.exit(failures ? 1 : 0);
        },
    };
}

// The form takes clicks again, or a message is up.
export function idle(page) {
    return page.waitForFunction(() => document.getElementById('Message').open
        || document.getElementById('Form1').getAttribute('aria-busy') === 'false');
}
