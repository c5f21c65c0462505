// The page's two messages: the full tank's modal box, and the notice that the program has ended.
import {page} from './state.js';
import {refresh} from './show.js';

export function showMessage(text) {
    // The timer is off already; the box opens over the state that led to it.
    refresh(true);
    const dialog = document.getElementById('message');
    document.getElementById('message-text').textContent = text;
    if (!dialog.open)
        dialog.showModal();
}

// After a press or a replayed line: once お　わ　る has asked to quit, the page ends.
export function endIfQuit() {
    if (page.M._ij_quit_requested() && !page.ended) {
        page.ended = true;
        document.getElementById('ended').hidden = false;
        document.getElementById('again').focus();
    }
}
