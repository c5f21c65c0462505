// An element of the window in its place and its font, as the layout table gives them.

export function place(el, b) {
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

export function applyFont(el, entry) {
    const f = fontOf(entry);
    el.style.fontFamily = f.family;
    el.style.fontSize = f.size;
    el.style.fontWeight = f.weight;
    el.style.fontStyle = f.style;
}

// An element in its place, in its font and colour, with a span for its caption.
export function captioned(tag, className, entry) {
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
