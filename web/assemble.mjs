// Puts the page together: the core's script (with its WebAssembly inline), the page's script and
// styles, and the pictures, raw-deflated and in base64, into one HTML file; and the node replay
// tool around the same core.
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

// Inside an inline script nothing may close the element early.
function inlineScript(text) {
    return text.replace(/<\/(script)/gi, '<\\/$1').replace(/<!--/g, '<\\!--');
}

const html = fill(read(path.join(here, 'page', 'page.html')), {
    STYLE: read(path.join(here, 'page', 'page.css')),
    CORE: inlineScript(core),
    PICTURES: JSON.stringify(pictures),
    WASM: wasm,
    PAGE: inlineScript(read(path.join(here, 'page', 'page.js'))),
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
