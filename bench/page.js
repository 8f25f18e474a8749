// The web page's figures against its targets: its size; the first results after a load against the time an empty
// page takes to run its first script (a fresh browser for each load, medians of 9 each, their ratio); the longest
// task while a full plan's link loads on a phone at 4x CPU (DevTools throttling; median of 5 loads, a fresh browser
// each) and the largest layout shift of those loads; a recompute after a change with every option on and the -m
// fields left empty (median of 101), the same with the chain diagram in sight (drawn anew in the frame after each
// change), for the fullest plan as a ratio to the same change with the chain hidden, the chain's first picture on a
// phone at 4x CPU, and
// Lighthouse on the page served from localhost: Performance (mobile), Accessibility, Best Practices and the layout
// shift, mobile and desktop. Run by bench/page.sh, which installs what it needs.
//   node bench/page.js PAGE  (LIGHTHOUSE: the lighthouse program; CHROME_PATH: Chromium)
// Prints the figures with the machine's load average, writes them to build-web/page-bench.txt beside the page and
// exits 1 when a target is missed.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const http = require('node:http');
const path = require('node:path');
const { promisify } = require('node:util');
const execFile = promisify(require('node:child_process').execFile);
const { chromium } = require('../web/tests/node_modules/playwright-core');

const page = path.resolve(process.argv[2]);
const LIGHTHOUSE_RUNS = Number(process.env.LIGHTHOUSE_RUNS || 3);  // 0: no Lighthouse
// every option, an answer in most questions, the -m fields empty: they take the values the run shows
const FULL_PLAN = '#h&br&xl&or=j&dat=j&m&es&opt&saleSkwM=1&saleSkwL=1&EAM=2&SAL=1&L1M=1&L2L=1&KM=2&GKF=2&SBF=1'
    + '&WF.A=3&OF.B=2&WF.P=1&OF.T=1&WF.V=5&OF.Y=-1&crystalRace=b';
// every option and every field of -xl -or filled (the -m fields left empty), as a whole complex would be
const FULLEST_PLAN = '#v=2&h&br&xl&or=j&dat=j&es&opt&m&saleSkwM=1&saleSkwL=3&saleSkwXL=5&EAM=2&EAL=4&EAXL=1&SAM=3'
    + '&SAL=5&SAXL=2&L1M=4&L1L=1&L1XL=3&L2M=5&L2L=2&L2XL=4&KM=1&KL=3&KXL=5&GKF=2&KDF=4&SBF=1&WF.A=3&OF.A=5&WF.B=2'
    + '&OF.B=4&WF.P=1&OF.P=3&WF.S=5&OF.S=2&WF.T=4&OF.T=1&WF.V=3&OF.V=5&WF.X=2&OF.X=4&WF.K=1&OF.K=3&WF.Y=5&OF.Y=2'
    + '&WF.E=4&OF.E=1&crystalRace=b';
const median = (list) => list.slice().sort((a, b) => a - b)[Math.floor(list.length / 2)];

// An empty page: when its first script runs is the least the start of any page can take.
const EMPTY = '<!DOCTYPE html>\n<html lang="de"><meta charset="utf-8"><title>Leer</title><p>Leer</p>'
    + '<script>window.firstScript = performance.now();</script>\n';
// a phone's screen; not emulated as a mobile device, which marks the layout shifts of the load as after input
const PHONE = { viewport: { width: 390, height: 844 } };
const LAUNCH = { executablePath: process.env.CHROME_PATH, args: ['--no-sandbox', '--headless'] };

// The page at / on a free port of localhost, the empty page at /leer.
function serve() {
    const bytes = fs.readFileSync(page);
    const server = http.createServer((request, response) => {
        const body = { '/': bytes, '/leer': EMPTY }[request.url.split(/[?#]/)[0]];
        if (!body) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' }).end(body);
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function timings(url) {
    const browser = await chromium.launch({ executablePath: process.env.CHROME_PATH, args: ['--no-sandbox', '--headless'] });
    const open = async (hash) => {
        const p = await browser.newPage();
        await p.goto(url + hash);
        await p.waitForFunction(() => window.werkverbund && window.werkverbund.timing.firstResults !== null);
        return p;
    };
    // 101 changes of a field, each timed from the change to the page showing its results (in the view given)
    const recomputes = async (tab, plan = FULL_PLAN, low = 0) => {
        const p = await open(plan);
        if (tab) await p.click(tab);
        const times = await p.evaluate((low) => {
            const timing = window.werkverbund.timing;
            timing.recomputes.length = 0;
            const field = document.getElementById('f-OF-A');
            for (let i = 0; i < 101; i++) {
                field.value = String(low + i % 7);
                field.dispatchEvent(new Event('input', { bubbles: true }));
            }
            return timing.recomputes.slice();
        }, low);
        await p.close();
        return median(times);
    };
    const recompute = await recomputes(null);
    const chain = await recomputes('#t-chain');
    const fullest = await recomputes('#t-chain', FULLEST_PLAN, 1);
    await browser.close();
    return { recompute, chain, fullest };
}

// One load in a browser of its own, so that nothing is kept or compiled from a load before; on a phone at 4x CPU
// when asked. Gives figure() once the page has shown it and gone idle after the work it put off, with the longest
// task of the load (0 when none took over 50 ms) and the sum of its layout shifts (those not after input).
async function freshLoad(url, figure, phone) {
    const browser = await chromium.launch(LAUNCH);
    try {
        const context = await browser.newContext(phone ? PHONE : {});
        const p = await context.newPage();
        if (phone) await (await context.newCDPSession(p)).send('Emulation.setCPUThrottlingRate', { rate: 4 });
        await p.addInitScript(() => {
            const load = window.wvLoad = { longest: 0, shift: 0 };
            const watch = (type, take) => new PerformanceObserver((list) => list.getEntries().forEach(take))
                .observe({ type, buffered: true });
            watch('longtask', (e) => { load.longest = Math.max(load.longest, e.duration); });
            watch('layout-shift', (e) => { load.shift += e.hadRecentInput ? 0 : e.value; });
        });
        await p.goto(url);
        // polled with plain evaluations: waitForFunction would evaluate the tool's own large script in the page,
        // a long task of its own at 4x counted as the page's
        while (!await p.evaluate(figure)) await new Promise((resolve) => setTimeout(resolve, 20));
        await p.evaluate(() => new Promise((resolve) => requestIdleCallback(() => setTimeout(resolve, 500),
            { timeout: 5000 })));
        return { value: await p.evaluate(figure), ...await p.evaluate(() => window.wvLoad) };
    } finally {
        await browser.close();
    }
}

const firstResults = () => window.werkverbund && window.werkverbund.timing.firstResults;

// The first results after a load against the empty page's first script, loads of the two taking turns.
async function startRatio(url) {
    const empty = [], full = [];
    for (let i = 0; i < 9; i++) {
        empty.push((await freshLoad(url + 'leer', () => window.firstScript)).value);
        full.push((await freshLoad(url, firstResults)).value);
    }
    return { empty: median(empty), page: median(full) };
}

// A full plan's link loaded on a phone at 4x CPU: the longest task and the layout shift of each load.
async function linkLoads(url) {
    const loads = [];
    for (let i = 0; i < 5; i++) loads.push(await freshLoad(url + FULLEST_PLAN, firstResults, true));
    return { longest: loads.map((l) => Math.round(l.longest)), shift: Math.max(...loads.map((l) => l.shift)) };
}

// One Lighthouse run: the category scores (0 to 100) and the layout shift. Asynchronous, so that this process
// goes on serving the page meanwhile.
async function lighthouse(url, desktop) {
    const { stdout } = await execFile(process.env.LIGHTHOUSE, [url, '--quiet', '--output=json',
        '--only-categories=performance,accessibility,best-practices',
        '--chrome-flags=--headless=new --no-sandbox --disable-gpu', ...(desktop ? ['--preset=desktop'] : [])],
    { maxBuffer: 64 << 20 });
    const report = JSON.parse(stdout);
    const score = (c) => Math.round(report.categories[c].score * 100);
    return { performance: score('performance'), accessibility: score('accessibility'),
        practices: score('best-practices'), shift: report.audits['cumulative-layout-shift'].numericValue };
}

// The median of several runs, figure by figure.
async function lighthouseMedian(url, desktop) {
    const runs = [];
    for (let i = 0; i < LIGHTHOUSE_RUNS; i++) runs.push(await lighthouse(url, desktop));
    return Object.fromEntries(Object.keys(runs[0]).map((k) => [k, median(runs.map((r) => r[k]))]));
}

// ---- The chain: a change with it in sight against hidden, and its first picture on a phone ----

// The fullest plan in two pages, the chain hidden in one and in sight in the other, each changed 101 times in turn
// (so that the machine's load weighs on both alike), a frame apart as typing comes: each change's time as the page
// takes it, and the chain's redraw in the frame after it (between frame callbacks asked for before and after).
async function chainChanges(browser, url) {
    const pages = [];
    for (const tab of [null, '#t-chain']) {
        const p = await browser.newPage();
        await p.goto(url + FULLEST_PLAN);
        await p.waitForFunction(() => window.werkverbund && window.werkverbund.timing.firstResults !== null);
        if (tab) await p.click(tab);
        pages.push(p);
    }
    const times = pages.map(() => ({ change: [], redraw: [] }));
    for (let i = 0; i < 101; i++) {
        for (const [k, p] of pages.entries()) {
            const got = await p.evaluate(async (i) => {
                const frame = () => new Promise((resolve) => requestAnimationFrame(() => resolve(performance.now())));
                const before = frame();
                const field = document.getElementById('f-OF-A');
                field.value = String(1 + i % 7);
                field.dispatchEvent(new Event('input', { bubbles: true }));
                const redraw = await frame() - await before;
                await new Promise((resolve) => setTimeout(resolve));   // the frame drawn before the next change
                return { change: window.werkverbund.timing.recomputes.pop(), redraw };
            }, i);
            times[k].change.push(got.change);
            times[k].redraw.push(got.redraw);
        }
    }
    await Promise.all(pages.map((p) => p.close()));
    return times.map((t) => ({ change: median(t.change), redraw: median(t.redraw) }));
}

// The chain's first picture on a phone at 4x CPU: from the click on its tab to the end of the frame that shows it,
// once the page has settled (as a player opens it), or right after a change; median of 7 fresh pages.
async function chainFirstDraw(browser, url, changed) {
    const times = [];
    for (let i = 0; i < 7; i++) {
        const context = await browser.newContext({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 3,
            isMobile: true, hasTouch: true });
        const p = await context.newPage();
        await p.goto(url + FULLEST_PLAN);
        await p.waitForFunction(() => window.werkverbund && window.werkverbund.timing.firstResults !== null);
        await p.evaluate(() => new Promise((resolve) => setTimeout(resolve, 1000)));
        if (changed) await p.fill('#f-OF-A', '4');
        const cdp = await context.newCDPSession(p);
        await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
        times.push(await p.evaluate(() => new Promise((resolve) => {
            const start = performance.now();
            document.getElementById('t-chain').click();
            requestAnimationFrame(() => setTimeout(() => resolve(performance.now() - start)));
        })));
        await context.close();
    }
    return median(times);
}

async function chainRows(url) {
    const browser = await chromium.launch({ executablePath: process.env.CHROME_PATH, args: ['--no-sandbox', '--headless'] });
    const [hidden, shown] = await chainChanges(browser, url);
    const settled = await chainFirstDraw(browser, url, false);
    const changed = await chainFirstDraw(browser, url, true);
    await browser.close();
    return [
        ['change with the chain in sight against hidden, fullest plan, median of 101 changes a frame apart (ratio)',
            (shown.change / hidden.change).toFixed(2), (v) => v <= 1.25, 'at most 1.25'],
        [`  the same change: hidden ${hidden.change.toFixed(2)} ms, in sight ${shown.change.toFixed(2)} ms; the chain's `
            + 'redraw in the frame after it, median (ms)', shown.redraw.toFixed(2), () => true, ''],
        ['first draw of the fullest plan\'s chain on a phone at 4x CPU, the page settled, median of 7 (ms)',
            settled.toFixed(0), (v) => v <= 100, 'at most 100'],
        ['  the same right after a change (ms)', changed.toFixed(0), () => true, ''],
    ];
}

async function measure(url) {
    const start = await startRatio(url);
    const link = await linkLoads(url);
    const times = await timings(url);
    const rows = [
        ['size of werkverbund.html (bytes)', fs.statSync(page).size, (v) => v <= 250 * 1024, 'at most 256,000'],
        [`first results after a load (${start.page.toFixed(1)} ms) against an empty page's first script `
            + `(${start.empty.toFixed(1)} ms), fresh browser each, medians of 9`, (start.page / start.empty).toFixed(2),
        (v) => v <= 2, 'at most 2'],
        [`longest task while a full plan's link loads, phone at 4x CPU, median of 5 loads (${link.longest.join(', ')})`,
            median(link.longest), (v) => v <= 50, 'at most 50'],
        ['layout shift while it loads, the largest of the 5', link.shift.toFixed(3), (v) => v <= 0.02, 'at most 0.02'],
        ['recompute, every option, -m fields empty, median of 101 (ms)', times.recompute.toFixed(2), (v) => v <= 1,
            'at most 1'],
        ['recompute with the chain diagram in sight, every option, median of 101 (ms)', times.chain.toFixed(2),
            (v) => v <= 2, 'at most 2'],
        ['recompute with the chain in sight, every option and every field of -xl -or, median of 101 (ms)',
            times.fullest.toFixed(2), (v) => v <= 2, 'at most 2'],
    ].concat(await chainRows(url));
    if (!LIGHTHOUSE_RUNS) return rows;
    const mobile = await lighthouseMedian(url, false);
    const desktop = await lighthouseMedian(url, true);
    return rows.concat([
        ['Lighthouse Performance, mobile', mobile.performance, (v) => v >= 95, 'at least 95'],
        ['Lighthouse Performance, desktop', desktop.performance, () => true, ''],
        ['Lighthouse Accessibility', mobile.accessibility, (v) => v === 100, '100'],
        ['Lighthouse Best Practices', mobile.practices, (v) => v === 100, '100'],
        ['layout shift, mobile', mobile.shift.toFixed(3), (v) => v <= 0.02, 'at most 0.02'],
        ['layout shift, desktop', desktop.shift.toFixed(3), (v) => v <= 0.02, 'at most 0.02'],
    ]);
}

async function main() {
    const server = await serve();
    const load = () => `load average: ${os.loadavg().map((l) => l.toFixed(2)).join(' ')}`;
    const before = load();
    let rows;
    try {
        rows = await measure(`http://127.0.0.1:${server.address().port}/`);
    } finally {
        server.close();
    }
    const report = [`${new Date().toISOString().slice(0, 16)}, ${before} before, ${load()} after`].concat(rows.map(
        ([what, value, met, target]) => `${what}: ${value}${target ? ` (target ${target})` : ''}`
            + `${met(Number(value)) ? '' : '  MISSED'}`)).join('\n') + '\n';
    process.stdout.write(report);
    fs.writeFileSync(path.join(path.dirname(page), 'page-bench.txt'), report);
    process.exitCode = rows.every(([, value, met]) => met(Number(value))) ? 0 : 1;
}

main().catch((e) => {
    process.stderr.write(String(e.stack || e) + '\n');
    process.exitCode = 1;
});
