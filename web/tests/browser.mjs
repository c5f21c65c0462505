// Headless Chromium for the tests: Debian's chromium, driven by puppeteer-core.
import puppeteer from 'puppeteer-core';
import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
export const root = path.resolve(here, '..', '..');
export const pagePath = process.env.ICHIJIKANSU_PAGE || path.join(root, 'build', 'web', 'ichijikansu.html');

export function chromiumPath() {
    for (const candidate of [process.env.CHROMIUM, '/usr/bin/chromium', '/usr/bin/chromium-browser']) {
        if (candidate && fs.existsSync(candidate))
            return candidate;
    }
    throw new Error('no chromium found (apt-get install chromium)');
}

export async function launch() {
    return puppeteer.launch({
        executablePath: chromiumPath(),
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--font-render-hinting=none', '--force-color-profile=srgb',
               '--hide-scrollbars', '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
               '--disable-backgrounding-occluded-windows'],
    });
}

// Opens the page at 1024 by 768, device scale 1, and waits until the core has drawn it.
// `beforeLoad`, a function, runs in the page before any of its scripts.
export async function openPage(browser, {hash = '', language = null, viewport = null, beforeLoad = null} = {}) {
    const page = await browser.newPage();
    const problems = [];
    // The page asks for nothing but itself.
    const requests = [];
    page.on('request', (request) => requests.push(request.url()));
    page.on('pageerror', (error) => problems.push(String(error)));
    page.on('console', (message) => {
        if (message.type() === 'error')
            problems.push(message.text());
    });
    if (language)
        await page.evaluateOnNewDocument((tag) => {
            Object.defineProperty(navigator, 'language', {get: () => tag});
            Object.defineProperty(navigator, 'languages', {get: () => [tag]});
        }, language);
    if (beforeLoad)
        await page.evaluateOnNewDocument(beforeLoad);
    await page.setViewport(viewport || {width: 1024, height: 768, deviceScaleFactor: 1});
    await page.goto(pathToFileURL(pagePath).href + hash);
    await page.waitForFunction(() => window.ichijikansu && window.ichijikansu.ready, {timeout: 20000});
    await page.evaluate(() => document.fonts.ready);
    page.problems = problems;
    page.foreignRequests = () => requests.filter((url) => url.split('#')[0] !== pathToFileURL(pagePath).href);
    return page;
}

export async function replay(page, script) {
    return page.evaluate((text) => window.ichijikansu.replay(text), script);
}

// The lesson's canvas: its backing store's size, its size on the screen (CSS pixels), and the
// RGBA pixels of `rect` ({left, top, width, height} in backing pixels; all of them without it,
// none with `false`).
export async function surfacePixels(page, rect = null) {
    const got = await page.evaluate((rect) => {
        const surface = document.getElementById('surface');
        const r = surface.getBoundingClientRect();
        const area = rect || {left: 0, top: 0, width: surface.width, height: surface.height};
        const data = rect === false ? new Uint8Array(0)
            : surface.getContext('2d').getImageData(area.left, area.top, area.width, area.height).data;
        let binary = '';
        for (let i = 0; i < data.length; i += 0x8000)
            binary += String.fromCharCode(...data.subarray(i, i + 0x8000));
        return {width: surface.width, height: surface.height, cssWidth: r.width, cssHeight: r.height, pixels: btoa(binary)};
    }, rect);
    return {...got, pixels: Buffer.from(got.pixels, 'base64')};
}

export async function dump(page) {
    const lines = await replay(page, 'dump');
    return JSON.parse(lines[0]);
}
