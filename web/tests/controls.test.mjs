// The page's own code in headless Chromium, by real keys and clicks: the lists at every edge, the
// graph's description with each switch, the toggle across a reset, and every button's binding.
// The clock is held (#replay), so what a start shows is the state it started from.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {launch, openPage, dump, replay} from './browser.mjs';

let browser;

before(async () => {
    browser = await launch();
});
after(async () => {
    await browser?.close();
});

async function fresh(page) {
    await page.reload();
    await page.waitForFunction(() => window.ichijikansu && window.ichijikansu.ready);
    await page.evaluate(() => document.fonts.ready);
}

async function captionOf(page, name) {
    return page.$eval('#' + name, (el) => el.textContent);
}

// Each list's value in the state a start runs from, and its rows' first value.
const lists = {
    lbxSyokiRyo: {field: 'SyokiRyo', first: 0},
    lbxJikan: {field: 'Jikan', first: 1},
    lbxSuiryo: {field: 'Suiryo', first: 1},
};

// Presses `keys` on the list: names of keys, or text typed at once (type-ahead), or a number of
// milliseconds to wait. Then the row selected, as the core has it and as the list shows it, and a
// start from it.
const keyCases = [
    {list: 'lbxSyokiRyo', keys: ['End', 'ArrowDown'], row: 10},
    {list: 'lbxSyokiRyo', keys: ['End', 'ArrowRight'], row: 10},
    {list: 'lbxSyokiRyo', keys: ['PageDown', 'ArrowUp'], row: 9},
    {list: 'lbxSyokiRyo', keys: ['ArrowDown', 'ArrowDown', 'Home', 'ArrowUp'], row: 0},
    {list: 'lbxSyokiRyo', keys: ['ArrowDown', 'ArrowDown', 'ArrowLeft'], row: 1},
    {list: 'lbxSyokiRyo', keys: ['End', 'PageUp', 'ArrowDown'], row: 1},
    {list: 'lbxJikan', keys: ['End', 'ArrowDown'], row: 4},
    {list: 'lbxSuiryo', keys: ['ArrowDown', 'ArrowUp', 'ArrowUp'], row: 0},
    {list: 'lbxSyokiRyo', keys: [{type: '10'}], row: 10},
    {list: 'lbxSyokiRyo', keys: [{type: '1'}, 1000, {type: '0'}], row: 0},
    {list: 'lbxJikan', keys: [{type: '5'}], row: 4},
    {list: 'lbxSyokiRyo', keys: [{type: '10'}, 'ArrowDown'], row: 10},
];

async function checkChosen(page, name, row, what) {
    const state = await dump(page);
    assert.equal(state.selected[name], row, what);
    const shown = await page.$eval('#' + name, (list) => ({
        selected: [...list.querySelectorAll('.option')].map((o) => o.getAttribute('aria-selected') === 'true'),
        active: list.getAttribute('aria-activedescendant'),
    }));
    assert.deepEqual(shown.selected.flatMap((on, r) => (on ? [r] : [])), [row], what);
    assert.equal(shown.active, `${name}-${row}`, what);

    await page.click('#btnMizuDasu');
    const started = await dump(page);
    assert.equal(started.timer.enabled, true, what);
    assert.equal(started[lists[name].field], lists[name].first + row, what);
    if (name === 'lbxSyokiRyo')
        assert.equal(await captionOf(page, 'stxKSHyoji'), `${row}.0`, what);
}

test('the lists\' keys at every edge choose the row a start runs from', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    for (const {list, keys, row} of keyCases) {
        await fresh(page);
        await page.focus('#' + list);
        for (const key of keys) {
            if (typeof key === 'number')
                await new Promise((resolve) => setTimeout(resolve, key));
            else if (typeof key === 'object')
                await page.keyboard.type(key.type);
            else
                await page.keyboard.press(key);
        }
        await checkChosen(page, list, row, `${list} ${JSON.stringify(keys)}`);
    }
    assert.deepEqual(page.problems, []);
    await page.close();
});

// The ways of moving a list's view: the scroll bar's arrows, and the wheel over the list, turned
// or pushed sideways (as a touchpad's swipe does).
const scrolls = {
    up: (page, list) => page.click(`#${list} .arrow.up`),
    down: (page, list) => page.click(`#${list} .arrow.down`),
    wheel: async (page, list) => {
        await page.hover('#' + list);
        await page.mouse.wheel({deltaY: 100});
    },
    sideways: async (page, list) => {
        await page.hover('#' + list);
        await page.mouse.wheel({deltaX: 100});
        await page.mouse.wheel({deltaX: -100});
    },
};

// The view moves, not the selection; a click chooses the row in view.
const clickCases = [
    {list: 'lbxSyokiRyo', before: [], scroll: ['down', 'down', 'down'], row: 3},
    {list: 'lbxSyokiRyo', before: ['End'], scroll: ['up', 'up'], row: 8},
    {list: 'lbxSuiryo', before: [], scroll: ['down', 'down', 'down', 'down', 'down', 'up'], row: 3},
    {list: 'lbxJikan', before: ['ArrowDown'], scroll: [], row: 1},
    {list: 'lbxSyokiRyo', before: [], scroll: ['wheel', 'wheel'], row: 2},
    {list: 'lbxSyokiRyo', before: ['End'], scroll: ['sideways', 'up'], row: 9},
];

test('a click chooses the row the list shows', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    for (const {list, before: keys, scroll, row} of clickCases) {
        await fresh(page);
        await page.focus('#' + list);
        for (const key of keys)
            await page.keyboard.press(key);
        const was = (await dump(page)).selected[list];
        for (const move of scroll)
            await scrolls[move](page, list);
        const what = `${list} ${JSON.stringify({keys, scroll})}`;
        assert.equal((await dump(page)).selected[list], was, `${what}: the view's move changed the selection`);
        await page.click(`#${list} .rows`);
        await checkChosen(page, list, row, what);
    }
    assert.deepEqual(page.problems, []);
    await page.close();
});

// The buttons pressed in turn, and what the graph's description then tells: the live line, the
// recorded points as dots, and the line joining them.
const graphSteps = [
    {press: [], live: false, dots: false, joined: false},
    {press: ['spbGraphFlg'], live: true, dots: false, joined: false},
    {press: ['btnKiroku'], live: true, dots: false, joined: false},
    {press: ['btnTenki'], live: true, dots: true, joined: false},
    {press: ['btnMusubu'], live: true, dots: true, joined: true},
    {press: ['spbGraphFlg'], live: false, dots: true, joined: true},
    {press: ['btnSaishiko'], live: false, dots: false, joined: false},
    {press: ['btnKiroku', 'btnTenki'], live: false, dots: true, joined: false},
    {press: ['spbGraphFlg', 'btnSaishiko'], live: true, dots: false, joined: false},
];

test('the graph\'s description follows each switch on and off', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    const pressed = [];
    for (const step of graphSteps) {
        for (const name of step.press)
            await page.click('#' + name);
        pressed.push(...step.press);
        const text = await page.$eval('#PaintBox1', (el) => el.getAttribute('aria-label'));
        assert.match(text, /^グラフ。/);
        const told = {
            live: text.includes('自動描画の線'),
            dots: /グラフに点が \d+ 個あります/.test(text),
            joined: text.includes('線で結ばれています'),
        };
        assert.deepEqual(told, {live: step.live, dots: step.dots, joined: step.joined},
                         `after ${pressed.join(' ')}: ${text}`);
        assert.equal(text.includes('グラフに点はありません'), !step.dots, text);
    }
    assert.deepEqual(page.problems, []);
    await page.close();
});

test('the live-line toggle keeps its state across はじめから', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    const steps = [
        ['spbGraphFlg', true],
        ['btnSaishiko', true],
        ['btnMizuDasu', true],
        ['btnSaishiko', true],
        ['spbGraphFlg', false],
        ['btnSaishiko', false],
    ];
    for (const [name, on] of steps) {
        await page.click('#' + name);
        const shown = await page.$eval('#spbGraphFlg', (el) => ({
            pressed: el.getAttribute('aria-pressed'),
            down: el.classList.contains('down'),
            caption: el.textContent,
        }));
        const state = await dump(page);
        const what = `after ${name}`;
        assert.equal(state.pressed.spbGraphFlg, on, what);
        assert.deepEqual(shown, {pressed: String(on), down: on, caption: state.captions.spbGraphFlg}, what);
        assert.equal(shown.caption, on ? 'ON' : 'OFF', what);
    }
    assert.deepEqual(page.problems, []);
    await page.close();
});

// Every button the page builds, clicked in an order in which each is shown, and what its handler
// changes of these fields of the state. お　わ　る ends the page.
const watched = ['timer.enabled', 'TomeFlg', 'KirokuSu', 'TenkiFlg', 'MusubuFlg', 'KirokuAutoFlg',
                 'pressed.spbGraphFlg'];
const bindingCases = [
    {name: 'btnMizuDasu', changes: {'timer.enabled': true}},
    {name: 'btnMizuTome', changes: {'timer.enabled': false, TomeFlg: true}},
    {name: 'btnKiroku', changes: {KirokuSu: 1}},
    {name: 'btnTenki', changes: {TenkiFlg: true}},
    {name: 'btnMusubu', changes: {MusubuFlg: true}},
    {name: 'bbtnKirokuAuto', changes: {KirokuAutoFlg: true}},
    {name: 'spbGraphFlg', changes: {'pressed.spbGraphFlg': true}},
    {name: 'btnSaishiko',
     changes: {TomeFlg: false, KirokuSu: 0, TenkiFlg: false, MusubuFlg: false, KirokuAutoFlg: false}},
    {name: 'btnOwari', changes: {}, ends: true},
];

test('each button runs its own handler', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    const built = await page.$$eval('#window button', (buttons) => buttons.map((b) => b.id).sort());
    assert.deepEqual(built, bindingCases.map((c) => c.name).sort());
    const read = async () => {
        const state = await dump(page);
        return Object.fromEntries(watched.map((path) => [path, path.split('.').reduce((v, k) => v[k], state)]));
    };
    for (const {name, changes, ends = false} of bindingCases) {
        const was = await read();
        await page.click('#' + name);
        const now = await read();
        const changed = Object.fromEntries(watched.filter((path) => now[path] !== was[path])
                                               .map((path) => [path, now[path]]));
        assert.deepEqual(changed, changes, name);
        assert.equal(await page.$eval('#ended', (el) => !el.hidden), ends, name);
    }
    assert.deepEqual(page.problems, []);
    await page.close();
});

// The program's timer drives the page's frames: none is asked for while the water stands, and the
// stop is told to screen readers with where it stopped.
test('frames only while the water runs, and the stop announced', async () => {
    const page = await openPage(browser, {
        beforeLoad: () => {
            window.framesAsked = 0;
            const ask = window.requestAnimationFrame.bind(window);
            window.requestAnimationFrame = (callback) => {
                window.framesAsked += 1;
                return ask(callback);
            };
        },
    });
    const frames = () => page.evaluate(() => window.framesAsked);
    const settle = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
    await settle(300);
    assert.equal(await frames(), 0, 'at rest');
    await page.click('#btnMizuDasu');
    await settle(300);
    assert.ok((await frames()) > 5, 'running');
    await page.click('#btnMizuTome');
    const time = await captionOf(page, 'stxKJHyoji');
    const volume = await captionOf(page, 'stxKSHyoji');
    assert.equal(await page.$eval('#announcer', (el) => el.textContent),
                 `水が止まりました。経過時間 ${time}、水の容量 ${volume}。`);
    await settle(100);
    const stopped = await frames();
    await settle(300);
    assert.equal(await frames(), stopped, 'stopped');
    await page.close();
});

// Every way the water comes to rest, with the water running first: after each the page asks for
// no more frames. A hidden tab is told by the document's visibility, as a browser tells it.
const restCases = [
    {name: 'stopped', steps: [['click', 'btnMizuTome']]},
    {name: 'ended while running', steps: [['click', 'btnOwari']]},
    {name: 'the tab hidden', steps: [['hide']]},
    {name: 'the full-tank message open', before: [['type', 'lbxSyokiRyo', '10'], ['key', 'lbxSuiryo', 'End']],
     steps: [['wait', '#message[open]']]},
];

test('no frame asked for once the water rests, whatever stopped it', async () => {
    const settle = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
    for (const {name, before: setUp = [], steps} of restCases) {
        const page = await openPage(browser, {
            beforeLoad: () => {
                window.framesAsked = 0;
                const ask = window.requestAnimationFrame.bind(window);
                window.requestAnimationFrame = (callback) => {
                    window.framesAsked += 1;
                    return ask(callback);
                };
                window.tabHidden = false;
                Object.defineProperty(document, 'visibilityState', {get: () => (window.tabHidden ? 'hidden' : 'visible')});
            },
        });
        const frames = () => page.evaluate(() => window.framesAsked);
        const act = {
            click: (id) => page.click('#' + id),
            type: async (id, text) => {
                await page.focus('#' + id);
                await page.keyboard.type(text);
            },
            key: async (id, key) => {
                await page.focus('#' + id);
                await page.keyboard.press(key);
            },
            hide: () => page.evaluate(() => {
                window.tabHidden = true;
                document.dispatchEvent(new Event('visibilitychange'));
            }),
            wait: (selector) => page.waitForSelector(selector, {timeout: 15000}),
        };
        for (const [what, ...args] of setUp)
            await act[what](...args);
        await page.click('#btnMizuDasu');
        await settle(300);
        assert.ok((await frames()) > 3, `${name}: running`);
        for (const [what, ...args] of steps)
            await act[what](...args);
        await settle(150);
        const rested = await frames();
        await settle(500);
        assert.equal(await frames(), rested, name);
        assert.deepEqual(page.problems, [], name);
        await page.close();
    }
});

// What a spreadsheet gets from Ctrl+C: the two rows of the table, tab-separated, and an HTML table.
test('Ctrl+C copies the records as text and as a table', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    await replay(page, 'click btnMizuDasu\ntick 108\nclick btnKiroku\ntick 25\nclick btnKiroku\n');
    await page.evaluate(() => {
        window.copied = null;
        window.addEventListener('copy', (event) => {
            window.copied = {text: event.clipboardData.getData('text/plain'),
                             html: event.clipboardData.getData('text/html')};
        });
    });
    await page.focus('#lbxJikan');
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyC');
    await page.keyboard.up('Control');
    const copied = await page.evaluate(() => window.copied);
    const empty = (n) => '\t'.repeat(n);
    assert.equal(copied?.text, `ｘ座標\t0.2\t1.2${empty(8)}\nｙ座標\t0.2\t1.2${empty(8)}\n`);
    assert.equal(copied.html, '<meta charset="utf-8"><table><tr><th>ｘ座標</th><td>0.2</td><td>1.2</td>' + '<td></td>'.repeat(8)
                 + '</tr><tr><th>ｙ座標</th><td>0.2</td><td>1.2</td>' + '<td></td>'.repeat(8) + '</tr></table>');
    assert.equal(await page.$eval('#announcer', (el) => el.textContent), '記録をコピーしました');
    await page.close();
});
