// What went wrong, told where the learner looks: a banner at the top of the first screen, in
// Japanese and English, naming what to try. Once something has failed the page stops: the clock
// asks for no more frames and nothing more is pressed, so nothing goes on in a broken state.
import {page} from './state.js';

const MESSAGES = {
    // The core could not be loaded: no WebAssembly, or it did not compile or start.
    noWasm: {
        ja: 'このブラウザーでは、このページを動かせません(WebAssembly が使えないか、読み込めませんでした)。'
            + 'Chrome、Edge、Firefox、Safari の新しい版で開いてください。ブラウザーを更新すると動くこともあります。',
        en: 'This browser cannot run this page (WebAssembly is missing or failed to load). '
            + 'Open it in a recent Chrome, Edge, Firefox or Safari, or update this browser.',
    },
    // Something failed while the page ran.
    broken: {
        ja: '問題が起きたので、ページを止めました。ページを開き直してください。続くときは、別のブラウザーで開いてください。',
        en: 'Something went wrong, so the page has stopped. Reload the page; if it happens again, open it in another browser.',
    },
};

export function fail(kind, error) {
    if (page.failed)
        return;
    page.failed = true;
    const banner = document.getElementById('failure');
    const message = MESSAGES[kind] || MESSAGES.broken;
    banner.querySelector('[lang="ja"]').textContent = message.ja;
    banner.querySelector('[lang="en"]').textContent = message.en;
    banner.querySelector('.detail').textContent = error ? String(error.message || error) : '';
    banner.hidden = false;
    const dialog = document.getElementById('message');
    if (dialog.open)
        dialog.close();
    if (page.M) {
        try {
            page.M._ij_hold(1);
        } catch (e) {
            // The core itself has failed: the page's own flag stops the clock.
        }
    }
    if (error)
        console.error(error);
}

// `fn`, run only while nothing has failed, and failing the page if it throws.
export function guarded(fn) {
    return (...args) => {
        if (page.failed)
            return undefined;
        try {
            return fn(...args);
        } catch (error) {
            fail('broken', error);
            return undefined;
        }
    };
}
