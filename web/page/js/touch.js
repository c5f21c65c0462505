// On a touch screen a finger needs more than the lists' arrows' few pixels: each arrow takes taps
// over a hit area of at least 44 by 44 CSS pixels where there is room, reaching outwards from
// the arrow (up or down, and to the right, away from the row) and stopping at anything else that
// takes taps. The area is transparent: nothing drawn moves. Styles show it on a coarse pointer
// only.
import {page} from './state.js';

const REACH = 44; // CSS pixels

// The boxes of the window's controls that take taps, but for the list's own.
function obstacles(list) {
    const boxes = [];
    for (const el of document.querySelectorAll('#window .button, #window .list, #window [tabindex="0"]')) {
        if (el !== list.el && !el.closest('[hidden]'))
            boxes.push(el.getBoundingClientRect());
    }
    return boxes;
}

const overlaps = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
const area = (r) => Math.max(0, r.right - r.left) * Math.max(0, r.bottom - r.top);

// The hit area of an arrow, in CSS pixels of the viewport: grown from the arrow's box up (or down)
// and to the right; an obstacle level with the arrow stops the reach to the right, any other stops
// whichever reach keeps the larger area.
function hitArea(arrow, up, boxes) {
    const a = arrow;
    const hit = {left: a.left, right: Math.max(a.right, a.left + REACH),
                 top: up ? Math.min(a.top, a.bottom - REACH) : a.top,
                 bottom: up ? a.bottom : Math.max(a.bottom, a.top + REACH)};
    for (const o of boxes) {
        if (!overlaps(hit, o))
            continue;
        const narrower = {...hit, right: Math.max(a.right, o.left)};
        const level = o.top < a.bottom && a.top < o.bottom;
        const shorter = up ? {...hit, top: Math.min(a.top, o.bottom)} : {...hit, bottom: Math.max(a.bottom, o.top)};
        Object.assign(hit, level || area(narrower) >= area(shorter) ? narrower : shorter);
    }
    return hit;
}

// Every list's two hit areas, after the page has placed its elements or shown or hidden one.
export function placeHitAreas() {
    for (const item of page.items) {
        if (!item.list)
            continue;
        const boxes = obstacles(item.list);
        for (const [arrow, up] of [[item.list.up, true], [item.list.down, false]]) {
            const box = arrow.getBoundingClientRect();
            const hit = hitArea(box, up, boxes);
            const el = arrow.firstChild;
            el.style.left = hit.left - box.left + 'px';
            el.style.top = hit.top - box.top + 'px';
            el.style.width = hit.right - hit.left + 'px';
            el.style.height = hit.bottom - hit.top + 'px';
        }
    }
}
