// Shows the core's state in the page: each item's element, the surface's pixels, the graph's
// description, and what the core announces.
import {page} from './state.js';
import {readItem, readCaption, readGraphDescription} from './core.js';
import {place} from './elements.js';

function hex(rgb) {
    return '#' + (rgb >>> 0).toString(16).padStart(6, '0');
}

// A list shows one row: the strip of rows moves so that `row` is the one in view.
export function setView(list, row) {
    list.view = Math.max(0, Math.min(list.rows - 1, row));
    list.strip.style.transform = 'translateY(' + (-list.view * list.rowHeight) + 'px)';
}

function showItem(item) {
    const e = item.entry;
    if (!item.el)
        return;
    const s = readItem(item.index);
    const last = item.last;
    if (last.visible !== s.visible) {
        item.el.hidden = !s.visible;
        last.visible = s.visible;
    }
    if (last.left !== s.left || last.top !== s.top || last.width !== s.width || last.height !== s.height) {
        if (!e.sizedToText)
            place(item.el, [s.left, s.top, s.width, s.height]);
        Object.assign(last, {left: s.left, top: s.top, width: s.width, height: s.height});
    }
    if (item.list) {
        if (last.selected !== s.selected) {
            item.list.options.forEach((o, row) => o.setAttribute('aria-selected', row === s.selected ? 'true' : 'false'));
            if (s.selected >= 0) {
                item.el.setAttribute('aria-activedescendant', item.list.options[s.selected].id);
                setView(item.list, s.selected);
            } else {
                item.el.removeAttribute('aria-activedescendant');
            }
            last.selected = s.selected;
        }
        return;
    }
    const caption = readCaption(item.index);
    if (last.caption !== caption) {
        item.el.firstChild.textContent = caption;
        last.caption = caption;
    }
    if (e.kind === 'toggle' && last.pressed !== s.pressed) {
        item.el.setAttribute('aria-pressed', s.pressed ? 'true' : 'false');
        item.el.classList.toggle('down', s.pressed);
        last.pressed = s.pressed;
    }
    if (e.role === 'switch' && e.kind !== 'toggle' && last.on !== s.on) {
        item.el.setAttribute('aria-checked', s.on ? 'true' : 'false');
        last.on = s.on;
    }
    if (e.kind === 'colourButton' && last.colour !== s.colour) {
        item.el.style.color = hex(s.colour);
        last.colour = s.colour;
    }
}

function paint() {
    const M = page.M;
    const {width, height} = page.window;
    const at = M._ij_paint(0, 0, width, height);
    const pixels = new Uint8ClampedArray(M.HEAPU8.buffer, at, width * height * 4);
    page.context.putImageData(new ImageData(pixels, width, height), 0, 0);
}

export function announce(text) {
    page.announcer.textContent = text;
}

// Brings the page up to the core's state. `acted`: the user (or a replay) did something, so
// the surface is repainted even when no item changed (the graph reads the state).
export function refresh(acted) {
    const changes = page.M._ij_changes();
    if (!acted && changes === page.lastChanges)
        return;
    page.lastChanges = changes;
    for (const item of page.items)
        showItem(item);
    paint();
    const description = 'グラフ。' + readGraphDescription();
    if (page.graphText.getAttribute('aria-label') !== description)
        page.graphText.setAttribute('aria-label', description);
}

// The core has changed something and asks for it to be shown; `acted` unless it was only a batch of
// ticks, which may have changed nothing the page shows.
export function onShow(acted) {
    refresh(acted);
}
