// The core's clock, driven by the browser's frames: each frame runs the ticks due since the last.
import {page, replayMode} from './state.js';
import {refresh} from './show.js';

function frame() {
    requestAnimationFrame(frame);
    if (page.M._ij_run_due() > 0)
        refresh(false);
}

// A hidden tab gets no frames. The run holds while it is hidden and goes on from where it
// stood when the tab returns, as if the learner had pressed stop and start: nothing happens
// unseen, and the tank is not found full (or the records taken) behind the learner's back.
function onVisibility() {
    if (replayMode)
        return;
    page.M._ij_hold(document.visibilityState === 'hidden' ? 1 : 0);
}

export function startClock() {
    document.addEventListener('visibilitychange', onVisibility);
    onVisibility();
    requestAnimationFrame(frame);
}
