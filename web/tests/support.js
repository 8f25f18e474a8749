// What the web tests share: the builds, golden cases, the console program in a scratch folder, seeded random runs.
'use strict';
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const util = require('node:util');
const assert = require('node:assert');
const { spawnSync } = require('node:child_process');
const { nativeCore } = require('./native.js');

const root = path.resolve(__dirname, '../..');
const webBuild = path.resolve(process.env.WERKVERBUND_WEB_BUILD || path.join(root, 'build-web'));
const nativeProgram = path.resolve(process.env.WERKVERBUND_NATIVE || path.join(root, 'build/werkverbund'));
const goldenDir = path.join(root, 'tests/golden');
const OUTPUT_FILES = ['Ergebnis.txt', 'Eingaben.txt', 'Eingaben-Variablen.txt', 'readme.txt'];

// The page's runner in node on the WebAssembly core, or on the native one where WERKVERBUND_CORE names its bridge
// (as under ctest); runner.core is the core, for its memory.
async function loadRunner() {
    const { makeRunner } = await import('../core/run.js');  // the page's scripts are ES modules
    const { loadCore } = await import('../core/load.js');
    const core = process.env.WERKVERBUND_CORE ? nativeCore(path.resolve(process.env.WERKVERBUND_CORE))
        : await loadCore(fs.readFileSync(path.join(webBuild, 'web/werkverbund-core.wasm')));
    return Object.assign(makeRunner(core), { core });
}

const latin1 = (file) => fs.readFileSync(file).toString('latin1');

// One golden case as the arguments, input and folder contents of a run, and what it must give.
function goldenCase(name) {
    const dir = path.join(goldenDir, name);
    const has = (f) => fs.existsSync(path.join(dir, f));
    const read = (f, otherwise) => (has(f) ? latin1(path.join(dir, f)) : otherwise);
    const before = { files: {}, dirs: [] };
    for (const entry of has('setup') ? fs.readdirSync(path.join(dir, 'setup'), { withFileTypes: true }) : []) {
        if (entry.isDirectory()) before.dirs.push(entry.name);
        else before.files[entry.name] = latin1(path.join(dir, 'setup', entry.name));
    }
    const status = Number(read('status', '0').trim());
    return {
        // a case with a launcher sets up standard streams or limits that a run on input in memory does not have
        name, launcher: has('launcher'), before, input: read('stdin', ''),
        args: read('args', '').split('\n').filter((a, i, all) => i < all.length - 1 || a !== ''),
        // the page gives the program's return value: -1 where the shell sees 255
        status: status === 255 ? -1 : status, stdout: read('stdout'), stderr: read('stderr', null),
        files: Object.fromEntries(OUTPUT_FILES.filter((f) => has('files/' + f)).map((f) => [f, read('files/' + f)])),
    };
}

const goldenCases = () => fs.readdirSync(goldenDir, { withFileTypes: true }).filter((e) => e.isDirectory()).map((e) => goldenCase(e.name));

// Files as strings of bytes, whatever they came as.
const fileTexts = (files) => Object.fromEntries(Object.entries(files).map(([name, bytes]) =>
    [name, typeof bytes === 'string' ? bytes : Buffer.from(bytes).toString('latin1')]));

// The console program in a scratch folder set up as before: its status (-1 for the shell's 255), text, files left.
function runNative(args, input, before = { files: {}, dirs: [] }) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'werkverbund-native-'));
    try {
        for (const name of before.dirs) fs.mkdirSync(path.join(dir, name));
        for (const [name, text] of Object.entries(before.files)) fs.writeFileSync(path.join(dir, name), text, 'latin1');
        const r = spawnSync(nativeProgram, args, { cwd: dir, input: Buffer.from(input, 'latin1'), timeout: 20000 });
        if (r.error) throw r.error;
        const files = fs.readdirSync(dir).sort().filter((name) => fs.statSync(path.join(dir, name)).isFile());
        return { status: r.status === 255 ? -1 : r.status, stdout: r.stdout.toString('latin1'),
            stderr: r.stderr.toString('latin1'), files: Object.fromEntries(files.map((f) => [f, latin1(path.join(dir, f))])) };
    } finally {
        fs.rmSync(dir, { recursive: true, force: true });
    }
}

const randomRuns = (variable) => [Number(process.env[variable] || 2000),
    Number(process.env.WERKVERBUND_RANDOM_SEED || Date.now() % 1000000)];

// The page's run must be the console program's; what made a failing one is kept in build-web/<name>-failure.json.
function assertSameRun(name, page, native, what, made) {
    const actual = { status: page.status, stdout: page.stdout, stderr: page.stderr, files: fileTexts(page.files) };
    if (util.isDeepStrictEqual(actual, native)) return;  // key order aside: the page's result lists files first
    const kept = path.join(webBuild, name + '-failure.json');
    fs.writeFileSync(kept, JSON.stringify(made, null, 1));
    assert.deepStrictEqual(actual, native, `${what} (seed ${made.seed}); what made it is in ${kept}`);
}

// A small seeded generator (mulberry32), so that a failing run can be made again.
function generator(seed) {
    let a = seed >>> 0;
    const next = () => {
        a = (a + 0x6d2b79f5) >>> 0;
        let t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
    const int = (n) => Math.floor(next() * n);
    return { next, int, pick: (list) => list[int(list.length)], chance: (p) => next() < p };
}

const started = (page) => page.waitForFunction(() => window.werkverbund?.timing.firstResults != null);
const reload = async (page) => { await page.reload(); await started(page); };
// Does job on the page and waits for the notice, emptied before, to say something (that holds said, when given).
async function noticeAfter(page, job, said = '') {
    await page.evaluate(() => { document.getElementById('notice').textContent = ''; });
    await job();
    await page.waitForFunction((said) => {
        const text = document.getElementById('notice').textContent;
        return text !== '' && text.includes(said);
    }, said);
}

// Debian's Chromium, headless, with nothing of its own going out.
const CHROMIUM = { executablePath: process.env.WERKVERBUND_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'] };
// The plan with every option and something in most questions, as the page benchmark has it.
const FULL_PLAN = '#h&br&xl&or=j&dat=j&es&opt&saleSkwM=1&saleSkwL=1&EAM=2&SAL=1&L1M=1&L2L=1&KM=2&GKF=2&SBF=1'
    + '&WF.A=3&OF.B=2&WF.P=1&OF.T=1&WF.V=5&OF.Y=-1&crystalRace=b';

// Whether two rectangles of a chain's layout cover a common point.
const overlap = (a, b) => a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;

module.exports = { overlap, CHROMIUM, FULL_PLAN, generator, randomRuns, assertSameRun, webBuild, nativeProgram,
    loadRunner, runNative, goldenCases, fileTexts, OUTPUT_FILES, started, reload, noticeAfter };
