// The page a teacher downloads, dist/ichijikansu.html as committed, is the page this source builds,
// byte for byte: the build writes no time stamp and no path of the machine it ran on.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {root, pagePath} from './browser.mjs';

const committed = spawnSync('git', ['-C', root, 'show', 'HEAD:dist/ichijikansu.html'], {maxBuffer: 64 << 20});
const skip = committed.status !== 0 && `no committed dist/ichijikansu.html to compare (not a git checkout?): ${committed.stderr}`;

test('the committed dist/ichijikansu.html is the page this source builds', {skip}, () => {
    const built = fs.readFileSync(pagePath);
    const same = Buffer.compare(committed.stdout, built) === 0;
    let firstDifference = 0;
    while (!same && committed.stdout[firstDifference] === built[firstDifference])
        ++firstDifference;
    assert.ok(same, `dist/ichijikansu.html as committed differs from ${path.relative(root, pagePath)} `
                    + `(${committed.stdout.length} and ${built.length} bytes, first at byte ${firstDifference}). `
                    + 'The core or the page has changed since it was built (a merge of core changes does this): '
                    + 'run ./web.sh, which rebuilds it, and commit dist/ichijikansu.html.');
});
