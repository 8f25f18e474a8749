// The page as a planner, in headless Chromium: named plans, comparison, built counts, plan files; axe-core throughout.
import test from 'node:test';
import assert from 'node:assert';
import fs from 'node:fs';
import { OUTPUT_FILES, started } from './support.js';
import { openPage, reload, close, assertAccessible, tab, transcript, download, fileOf, copiedLink, planNames, values,
    noticeSays, PHONE } from './browser.js';

// A link opened in another tab is added beside the others (with full storage too: keep.test.mjs).
test('several plans: a link beside the plan being edited; copy, delete and back; an unreadable plan', async () => {
    const page = await openPage('#v=2&xl&WF.A=2');
    await page.locator('#plan-name').fill('Mein Ausbau');
    await page.locator('#f-WF-A').fill('4');
    const shared = await openPage('#v=2&name=Anna&saleSkwM=3', { context: page.context() });
    await page.waitForFunction(() => document.querySelectorAll('#plan-list option').length === 2);  // the other tab hears of it
    await shared.locator('#plan-list').selectOption({ label: 'Mein Ausbau' });
    assert.deepStrictEqual(await values(shared, '#f-WF-A', '#plan-name'), ['4', 'Mein Ausbau'], 'as it was left');
    await shared.locator('#plan-copy').click();
    await shared.locator('#plan-delete').click();
    assert.deepStrictEqual(await planNames(shared), ['Mein Ausbau', 'Anna']);
    await shared.locator('#notice button', { hasText: 'Rückgängig' }).click();
    assert.deepStrictEqual([await planNames(shared), await values(shared, '#plan-name', '#f-WF-A')],
        [['Mein Ausbau', 'Anna', 'Kopie von Mein Ausbau'], ['Kopie von Mein Ausbau', '4']]);

    // a stored plan that cannot be read is said by its name, and the page works on
    await shared.evaluate(() => localStorage.setItem('werkverbund.plan.zz', '{"werkverbund":1,"name":"Alt","plan":{'));
    await reload(shared);
    assert.match(await shared.locator('#notice').innerText(), /Gespeicherter Plan „Alt“: nicht lesbar/);
    assert.match(await transcript(shared), /Cahoonapressen/);
    assert.deepStrictEqual((await planNames(shared)).slice(-1), ['Alt (beschädigt)']);
    await close(page);
});

// Piraten with five units of food build one L pair; without the races' names the line is Rasse1's, its count stays
// on it: in the checklist, its totals and the comparison.
test('compare, and a built count that stays on its line when the extra races lose their names', async () => {
    const page = await openPage('#v=2&name=A&opt&WF.A=3');
    await page.getByRole('switch', { name: 'Fünf weitere Völker' }).check();
    await page.locator('#f-WF-V').fill('5');
    await tab(page, 'Baustand');
    await page.getByLabel('Piraten L2+L1Fabriken Typ L gebaut').fill('1');
    const [foot, before] = [await page.locator('#built tfoot').innerText(), await page.locator('#s-total').innerText()];
    await page.locator('#plan-copy').click();
    await tab(page, 'Vergleich');
    const picked = await page.locator('.pick select').evaluateAll((l) => l.map((e) => e.selectedOptions[0].text));
    assert.deepStrictEqual(picked.sort(), ['A', 'Kopie von A'], 'opens with two different plans');
    await page.locator('#compare-a').selectOption({ label: 'A' });
    await page.locator('#compare-b').selectOption({ label: 'Kopie von A' });
    assert.match(await page.locator('#comparison').innerText(), /Die Ergebnisse der beiden Pläne sind gleich/);
    await page.getByRole('switch', { name: 'Weitere Völker mit Namen' }).uncheck();
    const rows = (await page.locator('#comparison tbody tr').allInnerTexts()).filter((r) => /Piraten|Rasse1/.test(r));
    assert.strictEqual(rows.length, 1, 'one line in the comparison');
    assert.match(rows[0], /^Piraten L2\+L1Fabriken \/ Rasse1 L2\+L1Fabriken\s/);
    assert.deepStrictEqual(await page.locator('#comparison li').allInnerTexts(), ['Weitere Völker mit Namen: ja · nein']);
    await tab(page, 'Baustand');
    const line = page.locator('#built tr', { hasText: 'Rasse1 L2+L1Fabriken' });
    assert.deepStrictEqual([await line.getByLabel('Rasse1 L2+L1Fabriken Typ L gebaut').inputValue(),
        await line.locator('td').last().innerText(), await page.locator('#built tfoot').innerText()], ['1', 'fertig', foot]);

    await tab(page, 'Vergleich');
    await page.locator('#f-WF-A').fill('7');  // the copy is the plan in the form
    await page.waitForFunction(() => document.querySelectorAll('#comparison tr.differs').length > 1);
    const built = await page.locator('.compare-totals tr', { hasText: 'Fabriken zu bauen' }).locator('td').allInnerTexts();
    assert.deepStrictEqual(built.slice(0, 2), [before, await page.locator('#s-total').innerText()]);
    assert.match(await page.locator('#comparison .hint').innerText(), /^\d+ Ergebniszeilen unterscheiden sich/);
    assert.ok((await page.locator('#comparison li').allInnerTexts()).includes('Argonen erzbasiert: „3“ · „7“'));
    await assertAccessible(page, 'compare, a line renamed');
    await close(page);
});

// One Argon factory needs an M plant of 9.640 EZ; two apart need one each, together one plant still covers 7.200 EZ.
test('Zusammen on a phone: what a shared complex saves, kept as a new plan; plans that cannot be added up', async () => {
    const page = await openPage('#v=2&name=Ost&WF.A=1', { viewport: PHONE, colorScheme: 'dark' });
    await openPage('#v=2&name=West&WF.A=1&saleSkwM=0', { context: page.context() });  // the same complex, another plan
    await page.waitForFunction(() => document.querySelectorAll('#plan-list option').length === 2);
    await tab(page, 'Zusammen');
    const saving = page.locator('#together .saving');
    assert.match(await saving.innerText(), /^Ein gemeinsamer Komplex spart \d+ Fabrik(en)? und 9\.640 EZ\.$/);
    const built = await page.locator('#together tr', { hasText: 'Fabriken zu bauen' }).locator('td').allInnerTexts();
    assert.strictEqual(built[0], String(2 * await page.locator('#s-total').innerText()), 'apart: twice the one plan');
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth), 'no wider than the phone');
    await page.click('#qr');
    await assertAccessible(page, 'Zusammen on a phone, the QR code open');

    await page.getByRole('button', { name: 'Als neuen Plan speichern' }).click();
    await noticeSays(page, /„Zusammen: Ost \+ West“ ist hinzugekommen/);
    assert.deepStrictEqual([await planNames(page), await values(page, '#f-WF-A')], [['Ost', 'West', 'Zusammen: Ost + West'], ['2']]);
    await page.getByRole('switch', { name: 'Überschüsse klein halten' }).check();  // the new plan, now in the form
    assert.deepStrictEqual(await page.locator('#together .cannot li').allInnerTexts(),
        ['„Ost“: anders als „Zusammen: Ost + West“: „Überschüsse klein halten“ aus.']);
    await assertAccessible(page, 'Zusammen, plans that cannot be added up');
    await close(page);
});

test('built counts per size: missing and too many said, totals, in the link only when asked; reset and back', async () => {
    const page = await openPage('#saleSkwM=1&WF.A=3&OF.B=2&crystalRace=b');
    const counts = (await page.locator('#results tr', { hasText: 'Sonnenkraftwerke' }).first().locator('td').allInnerTexts())
        .slice(0, 3).map((t, i) => [['M', 'L', 'XL'][i], Number(t)]).filter(([, n]) => n > 0);
    const total = await page.locator('#s-total').innerText();  // the factories to build, as the summary has them
    await tab(page, 'Baustand');
    const row = page.locator('#built tr', { hasText: 'Sonnenkraftwerke' });
    const field = (size) => row.getByLabel(`Sonnenkraftwerke Typ ${size} gebaut`, { exact: true });
    for (const [size, n] of counts.slice(1)) await field(size).fill(String(n));
    const [size, need] = counts[0];
    const all = counts.reduce((sum, [, n]) => sum + n, 0);
    const state = async () => [await row.getAttribute('class'), await row.locator('td').last().innerText(),
        await page.locator('#built tfoot').innerText()];
    await field(size).fill(String(need - 1));
    assert.deepStrictEqual(await state(), ['missing to-build', `fehlt ${size} 1`, `Gebaut: ${all - 1} von ${total} Fabriken (ein Paar zählt zwei)`]);
    await field(size).fill('x');
    assert.strictEqual(await field(size).getAttribute('aria-invalid'), 'true');
    await field(size).fill(String(need));
    assert.deepStrictEqual((await state()).slice(0, 2), ['done', 'fertig']);
    await assertAccessible(page, 'built counts');

    // kept in the plan and read back from a link: store.test.mjs; a plan file below brings them back
    assert.doesNotMatch(await page.evaluate(() => location.hash), /b:/, 'not in the address');
    for (const withBuilt of [false, true]) {
        await page.locator('#copy-built').setChecked(withBuilt);
        const link = await copiedLink(page);
        assert.strictEqual(new RegExp(`^[^#]*#v=3&.*&b:SKW\\.${size}=${need}`).test(link), withBuilt, link);
    }

    const console = await transcript(page);
    await page.locator('#reset').click();
    assert.strictEqual(await page.locator('#form input:not([type])').evaluateAll((l) => l.filter((e) => e.value).length), 0);
    await page.locator('#notice button', { hasText: 'Rückgängig' }).click();
    assert.strictEqual(await transcript(page), console, 'the plan is back');

    await page.emulateMedia({ media: 'print' });
    const cell = row.locator('td', { has: page.getByLabel(`Sonnenkraftwerke Typ ${size} gebaut`) });
    assert.strictEqual(await cell.locator('.print-count').innerText(), String(need));
    await close(page);
});

test('a plan file loads back as a new plan, to the same files byte for byte', async () => {
    const names = [...OUTPUT_FILES, 'antworten.txt'];
    const page = await openPage('#dat=j&br&h&xl&WF.A=3&OF.T=2&saleSkwL=1&EAM=1&ME=&crystalRace=t');
    await page.locator('#plan-name').fill('Ausbau: Teladi/Argonen');
    await tab(page, 'Baustand');
    await page.locator('#built input').first().fill('1');
    const files = [];
    for (const name of names) files.push(await fileOf(page, name));
    const planFile = await download(page, '#planfile');
    assert.strictEqual(planFile.name, 'Ausbau_ Teladi_Argonen.werkverbund.json');
    await close(page);

    const other = await openPage('#v=2&name=Schon%20da&saleSkwM=2');
    const load = (name, buffer) => other.locator('#plan-load').setInputFiles({ name, mimeType: 'application/json', buffer });
    await load(planFile.name, planFile.bytes);
    await noticeSays(other, /als neuer Plan geladen/);
    assert.deepStrictEqual(await planNames(other), ['Schon da', 'Ausbau: Teladi/Argonen'], 'added, none replaced');
    for (const [i, name] of names.entries()) assert.ok((await fileOf(other, name)).equals(files[i]), name);
    await tab(other, 'Baustand');
    assert.strictEqual(await other.locator('#built input').first().inputValue(), '1', 'the built counts come along');
    await load('kaputt.json', Buffer.from('{kaputt'));
    await noticeSays(other, /kaputt\.json: Das ist keine Plandatei/);
    assert.deepStrictEqual(await planNames(other), ['Schon da', 'Ausbau: Teladi/Argonen'], 'no plan added');

    // all plans in one file: loaded elsewhere they are added, loaded again nothing is, loaded where they are nothing
    const [saved] = await Promise.all([other.waitForEvent('download'), other.locator('#plans-save').click()]);
    assert.match(saved.suggestedFilename(), /^Alle Pläne \d{4}-\d\d-\d\d\.werkverbund\.json$/);
    const all = fs.readFileSync(await saved.path());
    const third = await openPage('#v=2&name=Dritter');
    for (const [page, said] of [[third, /hinzugekommen: „Schon da“, „Ausbau: Teladi\/Argonen“\.$/],
        [third, /kein Plan hinzugekommen\. Übersprungen, weil schon da: „Schon da“, „Ausbau: Teladi\/Argonen“/],
        [other, /kein Plan hinzugekommen\. Übersprungen, weil schon da/]]) {
        await page.evaluate(() => { document.getElementById('notice').textContent = ''; });
        await page.locator('#plan-load').setInputFiles({ name: 'alle.json', mimeType: 'application/json', buffer: all });
        await noticeSays(page, said);
    }
    assert.deepStrictEqual(await planNames(third), ['Schon da', 'Ausbau: Teladi/Argonen', 'Dritter'], 'in the order made');
    await third.locator('#plan-list').selectOption({ label: 'Ausbau: Teladi/Argonen' });
    for (const [i, name] of names.entries()) assert.ok((await fileOf(third, name)).equals(files[i]), name);
    await tab(third, 'Baustand');
    assert.strictEqual(await third.locator('#built input').first().inputValue(), '1');
    await close(other, third);
});

// A link with thousands of built counts of no line: added (each named once, in brief), stored compactly, an edit of it
// kept. A count by line name of a line the options hide comes back with them; a stored plan named by a number is
// listed by it.
test('what is taken stays readable: built counts of no line said and dropped, of a hidden line kept', async () => {
    const rows = Array.from({ length: 5000 }, (_, i) => `b:z${i}=1`).join('&');
    const page = await openPage(`#v=3&name=Gross&saleSkwM=2&${rows}`);
    assert.match(await page.locator('#problems').innerText(),
        /In der Adresse: „z0“: keine Zeile dieses Namens; der Baustand dazu ist übergangen\n(.*\n){19}.*und 4980 weitere$/);
    await page.locator('#f-GKF').fill('4');
    await reload(page);
    assert.deepStrictEqual([await planNames(page), await values(page, '#f-saleSkwM', '#f-GKF')], [['Gross'], ['2', '4']]);
    await page.evaluate(() => localStorage.setItem('werkverbund.plan.zz', JSON.stringify({ werkverbund: 2, name: 7,
        plan: {}, built: {} })));
    await page.goto(page.url().replace(/#.*/, '#v=2&opt&WF.V=5&b:Piraten%20L2%2BL1Fabriken=3'));
    await started(page);
    assert.deepStrictEqual((await planNames(page)).slice(1), ['Geteilter Plan', '7']);
    await page.getByRole('switch', { name: 'Fünf weitere Völker' }).check();
    await tab(page, 'Baustand');
    assert.strictEqual(await page.getByLabel('Piraten L2+L1Fabriken Typ L gebaut').inputValue(), '3');
    await close(page);
});
