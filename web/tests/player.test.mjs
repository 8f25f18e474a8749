// A random player in headless Chromium: sessions of two tabs of one browser (a desktop and a phone), played through
// the visible page by fast-check's model-based commands, each step checked against a model of what every plan must
// hold. What must always hold after a step is in holds(); the issues' repros are fixed lists of the same steps.
// WERKVERBUND_PLAYER_RUNS sessions (3) of up to WERKVERBUND_PLAYER_STEPS steps (60) from WERKVERBUND_RANDOM_SEED;
// a failure prints the shrunk steps and how to replay them (WERKVERBUND_PLAYER_PATH).
import test from 'node:test';
import assert from 'node:assert';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { isDeepStrictEqual } from 'node:util';
import fc from 'fast-check';
import { planInput, isAsked, emptyPlan } from '../plan/plan.js';
import { describeResults } from '../record/describe.js';
import { session, openPage, close, tab, download, fieldId, PHONE, DESKTOP } from './browser.js';
import { started, reload, goldenCases, noticeAfter } from './support.js';

const env = process.env, SEED = Number(env.WERKVERBUND_RANDOM_SEED || Date.now() % 1000000);
const [RUNS, STEPS, RELOADS] = [[env.WERKVERBUND_PLAYER_RUNS, 3], [env.WERKVERBUND_PLAYER_STEPS, 60], [env.WERKVERBUND_RELOADS, 100]]
    .map(([given, otherwise]) => Number(given || otherwise));
const clone = (x) => JSON.parse(JSON.stringify(x));
const unique = (name, names) => { let free = name; for (let n = 2; names.includes(free); n++) free = `${name} (${n})`; return free; };

// ---- The model: every plan by id as it must be stored; which plan each tab shows; the undo and redo of each tab
// and plan where the model knows them (null where another tab changed the plan meanwhile) ----

const planPart = (p) => ({ options: p.options, answers: p.answers, values: p.values });
// A plan as compared: options on, answers, non-empty texts, built counts.
const norm = (p) => ({ name: p.name, on: Object.keys(p.options).filter((o) => p.options[o]).sort(), answers: p.answers,
    values: Object.fromEntries(Object.entries(p.values).filter(([, v]) => v !== '')), built: p.built || {} });
const storedPlans = (page) => page.evaluate(() => Object.fromEntries(Object.keys(localStorage)
    .filter((k) => k.startsWith('werkverbund.plan.')).map((k) => [k.slice(17), JSON.parse(localStorage.getItem(k))])));
const adopt = async (m, r) => {  // plans the page added taken as stored, plans gone let go; holds() checks the others
    const stored = await storedPlans(r.tabs[m.last]);
    for (const [id, s] of Object.entries(stored)) if (!m.plans[id]) m.plans[id] = { name: s.name, ...planPart(s.plan), built: s.built };
    for (const id of Object.keys(m.plans)) if (!stored[id]) delete m.plans[id];
    for (const t of [0, 1]) {  // the other tab hears a moment later that its plan is gone
        await r.tabs[t].waitForFunction((ids) => ids.includes(document.getElementById('plan-list').value), Object.keys(stored),
            { polling: 50, timeout: 5000 }).catch(() => {});
        m.shown[t] = await r.tabs[t].locator('#plan-list').inputValue();
    }
    return stored;
};
// A change of the plan a tab shows: its undo gets the plan before, its redo goes; the other tab's history of it unknown.
function changed(m, t, change) {
    const id = m.shown[t], p = m.plans[id], before = clone(planPart(p));
    change(p);
    if (isDeepStrictEqual(norm(p), norm({ ...p, ...before }))) return;  // an empty field emptied is no change
    const h = m.history[t][id] ||= { undo: [], redo: [] };
    if (h.undo) [h.undo, h.redo] = [[...h.undo, before], []];
    othersUnknown(m, t, id);
}
// After tab t changed plan id, the other tab's undo of it keeps that change: where it leads is unknown to the model.
function othersUnknown(m, t, id) {
    if (m.history[1 - t][id]) m.history[1 - t][id] = { undo: null };
}
const asked = (m, t) => session.tables.questions.filter((q) => q.kind !== 'letter' && isAsked(q, m.plans[m.shown[t]].options));
const builtCount = (text, was) => (text === '' ? 0 : /^([1-9]\d{0,2}(\.\d{3})+|\d{1,6})$/.test(text) ? Number(text.replace(/\./g, '')) : was);

// ---- What must always hold ----

// The tab's form, as the player sees it.
const formOf = (page) => page.evaluate(() => {
    const values = {};
    for (const e of document.querySelectorAll('#form input:not([type]), #form input[type=text]')) values[e.id] = e.value;
    return { id: document.getElementById('plan-list').value, name: document.getElementById('plan-name').value, values,
        on: [...document.querySelectorAll('#form [id^=o-]:checked')].map((e) => e.id.slice(2)).sort(),
        race: document.querySelector('input[name=crystalRace]:checked')?.value };
});
const formFrom = (m, t) => {
    const p = m.plans[m.shown[t]], id = (key) => fieldId(key).slice(1);
    return { id: m.shown[t], name: p.name, on: norm(p).on, race: p.values.crystalRace || 'a',
        values: Object.fromEntries(asked(m, t).map((q) => [id(q.key), p.values[q.key] || ''])) };
};
// The page's tables as texts, row by row; and a fresh run of the stored plan through the core, described.
const tablesOf = (page) => page.evaluate(() => [...document.querySelectorAll('#results tbody tr:not(.explained)')]
    .map((tr) => [...tr.children].map((c) => (c.tagName === 'TH' ? c.firstChild.textContent : c.textContent).replace(/\u00ad/g, ''))));
const tablesFrom = (plan) => describeResults(session.runner.runPlan(planInput(session.tables, plan), true).record,
    session.tables).tables.flatMap((t) => t.rows.flatMap((r) => [[r.head, ...r.cells.map((c) => c.text)]
        .map((s) => s.replace(/\u00ad/g, ''))].concat(r.said ? [[r.said]] : [])));

// What reaches beyond the screen's right edge outside a box that scrolls or clips: the page's width does not show it,
// for a part of the page laid out only in sight keeps what overflows it to itself, cut off.
const beyondTheScreen = () => [...document.body.querySelectorAll('*')].filter((e) => {
    if (!e.getClientRects().length || e.getBoundingClientRect().right <= innerWidth + 1) return false;
    for (let a = e.parentElement; a; a = a.parentElement) if (/auto|scroll|hidden|clip/.test(getComputedStyle(a).overflowX)) return false;
    return true;
}).map((e) => e.id || e.tagName);

async function holds(m, r) {
    assert.deepStrictEqual(r.errors, [], 'errors of the page');
    // the stored plans as the tab that acted sees them: what the other tab wrote reaches it up to a second later
    let stored = null, got;
    const want = Object.fromEntries(Object.entries(m.plans).map(([id, p]) => [id, norm(p)]));
    for (let i = 0; !m.full && i < 50 && !isDeepStrictEqual(got, want); i++) {
        if (i) await r.tabs[m.last].waitForTimeout(100);
        stored = await storedPlans(r.tabs[m.last]);
        got = Object.fromEntries(Object.entries(stored).map(([id, s]) => [id, norm({ name: s.name, ...s.plan, built: s.built })]));
    }
    if (stored) {
        const names = Object.values(stored).map((p) => p.name);
        assert.strictEqual(new Set(names).size, names.length, `two plans of one name: ${names}`);
        assert.deepStrictEqual(got, want, 'the stored plans');
    }
    for (const [t, page] of r.tabs.entries()) {
        if (m.full && t) continue;  // with full storage the other tab hears of nothing
        let form;
        for (let i = 0; i < 50; i++) {  // the other tab hears of a change a moment later
            form = await formOf(page);
            form.values = Object.fromEntries(Object.keys(formFrom(m, t).values).map((k) => [k, form.values[k]]));
            if (isDeepStrictEqual(form, formFrom(m, t))) break;
            await page.waitForTimeout(100);
        }
        assert.deepStrictEqual(form, formFrom(m, t), `the form of tab ${'ab'[t]}`);
        assert.strictEqual(await page.locator('.view-failed').count(), 0, 'no error line left');
        assert.deepStrictEqual(await page.evaluate(beyondTheScreen), [], 'nothing beyond the screen');
        if (t === m.last && await page.locator('#built').isVisible()) {  // the counts as kept, but for a text refused
            const shown = await page.locator('#built input[data-key]:not([aria-invalid=true])')
                .evaluateAll((fields) => fields.map((e) => [e.dataset.key, e.value]));
            const built = m.plans[m.shown[t]].built;
            assert.deepStrictEqual(shown.map(([k, v]) => [k, builtCount(v, NaN)]), shown.map(([k]) => [k, built[k] || 0]), 'the built counts');
        }
        if (stored && await page.locator('#results').isVisible()) {
            assert.deepStrictEqual(await tablesOf(page), tablesFrom(stored[m.shown[t]].plan), `the tables of tab ${'ab'[t]}`);
        }
    }
}

// ---- The steps: [name, arguments, may it be played, play it] ----

const TEXTS = fc.oneof(fc.integer({ min: 0, max: 40 }).map(String), fc.constantFrom('', '1.200', '2,5', '0.500', 'abc', '-3'));
const tabNo = fc.integer({ min: 0, max: 1 }), PICK = fc.double({ min: 0, max: 0.99, noNaN: true });
const fieldOf = (page, key) => page.locator(fieldId(key));
const oneTab = (m, a) => !m.full || a.t === 0;  // with full storage one tab is played
const noticeButton = (page, name) => page.locator('#notice').getByRole('button', { name });
async function another(m, r, t, pick) {  // another plan chosen in the list, if there is one
    const ids = Object.keys(m.plans).filter((id) => id !== m.shown[t]);
    if (!ids.length) return false;
    await r.tabs[t].locator('#plan-list').selectOption(m.shown[t] = ids[Math.floor(pick * ids.length)]);
    return true;
}
// emptied or deleted, then the notice's Rückgängig, or another plan chosen first (the offer goes with its plan)
async function offered(m, r, t, back, pick) {
    const page = r.tabs[t];
    if (back === 2 && await another(m, r, t, pick)) return assert.strictEqual(await noticeButton(page, 'Rückgängig').count(), 0);
    if (back) await noticeButton(page, 'Rückgängig').click();
    return !!back;
}
const STEPS_TABLE = [
    ['type', fc.record({ t: tabNo, q: fc.nat(), text: TEXTS }), oneTab, async (m, r, a) => {
        const qs = asked(m, a.t), q = qs[a.q % qs.length];
        await fieldOf(r.tabs[a.t], q.key).fill(a.text);
        await fieldOf(r.tabs[a.t], q.key).blur();
        changed(m, a.t, (p) => { p.values[q.key] = a.text; });
    }],
    // an option's switch, or the yes/no answer of a switch that is on
    ['option', fc.record({ t: tabNo, o: fc.nat(7), answer: fc.boolean() }), oneTab, async (m, r, a) => {
        const o = session.tables.options[a.o], part = a.answer && o.question ? 'answers' : 'options';
        if (part === 'answers' && !m.plans[m.shown[a.t]].options[o.name]) return;
        await (part === 'answers' ? r.tabs[a.t].locator('#a-' + o.name) : r.tabs[a.t].getByRole('switch', { name: '-' + o.name })).click();
        changed(m, a.t, (p) => {
            p[part] = { ...p[part], [o.name]: part === 'options' ? !p.options[o.name] : p.answers[o.name] === 'j' ? 'n' : 'j' };
        });
    }],
    ['race', fc.record({ t: tabNo, race: fc.nat(5) }), oneTab, async (m, r, a) => {
        const race = session.tables.crystalRaces[a.race];
        await r.tabs[a.t].locator(`input[name=crystalRace][value="${race.letter}"]`).check();
        changed(m, a.t, (p) => { p.values.crystalRace = race.letter; });
    }],
    ['built', fc.record({ t: tabNo, pick: PICK, text: TEXTS }), oneTab, async (m, r, a) => {
        await tab(r.tabs[a.t], 'Baustand');
        const fields = await r.tabs[a.t].locator('#built input[data-key]').all();
        if (!fields.length) return;
        const field = fields[Math.floor(a.pick * fields.length)], key = await field.getAttribute('data-key');
        await field.fill(a.text);
        await field.blur();
        const built = m.plans[m.shown[a.t]].built, count = builtCount(a.text, built[key] || 0);
        if (count) built[key] = count; else delete built[key];
        if (m.history[1 - a.t][m.shown[a.t]]) m.history[1 - a.t][m.shown[a.t]] = { undo: null };
    }],
    ['plan', fc.record({ t: tabNo, copy: fc.boolean() }), (m) => !m.full, async (m, r, a) => {
        const from = m.plans[m.shown[a.t]], names = Object.values(m.plans).map((p) => p.name), before = Object.keys(m.plans);
        await r.tabs[a.t].getByRole('button', { name: a.copy ? 'Kopieren' : 'Neu', exact: true }).click();
        await adopt(m, r);
        const n = Math.max(0, ...names.map((s) => +(/^Plan (\d+)$/.exec(s) || [0, 0])[1])) + 1;
        assert.deepStrictEqual([before.includes(m.shown[a.t]), norm(m.plans[m.shown[a.t]])], [false, a.copy
            ? { ...norm(from), name: unique('Kopie von ' + from.name, names) } : norm({ name: `Plan ${n}`, ...m.empty, built: {} })]);
    }],
    ['rename', fc.record({ t: tabNo, name: fc.constantFrom('Nord', 'Süd', 'Plan 1', 'Kopie von Nord') }), (m) => !m.full, async (m, r, a) => {
        const names = Object.entries(m.plans).filter(([id]) => id !== m.shown[a.t]).map(([, p]) => p.name);
        const field = r.tabs[a.t].getByRole('textbox', { name: 'Name des Plans' });
        await field.fill(a.name);
        await field.press('Enter');
        m.plans[m.shown[a.t]].name = unique(a.name, names);
    }],
    ['remove', fc.record({ t: tabNo, back: fc.nat(2), pick: PICK }), (m) => !m.full, async (m, r, a) => {
        const id = m.shown[a.t], gone = norm(m.plans[id]);
        await r.tabs[a.t].getByRole('button', { name: 'Löschen' }).click();
        await adopt(m, r);
        if (!await offered(m, r, a.t, a.back, a.pick)) return;
        await adopt(m, r);  // back as it was, its name beside a plan made meanwhile as a plan added
        const names = Object.keys(m.plans).filter((other) => other !== id).map((other) => m.plans[other].name);
        assert.deepStrictEqual(norm(m.plans[id]), { ...gone, name: unique(gone.name, names) }, 'back');
    }],
    ['reset', fc.record({ t: tabNo, back: fc.nat(2), pick: PICK }), (m) => !m.full, async (m, r, a) => {
        const id = m.shown[a.t], before = clone(planPart(m.plans[id]));
        await r.tabs[a.t].getByRole('button', { name: 'Plan leeren' }).click();
        changed(m, a.t, (p) => Object.assign(p, clone(planPart(m.empty))));
        if (await offered(m, r, a.t, a.back, a.pick)) changed(m, a.t, (p) => Object.assign(p, before));
    }],
    ['undo', fc.record({ t: tabNo, keys: fc.boolean(), redo: fc.boolean() }), (m) => !m.full, async (m, r, a) => {
        const page = r.tabs[a.t], id = m.shown[a.t], h = m.history[a.t][id] ||= { undo: [], redo: [] }, p = m.plans[id];
        const press = async (name, key, from, to) => {  // by its button or key; the plan before, where the model knows it
            const button = page.locator('.planbar').getByRole('button', { name });
            if (!a.keys && !await button.isDisabled()) await button.click();
            if (a.keys) await page.evaluate(() => document.activeElement.blur()).then(() => page.keyboard.press(key));
            if (!h.undo) Object.assign(p, planPart((await adopt(m, r))[id].plan));
            else if (h[from].length) [h[to], p.options, p.answers, p.values] = [[...h[to], clone(planPart(p))], ...Object.values(h[from].pop())];
            else return;
            othersUnknown(m, a.t, id);   // a plan changed by undo is a change as typing is
        };
        await press('Rückgängig', 'Control+z', 'undo', 'redo');
        if (a.redo) await press('Wiederholen', 'Control+y', 'redo', 'undo');
    }],
    ['switch', fc.record({ t: tabNo, pick: PICK }), () => true, (m, r, a) => another(m, r, a.t, a.pick)],
    ['reload', fc.record({ t: tabNo }), (m) => !m.full, async (m, r, a) => {
        await reload(r.tabs[a.t]);
        m.history[a.t] = {};
    }],
    // the plan's link opened, or its link or code pasted: right, cut or changed; a failed paste is replaced by the next
    ['share', fc.record({ t: tabNo, how: fc.constantFrom('right', 'cut', 'changed'), as: fc.constantFrom('open', 'link', 'code'), at: PICK }),
        (m) => !m.full, async (m, r, a) => {
            const page = r.tabs[a.t], from = m.plans[m.shown[a.t]];
            await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
            // the copy is written once the code is made: read before it is said, the clipboard holds an older text
            await noticeAfter(page, () => page.locator(a.as === 'code' ? '#copy-code' : '#copy').click(), 'kopiert');
            let text = await page.evaluate(() => navigator.clipboard.readText());
            const at = text.indexOf(a.as === 'code' ? '-' : '#') + 1, cut = at + Math.floor((text.length - at) * a.at);
            if (a.how === 'cut') text = text.slice(0, cut);
            if (a.how === 'changed') text = text.slice(0, cut) + (text[cut] === '7' ? '8' : '7') + text.slice(cut + 1);
            await page.evaluate((text) => navigator.clipboard.writeText(text), text);
            const before = Object.keys(m.plans).length;  // a paste is said; an address this tab wrote itself is not
            if (a.as === 'open') await page.goto(text).then(() => started(page)).then(() => page.waitForTimeout(100));
            else await noticeAfter(page, () => page.locator('#plan-paste').focus().then(() => page.keyboard.press('Control+V')));
            await adopt(m, r);  // no reload: a link opened in the tab changes its address alone, undo and redo stay
            if (a.as === 'code' && a.how !== 'right') assert.strictEqual(Object.keys(m.plans).length, before, 'a broken code adds nothing');
            if (a.how === 'right') assert.deepStrictEqual(norm({ ...m.plans[m.shown[a.t]], built: {} }), { ...norm(from), built: {},
                name: m.plans[m.shown[a.t]].name }, 'the plan of the link');
        }],
    ['planfile', fc.record({ t: tabNo, wrong: fc.constantFrom(null, '{kaputt', '[1]', 'all') }), (m) => !m.full, async (m, r, a) => {
        const page = r.tabs[a.t], from = m.plans[m.shown[a.t]], names = Object.values(m.plans).map((p) => p.name);
        const file = a.wrong === 'all' ? await download(page, '#plans-save').catch(() => null) : a.wrong ? { bytes: Buffer.from(a.wrong) }
            : await download(page, '#planfile');
        const before = Object.keys(m.plans);
        await noticeAfter(page, () => page.locator('#plan-load').setInputFiles({ name: 'plan.json', mimeType: 'application/json', buffer: file.bytes }));
        await adopt(m, r);
        const added = Object.keys(m.plans).filter((id) => !before.includes(id));
        assert.deepStrictEqual([file.name, added.map((id) => norm(m.plans[id]))], a.wrong ? [file.name, []]
            : [from.name + '.werkverbund.json', [{ ...norm(from), name: unique(from.name, names) }]], 'the plan file, loaded back');
    }],
    ['chain', fc.record({ t: tabNo, how: fc.constantFrom('click', 'tap', 'keys'), box: fc.nat(),
        zoom: fc.constantFrom('Vergrößern', 'Verkleinern', 'Einpassen') }), () => true, async (m, r, a) => {
        const page = r.tabs[a.t];
        await tab(page, 'Kette');
        const zoom = page.getByRole('button', { name: a.zoom });
        if (!await zoom.isDisabled()) await zoom.click();  // a zoom at its end is off
        await page.locator('#chain svg').waitFor({ state: 'attached' });  // drawn while the page is idle
        const boxes = await page.locator('#chain .chain-box').all(), box = boxes[a.box % boxes.length];
        if (!box) return;
        // a click or tap on the box picked lets go of it; reached by keys, it is picked
        const want = a.how !== 'keys' && await box.getAttribute('aria-pressed') === 'true' ? 'false' : 'true';
        if (a.how === 'keys') await page.locator('#chain').focus();  // then Tab to the box
        for (let i = 0; a.how === 'keys' && i <= a.box % boxes.length; i++) await page.keyboard.press('Tab');
        if (a.how !== 'keys') await box[a.how]();
        assert.strictEqual(await box.getAttribute('aria-pressed'), want, `${await box.textContent()} picked or let go by one ${a.how}`);
    }],
    ['compare', fc.record({ t: tabNo, i: fc.nat(), j: fc.nat() }), (m) => !m.full && Object.keys(m.plans).length > 1, async (m, r, a) => {
        const page = r.tabs[a.t], ids = Object.keys(m.plans), [x, y] = [ids[a.i % ids.length], ids[a.j % ids.length]];
        await tab(page, 'Vergleich');
        await page.getByLabel('Plan A').selectOption(x);
        await page.getByLabel('Plan B').selectOption(y);
        const [p, q] = [m.plans[x], m.plans[y]], { options, crystalRaces, questions } = session.tables;
        const differ = options.filter((o) => !p.options[o.name] !== !q.options[o.name]).length
            + options.filter((o) => o.question && (p.options[o.name] || q.options[o.name]) && p.answers[o.name] !== q.answers[o.name]).length
            + questions.filter((k) => (isAsked(k, p.options) || isAsked(k, q.options))
                && String(p.values[k.key] || crystalRaces[0].letter.repeat(k.kind === 'letter')).trim()
                !== String(q.values[k.key] || crystalRaces[0].letter.repeat(k.kind === 'letter')).trim()).length;
        assert.strictEqual(await page.locator('#comparison li').count(), differ, 'the inputs that differ');
    }],
    ['together', fc.record({ t: tabNo, picks: fc.array(fc.boolean(), { maxLength: 6 }) }), () => true, async (m, r, a) => {
        const page = r.tabs[a.t];
        await tab(page, 'Zusammen');
        const boxes = await page.locator('#together-picks input').all();
        for (const [i, on] of a.picks.entries()) if (boxes[i]) await boxes[i].setChecked(on);
    }],
    ['print', fc.record({ t: tabNo, dark: fc.constantFrom('system', 'switch', 'light') }), () => true, async (m, r, a) => {
        const page = r.tabs[a.t];  // printed, a page dark on the screen (by the system or the switch) is inked light
        if (a.dark === 'switch') await page.locator('#theme').click();
        await page.emulateMedia({ media: 'print', colorScheme: a.dark === 'system' ? 'dark' : 'light' });
        const ink = await page.evaluate(() => [document.documentElement, document.body, document.querySelector('#chain .chain-box rect')]
            .map((e, i) => e && getComputedStyle(e)[['backgroundColor', 'color', 'fill'][i]]));
        await page.emulateMedia({ media: 'screen', colorScheme: 'light' });
        assert.deepStrictEqual(ink.map((c) => c || 'rgb(255, 255, 255)'), ['rgb(255, 255, 255)', 'rgb(0, 0, 0)', 'rgb(255, 255, 255)']);
    }],
    // typed, then reloaded at once in the typing's task, a moment later by the page, or by the browser; slowed down
    ['typed reload', fc.record({ t: tabNo, q: fc.nat(), text: fc.nat(999).map(String), wait: fc.constantFrom(0, 1, 10, 50, 100),
        byPage: fc.boolean() }), (m) => !m.full, async (m, r, a) => {
        const page = r.tabs[a.t], qs = asked(m, a.t), q = qs[a.q % qs.length], id = fieldId(q.key).slice(1);
        const cpu = await page.context().newCDPSession(page);
        await cpu.send('Emulation.setCPUThrottlingRate', { rate: 3 });
        if (a.byPage) {
            await Promise.all([page.waitForEvent('load'), page.evaluate(([id, text, wait]) => {
                Object.assign(document.getElementById(id), { value: text }).dispatchEvent(new Event('input', { bubbles: true }));
                if (wait) setTimeout(() => location.reload(), wait); else location.reload();
            }, [id, a.text, a.wait])]);
        } else await page.locator('#' + id).fill(a.text).then(() => page.waitForTimeout(a.wait)).then(() => page.reload({ waitUntil: 'commit' }));
        await started(page);
        await cpu.send('Emulation.setCPUThrottlingRate', { rate: 1 });
        changed(m, a.t, (p) => { p.values[q.key] = a.text; });
        m.history[a.t] = {};
    }],
    // an answers file of this plan, one of all options (loaded with them, or another plan chosen before), one too large
    ['answers', fc.record({ t: tabNo, file: fc.constantFrom('own', 'energy-2', 'large'), away: fc.boolean(), pick: PICK }),
        (m) => !m.full, async (m, r, a) => {
            const page = r.tabs[a.t], golden = goldenCases().find((c) => c.name === a.file);
            const bytes = a.file === 'own' ? (await download(page, 'a[download="antworten.txt"]')).bytes
                : golden ? Buffer.from(golden.input, 'latin1') : Buffer.alloc(70000, '1\n');
            await noticeAfter(page, () => page.locator('#load').setInputFiles({ name: 'antworten.txt', mimeType: 'text/plain', buffer: bytes }));
            await adopt(m, r);
            if (!golden || !await noticeButton(page, 'Mit diesen Optionen laden').count()) return;  // it fits the options on
            if (a.away && await another(m, r, a.t, a.pick)) {
                return assert.strictEqual(await noticeButton(page, 'Mit diesen Optionen laden').count(), 0, 'the offer goes with its plan');
            }
            await noticeButton(page, 'Mit diesen Optionen laden').click();
            Object.assign(m.plans[m.shown[a.t]], planPart((await adopt(m, r))[m.shown[a.t]].plan));
            m.history[a.t][m.shown[a.t]] = { undo: null };
        }],
    ['clear', fc.constant({}), (m) => !m.full, async (m, r) => {  // another page clears the storage: each tab's plan stays
        await r.other.evaluate(() => localStorage.clear());
        for (const id of Object.keys(m.plans)) if (!m.shown.includes(id)) delete m.plans[id];
        await r.tabs[0].waitForFunction(() => document.getElementById('notice').textContent.includes('wieder gespeichert'));
    }],
    ['full', fc.constant({}), (m) => !m.full, async (m, r) => {
        m.full = true;
        await r.other.evaluate(() => {  // to the last character: keys of one letter last
            for (let size = 1 << 20, n = 0; size >= 1; size >>= 1) try { for (;;) localStorage.setItem('fill.' + n++, 'x'.repeat(size)); } catch (e) { /* the next size */ }
            for (const key of 'abcdefghijklmnopqrstuvwxyz') try { localStorage.setItem(key, ''); } catch (e) { break; }
        });
    }],
    // freed; the next change in each tab (each in a field of its own) writes back what it kept
    ['free', fc.record({ text: TEXTS }), (m) => m.full, async (m, r, a) => {
        await r.other.evaluate(() => Object.keys(localStorage).filter((k) => !k.startsWith('werkverbund'))
            .forEach((k) => localStorage.removeItem(k)));
        m.full = false;
        for (const [t, key] of [[0, 'GKF'], [1, 'KDF']]) {
            // the tab types once it shows what storage holds of the field: the other tab's changes, written now that
            // storage takes them, would come in the middle of the typing and replace the text it selected
            await r.tabs[t].waitForFunction(([id, key, selector]) => {
                const stored = JSON.parse(localStorage.getItem('werkverbund.plan.' + id));
                return !stored || document.querySelector(selector).value === (stored.plan.values[key] || '');
            }, [m.shown[t], key, fieldId(key)], { polling: 50 });
            await fieldOf(r.tabs[t], key).fill(a.text).then(() => fieldOf(r.tabs[t], key).blur());
            changed(m, t, (p) => { p.values[key] = a.text; });
            await r.tabs[t].waitForFunction(() => document.getElementById('storage-note').textContent === '', null, { polling: 50 });
        }
    }],
];

const played = { steps: 0 };
class Step {
    constructor(row, args) { [this.row, this.args] = [row, args]; }
    check(m) { return this.row[2](m, this.args); }
    async run(m, r) {
        const since = Date.now();
        await r.tabs[m.last = this.args.t || 0].bringToFront();  // a tab in the background is slowed down
        await this.row[3](m, r, this.args);
        await holds(m, r);
        played.steps++;
        if (env.WERKVERBUND_PLAYER_LOG) console.log(`${this} ${Date.now() - since} ms`);
    }
    toString() { return `['${this.row[0]}', ${JSON.stringify(this.args)}]`; }
}
const step = (name, args) => new Step(STEPS_TABLE.find((row) => row[0] === name), args);
const steps = STEPS_TABLE.map((row) => row[1].map((args) => new Step(row, args)));

// Two tabs of one browser on a link's plan, and another local page of the same origin (which fills the storage).
async function start(hash, tries = 1) {
    const context = await session.browser.newContext({ acceptDownloads: true, hasTouch: true, viewport: DESKTOP });
    await context.setOffline(true);
    const a = await openPage(hash, { context });
    const other = await context.newPage(), file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'werkverbund-')), 'andere.html');
    fs.writeFileSync(file, '<!DOCTYPE html><title>Andere Seite</title>');
    await other.goto(pathToFileURL(file).href);
    // the second tab opened once the browser holds the first one's plan (a moment after it wrote it)
    await other.waitForFunction(() => Object.keys(localStorage).some((k) => k.startsWith('werkverbund.plan.')), null,
        { polling: 50, timeout: 3000 }).catch(() => {});  // or a new start below
    const b = await openPage('', { context });
    await b.setViewportSize(PHONE);
    const r = { tabs: [a, b], other, errors: [] };
    for (const page of r.tabs) page.on('pageerror', (e) => r.errors.push(String(e)));
    const m = { plans: {}, shown: [], history: [{}, {}], full: false, last: 1, empty: emptyPlan(session.tables) };
    await adopt(m, r);
    // a tab opened at the moment another one makes its first plan may make one of its own: a new start then, a few
    // times (a tab that never shows a stored plan is the page's fault, not a moment's)
    if (!m.plans[m.shown[0]] || !m.plans[m.shown[1]]) {
        await close(a);
        assert.ok(tries < 5, `after ${tries} starts a tab still shows a plan not stored: shown ${m.shown}, stored `
            + Object.keys(m.plans));
        return start(hash, tries + 1);
    }
    await holds(m, r);
    return { m, r };
}

async function play(list, hash = '#v=2&name=Start&saleSkwM=1&WF.A=2') {
    const { m, r } = await start(hash);
    await fc.asyncModelRun(() => ({ model: m, real: r }), list).finally(() => close(r.tabs[0]));
}

test(`a random player (${RUNS} sessions of up to ${STEPS} steps, seed ${SEED})`, async () => {
    console.log(`player: seed ${SEED}; replay with WERKVERBUND_RANDOM_SEED=${SEED}`);
    const result = await fc.check(fc.asyncProperty(fc.commands(steps, { maxCommands: STEPS, size: 'max', replayPath: env.WERKVERBUND_PLAYER_REPLAY }), (list) => play(list)),
        { seed: SEED, numRuns: RUNS, path: env.WERKVERBUND_PLAYER_PATH, endOnFailure: !!env.WERKVERBUND_PLAYER_NO_SHRINK });
    console.log(`player: ${played.steps} steps played`);
    if (result.failed) {
        const replay = /replayPath="(.*)"/.exec(String(result.counterexample?.[0]))?.[1];
        assert.fail(`the player failed (seed ${SEED}); replay with WERKVERBUND_RANDOM_SEED=${SEED} WERKVERBUND_PLAYER_PATH=`
            + `${result.counterexamplePath} WERKVERBUND_PLAYER_REPLAY='${replay}'; shrunk steps:\n${result.counterexample?.[0]}\n${result.errorInstance}`);
    }
});

// The repros of the issues as fixed lists of steps, each checked as every step is: the link they start on, the steps.
const t0 = (args) => ({ t: 0, ...args }), t1 = (args) => ({ t: 1, ...args });
const SCENARIOS = {
    'two plans whose crystal races differ compare': ['#v=2&name=A&saleSkwM=2&crystalRace=s', [['plan', t0({ copy: true })],
        ['race', t0({ race: 1 })], ['compare', t0({ i: 0, j: 1 })], ['compare', t1({ i: 1, j: 0 })]]],
    'a deficit and a chain that cannot split said at their rows': ['#v=2&m&saleSkwM=1&WF.A=-5&WF.B=6&skwM=0&crystalRace=b', [['reload', t0()]]],
    'Baustand takes 1.200 and keeps it over a reload, on the phone too': ['#v=2&name=S&saleSkwM=1&WF.A=3&crystalRace=b', [['built', t0({ pick: 0, text: '1.200' })],
        ['reload', t0()], ['built', t0({ pick: 0, text: '3.50' })], ['reload', t0()], ['built', t1({ pick: 0, text: '2' })]]],
    'a count emptied on a line the plan no longer needs keeps its field while typed in': ['#v=2&name=Start&saleSkwM=1&WF.A=2', [
        ['built', t0({ pick: 0, text: '1' })], ['reset', t0({ back: 0, pick: 0 })], ['built', t0({ pick: 0, text: '' })]]],
    'a count changed in one tab shows in the other\'s Baustand': ['#v=2&saleSkwM=1', [['built', t1({ pick: 0, text: '' })], ['built', t0({ pick: 0, text: '1' })],
        ['type', t1({ q: 1, text: '3' })], ['built', t0({ pick: 0, text: '2' })], ['share', t1({ how: 'right', as: 'open', at: 0 })]]],
    'after a rename, emptying an empty plan is no step that undo takes back over the other tab\'s change': ['#v=2&saleSkwM=1', [
        ['reset', t1({ back: 0, pick: 0 })], ['rename', t0({ name: 'Nord' })], ['reset', t0({ back: 0, pick: 0 })], ['race', t1({ race: 1 })], ['undo', t0({})]]],
    'a plan of one field emptied and brought back by the notice is two steps of undo': ['#v=2&name=Eins', [
        ['typed reload', t0({ q: 0, text: '0', wait: 0, byPage: false })], ['reset', t0({ back: 1, pick: 0 })], ['undo', t0({})]]],
    'renamed to a name that is there gets "(2)"; renamed, it is renamed in the other tab': ['#v=2&name=Nord', [['plan', t0({ copy: false })],
        ['rename', t0({ name: 'Nord' })], ['rename', t1({ name: 'Süd' })]]],
    'undo of the first entry of a plan': ['', [['type', t0({ q: 18, text: '5' })], ['undo', t0({ keys: false, redo: false })],
        ['type', t0({ q: 18, text: '5' })], ['type', t0({ q: 18, text: '7' })], ['undo', t0({ keys: true, redo: true })]]],
    'a notice\'s button acts on its own plan': ['#v=2&name=B&saleSkwM=5&KM=3', [['plan', t0({ copy: false })], ['type', t0({ q: 1, text: '7' })],
        ['reset', t0({ back: 2, pick: 0 })], ['remove', t0({ back: 2, pick: 0 })], ['undo', t0({ keys: false, redo: false })], ['reload', t0()]]],
    'two tabs with full storage keep both edits': ['#v=2&name=Beide', [['full', {}], ['type', t0({ q: 21, text: '3' })],
        ['free', { text: '4' }], ['reload', t1()]]],
    'a plan deleted in another tab takes its form with it; the last one deleted leaves one plan': ['#v=2&name=Bleibt&GKF=1', [
        ['plan', t1({ copy: false })], ['switch', t0({ pick: 0.9 })], ['remove', t1({ back: 0, pick: 0 })], ['type', t0({ q: 19, text: '2' })],
        ['remove', t0({ back: 0, pick: 0 })], ['remove', t0({ back: 1, pick: 0 })], ['rename', t0({ name: 'Plan 1' })]]],
    'the last plan renamed, deleted and brought back gets "(2)" beside the one made meanwhile, in both tabs': ['#v=2&name=Start&saleSkwM=1',
        [['rename', t0({ name: 'Plan 1' })], ['remove', t0({ back: 1, pick: 0 })]]],
    'the chain picks with one click, tap or key; printed light from dark': ['#v=2&xl&or=j&opt&saleSkwM=1&saleSkwL=3&WF.A=2&WF.V=5&OF.B=1',
        [['chain', t0({ how: 'click', zoom: 'Einpassen' })], ['chain', t1({ how: 'tap', zoom: 'Vergrößern' })],
            ['chain', t0({ how: 'keys', zoom: 'Verkleinern' })], ['print', t0({ dark: 'system' })], ['print', t1({ dark: 'switch' })]]],
    'plan files right and wrong, all plans': ['#v=2&name=Datei&WF.A=2', [['built', t0({ pick: 0, text: '2' })], ['planfile', t0({ wrong: null })],
        ['planfile', t1({ wrong: '{kaputt' })], ['planfile', t0({ wrong: 'all' })], ['together', t1({ picks: [true, true, true] })]]],
    [`an entry followed by a reload at any moment comes back (${RELOADS} tries)`]: ['#v=2&name=Eins',
        fc.sample(STEPS_TABLE.find((row) => row[0] === 'typed reload')[1], { seed: SEED, numRuns: RELOADS }).map((a) => ['typed reload', a])],
    'an answers file\'s offer goes with its plan; storage cleared by another page': ['#v=2&name=B&saleSkwM=5', [['plan', t0({ copy: false })],
        ['answers', t0({ file: 'energy-2', away: false, pick: 0 })], ['answers', t0({ file: 'energy-2', away: true, pick: 0 })],
        ['answers', t1({ file: 'large', away: false, pick: 0 })], ['clear', {}]]],
    'codes and links, right, cut and changed, pasted and opened': ['#v=2&name=Geteilt&WF.A=3', ['code', 'link', 'open'].flatMap((as) =>
        ['changed', 'cut', 'right'].map((how) => ['share', t0({ how, as, at: 0.5 })]))],
};
for (const [name, [hash, list]] of Object.entries(SCENARIOS)) {
    test(`the player's steps: ${name}`, () => play(list.map(([s, args]) => step(s, args)), hash));
}
