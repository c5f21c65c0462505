// Puts the page together: the core's script (with its WebAssembly inline), the page's script (its
// modules in order) and styles, and the pictures, raw-deflated and in base64, into one HTML file;
// and the node replay tool around the same core.
//   node web/assemble.mjs CORE_JS CORE_WASM OUT_DIR
// The WebAssembly is handed to the core's loader as bytes: it then fetches nothing, not even a
// data: URL, which the page's content security policy would refuse.
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import {fileURLToPath} from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.dirname(here);
const [coreFile, wasmFile, outDir] = process.argv.slice(2);
if (!coreFile || !wasmFile || !outDir) {
    console.error('usage: node web/assemble.mjs CORE_JS CORE_WASM OUT_DIR');
    process.exit(2);
}

const read = (file) => fs.readFileSync(file, 'utf8');
const core = read(coreFile);
const wasm = JSON.stringify(fs.readFileSync(wasmFile).toString('base64'));
const pictures = {};
for (const name of ['faucet', 'scale-vertical', 'scale-horizontal']) {
    const bmp = fs.readFileSync(path.join(root, 'assets', name + '.bmp'));
    pictures[name] = zlib.deflateRawSync(bmp, {level: 9}).toString('base64');
}

// Replaces each placeholder exactly once, taking the text literally.
function fill(template, values) {
    let text = template;
    for (const [key, value] of Object.entries(values)) {
        const mark = '/*@' + key + '@*/';
        const at = text.indexOf(mark);
        if (at < 0 || text.indexOf(mark, at + 1) >= 0)
            throw new Error('placeholder ' + mark + ' must appear once');
        text = text.slice(0, at) + value + text.slice(at + mark.length);
    }
    return text;
}

// The page's script: small ES modules in web/page/js, one job each, in the order they are put
// together. A module imports only from modules before it.
const PAGE_MODULES = [
    'state.js', // what the modules share: the core, the items, what was last shown
    'failure.js', // what went wrong, told on the page; the page stopped
    'core.js', // the bridge to the core's exports, and its state read out
    'elements.js', // an element in its place and font
    'touch.js', // the lists' arrows' hit areas on a touch screen
    'show.js', // the core's state shown in the elements and on the surface
    'message.js', // the full-tank box, the notice that the program has ended, and what is announced
    'controls.js', // the buttons
    'lists.js', // the lists: their rows, keys, mouse and scroll bar
    'build.js', // the window's elements from the layout table, in reading order
    'clock.js', // the core's clock on the browser's frames
    'scale.js', // the window's size and scale
    'copy.js', // the records onto the clipboard
    'hook.js', // the test hook: a replay script on the live page
    'start.js', // loads the core and starts the page
];

// The modules as one strict script, each in a function of its own: what it imports is taken from
// the modules before it, what it exports is all it hands on, and nothing reaches window. Only
// `import {a, b} from './x.js';` and `export function` or `export const` are understood.
function pageScript() {
    const exported = new Map();
    const parts = PAGE_MODULES.map((file) => {
        let text = read(path.join(here, 'page', 'js', file));
        text = text.replace(/^import \{([^}]*)\} from '\.\/([\w-]+\.js)';\n/gm, (line, list, from) => {
            const names = list.split(',').map((n) => n.trim()).filter((n) => n !== '');
            if (!exported.has(from))
                throw new Error(`${file} imports from ${from}, which does not come before it`);
            for (const name of names) {
                if (!exported.get(from).includes(name))
                    throw new Error(`${file} imports ${name}, which ${from} does not export`);
            }
            return `const {${names.join(', ')}} = modules['${from}'];\n`;
        });
        const names = [];
        text = text.replace(/^export (function|const) ([\w$]+)/gm, (line, kind, name) => {
            names.push(name);
            return `${kind} ${name}`;
        });
        if (/^\s*(import|export)\b/m.test(text))
            throw new Error(`${file}: an import or export other than the two forms understood`);
        exported.set(file, names);
        return `// ---- ${file}\nmodules['${file}'] = (function () {\n${text}return {${names.join(', ')}};\n})();\n`;
    });
    return `(function () {\n'use strict';\nconst modules = {};\n\n${parts.join('\n')}})();\n`;
}

// Inside an inline script nothing may close the element early.
function inlineScript(text) {
    return text.replace(/<\/(script)/gi, '<\\/$1').replace(/<!--/g, '<\\!--');
}

const html = fill(read(path.join(here, 'page', 'page.html')), {
    STYLE: read(path.join(here, 'page', 'page.css')),
    CORE: inlineScript(core),
    PICTURES: JSON.stringify(pictures),
    WASM: wasm,
    PAGE: inlineScript(pageScript()),
});
const tool = fill(read(path.join(here, 'page', 'replay-tool.mjs')), {CORE: core, WASM: wasm});

fs.mkdirSync(outDir, {recursive: true});
const htmlFile = path.join(outDir, 'ichijikansu.html');
const toolFile = path.join(outDir, 'ichijikansu-replay.mjs');
fs.writeFileSync(htmlFile, html);
fs.writeFileSync(toolFile, tool, {mode: 0o755});
const size = Buffer.byteLength(html);
const gzipped = zlib.gzipSync(html, {level: 9}).length;
console.log(`${htmlFile}: ${size} bytes (${gzipped} gzip)`);
console.log(`${toolFile}: ${Buffer.byteLength(tool)} bytes`);
if (size > 1024 * 1024) {
    console.error('the page is larger than 1 MiB');
    process.exit(1);
}
