// The node replay tool against the desktop's: the scenario files give their .out files byte for
// byte, and bad scripts end the same way (the same lines, messages and exit code) on both.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

const web = process.env.ICHIJIKANSU_WEB;
const scenarios = process.env.SCENARIO_DIR;
const desktop = process.env.DESKTOP_REPLAY;
const tool = path.join(web, 'ichijikansu-replay.mjs');

function run(program, args, script, env = {}) {
    const result = spawnSync(program, args, {input: script, env: {...process.env, ...env}, timeout: 60000});
    return {code: result.status, out: result.stdout.toString('utf8'), err: result.stderr.toString('utf8')};
}

const node = (script, env) => run(process.execPath, [tool], script, env);

for (const file of fs.readdirSync(scenarios).filter((f) => f.endsWith('.replay')).sort()) {
    test(`scenario ${file}`, () => {
        const script = fs.readFileSync(path.join(scenarios, file));
        const expected = fs.readFileSync(path.join(scenarios, file.replace(/\.replay$/, '.out')), 'utf8');
        const result = node(script);
        assert.equal(result.err, '');
        assert.equal(result.code, 0);
        assert.equal(result.out, expected);
    });
}

test('bad lines, the end button and render end the script as on the desktop', () => {
    const scripts = [
        'dump\n\n# note\nclick nothing\ndump\n',
        'tick 3x\n',
        'select lbxJikan 5\n',
        'select lbxKiroku 1\n',
        'dump now\n',
        'click\r\nbogus\n',
        'click btnMizuDasu\ntick 10\nclick btnOwari\ndump\nbogus\n',
        'select lbxSyokiRyo 2\r\nclick btnMizuDasu\ntick 160\ndump', // CRLF lines, no final newline
    ];
    for (const script of scripts) {
        const fromDesktop = run(desktop, [], script);
        const fromNode = node(script);
        assert.deepEqual(fromNode, fromDesktop, JSON.stringify(script));
    }
    // There is no window to take a picture of: the protocol's error, and nothing written.
    const picture = path.join(fs.mkdtempSync('/tmp/ichijikansu-'), 'shot.png');
    const rendered = node(`dump\nrender ${picture}\ndump\n`);
    assert.equal(rendered.code, 2);
    assert.match(rendered.err, /^error: 2: /);
    assert.equal(rendered.out.split('\n').length, 2);
    assert.equal(fs.existsSync(picture), false);
});

test('numbers take the decimal separator of the locale, as the desktop does', () => {
    const script = 'select lbxJikan 2\nclick btnMizuDasu\ntick 140\ndump\n';
    for (const locale of ['de_DE.UTF-8', 'C.UTF-8']) {
        const env = {LC_ALL: locale, LANG: locale};
        const fromNode = node(script, env);
        assert.equal(fromNode.code, 0);
        assert.equal(fromNode.out, run(desktop, [], script, env).out, locale);
    }
    assert.match(node(script, {LC_ALL: 'de_DE.UTF-8'}).out, /"stxKJHyoji":"\d+,\d"/);
});
