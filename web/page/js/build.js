// Builds the window's elements from the core's layout table: the controls, the texts, the table
// of records and the graph's description, in reading order.
import {page} from './state.js';
import {place, captioned} from './elements.js';
import {makeButton} from './controls.js';
import {makeList} from './lists.js';

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
    });

    // The two values can be reached and read; they are not announced at every tick.
    for (const name of ['stxKJHyoji', 'stxKSHyoji']) {
        const item = byName.get(name);
        item.el.setAttribute('role', 'status');
        item.el.setAttribute('aria-live', 'off');
        item.el.setAttribute('aria-label', item.entry.accessibleName);
        item.el.tabIndex = 0;
        item.el.setAttribute('aria-description', item.entry.description);
        ordered.push(item);
    }
    for (const name of ['stxKeikaJikan', 'stxKeikaSuiryo', 'stxGraphFlg'])
        ordered.push(byName.get(name));
    byName.get('stxKeikaJikan').el.setAttribute('aria-hidden', 'true');
    byName.get('stxKeikaSuiryo').el.setAttribute('aria-hidden', 'true');

    const table = recordTable();
    root.appendChild(table);

    // The captions beside the lists name the lists, and the one beside the toggle names the
    // toggle: a screen reader hears them there, once.
    for (const name of ['lblJikan', 'lblSuiryo', 'lblSyokiRyo', 'stxGraphFlg'])
        byName.get(name).el.setAttribute('aria-hidden', 'true');

    // In the design's tab order, which is also the reading order; what has no place in it
    // comes after, in the order the window creates it.
    ordered.push({el: table, entry: {tabOrder: byName.get('stxZahyoX').entry.tabOrder}, index: 0});
    ordered.sort((a, b) => rank(a) - rank(b));
    for (const item of items) {
        if (['button', 'colourButton', 'toggle', 'list'].includes(item.entry.kind))
            clipUnderLaterItems(item);
    }
    for (const item of ordered)
        root.appendChild(item.el);
    page.graphText.setAttribute('aria-label', '');
}

// The records: a table with a header cell and ten cells in each of its two rows.
function recordTable() {
    const table = document.createElement('div');
    table.className = 'records';
    table.setAttribute('role', 'table');
    table.setAttribute('aria-label', '記録');
    for (const header of ['stxZahyoX', 'stxZahyoY']) {
        const row = document.createElement('div');
        row.className = 'record-row';
        row.setAttribute('role', 'row');
        const head = page.byName.get(header).el;
        head.setAttribute('role', 'rowheader');
        row.appendChild(head);
        for (let k = 1; k <= 10; ++k) {
            const cell = page.byName.get(header + k).el;
            cell.setAttribute('role', 'cell');
            cell.setAttribute('aria-label', '記録 ' + k);
            row.appendChild(cell);
        }
        table.appendChild(row);
    }
    return table;
}

// A control lies under the items the window creates after it (the toggle's last column is the
// left border of the text beside it); the core paints those, so the control leaves them free.
function clipUnderLaterItems(item) {
    const [x, y, w, h] = item.entry.bounds;
    const holes = [];
    for (const later of page.items.slice(item.index + 1)) {
        if (!['label', 'staticText', 'shape', 'picture'].includes(later.entry.kind))
            continue;
        const [lx, ly, lw, lh] = later.entry.bounds;
        const left = Math.max(x, lx) - x;
        const top = Math.max(y, ly) - y;
        const right = Math.min(x + w, lx + lw) - x;
        const bottom = Math.min(y + h, ly + lh) - y;
        if (right > left && bottom > top)
            holes.push(`M${left} ${top}H${right}V${bottom}H${left}Z`);
    }
    if (holes.length > 0)
        item.el.style.clipPath = `path(evenodd, "M0 0H${w}V${h}H0Z${holes.join('')}")`;
}

function rank(item) {
    return item.entry.tabOrder >= 0 ? item.entry.tabOrder : 1000 + item.index;
}
