// Start: loads the core with its pictures, builds the window from its layout table and hands
// the page to the learner (or, with #replay, to a test).
import {page, replayMode} from './state.js';
import {withString, withBytes, fromBase64, readLayout, readWindow} from './core.js';
import {refresh, onShow} from './show.js';
import {showMessage, onQuit, announce} from './message.js';
import {fitListRows} from './lists.js';
import {build} from './build.js';
import {startClock, onTimer} from './clock.js';
import {fitStage, watchSize} from './scale.js';
import {startCopying, onClipboard} from './copy.js';
import {replay} from './hook.js';
import {fail, guarded} from './failure.js';

const ART = ['faucet', 'scale-vertical', 'scale-horizontal'];

// The decimal separator of the user's language, as the desktop takes its locale's.
function decimalSeparator() {
    try {
        const part = new Intl.NumberFormat(navigator.language).formatToParts(1.5).find((p) => p.type === 'decimal');
        return part ? part.value : '.';
    } catch (e) {
        return '.';
    }
}

// The window's faces as the core lays them out, for the styles; its size on the page is the
// core's fit to the viewport.
function useWindow(layout) {
    page.window = layout;
    const style = document.documentElement.style;
    style.setProperty('--gothic', layout.gothic);
    style.setProperty('--serif', layout.serif);
    fitStage();
}

function start(module) {
    page.M = module;
    const M = module;
    withString(decimalSeparator(), (at) => M._ij_start(at));
    M.onMessage = showMessage;
    M.onShow = onShow;
    M.onTimer = onTimer;
    M.onAnnounce = announce;
    M.onQuit = onQuit;
    M.onClipboard = onClipboard;
    M.onReplayClick = (index) => {
        const item = page.items[index];
        if (item && item.el && item.entry.kind !== 'toggle')
            item.el.focus();
    };
    ART.forEach((name, art) => {
        const bytes = fromBase64(PICTURES[name]);
        withBytes(bytes, (at, length) => M._ij_set_picture(art, at, length));
    });
    useWindow(readWindow());
    const root = document.getElementById('window');
    // Desynchronized: Chromium then shows what is drawn without copying the whole canvas for the
    // compositor at every frame, which was a large part of a running lesson's cost; the lesson's
    // canvas changes only a strip or two a frame, so a frame shown half drawn would differ from the
    // next by a row of water. Engines without the mode take it as a hint and ignore it.
    page.context = document.getElementById('surface').getContext('2d', {alpha: false, desynchronized: true});
    page.announcer = document.getElementById('announcer');
    build(root, readLayout());
    if (replayMode)
        M._ij_hold(1);
    M._ij_activate();
    refresh(true);
    page.byName.get('btnMizuDasu').el.focus();
    // The focus ring shows once the keyboard moves the focus, and goes with the next click.
    document.addEventListener('keydown', (event) => {
        if (event.key === 'Tab')
            root.classList.add('keys');
    });
    document.addEventListener('mousedown', () => root.classList.remove('keys'));
    document.getElementById('message-ok').addEventListener('click', () => document.getElementById('message').close());
    document.getElementById('again').addEventListener('click', () => location.reload());
    watchSize();
    startClock();
    startCopying();
    document.fonts.ready.then(fitListRows);
    window.ichijikansu = {replay, ready: true, readyAt: performance.now()};
    document.documentElement.dataset.ready = 'true';
}

// Held for a test: the page says so, since 水を入れる then does nothing by itself.
document.getElementById('held').hidden = !replayMode;
window.addEventListener('error', (event) => fail('broken', event.error || event.message));
window.addEventListener('unhandledrejection', (event) => fail('broken', event.reason));
if (typeof WebAssembly !== 'object' || typeof createIchijikansu !== 'function') {
    fail('noWasm', new Error(typeof WebAssembly !== 'object' ? 'no WebAssembly' : 'the core\'s script did not load'));
} else {
    createIchijikansu({wasmBinary: fromBase64(WASM)}).then(guarded(start), (error) => fail('noWasm', error));
}
