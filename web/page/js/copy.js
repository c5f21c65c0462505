// Copying the records: Ctrl+C (⌘C) anywhere in the page, or a selection within the record table,
// gives the table as the desktop copies it, as text for a spreadsheet and as an HTML table. A
// selection elsewhere is the browser's to copy.
import {page} from './state.js';
import {guarded} from './failure.js';

let target = null; // the clipboard of the copy event under way

// The core hands its copy of the records to the copy event that asked for it.
export function onClipboard(text, html) {
    if (!target)
        return;
    target.setData('text/plain', text);
    target.setData('text/html', html);
}

function onCopy(event) {
    const selection = document.getSelection();
    const table = document.querySelector('.records');
    const selected = selection !== null && !selection.isCollapsed;
    if (selected && !(table.contains(selection.anchorNode) || table.contains(selection.focusNode)))
        return;
    event.preventDefault();
    target = event.clipboardData;
    try {
        page.M._ij_copy();
    } finally {
        target = null;
    }
}

export function startCopying() {
    document.addEventListener('copy', guarded(onCopy));
}
