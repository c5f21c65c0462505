// An element of the window in its place and its font, as the layout table gives them and the
// core maps them to device pixels: CSS pixels are device pixels over the page's ratio, so an edge
// lands on the device pixel where the core paints it.
import {page} from './state.js';
import {deviceRect, deviceLength} from './core.js';

// Device pixels in CSS pixels, and as a CSS length.
export function cssPixels(devicePixels) {
    return devicePixels / page.stage.ratio;
}

export function css(devicePixels) {
    return cssPixels(devicePixels) + 'px';
}

export function place(el, b) {
    const [left, top, width, height] = deviceRect(b);
    el.style.left = css(left);
    el.style.top = css(top);
    el.style.width = css(width);
    el.style.height = css(height);
}

function fontOf(entry) {
    return {
        family: entry.face === 'serif' ? 'var(--serif)' : 'var(--gothic)',
        size: css(deviceLength(entry.pixelHeight)),
        weight: entry.bold ? 'bold' : 'normal',
        style: entry.italic ? 'italic' : 'normal',
    };
}

export function applyFont(el, entry) {
    const f = fontOf(entry);
    el.style.fontFamily = f.family;
    el.style.fontSize = f.size;
    el.style.fontWeight = f.weight;
    el.style.fontStyle = f.style;
}

// An element in its place, in its font and colour, with a span for its caption.
export function captioned(tag, className, entry) {
    const el = document.createElement(tag);
    el.className = className;
    el.id = entry.name;
    place(el, entry.bounds);
    applyFont(el, entry);
    el.style.color = entry.text;
    const caption = document.createElement('span');
    caption.className = 'caption';
    el.appendChild(caption);
    return el;
}
