// The core's clock, prompted by the browser's frames while its timer ticks: each frame runs the
// ticks due since the last. With the timer off the page asks for no frames at all.
import {page, replayMode} from './state.js';

function frame() {
    if (!page.ticking)
        return;
    requestAnimationFrame(frame);
    page.M._ij_prompt();
}

// The core's timer started or stopped ticking.
export function onTimer(ticking) {
    const wasTicking = page.ticking;
    page.ticking = ticking;
    if (ticking && !wasTicking && !replayMode)
        requestAnimationFrame(frame);
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
}
