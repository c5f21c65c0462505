// The page: builds real controls and texts from the core's layout table, shows what the core's
// window holds, paints the window's surface with the core's own pixels, and drives the core's
// clock from the browser's frames. Everything the learner can change goes through the core.
(function () {
    'use strict';

    const CLIENT_WIDTH = 1024;
    const CLIENT_HEIGHT = 768;
    const ART = ['faucet', 'scale-vertical', 'scale-horizontal'];
    // With #replay a test drives the page: no tick comes by itself.
    const replayMode = location.hash === '#replay';

    let M = null;
    let layout = [];
    const items = []; // per layout row: {entry, el, kind, last: {...}}
    const byName = new Map();
    let lastChanges = -1;
    let context = null;
    let graphText = null;
    let announcer = null;
    let wasRunning = false;
    let ended = false;

    // The decimal separator of the user's language, as the desktop takes its locale's.
    function decimalSeparator() {
        try {
            const part = new Intl.NumberFormat(navigator.language).formatToParts(1.5).find((p) => p.type === 'decimal');
            return part ? part.value : '.';
        } catch (e) {
            return '.';
        }
    }

    function withString(text, use) {
        const length = M.lengthBytesUTF8(text);
        const at = M._malloc(length + 1);
        M.stringToUTF8(text, at, length + 1);
        try {
            return use(at, length);
        } finally {
            M._free(at);
        }
    }

    function withBytes(bytes, use) {
        const at = M._malloc(bytes.length);
        M.HEAPU8.set(bytes, at);
        try {
            return use(at, bytes.length);
        } finally {
            M._free(at);
        }
    }

    function fromBase64(text) {
        const raw = atob(text);
        const bytes = new Uint8Array(raw.length);
        for (let i = 0; i < raw.length; ++i)
            bytes[i] = raw.charCodeAt(i);
        return bytes;
    }

    function readItem(index) {
        const at = M._ij_item(index) >> 2;
        const v = M.HEAP32;
        return {left: v[at], top: v[at + 1], width: v[at + 2], height: v[at + 3], visible: v[at + 4] === 1,
                selected: v[at + 5], pressed: v[at + 6] === 1, colour: v[at + 7]};
    }

    function hex(rgb) {
        return '#' + (rgb >>> 0).toString(16).padStart(6, '0');
    }

    function place(el, b) {
        el.style.left = b[0] + 'px';
        el.style.top = b[1] + 'px';
        el.style.width = b[2] + 'px';
        el.style.height = b[3] + 'px';
    }

    function fontOf(entry) {
        return {
            family: entry.face === 'serif' ? 'var(--serif)' : 'var(--gothic)',
            size: entry.pixelHeight + 'px',
            weight: entry.bold ? 'bold' : 'normal',
            style: entry.italic ? 'italic' : 'normal',
        };
    }

    function applyFont(el, entry) {
        const f = fontOf(entry);
        el.style.fontFamily = f.family;
        el.style.fontSize = f.size;
        el.style.fontWeight = f.weight;
        el.style.fontStyle = f.style;
    }

    // ---- Controls -------------------------------------------------------------------------

    // An element in its place, in its font and colour, with a span for its caption.
    function captioned(tag, className, entry) {
        const el = document.createElement(tag);
        el.className = className;
        el.id = entry.name;
        place(el, entry.bounds);
        applyFont(el, entry);
        el.style.color = entry.text;
        const caption = document.createElement('span');
        caption.className = 'caption';
        el.appendChild(caption);
        return el;
    }

    function makeButton(entry, index) {
        const el = captioned('button', 'button', entry);
        el.type = 'button';
        if (entry.accessibleName)
            el.setAttribute('aria-label', entry.accessibleName);
        if (entry.description)
            el.setAttribute('aria-description', entry.description);
        if (entry.kind === 'toggle') {
            el.classList.add('toggle');
            el.setAttribute('aria-pressed', 'false');
        }
        // A press is handled on click, which keyboard activation (Enter, Space) also raises.
        el.addEventListener('click', () => press(index));
        // The toggle never takes the focus from a click, as on the desktop; Tab still reaches it.
        if (entry.kind === 'toggle')
            el.addEventListener('mousedown', (event) => event.preventDefault());
        return el;
    }

    function press(index) {
        if (ended)
            return;
        M._ij_press(index);
        refresh(true);
        afterAction();
    }

    // A list showing one row at a time, with the look of the desktop's: a sunken frame, the row,
    // and a scroll bar whose arrows move the view (not the selection), as on the desktop.
    function makeList(entry, index) {
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
        bar.append(up, down);
        frame.append(viewport, bar);
        el.appendChild(frame);

        const list = {el, strip, options, view: 0, rows: entry.listRows, typed: '', typedAt: 0};
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
            event.preventDefault();
            scrollBy(event.deltaY > 0 ? 1 : -1);
        }, {passive: false});
        el.addEventListener('keydown', (event) => listKey(list, index, event));
        return {el, list};
    }

    // A row's number is narrowed to the row's width if it would not fit ("10" in a list 41 pixels
    // wide), so that it always shows whole.
    function fitListRows() {
        for (const item of items) {
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

    function setView(list, row) {
        list.view = Math.max(0, Math.min(list.rows - 1, row));
        list.strip.style.transform = 'translateY(' + (-list.view * 21) + 'px)';
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

    function choose(index, row) {
        if (ended)
            return;
        M._ij_choose(index, row);
        refresh(true);
    }

    // ---- Building the window ----------------------------------------------------------------

    function textBox(entry, className) {
        return captioned('div', className + ' align-' + entry.align + ' border-' + entry.border, entry);
    }

    function build(root) {
        const ordered = []; // every element of the window, put in reading order below
        const recordCells = {time: [], volume: []};
        let table = null;
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
                graphText = document.createElement('div');
                graphText.className = 'graph';
                graphText.id = entry.name;
                graphText.setAttribute('role', 'img');
                place(graphText, entry.bounds);
                ordered.push({el: graphText, entry, index});
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

        // The records: a table with a header cell and ten cells in each of its two rows.
        table = document.createElement('div');
        table.className = 'records';
        table.setAttribute('role', 'table');
        table.setAttribute('aria-label', '記録');
        const rows = [['stxZahyoX', 'time'], ['stxZahyoY', 'volume']];
        for (const [header, which] of rows) {
            const row = document.createElement('div');
            row.className = 'record-row';
            row.setAttribute('role', 'row');
            const head = byName.get(header).el;
            head.setAttribute('role', 'rowheader');
            row.appendChild(head);
            for (let k = 1; k <= 10; ++k) {
                const cell = byName.get(header + k).el;
                cell.setAttribute('role', 'cell');
                cell.setAttribute('aria-label', '記録 ' + k);
                row.appendChild(cell);
                recordCells[which].push(cell);
            }
            table.appendChild(row);
        }
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
        graphText.setAttribute('aria-label', '');
    }

    // A control lies under the items the window creates after it (the toggle's last column is the
    // left border of the text beside it); the core paints those, so the control leaves them free.
    function clipUnderLaterItems(item) {
        const [x, y, w, h] = item.entry.bounds;
        const holes = [];
        for (const later of items.slice(item.index + 1)) {
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

    // ---- Showing the core's state -------------------------------------------------------------

    function showItem(item) {
        const e = item.entry;
        if (!item.el)
            return;
        const s = readItem(item.index);
        const last = item.last;
        if (last.visible !== s.visible) {
            item.el.hidden = !s.visible;
            last.visible = s.visible;
        }
        if (last.left !== s.left || last.top !== s.top || last.width !== s.width || last.height !== s.height) {
            if (!e.sizedToText)
                place(item.el, [s.left, s.top, s.width, s.height]);
            Object.assign(last, {left: s.left, top: s.top, width: s.width, height: s.height});
        }
        if (item.list) {
            if (last.selected !== s.selected) {
                item.list.options.forEach((o, row) => o.setAttribute('aria-selected', row === s.selected ? 'true' : 'false'));
                if (s.selected >= 0) {
                    item.el.setAttribute('aria-activedescendant', item.list.options[s.selected].id);
                    setView(item.list, s.selected);
                } else {
                    item.el.removeAttribute('aria-activedescendant');
                }
                last.selected = s.selected;
            }
            return;
        }
        const caption = M.UTF8ToString(M._ij_caption(item.index));
        if (last.caption !== caption) {
            item.el.firstChild.textContent = caption;
            last.caption = caption;
        }
        if (e.kind === 'toggle' && last.pressed !== s.pressed) {
            item.el.setAttribute('aria-pressed', s.pressed ? 'true' : 'false');
            item.el.classList.toggle('down', s.pressed);
            last.pressed = s.pressed;
        }
        if (e.kind === 'colourButton' && last.colour !== s.colour) {
            item.el.style.color = hex(s.colour);
            last.colour = s.colour;
        }
    }

    function paint() {
        const at = M._ij_paint(0, 0, CLIENT_WIDTH, CLIENT_HEIGHT);
        const pixels = new Uint8ClampedArray(M.HEAPU8.buffer, at, CLIENT_WIDTH * CLIENT_HEIGHT * 4);
        context.putImageData(new ImageData(pixels, CLIENT_WIDTH, CLIENT_HEIGHT), 0, 0);
    }

    // Brings the page up to the core's state. `acted`: the user (or a replay) did something, so
    // the surface is repainted even when no item changed (the graph reads the state).
    function refresh(acted) {
        const changes = M._ij_changes();
        if (!acted && changes === lastChanges)
            return;
        lastChanges = changes;
        for (const item of items)
            showItem(item);
        paint();
        const state = JSON.parse(M.UTF8ToString(M._ij_dump()));
        const description = 'グラフ。' + M.UTF8ToString(M._ij_graph_description());
        if (graphText.getAttribute('aria-label') !== description)
            graphText.setAttribute('aria-label', description);
        const running = state.timer.enabled;
        if (wasRunning && !running)
            announce('水が止まりました。経過時間 ' + state.captions.stxKJHyoji + '、水の容量 ' + state.captions.stxKSHyoji + '。');
        wasRunning = running;
    }

    function announce(text) {
        announcer.textContent = text;
    }

    function afterAction() {
        if (M._ij_quit_requested() && !ended) {
            ended = true;
            document.getElementById('ended').hidden = false;
            document.getElementById('again').focus();
        }
    }

    // ---- The full-tank message ------------------------------------------------------------------

    function showMessage(text) {
        // The timer is off already; the box opens over the state that led to it.
        refresh(true);
        const dialog = document.getElementById('message');
        document.getElementById('message-text').textContent = text;
        if (!dialog.open)
            dialog.showModal();
    }

    // ---- The clock ----------------------------------------------------------------------------------

    function frame() {
        requestAnimationFrame(frame);
        if (M._ij_run_due() > 0)
            refresh(false);
    }

    // A hidden tab gets no frames. The run holds while it is hidden and goes on from where it
    // stood when the tab returns, as if the learner had pressed stop and start: nothing happens
    // unseen, and the tank is not found full (or the records taken) behind the learner's back.
    function onVisibility() {
        if (replayMode)
            return;
        M._ij_hold(document.visibilityState === 'hidden' ? 1 : 0);
    }

    // ---- Size and scale --------------------------------------------------------------------------

    // The window grows by whole factors when the page has room for it, so every line stays a
    // whole number of pixels; on a screen too small for it, it shrinks to fit rather than being
    // cut off, and its surface is then smoothed so no thin line drops out.
    function fit() {
        const stage = document.getElementById('stage');
        const win = document.getElementById('window');
        const w = document.documentElement.clientWidth;
        const h = document.documentElement.clientHeight;
        let scale = Math.floor(Math.min(w / CLIENT_WIDTH, h / CLIENT_HEIGHT));
        if (scale < 1)
            scale = Math.max(0.5, Math.min(w / CLIENT_WIDTH, h / CLIENT_HEIGHT, 1));
        win.style.transform = scale === 1 ? '' : 'scale(' + scale + ')';
        stage.style.width = CLIENT_WIDTH * scale + 'px';
        stage.style.height = CLIENT_HEIGHT * scale + 'px';
        const device = scale * (window.devicePixelRatio || 1);
        document.getElementById('surface').classList.toggle('smooth', device < 1);
    }

    // ---- The test hook -----------------------------------------------------------------------------

    // Runs a replay script on the live page, line by line, showing each line's outcome as a user's
    // action would; resolves to the lines printed (an error line last, if any).
    function replay(script) {
        M._ij_replay_begin();
        const printed = [];
        const lines = String(script).split('\n');
        for (const line of lines) {
            const goesOn = withString(line, (at, length) => M._ij_replay_line(at, length));
            for (const text of [M.UTF8ToString(M._ij_replay_out()), M.UTF8ToString(M._ij_replay_err())]) {
                for (const printedLine of text.split('\n')) {
                    if (printedLine !== '')
                        printed.push(printedLine);
                }
            }
            refresh(true);
            afterAction();
            if (!goesOn)
                break;
        }
        return Promise.resolve(printed);
    }

    // ---- Start ---------------------------------------------------------------------------------------

    function start(module) {
        M = module;
        withString(decimalSeparator(), (at) => M._ij_start(at));
        M.onMessage = showMessage;
        M.onToggleFlipped = () => refresh(true);
        M.onReplayClick = (index) => {
            const item = items[index];
            if (item && item.el && item.entry.kind !== 'toggle')
                item.el.focus();
        };
        ART.forEach((name, art) => {
            const bytes = fromBase64(PICTURES[name]);
            withBytes(bytes, (at, length) => M._ij_set_picture(art, at, length));
        });
        layout = JSON.parse(M.UTF8ToString(M._ij_layout()));
        const root = document.getElementById('window');
        context = document.getElementById('surface').getContext('2d', {alpha: false});
        announcer = document.getElementById('announcer');
        build(root);
        if (replayMode)
            M._ij_hold(1);
        M._ij_activate();
        refresh(true);
        byName.get('btnMizuDasu').el.focus();
        // The focus ring shows once the keyboard moves the focus, and goes with the next click.
        document.addEventListener('keydown', (event) => {
            if (event.key === 'Tab')
                root.classList.add('keys');
        });
        document.addEventListener('mousedown', () => root.classList.remove('keys'));
        document.getElementById('message-ok').addEventListener('click', () => document.getElementById('message').close());
        document.getElementById('again').addEventListener('click', () => location.reload());
        document.addEventListener('visibilitychange', onVisibility);
        onVisibility();
        requestAnimationFrame(frame);
        document.fonts.ready.then(fitListRows);
        window.ichijikansu = {replay, ready: true, readyAt: performance.now()};
        document.documentElement.dataset.ready = 'true';
    }

    window.addEventListener('resize', fit);
    fit();
    createIchijikansu({wasmBinary: fromBase64(WASM)}).then(start);
})();
