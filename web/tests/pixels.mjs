// Comparing the page with the desktop's render of the same state, pixel for pixel, glyphs aside.
import {readPng, decodePng} from './png.mjs';

// Where a caption's glyphs can stand: the line box of each shown text as the page lays it out,
// grown by two pixels each way (the desktop sets the same face at the same size, but its baseline
// and advance widths may differ by a pixel or two), and kept inside the item's border so the border
// itself is always compared. Returned as rectangles in window pixels, each with its item's name.
export async function glyphMask(page) {
    return page.evaluate(() => {
        const rects = [];
        const win = document.getElementById('window').getBoundingClientRect();
        for (const caption of document.querySelectorAll('#window .caption, #window .option span')) {
            const owner = caption.closest('.label, .static, .button, .list');
            if (!owner || owner.closest('[hidden]') || caption.textContent === '')
                continue;
            if (caption.closest('.option') && !caption.closest('.option').classList.contains('chosen'))
                continue;
            const range = document.createRange();
            range.selectNodeContents(caption);
            const text = range.getBoundingClientRect();
            const box = owner.getBoundingClientRect();
            const inset = owner.classList.contains('list') ? 2 : owner.matches('.border-single, .border-sunken, .button') ? 1 : 0;
            const left = Math.max(Math.floor(text.left - win.left) - 2, Math.round(box.left - win.left) + inset);
            const top = Math.max(Math.floor(text.top - win.top) - 2, Math.round(box.top - win.top) + inset);
            const right = Math.min(Math.ceil(text.right - win.left) + 2, Math.round(box.right - win.left) - inset);
            const bottom = Math.min(Math.ceil(text.bottom - win.top) + 2, Math.round(box.bottom - win.top) - inset);
            if (right > left && bottom > top)
                rects.push({name: owner.id, left, top, right, bottom});
        }
        // The note of a page held for tests lies over a corner of the window; the desktop has none.
        const held = document.getElementById('held');
        if (held && !held.hidden) {
            const r = held.getBoundingClientRect();
            rects.push({name: 'held', left: Math.floor(r.left - win.left), top: Math.floor(r.top - win.top),
                        right: Math.ceil(r.right - win.left), bottom: Math.ceil(r.bottom - win.top)});
        }
        return rects;
    });
}

// The page's client area as RGBA pixels.
export async function capture(page) {
    const png = await page.screenshot({clip: {x: 0, y: 0, width: 1024, height: 768}, captureBeyondViewport: false});
    return decodePng(Buffer.from(png));
}

// Where the two pictures differ outside the mask, counted per area: each control, label and
// static text by its name, the rest as "surface".
export function differences(desktop, web, mask, areas) {
    const {width, height} = desktop;
    if (web.width !== width || web.height !== height)
        throw new Error(`sizes differ: ${width}x${height} and ${web.width}x${web.height}`);
    const masked = new Uint8Array(width * height);
    for (const r of mask) {
        for (let y = r.top; y < r.bottom; ++y)
            masked.fill(1, y * width + r.left, y * width + r.right);
    }
    const byArea = {};
    const diff = Buffer.alloc(width * height * 4);
    let total = 0;
    let maskedCount = 0;
    for (let y = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x) {
            const p = y * width + x;
            const i = 4 * p;
            const same = desktop.rgba[i] === web.rgba[i] && desktop.rgba[i + 1] === web.rgba[i + 1]
                         && desktop.rgba[i + 2] === web.rgba[i + 2];
            diff[i + 3] = 255;
            if (masked[p]) {
                ++maskedCount;
                diff[i] = diff[i + 1] = diff[i + 2] = 200;
                continue;
            }
            if (same) {
                diff[i] = diff[i + 1] = diff[i + 2] = 255;
                continue;
            }
            diff[i] = 255;
            ++total;
            const area = areas.find((a) => x >= a.left && x < a.right && y >= a.top && y < a.bottom);
            const name = area ? area.name : 'surface';
            byArea[name] = (byArea[name] || 0) + 1;
        }
    }
    return {total, byArea, maskedCount, diff: {width, height, rgba: diff}};
}

// The rectangles of the page's controls and texts, by name.
export async function areasOf(page) {
    return page.evaluate(() => [...document.querySelectorAll('#window .label, #window .static, #window .button, #window .list')]
        .filter((el) => !el.closest('[hidden]'))
        .map((el) => {
            const r = el.getBoundingClientRect();
            return {name: el.id, left: Math.round(r.left), top: Math.round(r.top), right: Math.round(r.right),
                    bottom: Math.round(r.bottom)};
        }));
}

export {readPng};
