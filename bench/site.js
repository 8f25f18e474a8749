// The site folder's figures: its size, the first results of a repeat visit (the service worker serving the page;
// median of 9 loads) against the time an empty page served the same way takes to run its first script (median of
// 9, measured in the same run), and Lighthouse on a first visit (Performance on a phone, Accessibility, Best
// Practices), all served with gzip from 127.0.0.1 by the web tests' small server. Not part of CI: the figures
// depend on the machine and its load.
//   node bench/site.js [SITE-FOLDER]   (default build-web/site)
// LIGHTHOUSE_RUNS: Lighthouse runs (default 3, the median taken; 0 leaves it out); Lighthouse comes from the lock in
// bench/site/ (cd bench/site && npm ci). Prints the figures and exits 1 when a target is missed.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const { promisify } = require('node:util');
const execFile = promisify(require('node:child_process').execFile);
const { chromium } = require('../web/tests/node_modules/playwright-core');
const { serve } = require('../web/tests/serve.js');

const site = path.resolve(process.argv[2] || path.join(__dirname, '../build-web/site'));
const LIGHTHOUSE = path.join(__dirname, 'site/node_modules/.bin/lighthouse');
const RUNS = Number(process.env.LIGHTHOUSE_RUNS || 3);
const CHROMIUM = process.env.CHROME_PATH || '/usr/bin/chromium';
const median = (list) => list.slice().sort((a, b) => a - b)[Math.floor(list.length / 2)];

async function loads(context, url, figure) {
    const times = [];
    for (let i = 0; i < 9; i++) {
        const page = await context.newPage();
        await page.goto(url);
        await page.waitForFunction(figure);
        times.push(await page.evaluate(figure));
        await page.close();
    }
    return median(times);
}

async function timings(siteUrl, emptyUrl) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'werkverbund-bench-'));
    const context = await chromium.launchPersistentContext(profile, { executablePath: CHROMIUM,
        args: ['--no-sandbox', '--headless', '--disable-gpu'] });
    try {
        const first = context.pages()[0];
        await first.goto(siteUrl);
        await first.evaluate(() => navigator.serviceWorker.register('sw.js'));  // as the page does, at once
        await first.evaluate(() => navigator.serviceWorker.ready);
        await first.waitForFunction(() => navigator.serviceWorker.controller);
        const empty = await loads(context, emptyUrl, () => window.firstScript);
        const repeat = await loads(context, siteUrl, () => window.werkverbund && window.werkverbund.timing.firstResults);
        return { empty, repeat };
    } finally {
        await context.close();
        fs.rmSync(profile, { recursive: true, force: true });
    }
}

async function lighthouse(url) {
    const { stdout } = await execFile(LIGHTHOUSE, [url, '--quiet', '--output=json',
        '--only-categories=performance,accessibility,best-practices',
        '--chrome-flags=--headless=new --no-sandbox --disable-gpu'], { maxBuffer: 64 << 20, env: { ...process.env, CHROME_PATH: CHROMIUM } });
    const report = JSON.parse(stdout);
    return ['performance', 'accessibility', 'best-practices'].map((c) => Math.round(report.categories[c].score * 100));
}

async function main() {
    const files = fs.readdirSync(site).map((f) => fs.readFileSync(path.join(site, f)));
    const size = files.reduce((n, b) => n + b.length, 0);
    const gzipped = files.reduce((n, b) => n + zlib.gzipSync(b, { level: 9 }).length, 0);
    const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'werkverbund-empty-'));
    fs.writeFileSync(path.join(scratch, '_headers'), '');
    fs.writeFileSync(path.join(scratch, 'index.html'), '<!DOCTYPE html>\n<html lang="de"><meta charset="utf-8">'
        + '<title>Leer</title><p>Leer</p><script>window.firstScript = performance.now();</script>\n');
    const server = await serve(site, { compress: true });
    const empty = await serve(scratch, { compress: true });
    const rows = [['size of the site folder (bytes; gzipped)', `${size}; ${gzipped}`, size <= 300 * 1024, 'at most 307,200']];
    try {
        const t = await timings(server.url, empty.url);
        rows.push(['an empty page\'s first script, median of 9 (ms)', t.empty.toFixed(1), true, ''],
            ['first results of a repeat visit, median of 9 (ms)', t.repeat.toFixed(1), true, ''],
            ['their ratio', (t.repeat / t.empty).toFixed(2), t.repeat <= 2 * t.empty, 'at most 2']);
        if (RUNS && fs.existsSync(LIGHTHOUSE)) {
            const runs = [];
            for (let i = 0; i < RUNS; i++) runs.push(await lighthouse(server.url));
            const [performance, accessibility, practices] = [0, 1, 2].map((k) => median(runs.map((r) => r[k])));
            rows.push(['Lighthouse Performance, mobile', performance, performance >= 95, 'at least 95'],
                ['Lighthouse Accessibility', accessibility, accessibility === 100, '100'],
                ['Lighthouse Best Practices', practices, practices === 100, '100']);
        } else if (RUNS) {
            rows.push(['Lighthouse', 'not installed (cd bench/site && npm ci)', true, '']);
        }
    } finally {
        await server.close();
        await empty.close();
        fs.rmSync(scratch, { recursive: true, force: true });
    }
    for (const [what, value, met, target] of rows) {
        console.log(`${what}: ${value}${target ? ` (target ${target})` : ''}${met ? '' : '  MISSED'}`);
    }
    process.exitCode = rows.every((r) => r[2]) ? 0 : 1;
}

main().catch((e) => {
    console.error(e.stack || String(e));
    process.exitCode = 1;
});
