// The page in headless Chromium, offline, from a file, as a player uses it: every golden case through
// window.werkverbund.run; the form filled for three golden cases with every downloaded file compared byte for byte
// with the console program's, also for files the switched-on options do not write; the plan in the address, in an
// answers file and in a link with a wrong value; the results in sight on a phone; the result tables, dark mode,
// print, the plan bar; no layout shift and no axe-core violation in any state visited; screenshots; and generous
// bounds on size and speed (the targets are measured by bench/page.sh).
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');
const { webBuild, nativeProgram, goldenCases, compareWithCase, loadRunner, OUTPUT_FILES } = require('./support.js');

const PAGE = path.join(webBuild, 'werkverbund.html');
const PAGE_URL = pathToFileURL(PAGE).href;
const LOCAL = /^(file|data|blob):/;
const FORM_CASES = ['energy-2', 'food-6', 'dialogue-3'];
const AXE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const PHONE = { width: 390, height: 844 };
const cases = Object.fromEntries(goldenCases().map((c) => [c.name, c]));

let browser;
let tables;
const blocked = [];  // every request that tried to leave the machine
const pageErrors = [];

test.before(async () => {
    tables = (await loadRunner()).tables();
    browser = await chromium.launch({
        executablePath: process.env.WERKVERBUND_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
});
test.after(async () => {
    if (browser) await browser.close();
});

async function openPage(hash = '', viewport = { width: 1280, height: 900 }, colorScheme = 'light') {
    const context = await browser.newContext({ acceptDownloads: true, viewport, colorScheme });
    await context.setOffline(true);
    await context.route('**/*', (route) => {
        const url = route.request().url();
        if (LOCAL.test(url)) return route.continue();
        blocked.push(url);
        return route.abort();
    });
    context.on('request', (r) => { if (!LOCAL.test(r.url())) blocked.push(r.url()); });
    const page = await context.newPage();
    page.on('pageerror', (e) => pageErrors.push(String(e)));
    await page.goto(PAGE_URL + hash);
    await started(page);
    return page;
}
const started = (page) => page.waitForFunction(() => window.werkverbund && window.werkverbund.timing.firstResults !== null);

// axe-core's violations in the page as it stands, one line each.
async function assertAccessible(page, state) {
    if (!await page.evaluate(() => !!window.axe)) await page.addScriptTag({ content: AXE });
    const violations = await page.evaluate(async () => (await window.axe.run(document)).violations.map(
        (v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
    assert.deepStrictEqual(violations, [], `axe-core in the state "${state}"`);
}

// The console text, as the Konsolenausgabe tab shows it; the tab in sight before is shown again after.
async function transcript(page) {
    const before = await page.locator('[role=tab][aria-selected=true]').getAttribute('id');
    await page.click('#t-console');
    const text = await page.locator('#transcript').evaluate((e) => e.textContent);
    await page.click('#' + before);
    return text;
}
// the tables' text without the "Warum?" buttons
const resultsText = async (page) => (await page.locator('#results').innerText()).replace(/\u00ad/g, '').replace(/\nWarum\?/g, '');
const text = (page, selector) => page.locator(selector).innerText();
// The plan in the address, once the page has put it there.
async function planAddress(page) {
    await page.waitForFunction(() => location.hash.length > 1);
    await page.waitForTimeout(100);
    return page.evaluate(() => location.hash);
}

const keyOf = (q) => q.key || (q.key = tables.questions.filter((o) => o.code === q.code).length > 1
    ? q.code + '.' + tables.races[q.index].code : q.code);

// The lines a golden case types, turned into form entries: switches for the options, the yes/no answers, then
// one entry per question the console asks, in its order.
async function fillForm(page, c) {
    const lines = c.input.split('\n');
    const on = c.args.map((a) => a.slice(1));
    for (const name of on) await page.locator(`#o-${name}`).check();
    for (const name of on) {
        const answer = page.locator(`#a-${name}`);
        if (await answer.count()) await answer.setChecked(lines.shift() === 'j');
    }
    for (const q of tables.questions.filter((o) => !o.when || on.includes(o.when))) {
        const value = lines.shift();
        if (q.kind === 'letter') await page.locator(`input[name="${keyOf(q)}"][value="${value}"]`).check();
        else await page.locator(`#f-${keyOf(q).replace(/\W/g, '-')}`).fill(value);
    }
}

async function download(page, name) {
    await page.getByRole('tab', { name: 'Dateien' }).click();
    const [file] = await Promise.all([page.waitForEvent('download'), page.locator(`#downloads a[download="${name}"]`).click()]);
    return fs.readFileSync(await file.path());
}

// The console program in a fresh folder: its console text and the files it wrote.
function runNative(args, input) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'werkverbund-page-'));
    const run = spawnSync(nativeProgram, args, { cwd: dir, input });
    const files = Object.fromEntries(fs.readdirSync(dir).map((f) => [f, fs.readFileSync(path.join(dir, f))]));
    fs.rmSync(dir, { recursive: true });
    return { stdout: run.stdout.toString('latin1'), files };
}

test('golden cases through window.werkverbund.run in Chromium', async () => {
    const page = await openPage();
    for (const c of Object.values(cases).filter((c) => !c.launcher)) {
        const result = await page.evaluate(async (c) => {
            const r = await window.werkverbund.run(c.args, c.input, c.before);
            for (const name of Object.keys(r.files)) r.files[name] = String.fromCharCode(...r.files[name]);
            return r;
        }, c);
        assert.deepStrictEqual(compareWithCase(c, result), [], c.name);
    }
    await page.context().close();
});

test('the form gives the console program\'s text and files, also through the address and an answers file', async () => {
    for (const name of FORM_CASES) {
        const c = cases[name];
        const page = await openPage();
        await fillForm(page, c);
        assert.strictEqual(await transcript(page), c.stdout, `${name}: console text`);
        for (const file of OUTPUT_FILES.filter((f) => f in c.files)) {
            assert.strictEqual((await download(page, file)).toString('latin1'), c.files[file], `${name}: ${file}`);
        }
        // the console program takes the answers file and writes the same files
        const native = runNative(c.args, await download(page, 'antworten.txt'));
        assert.strictEqual(native.stdout, c.stdout, `${name}: console program on antworten.txt`);
        for (const file of Object.keys(c.files)) {
            assert.strictEqual(native.files[file].toString('latin1'), c.files[file], `${name}: native ${file}`);
        }
        await assertAccessible(page, `${name} filled in, files shown`);

        // the plan survives the address, and a reload
        const address = await planAddress(page);
        const copy = await openPage(address);
        assert.strictEqual(await transcript(copy), c.stdout, `${name}: plan from the address`);
        await copy.reload();
        await started(copy);
        assert.strictEqual(await transcript(copy), c.stdout, `${name}: after reload`);

        // an answers file typed for the console fills the form
        const options = address.slice(1).split('&').filter((p) => !p.includes('=') || /^(or|dat)=/.test(p));
        const loader = await openPage('#' + options.join('&'));
        await loader.click('#t-console');
        await loader.locator('#load').setInputFiles({ name: 'antworten.txt', mimeType: 'text/plain', buffer: Buffer.from(c.input, 'latin1') });
        await loader.waitForFunction((text) => document.getElementById('transcript').textContent === text, c.stdout);
        const unnamed = (a) => a.replace(/&name=[^&]*/, '');  // the link's plan is named for the link
        assert.strictEqual(unnamed(await planAddress(loader)), unnamed(address), `${name}: loaded plan`);
        assert.match(await text(loader, '#notice'), /antworten\.txt geladen/);
        for (const p of [page, copy, loader]) await p.context().close();
    }
});

test('every file downloads without its option, as the console program writes it with that option', async () => {
    const plan = '#saleSkwM=2&WF.A=3&OF.T=1&crystalRace=t';
    const page = await openPage(plan);
    for (const link of await page.locator('#downloads a[data-needs]').all()) {
        const name = await link.getAttribute('download');
        const needs = await link.getAttribute('data-needs');
        // the list says which options write the file in the console program
        const option = '-' + needs.replace(/=.*/, '');
        assert.ok((await link.locator('xpath=..').innerText()).includes(option), `${name} names ${option}`);
        const withOption = await openPage(`${plan}&${needs}`);
        const native = runNative([option], await download(withOption, 'antworten.txt'));
        if (name === 'readme.txt') await assertAccessible(withOption, 'files of a plan with -h');
        assert.ok(native.files[name], `the console program writes ${name} with ${option}`);
        assert.ok((await download(page, name)).equals(native.files[name]), `${name} as the console program writes it`);
        await withOption.context().close();
    }
    await page.context().close();
});

test('a link with a wrong value names the field, leads to it, and shows the rest of the plan', async () => {
    const page = await openPage('#WF.A=1&OF.B=abc&foo=1');
    const rest = await openPage('#WF.A=1');
    assert.strictEqual(await resultsText(page), await resultsText(rest), 'the results of the rest of the plan');
    const problems = await text(page, '#problems');
    assert.match(problems, /Boronen siliziumbasiert: „abc“ – Bitte eine ganze Zahl von -10000 bis 10000 eingeben/);
    assert.match(problems, /In der Adresse: „foo=1“: nicht lesbar, übergangen/);
    await assertAccessible(page, 'wrong value from a link');
    await page.locator('#problems a', { hasText: 'Boronen siliziumbasiert' }).click();
    assert.strictEqual(await page.evaluate(() => document.activeElement.id), 'f-OF-B');
    assert.match(await planAddress(page), /OF\.B=abc/, 'the link to the field is no change of the plan');

    // typed wrong entries are named at their field, and the rest of the plan is computed without them
    const argon = page.locator('#f-WF-A');
    await page.locator('#f-OF-B').fill('');
    for (const wrong of ['abc', '1.5', '10001', '-10001', '0x10', '1Į5']) {
        await argon.fill(wrong);
        const message = await argon.evaluate((e) => document.getElementById(e.getAttribute('aria-describedby')).textContent);
        assert.match(message, /^Argonen erzbasiert: Bitte eine ganze Zahl von -10000 bis 10000/, wrong);
        assert.match(await resultsText(page), /kein Erzbedarf/i, `results without ${wrong}`);
    }
    // one ore-based Level 3 factory: 150 ore per hour, L mines of 28.55 per yield point:
    // Ausreichend 150 / 28.55 + 0.49 = 5.74 -> 6, Empfohlen 150 / 28.55 + 0 + 11.49 = 16.74 -> 17
    await argon.fill('1');
    assert.match(await text(page, '#results table:has-text("Minen")'), /\b6\s+17\b/);
    await argon.fill('010');  // decimal ten, not the console's octal eight
    assert.ok(await page.locator('#problems').isHidden());
    assert.match(await transcript(page), /Ausreichend: 53 {2}Empfohlen: 66/);  // 1500 / 28.55 + 0.49, + 2 + 11.49
    for (const p of [page, rest]) await p.context().close();
});

test('an answers file saved with other options warns and offers the options it fits; a huge one is refused', async () => {
    const c = cases['energy-2'];  // saved with all eight options
    const page = await openPage('#h&br&es&opt');
    const load = (buffer) => page.locator('#load').setInputFiles({ name: 'antworten.txt', mimeType: 'text/plain', buffer });
    await load(Buffer.from(c.input, 'latin1'));
    await page.waitForFunction(() => /passt nicht/.test(document.getElementById('notice').textContent));
    assert.match(await text(page, '#notice'), /Nach der letzten Frage stehen noch \d+ Zeilen/);
    await assertAccessible(page, 'answers file that does not fit');
    await page.locator('#notice button', { hasText: 'Mit -h -br -xl -or -dat -m -es -opt laden' }).click();
    assert.strictEqual(await transcript(page), c.stdout, 'loaded with the options it fits');

    // the run ends before the file's last question: said too
    await page.locator('#o-xl').uncheck();
    await load(Buffer.from('j\nj\n5\n', 'latin1'));  // the two yes/no answers and one count
    await page.waitForFunction(() => /endet vor der letzten Frage/.test(document.getElementById('notice').textContent));
    const sale = await page.locator('#f-saleSkwM, #f-saleSkwL').evaluateAll((l) => l.map((e) => e.value));
    assert.deepStrictEqual(sale, ['5', ''], 'the fields after the file\'s end stay empty');
    await assertAccessible(page, 'answers file that ends early');

    const before = await planAddress(page);
    await load(Buffer.alloc(70000, '1\n'));
    await page.waitForFunction(() => /höchstens 64 KB/.test(document.getElementById('notice').textContent));
    assert.strictEqual(await planAddress(page), before, 'a refused file changes nothing');
    await page.context().close();
});

test('-m fields: the shown values when empty, a decimal comma, and too few SKWs shown as a deficit', async () => {
    const page = await openPage('#m&WF.A=1');
    // one ore-based Level 3 factory: 3600 EZ, so one M plant; 150 ore; silicon for the crystal
    // factory of that plant, 2 units of 37.5; sizes in the form's order M, L, XL
    const shown = await page.locator('#form .computed').allInnerTexts();
    assert.deepStrictEqual(shown, ['3600', '1', '0', '0', '150', '75'].map((v) => 'berechnet: ' + v));
    const plain = await openPage('#WF.A=1');
    assert.strictEqual(await resultsText(page), await resultsText(plain));
    await assertAccessible(page, '-m with shown values');

    // a decimal comma is a decimal point: 1500.5 ore gives 1500.5 / 28.55 + 0.49 = 53.05 -> 53 and
    // 52.56 + 11.49 = 64.05 -> 64; the files are the same bytes
    const files = {};
    for (const typed of ['1500,5', '1500.5']) {
        const p = await openPage(`#m&dat=j&br&WF.A=1&ME=${encodeURIComponent(typed)}`);
        assert.match(await text(p, '#results table:has-text("Minen")'), /\b53\s+64\b/, typed);
        files[typed] = [await transcript(p)];
        for (const f of ['Ergebnis.txt', 'Eingaben.txt', 'Eingaben-Variablen.txt']) files[typed].push(await download(p, f));
        await p.context().close();
    }
    assert.deepStrictEqual(files['1500,5'], files['1500.5']);

    // two M plants in all (one sold, one for the 3600 EZ), but none typed: -1 supporting plant, and the
    // demand 3600 + 9640 uncovered
    await page.goto(PAGE_URL + '#m&saleSkwM=1&WF.A=1&skwM=0');
    await started(page);
    const skw = page.locator('#results tr', { hasText: 'Sonnenkraftwerke' });
    assert.match(await skw.innerText(), /-1\s+0\s+0\s+Mangel 13\.240 EZ/);
    assert.strictEqual(await skw.locator('td.bad').count(), 2, 'the negative count and the deficit are highlighted');
    assert.match(await text(page, '.said'), /Negative Anzahl.*Zu wenig Energie: es fehlen 13\.240 EZ pro Stunde/);
    assert.match(await text(page, '#summary'), /EZ-Mangel\s+13\.240/);
    assert.match(await text(page, 'label[for="f-skwM"]'), /SKWs Typ M insgesamt\s+mit den SKWs für den EZ-Verkauf/);
    for (const p of [page, plain]) await p.context().close();
});

test('result tables: sizes as the form asks them, German thousands, races, -es beside the SKWs, totals, errors at their row', async () => {
    const page = await openPage();
    await fillForm(page, cases['energy-2']);
    const rows = (await page.locator('#results table').first().locator('tr').allInnerTexts()).filter(Boolean)
        .map((r) => r.replace(/\u00ad/g, ''));
    const row = (name) => rows.find((r) => r.startsWith(name)).replace(/\s*Warum\?/, '').replace(/\s+/g, ' ').trim();
    assert.strictEqual(rows[0].replace(/\s+/g, ' '), 'Fabriken M L XL Überschuss');
    assert.strictEqual(row('Sonnenkraftwerke'), 'Sonnenkraftwerke 1 1 1 31.940 EZ');
    assert.match(rows[2], /^ungenutzte SKW-Kapazität[^]*3\.312 EZ$/, 'the -es capacity right below the SKWs');
    assert.strictEqual(row('Cahoonapressen'), 'Cahoonapressen und Ranches Argonen 1 0 0 –');
    assert.strictEqual(row('BoFu'), 'BoFuChemielabore und BoGasProdunktionen Boronen, mit den Kristallfabriken 0 0 3 –');
    assert.strictEqual(row('Rheimwerke'), 'Rheimwerke und Agrarzentren für Gefechtskopffabriken 2 0 0 S');
    // M: 1 plant + 2 crystal + 2 x (2 + 1 + 1 - 1) pairs = 9; L: 1 + 2 + 2 x 1 = 5; XL: 1 + 1 + 2 x 3 = 8
    assert.strictEqual(row('Fabriken insgesamt'), 'Fabriken insgesamt 9 5 8');
    assert.match(await text(page, '#summary'), /EZ-Überschuss\s+\+31\.940\s+SKWs\s+3\s+Kristallfabriken\s+5\s+zu bauen\s+22/);
    const results = await resultsText(page);
    assert.match(results, /EZ-Verkauf\s+33\.740/);
    assert.match(results, /Erzminen Typ XL\s+–\s+18\s+31/);
    for (const explained of [/S\s+eine halbe M-Fabrik/, /Kritisch\s+das Silizium reicht gerade/, /Empfohlen\s+etwas mehr/]) {
        assert.match(results, explained);
    }
    await assertAccessible(page, 'every option');

    // Argonen WF -5: the Cahoonapressen chain cannot split; its message and its negative count at its row
    await page.goto(PAGE_URL + '#WF.A=-5&crystalRace=b');
    await started(page);
    const chain = page.locator('#results tr:not(.said)', { hasText: 'Cahoonapressen' });
    assert.match(await chain.innerText(), /-1\s+0\s+–\s+M$/, 'M -1, L 0, no XL without -xl');
    assert.match(await chain.locator('xpath=following-sibling::tr[1]').innerText(),
        /Fehler in der Berechnung der Cahoonapressenanzahl – nach einer negativen Eingabe\. Negative Anzahl/);
    await page.context().close();
});

// Line breaks inside a word, other than at a hyphen or a soft hyphen, in the given elements.
function brokenWords(page, selector) {
    return page.evaluate((selector) => {
        const broken = [];
        for (const element of document.querySelectorAll(selector)) {
            const walker = document.createTreeWalker(element, NodeFilter.SHOW_TEXT);
            for (let node = walker.nextNode(), top = null, canBreak = true; node; node = walker.nextNode(), top = null) {
                for (let i = 0; i < node.length; i++) {
                    const range = document.createRange();
                    range.setStart(node, i);
                    range.setEnd(node, i + 1);
                    const rects = range.getClientRects();
                    const rect = rects[rects.length - 1];
                    if (rect && rect.width > 0) {
                        if (top !== null && rect.top > top + 2 && !canBreak) broken.push(node.data.slice(0, i) + '|' + node.data.slice(i));
                        top = rect.top;
                        canBreak = false;
                    }
                    canBreak = canBreak || /[\s\-\u00ad/]/.test(node.data[i]);
                }
            }
        }
        return broken;
    }, selector);
}

test('phone: the summary stays in sight while typing, the way between inputs and results goes both ways, no word is broken', async () => {
    const page = await openPage('#xl&or=j&es&m&WF.A=3&saleSkwM=1', PHONE);
    const field = page.locator('#f-OF-T');
    await field.focus();
    const inSight = (box) => box.y >= 0 && box.y + box.height <= PHONE.height;
    const summary = await page.locator('#summary').boundingBox();
    const fieldBox = await field.boundingBox();
    assert.ok(inSight(summary) && inSight(fieldBox) && fieldBox.y >= summary.y + summary.height, 'summary and field in sight');
    await page.keyboard.type('2');
    assert.match(await text(page, '#summary'), /zu bauen/);

    await page.locator('#view', { hasText: 'Ergebnisse' }).click();
    assert.strictEqual(await page.evaluate(() => document.activeElement.id), 'ergebnisse');
    assert.ok(inSight(await page.locator('#ergebnisse').boundingBox()));
    await page.locator('#view', { hasText: 'Eingaben' }).click();
    assert.strictEqual(await page.evaluate(() => document.activeElement.id), 'f-OF-T', 'back to the field typed in');
    assert.deepStrictEqual(await brokenWords(page, '.results th, .results td, #form label, #form th, legend, .summary'), []);
    await assertAccessible(page, 'phone');

    // a skip link to the results on every width, first in the tab order
    for (const width of [PHONE.width, 1280]) {
        await page.setViewportSize({ width, height: 844 });
        await page.reload();
        await started(page);
        await page.keyboard.press('Tab');
        assert.strictEqual(await page.evaluate(() => document.activeElement.textContent), 'Zu den Ergebnissen');
        await page.keyboard.press('Enter');
        assert.strictEqual(await page.evaluate(() => document.activeElement.id), 'ergebnisse', `width ${width}`);
    }
    assert.match(await planAddress(page), /WF\.A=3/, 'the skip link leaves the plan in the address');
    await page.context().close();
});

test('dark mode follows the system, and a switch kept in the browser, not in the address', async () => {
    const background = (page) => page.evaluate(() => getComputedStyle(document.documentElement).backgroundColor);
    const light = await openPage();
    const dark = await openPage('#WF.A=1', undefined, 'dark');
    assert.notStrictEqual(await background(dark), await background(light));
    await assertAccessible(dark, 'dark');
    await dark.locator('#theme').click();
    assert.strictEqual(await background(dark), await background(light), 'switched to light');
    await dark.reload();
    await started(dark);
    assert.strictEqual(await background(dark), await background(light), 'kept over a reload');
    assert.match(await planAddress(dark), /^#v=2&name=[^&]*&WF\.A=1$/, 'not in the address');
    await dark.locator('#theme').click();
    assert.notStrictEqual(await background(dark), await background(light), 'back to the system\'s dark');
    for (const p of [light, dark]) await p.context().close();
});

test('print shows the date, the plan in brief and the result tables with a box per row, no input box', async () => {
    const page = await openPage('#xl&WF.A=3&saleSkwM=1');
    await page.emulateMedia({ media: 'print' });
    assert.strictEqual(await page.locator('input:visible, button:visible').count(), 0);
    assert.match(await text(page, '.print-only'), /Stand: .*\d{4}[^]*Plan: -xl · Sonnenkraftwerke Typ M: 1 · Argonen erzbasiert: 3/);
    assert.ok(await page.locator('#results table').first().isVisible());
    const box = await page.locator('#results tbody th').first().evaluate((e) => getComputedStyle(e, '::before').borderTopStyle);
    assert.strictEqual(box, 'solid', 'a box to tick');
    await page.screenshot({ path: path.join(webBuild, 'werkverbund-print.png'), fullPage: true });
    await page.pdf({ path: path.join(webBuild, 'werkverbund-print.pdf'), preferCSSPageSize: true });
    await page.context().close();
});

test('the plan bar copies the plan\'s link and empties the plan, with a way back', async () => {
    const page = await openPage('#dat=n&WF.A=2');
    await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
    await page.locator('#f-OF-A').fill('1');
    const console = await transcript(page);
    await page.locator('#copy').click();
    await page.waitForFunction(() => document.getElementById('notice').textContent !== '');
    const copied = await page.locator('#notice input').count()
        ? await page.locator('#notice input').inputValue() : await page.evaluate(() => navigator.clipboard.readText());
    const copy = await openPage(copied.slice(copied.indexOf('#')));
    assert.strictEqual(await transcript(copy), console, 'the copied link holds the plan');

    await page.locator('#reset').click();
    await assertAccessible(page, 'plan emptied');
    assert.strictEqual(await page.locator('#form input:not([type])').evaluateAll((l) => l.filter((e) => e.value).length), 0);
    assert.ok(!await page.locator('#o-dat').isChecked());
    await page.locator('#notice button', { hasText: 'Rückgängig' }).click();
    assert.strictEqual(await transcript(page), console, 'the plan is back');
    for (const p of [page, copy]) await p.context().close();
});

test('no layout shift on load, the summary as the only live region of the results, screenshots', async () => {
    for (const viewport of [{ width: 1280, height: 900 }, PHONE]) {
        const page = await openPage('', viewport);
        const shift = await page.evaluate(() => new Promise((resolve) => {
            let sum = 0;
            new PerformanceObserver((list) => { for (const e of list.getEntries()) sum += e.value; })
                .observe({ type: 'layout-shift', buffered: true });
            setTimeout(() => resolve(sum), 300);
        }));
        assert.ok(shift <= 0.02, `layout shift ${shift} at ${viewport.width} pixels`);
        await assertAccessible(page, `empty plan at ${viewport.width} pixels`);
        await page.context().close();
    }
    const page = await openPage();
    assert.deepStrictEqual(await page.evaluate(() => [...document.querySelectorAll('#output [aria-live], #output [role=status]')].length), 0);
    assert.strictEqual(await page.locator('#summary [aria-live]').count(), 1);
    for (const tab of ['Dateien', 'Konsolenausgabe']) {
        await page.getByRole('tab', { name: tab }).click();
        await assertAccessible(page, `tab ${tab}`);
    }
    await page.getByRole('tab', { name: 'Übersicht' }).click();
    await fillForm(page, cases['energy-2']);
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.screenshot({ path: path.join(webBuild, 'werkverbund-screenshot.png') });
    await page.setViewportSize(PHONE);
    await page.screenshot({ path: path.join(webBuild, 'werkverbund-phone.png'), fullPage: true });
    const dark = await openPage(await planAddress(page), undefined, 'dark');
    await dark.screenshot({ path: path.join(webBuild, 'werkverbund-dark.png') });
    await dark.setViewportSize(PHONE);
    await dark.locator('#f-OF-T').focus();
    await dark.screenshot({ path: path.join(webBuild, 'werkverbund-dark-phone.png') });
    for (const p of [page, dark]) await p.context().close();
});

test('the page is small and starts and recomputes in time, with bounds a slow machine keeps', async () => {
    assert.ok(fs.statSync(PAGE).size <= 250 * 1024, 'at most 250 KB');
    const page = await openPage('#h&br&xl&or=j&dat=j&m&es&opt&WF.A=3');
    assert.ok(await page.evaluate(() => window.werkverbund.timing.firstResults) < 5000, 'first results within 5 s');
    const median = await page.evaluate(() => {
        const field = document.getElementById('f-WF-B');
        for (let i = 0; i < 20; i++) {
            field.value = String(i % 7);
            field.dispatchEvent(new Event('input', { bubbles: true }));
        }
        return window.werkverbund.timing.recomputes.slice(-20).sort((a, b) => a - b)[10];
    });
    assert.ok(median < 100, `a recompute within 100 ms, took ${median} ms`);
    await page.context().close();
});

test('the page makes no network request and raises no error', () => {
    assert.deepStrictEqual(blocked, []);
    assert.deepStrictEqual(pageErrors, []);
});
