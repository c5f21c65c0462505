// The page's two messages: the full tank's modal box, and the notice that the program has ended.
import {page} from './state.js';

// The timer is off already, and the page shows the state that led to the message.
export function showMessage(text) {
    const dialog = document.getElementById('message');
    document.getElementById('message-text').textContent = text;
    if (!dialog.open)
        dialog.showModal();
}

// お　わ　る has asked to quit: the page ends.
export function onQuit() {
    if (!page.ended) {
        page.ended = true;
        document.getElementById('ended').hidden = false;
        document.getElementById('again').focus();
    }
}
