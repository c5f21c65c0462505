// The page at the sizes it meets on school machines, in headless Chromium: the lesson filling the
// viewport at the scale the core fits, its canvas in device pixels and shown as they are, its grid
// evenly spaced at fractional ratios, a click landing on a scaled button, zoom growing it, and the
// lists' arrows' hit areas on a touch screen.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {launch, openPage, replay, surfacePixels} from './browser.mjs';
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

// Waits until the lesson shown is `width` device pixels wide (with `below`, narrower).
function lessonShown(page, width, below = false) {
    return page.waitForFunction((width, below) => {
        const r = document.getElementById('window').getBoundingClientRect();
        const shown = Math.round(r.width * window.devicePixelRatio);
        return (below ? shown < width : shown === width) && document.fonts.status === 'loaded';
    }, {timeout: 5000}, width, below);
}

// The fewest device pixels that make whole CSS pixels at a ratio: the canvas starts and ends on
// them, or the browser shows it a pixel off here and there.
function wholeCssPixel(ratio) {
    let n = 1;
    while (n < 64 && Math.abs(n / ratio - Math.round(n / ratio)) > 1e-6)
        ++n;
    return n;
}

// What the page shows of its lesson: its canvas's backing store and size on the screen, the
// lesson's box, each control's box, the viewport, all in CSS pixels but the backing store.
async function measure(page) {
    const canvas = await surfacePixels(page, false);
    const m = await page.evaluate(() => {
        const box = (el) => {
            const r = el.getBoundingClientRect();
            return {name: el.id, left: r.left, top: r.top, right: r.right, bottom: r.bottom};
        };
        const surface = document.getElementById('surface');
        return {
            ratio: window.devicePixelRatio,
            viewport: {width: document.documentElement.clientWidth, height: document.documentElement.clientHeight},
            scroll: {width: document.documentElement.scrollWidth, height: document.documentElement.scrollHeight},
            surface: box(surface),
            lesson: box(document.getElementById('window')),
            controls: [...document.querySelectorAll('#window .button, #window .list, #window .label, #window .static, #window .graph')]
                .filter((el) => !el.closest('[hidden]'))
                .map(box),
        };
    });
    return {...m, canvas: {width: canvas.width, height: canvas.height}};
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

// How many pixels of the screen over the graph differ from the canvas's: none where every canvas
// is shown one backing pixel per device pixel, nothing resampled, shifted or blended.
async function graphOffScreen(page) {
    const where = await page.evaluate(() => {
        const r = document.getElementById('surface').getBoundingClientRect();
        const g = document.getElementById('PaintBox1').getBoundingClientRect();
        const ratio = window.devicePixelRatio;
        return {left: Math.round(r.left * ratio), top: Math.round(r.top * ratio),
                graph: {left: Math.round((g.left - r.left) * ratio), top: Math.round((g.top - r.top) * ratio),
                        width: Math.round(g.width * ratio), height: Math.round(g.height * ratio)}};
    });
    const {graph} = where;
    const {pixels} = await surfacePixels(page, graph);
    const shot = await screenshot(page);
    let differing = 0;
    for (let y = 0; y < graph.height; ++y) {
        for (let x = 0; x < graph.width; ++x) {
            const c = 4 * (y * graph.width + x);
            const s = 4 * ((y + graph.top + where.top) * shot.width + x + graph.left + where.left);
            if ([0, 1, 2].some((k) => pixels[c + k] !== shot.rgba[s + k]))
                ++differing;
        }
    }
    return {differing, graph};
}

const viewports = [
    {width: 1920, height: 1080, deviceScaleFactor: 1},
    {width: 1366, height: 657, deviceScaleFactor: 1},
    {width: 390, height: 844, deviceScaleFactor: 3},
    {width: 640, height: 400, deviceScaleFactor: 1},
    {width: 1024, height: 768, deviceScaleFactor: 1.5},
    {width: 1280, height: 800, deviceScaleFactor: 2},
    {width: 1024, height: 768, deviceScaleFactor: 1},
];

test('the lesson fills each viewport at the fitted size, crisp, every control inside it, a click landing', async () => {
    // One page through every size, as a window resized and moved between screens.
    const page = await openPage(browser, {hash: '#replay'});
    for (const viewport of viewports) {
        const what = `${viewport.width}x${viewport.height}@${viewport.deviceScaleFactor}`;
        await page.setViewport(viewport);
        await lessonShown(page, fitted(Math.floor(viewport.width * viewport.deviceScaleFactor),
                                       Math.floor(viewport.height * viewport.deviceScaleFactor)).width);
        const m = await measure(page);
        const space = {width: Math.floor(m.viewport.width * m.ratio), height: Math.floor(m.viewport.height * m.ratio)};
        const lesson = fitted(space.width, space.height);
        // The lesson stands at that size (to within the browser's layout unit, a 64th of a CSS
        // pixel); its canvas reaches to the next whole CSS pixel, its backing store its size on the
        // screen in device pixels.
        const near = (css, device) => Math.abs(css * m.ratio - device) < 0.1;
        assert.ok(near(m.lesson.right - m.lesson.left, lesson.width), what);
        assert.ok(near(m.lesson.bottom - m.lesson.top, lesson.height), what);
        const align = wholeCssPixel(m.ratio);
        const whole = (v) => Math.ceil(v / align) * align;
        assert.deepEqual(m.canvas, {width: whole(lesson.width), height: whole(lesson.height)}, what);
        assert.ok(near(m.surface.right - m.surface.left, m.canvas.width), what);
        assert.ok(near(m.surface.bottom - m.surface.top, m.canvas.height), what);
        // Its last row and column are painted, in the window's green.
        for (const edge of [{left: 0, top: m.canvas.height - 1, width: m.canvas.width, height: 1},
                            {left: m.canvas.width - 1, top: 0, width: 1, height: m.canvas.height}]) {
            const {pixels} = await surfacePixels(page, edge);
            const colours = new Set();
            for (let i = 0; i < pixels.length; i += 4)
                colours.add((pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2]);
            assert.deepEqual([...colours], [0xc0dcc0], `${what}: edge ${JSON.stringify(edge)}`);
        }
        // Centred, the corner moved back by less than two CSS pixels to start on a whole one.
        for (const [at, free] of [[m.lesson.left, space.width - lesson.width], [m.lesson.top, space.height - lesson.height]]) {
            const back = Math.floor(free / 2) - at * m.ratio;
            assert.ok(Math.abs(at - Math.round(at)) < 0.01 && back > -0.1 && back < 2 * m.ratio, `${what}: ${at}`);
        }
        assert.equal((await graphOffScreen(page)).differing, 0, `${what}: the screen is not the canvas`);
        // The focus ring is never thinner than two device pixels.
        const ring = await page.evaluate(() => parseFloat(getComputedStyle(document.documentElement).getPropertyValue('--ring-width')));
        assert.ok(ring * m.ratio >= 2 - 0.01, `${what}: a ring of ${ring} CSS pixels`);
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
    test(`at a ratio of ${deviceScaleFactor} the canvas is in device pixels, its grid even`, async () => {
        const page = await openPage(browser, {hash: '#replay', viewport: {width: 1024, height: 768, deviceScaleFactor}});
        // The canvas's pixels over the graph, which stands where its description's element does.
        const {graph} = await graphOffScreen(page);
        const canvas = await surfacePixels(page, graph);
        canvas.graph = {...graph, pixels: canvas.pixels};
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

        assert.equal((await graphOffScreen(page)).differing, 0);
        assert.deepEqual(page.problems, []);
        await page.close();
    });
}

test('at twice the design\'s size the scales are drawn at that size, not their bitmap stretched', async () => {
    const page = await openPage(browser, {hash: '#replay', viewport: {width: 1024, height: 768, deviceScaleFactor: 2}});
    // The water's scale (ImgSuiryo) stands at 16, 176, 25 by 529 in the layout table; its bitmap is
    // 20 columns wide, so stretched it would change from one column to the next 19 times at most.
    const [left, top, width, height] = [16, 176, 25, 529].map((v) => 2 * v);
    const {pixels: data} = await surfacePixels(page, {left, top, width, height});
    let changes = 0;
    for (let x = 1; x < width; ++x) {
        let same = true;
        for (let y = 0; y < height && same; ++y) {
            const p = 4 * (y * width + x);
            same = data[p] === data[p - 4] && data[p + 1] === data[p - 3] && data[p + 2] === data[p - 2];
        }
        changes += same ? 0 : 1;
    }
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
        const stepped = await surfacePixels(page);
        // Away and back: the page is fitted anew, smaller, then as it was, and repainted whole.
        await page.setViewport({...viewport, height: viewport.height - 100});
        await lessonShown(page, stepped.width, true);
        await page.setViewport(viewport);
        await lessonShown(page, stepped.width);
        const whole = await surfacePixels(page);
        assert.equal(whole.pixels.length, stepped.pixels.length);
        let differing = 0;
        for (let i = 0; i < whole.pixels.length; i += 4)
            differing += [0, 1, 2].some((k) => whole.pixels[i + k] !== stepped.pixels[i + k]) ? 1 : 0;
        assert.equal(differing, 0);
        assert.deepEqual(page.problems, []);
        await page.close();
    });
}

test('browser zoom grows the lesson past the viewport, which scrolls; back at 100% it fits again', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    // Zoom to 200%: twice the ratio, half the viewport in CSS pixels, the same device pixels.
    await page.setViewport({width: 512, height: 384, deviceScaleFactor: 2});
    await lessonShown(page, 2048);
    let m = await measure(page);
    assert.deepEqual(m.canvas, {width: 2048, height: 1536});
    assert.deepEqual([m.lesson.right - m.lesson.left, m.lesson.bottom - m.lesson.top], [1024, 768]);
    assert.deepEqual(m.scroll, {width: 1024, height: 768});
    await page.setViewport({width: 1024, height: 768, deviceScaleFactor: 1});
    await lessonShown(page, 1024);
    m = await measure(page);
    assert.deepEqual(m.canvas, {width: 1024, height: 768});
    assert.deepEqual(m.scroll, m.viewport);
    await page.close();
});

// Each list arrow's box, its hit area's, and the other controls' that take taps, as shown.
function arrowsAndControls(page) {
    return page.evaluate(() => {
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
            others: controls.filter((el) => el !== arrow.closest('.list')).map((el) => ({name: el.id, ...box(el)})),
        }));
    });
}

const overlaps = (a, b) => a.left < b.right - 0.01 && b.left < a.right - 0.01 && a.top < b.bottom - 0.01 && b.top < a.bottom - 0.01;

function checkHitAreas(arrows, when) {
    assert.equal(arrows.length, 6);
    for (const {list, up, arrow, hit, others} of arrows) {
        const what = `${when}: ${list} ${up ? 'up' : 'down'}`;
        assert.ok(hit.left <= arrow.left && hit.top <= arrow.top && hit.right >= arrow.right && hit.bottom >= arrow.bottom, what);
        assert.deepEqual(others.filter((o) => overlaps(o, hit)).map((o) => o.name), [], what);
        // 44 pixels each way, or up to the control that stops it.
        const stoppedRight = others.some((o) => Math.abs(o.left - hit.right) < 0.01);
        const stoppedAcross = others.some((o) => Math.abs((up ? o.bottom : o.top) - (up ? hit.top : hit.bottom)) < 0.01);
        assert.ok(hit.right - hit.left >= 44 - 0.01 || stoppedRight, `${what}: ${JSON.stringify(hit)}`);
        assert.ok(hit.bottom - hit.top >= 44 - 0.01 || stoppedAcross, `${what}: ${JSON.stringify(hit)}`);
    }
}

test('on a touch screen the lists\' arrows take taps around them, over no other control', async () => {
    const page = await openPage(browser, {hash: '#replay',
                                          viewport: {width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true}});
    assert.equal(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), true);
    const arrows = await arrowsAndControls(page);
    checkHitAreas(arrows, 'at the start');

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
    // A record shows 点をグラフへ, near a list: the arrows' hit areas keep off it.
    await replay(page, 'click btnMizuDasu\ntick 50\nclick btnKiroku');
    assert.equal(await page.$eval('#btnTenki', (el) => el.hidden), false);
    checkHitAreas(await arrowsAndControls(page), 'with a record');
    assert.deepEqual(page.problems, []);
    await page.close();
});
