// The page as a planner, in headless Chromium, where the random player (player.test.mjs) does not look: what is said
// of an unreadable plan, of a shared complex, of built counts, of what a link brings in; axe-core throughout.
import test from 'node:test';
import assert from 'node:assert';
import { openPage, goTo, reload, close, assertAccessible, tab, copiedLink, planNames, values, noticeSays, PHONE, PAGE_URL,
    started } from './browser.js';

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
    await page.click('#qr');
    await assertAccessible(page, 'Zusammen on a phone, the QR code open');

    await page.getByRole('button', { name: 'Als neuen Plan speichern' }).click();
    await noticeSays(page, /„Zusammen: Ost \+ West“ ist hinzugekommen/);
    assert.deepStrictEqual([await planNames(page), await values(page, '#f-WF-A')], [['Ost', 'West', 'Zusammen: Ost + West'], ['2']]);
    await page.getByRole('switch', { name: 'Überschüsse klein halten' }).check();  // the new plan, now in the form
    await page.waitForFunction(() => document.querySelector("#together .cannot li")?.textContent);  // drawn a moment later, perhaps out of sight
    assert.deepStrictEqual(await page.locator('#together .cannot li').allTextContents(),
        ['„Ost“: anders als „Zusammen: Ost + West“: „Überschüsse klein halten“ aus.']);
    await assertAccessible(page, 'Zusammen, plans that cannot be added up');
    await close(page);
});

test('built counts per size: missing and too many said, totals, in the link only when asked; printed', async () => {
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
    await field(size).fill(String(need));
    assert.deepStrictEqual((await state()).slice(0, 2), ['done', 'fertig']);
    await assertAccessible(page, 'built counts');

    // kept in the plan and read back from a link: store.test.mjs; in plan files: the random player
    assert.doesNotMatch(await page.evaluate(() => location.hash), /b:/, 'not in the address');
    for (const withBuilt of [false, true]) {
        await page.locator('#copy-built').setChecked(withBuilt);
        const link = await copiedLink(page);
        assert.strictEqual(new RegExp(`^[^#]*#v=3&.*&b:SKW\\.${size}=${need}`).test(link), withBuilt, link);
    }

    await page.emulateMedia({ media: 'print' });
    const cell = row.locator('td', { has: page.getByLabel(`Sonnenkraftwerke Typ ${size} gebaut`) });
    assert.strictEqual(await cell.locator('.print-count').innerText(), String(need));
    await close(page);
});

// A link with thousands of built counts of no line: added (each named once, in brief), stored compactly, an edit of it
// kept. A count by line name of a line the options hide comes back with them; a stored plan named by a number is
// listed by it, one that cannot be read as damaged.
test('what is taken stays readable: built counts of no line said and dropped, of a hidden line kept; a damaged plan', async () => {
    const rows = Array.from({ length: 5000 }, (_, i) => `b:z${i}=1`).join('&');
    const page = await openPage(`#v=3&name=Gross&saleSkwM=2&${rows}`);
    assert.match(await page.locator('#problems').innerText(),
        /In der Adresse: „z0“: keine Zeile dieses Namens; der Baustand dazu ist übergangen\n(.*\n){19}.*und 4980 weitere$/);
    await page.locator('#f-GKF').fill('4');
    await page.evaluate(() => localStorage.setItem('werkverbund.plan.zy', '{"werkverbund":1,"name":"Alt","plan":{'));
    await reload(page);  // a stored plan that cannot be read is said by its name, and the page works on
    assert.match(await page.locator('#notice').innerText(), /Gespeicherter Plan „Alt“: nicht lesbar/);
    assert.deepStrictEqual([await planNames(page), await values(page, '#f-saleSkwM', '#f-GKF')], [['Gross', 'Alt (beschädigt)'], ['2', '4']]);
    await page.evaluate(() => localStorage.setItem('werkverbund.plan.zz', JSON.stringify({ werkverbund: 2, name: 7,
        plan: {}, built: {} })));
    await goTo(page, '#v=2&opt&WF.V=5&b:Piraten%20L2%2BL1Fabriken=3');
    assert.deepStrictEqual((await planNames(page)).slice(1).sort(), ['7', 'Alt (beschädigt)', 'Geteilter Plan']);
    await page.getByRole('switch', { name: 'Fünf weitere Völker' }).check();
    await tab(page, 'Baustand');
    assert.strictEqual(await page.getByLabel('Piraten L2+L1Fabriken Typ L gebaut').inputValue(), '3');
    await close(page);
});

// A tab that hears of another tab's change only after its own (its storage events held back until then): its undo
// takes back its own change, the other tab's stays.
test('undo takes back this tab\'s change, not one another tab made meanwhile', async () => {
    const a = await openPage('#v=2&name=Beide&saleSkwM=1'), b = await a.context().newPage();
    await b.addInitScript(() => {
        const add = window.addEventListener;
        window.addEventListener = function (type, listener, ...rest) {
            const held = [];
            if (type === 'storage') window.hear = () => held.splice(0).forEach(listener);
            return add.call(this, type, type === 'storage' ? (e) => held.push(e) : listener, ...rest);
        };
    });
    await b.goto(PAGE_URL);
    await started(b);
    for (const [page, field, text] of [[a, '#f-GKF', '2'], [b, '#f-KDF', '3']]) await page.fill(field, text).then(() => page.locator(field).blur());
    await b.evaluate(() => window.hear());
    await b.click('#undo');
    await a.waitForFunction(() => document.getElementById('f-KDF').value === '');
    assert.deepStrictEqual([await values(b, '#f-GKF', '#f-KDF'), await values(a, '#f-GKF', '#f-KDF')], [['2', ''], ['2', '']]);
    await close(a);
});
