// The scenario files in three browser engines, through the page's test hook: Chromium and Firefox
// ESR driven by puppeteer-core, WebKitGTK (the engine nearest to an iPad's Safari) by Debian's
// WebKitWebDriver and python3-selenium under Xvfb. Each engine loads the page once and runs every
// file on a fresh program; each file must print its .out, byte for byte. An engine that is not
// installed is skipped, saying which package would bring it.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';
import {launch, pagePath} from './browser.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const scenarios = process.env.SCENARIO_DIR;
const files = fs.readdirSync(scenarios).filter((f) => f.endsWith('.replay')).sort()
    .map((f) => path.join(scenarios, f));
const url = pathToFileURL(pagePath).href + '#replay';

function missing(paths) {
    return paths.filter((p) => !fs.existsSync(p));
}

// One page load in a puppeteer-driven browser; every file on a fresh program.
async function throughPuppeteer(browser) {
    try {
        const page = await browser.newPage();
        const errors = [];
        page.on('pageerror', (error) => errors.push(String(error)));
        await page.goto(url);
        // Ready, or saying why not.
        await page.waitForFunction(() => (window.ichijikansu && window.ichijikansu.ready)
                                         || !document.getElementById('failure').hidden, {timeout: 30000});
        const failure = () => page.$eval('#failure', (el) => (el.hidden ? '' : el.textContent));
        const printed = {};
        if (await failure() === '') {
            for (const file of files) {
                printed[file] = await page.evaluate((text) => window.ichijikansu.replay(text, {fresh: true}),
                                                    fs.readFileSync(file, 'utf8'));
            }
        }
        return {printed, failure: await failure(), errors};
    } finally {
        await browser.close();
    }
}

// Each engine: what it needs installed (and the package that brings it), and how it is run.
const engines = [
    {name: 'Chromium', needs: {'/usr/bin/chromium': 'chromium'}, run: async () => throughPuppeteer(await launch())},
    {name: 'Firefox ESR', needs: {'/usr/bin/firefox-esr': 'firefox-esr'},
     run: async () => throughPuppeteer(await puppeteer.launch({browser: 'firefox', protocol: 'webDriverBiDi',
                                                               executablePath: '/usr/bin/firefox-esr', headless: true}))},
    {name: 'WebKitGTK',
     needs: {'/usr/bin/WebKitWebDriver': 'webkit2gtk-driver', '/usr/bin/xvfb-run': 'xvfb',
             '/usr/lib/python3/dist-packages/selenium': 'python3-selenium'},
     run: async () => {
         const result = spawnSync('/usr/bin/xvfb-run', ['-a', '/usr/bin/python3', path.join(here, 'webkit-scenarios.py'), url, ...files],
                                  {timeout: 180000, encoding: 'utf8'});
         assert.equal(result.status, 0, `WebKitGTK: ${result.stderr}`);
         return {...JSON.parse(result.stdout), errors: []};
     }},
];

for (const engine of engines) {
    const absent = missing(Object.keys(engine.needs));
    const skip = absent.length > 0
        && `${engine.name} is not installed: apt-get install ${absent.map((p) => engine.needs[p]).join(' ')}`;
    test(`the scenario files in ${engine.name}`, {skip, timeout: 240000}, async () => {
        const {printed, failure, errors} = await engine.run();
        assert.equal(failure, '', `${engine.name} shows a failure`);
        for (const file of files) {
            const expected = fs.readFileSync(file.replace(/\.replay$/, '.out'), 'utf8');
            const lines = printed[file];
            assert.ok(Array.isArray(lines), `${engine.name}, ${path.basename(file)}: ${JSON.stringify(lines)}`);
            assert.equal(lines.map((l) => l + '\n').join(''), expected, `${engine.name}, ${path.basename(file)}`);
        }
        assert.deepEqual(errors, [], engine.name);
    });
}
