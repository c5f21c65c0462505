// What the page says when it cannot do its work, in headless Chromium: each failure shows its
// message, in Japanese and English, within the first screen at 1024 by 768, and a failure while
// running stops the clock.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {pathToFileURL} from 'node:url';
import {launch, pagePath} from './browser.mjs';

let browser;

before(async () => {
    browser = await launch();
});
after(async () => {
    await browser?.close();
});

// Each case: how the page is opened (scripts off, a function run in the page before its own
// scripts, an address's end), what is done then, the element that must show, and what it must say.
const cases = [
    {name: 'JavaScript off', javaScript: false, shows: '.noscript', says: [/JavaScript/, /有効/, /turn it on/]},
    {name: 'no WebAssembly', beforeLoad: () => {
        delete window.WebAssembly;
    }, shows: '#failure', says: [/ブラウザー/, /another|recent/, /update/]},
    {name: 'WebAssembly failing to compile', beforeLoad: () => {
        const fails = () => Promise.reject(new WebAssembly.CompileError('planted: no compiling'));
        WebAssembly.instantiate = fails;
        WebAssembly.instantiateStreaming = fails;
    }, shows: '#failure', says: [/ブラウザー/, /Chrome, Edge, Firefox or Safari/, /update/]},
    {name: 'held for tests', hash: '#replay', shows: '#held', says: [/テスト/, /test hook/]},
    {name: 'a failure while running', act: async (page) => {
        await page.waitForFunction(() => window.ichijikansu && window.ichijikansu.ready);
        await page.click('#btnMizuDasu');
        await page.evaluate(() => {
            CanvasRenderingContext2D.prototype.putImageData = () => {
                throw new Error('planted: no painting');
            };
        });
    }, shows: '#failure', says: [/止め/, /stopped/, /Reload/], stopsClock: true},
];

async function open({javaScript = true, beforeLoad = null, hash = ''}) {
    const page = await browser.newPage();
    await page.setViewport({width: 1024, height: 768, deviceScaleFactor: 1});
    await page.setJavaScriptEnabled(javaScript);
    if (beforeLoad)
        await page.evaluateOnNewDocument(beforeLoad);
    await page.goto(pathToFileURL(pagePath).href + hash);
    return page;
}

for (const c of cases) {
    test(`${c.name}: the page says so in the first screen`, async () => {
        const page = await open(c);
        if (c.act)
            await c.act(page);
        if (c.javaScript !== false)
            await page.waitForSelector(c.shows, {visible: true, timeout: 15000});
        const shown = await page.$eval(c.shows, (el) => {
            const r = el.getBoundingClientRect();
            const style = getComputedStyle(el);
            // The topmost element at the message's middle is the message (or within it).
            const top = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
            return {left: r.left, top: r.top, right: r.right, bottom: r.bottom, text: el.textContent,
                    visible: style.visibility === 'visible' && style.display !== 'none',
                    onTop: top !== null && (top === el || el.contains(top))};
        });
        assert.ok(shown.visible, JSON.stringify(shown));
        assert.ok(shown.top >= 0 && shown.bottom <= 768 && shown.left >= 0 && shown.right <= 1024 && shown.bottom > shown.top,
                  `not within the first screen: ${JSON.stringify(shown)}`);
        assert.ok(shown.onTop, 'covered by something else');
        for (const pattern of c.says)
            assert.match(shown.text, pattern);
        if (c.stopsClock) {
            // No more frames, and nothing pressed reaches the core.
            await page.evaluate(() => {
                window.framesAsked = 0;
                window.requestAnimationFrame = () => {
                    window.framesAsked += 1;
                };
            });
            await new Promise((resolve) => setTimeout(resolve, 400));
            assert.equal(await page.evaluate(() => window.framesAsked), 0);
            const time = await page.$eval('#stxKJHyoji', (el) => el.textContent);
            await page.click('#btnSaishiko').catch(() => {});
            assert.equal(await page.$eval('#stxKJHyoji', (el) => el.textContent), time);
        }
        await page.close();
    });
}
