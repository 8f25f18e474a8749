// A player's words in headless Chromium: every "Warum?" of the fullest plan without codes or flags, the printed plan
// with the options' names, fields found by their names without soft hyphens, and a built count that stays on its line
// when the extra races lose their names.
// The sentences and the carrying over of old counts, in node: results.test.mjs and export.test.mjs.
import test from 'node:test';
import assert from 'node:assert';
import { FULL_PLAN } from './support.js';
import { openPage, close, assertAccessible, tab, shot } from './browser.js';

test('every "Warum?" of the fullest plan in words, and the fields by names without soft hyphens', async () => {
    const page = await openPage(FULL_PLAN);
    for (const why of await page.locator('#results button.why').all()) await why.click();
    const said = await page.locator('#results .explained').allInnerTexts();
    assert.ok(said.length >= 20);
    for (const text of said) {
        const words = text.replace(/\b(EZ|XL|SKW|L[12])\b|Ergebnis\.txt/g, '');
        assert.doesNotMatch(words, /\b[A-Z][A-Z0-9]+\b|(^|[\s(])-[a-z]|(^|[^\w])-0\b/, text);
    }
    for (const name of ['Sonnenkraftwerke Typ M', 'Kristallfabriken Typ L', 'Argonen siliziumbasiert', 'Gefechtskopffabriken']) {
        assert.strictEqual(await page.getByRole('textbox', { name, exact: true }).count(), 1, name);
    }
    assert.strictEqual(await page.getByRole('row', { name: /\u00ad/ }).count(), 0, 'no result line named with a soft hyphen');
    const brief = await page.locator('#print-plan').textContent();
    assert.match(brief, /^Plan: „Hilfetext schreiben“ · .* · „Fünf weitere Völker“ \(Weitere Völker mit Namen: ja\) · /);
    assert.doesNotMatch(brief, /(^|\s)-[a-z]/);
    await close(page);
});

test('a built count stays on its line when the extra races lose their names: checklist, totals, comparison', async () => {
    const page = await openPage('#opt');
    await page.getByRole('switch', { name: 'Fünf weitere Völker' }).check();
    await page.locator('#f-WF-V').fill('5');  // five units of food: one L pair
    await tab(page, 'Baustand');
    await page.getByLabel('Piraten L2+L1Fabriken Typ L gebaut').fill('1');
    const foot = await page.locator('#built tfoot').innerText();
    await page.locator('#plan-copy').click();
    await page.getByRole('switch', { name: 'Weitere Völker mit Namen' }).uncheck();
    const line = page.locator('#built tr', { hasText: 'Rasse1 L2+L1Fabriken' });
    assert.deepStrictEqual([await line.getByLabel('Rasse1 L2+L1Fabriken Typ L gebaut').inputValue(),
        await line.locator('td').last().innerText(), await page.locator('#built tfoot').innerText()], ['1', 'fertig', foot]);
    await tab(page, 'Vergleich');
    const rows = (await page.locator('#comparison tbody tr').allInnerTexts()).filter((r) => /Piraten|Rasse1/.test(r));
    assert.strictEqual(rows.length, 1, 'one line in the comparison');
    assert.match(rows[0], /^(Piraten L2\+L1Fabriken \/ Rasse1|Rasse1 L2\+L1Fabriken \/ Piraten) L2\+L1Fabriken\s/);
    assert.match(await page.locator('#comparison li').first().innerText(), /^Weitere Völker mit Namen: (ja · nein|nein · ja)$/);
    await assertAccessible(page, 'a line renamed');
    await shot(page, 'names-renamed');
    await close(page);
});
