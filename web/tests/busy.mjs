// How hard the page works, by hand (prints a table, asserts nothing):
//   node web/tests/busy.mjs [WIDTHxHEIGHT[@RATIO]]
// Headless Chromium at 1024 by 768, or the viewport given (CSS pixels, device pixel ratio): the
// animation frames asked for and the main thread's busy time (CDP Performance.getMetrics
// TaskDuration over a span of wall-clock time) at rest, at the slowest and the fastest rate, and at
// the fastest with the processor slowed four times (CDP Emulation.setCPUThrottlingRate), which
// stands in for a school Chromebook. Beside each, what the same browser spends on a bare page
// that changes one short text as many times a second, with nothing else on it: the least any page
// showing a running clock costs, and so how far the lesson's own work could still be cut.
import {launch, openPage} from './browser.mjs';

const settle = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Each case: the lists' rows chosen (time step, water per step), whether the water runs, the
// processor's slowing, and how long it is watched. At the fastest rate the tank is full in about
// five seconds, so that run is watched for less.
const cases = [
    {name: 'at rest', jikan: 0, suiryo: 0, run: false, cpu: 1, seconds: 10},
    {name: 'slowest rate (time step 5, amount 1)', jikan: 4, suiryo: 0, run: true, cpu: 1, seconds: 10},
    {name: 'fastest rate (time step 1, amount 5)', jikan: 0, suiryo: 4, run: true, cpu: 1, seconds: 2},
    {name: 'fastest rate, CPU slowed 4x', jikan: 0, suiryo: 4, run: true, cpu: 4, seconds: 2},
];

const countFrames = () => {
    window.framesAsked = 0;
    const ask = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) => {
        window.framesAsked += 1;
        return ask(callback);
    };
};

// One text, changed at each animation frame asked for `perSecond` times a second.
const barePage = (perSecond) => `<!DOCTYPE html><html><body style="margin:0">
<p id="t" style="font: 20px sans-serif">0.0</p>
<script>
let n = 0;
const t = document.getElementById('t');
setInterval(() => requestAnimationFrame(() => { t.textContent = (++n / 10).toFixed(1); }), ${1000 / perSecond});
</script></body></html>`;

async function barePageBusy(browser, perSecond, cpu, seconds) {
    if (perSecond <= 0)
        return 0;
    const page = await browser.newPage();
    await page.setViewport(viewport);
    await page.setContent(barePage(perSecond));
    const session = await page.createCDPSession();
    await session.send('Performance.enable');
    await session.send('Emulation.setCPUThrottlingRate', {rate: cpu});
    await settle(300);
    const busy0 = await taskSeconds(session);
    const t0 = Date.now();
    await settle(seconds * 1000);
    const busy = (await taskSeconds(session) - busy0) * 1000 / ((Date.now() - t0) / 1000);
    await page.close();
    return busy;
}

async function taskSeconds(session) {
    const {metrics} = await session.send('Performance.getMetrics');
    return metrics.find((m) => m.name === 'TaskDuration').value;
}

const size = /^(\d+)x(\d+)(?:@([\d.]+))?$/.exec(process.argv[2] || '1024x768');
if (!size) {
    console.error('usage: node web/tests/busy.mjs [WIDTHxHEIGHT[@RATIO]]');
    process.exit(2);
}
const viewport = {width: Number(size[1]), height: Number(size[2]), deviceScaleFactor: Number(size[3] || 1)};

const browser = await launch();
console.log(`viewport ${viewport.width}x${viewport.height}, device pixel ratio ${viewport.deviceScaleFactor}\n`);
console.log('| case | seconds watched | frames asked | frames/s | busy ms/s | bare page at the same frames/s, ms/s | lesson / bare page | still running at the end |');
console.log('|---|---|---|---|---|---|---|---|');
for (const c of cases) {
    const page = await openPage(browser, {beforeLoad: countFrames, viewport});
    const session = await page.createCDPSession();
    await session.send('Performance.enable');
    await page.focus('#lbxJikan');
    await page.keyboard.press('Home');
    for (let i = 0; i < c.jikan; ++i)
        await page.keyboard.press('ArrowDown');
    await page.focus('#lbxSuiryo');
    await page.keyboard.press('Home');
    for (let i = 0; i < c.suiryo; ++i)
        await page.keyboard.press('ArrowDown');
    await session.send('Emulation.setCPUThrottlingRate', {rate: c.cpu});
    if (c.run)
        await page.click('#btnMizuDasu');
    await settle(300);
    const frames0 = await page.evaluate(() => window.framesAsked);
    const busy0 = await taskSeconds(session);
    const t0 = Date.now();
    await settle(c.seconds * 1000);
    const busy1 = await taskSeconds(session);
    const seconds = (Date.now() - t0) / 1000;
    const frames = (await page.evaluate(() => window.framesAsked)) - frames0;
    const stillRunning = await page.$eval('#message', (d) => !d.open);
    await session.send('Emulation.setCPUThrottlingRate', {rate: 1});
    await page.close();
    const busy = (busy1 - busy0) * 1000 / seconds;
    const bare = await barePageBusy(browser, frames / seconds, c.cpu, c.seconds);
    console.log(`| ${c.name} | ${seconds.toFixed(1)} | ${frames} | ${(frames / seconds).toFixed(1)} | ${busy.toFixed(1)} | `
                + `${bare > 0 ? bare.toFixed(1) : '-'} | ${bare > 0 ? (busy / bare).toFixed(2) : '-'} | `
                + `${c.run ? (stillRunning ? 'yes' : 'no: tank full') : '-'} |`);
}
await browser.close();
