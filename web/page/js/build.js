// Builds the window's elements from the core's layout table: the controls, the texts, the table
// of records and the graph's description, in reading order.
import {page} from './state.js';
import {deviceRect} from './core.js';
import {place, captioned, applyFont, cssPixels} from './elements.js';
import {makeButton} from './controls.js';
import {makeList, placeList} from './lists.js';

function textBox(entry, className) {
    return captioned('div', className + ' align-' + entry.align + ' border-' + entry.border, entry);
}

export function build(root, layout) {
    const {items, byName} = page;
    const ordered = []; // every element of the window, put in reading order below
    layout.forEach((entry, index) => {
        const item = {entry, index, el: null, list: null, last: {}};
        items.push(item);
        byName.set(entry.name, item);
        switch (entry.kind) {
        case 'button':
        case 'colourButton':
        case 'toggle':
            item.el = makeButton(entry, index);
            ordered.push(item);
            break;
        case 'list': {
            const made = makeList(entry, index);
            item.el = made.el;
            item.list = made.list;
            ordered.push(item);
            break;
        }
        case 'label':
            item.el = textBox(entry, 'label');
            if (entry.sizedToText)
                item.el.classList.add('sized');
            ordered.push(item);
            break;
        case 'staticText':
            item.el = textBox(entry, 'static');
            if (entry.role !== 'recordCell' && entry.role !== 'rowHeader')
                ordered.push(item);
            break;
        case 'paintArea':
            page.graphText = document.createElement('div');
            page.graphText.className = 'graph';
            page.graphText.id = entry.name;
            page.graphText.setAttribute('role', 'img');
            place(page.graphText, entry.bounds);
            ordered.push({el: page.graphText, entry, index});
            break;
        default:
            break;
        }
        if (item.el)
            describe(item);
    });

    const table = recordTable();
    root.appendChild(table);

    // In the window's tab order, which is also the reading order; what has no place in it comes
    // after, in the order the window creates it. The table reads where its first header stands.
    const firstHeader = items.find((item) => item.entry.role === 'rowHeader');
    ordered.push({el: table, entry: {tabOrder: firstHeader.entry.tabOrder}, index: 0});
    ordered.sort((a, b) => rank(a) - rank(b));
    for (const item of items) {
        if (CONTROLS.includes(item.entry.kind))
            clipUnderLaterItems(item);
    }
    for (const item of ordered)
        root.appendChild(item.el);
    page.graphText.setAttribute('aria-label', '');
}

// What an item is to a screen reader, by its role in the layout.
function describe(item) {
    const {el, entry} = item;
    switch (entry.role) {
    case 'value':
        // The two numbers can be reached and read, as read-only text: a screen reader says the
        // number with the name. They are not announced at every tick.
        el.setAttribute('role', 'textbox');
        el.setAttribute('aria-readonly', 'true');
        el.setAttribute('aria-label', entry.accessibleName);
        el.setAttribute('aria-description', entry.description);
        el.tabIndex = 0;
        break;
    case 'mark':
        el.setAttribute('aria-description', entry.description);
        break;
    case 'decoration':
        // A caption beside a list or the toggle names it; a screen reader hears it there, once.
        el.setAttribute('aria-hidden', 'true');
        break;
    default:
        break;
    }
}

// The records: a table with a header cell and ten cells in each of its two rows, from the items
// whose roles are row headers and record cells.
function recordTable() {
    const table = document.createElement('div');
    table.className = 'records';
    table.setAttribute('role', 'table');
    table.setAttribute('aria-label', '記録');
    table.appendChild(columnHeaders());
    for (const header of page.items.filter((item) => item.entry.role === 'rowHeader')) {
        const row = document.createElement('div');
        row.className = 'record-row';
        row.setAttribute('role', 'row');
        header.el.setAttribute('role', 'rowheader');
        row.appendChild(header.el);
        const cells = page.items.filter((item) => item.entry.role === 'recordCell' && item.entry.row === header.entry.row);
        cells.sort((a, b) => a.entry.k - b.entry.k);
        for (const cell of cells) {
            cell.el.setAttribute('role', 'cell');
            row.appendChild(cell.el);
        }
        table.appendChild(row);
    }
    return table;
}

// The record numbers over the columns, for a screen reader only: the window shows none.
function columnHeaders() {
    const row = document.createElement('div');
    row.className = 'offscreen';
    row.setAttribute('role', 'row');
    const corner = document.createElement('span');
    corner.setAttribute('role', 'columnheader');
    row.appendChild(corner);
    const columns = page.items.filter((item) => item.entry.role === 'recordCell').map((item) => item.entry.k);
    for (const k of [...new Set(columns)].sort((a, b) => a - b)) {
        const header = document.createElement('span');
        header.setAttribute('role', 'columnheader');
        header.textContent = String(k);
        row.appendChild(header);
    }
    return row;
}

// A control lies under the items the window creates after it (the toggle's last column is the
// left border of the text beside it); the core paints those, so the control leaves them free.
// The holes are cut where the core paints them, in CSS pixels from the control's corner.
function clipUnderLaterItems(item) {
    const [x, y, w, h] = deviceRect(item.entry.bounds);
    const c = cssPixels;
    const holes = [];
    for (const later of page.items.slice(item.index + 1)) {
        if (!['label', 'staticText', 'shape', 'picture'].includes(later.entry.kind))
            continue;
        const [lx, ly, lw, lh] = deviceRect(later.entry.bounds);
        const left = Math.max(x, lx) - x;
        const top = Math.max(y, ly) - y;
        const right = Math.min(x + w, lx + lw) - x;
        const bottom = Math.min(y + h, ly + lh) - y;
        if (right > left && bottom > top)
            holes.push(`M${c(left)} ${c(top)}H${c(right)}V${c(bottom)}H${c(left)}Z`);
    }
    if (holes.length > 0)
        item.el.style.clipPath = `path(evenodd, "M0 0H${c(w)}V${c(h)}H0Z${holes.join('')}")`;
}

const CONTROLS = ['button', 'colourButton', 'toggle', 'list'];

// Every element again where the core puts it at the page's scale, as after the page was resized:
// its place, its font, a list's parts and a control's holes. An item that moves stands where the
// core last had it; a label sized to its text keeps its place, as it always does.
export function placeAll() {
    for (const item of page.items) {
        if (!item.el)
            continue;
        const {entry, last} = item;
        const moved = last.visible !== undefined && !entry.sizedToText;
        place(item.el, moved ? [last.left, last.top, last.width, last.height] : entry.bounds);
        if (item.list) {
            applyFont(item.list.strip, entry);
            placeList(item.list, entry);
        } else {
            applyFont(item.el, entry);
        }
        if (CONTROLS.includes(entry.kind))
            clipUnderLaterItems(item);
    }
    place(page.graphText, page.items.find((item) => item.entry.kind === 'paintArea').entry.bounds);
}

function rank(item) {
    return item.entry.tabOrder >= 0 ? item.entry.tabOrder : 1000 + item.index;
}
