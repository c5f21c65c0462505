// The test hook: window.ichijikansu.replay(script) on the live page.
import {page, replayMode} from './state.js';
import {withString} from './core.js';
import {refresh} from './show.js';
import {fail} from './failure.js';

// Runs a replay script on the live page, line by line, showing each line's outcome as a user's
// action would; resolves to the lines printed (an error line last, if any). With {fresh: true}
// the script runs on a new program, as on a page just loaded: one load serves many scenarios.
export function replay(script, {fresh = false} = {}) {
    if (page.failed)
        return Promise.reject(new Error('the page has stopped after a failure'));
    try {
        if (fresh)
            renew();
        return Promise.resolve(run(script));
    } catch (error) {
        fail('broken', error);
        return Promise.reject(error);
    }
}

function renew() {
    page.M._ij_renew();
    page.ticking = false;
    page.ended = false;
    document.getElementById('ended').hidden = true;
    const dialog = document.getElementById('message');
    if (dialog.open)
        dialog.close();
    if (replayMode)
        page.M._ij_hold(1);
    refresh(true);
}

function run(script) {
    const M = page.M;
    M._ij_replay_begin();
    const printed = [];
    const lines = String(script).split('\n');
    for (const line of lines) {
        const goesOn = withString(line, (at, length) => M._ij_replay_line(at, length));
        for (const text of [M.UTF8ToString(M._ij_replay_out()), M.UTF8ToString(M._ij_replay_err())]) {
            for (const printedLine of text.split('\n')) {
                if (printedLine !== '')
                    printed.push(printedLine);
            }
        }
        refresh(false);
        if (!goesOn)
            break;
    }
    return printed;
}
