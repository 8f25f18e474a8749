// The page on every screen with the fullest plan (every option, every field of -xl -or filled), in headless Chromium:
// no tab wider than a phone; the chain fitted to its column, zoomed and panned in its box, its five kinds of line
// told apart by colour and dash as the legend shows them, a box picked with its lines and its result row; the
// plants for sale drawing their own crystals; the simplest plan drawn; printed on A4 landscape with the plan's name
// and no text below 6 pt. axe-core in every new state; screenshots into build-web/chain-*.png.
import test from 'node:test';
import assert from 'node:assert';
import { session, PHONE, openPage, close, assertAccessible, tab, shot } from './browser.js';

const DESKTOP = { width: 1366, height: 900 };
const TABS = ['Übersicht', 'Kette', 'Baustand', 'Vergleich', 'Dateien', 'Konsolenausgabe'];
const KINDS = ['energy', 'crystals', 'food', 'ore', 'silicon'];

// Every option, the names of the extra races, every field but the -m ones, the Boronen making the crystals.
function fullestPlan() {
    const values = session.tables.questions.filter((q) => q.kind !== 'letter' && q.when !== 'm')
        .map((q, i) => `${q.key}=${1 + (i * 7) % 5}`);
    return ['#v=2&h&br&xl&or=j&dat=j&es&opt&m&name=Gro%C3%9Fer%20Komplex', ...values, 'crystalRace=b'].join('&');
}

const pageWidth = (page) => page.evaluate(() => document.documentElement.scrollWidth);
const chainSizes = (page) => page.evaluate(() => {
    const [area, svg] = [document.getElementById('chain'), document.querySelector('#chain svg')];
    return { box: area.clientWidth, shown: svg.getBoundingClientRect().width, scroll: area.scrollWidth };
});

test('a phone: no tab wider than the screen with the fullest plan; the chain fitted, zoomed in it pans in its box', async () => {
    const phone = await openPage(fullestPlan(), { viewport: PHONE, colorScheme: 'dark' });
    for (const name of TABS) {
        await tab(phone, name);
        assert.ok(await pageWidth(phone) <= PHONE.width, `${name}: ${await pageWidth(phone)} px wide`);
    }
    await tab(phone, 'Vergleich');
    await shot(phone, 'chain-phone-compare', true);
    await tab(phone, 'Kette');
    let sizes = await chainSizes(phone);
    assert.ok(sizes.shown <= sizes.box, `fitted: ${JSON.stringify(sizes)}`);
    await phone.getByRole('button', { name: 'Vergrößern' }).click();
    await phone.getByRole('button', { name: 'Vergrößern' }).click();
    sizes = await chainSizes(phone);
    assert.ok(sizes.scroll > sizes.box && await pageWidth(phone) <= PHONE.width, `zoomed in its box: ${JSON.stringify(sizes)}`);
    await assertAccessible(phone, 'chain zoomed on a phone, dark');
    await phone.locator('#chain').scrollIntoViewIfNeeded();
    await shot(phone, 'chain-phone-dark');
    await close(phone);
});

test('the desktop: the chain in its column, five kinds of line, zoom by keys, a box picked with its lines and row', async () => {
    const page = await openPage(fullestPlan(), { viewport: DESKTOP });
    await tab(page, 'Kette');
    const sizes = await chainSizes(page);
    assert.ok(sizes.shown <= sizes.box && sizes.scroll <= sizes.box + 1, `fitted: ${JSON.stringify(sizes)}`);
    // each kind its own colour and dash, the same in the legend; every kind has a line in this plan
    const styles = await page.evaluate((kinds) => kinds.map((k) => {
        const line = document.querySelector(`#chain .chain-${k}:not(.bad)`);
        const sample = document.querySelector(`.chain-legend .chain-${k}`);
        const of = (e) => e && [getComputedStyle(e).stroke, getComputedStyle(e).strokeDasharray];
        return [of(line), of(sample)];
    }), KINDS);
    styles.forEach(([line, sample], i) => assert.deepStrictEqual(line, sample, `${KINDS[i]} as in the legend`));
    for (const at of [0, 1]) {
        assert.strictEqual(new Set(styles.map((s) => s[0][at])).size, KINDS.length, `five ${at ? 'dashes' : 'colours'}`);
    }
    // gathered: one arrow for all energy lines into the plants' box
    const energy = await page.locator('#chain path.chain-energy').count();
    assert.strictEqual(energy, await page.locator('#chain .chain-label').filter({ hasText: 'EZ/h' }).count() + 1,
        'a stub per energy line and one trunk');
    // the plants for sale draw their crystals from their own box: 2 units a M plant, 5 a L, 10 a XL (M 1, L 3, XL 5)
    assert.match(await page.locator('#chain svg desc').textContent(),
        /Sonnenkraftwerke zum Verkauf bezieht 67 Einheiten Kristalle von Boron Kristallfabriken\./);

    await page.locator('#chain').focus();
    await page.keyboard.press('+');
    assert.ok((await chainSizes(page)).scroll > sizes.box, 'zoomed in by the + key');
    await page.keyboard.press('0');
    assert.ok((await chainSizes(page)).shown <= sizes.box, 'fitted again by the 0 key');

    // a box focused: its lines and its neighbours stand out, the rest fades; its line said with its Warum?
    const box = page.locator('#chain .chain-box', { hasText: 'Boron Kristallfabriken' });
    await box.focus();
    assert.strictEqual(await box.getAttribute('aria-pressed'), 'true');
    const on = await page.evaluate(() => ['1', '0'].map((v) => document.querySelectorAll(`#chain [data-on="${v}"]`).length));
    assert.ok(on[0] >= 4 && on[1] > on[0], `lines of the box picked and the others: ${on}`);
    assert.match(await page.locator('#chain-picked').innerText(), /^Boron Kristallfabriken M 2 · L 3 · XL 18\. Warum\? /);
    await assertAccessible(page, 'chain, a box picked');
    await shot(page, 'chain-desktop');
    await tab(page, 'Übersicht');
    assert.match((await page.locator('#results tr.picked').innerText()).replace(/\u00ad/g, ''), /^Boron Kristallfabriken/);
    await close(page);
});

test('the simplest plans draw: one plant for sale, one less for sale', async () => {
    const page = await openPage('#v=2&saleSkwM=1');
    await tab(page, 'Kette');
    assert.match(await page.locator('#chain svg desc').textContent(),
        /Sonnenkraftwerke zum Verkauf bezieht 2 Einheiten Kristalle von Argon Kristallfabriken\./);
    // an L plant less for sale: the crystal line has no factories, but its mark F, drawn as the tables show it
    await page.locator('#f-saleSkwM').fill('');
    await page.locator('#f-saleSkwL').fill('-1');
    const crystals = page.locator('#chain .chain-box.bad', { hasText: 'Argon Kristallfabriken' });
    await crystals.waitFor();
    assert.strictEqual(await crystals.locator('.chain-mark').textContent(), 'F');
    assert.strictEqual(await page.locator('.view-failed').count(), 0);
    await close(page);
});

test('printed: A4 landscape with the plan name on every page, the chain as wide as the paper, no text below 6 pt', async () => {
    const page = await openPage(fullestPlan(), { viewport: DESKTOP });
    await tab(page, 'Kette');
    await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    assert.match(await page.locator('#print-name').textContent(), /@page\{@top-left\{content:"Werkverbund · Plan „Großer Komplex“"/);
    // the paper's width between its margins: 297 - 2 x 10 mm at 96 px an inch
    await page.setViewportSize({ width: Math.floor(277 / 25.4 * 96), height: 718 });
    await page.emulateMedia({ media: 'print' });
    const smallest = await page.evaluate(() => {
        const svg = document.querySelector('#chain svg');
        const scale = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;
        const sizes = [...svg.querySelectorAll('text')].map((t) => parseFloat(getComputedStyle(t).fontSize) * scale);
        return [Math.min(...sizes) * 0.75, svg.getBoundingClientRect().width, document.documentElement.scrollWidth];
    });
    assert.ok(smallest[0] >= 6 && smallest[1] <= smallest[2], `smallest text ${smallest[0]} pt, chain ${smallest[1]} px`);
    await shot(page, 'chain-print', true);
    await close(page);
});
