// The core's clock, prompted by the browser's frames while its timer ticks: each frame runs the
// ticks due since the last. A frame is asked for only once a tick is due, and no sooner than
// FRAME_GAP after the last, since every frame that shows something costs the browser a few
// milliseconds of work whatever it shows; the clock keeps real time regardless, as a prompt runs
// every tick due. Nothing else asks for frames but a resize, so a page at rest does no work at
// all: none with the timer off (the full-tank message stops it first), none in a hidden tab, none
// once the program has ended.
import {page, replayMode} from './state.js';
import {guarded} from './failure.js';

const FRAME_GAP = 1000 / 20; // milliseconds

function moving() {
    return page.ticking && !page.hidden && !page.ended && !page.failed && !replayMode;
}

const frame = guarded(() => {
    page.frameAsked = false;
    if (!moving())
        return;
    page.lastFrame = performance.now();
    page.M._ij_prompt();
    ask();
});

function ask() {
    if (page.frameAsked || !moving())
        return;
    page.frameAsked = true;
    // A frame comes at the display's next refresh after the wait.
    const wait = Math.max(page.interval, FRAME_GAP) - (performance.now() - page.lastFrame) - 8;
    if (wait <= 0) {
        requestAnimationFrame(frame);
        return;
    }
    setTimeout(() => {
        if (moving())
            requestAnimationFrame(frame);
        else
            page.frameAsked = false;
    }, wait);
}

// The core's timer started or stopped ticking, or ticks at a new interval.
export function onTimer(ticking, interval) {
    page.ticking = ticking;
    page.interval = interval;
    ask();
}

// A hidden tab gets no frames. The run holds while it is hidden and goes on from where it
// stood when the tab returns, as if the learner had pressed stop and start: nothing happens
// unseen, and the tank is not found full (or the records taken) behind the learner's back.
function onVisibility() {
    if (replayMode)
        return;
    page.hidden = document.visibilityState === 'hidden';
    page.M._ij_hold(page.hidden ? 1 : 0);
    ask();
}

export function startClock() {
    document.addEventListener('visibilitychange', onVisibility);
    onVisibility();
}
