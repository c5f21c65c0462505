// The focus ring in headless Chromium, measured in the screenshot's pixels: every element the Tab
// key reaches, the full-tank message's OK and the end's もう一度はじめる show a ring 2 pixels wide
// on all four sides, at 3:1 or more against the pixels on either side of it. The ring is what
// differs between the element focused and the same page with the focus taken away.
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

function luminance([r, g, b]) {
    const lin = (c) => {
        const v = c / 255;
        return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
    };
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
}

function contrast(a, b) {
    const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
    return (hi + 0.05) / (lo + 0.05);
}

const MARGIN = 4; // pixels looked at around the element

async function shot(page, box) {
    const clip = {x: box.x - MARGIN, y: box.y - MARGIN, width: box.width + 2 * MARGIN, height: box.height + 2 * MARGIN};
    const png = await page.screenshot({clip, captureBeyondViewport: false});
    const image = decodePng(Buffer.from(png));
    return {...image, at: (x, y) => [...image.rgba.subarray(4 * (y * image.width + x), 4 * (y * image.width + x) + 3)]};
}

// The ring of the element that has the focus now: the pixels that change when the focus goes, its
// width on each side where a line through the middle crosses it, and the contrast on both sides.
async function measureRing(page, what) {
    const box = await page.evaluate(() => {
        const r = document.activeElement.getBoundingClientRect();
        return {x: Math.round(r.left), y: Math.round(r.top), width: Math.round(r.width), height: Math.round(r.height)};
    });
    const focused = await shot(page, box);
    await page.evaluate(() => {
        window.focusedBefore = document.activeElement;
        document.activeElement.blur();
    });
    const plain = await shot(page, box);
    await page.evaluate(() => window.focusedBefore.focus());
    const differs = (x, y) => focused.at(x, y).some((v, i) => v !== plain.at(x, y)[i]);
    const midX = Math.floor(focused.width / 2);
    const midY = Math.floor(focused.height / 2);
    // Each side: where the crossing line starts, and the step inward.
    const sides = {
        top: {x: midX, y: 0, dx: 0, dy: 1},
        bottom: {x: midX, y: focused.height - 1, dx: 0, dy: -1},
        left: {x: 0, y: midY, dx: 1, dy: 0},
        right: {x: focused.width - 1, y: midY, dx: -1, dy: 0},
    };
    const found = {};
    for (const [side, {x, y, dx, dy}] of Object.entries(sides)) {
        let step = 0;
        while (step < MARGIN + 8 && !differs(x + dx * step, y + dy * step))
            ++step;
        assert.ok(step < MARGIN + 8, `${what}: no ring on the ${side}`);
        let width = 0;
        while (differs(x + dx * (step + width), y + dy * (step + width)))
            ++width;
        const ring = focused.at(x + dx * step, y + dy * step);
        const outside = focused.at(x + dx * (step - 1), y + dy * (step - 1));
        const inside = focused.at(x + dx * (step + width), y + dy * (step + width));
        found[side] = {width, outside: contrast(ring, outside), inside: contrast(ring, inside)};
    }
    for (const [side, r] of Object.entries(found)) {
        assert.equal(r.width, 2, `${what}: the ring is ${r.width} pixels wide on the ${side}`);
        assert.ok(r.outside >= 3 && r.inside >= 3,
                  `${what}: contrast on the ${side} ${r.outside.toFixed(2)}:1 outside, ${r.inside.toFixed(2)}:1 inside`);
    }
}

test('every element in the tab order shows the ring', async () => {
    const page = await openPage(browser, {hash: '#replay'});
    // The page starts with the focus on 水を入れる; Tab and back shows the keyboard is in use.
    await page.keyboard.press('Tab');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
    const reached = [];
    for (let i = 0; i < 40; ++i) {
        const id = await page.evaluate(() => (document.activeElement === document.body ? null : document.activeElement.id));
        if (id === null || reached.includes(id))
            break;
        reached.push(id);
        await measureRing(page, id);
        await page.keyboard.press('Tab');
    }
    // The tab order holds every button shown, the three lists, the toggle and the two values.
    for (const id of ['btnMizuDasu', 'lbxSyokiRyo', 'lbxJikan', 'lbxSuiryo', 'btnKiroku', 'bbtnKirokuAuto',
                      'spbGraphFlg', 'stxKJHyoji', 'stxKSHyoji', 'btnOwari'])
        assert.ok(reached.includes(id), `${id} is not in the tab order: ${reached.join(' ')}`);
    assert.deepEqual(page.problems, []);
    await page.close();
});

// The two controls outside the window, each where it has the focus by itself.
const alone = [
    {name: 'the full-tank message\'s OK', script: 'select lbxSyokiRyo 10\nselect lbxSuiryo 4\nclick btnMizuDasu\ntick 2000',
     focused: 'message-ok'},
    {name: 'the end\'s もう一度はじめる', script: 'click btnOwari', focused: 'again'},
];

for (const {name, script, focused} of alone) {
    test(`${name} shows the ring`, async () => {
        const page = await openPage(browser, {hash: '#replay'});
        await replay(page, script);
        assert.equal(await page.evaluate(() => document.activeElement.id), focused);
        await measureRing(page, name);
        await page.close();
    });
}
