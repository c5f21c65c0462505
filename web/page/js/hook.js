// The test hook: window.ichijikansu.replay(script) on the live page.
import {page} from './state.js';
import {withString} from './core.js';
import {refresh} from './show.js';
import {fail} from './failure.js';

// Runs a replay script on the live page, line by line, showing each line's outcome as a user's
// action would; resolves to the lines printed (an error line last, if any).
export function replay(script) {
    if (page.failed)
        return Promise.reject(new Error('the page has stopped after a failure'));
    try {
        return Promise.resolve(run(script));
    } catch (error) {
        fail('broken', error);
        return Promise.reject(error);
    }
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
