// Smaller things a player meets on the first day that the random player does not look at: lines of zeros, files named after the plan, a link to a plan that is here already.
// (Where two features meet, the repros are the player's fixed steps: player.test.mjs.)
import test from 'node:test';
import assert from 'node:assert';
import { openPage, reload, close, tab, noticeSays } from './browser.js';

// A line of zeros shows 0 or – in every cell (the plants' surplus "0 EZ"); the console's "-0" of a sale too.
test('lines of zeros hidden and the dark scheme chosen by the player, in this browser only', async () => {
    const page = await openPage('#v=2&saleSkwM=1&GKF=1');
    const lines = () => page.locator('#results tbody tr:not(.explained)').evaluateAll((rows) => rows.map((tr) =>
        [tr.checkVisibility(), [...tr.cells].slice(1).every((c) => /^(-?0( EZ)?|–|)$/.test(c.textContent))]));
    assert.ok((await lines()).every(([shown]) => shown), 'all shown at first');
    const toggle = page.getByRole('switch', { name: 'Leere Zeilen ausblenden' });
    await toggle.check();
    await page.locator('#theme').click();   // dark on a light system
    await reload(page);
    assert.deepStrictEqual(await page.evaluate(() => [document.documentElement.getAttribute('data-theme'),
        getComputedStyle(document.documentElement).backgroundColor]), ['dark', 'rgb(17, 21, 26)'], 'the scheme kept');
    assert.strictEqual(await page.locator('#theme').getAttribute('aria-pressed'), 'true');
    const now = await lines();
    assert.ok(await toggle.isChecked() && now.every(([shown, zeros]) => shown !== zeros) && now.filter(([s]) => !s).length >= 7,
        `kept in this browser, the lines of zeros hidden: ${now}`);
    const other = await openPage('#v=2&saleSkwM=1&GKF=1');
    assert.ok(!await other.getByRole('switch', { name: 'Leere Zeilen ausblenden' }).isChecked(), 'not in the plan');
    await close(page, other);
});

test('files named after the plan; a link to a plan that is here already says so', async () => {
    const page = await openPage('#v=2&name=Nord%3A%20Erz&EAM=2');
    await tab(page, 'Dateien');
    const links = page.locator('#csv, #planfile');
    assert.deepStrictEqual(await links.allInnerTexts(), ['Nord_ Erz.csv', 'Nord_ Erz.werkverbund.json']);
    const again = await openPage('#v=2&name=Nord%3A%20Erz&EAM=2', { context: page.context() });
    await noticeSays(again, /Den Plan des Links gibt es hier schon: „Nord: Erz“ ist jetzt offen/);
    await reload(page);
    assert.doesNotMatch(await page.locator('#notice').innerText(), /gibt es hier schon/, 'a reload is no link');
    await close(page);
});
