// Figures for the notes, by hand (prints tables, asserts nothing):
//   node web/tests/measure.mjs [DESKTOP_REPLAY]
// the page's size, its first paint, the clock at all 25 rates in headless Chromium, and the pixels
// that differ from the desktop's render in three states, glyphs aside.
import fs from 'node:fs';
import zlib from 'node:zlib';
import os from 'node:os';
import path from 'node:path';
import {spawnSync} from 'node:child_process';
import {launch, openPage, replay, pagePath} from './browser.mjs';
import {glyphMask, capture, differences, areasOf, readPng} from './pixels.mjs';

const desktop = process.argv[2];
const html = fs.readFileSync(pagePath);
console.log(`page: ${html.length} bytes, ${zlib.gzipSync(html, {level: 9}).length} gzip`);

const browser = await launch();
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// First paint: the first contentful paint, and the moment the window is drawn and ready.
{
    const paints = [];
    const ready = [];
    for (let i = 0; i < 7; ++i) {
        const page = await openPage(browser);
        await page.setCacheEnabled(false);
        await page.reload();
        await page.waitForFunction(() => window.ichijikansu && window.ichijikansu.ready
                                         && performance.getEntriesByName('first-contentful-paint').length > 0);
        const t = await page.evaluate(() => ({
            paint: performance.getEntriesByName('first-contentful-paint')[0]?.startTime,
            ready: window.ichijikansu.readyAt,
        }));
        paints.push(t.paint);
        ready.push(t.ready);
        await page.close();
    }
    console.log(`first contentful paint: median ${median(paints).toFixed(0)} ms (${paints.map((v) => v.toFixed(0)).join(', ')})`);
    console.log(`window drawn and ready: median ${median(ready).toFixed(0)} ms (${ready.map((v) => v.toFixed(0)).join(', ')})`);
}

// The clock: ticks against real time over a window of frames, by least squares.
{
    console.log('\n| time step | water per step | interval ms | ms per tick | s per unit | error % |');
    console.log('|---|---|---|---|---|---|');
    const page = await openPage(browser);
    for (let jikan = 1; jikan <= 5; ++jikan) {
        for (let suiryo = 1; suiryo <= 5; ++suiryo) {
            await page.reload();
            await page.waitForFunction(() => window.ichijikansu && window.ichijikansu.ready);
            await replay(page, `select lbxJikan ${jikan - 1}\nselect lbxSuiryo ${suiryo - 1}\nclick btnMizuDasu`);
            const samples = await page.evaluate((span) => new Promise((resolve) => {
                const out = [];
                const started = performance.now();
                const step = () => {
                    window.ichijikansu.replay('dump').then(([line]) => {
                        const s = JSON.parse(line);
                        out.push([performance.now(), s.Nagare / 5 + s.KeikaTick, s.Kankaku, s.timer.enabled]);
                        if (performance.now() - started < span && s.timer.enabled)
                            requestAnimationFrame(step);
                        else
                            resolve(out);
                    });
                };
                requestAnimationFrame(step);
            }), 1500);
            const points = samples.filter((s) => s[3]);
            const n = points.length;
            const mt = points.reduce((a, p) => a + p[0], 0) / n;
            const mk = points.reduce((a, p) => a + p[1], 0) / n;
            const slope = points.reduce((a, p) => a + (p[0] - mt) * (p[1] - mk), 0)
                          / points.reduce((a, p) => a + (p[1] - mk) ** 2, 0);
            const interval = points[0][2];
            const perUnit = slope * (25 * suiryo / jikan) / 1000;
            console.log(`| ${jikan} | ${suiryo} | ${interval} | ${slope.toFixed(3)} | ${perUnit.toFixed(3)} | ${(100 * (slope - interval) / interval).toFixed(2)} |`);
        }
    }
    await page.close();
}

// Pixels against the desktop.
if (desktop) {
    const states = {
        'start-up': '',
        'a run with the live line': 'select lbxSyokiRyo 3\nselect lbxJikan 1\nselect lbxSuiryo 2\nclick spbGraphFlg\nclick btnMizuDasu\ntick 103\ntick 240',
        'ten records joined and plotted': 'select lbxSyokiRyo 2\nclick bbtnKirokuAuto\nclick spbGraphFlg\nclick btnMizuDasu\ntick 93\ntick 290\nclick btnTenki\nclick btnMusubu\ntick 10',
    };
    console.log('\n| state | glyph mask px | differing px outside it | surface, pictures, labels, texts | buttons | lists |');
    console.log('|---|---|---|---|---|---|');
    for (const [name, script] of Object.entries(states)) {
        const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'ichijikansu-')), 'desktop.png');
        spawnSync(desktop, [], {input: `${script}\nrender ${file}\n`, env: {...process.env, QT_QPA_PLATFORM: 'offscreen'}});
        const page = await openPage(browser, {hash: '#replay'});
        if (script)
            await replay(page, script);
        const areas = await areasOf(page);
        const r = differences(readPng(file), await capture(page), await glyphMask(page), areas);
        let buttons = 0;
        let lists = 0;
        let rest = 0;
        for (const [area, count] of Object.entries(r.byArea)) {
            if (/^lbx/.test(area))
                lists += count;
            else if (/^(btn|bbtn|spb)/.test(area))
                buttons += count;
            else
                rest += count;
        }
        console.log(`| ${name} | ${r.maskedCount} | ${r.total} | ${rest} | ${buttons} | ${lists} |`);
        if (rest > 0)
            console.log('  ', JSON.stringify(Object.fromEntries(Object.entries(r.byArea).filter(([a]) => !/^(lbx|btn|bbtn|spb)/.test(a)))));
        await page.close();
    }
}
await browser.close();
