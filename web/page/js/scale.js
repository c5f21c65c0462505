// The lesson's size on the page: the core fits it to the viewport in device pixels, at any scale,
// and paints it at that scale into a canvas whose every pixel is a device pixel, so its lines are
// as crisp at a ratio of 1.5 as at 1. Every element follows to where the core puts it.
import {page} from './state.js';
import {fitLesson, deviceLength} from './core.js';
import {css} from './elements.js';
import {placeAll} from './build.js';
import {placeHitAreas} from './touch.js';
import {fitListRows} from './lists.js';
import {refresh} from './show.js';
import {guarded} from './failure.js';

// Browser zoom changes the device pixel ratio and the viewport's size in CSS pixels, but not its
// size in device pixels; a window resized or moved to another screen changes that size. A
// zoomed lesson grows with the zoom, past the viewport, which then scrolls, as any page does: the
// lesson filling the window already, zoom would otherwise do nothing for a learner who needs it
// larger. Zooming out leaves it fitting.
const seen = {ratio: 0, width: 0, height: 0, zoom: 1};

function zoomOf(ratio) {
    const width = window.innerWidth * ratio;
    const height = window.innerHeight * ratio;
    // The viewport's CSS size is a whole number, so its device size may move by a pixel or so.
    const same = Math.abs(width - seen.width) <= ratio + 1 && Math.abs(height - seen.height) <= ratio + 1;
    if (seen.ratio !== 0 && ratio !== seen.ratio && same)
        seen.zoom *= ratio / seen.ratio;
    Object.assign(seen, {ratio, width, height});
    return Math.max(1, seen.zoom);
}

// The fewest device pixels that make a whole number of CSS pixels at this ratio (3 at 1.5, 21 at
// 2.625), or 1 where none up to 64 do. A canvas placed there starts on a device pixel.
function wholeCssPixel(ratio) {
    for (let n = 1; n <= 64; ++n) {
        if (Math.abs(n / ratio - Math.round(n / ratio)) < 1e-6)
            return n;
    }
    return 1;
}

// The lengths the page's styles take from the layout, as CSS lengths at the lesson's scale: the
// borders and insets of the controls, the message's and the end's boxes and fonts.
const LENGTHS = [1, 2, 3, 12, 16, 19, 20, 24, 33, 88, 280];

// Where the lesson stands, the canvas's size and the styles' lengths, without the elements: the
// page's elements are built at this scale.
export function fitStage() {
    const ratio = window.devicePixelRatio || 1;
    const zoom = zoomOf(ratio);
    const root = document.documentElement;
    const align = wholeCssPixel(ratio);
    const [left, top, lessonWidth, lessonHeight, width, height] =
        fitLesson(Math.floor(root.clientWidth * ratio * zoom), Math.floor(root.clientHeight * ratio * zoom), align);
    page.stage = {left, top, width, height, ratio};
    const stage = document.getElementById('stage');
    stage.style.left = css(left);
    stage.style.top = css(top);
    stage.style.width = css(lessonWidth);
    stage.style.height = css(lessonHeight);
    const surface = document.getElementById('surface');
    // Sizing a canvas clears it, even to the size it has.
    if (surface.width !== width || surface.height !== height) {
        surface.width = width;
        surface.height = height;
    }
    surface.style.width = css(width);
    surface.style.height = css(height);
    for (const length of LENGTHS)
        root.style.setProperty('--l' + length, css(deviceLength(length)));
    // The focus ring is never thinner than two device pixels.
    root.style.setProperty('--ring-width', css(Math.max(2, deviceLength(2))));
}

// After a resize or a change of the ratio (zoom, another screen): everything again, the whole
// lesson repainted.
export function fit() {
    if (!page.shown)
        return;
    fitStage();
    placeAll();
    page.image = null;
    refresh(true);
    fitListRows();
    placeHitAreas();
}

// A zoom changes the size and the ratio, told by two events that may come in either order, the
// second before the first's values have all changed: the page is fitted once, at the next frame,
// when both have.
let fitAsked = false;

function askFit() {
    if (fitAsked)
        return;
    fitAsked = true;
    requestAnimationFrame(guarded(() => {
        fitAsked = false;
        fit();
    }));
}

// The ratio's change is told by a media query on the ratio it was, asked again at each change.
export function watchSize() {
    window.addEventListener('resize', askFit);
    const watchRatio = () => {
        const query = window.matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
        const changed = () => {
            query.removeEventListener('change', changed);
            askFit();
            watchRatio();
        };
        query.addEventListener('change', changed);
    };
    watchRatio();
}
