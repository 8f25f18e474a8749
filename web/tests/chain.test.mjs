// The fullest plan in headless Chromium: tabs on a phone; the chain drawn, zoomed, picked, printed; "Warum?"; the CSV.
import test from 'node:test';
import assert from 'node:assert';
import { planInput } from '../plan/plan.js';
import { planStore } from '../plan/store.js';
import { csvOf } from '../record/csv.js';
import { session, PHONE, openPage, close, assertAccessible, tab, download, fullest } from './browser.js';

const DESKTOP = { width: 1366, height: 900 };
// The chain's box: whether the picture is wider or taller than it, and the smallest text in sight (px on screen).
const view = (page) => page.evaluate(() => {
    const area = document.getElementById('chain'), svg = area.querySelector('svg'), a = area.getBoundingClientRect();
    const scale = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;
    const sizes = [...svg.querySelectorAll('text')].filter((t) => {
        const r = t.getBoundingClientRect();
        return t.textContent && r.right > a.left && r.left < a.left + area.clientWidth && r.bottom > a.top && r.top < a.top + area.clientHeight;
    }).map((t) => parseFloat(getComputedStyle(t).fontSize) * scale);
    return { wider: area.scrollWidth > area.clientWidth, taller: area.scrollHeight > area.clientHeight,
        smallest: Math.min(...sizes), texts: sizes.length, left: area.scrollLeft };
});

test('a phone: the chain opens readable at "Zum Verkauf", fitted whole, zoomed it pans', async () => {
    const phone = await openPage(fullest(), { viewport: PHONE, colorScheme: 'dark' });
    await tab(phone, 'Kette');
    const opened = await view(phone);
    assert.ok(opened.wider && opened.left === 0 && opened.smallest >= 9.99, `opened: ${JSON.stringify(opened)}`);
    assert.ok(await phone.locator('#chain .chain-column', { hasText: 'Zum Verkauf' }).isVisible());
    await phone.getByRole('button', { name: 'Einpassen' }).click();
    const fitted = await view(phone);
    assert.ok(!fitted.wider && !fitted.taller && await phone.getByRole('button', { name: 'Einpassen' }).isDisabled(),
        `fitted whole: ${JSON.stringify(fitted)}`);
    await phone.getByRole('button', { name: 'Vergrößern' }).click();
    assert.ok((await view(phone)).wider, 'zoomed in its box');
    await assertAccessible(phone, 'chain zoomed on a phone, dark');
    await close(phone);
});

// With the browser's fonts: no two boxes or labels of the chain overlap, every text inside its frame, clear of others.
function chainProblems(page) {
    return page.evaluate(() => {
        const problems = [];
        const frames = [...document.querySelectorAll('#chain .chain-box, #chain .chain-label')].map((g) => [g, g.querySelector('rect').getBBox()]);
        const meet = (a, b) => a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
        frames.forEach(([g, r], i) => {
            frames.slice(0, i).forEach(([o, q]) => { if (meet(r, q)) problems.push(`${g.textContent} overlaps ${o.textContent}`); });
            const texts = [...g.querySelectorAll('text')].filter((t) => t.textContent).map((t) => [t, t.getBBox()]);
            texts.forEach(([t, b], j) => {  // a line box may reach a pixel past the frame at a fitted scale, no ink
                const out = b.x < r.x || b.y < r.y - 1 || b.x + b.width > r.x + r.width || b.y + b.height > r.y + r.height + 1;
                if (out) problems.push(`${t.textContent} sticks out of its frame`);
                if (texts.slice(0, j).some(([, c]) => meet(b, c))) problems.push(`${t.textContent} overlaps a text beside it`);
            });
        });
        return problems;
    });
}

test('the desktop: the chain in real fonts, a box picked; Warum?, names, CSV; print', async () => {
    const page = await openPage(fullest(), { viewport: DESKTOP });
    await tab(page, 'Kette');
    assert.deepStrictEqual(await chainProblems(page), []);
    // the plants for sale draw their crystals from their own box: 2 units a M plant, 5 a L, 10 a XL (M 1, L 3, XL 5)
    assert.match(await page.locator('#chain svg desc').textContent(),
        /Sonnenkraftwerke zum Verkauf bezieht 67 Einheiten Kristalle von Boron Kristallfabriken\./);
    const opened = await view(page);
    assert.ok(opened.texts > 20 && opened.smallest >= 9.99, `no text under 10 px in sight: ${JSON.stringify(opened)}`);
    await page.locator('#chain').focus();
    await page.keyboard.press('0');
    const fitted = await view(page);
    assert.ok(!fitted.wider && !fitted.taller, 'fitted whole by 0');
    await page.keyboard.press('+');
    assert.ok((await view(page)).wider, 'zoomed in by +');
    const picked = page.locator('#chain .chain-box', { hasText: 'Boron Kristallfabriken' });
    await picked.focus();
    const on = await page.evaluate(() => ['1', '0'].map((v) => document.querySelectorAll(`#chain [data-on="${v}"]`).length));
    assert.ok(await picked.getAttribute('aria-pressed') === 'true' && on[0] >= 4 && on[1] > on[0], `lines picked: ${on}`);
    assert.match(await page.locator('#chain-picked').innerText(), /^Boron Kristallfabriken M 2 · L 3 · XL 18\. Warum\? /);
    await assertAccessible(page, 'chain, a box picked');
    await tab(page, 'Übersicht');
    assert.match((await page.locator('#results tr.picked').innerText()).replace(/\u00ad/g, ''), /^Boron Kristallfabriken/);

    // every "Warum?" opens its line's explanation below it (what they say: results.test.mjs)
    for (const why of await page.locator('#results button.why').all()) await why.click();
    assert.strictEqual(await page.locator('#results button.why[aria-expanded=false]').count(), 0);
    const said = await page.locator('#results .explained:not([hidden])').allInnerTexts();
    assert.ok(said.length >= 20 && said.some((t) => /^Gebraucht wird Nahrung für /.test(t)));
    await assertAccessible(page, 'every Warum? open');
    assert.strictEqual(await page.getByRole('row', { name: /\u00ad/ }).count(), 0, 'no result line named with a soft hyphen');
    const { tables, runner } = session;
    const input = planInput(tables, planStore(tables, null).readHash(fullest()).plan);
    const csv = await download(page, '#csv');
    assert.deepStrictEqual([csv.name, csv.bytes.toString('utf8')], ['Großer Komplex.csv', csvOf(runner.runPlan(input, true).record)]);
    // a line's explanation leads to its box in the chain
    await tab(page, 'Übersicht');
    await page.locator('#results .explained', { hasText: /^Gebraucht wird Nahrung für / }).first().locator('button.to-chain').click();
    assert.match(await page.locator('#chain-picked').innerText(), /^Rheimwerke und Agrarzentren M 1 · L 0 · XL 0\. Warum\? Gebraucht wird Nahrung/);

    // printed: the plan's name on every page, its options by name; the chain on one A4 landscape page below its
    // legend, as large as the page's width or the height left allows
    await tab(page, 'Kette');
    await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    assert.match(await page.locator('#print-name').textContent(), /@page\{@top-left\{content:"Werkverbund · Plan „Großer Komplex“"/);
    const pdf = (await page.pdf({ preferCSSPageSize: true })).toString('latin1');
    assert.deepStrictEqual(pdf.match(/\/Type \/Page\b/g), ['/Type /Page'], 'one page');
    const [W, H] = [281, 190].map((mm) => Math.floor(mm / 25.4 * 96));   // A4 landscape less the margins
    await page.setViewportSize({ width: W, height: H });
    await page.emulateMedia({ media: 'print' });
    const [legend, top, right, bottom] = await page.evaluate(() => {
        const svg = document.querySelector('#chain svg'), r = svg.getBoundingClientRect(), b = svg.viewBox.baseVal;
        const scale = Math.min(r.width / b.width, r.height / b.height);
        return [document.querySelector('.chain-legend').getBoundingClientRect().bottom, r.top, r.left + scale * b.width,
            r.top + scale * b.height];
    });
    assert.ok(legend <= top && right <= W + 0.5 && bottom <= H + 0.5 && (right >= W - 2 || bottom >= H - 24),
        `legend to ${legend}, chain from ${top} to ${right}, ${bottom} on ${W} x ${H} px`);
    await close(page);
});
