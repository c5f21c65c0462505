#!/usr/bin/env node
// ichijikansu-replay for node: the replay protocol on the same core as the browser page. Reads a
// script on standard input (click, select, tick, dump, render) and prints what the desktop's
// replay tool prints, byte for byte; `render` answers with the protocol's error, as there is no
// window to take a picture of. Exit code 0, or 2 after a bad line.
import {createRequire} from 'node:module';
import {fileURLToPath} from 'node:url';
import fs from 'node:fs';
import path from 'node:path';

const require = createRequire(import.meta.url);
const __filename = fileURLToPath(import.meta.url);
const __dirname = path.dirname(__filename);

/*@CORE@*/

const WASM = /*@WASM@*/;

// The decimal separator of the locale the environment names, as the desktop takes its own.
function decimalSeparator() {
    const name = process.env.LC_ALL || process.env.LC_NUMERIC || process.env.LANG || '';
    const tag = name.split(/[.@]/)[0].replace('_', '-');
    if (tag === '' || tag === 'C' || tag === 'POSIX')
        return '.';
    try {
        const part = new Intl.NumberFormat(tag).formatToParts(1.5).find((p) => p.type === 'decimal');
        return part ? part.value : '.';
    } catch (e) {
        return '.';
    }
}

function write(fd, M, at) {
    const end = M.HEAPU8.indexOf(0, at);
    if (end > at) {
        try {
            fs.writeSync(fd, Buffer.from(M.HEAPU8.subarray(at, end)));
        } catch (e) {
            if (e.code !== 'EPIPE')
                throw e;
        }
    }
}

const script = fs.readFileSync(0);
const M = await createIchijikansu({wasmBinary: Buffer.from(WASM, 'base64')});
{
    const separator = Buffer.from(decimalSeparator() + '\0', 'utf8');
    const at = M._malloc(separator.length);
    M.HEAPU8.set(separator, at);
    M._ij_start(at);
    M._free(at);
}
M._ij_hold(1);
M._ij_activate();
M._ij_replay_begin();
let from = 0;
while (from <= script.length) {
    let end = script.indexOf(0x0a, from);
    if (end < 0)
        end = script.length;
    const line = script.subarray(from, end);
    from = end + 1;
    if (end === script.length && line.length === 0)
        break; // the newline that ends the last line starts no line of its own
    const at = M._malloc(line.length + 1);
    M.HEAPU8.set(line, at);
    const goesOn = M._ij_replay_line(at, line.length);
    M._free(at);
    write(1, M, M._ij_replay_out());
    write(2, M, M._ij_replay_err());
    if (!goesOn)
        break;
}
process.exitCode = M._ij_replay_exit_code();
