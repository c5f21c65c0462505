// The page at the sizes it meets on school machines, in headless Chromium: the lesson filling the
// viewport at the scale the core fits, its canvas in device pixels and shown as they are, its grid
// evenly spaced at fractional ratios, a click landing on a scaled button, zoom growing it, and the
// lists' arrows' hit areas on a touch screen.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {launch, openPage, replay} from './browser.mjs';
import {decodePng} from './png.mjs';

let browser;

before(async () => {
    browser = await launch();
});
after(async () => {
    await browser?.close();
});

// The lesson's size in device pixels for a space, worked out here apart from the core: 1024 by
// 768 times the largest factor that fits, the far edge rounded half up.
function fitted(width, height) {
    const roundHalfUp = (numerator, denominator) => Math.floor((2 * numerator + denominator) / (2 * denominator));
    if (width * 768 <= height * 1024)
        return {width, height: roundHalfUp(768 * width, 1024)};
    return {width: roundHalfUp(1024 * height, 768), height};
}

// What the page shows of its lesson: the canvas's backing store, the lesson's box, each control's
// box, the viewport, all in CSS pixels but the canvas.
function measure(page) {
    return page.evaluate(() => {
        const box = (el) => {
            const r = el.getBoundingClientRect();
            return {name: el.id, left: r.left, top: r.top, right: r.right, bottom: r.bottom};
        };
        const surface = document.getElementById('surface');
        return {
            ratio: window.devicePixelRatio,
            viewport: {width: document.documentElement.clientWidth, height: document.documentElement.clientHeight},
            scroll: {width: document.documentElement.scrollWidth, height: document.documentElement.scrollHeight},
            canvas: {width: surface.width, height: surface.height},
            surface: box(surface),
            lesson: box(document.getElementById('window')),
            controls: [...document.querySelectorAll('#window .button, #window .list, #window .label, #window .static, #window .graph')]
                .filter((el) => !el.closest('[hidden]'))
                .map(box),
        };
    });
}

// A picture of the viewport in device pixels.
async function screenshot(page) {
    return decodePng(Buffer.from(await page.screenshot({captureBeyondViewport: false})));
}

// The first device pixel of each silver grid line across the graph's pixels: a column (or row) is
// on a line where most of its pixels are the grid's silver.
function gridLines(graph, across) {
    const {pixels, width, height} = graph;
    const starts = [];
    const [length, span] = across === 'columns' ? [width, height] : [height, width];
    let inLine = false;
    for (let i = 0; i < length; ++i) {
        let silver = 0;
        for (let j = 0; j < span; ++j) {
            const [x, y] = across === 'columns' ? [i, j] : [j, i];
            const p = 4 * (y * width + x);
            if (pixels[p] === 0xc0 && pixels[p + 1] === 0xc0 && pixels[p + 2] === 0xc0)
                ++silver;
        }
        const on = silver > span / 2;
        if (on && !inLine)
            starts.push(i);
        inLine = on;
    }
    return starts;
}

const viewports = [
    {width: 1920, height: 1080, deviceScaleFactor: 1},
    {width: 1366, height: 657, deviceScaleFactor: 1},
    {width: 390, height: 844, deviceScaleFactor: 3},
    {width: 1024, height: 768, deviceScaleFactor: 1.5},
    {width: 1280, height: 800, deviceScaleFactor: 2},
    {width: 1024, height: 768, deviceScaleFactor: 1},
];

test('the lesson fills each viewport at the fitted size, every control inside it, a click landing', async () => {
    // One page through every size, as a window resized and moved between screens.
    const page = await openPage(browser, {hash: '#replay'});
    for (const viewport of viewports) {
        const what = `${viewport.width}x${viewport.height}@${viewport.deviceScaleFactor}`;
        await page.setViewport(viewport);
        await page.waitForFunction((w) => document.getElementById('surface').width === w && document.fonts.status === 'loaded',
                                   {timeout: 5000}, fitted(Math.floor(viewport.width * viewport.deviceScaleFactor),
                                              Math.floor(viewport.height * viewport.deviceScaleFactor)).width);
        const m = await measure(page);
        const space = {width: Math.floor(m.viewport.width * m.ratio), height: Math.floor(m.viewport.height * m.ratio)};
        const lesson = fitted(space.width, space.height);
        assert.deepEqual(m.canvas, lesson, what);
        // The canvas is shown one backing pixel per device pixel, centred in the space (to within
        // the browser's layout unit, a 64th of a CSS pixel).
        const near = (css, device) => Math.abs(css * m.ratio - device) < 0.1;
        assert.ok(near(m.surface.right - m.surface.left, lesson.width), what);
        assert.ok(near(m.surface.bottom - m.surface.top, lesson.height), what);
        assert.ok(near(m.lesson.left, Math.floor((space.width - lesson.width) / 2)), what);
        assert.ok(near(m.lesson.top, Math.floor((space.height - lesson.height) / 2)), what);
        assert.deepEqual(m.scroll, m.viewport, `${what}: the page scrolls`);
        for (const c of m.controls) {
            const inside = c.left >= m.lesson.left - 0.01 && c.top >= m.lesson.top - 0.01 && c.right <= m.lesson.right + 0.01
                           && c.bottom <= m.lesson.bottom + 0.01 && c.right <= m.viewport.width && c.bottom <= m.viewport.height;
            assert.ok(inside, `${what}: ${c.name} ${JSON.stringify(c)} outside ${JSON.stringify(m.lesson)}`);
        }

        // The toggle turns at a click on its centre, wherever it stands.
        const toggle = m.controls.find((c) => c.name === 'spbGraphFlg');
        const pressed = () => page.$eval('#spbGraphFlg', (el) => el.getAttribute('aria-pressed'));
        const before = await pressed();
        await page.mouse.click((toggle.left + toggle.right) / 2, (toggle.top + toggle.bottom) / 2);
        assert.equal(await pressed(), before === 'true' ? 'false' : 'true', `${what}: the click missed the toggle`);
    }
    assert.deepEqual(page.problems, []);
    await page.close();
});

for (const deviceScaleFactor of [1.5, 2]) {
    test(`at a ratio of ${deviceScaleFactor} the canvas is in device pixels, shown as they are, its grid even`, async () => {
        const page = await openPage(browser, {hash: '#replay', viewport: {width: 1024, height: 768, deviceScaleFactor}});
        // The canvas's pixels over the graph, which stands where its description's element does.
        const canvas = await page.evaluate(() => {
            const surface = document.getElementById('surface');
            const r = surface.getBoundingClientRect();
            const g = document.getElementById('PaintBox1').getBoundingClientRect();
            const ratio = window.devicePixelRatio;
            const graph = {left: Math.round((g.left - r.left) * ratio), top: Math.round((g.top - r.top) * ratio),
                           width: Math.round(g.width * ratio), height: Math.round(g.height * ratio)};
            const data = surface.getContext('2d').getImageData(graph.left, graph.top, graph.width, graph.height).data;
            let binary = '';
            for (let i = 0; i < data.length; i += 0x8000)
                binary += String.fromCharCode(...data.subarray(i, i + 0x8000));
            return {width: surface.width, height: surface.height, cssWidth: r.width, cssHeight: r.height,
                    left: r.left * ratio, top: r.top * ratio, graph: {...graph, pixels: btoa(binary)}};
        });
        canvas.graph.pixels = Buffer.from(canvas.graph.pixels, 'base64');
        assert.equal(canvas.width, Math.round(canvas.cssWidth * deviceScaleFactor));
        assert.equal(canvas.height, Math.round(canvas.cssHeight * deviceScaleFactor));
        assert.deepEqual([canvas.width, canvas.height], [1024 * deviceScaleFactor, 768 * deviceScaleFactor]);

        // The 500 by 500 graph holds 19 lines each way, a step of 25 layout pixels apart.
        for (const across of ['columns', 'rows']) {
            const starts = gridLines(canvas.graph, across);
            assert.equal(starts.length, 19, `${across}: ${starts}`);
            const steps = starts.slice(1).map((s, i) => s - starts[i]);
            assert.ok(Math.max(...steps) - Math.min(...steps) <= 1, `${across}: steps ${steps}`);
            assert.ok(Math.abs(steps.reduce((a, b) => a + b, 0) / steps.length - 25 * deviceScaleFactor) <= 0.5,
                      `${across}: steps ${steps}`);
        }

        // The screen shows the canvas's own pixels over the graph: nothing resampled them.
        const shot = await screenshot(page);
        let differing = 0;
        const {graph} = canvas;
        for (let y = 0; y < graph.height; ++y) {
            for (let x = 0; x < graph.width; ++x) {
                const c = 4 * (y * graph.width + x);
                const s = 4 * ((y + graph.top + Math.round(canvas.top)) * shot.width + x + graph.left + Math.round(canvas.left));
                if ([0, 1, 2].some((k) => graph.pixels[c + k] !== shot.rgba[s + k]))
                    ++differing;
            }
        }
        assert.equal(differing, 0);
        assert.deepEqual(page.problems, []);
        await page.close();
    });
}

test('at twice the design\'s size the scales are drawn at that size, not their bitmap stretched', async () => {
    const page = await openPage(browser, {hash: '#replay', viewport: {width: 1024, height: 768, deviceScaleFactor: 2}});
    // The water's scale (ImgSuiryo) stands at 16, 176, 25 by 529 in the layout table; its bitmap is
    // 20 columns wide, so stretched it would change from one column to the next 19 times at most.
    const [left, top, width, height] = [16, 176, 25, 529].map((v) => 2 * v);
    const changes = await page.evaluate((left, top, width, height) => {
        const data = document.getElementById('surface').getContext('2d').getImageData(left, top, width, height).data;
        let count = 0;
        for (let x = 1; x < width; ++x) {
            let same = true;
            for (let y = 0; y < height && same; ++y) {
                const p = 4 * (y * width + x);
                same = data[p] === data[p - 4] && data[p + 1] === data[p - 3] && data[p + 2] === data[p - 2];
            }
            count += same ? 0 : 1;
        }
        return count;
    }, left, top, width, height);
    assert.ok(changes > 19, `${changes} changes from column to column`);
    await page.close();
});

// What a lesson's steps repaint, area by area, against a whole repaint of the state they reach:
// off the identity a pen's pixels may lie beyond its item's mapped edges.
const steps = ['select lbxSyokiRyo 3', 'select lbxJikan 1', 'select lbxSuiryo 2', 'click spbGraphFlg',
               'click btnMizuDasu', 'tick 103', 'click btnKiroku', 'tick 140', 'click btnKiroku', 'click btnTenki',
               'click btnMusubu', 'tick 60'];

for (const viewport of [{width: 1920, height: 1080, deviceScaleFactor: 1}, {width: 1366, height: 657, deviceScaleFactor: 1.25}]) {
    test(`at ${viewport.width}x${viewport.height}@${viewport.deviceScaleFactor} the areas repainted step by step make the whole`, async () => {
        const page = await openPage(browser, {hash: '#replay', viewport});
        for (const line of steps)
            await replay(page, line);
        const keep = () => {
            const surface = document.getElementById('surface');
            window.stepped = surface.getContext('2d').getImageData(0, 0, surface.width, surface.height).data;
        };
        await page.evaluate(keep);
        // Away and back: the page is fitted anew, smaller, then as it was, and repainted whole.
        const width = () => document.getElementById('surface').width;
        const stepped = await page.evaluate(width);
        await page.setViewport({...viewport, height: viewport.height - 100});
        await page.waitForFunction((w) => document.getElementById('surface').width < w, {timeout: 5000}, stepped);
        await page.setViewport(viewport);
        await page.waitForFunction((w) => document.getElementById('surface').width === w, {timeout: 5000}, stepped);
        const differing = await page.evaluate(() => {
            const surface = document.getElementById('surface');
            const whole = surface.getContext('2d').getImageData(0, 0, surface.width, surface.height).data;
            if (whole.length !== window.stepped.length)
                return -1;
            let count = 0;
            for (let i = 0; i < whole.length; i += 4)
                count += whole[i] !== window.stepped[i] || whole[i + 1] !== window.stepped[i + 1] || whole[i + 2] !== window.stepped[i + 2] ? 1 : 0;
            return count;
        });
        assert.equal(differing, 0);
        assert.deepEqual(page.problems, []);
        await page.close();
    });
}

test('browser zoom grows the lesson past the viewport, which scrolls; back at 100% it fits again', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    // Zoom to 200%: twice the ratio, half the viewport in CSS pixels, the same device pixels.
    await page.setViewport({width: 512, height: 384, deviceScaleFactor: 2});
    await page.waitForFunction(() => document.getElementById('surface').width !== 1024, {timeout: 5000});
    let m = await measure(page);
    assert.deepEqual(m.canvas, {width: 2048, height: 1536});
    assert.deepEqual([m.lesson.right - m.lesson.left, m.lesson.bottom - m.lesson.top], [1024, 768]);
    assert.deepEqual(m.scroll, {width: 1024, height: 768});
    await page.setViewport({width: 1024, height: 768, deviceScaleFactor: 1});
    await page.waitForFunction(() => document.getElementById('surface').width === 1024, {timeout: 5000});
    m = await measure(page);
    assert.deepEqual(m.canvas, {width: 1024, height: 768});
    assert.deepEqual(m.scroll, m.viewport);
    await page.close();
});

test('on a touch screen the lists\' arrows take taps around them, over no other control', async () => {
    const page = await openPage(browser, {hash: '#replay',
                                          viewport: {width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true}});
    assert.equal(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), true);
    const arrows = await page.evaluate(() => {
        const box = (el) => {
            const r = el.getBoundingClientRect();
            return {left: r.left, top: r.top, right: r.right, bottom: r.bottom};
        };
        const controls = [...document.querySelectorAll('#window .button, #window .list, #window [tabindex="0"]')]
            .filter((el) => !el.closest('[hidden]'));
        return [...document.querySelectorAll('#window .list .arrow')].map((arrow) => ({
            list: arrow.closest('.list').id,
            up: arrow.classList.contains('up'),
            arrow: box(arrow),
            hit: box(arrow.querySelector('.hit')),
            others: controls.filter((el) => el !== arrow.closest('.list')).map(box),
        }));
    });
    assert.equal(arrows.length, 6);
    const overlaps = (a, b) => a.left < b.right - 0.01 && b.left < a.right - 0.01 && a.top < b.bottom - 0.01
                               && b.top < a.bottom - 0.01;
    for (const {list, up, arrow, hit, others} of arrows) {
        const what = `${list} ${up ? 'up' : 'down'}`;
        assert.ok(hit.left <= arrow.left && hit.top <= arrow.top && hit.right >= arrow.right && hit.bottom >= arrow.bottom, what);
        assert.deepEqual(others.filter((o) => overlaps(o, hit)), [], what);
        // 44 pixels each way, or up to the control that stops it.
        const stoppedRight = others.some((o) => Math.abs(o.left - hit.right) < 0.01);
        const stoppedAcross = others.some((o) => Math.abs((up ? o.bottom : o.top) - (up ? hit.top : hit.bottom)) < 0.01);
        assert.ok(hit.right - hit.left >= 44 - 0.01 || stoppedRight, `${what}: ${JSON.stringify(hit)}`);
        assert.ok(hit.bottom - hit.top >= 44 - 0.01 || stoppedAcross, `${what}: ${JSON.stringify(hit)}`);
    }

    // A tap beyond the drawn arrow, within its hit area, scrolls the list by a row.
    const view = (id) => page.$eval(`#${id} .strip`, (strip) => strip.style.transform);
    for (const {list, up, arrow, hit} of arrows.filter((a) => !a.up)) {
        const before = await view(list);
        const x = Math.min(hit.right - 1, arrow.right + 10);
        const y = Math.min(hit.bottom - 1, arrow.bottom + 10);
        assert.ok(x > arrow.right || y > arrow.bottom, `${list}: no room beyond the arrow`);
        await page.touchscreen.tap(x, y);
        assert.notEqual(await view(list), before, `${list} ${up}`);
    }
    assert.deepEqual(page.problems, []);
    await page.close();
});
