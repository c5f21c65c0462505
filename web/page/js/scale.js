// The window's size and scale in the page.
import {page} from './state.js';

// The window grows by whole factors when the page has room for it, so every line stays a
// whole number of pixels; on a screen too small for it, it shrinks to fit rather than being
// cut off, and its surface is then smoothed so no thin line drops out.
export function fit() {
    if (!page.window)
        return;
    const {width, height} = page.window;
    const stage = document.getElementById('stage');
    const win = document.getElementById('window');
    const w = document.documentElement.clientWidth;
    const h = document.documentElement.clientHeight;
    let scale = Math.floor(Math.min(w / width, h / height));
    if (scale < 1)
        scale = Math.max(0.5, Math.min(w / width, h / height, 1));
    win.style.transform = scale === 1 ? '' : 'scale(' + scale + ')';
    stage.style.width = width * scale + 'px';
    stage.style.height = height * scale + 'px';
    const device = scale * (window.devicePixelRatio || 1);
    document.getElementById('surface').classList.toggle('smooth', device < 1);
}
