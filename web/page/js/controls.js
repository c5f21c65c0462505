// The buttons: a press goes to the core, which runs the button's handler.
import {page} from './state.js';
import {captioned} from './elements.js';
import {guarded} from './failure.js';

export function makeButton(entry, index) {
    const el = captioned('button', 'button', entry);
    el.type = 'button';
    if (entry.accessibleName)
        el.setAttribute('aria-label', entry.accessibleName);
    if (entry.description)
        el.setAttribute('aria-description', entry.description);
    if (entry.kind === 'toggle') {
        el.classList.add('toggle');
        el.setAttribute('aria-pressed', 'false');
    } else if (entry.role === 'switch') {
        el.setAttribute('role', 'switch');
        el.setAttribute('aria-checked', 'false');
    }
    // A press is handled on click, which keyboard activation (Enter, Space) also raises.
    el.addEventListener('click', () => press(index));
    // The toggle never takes the focus from a click, as on the desktop; Tab still reaches it.
    if (entry.kind === 'toggle')
        el.addEventListener('mousedown', (event) => event.preventDefault());
    return el;
}

const press = guarded((index) => {
    if (page.ended)
        return;
    page.M._ij_press(index);
});
