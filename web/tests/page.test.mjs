// The page in headless Chromium: its start-up pixels against the desktop's render, the replay hook
// on the scenario files, a lesson by real clicks and keys, and the full-tank message.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {launch, openPage, replay, dump} from './browser.mjs';
import {glyphMask, capture, differences, areasOf, readPng} from './pixels.mjs';

const scenarios = process.env.SCENARIO_DIR;
let browser;

before(async () => {
    browser = await launch();
});
after(async () => {
    await browser?.close();
});

function desktopRender(script) {
    const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'ichijikansu-web-')), 'desktop.png');
    const result = spawnSync(process.env.DESKTOP_REPLAY, [], {input: `${script}\nrender ${file}\n`, timeout: 60000,
                                                             env: {...process.env, QT_QPA_PLATFORM: 'offscreen'}});
    assert.equal(result.status, 0, String(result.stderr));
    return readPng(file);
}

async function captionOf(page, name) {
    return page.$eval('#' + name, (el) => el.textContent);
}

// States reached line by line on the page, which repaints only the areas that changed at each:
// the water risen and fallen back, the live line, the dots and their line drawn and taken away.
const pixelStates = {
    'start-up': '',
    'a run with the live line': 'select lbxSyokiRyo 3\nselect lbxJikan 1\nselect lbxSuiryo 2\nclick spbGraphFlg\n'
        + 'click btnMizuDasu\ntick 103\ntick 240',
    'records joined, then started again': 'select lbxSyokiRyo 2\nclick bbtnKirokuAuto\nclick spbGraphFlg\n'
        + 'click btnMizuDasu\ntick 93\ntick 290\nclick btnTenki\nclick btnMusubu\ntick 10\nclick btnSaishiko\n'
        + 'select lbxSyokiRyo 1\nclick btnMizuDasu\ntick 40',
};

for (const [name, script] of Object.entries(pixelStates)) {
    test(`${name}: the window is the desktop's, pixel for pixel, glyphs aside`, async () => {
        const page = await openPage(browser, {hash: '#replay'});
        for (const line of script.split('\n').filter((l) => l !== ''))
            await replay(page, line);
        const controls = (await areasOf(page)).filter((a) => /^(btn|bbtn|spb|lbx)/.test(a.name));
        const result = differences(desktopRender(script || 'dump'), await capture(page), await glyphMask(page), controls);
        // The surface, the pictures, the grounds and borders of every label and text, the buttons'
        // faces and the lists' edges and scroll bars are the core's pixels on both sides. A missing
        // or misplaced control leaves its caption or row unmasked; an area left unpainted after a
        // change keeps the pixels of before.
        assert.equal(result.total, 0, JSON.stringify(result.byArea));
        assert.deepEqual(page.problems, []);
        assert.deepEqual(page.foreignRequests(), []);
        await page.close();
    });
}

test('the replay hook gives the scenario files\' output on the live page', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    for (const file of fs.readdirSync(scenarios).filter((f) => f.endsWith('.replay')).sort()) {
        await page.reload();
        await page.waitForFunction(() => window.ichijikansu && window.ichijikansu.ready);
        const lines = await replay(page, fs.readFileSync(path.join(scenarios, file), 'utf8'));
        const expected = fs.readFileSync(path.join(scenarios, file.replace(/\.replay$/, '.out')), 'utf8');
        assert.equal(lines.map((l) => l + '\n').join(''), expected, file);
        // What the last dump says is what the page shows.
        const last = await dump(page);
        for (const name of ['stxKJHyoji', 'stxKSHyoji', 'stxZahyoX1', 'stxZahyoY10', 'bbtnKirokuAuto'])
            assert.equal(await captionOf(page, name), last.captions[name], `${file}: ${name}`);
    }
    await page.close();
});

test('a lesson by real clicks and keys, in a comma-decimal language', async () => {
    const page = await openPage(browser, {language: 'de-DE'});
    assert.equal(await page.evaluate(() => document.activeElement.id), 'btnMizuDasu');

    // Type-ahead finds "10", which shows whole; the arrow keys move the selection.
    await page.focus('#lbxSyokiRyo');
    await page.keyboard.type('10');
    assert.equal((await dump(page)).selected.lbxSyokiRyo, 10);
    const fits = await page.$eval('#lbxSyokiRyo', (list) => {
        const text = list.querySelector('.option[aria-selected="true"] span').getBoundingClientRect();
        const rows = list.querySelector('.rows').getBoundingClientRect();
        return text.left >= rows.left && text.right <= rows.right && text.width > 0;
    });
    assert.ok(fits, '"10" is cut off');
    await page.keyboard.press('Home');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowDown');
    await page.click('#lbxSuiryo');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowDown');
    let state = await dump(page);
    assert.deepEqual([state.selected.lbxSyokiRyo, state.selected.lbxSuiryo, state.selected.lbxJikan], [2, 2, 0]);

    await page.click('#btnMizuDasu');
    await page.waitForFunction(() => parseFloat(document.getElementById('stxKJHyoji').textContent.replace(',', '.')) >= 1,
                               {timeout: 10000});
    await page.click('#btnKiroku');
    await page.click('#btnTenki');
    await page.click('#spbGraphFlg');
    state = await dump(page);
    assert.equal(state.KirokuSu, 1);
    assert.match(state.KirokuX[0], /^\d+,\d$/);
    assert.equal(await captionOf(page, 'stxZahyoX1'), state.KirokuX[0]);
    assert.equal(await captionOf(page, 'stxZahyoY1'), state.KirokuY[0]);
    assert.equal(await page.$eval('#btnMusubu', (el) => el.hidden), false);
    assert.equal(await page.$eval('#spbGraphFlg', (el) => el.getAttribute('aria-pressed')), 'true');
    assert.equal(await captionOf(page, 'spbGraphFlg'), state.captions.spbGraphFlg);
    assert.notEqual(await page.evaluate(() => document.activeElement.id), 'spbGraphFlg');
    const graph = await page.$eval('#PaintBox1', (el) => el.getAttribute('aria-label'));
    assert.ok(graph.includes(`(${state.KirokuX[0]}、${state.KirokuY[0]})`), graph);

    await page.click('#btnMizuTome');
    state = await dump(page);
    assert.equal(state.timer.enabled, false);
    await new Promise((resolve) => setTimeout(resolve, 300));
    await page.click('#bbtnKirokuAuto');
    const stopped = await dump(page);
    assert.equal(stopped.KeikaTick, state.KeikaTick);
    assert.equal(await captionOf(page, 'stxKJHyoji'), stopped.captions.stxKJHyoji);
    assert.equal(await captionOf(page, 'stxKSHyoji'), stopped.captions.stxKSHyoji);

    // The canvas shows the water up to its level, and the ground above it.
    const [left, top] = stopped.bounds.shpScale;
    const at = (x, y) => page.$eval('#surface', (c, x, y) => [...c.getContext('2d').getImageData(x, y, 1, 1).data].slice(0, 3), x, y);
    assert.deepEqual(await at(left + 200, top + 1), [0, 255, 255]);
    assert.notDeepEqual(await at(left + 200, top - 2), [0, 255, 255]);

    // What a screen reader finds: the two values, the lists, the records and the toggle.
    const treeNodes = async () => {
        const all = [];
        const walk = (node) => {
            all.push(node);
            (node.children || []).forEach(walk);
        };
        walk(await page.accessibility.snapshot({interestingOnly: false}));
        return all;
    };
    const nodes = await treeNodes();
    const named = (role, name) => nodes.find((n) => n.role === role && n.name === name);
    assert.ok(named('textbox', '経過時間'));
    assert.ok(named('textbox', '水の容量'));
    assert.ok(named('listbox', '最初の水の量'));
    assert.ok(named('table', '記録'));
    assert.ok(nodes.some((n) => n.role === 'button' && n.name === 'グラフ自動描画' && n.pressed === true));
    // A list's chosen row is selected only while the list has the focus: Orca reads a selection
    // in any list as a move of the focus there.
    const focusedList = await page.evaluate(() => document.activeElement.closest('.list')?.id ?? null);
    assert.equal(nodes.filter((n) => n.role === 'option' && n.selected === true).length, focusedList ? 1 : 0);
    await page.focus('#lbxSyokiRyo');
    const focused = await treeNodes();
    assert.deepEqual(focused.filter((n) => n.role === 'option' && n.selected === true).map((n) => n.name), ['2']);
    // As on the desktop: 自動記録 is a switch with its state, and an "ON" mark says whose it is.
    const autoSwitch = named('switch', '自動記録');
    assert.equal(stopped.KirokuAutoFlg, true);
    assert.equal(autoSwitch?.checked, true);
    assert.equal(await page.$eval('#LblTenkiFlg', (el) => el.getAttribute('aria-description')), '「点をグラフへ」が ON です。');
    assert.deepEqual(page.problems, []);
    await page.close();
});

test('a full tank stops the clock, then opens a modal message', async () => {
    const opened = await openPage(browser);
    // Reads the state at the moment the box opens.
    await opened.evaluate(() => {
        const showModal = HTMLDialogElement.prototype.showModal;
        HTMLDialogElement.prototype.showModal = function () {
            window.ichijikansu.replay('dump').then((lines) => {
                window.stateAtOpen = JSON.parse(lines[0]);
            });
            return showModal.call(this);
        };
    });
    await opened.focus('#lbxSyokiRyo');
    await opened.keyboard.type('10');
    await opened.focus('#lbxSuiryo');
    await opened.keyboard.press('End');
    await opened.click('#btnMizuDasu');
    await opened.waitForSelector('#message[open]', {timeout: 15000});
    const atOpen = await opened.waitForFunction(() => window.stateAtOpen).then((h) => h.jsonValue());
    assert.equal(atOpen.timer.enabled, false);
    assert.equal(atOpen.messages, 1);
    assert.equal(atOpen.Suii, 500);
    assert.equal(await captionOf(opened, 'stxKSHyoji'), atOpen.captions.stxKSHyoji);
    assert.ok(await opened.$eval('#message', (d) => d.matches(':modal') && d.contains(document.activeElement)));
    assert.notEqual(await opened.$eval('#message-text', (p) => p.textContent), '');
    // A screen reader hears the box once: one alert inside a plain dialog, of one text, the
    // message and then where the water stopped; the page's own live region behind the box is
    // empty, so that it is not read again when the box closes.
    const alerts = [];
    const walk = (node, inDialog) => {
        if (node.role === 'alertdialog' || (node.role === 'alert' && !inDialog))
            alerts.push(`${node.role} outside the box's dialog`);
        else if (node.role === 'alert')
            alerts.push((node.children ?? []).map((c) => c.name).join('|'));
        for (const child of node.children ?? [])
            walk(child, inDialog || node.role === 'dialog');
    };
    walk(await opened.accessibility.snapshot({interestingOnly: false}), false);
    assert.equal(alerts.length, 1, alerts.join('; '));
    assert.match(alerts[0], /^だれじゃ！水をこぼすのは\(\^_\^;\) 水が止まりました。経過時間 \d+\.\d、水の容量 20\.0。$/);
    assert.equal(await opened.$eval('#announcer', (el) => el.textContent), '');

    // Behind the box nothing can be pressed.
    await opened.mouse.click(76, 16);
    const behind = await dump(opened);
    assert.equal(behind.timer.enabled, false);
    assert.equal(behind.messages, 1);

    // Escape answers the box as its one button does, wherever the focus went.
    await opened.keyboard.press('Escape');
    assert.equal(await opened.$eval('#message', (d) => d.open), false);
    const after = await dump(opened);
    assert.deepEqual([after.timer.enabled, after.messages, after.TomeFlg], [false, 1, true]);
    assert.deepEqual(opened.problems, []);
    await opened.close();
});
