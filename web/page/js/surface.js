// The lesson's pixels on the page: the core's canvas shown in tiles of canvas elements, each
// pixel of them a device pixel. A browser copies a whole canvas to the screen each frame it
// changes, so a repaint of a few small areas should change a few small canvases, not one of the
// lesson's whole size: at 1920 by 1080 that copy alone made the page busier than it was at 1024
// by 768.
import {page} from './state.js';
import {css} from './elements.js';

const TILE = 256; // device pixels a side, about

// Tiles over a lesson of width by height device pixels, in place of any before.
export function makeSurface(width, height) {
    const surface = document.getElementById('surface');
    surface.replaceChildren();
    surface.style.width = css(width);
    surface.style.height = css(height);
    page.tiles = [];
    // Each tile starts on a whole CSS pixel, as the lesson does: one that starts within a device
    // pixel is drawn a pixel off, or its edge blended.
    const {align} = page.stage;
    const step = align * Math.max(1, Math.round(TILE / align));
    for (let top = 0; top < height; top += step) {
        for (let left = 0; left < width; left += step) {
            const tile = document.createElement('canvas');
            tile.width = Math.min(step, width - left);
            tile.height = Math.min(step, height - top);
            tile.style.left = css(left);
            tile.style.top = css(top);
            tile.style.width = css(tile.width);
            tile.style.height = css(tile.height);
            surface.appendChild(tile);
            page.tiles.push({left, top, width: tile.width, height: tile.height, context: tile.getContext('2d', {alpha: false})});
        }
    }
}

// Copies an area of the core's canvas (an ImageData of the lesson's size) onto the tiles it meets.
export function putArea(image, left, top, width, height) {
    for (const tile of page.tiles) {
        const l = Math.max(left, tile.left);
        const t = Math.max(top, tile.top);
        const r = Math.min(left + width, tile.left + tile.width);
        const b = Math.min(top + height, tile.top + tile.height);
        if (l < r && t < b)
            tile.context.putImageData(image, -tile.left, -tile.top, l, t, r - l, b - t);
    }
}
