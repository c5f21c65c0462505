// The page carries its pictures raw-deflated and opens them with its own decoder: whatever node's
// zlib writes (stored, fixed and dynamic blocks, long matches), the decoder gives back the bytes,
// and a damaged stream is refused rather than read as a picture.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {createRequire} from 'node:module';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const web = process.env.ICHIJIKANSU_WEB;
const require = createRequire(import.meta.url);
const createIchijikansu = require(path.join(web, 'obj', 'core.js'));
const M = await createIchijikansu({wasmBinary: fs.readFileSync(path.join(web, 'obj', 'core.wasm'))});
M._ij_start(0);

function inflate(bytes) {
    const at = M._malloc(Math.max(1, bytes.length));
    M.HEAPU8.set(bytes, at);
    const length = M._ij_inflate(at, bytes.length);
    M._free(at);
    return length < 0 ? null : Buffer.from(M.HEAPU8.subarray(M._ij_last_bytes(), M._ij_last_bytes() + length));
}

// Bytes with long runs and repeats at every distance, and some noise.
function sample(length, seed) {
    const out = Buffer.alloc(length);
    let state = seed;
    for (let i = 0; i < length; ++i) {
        state = (state * 1103515245 + 12345) >>> 0;
        out[i] = (state >>> 24) % 7 === 0 ? state & 0xff : i > 300 ? out[i - 1 - ((state >>> 8) % 300)] : i % 5;
    }
    return out;
}

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..', '..');
const inputs = {
    faucet: fs.readFileSync(path.join(root, 'assets', 'faucet.bmp')),
    scale: fs.readFileSync(path.join(root, 'assets', 'scale-vertical.bmp')),
    mixed: sample(200000, 7),
    empty: Buffer.alloc(0),
};
const settings = {
    stored: {level: 0},
    fastest: {level: 1},
    best: {level: 9},
    fixed: {level: 9, strategy: zlib.constants.Z_FIXED},
    huffmanOnly: {level: 9, strategy: zlib.constants.Z_HUFFMAN_ONLY},
    runs: {level: 9, strategy: zlib.constants.Z_RLE},
};

for (const [inputName, input] of Object.entries(inputs)) {
    test(`${inputName}: every kind of block comes back byte for byte`, () => {
        for (const [settingName, options] of Object.entries(settings)) {
            const back = inflate(zlib.deflateRawSync(input, options));
            assert.ok(back !== null, settingName);
            assert.ok(back.equals(input), settingName);
        }
    });
}

test('a damaged or cut-off stream is refused', () => {
    const packed = zlib.deflateRawSync(inputs.faucet, {level: 9});
    assert.equal(inflate(packed.subarray(0, packed.length - 40)), null);
    const stored = zlib.deflateRawSync(inputs.scale, {level: 0});
    const broken = Buffer.from(stored);
    broken[3] ^= 0xff; // the stored block's length no longer matches its complement
    assert.equal(inflate(broken), null);
    assert.equal(inflate(Buffer.from([0x07])), null); // block type 3 does not exist
});
