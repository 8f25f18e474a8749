// The page as a planner, in headless Chromium as a player uses it: the chain for random plans against the tables,
// named plans (a shared link, an old address, unreadable plans), two plans compared, built counts over a reload and
// as a printed checklist, "Warum?" against the diagnostics file, the CSV against the tables, a plan file loaded back
// to the same files; axe-core in every new state, and screenshots into build-web/planner-*.png.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { keyOf } = require('../plan.js');
const { generator } = require('./support.js');
const { session, PHONE, DESKTOP, openPage, reload, close, assertAccessible, tab, transcript, download, fileOf, copiedLink,
    shot, fillPlan } = require('./browser.js');

// every option and something in most questions, as the page benchmark has it
const FULL_PLAN = '#h&br&xl&or=j&dat=j&es&opt&saleSkwM=1&saleSkwL=1&EAM=2&SAL=1&L1M=1&L2L=1&KM=2&GKF=2&SBF=1'
    + '&WF.A=3&OF.B=2&WF.P=1&OF.T=1&WF.V=5&OF.Y=-1&crystalRace=b';
const planNames = (page) => page.locator('#plan-list option').allInnerTexts();
const value = (page, selector) => page.locator(selector).inputValue();
// German numbers as the page writes them: 1.650, -6.017; and back.
const de = (n) => (n < 0 ? '-' : '') + String(Math.abs(n)).replace(/\B(?=(\d{3})+(?!\d))/g, '.');
const german = (text) => Number(text.replace(/\./g, '').replace(',', '.'));
// The factories to build: the sum of the first table's totals M, L and XL.
const toBuild = (page) => page.locator('#results tfoot').first().evaluate((f) => [...f.rows[0].cells].slice(1, 4)
    .reduce((n, c) => n + Number(c.textContent.replace(/\./g, '')), 0));

// The result tables' lines, below their heads and without what is said below them: the name (the console's for
// the -es line, as the CSV and the comparison have it), then each cell.
const tableLines = (page) => page.locator('#results tbody tr:not([class])').evaluateAll((rows) => rows.map((tr) =>
    [tr.cells[0].firstChild.textContent.replace(/\u00ad/g, '').replace('ungenutzte SKW-Kapazität',
        'Unberücksichtigter SKW-Kapazitäts-Überschuss'), ...[...tr.cells].slice(1).map((c) => c.textContent)]));

// A random plan of the form: some options, small counts (now and then negative or large), a crystal race.
function randomPlan(random) {
    const { tables } = session;
    const plan = { options: {}, answers: { or: random.pick(['j', 'n']) }, values: {} };
    for (const o of ['xl', 'or', 'opt', 'es']) plan.options[o] = random.chance(0.4);
    for (const q of tables.questions) {
        const key = keyOf(tables, q);
        if (q.kind === 'letter') plan.values[key] = random.pick(tables.crystalRaces).letter;
        else if (q.when !== 'm' && random.chance(0.35)) {
            plan.values[key] = String(random.chance(0.08) ? -random.int(3) : random.int(random.chance(0.1) ? 60 : 6));
        }
    }
    return plan;
}

// In the page: what the chain shows against the result tables. Every line of "Zu bauen" with a count other than
// 0 and every mine line must be a box of the same name whose first line gives the same counts; no two boxes or
// labels may overlap, and every text stays inside its frame, clear of the others, with the browser's fonts.
function chainProblems(page) {
    return page.evaluate(() => {
        const clean = (t) => t.replace(/\u00ad/g, '').trim();
        const [problems, boxes] = [[], {}];
        for (const g of document.querySelectorAll('#chain .chain-box')) {
            boxes[clean(g.querySelector('.chain-title').textContent)] = [...g.querySelectorAll('.chain-line')].map((t) => t.textContent);
        }
        for (const table of document.querySelectorAll('#results table')) {
            const heads = [...table.tHead.rows[0].cells].map((c) => c.textContent);
            const mines = heads[0] === 'Minen';
            if (heads[0] !== 'Fabriken' && !mines) continue;
            for (const tr of table.tBodies[0].rows) {
                if (tr.className) continue;  // what is said below a line, its explanation
                const name = clean(tr.cells[0].firstChild.textContent);
                const cells = [...tr.cells].slice(1, 4).map((c, i) => [mines ? heads[i + 1] : ['M', 'L', 'XL'][i], c.textContent]);
                const shown = cells.filter(([, t]) => t !== '–' && t !== '');
                if (name.startsWith('ungenutzte') || !mines && shown.every(([, t]) => t === '0')) continue;
                const want = shown.map(([s, t]) => s + ' ' + t).join(' · ');
                if (!boxes[name]) problems.push(`no box for ${name}`);
                else if (boxes[name][0] !== want) problems.push(`${name}: box ${boxes[name][0]}, table ${want}`);
            }
        }
        const frames = [...document.querySelectorAll('#chain .chain-box, #chain .chain-label')].map((g) => [g, g.querySelector('rect').getBBox()]);
        const meet = (a, b) => a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
        frames.forEach(([g, r], i) => {
            frames.slice(0, i).forEach(([o, q]) => { if (meet(r, q)) problems.push(`${g.textContent} overlaps ${o.textContent}`); });
            const texts = [...g.querySelectorAll('text')].map((t) => [t, t.getBBox()]);
            texts.forEach(([t, b], j) => {
                if (b.x < r.x || b.y < r.y || b.x + b.width > r.x + r.width || b.y + b.height > r.y + r.height) {
                    problems.push(`${t.textContent} sticks out of its frame`);
                }
                if (texts.slice(0, j).some(([, c]) => meet(b, c))) problems.push(`${t.textContent} overlaps a text beside it`);
            });
        });
        return problems;
    });
}

// The diagnostics file's lines: codes with their numbers, by the line's first code.
function diagnostics(text) {
    const lines = {};
    for (const m of text.split('\r\n').map((line) => /^([A-Z0-9]+)(?::\s*|$)(.*)$/.exec(line))) {
        if (m && !(m[1] in lines)) lines[m[1]] = m[2];  // a race's line, not the crystal race's letter after it
    }
    return lines;
}

// Every "Warum?" of the page opened, against the numbers of the diagnostics file of the same run.
async function checkExplanations(page) {
    for (const button of await page.locator('#results button.why').all()) await button.click();
    const said = await page.locator('#results .explained:not([hidden])').allInnerTexts();
    assert.strictEqual(said.length, await page.locator('#results button.why').count());
    const d = diagnostics((await fileOf(page, 'Eingaben-Variablen.txt')).toString('latin1'));
    const one = (pattern) => {
        const found = said.filter((t) => pattern.test(t));
        assert.strictEqual(found.length, 1, `one explanation with ${pattern}`);
        return found[0];
    };
    // every food chain: its demand, split into XL, L and M pairs with their rests, and for a race its factories
    const chains = Object.keys(d).filter((k) => /NP$/.test(k) && /XL/.test(d[k]));
    assert.ok(chains.length >= 10);
    for (const code of chains) {
        const [, total, xl, restXL, l, restL, m, restM] = /^(-?\d+) XL(-?\d+)\/(-?\d+) L(-?\d+)\/(-?\d+) M(-?\d+)\/(-?\d+)/.exec(d[code]);
        const text = one(new RegExp(`Bedarf ${code} = ${de(+total)} Größeneinheiten`));
        assert.match(text, new RegExp(`XL-Paare zu 10 Einheiten: ${xl} \\(Rest ${restXL}\\), dann L-Paare zu 5 Einheiten: ${l} `
            + `\\(Rest ${restL}\\), dann M-Paare zu 2 Einheiten: ${m} \\(Rest ${restM}\\)`), code);
        const race = session.tables.races.find((r) => code === r.code + 'NP');
        if (!race) continue;
        const [, NF, surcharge] = /NF(-?\d+) 2O(-?\d+)/.exec(d[race.code]);
        assert.match(text, new RegExp(`${de(+NF)} Level-3-Fabriken der ${race.name}, .*dazu ${de(+surcharge)} Einheit`), code);
    }
    for (const special of ['GKF', 'SBF']) {
        const [, count, surcharge] = /^(-?\d+) 2O(-?\d+)/.exec(d[special]);
        one(new RegExp(`: ${de(+count)} ${special} \\(je eine Einheit\\), dazu ${de(+surcharge)} Einheit`));
    }
    const [, XL, L, M, E] = /^(\d+) {2}L: (\d+) {2}M: (\d+) {2}E: (-?\d+)/.exec(d.XL);
    assert.match(one(/EZ pro Stunde: der EZ-Überschuss/), new RegExp(`stehen so XL ${XL}, L ${L}, M ${M}.*Übrig bleiben ${de(-E)} EZ`));
    one(new RegExp(`Im Komplex stehen XL ${XL}, L ${L}, M ${M} Kraftwerke`));
    // the file writes the mineral demands as whole numbers, rounded half away from zero
    for (const [words, code] of [['Erzbedarf', 'ME'], ['Siliziumbedarf', 'MS']]) {
        const shown = german(new RegExp(`${words} ${code} = ([-\\d.,]+) pro Stunde`).exec(one(new RegExp(`${words} ${code} =`)))[1]);
        assert.strictEqual(Math.sign(shown) * Math.round(Math.abs(shown)), +d[code], code);
    }
    await tab(page, 'Übersicht');
    await assertAccessible(page, 'every Warum? open');
    await page.locator('#results button.why').nth(3).scrollIntoViewIfNeeded();
    await shot(page, 'planner-why');
}

// The CSV as a spreadsheet opens it (UTF-8 with a byte-order mark, CR LF, semicolons) holds each table line's
// values in the same order; which column each goes in is export.test.js's.
async function checkCsv(page) {
    const values = (cells) => cells.map((c) => c.replace(/\u00ad|\.| EZ$/g, '')).filter((c) => !['', '–', '-'].includes(c));
    const shown = await tableLines(page);
    const csv = await download(page, '#csv');
    assert.strictEqual(csv.name, 'ergebnisse.csv');
    assert.deepStrictEqual([...csv.bytes.subarray(0, 3)], [0xef, 0xbb, 0xbf], 'byte-order mark');
    const text = csv.bytes.toString('utf8').slice(1);
    assert.ok(text.endsWith('\r\n') && !/[^\r]\n/.test(text), 'CR LF');
    const lines = text.slice(0, -2).split('\r\n').slice(1).map((l) => values(l.split(';')));
    assert.deepStrictEqual(lines, shown.map(values));
    assert.ok(shown.length > 15, `${shown.length} lines compared`);
}

test('the plan with every option: its chain, every Warum? and the CSV; the chain for random plans', async () => {
    const page = await openPage(FULL_PLAN);
    await checkExplanations(page);
    await checkCsv(page);
    await tab(page, 'Kette');
    assert.deepStrictEqual(await chainProblems(page), [], 'the plan with every option');
    assert.match(await page.locator('#chain svg desc').textContent(), /Boronen Level 3 bezieht 75 Silizium\/h von Siliziumminen Typ XL\./);
    await assertAccessible(page, 'chain');
    await shot(page, 'planner-chain');
    const random = generator(Number(process.env.WERKVERBUND_CHAIN_SEED || 15));
    for (let i = 0; i < 40; i++) {
        const plan = randomPlan(random);
        await fillPlan(page, plan);
        assert.deepStrictEqual(await chainProblems(page), [], `random plan ${i}: ${JSON.stringify(plan)}`);
    }
    await close(page);

    // on a phone the chain scrolls sideways inside its box, not the page; dark; printed it fits the paper
    const phone = await openPage(FULL_PLAN, { viewport: PHONE, colorScheme: 'dark' });
    await tab(phone, 'Kette');
    const widths = await phone.evaluate(() => [document.documentElement.scrollWidth, document.getElementById('chain').scrollWidth,
        document.getElementById('chain').clientWidth]);
    assert.ok(widths[0] <= PHONE.width && widths[1] > widths[2], `sideways in its box: ${widths}`);
    await assertAccessible(phone, 'chain on a phone, dark');
    await phone.locator('#chain').scrollIntoViewIfNeeded();
    await shot(phone, 'planner-chain-phone-dark');
    await phone.setViewportSize(DESKTOP);
    await shot(phone, 'planner-chain-dark');
    await phone.emulateMedia({ media: 'print', colorScheme: 'light' });
    const printed = await phone.evaluate(() => [document.querySelector('#chain svg').getBoundingClientRect().width,
        document.getElementById('output').getBoundingClientRect().width, getComputedStyle(document.getElementById('p-tables')).display]);
    assert.ok(printed[0] <= printed[1] && printed[2] === 'none', `printed chain within the page: ${printed}`);
    await shot(phone, 'planner-print-chain', true);
    await close(phone);
});

test('several plans: a link adds its plan beside the others, an old address is the same plan, copies, unreadable plans', async () => {
    // an address as the page wrote it before the version becomes the versioned one of the same plan (which the
    // browser test opens again for its golden cases)
    const page = await openPage('#xl&dat=n&WF.A=2&OF.B=1');
    assert.deepStrictEqual(await page.evaluate(() => [document.getElementById('o-xl').checked, document.getElementById('a-dat').checked,
        document.getElementById('f-WF-A').value, document.getElementById('f-OF-B').value]), [true, false, '2', '1']);
    await page.waitForFunction(() => location.hash.startsWith('#v=2&'));

    await page.locator('#plan-name').fill('Mein Ausbau');
    await page.locator('#f-WF-A').fill('4');
    const shared = await openPage('#v=2&name=Anna&saleSkwM=3', { context: page.context() });
    assert.deepStrictEqual(await planNames(shared), ['Mein Ausbau', 'Anna']);
    assert.match(await shared.locator('#notice').innerText(), /als neuer Plan „Anna“ hinzugekommen/);
    assert.strictEqual(await value(shared, '#f-saleSkwM'), '3');
    await reload(shared);
    assert.deepStrictEqual(await planNames(shared), ['Mein Ausbau', 'Anna'], 'a reload adds nothing');
    await page.waitForFunction(() => document.querySelectorAll('#plan-list option').length === 2);  // the other tab hears of it
    await shared.locator('#plan-list').selectOption({ label: 'Mein Ausbau' });
    assert.deepStrictEqual([await value(shared, '#f-WF-A'), await value(shared, '#plan-name')], ['4', 'Mein Ausbau'],
        'the plan being edited is as it was left');

    await shared.locator('#plan-copy').click();
    assert.deepStrictEqual(await planNames(shared), ['Mein Ausbau', 'Anna', 'Kopie von Mein Ausbau']);
    await shared.locator('#plan-delete').click();
    assert.deepStrictEqual(await planNames(shared), ['Mein Ausbau', 'Anna']);
    await shared.locator('#notice button', { hasText: 'Rückgängig' }).click();
    assert.deepStrictEqual([await value(shared, '#plan-name'), await value(shared, '#f-WF-A')], ['Kopie von Mein Ausbau', '4']);
    await assertAccessible(shared, 'plans');

    // a stored plan that cannot be read is said and kept, and the page works on (the store's cases: store.test.js)
    await shared.evaluate(() => localStorage.setItem('werkverbund.plan.zz', '{kaputt'));
    await reload(shared);
    assert.match(await shared.locator('#notice').innerText(), /Gespeicherter Plan zz: nicht lesbar/);
    assert.match(await transcript(shared), /Cahoonapressen/);
    assert.strictEqual(await shared.evaluate(() => localStorage.getItem('werkverbund.plan.zz')), '{kaputt', 'kept as it was');
    await close(page);
});

test('compare marks exactly the lines that differ, and the differences of the totals', async () => {
    const random = generator(7);
    const page = await openPage('#v=2&name=A');
    await page.locator('#plan-new').click();
    await page.locator('#plan-name').fill('B');
    await page.locator('#plan-name').dispatchEvent('change');
    for (let round = 0; round < 12; round++) {
        const plans = [randomPlan(random), randomPlan(random)];
        if (round === 0) plans[1] = JSON.parse(JSON.stringify(plans[0]));  // the same plan twice: nothing differs
        const [totals, lines] = [[], []];
        for (const [i, plan] of plans.entries()) {
            await page.locator('#plan-list').selectOption({ label: 'AB'[i] });
            await fillPlan(page, plan);
            await tab(page, 'Übersicht');
            totals.push(await toBuild(page));
            lines.push(Object.fromEntries((await tableLines(page)).map(([name, ...cells]) => [name, cells.join('|')])));
        }
        await tab(page, 'Vergleich');
        for (const side of 'AB') await page.locator('#compare-' + side.toLowerCase()).selectOption({ label: side });
        const [a, b] = lines;
        const expected = [...new Set([...Object.keys(a), ...Object.keys(b)])].filter((k) => a[k] !== b[k]).sort();
        const marked = await page.locator('#comparison tr.differs th[scope=row]').evaluateAll((ths) => ths.filter((th) =>
            !th.closest('.compare-totals')).map((th) => th.firstChild.textContent.replace(/\u00ad/g, '')));
        assert.deepStrictEqual(marked.sort(), expected, `round ${round}: ${JSON.stringify(plans)}`);
        const built = await page.locator('.compare-totals tr', { hasText: 'Fabriken zu bauen' }).locator('td').allInnerTexts();
        assert.deepStrictEqual(built, [de(totals[0]), de(totals[1]), (totals[1] > totals[0] ? '+' : '') + de(totals[1] - totals[0])]);
        if (round === 1) {
            await assertAccessible(page, 'compare');
            await shot(page, 'planner-compare');
        }
    }
    await close(page);
});

test('built counts: missing marked, totals, kept over a reload, in the link only when asked, a checklist in print; reset', async () => {
    const page = await openPage('#saleSkwM=1&WF.A=3&OF.B=2&crystalRace=b');
    const counts = await page.locator('#results tr', { hasText: 'Sonnenkraftwerke' }).first().locator('td').allInnerTexts();
    const need = counts.slice(0, 3).filter((t) => t !== '–').reduce((n, t) => n + Number(t), 0);
    const total = await toBuild(page);
    await tab(page, 'Baustand');
    const row = page.locator('#built tr', { hasText: 'Sonnenkraftwerke' });
    const input = row.locator('input');
    const perSize = counts.slice(0, 3).map((c, i) => `${['M', 'L', 'XL'][i]} ${c}`).filter((c) => !c.endsWith('–')).join(' · ');
    assert.strictEqual(await row.locator('td').first().innerText(), `${need}\n${perSize}`, 'needed, and per size as the table has it');
    const state = async () => [await row.getAttribute('class'), await row.locator('td').last().innerText(),
        await page.locator('#built tfoot').innerText()];
    await input.fill(String(need - 1));
    assert.deepStrictEqual(await state(), ['missing', 'fehlt 1', `Gebaut: ${need - 1} von ${total} Fabriken (ein Paar zählt zwei)`]);
    await input.fill('x');
    assert.strictEqual(await input.getAttribute('aria-invalid'), 'true');
    await input.fill(String(need));
    assert.deepStrictEqual((await state()).slice(0, 2), ['done', 'fertig']);
    await assertAccessible(page, 'built counts');

    await reload(page);
    await tab(page, 'Baustand');
    assert.strictEqual(await input.inputValue(), String(need), 'kept over a reload');
    assert.doesNotMatch(await page.evaluate(() => location.hash), /b:/, 'not in the address');
    let link;
    for (const withBuilt of [false, true]) {
        await page.locator('#copy-built').setChecked(withBuilt);
        link = await copiedLink(page);
        assert.strictEqual(/&b:Sonnenkraftwerke=\d/.test(link), withBuilt, link);
    }
    const other = await openPage(link.replace(/^[^#]*/, ''));
    assert.strictEqual(await transcript(other), await transcript(page), 'the copied link holds the plan');
    await tab(other, 'Baustand');
    assert.strictEqual(await other.locator('#built tr', { hasText: 'Sonnenkraftwerke' }).locator('input').inputValue(), String(need));
    await close(other);

    // the plan bar empties the plan, with a way back
    const console = await transcript(page);
    await page.locator('#reset').click();
    await assertAccessible(page, 'plan emptied');
    assert.strictEqual(await page.locator('#form input:not([type])').evaluateAll((l) => l.filter((e) => e.value).length), 0);
    await page.locator('#notice button', { hasText: 'Rückgängig' }).click();
    assert.strictEqual(await transcript(page), console, 'the plan is back');

    await page.emulateMedia({ media: 'print' });
    assert.strictEqual(await page.locator('input:visible, button:visible').count(), 0, 'no input box in print');
    assert.strictEqual(await row.locator('.print-count').innerText(), String(need));
    await shot(page, 'planner-print-checklist', true);
    await close(page);
});

test('a plan file loads back as a new plan, to the same files byte for byte', async () => {
    const names = ['Ergebnis.txt', 'Eingaben.txt', 'Eingaben-Variablen.txt', 'readme.txt', 'antworten.txt'];
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
    for (let time = 0; time < 2; time++) {
        await load(planFile.name, planFile.bytes);
        await other.waitForFunction((n) => document.querySelectorAll('#plan-list option').length === n, time + 2);
    }
    assert.deepStrictEqual(await planNames(other), ['Schon da', 'Ausbau: Teladi/Argonen', 'Ausbau: Teladi/Argonen'], 'added, none replaced');
    assert.match(await other.locator('#notice').innerText(), /als neuer Plan geladen/);
    for (const [i, name] of names.entries()) assert.ok((await fileOf(other, name)).equals(files[i]), name);
    await tab(other, 'Baustand');
    assert.strictEqual(await other.locator('#built input').first().inputValue(), '1', 'the built counts come along');
    await load('kaputt.json', Buffer.from('{kaputt'));
    await other.waitForFunction(() => /kaputt\.json: Das ist keine Plandatei/.test(document.getElementById('notice').textContent));
    assert.strictEqual((await planNames(other)).length, 3);
    await assertAccessible(other, 'a file that is no plan');
    await close(other);
});
