// The page's two messages: the full tank's modal box, and the notice that the program has ended.
import {page} from './state.js';

// The timer is off already, and the page shows the state that led to the message. A screen reader
// hears it from an alert of one text inside a plain dialog: Chromium tells Orca of an alert dialog
// twice as it opens, and Orca read the whole box each time and once more at its button; of an
// alert of two texts it tells each apart, and Orca read them in either order. The box opens once
// the step that filled the tank is over, so that what that step tells (where the water stopped)
// follows the message in that one text.
export function showMessage(text) {
    const dialog = document.getElementById('message');
    document.getElementById('message-text').textContent = text;
    document.getElementById('message-said').textContent = text;
    document.getElementById('message-announcer').textContent = '';
    // Behind the box the page's own live region comes back when it closes, and would be read again.
    page.announcer.textContent = '';
    if (dialog.open || page.messageOpening)
        return;
    page.messageOpening = true;
    queueMicrotask(() => {
        page.messageOpening = false;
        if (!page.failed)
            dialog.showModal();
    });
}

// What is told as the message opens, said after it.
export function sayWithMessage(text) {
    const said = document.getElementById('message-said');
    said.textContent += ' ' + text;
}

// お　わ　る has asked to quit: the page ends.
export function onQuit() {
    if (!page.ended) {
        page.ended = true;
        document.getElementById('ended').hidden = false;
        document.getElementById('again').focus();
    }
}
