// The page in headless Chromium as a player uses it: the form, downloads, wrong links, -m fields, phone, dark, print.
import test from 'node:test';
import assert from 'node:assert';
import { goldenCases, runNative, OUTPUT_FILES } from './support.js';
import { session, PAGE_URL, PHONE, openPage, goTo, reload, close, assertAccessible, text, transcript,
    fileOf, planAddress, fieldId } from './browser.js';

const cases = Object.fromEntries(goldenCases().map((c) => [c.name, c]));
const latin1 = async (page, name) => (await fileOf(page, name)).toString('latin1');
// the tables' text without the "Warum?" buttons
const resultsText = async (page) => (await page.locator('#results').innerText()).replace(/\u00ad/g, '').replace(/\nWarum\?/g, '');
const focused = (page) => page.evaluate(() => document.activeElement.id);

// The lines a golden case types as form entries: its options, their yes/no answers, then the questions in order.
async function fillForm(page, c) {
    const lines = c.input.split('\n');
    const on = c.args.map((a) => a.slice(1));
    for (const name of on) await page.locator(`#o-${name}`).check();
    for (const name of on) {
        const answer = page.locator(`#a-${name}`);
        if (await answer.count()) await answer.setChecked(lines.shift() === 'j');
    }
    for (const q of session.tables.questions.filter((o) => !o.when || on.includes(o.when))) {
        if (q.kind === 'letter') await page.locator(`input[name="${q.key}"][value="${lines.shift()}"]`).check();
        else await page.locator(fieldId(q.key)).fill(lines.shift());
    }
}

test('the form gives the console program\'s text and files', async () => {
    for (const c of ['energy-2', 'food-6', 'dialogue-3'].map((name) => cases[name])) {
        const page = await openPage();
        await fillForm(page, c);
        assert.strictEqual(await transcript(page), c.stdout, `${c.name}: console text`);
        for (const file of OUTPUT_FILES.filter((f) => f in c.files)) {
            assert.strictEqual(await latin1(page, file), c.files[file], `${c.name}: ${file}`);
        }
        await assertAccessible(page, `${c.name} filled in, files shown`);
        await page.click('#t-console');
        await assertAccessible(page, `${c.name}: console text`);
        await close(page);
    }
});

test('every file downloads without its option, as the console program writes it with that option', async () => {
    const plan = '#saleSkwM=2&WF.A=3&OF.T=1&crystalRace=t';
    const page = await openPage(plan);
    for (const link of await page.locator('#downloads a[data-needs]').all()) {
        const [name, needs] = [await link.getAttribute('download'), await link.getAttribute('data-needs')];
        const option = '-' + needs.replace(/=.*/, '');  // the list says which options write the file
        const withOption = await openPage(`${plan}&${needs}`);
        const native = runNative([option], await fileOf(withOption, 'antworten.txt'));
        assert.strictEqual(await latin1(page, name), native.files[name], `${name} as the console program writes it`);
        await close(withOption);
    }
    await close(page);
});

// Which texts a field refuses and what it says: limits.test.mjs; which parts of a link cannot be read: store.test.mjs.
test('a link with wrong values names them, leads to their field, shows the rest of the plan; a thousands dot', async () => {
    const page = await openPage('#v=2&m&ME=1.500&MS=0.500&WF.A=1&OF.B=abc&foo=1&crystalRace=B');
    const rest = await openPage('#v=2&m&ME=1500&WF.A=1');
    assert.strictEqual(await resultsText(page), await resultsText(rest), 'the results of the rest of the plan');
    const problems = await text(page, '#problems');
    assert.match(problems, /Boronen siliziumbasiert: „abc“ – Bitte eine ganze Zahl von -10000 bis 10000 eingeben/);
    // the race used is shown; "1.500" is taken (its value: limits.test.mjs), "0.500" refused with how to write it
    assert.strictEqual(await page.locator('input[name=crystalRace]:checked').getAttribute('value'), 'a');
    assert.match(await text(page, '#f-MS-m'), /Tausenderpunkt: bitte 1\.500 oder 1500/);
    assert.strictEqual(await page.locator('#f-ME').getAttribute('aria-invalid'), 'false');
    await assertAccessible(page, 'wrong values from a link');
    await page.locator('#problems a', { hasText: 'Boronen siliziumbasiert' }).click();
    assert.strictEqual(await focused(page), 'f-OF-B');
    assert.match(await planAddress(page), /OF\.B=abc/, 'the link to the field is no change of the plan');
    await close(page, rest);
});

test('-m fields: the shown values when empty; a deficit marked', async () => {
    const page = await openPage('#m&WF.A=1');
    // one ore-based Level 3 factory: 3600 EZ, so one M plant; 150 ore; silicon for the crystal factory of that
    // plant, 2 units of 37.5; sizes in the form's order M, L, XL
    const shown = await page.locator('#form .computed').allInnerTexts();
    assert.deepStrictEqual(shown, ['3.600', '1', '0', '0', '150', '75'].map((v) => 'berechnet: ' + v));

    // two M plants needed (one sold, one for the 3600 EZ), none typed: -1 supporting plant, 3600 + 9640 EZ uncovered
    // (the rows' texts, and those of a chain that cannot split, as a fresh run has them: the random player)
    await goTo(page, '#m&saleSkwM=1&WF.A=1&skwM=0');
    const skw = page.locator('#results tr', { hasText: 'Sonnenkraftwerke' });
    assert.strictEqual(await skw.locator('td.bad').count(), 2, 'the negative count and the deficit are highlighted');
    assert.match(await text(page, '#summary'), /EZ-Mangel\s+13\.240/);
    await close(page);
});

test('a start that fails says why in the results and leaves nothing out of sight', async () => {
    // the core's plan run fails, in the midst of the start's steps; a browser cannot inflate the core
    const failures = [[() => {
        const instantiate = WebAssembly.instantiate;
        WebAssembly.instantiate = (...given) => instantiate(...given).then((instance) => ({ exports: { ...instance.exports,
            wv_runPlan: () => { throw new Error('kaputt'); } } }));
    }, 'kaputt'], [() => { delete window.DecompressionStream; }, 'dieser Browser kann den Kern der Seite nicht entpacken']];
    for (const [init, said] of failures) {
        const page = await session.browser.newPage({ viewport: PHONE });
        const errors = [];
        page.on('pageerror', (e) => errors.push(e.message));
        await page.addInitScript(init);
        await page.goto(PAGE_URL);
        await page.waitForFunction((said) => document.getElementById('results').textContent
            .startsWith('Die Seite konnte nicht starten: Error: ' + said), said);
        assert.deepStrictEqual([await page.evaluate(() => document.documentElement.hasAttribute('data-starting')),
            await page.locator('#results').isVisible(), errors.map((e) => e.startsWith(said))], [false, true, [true]]);
        await page.close();
    }
});

test('phone: the summary while typing, inputs and results both ways; the skip link; print', async () => {
    const page = await openPage('#xl&or=j&es&m&WF.A=3&saleSkwM=1', { viewport: PHONE, colorScheme: 'dark' });
    const field = page.locator('#f-OF-T');
    await field.focus();
    await page.keyboard.type('2');
    assert.match(await text(page, '#summary'), /zu bauen/);

    await page.locator('#view', { hasText: 'Ergebnisse' }).click();
    assert.strictEqual(await focused(page), 'ergebnisse');
    await page.locator('#view', { hasText: 'Eingaben' }).click();
    assert.strictEqual(await focused(page), 'f-OF-T', 'back to the field typed in');
    await assertAccessible(page, 'phone, dark');

    // a skip link to the results, first in the tab order
    await reload(page);
    await page.keyboard.press('Tab');
    assert.strictEqual(await page.evaluate(() => document.activeElement.textContent), 'Zu den Ergebnissen');
    await page.keyboard.press('Enter');
    assert.strictEqual(await focused(page), 'ergebnisse');
    assert.match(await planAddress(page), /WF\.A=3/, 'the skip link leaves the plan in the address');

    // a phone of 320 pixels: every field within the screen, every figure of the summary whole
    await page.setViewportSize({ width: 320, height: 640 });
    assert.deepStrictEqual(await page.evaluate(() => [
        [...document.querySelectorAll('#form input:not([type=checkbox]):not([type=radio])')]
            .filter((field) => field.getBoundingClientRect().right > innerWidth).map((field) => field.id),
        [...document.querySelectorAll('.figures b')].filter((b) => b.scrollWidth > b.clientWidth).map((b) => b.id)]),
    [[], []]);
    await page.setViewportSize(PHONE);

    // printed without input boxes, with the date and the plan in brief (inked light: the random player)
    await page.emulateMedia({ media: 'print' });
    assert.strictEqual(await page.locator('input:visible, button:visible').count(), 0);
    assert.match(await text(page, '.print-only'), /Stand: .*\d{4}[^]*Plan: „Mit L- und XL-Größen rechnen“ · .*Argonen erzbasiert: 3/);
    await close(page);
});
