// Shows the core's state in the page: each item's element, the surface's pixels and the graph's
// description.
import {page} from './state.js';
import {readItem, readCaption, readGraphDescription, paintArea} from './core.js';
import {place} from './elements.js';
import {placeHitAreas} from './touch.js';

function hex(rgb) {
    return '#' + (rgb >>> 0).toString(16).padStart(6, '0');
}

// A list marks its chosen row as selected, and points a screen reader at it, only while it has the
// focus. Orca takes a selection in any list for a move of the focus, and Chromium tells of one
// whenever a row the program chooses (a reset, a resume) changes, and again for every list when a
// message over them closes and they come back: each would be read out as if the learner had moved.
export function pointAtChosenRow(list, row) {
    const focused = row >= 0 && document.activeElement === list.el;
    list.options.forEach((o, r) => o.setAttribute('aria-selected', focused && r === row ? 'true' : 'false'));
    if (focused)
        list.el.setAttribute('aria-activedescendant', list.options[row].id);
    else
        list.el.removeAttribute('aria-activedescendant');
}

// A list shows one row: the strip of rows moves so that `row` is the one in view.
export function setView(list, row) {
    list.view = Math.max(0, Math.min(list.rows - 1, row));
    list.strip.style.transform = 'translateY(' + (-list.view * list.rowHeight) + 'px)';
}

// The surface under an item must be repainted when what the core paints of it changes: where it
// is, whether it shows, a toggle's face, a list's scroll bar. Its caption and colour are the
// element's own.
const PAINTED = ['left', 'top', 'width', 'height', 'visible', 'pressed', 'selected'];

// Brings one item's element up to the core's state, writing only what changed; returns the
// rectangles of the surface to repaint (where it was and where it is).
function showItem(item) {
    const e = item.entry;
    const s = readItem(item.index);
    const last = item.last;
    const moved = PAINTED.some((name) => last[name] !== s[name]);
    const dirty = !moved ? [] : last.visible === undefined ? [boundsOf(s)] : changedAreas(e, last, s);
    if (!item.el) {
        Object.assign(last, s);
        return dirty;
    }
    if (last.visible !== s.visible)
        item.el.hidden = !s.visible;
    if ((last.left !== s.left || last.top !== s.top || last.width !== s.width || last.height !== s.height)
        && !e.sizedToText)
        place(item.el, [s.left, s.top, s.width, s.height]);
    if (item.list) {
        if (last.selected !== s.selected) {
            item.list.options.forEach((o, row) => o.classList.toggle('chosen', row === s.selected));
            if (s.selected >= 0)
                setView(item.list, s.selected);
            pointAtChosenRow(item.list, s.selected);
        }
        Object.assign(last, s);
        return dirty;
    }
    const caption = readCaption(item.index);
    if (last.caption !== caption) {
        item.el.firstChild.textContent = caption;
        last.caption = caption;
        // A cell without its record says so, rather than nothing.
        if (e.role === 'recordCell') {
            if (caption === '')
                item.el.setAttribute('aria-label', page.window.emptyCell);
            else
                item.el.removeAttribute('aria-label');
        }
    }
    if (e.kind === 'toggle' && last.pressed !== s.pressed) {
        item.el.setAttribute('aria-pressed', s.pressed ? 'true' : 'false');
        item.el.classList.toggle('down', s.pressed);
    }
    if (e.role === 'switch' && e.kind !== 'toggle' && last.on !== s.on)
        item.el.setAttribute('aria-checked', s.on ? 'true' : 'false');
    if (e.kind === 'colourButton' && last.colour !== s.colour)
        item.el.style.color = hex(s.colour);
    Object.assign(last, s);
    return dirty;
}

// A shape is filled with one brush: where the old and the new rectangle overlap it looks the same,
// but for its edges (an outline, or the brush's last row and column left out). So only where one
// rectangle has the other not, and a band along each edge, can it change; the water rising by a
// pixel repaints a row and the edges, not the whole water. Anything else: both rectangles.
const EDGE = 2;

function changedAreas(entry, was, now) {
    const a = boundsOf(was);
    const b = boundsOf(now);
    if (entry.kind !== 'shape' || was.visible !== now.visible || was.visible === false)
        return [a, b];
    return [...minus(a, b), ...minus(b, a), ...edges(a, b), ...edges(b, a)];
}

// The bands along the edges of `r` that moved on the way from or to `other`: along an edge that
// stayed, the rectangles' common part looks the same, and what only one of them holds is repainted
// whole. The water rising repaints its top, not its sides from top to bottom.
function edges(r, other) {
    const [x, y, w, h] = r;
    const [ox, oy, ow, oh] = other;
    const bands = [];
    if (y !== oy)
        bands.push([x, y, w, EDGE]);
    if (y + h !== oy + oh)
        bands.push([x, y + h - EDGE, w, EDGE]);
    if (x !== ox)
        bands.push([x, y, EDGE, h]);
    if (x + w !== ox + ow)
        bands.push([x + w - EDGE, y, EDGE, h]);
    return bands;
}

// The parts of rectangle a outside rectangle b: up to four.
function minus(a, b) {
    if (!overlaps(a, b))
        return [a];
    const [ax, ay, aw, ah] = a;
    const [bx, by, bw, bh] = b;
    const out = [];
    const top = Math.max(ay, by);
    const bottom = Math.min(ay + ah, by + bh);
    if (by > ay)
        out.push([ax, ay, aw, by - ay]);
    if (by + bh < ay + ah)
        out.push([ax, by + bh, aw, ay + ah - (by + bh)]);
    if (bx > ax)
        out.push([ax, top, bx - ax, bottom - top]);
    if (bx + bw < ax + aw)
        out.push([bx + bw, top, ax + aw - (bx + bw), bottom - top]);
    return out;
}

function boundsOf(s) {
    return [s.left, s.top, s.width, s.height];
}

function overlaps(a, b) {
    return a[0] < b[0] + b[2] && b[0] < a[0] + a[2] && a[1] < b[1] + b[3] && b[1] < a[1] + a[3];
}

// Each repaint of an area costs the core a pass over the whole window's items and ticks, and the
// browser a copy, whatever the area's size: two areas are joined where the box around them is
// hardly larger than the two (the strips of a shape's top, the bands of a small shape's edges),
// but not where it would take much more (the box around the edges of a large shape is the whole
// shape again). In layout pixels.
const JOIN_SLACK = 256;

const boxOf = (a, b) => {
    const left = Math.min(a[0], b[0]);
    const top = Math.min(a[1], b[1]);
    return [left, top, Math.max(a[0] + a[2], b[0] + b[2]) - left, Math.max(a[1] + a[3], b[1] + b[3]) - top];
};
const areaOf = (r) => r[2] * r[3];

// Within the window, and none that another holds whole; near ones joined. Painting a pixel twice
// gives the same pixel.
function merged(rects) {
    const clipped = [];
    for (const r of rects) {
        const left = Math.max(0, r[0]);
        const top = Math.max(0, r[1]);
        const c = [left, top, Math.min(page.window.width, r[0] + r[2]) - left, Math.min(page.window.height, r[1] + r[3]) - top];
        if (c[2] > 0 && c[3] > 0)
            clipped.push(c);
    }
    let joined = true;
    while (joined) {
        joined = false;
        for (let i = 0; i < clipped.length && !joined; ++i) {
            for (let j = i + 1; j < clipped.length && !joined; ++j) {
                const box = boxOf(clipped[i], clipped[j]);
                if (areaOf(box) <= areaOf(clipped[i]) + areaOf(clipped[j]) + JOIN_SLACK) {
                    clipped[i] = box;
                    clipped.splice(j, 1);
                    joined = true;
                }
            }
        }
    }
    return clipped;
}

// The core repaints each area (layout pixels) into its canvas, which lies in its memory the
// lesson's size in device pixels; only the device pixels painted are copied onto the surface.
function paint(areas) {
    const M = page.M;
    const {width, height} = page.stage;
    for (const area of areas) {
        const [left, top, w, h] = paintArea(area);
        if (w <= 0 || h <= 0)
            continue;
        const at = M._ij_pixels();
        if (!page.image || page.image.data.buffer !== M.HEAPU8.buffer || page.imageAt !== at
            || page.image.width !== width || page.image.height !== height) {
            page.image = new ImageData(new Uint8ClampedArray(M.HEAPU8.buffer, at, width * height * 4), width, height);
            page.imageAt = at;
        }
        page.context.putImageData(page.image, 0, 0, left, top, w, h);
    }
}

// Brings the page up to the core's state: the items that changed, the graph if it did, and its
// description then. `whole`: everything, as at the start.
export function refresh(whole) {
    const M = page.M;
    // The first showing is whole, whoever asks for it (the reset runs before the page's own).
    whole = whole || !page.shown;
    page.shown = true;
    const count = M._ij_take_changes();
    const changed = new Int32Array(M.HEAP32.buffer, M._ij_changed_items(), count).slice();
    const areas = [];
    const items = whole ? page.items : [...changed].map((index) => page.items[index]);
    let controlShownOrHidden = false;
    for (const item of items) {
        const wasVisible = item.last.visible;
        areas.push(...showItem(item));
        controlShownOrHidden ||= item.el !== null && item.last.visible !== wasVisible
                                 && (item.list !== null || item.el.classList.contains('button'));
    }
    // A list's arrows reach no farther on a touch screen than the controls around them.
    if (controlShownOrHidden)
        placeHitAreas();
    const graphChanged = M._ij_graph_changed() === 1;
    // The tank and the graph are painted from their items' bounds, beyond them (the outline, the
    // scales): if either moved, everything is painted again.
    const frame = ['ShpWaku', 'PaintBox1'].some((name) => changed.includes(page.byName.get(name).index));
    if (whole || frame)
        areas.splice(0, areas.length, [0, 0, page.window.width, page.window.height]);
    else if (graphChanged)
        areas.push(boundsOf(page.byName.get('PaintBox1').last));
    paint(merged(areas));
    if (whole || count > 0 || graphChanged) {
        const description = 'グラフ。' + readGraphDescription();
        if (page.graphDescription !== description) {
            page.graphText.setAttribute('aria-label', description);
            page.graphDescription = description;
        }
    }
}

// The core has changed something and asks for it to be shown.
export function onShow() {
    refresh(false);
}
