// PNG reading and writing for the tests: 8-bit greyscale, RGB and RGBA, without interlacing;
// that is what Qt and Chromium write. Pixels come back as RGBA bytes.
import zlib from 'node:zlib';
import fs from 'node:fs';

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

function paeth(a, b, c) {
    const p = a + b - c;
    const pa = Math.abs(p - a);
    const pb = Math.abs(p - b);
    const pc = Math.abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

export function decodePng(bytes) {
    if (!bytes.subarray(0, 8).equals(SIGNATURE))
        throw new Error('not a PNG file');
    let at = 8;
    let header = null;
    const data = [];
    while (at < bytes.length) {
        const length = bytes.readUInt32BE(at);
        const type = bytes.toString('latin1', at + 4, at + 8);
        const body = bytes.subarray(at + 8, at + 8 + length);
        if (type === 'IHDR')
            header = {width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8], colour: body[9],
                      interlace: body[12]};
        else if (type === 'IDAT')
            data.push(body);
        else if (type === 'IEND')
            break;
        at += 12 + length;
    }
    const channels = {0: 1, 2: 3, 6: 4}[header.colour];
    if (header.depth !== 8 || channels === undefined || header.interlace !== 0)
        throw new Error(`unsupported PNG: depth ${header.depth}, colour type ${header.colour}`);
    const raw = zlib.inflateSync(Buffer.concat(data));
    const {width, height} = header;
    const stride = width * channels;
    const rows = Buffer.alloc(stride * height);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
        const out = rows.subarray(y * stride, (y + 1) * stride);
        const up = y > 0 ? rows.subarray((y - 1) * stride, y * stride) : Buffer.alloc(stride);
        for (let i = 0; i < stride; ++i) {
            const a = i >= channels ? out[i - channels] : 0;
            const b = up[i];
            const c = i >= channels ? up[i - channels] : 0;
            const predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
            if (predictor === undefined)
                throw new Error(`bad PNG filter ${filter}`);
            out[i] = (line[i] + predictor) & 0xff;
        }
    }
    const rgba = Buffer.alloc(width * height * 4);
    for (let p = 0; p < width * height; ++p) {
        const s = p * channels;
        rgba[4 * p] = rows[s];
        rgba[4 * p + 1] = rows[channels >= 3 ? s + 1 : s];
        rgba[4 * p + 2] = rows[channels >= 3 ? s + 2 : s];
        rgba[4 * p + 3] = channels === 4 ? rows[s + 3] : 255;
    }
    return {width, height, rgba};
}

export function readPng(path) {
    return decodePng(fs.readFileSync(path));
}

const crcTable = Array.from({length: 256}, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; ++k)
        c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
});

function crc32(buffer) {
    let c = 0xffffffff;
    for (const byte of buffer)
        c = crcTable[(c ^ byte) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, body) {
    const out = Buffer.alloc(12 + body.length);
    out.writeUInt32BE(body.length, 0);
    out.write(type, 4, 'latin1');
    body.copy(out, 8);
    out.writeUInt32BE(crc32(out.subarray(4, 8 + body.length)), 8 + body.length);
    return out;
}

// Writes RGBA pixels as an 8-bit RGBA PNG (for pictures of the differences).
export function encodePng({width, height, rgba}) {
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0);
    header.writeUInt32BE(height, 4);
    header[8] = 8;
    header[9] = 6;
    const raw = Buffer.alloc((width * 4 + 1) * height);
    for (let y = 0; y < height; ++y)
        Buffer.from(rgba.buffer, rgba.byteOffset + y * width * 4, width * 4).copy(raw, y * (width * 4 + 1) + 1);
    return Buffer.concat([SIGNATURE, chunk('IHDR', header), chunk('IDAT', zlib.deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
}
