// The page at the sizes it meets on school machines, in headless Chromium: the lesson fitted to
// the viewport, its canvas in device pixels shown as they are, an even grid, a click landing, the
// pictures drawn at their size, repaints by areas, zoom, and the lists' arrows on a touch screen.
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

// Worked out here apart from the core: the lesson's device size for a space (1024 by 768 times
// the largest factor that fits, the far edge rounded half up), and the fewest device pixels that
// make whole CSS pixels, on which the canvas starts and ends.
function fitted(width, height) {
    const roundHalfUp = (numerator, denominator) => Math.floor((2 * numerator + denominator) / (2 * denominator));
    return width * 768 <= height * 1024 ? {width, height: roundHalfUp(768 * width, 1024)}
                                        : {width: roundHalfUp(1024 * height, 768), height};
}
function wholeCssPixel(ratio) {
    let n = 1;
    while (n < 64 && Math.abs(n / ratio - Math.round(n / ratio)) > 1e-6)
        ++n;
    return n;
}

// Waits until the lesson shown is `width` device pixels wide (with `below`, narrower).
function lessonShown(page, width, below = false) {
    return page.waitForFunction((width, below) => {
        const shown = Math.round(document.getElementById('window').getBoundingClientRect().width * window.devicePixelRatio);
        return (below ? shown < width : shown === width) && document.fonts.status === 'loaded';
    }, {timeout: 5000}, width, below);
}

const boxesOf = (page, selector) => page.$$eval(selector, (els) => els.filter((el) => !el.closest('[hidden]')).map((el) => {
    const r = el.getBoundingClientRect();
    return {name: el.id, left: r.left, top: r.top, right: r.right, bottom: r.bottom};
}));

// The first pixel of each run of silver grid columns (or rows) across the graph's pixels.
function gridLines({pixels, width, height}, columns) {
    const starts = [];
    const [length, span] = columns ? [width, height] : [height, width];
    for (let i = 0, inLine = false; i < length; ++i) {
        let silver = 0;
        for (let j = 0; j < span; ++j) {
            const p = 4 * (columns ? j * width + i : i * width + j);
            silver += pixels[p] === 0xc0 && pixels[p + 1] === 0xc0 && pixels[p + 2] === 0xc0 ? 1 : 0;
        }
        if (silver > span / 2 && !inLine)
            starts.push(i);
        inLine = silver > span / 2;
    }
    return starts;
}

const viewports = [[1920, 1080, 1], [1366, 657, 1], [390, 844, 3], [640, 400, 1], [1024, 768, 1.5], [1280, 800, 2],
                   [1366, 657, 1.25], [1024, 768, 1]];

test('the lesson fills each viewport at the fitted size, crisp, with an even grid and every control inside', async () => {
    // One page through every size, as a window resized and moved between screens.
    const page = await openPage(browser, {hash: '#replay'});
    for (const [width, height, deviceScaleFactor] of viewports) {
        const what = `${width}x${height}@${deviceScaleFactor}`;
        await page.setViewport({width, height, deviceScaleFactor});
        const space = {width: Math.floor(width * deviceScaleFactor), height: Math.floor(height * deviceScaleFactor)};
        const lesson = fitted(space.width, space.height);
        await lessonShown(page, lesson.width);
        const [win] = await boxesOf(page, '#window');
        const [shown] = await boxesOf(page, '#surface');
        const canvas = await surfacePixels(page, false);
        const near = (css, device) => Math.abs(css * deviceScaleFactor - device) < 0.1; // a layout unit is 1/64 px
        assert.ok(near(win.right - win.left, lesson.width) && near(win.bottom - win.top, lesson.height), what);
        // Centred, its corner moved back by less than two CSS pixels onto a whole one; its canvas
        // reaches on to a whole CSS pixel, a backing pixel to each device pixel.
        for (const [at, free] of [[win.left, space.width - lesson.width], [win.top, space.height - lesson.height]]) {
            const back = Math.floor(free / 2) - at * deviceScaleFactor;
            assert.ok(Math.abs(at - Math.round(at)) < 0.01 && back > -0.1 && back < 2 * deviceScaleFactor, `${what}: ${at}`);
        }
        const align = wholeCssPixel(deviceScaleFactor);
        const whole = (v) => Math.ceil(v / align) * align;
        assert.deepEqual([canvas.width, canvas.height], [whole(lesson.width), whole(lesson.height)], what);
        assert.ok(near(shown.right - shown.left, canvas.width) && near(shown.bottom - shown.top, canvas.height), what);
        // Its last row and column are painted, in the window's green.
        for (const edge of [{left: 0, top: canvas.height - 1, width: canvas.width, height: 1},
                            {left: canvas.width - 1, top: 0, width: 1, height: canvas.height}]) {
            const {pixels} = await surfacePixels(page, edge);
            const colours = new Set();
            for (let i = 0; i < pixels.length; i += 4)
                colours.add((pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2]);
            assert.deepEqual([...colours], [0xc0dcc0], `${what}: ${JSON.stringify(edge)}`);
        }

        // The graph's 19 lines each way a step of 25 layout pixels apart, to within a device
        // pixel; the screen shows the canvas's own pixels there, none resampled, shifted or blended.
        const [g] = await boxesOf(page, '#PaintBox1');
        const graph = {left: Math.round((g.left - win.left) * deviceScaleFactor), top: Math.round((g.top - win.top) * deviceScaleFactor),
                       width: Math.round((g.right - g.left) * deviceScaleFactor), height: Math.round((g.bottom - g.top) * deviceScaleFactor)};
        const drawn = {...graph, pixels: (await surfacePixels(page, graph)).pixels};
        for (const columns of [true, false]) {
            const starts = gridLines(drawn, columns);
            const steps = starts.slice(1).map((s, i) => s - starts[i]);
            assert.equal(starts.length, 19, `${what}: ${starts}`);
            assert.ok(Math.max(...steps) - Math.min(...steps) <= 1, `${what}: steps ${steps}`);
            assert.ok(Math.abs(steps.reduce((a, b) => a + b) / 18 - (25 * lesson.width) / 1024) < 0.5, `${what}: ${steps}`);
        }
        const shot = decodePng(Buffer.from(await page.screenshot()));
        const [x0, y0] = [Math.round(win.left * deviceScaleFactor) + graph.left, Math.round(win.top * deviceScaleFactor) + graph.top];
        let differing = 0;
        for (let y = 0; y < graph.height; ++y) {
            for (let x = 0; x < graph.width; ++x) {
                const c = 4 * (y * graph.width + x);
                const s = 4 * ((y + y0) * shot.width + x + x0);
                differing += [0, 1, 2].some((k) => drawn.pixels[c + k] !== shot.rgba[s + k]) ? 1 : 0;
            }
        }
        assert.equal(differing, 0, `${what}: the screen is not the canvas`);

        // Every control inside the lesson and the viewport, which does not scroll.
        for (const c of await boxesOf(page, '#window .button, #window .list, #window .label, #window .static, #window .graph')) {
            assert.ok(c.left >= win.left - 0.01 && c.top >= win.top - 0.01 && c.right <= win.right + 0.01
                      && c.bottom <= win.bottom + 0.01 && c.right <= width && c.bottom <= height, `${what}: ${JSON.stringify(c)}`);
        }
        assert.deepEqual(await page.evaluate(() => [document.documentElement.scrollWidth, document.documentElement.scrollHeight]),
                         [width, height], what);
        // The focus ring is never thinner than two device pixels.
        const ring = await page.evaluate(() => parseFloat(getComputedStyle(document.documentElement).getPropertyValue('--ring-width')));
        assert.ok(ring * deviceScaleFactor >= 2 - 0.01, `${what}: a ring of ${ring} CSS pixels`);
        // The toggle turns at a click on its centre.
        const [toggle] = await boxesOf(page, '#spbGraphFlg');
        const pressed = () => page.$eval('#spbGraphFlg', (el) => el.getAttribute('aria-pressed'));
        const before = await pressed();
        await page.mouse.click((toggle.left + toggle.right) / 2, (toggle.top + toggle.bottom) / 2);
        assert.equal(await pressed(), before === 'true' ? 'false' : 'true', `${what}: the click missed the toggle`);
    }
    assert.deepEqual(page.problems, []);
    await page.close();
});

test('at twice the design\'s size the scales are drawn at that size, not their bitmap stretched', async () => {
    const page = await openPage(browser, {hash: '#replay', viewport: {width: 1024, height: 768, deviceScaleFactor: 2}});
    // The water's scale (ImgSuiryo) stands at 16, 176, 25 by 529 in the layout table; its bitmap is
    // 20 columns wide, so stretched it would change from one column to the next 19 times at most.
    const [left, top, width, height] = [16, 176, 25, 529].map((v) => 2 * v);
    const {pixels} = await surfacePixels(page, {left, top, width, height});
    let changes = 0;
    for (let x = 1; x < width; ++x) {
        let same = true;
        for (let y = 0; y < height && same; ++y)
            same = [0, 1, 2].every((k) => pixels[4 * (y * width + x) + k] === pixels[4 * (y * width + x - 1) + k]);
        changes += same ? 0 : 1;
    }
    assert.ok(changes > 19, `${changes} changes from column to column`);
    await page.close();
});

// What a lesson's steps repaint, area by area, against a whole repaint of the state they reach.
const steps = ['select lbxSyokiRyo 3', 'select lbxJikan 1', 'select lbxSuiryo 2', 'click spbGraphFlg', 'click btnMizuDasu',
               'tick 103', 'click btnKiroku', 'tick 140', 'click btnKiroku', 'click btnTenki', 'click btnMusubu', 'tick 60'];

for (const viewport of [{width: 1920, height: 1080, deviceScaleFactor: 1}, {width: 1366, height: 657, deviceScaleFactor: 1.25}]) {
    test(`at ${viewport.width}x${viewport.height}@${viewport.deviceScaleFactor} the areas repainted step by step make the whole`, async () => {
        const page = await openPage(browser, {hash: '#replay', viewport});
        for (const line of steps)
            await replay(page, line);
        const stepped = await surfacePixels(page);
        // Away and back: the page is fitted anew, smaller, then as it was, and repainted whole.
        const [win] = await boxesOf(page, '#window');
        const width = Math.round((win.right - win.left) * viewport.deviceScaleFactor);
        await page.setViewport({...viewport, height: viewport.height - 100});
        await lessonShown(page, width, true);
        await page.setViewport(viewport);
        await lessonShown(page, width);
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
    const extent = () => page.evaluate(() => [document.documentElement.scrollWidth, document.documentElement.scrollHeight]);
    // Zoom to 200%: twice the ratio, half the viewport in CSS pixels, the same device pixels.
    await page.setViewport({width: 512, height: 384, deviceScaleFactor: 2});
    await lessonShown(page, 2048);
    assert.deepEqual(await extent(), [1024, 768]);
    await page.setViewport({width: 1024, height: 768, deviceScaleFactor: 1});
    await lessonShown(page, 1024);
    assert.deepEqual(await extent(), [1024, 768]);
    await page.close();
});

// Each list arrow's box and its hit area's, with the other controls that take taps.
async function checkHitAreas(page, when) {
    const arrows = await page.$$eval('#window .list .arrow', (els) => els.map((arrow) => {
        const box = (el) => {
            const r = el.getBoundingClientRect();
            return {name: el.id, left: r.left, top: r.top, right: r.right, bottom: r.bottom};
        };
        const others = [...document.querySelectorAll('#window .button, #window .list, #window [tabindex="0"]')]
            .filter((el) => !el.closest('[hidden]') && el !== arrow.closest('.list'));
        return {list: arrow.closest('.list').id, up: arrow.classList.contains('up'), arrow: box(arrow),
                hit: box(arrow.querySelector('.hit')), others: others.map(box)};
    }));
    assert.equal(arrows.length, 6);
    const overlaps = (a, b) => a.left < b.right - 0.01 && b.left < a.right - 0.01 && a.top < b.bottom - 0.01 && b.top < a.bottom - 0.01;
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
    return arrows;
}

test('on a touch screen the lists\' arrows take taps around them, over no other control', async () => {
    const page = await openPage(browser, {hash: '#replay',
                                          viewport: {width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true}});
    assert.equal(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), true);
    const arrows = await checkHitAreas(page, 'at the start');
    // A tap beyond the drawn arrow, within its hit area, scrolls the list by a row.
    const view = (id) => page.$eval(`#${id} .strip`, (strip) => strip.style.transform);
    for (const {list, arrow, hit} of arrows.filter((a) => !a.up)) {
        const before = await view(list);
        const [x, y] = [Math.min(hit.right - 1, arrow.right + 10), Math.min(hit.bottom - 1, arrow.bottom + 10)];
        assert.ok(x > arrow.right || y > arrow.bottom, `${list}: no room beyond the arrow`);
        await page.touchscreen.tap(x, y);
        assert.notEqual(await view(list), before, list);
    }
    // A record shows 点をグラフへ, near a list: the arrows' hit areas keep off it.
    await replay(page, 'click btnMizuDasu\ntick 50\nclick btnKiroku');
    assert.equal(await page.$eval('#btnTenki', (el) => el.hidden), false);
    await checkHitAreas(page, 'with a record');
    assert.deepEqual(page.problems, []);
    await page.close();
});
