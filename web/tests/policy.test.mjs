// The page's content security policy: nothing turned from a string into code, and no source beyond
// the page itself; and the page still loads and runs a scenario through its test hook under it.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {launch, openPage, replay, pagePath} from './browser.mjs';

// Every source the policy may name: inline scripts and styles (the page's own), and compiling the
// WebAssembly the page carries. No host, no scheme (data:, blob:, https:), no 'self', no eval.
const ALLOWED = new Set(["'none'", "'unsafe-inline'", "'wasm-unsafe-eval'"]);

function policyOf(html) {
    const metas = [...html.matchAll(/<meta http-equiv="Content-Security-Policy" content="([^"]*)">/g)];
    assert.equal(metas.length, 1, 'one policy');
    return Object.fromEntries(metas[0][1].split(';').map((d) => d.trim()).filter((d) => d !== '')
        .map((d) => {
            const [name, ...sources] = d.split(/\s+/);
            return [name, sources];
        }));
}

test('the policy allows no eval and no source beyond the page', () => {
    const policy = policyOf(fs.readFileSync(pagePath, 'utf8'));
    assert.deepEqual(policy['default-src'], ["'none'"]);
    for (const [name, sources] of Object.entries(policy)) {
        for (const source of sources)
            assert.ok(ALLOWED.has(source), `${name} allows ${source}`);
    }
});

let browser;
before(async () => {
    browser = await launch();
});
after(async () => {
    await browser?.close();
});

test('under the policy the page loads and runs a scenario through its hook', async () => {
    const page = await openPage(browser, {
        hash: '#replay',
        beforeLoad: () => {
            window.refused = [];
            document.addEventListener('securitypolicyviolation', (event) => {
                window.refused.push(`${event.violatedDirective} ${event.blockedURI}`);
            });
        },
    });
    const scenarios = process.env.SCENARIO_DIR;
    const script = fs.readFileSync(path.join(scenarios, 'records-and-switches.replay'), 'utf8');
    const expected = fs.readFileSync(path.join(scenarios, 'records-and-switches.out'), 'utf8');
    const lines = await replay(page, script);
    assert.equal(lines.map((l) => l + '\n').join(''), expected);
    assert.deepEqual(await page.evaluate(() => window.refused), []);
    assert.deepEqual(page.problems, []);
    assert.deepEqual(page.foreignRequests(), []);
    await page.close();
});
