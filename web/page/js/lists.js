// A list showing one row at a time, with the look of the desktop's: a sunken frame, the row,
// and a scroll bar whose arrows move the view (not the selection), as on the desktop. The keys
// and the mouse choose a row through the core.
import {page} from './state.js';
import {readItem, listParts, deviceRect} from './core.js';
import {place, applyFont, css, cssPixels} from './elements.js';
import {setView, pointAtChosenRow} from './show.js';
import {guarded} from './failure.js';

export function makeList(entry, index) {
    const el = document.createElement('div');
    el.className = 'list';
    el.id = entry.name;
    el.tabIndex = 0;
    el.setAttribute('role', 'listbox');
    el.setAttribute('aria-label', entry.accessibleName || entry.name);
    if (entry.description)
        el.setAttribute('aria-description', entry.description);
    place(el, entry.bounds);
    const frame = document.createElement('div');
    frame.className = 'frame';
    const viewport = document.createElement('div');
    viewport.className = 'rows';
    const strip = document.createElement('div');
    strip.className = 'strip';
    applyFont(strip, entry);
    const options = [];
    for (let row = 0; row < entry.listRows; ++row) {
        const option = document.createElement('div');
        option.className = 'option';
        option.id = entry.name + '-' + row;
        option.setAttribute('role', 'option');
        option.setAttribute('aria-selected', 'false');
        const text = document.createElement('span');
        text.textContent = String(entry.firstListValue + row);
        option.appendChild(text);
        option.addEventListener('mousedown', (event) => {
            event.preventDefault();
            el.focus();
            choose(index, row);
        });
        strip.appendChild(option);
        options.push(option);
    }
    viewport.appendChild(strip);
    const bar = document.createElement('div');
    bar.className = 'scrollbar';
    bar.setAttribute('aria-hidden', 'true');
    const up = document.createElement('div');
    up.className = 'arrow up';
    const down = document.createElement('div');
    down.className = 'arrow down';
    for (const arrow of [up, down]) {
        const hit = document.createElement('div');
        hit.className = 'hit';
        arrow.appendChild(hit);
    }
    bar.append(up, down);
    frame.append(viewport, bar);
    el.appendChild(frame);

    const list = {el, frame, bar, up, down, strip, options, view: 0, rows: entry.listRows, rowHeight: 0, typed: '',
                  typedAt: 0};
    placeList(list, entry);
    const scrollBy = (delta) => {
        setView(list, list.view + delta);
    };
    up.addEventListener('mousedown', (event) => {
        event.preventDefault();
        el.focus();
        scrollBy(-1);
    });
    down.addEventListener('mousedown', (event) => {
        event.preventDefault();
        el.focus();
        scrollBy(1);
    });
    el.addEventListener('wheel', (event) => {
        // A sideways wheel or swipe is not the list's to take: the desktop's list hands it to
        // its horizontal bar, which it has none of.
        if (event.deltaY === 0)
            return;
        event.preventDefault();
        scrollBy(event.deltaY > 0 ? 1 : -1);
    }, {passive: false});
    el.addEventListener('keydown', guarded((event) => listKey(list, index, event)));
    el.addEventListener('focus', () => pointAtChosenRow(list, readItem(index).selected));
    el.addEventListener('blur', () => pointAtChosenRow(list, -1));
    return {el, list};
}

// The list's parts where the core paints them at the page's scale: its edge, its scroll bar with
// the arrows at the two ends, and one row inside the edge.
export function placeList(list, entry) {
    const parts = listParts(entry.bounds);
    list.el.style.borderWidth = css(parts.outer);
    list.frame.style.borderWidth = css(parts.inner);
    list.bar.style.flexBasis = css(parts.bar);
    list.up.style.flexBasis = css(parts.up);
    list.down.style.flexBasis = css(parts.down);
    const edge = parts.outer + parts.inner;
    list.rowHeight = cssPixels(deviceRect(entry.bounds)[3] - 2 * edge);
    list.el.style.setProperty('--row-height', list.rowHeight + 'px');
    setView(list, list.view);
}

// A row's number is narrowed to the row's width if it would not fit ("10" in a list 41 pixels
// wide), so that it always shows whole.
export function fitListRows() {
    for (const item of page.items) {
        if (!item.list)
            continue;
        for (const option of item.list.options) {
            const text = option.firstChild;
            text.style.transform = '';
            const room = option.clientWidth - parseFloat(getComputedStyle(option).paddingLeft) - 1;
            const width = text.offsetWidth;
            if (width > room && room > 0)
                text.style.transform = 'scaleX(' + room / width + ')';
        }
    }
}

function listKey(list, index, event) {
    const selected = readItem(index).selected;
    let row = null;
    switch (event.key) {
    case 'ArrowUp':
    case 'ArrowLeft':
        row = Math.max(0, selected - 1);
        break;
    case 'ArrowDown':
    case 'ArrowRight':
        row = Math.min(list.rows - 1, selected + 1);
        break;
    case 'Home':
    case 'PageUp':
        row = 0;
        break;
    case 'End':
    case 'PageDown':
        row = list.rows - 1;
        break;
    default:
        if (event.key.length === 1 && !event.ctrlKey && !event.metaKey && !event.altKey) {
            // Type-ahead: the keys typed within a moment find the first row they begin.
            const now = performance.now();
            list.typed = (now - list.typedAt < 800 ? list.typed : '') + event.key;
            list.typedAt = now;
            const texts = list.options.map((o) => o.textContent);
            let found = texts.findIndex((t) => t.startsWith(list.typed));
            if (found < 0)
                found = texts.findIndex((t) => t.startsWith(event.key));
            if (found >= 0)
                row = found;
        }
    }
    if (row === null)
        return;
    event.preventDefault();
    choose(index, row);
}

const choose = guarded((index, row) => {
    if (page.ended)
        return;
    page.M._ij_choose(index, row);
});
