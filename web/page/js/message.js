// The page's two messages, the full tank's modal box and the notice that the program has ended,
// and the words the core announces, which the box must carry while it is open.
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

// While the message is open everything outside it is inert, and a live region there would be
// silent: the message has one of its own. What is told as the message opens is said with it.
export function announce(text) {
    if (page.messageOpening) {
        document.getElementById('message-said').textContent += ' ' + text;
        return;
    }
    const inside = document.getElementById('message-announcer');
    const region = document.getElementById('message').open ? inside : page.announcer;
    // Only one region holds words: the other would say them again once the message closes.
    (region === inside ? page.announcer : inside).textContent = '';
    region.textContent = text;
}

// お　わ　る has asked to quit: the page ends.
export function onQuit() {
    if (!page.ended) {
        page.ended = true;
        document.getElementById('ended').hidden = false;
        document.getElementById('again').focus();
    }
}
