// Shows the core's state in the page: each item's element, the surface's pixels, the graph's
// description, and what the core announces.
import {CLIENT_WIDTH, CLIENT_HEIGHT, page} from './state.js';
import {readItem, readCaption, readGraphDescription} from './core.js';
import {place} from './elements.js';

function hex(rgb) {
    return '#' + (rgb >>> 0).toString(16).padStart(6, '0');
}

// A list shows one row: the strip of rows moves so that `row` is the one in view.
export function setView(list, row) {
    list.view = Math.max(0, Math.min(list.rows - 1, row));
    list.strip.style.transform = 'translateY(' + (-list.view * 21) + 'px)';
}

// The surface under an item must be repainted when what the core paints of it changes: where it
// is, whether it shows, a toggle's face, a list's scroll bar. Its caption and colour are the
// element's own.
const PAINTED = ['left', 'top', 'width', 'height', 'visible', 'pressed', 'selected'];

// Brings one item's element up to the core's state, writing only what changed; returns the
// rectangle of the surface to repaint (old and new bounds together), or null.
function showItem(item) {
    const e = item.entry;
    const s = readItem(item.index);
    const last = item.last;
    const moved = PAINTED.some((name) => last[name] !== s[name]);
    const dirty = moved && last.visible !== undefined ? union(boundsOf(last), boundsOf(s)) : moved ? boundsOf(s) : null;
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
            item.list.options.forEach((o, row) => o.setAttribute('aria-selected', row === s.selected ? 'true' : 'false'));
            if (s.selected >= 0) {
                item.el.setAttribute('aria-activedescendant', item.list.options[s.selected].id);
                setView(item.list, s.selected);
            } else {
                item.el.removeAttribute('aria-activedescendant');
            }
        }
        Object.assign(last, s);
        return dirty;
    }
    const caption = readCaption(item.index);
    if (last.caption !== caption) {
        item.el.firstChild.textContent = caption;
        last.caption = caption;
    }
    if (e.kind === 'toggle' && last.pressed !== s.pressed) {
        item.el.setAttribute('aria-pressed', s.pressed ? 'true' : 'false');
        item.el.classList.toggle('down', s.pressed);
    }
    if (e.kind === 'colourButton' && last.colour !== s.colour)
        item.el.style.color = hex(s.colour);
    Object.assign(last, s);
    return dirty;
}

function boundsOf(s) {
    return [s.left, s.top, s.width, s.height];
}

function union(a, b) {
    const left = Math.min(a[0], b[0]);
    const top = Math.min(a[1], b[1]);
    return [left, top, Math.max(a[0] + a[2], b[0] + b[2]) - left, Math.max(a[1] + a[3], b[1] + b[3]) - top];
}

function overlaps(a, b) {
    return a[0] < b[0] + b[2] && b[0] < a[0] + a[2] && a[1] < b[1] + b[3] && b[1] < a[1] + a[3];
}

// Within the window, and overlapping rectangles made one, so no pixel is painted twice.
function merged(rects) {
    const out = [];
    for (let r of rects) {
        const left = Math.max(0, r[0]);
        const top = Math.max(0, r[1]);
        r = [left, top, Math.min(CLIENT_WIDTH, r[0] + r[2]) - left, Math.min(CLIENT_HEIGHT, r[1] + r[3]) - top];
        if (r[2] <= 0 || r[3] <= 0)
            continue;
        for (let i = out.length - 1; i >= 0; --i) {
            if (overlaps(out[i], r)) {
                r = union(out[i], r);
                out.splice(i, 1);
                i = out.length;
            }
        }
        out.push(r);
    }
    return out;
}

// The core repaints each area into its canvas, which lies in its memory the size of the window;
// only those areas are copied onto the surface.
function paint(areas) {
    const M = page.M;
    for (const [left, top, width, height] of areas) {
        const at = M._ij_paint(left, top, width, height);
        if (!page.image || page.image.data.buffer !== M.HEAPU8.buffer || page.imageAt !== at) {
            const pixels = new Uint8ClampedArray(M.HEAPU8.buffer, at, CLIENT_WIDTH * CLIENT_HEIGHT * 4);
            page.image = new ImageData(pixels, CLIENT_WIDTH, CLIENT_HEIGHT);
            page.imageAt = at;
        }
        page.context.putImageData(page.image, 0, 0, left, top, width, height);
    }
}

export function announce(text) {
    page.announcer.textContent = text;
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
    for (const item of items) {
        const dirty = showItem(item);
        if (dirty)
            areas.push(dirty);
    }
    const graphChanged = M._ij_graph_changed() === 1;
    // The tank and the graph are painted from their items' bounds, beyond them (the outline, the
    // scales): if either moved, everything is painted again.
    const frame = ['ShpWaku', 'PaintBox1'].some((name) => changed.includes(page.byName.get(name).index));
    if (whole || frame)
        areas.splice(0, areas.length, [0, 0, CLIENT_WIDTH, CLIENT_HEIGHT]);
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
