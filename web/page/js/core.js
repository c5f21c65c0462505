// The bridge to the core's exports: strings and bytes into its memory, and its state read out of
// it. Nothing here touches the page's elements.
import {page} from './state.js';

export function withString(text, use) {
    const M = page.M;
    const length = M.lengthBytesUTF8(text);
    const at = M._malloc(length + 1);
    M.stringToUTF8(text, at, length + 1);
    try {
        return use(at, length);
    } finally {
        M._free(at);
    }
}

export function withBytes(bytes, use) {
    const M = page.M;
    const at = M._malloc(bytes.length);
    M.HEAPU8.set(bytes, at);
    try {
        return use(at, bytes.length);
    } finally {
        M._free(at);
    }
}

export function fromBase64(text) {
    const raw = atob(text);
    const bytes = new Uint8Array(raw.length);
    for (let i = 0; i < raw.length; ++i)
        bytes[i] = raw.charCodeAt(i);
    return bytes;
}

// What the core's window holds for one item, by its row in the layout table, under the names the
// core gives its values (left, top, width, height, visible, selected, pressed, colour, on).
export function readItem(index) {
    const M = page.M;
    if (page.itemFields.length === 0)
        page.itemFields = JSON.parse(M.UTF8ToString(M._ij_item_fields()));
    const at = M._ij_item(index) >> 2;
    const item = {};
    page.itemFields.forEach((name, i) => {
        item[name] = M.HEAP32[at + i];
    });
    item.visible = item.visible === 1;
    item.pressed = item.pressed === 1;
    item.on = item.on === 1;
    return item;
}

export function readCaption(index) {
    return page.M.UTF8ToString(page.M._ij_caption(index));
}

// The graph in words, as the desktop tells a screen reader.
export function readGraphDescription() {
    return page.M.UTF8ToString(page.M._ij_graph_description());
}

// Four ints the core handed out: a rectangle, left, top, width, height.
function rectAt(at) {
    const i = at >> 2;
    return [...page.M.HEAP32.subarray(i, i + 4)];
}

// Fits the lesson to a space of device pixels, its corner on a multiple of `align` device pixels,
// and makes the core's canvas for it, up to the next multiple: where it stands, its size and the
// canvas's, [left, top, width, height, canvas width, canvas height].
export function fitLesson(width, height, align) {
    const i = page.M._ij_fit(width, height, align) >> 2;
    return [...page.M.HEAP32.subarray(i, i + 6)];
}

// A layout rectangle on the lesson's canvas, in device pixels.
export function deviceRect([left, top, width, height]) {
    return rectAt(page.M._ij_map(left, top, width, height));
}

// A pen's, a border's or a text's height in device pixels.
export function deviceLength(layoutPixels) {
    return page.M._ij_length(layoutPixels);
}

// A list's parts in device pixels: {outer, inner} edge widths, the scroll bar's width, the arrows'
// heights.
export function listParts([left, top, width, height]) {
    const i = page.M._ij_list_parts(left, top, width, height) >> 2;
    const [outer, inner, bar, up, down] = page.M.HEAP32.subarray(i, i + 5);
    return {outer, inner, bar, up, down};
}

// Repaints the lesson's canvas over a layout rectangle; the canvas's rectangle painted.
export function paintArea([left, top, width, height]) {
    return rectAt(page.M._ij_paint(left, top, width, height));
}

export function readWindow() {
    return JSON.parse(page.M.UTF8ToString(page.M._ij_window()));
}

export function readLayout() {
    return JSON.parse(page.M.UTF8ToString(page.M._ij_layout()));
}
