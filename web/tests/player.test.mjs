// A random player in headless Chromium: two tabs of one browser on three plans, typing (each tab into fields of its
// own), choosing plans, emptying or deleting a plan and choosing another plan before the notice's button, filling and
// freeing the browser's storage, reloading. Every plan ends with each field as the player left it.
// WERKVERBUND_PLAYER_STEPS steps (40) from WERKVERBUND_RANDOM_SEED.
import test from 'node:test';
import assert from 'node:assert';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { generator, started } from './support.js';
import { openPage, reload, close, planNames, values } from './browser.js';

const STEPS = Number(process.env.WERKVERBUND_PLAYER_STEPS || 40);
const SEED = Number(process.env.WERKVERBUND_RANDOM_SEED || Date.now() % 1000000);
const OWN = [['#f-GKF', '#f-KDF'], ['#f-WF-A', '#f-OF-B']];
const FIELDS = OWN.flat();

const planOf = async (page) => (await values(page, '#plan-name'))[0];
const form = async (page) => Object.fromEntries((await values(page, ...FIELDS)).map((v, i) => [FIELDS[i], v]));
const of = (plan) => Object.fromEntries(FIELDS.map((f) => [f, plan[f] || '']));

test(`a random player with two tabs keeps every plan as left (${STEPS} steps, seed ${SEED})`, async () => {
    const g = generator(SEED), base = '#v=2&name=';
    const a = await openPage(base + 'P1&GKF=1');
    for (const link of ['P2&KDF=2', 'P3&WF.A=3']) {
        await a.goto(a.url().replace(/#.*/, base + link));
        await started(a);
    }
    const b = await openPage('', { context: a.context() });
    const other = await a.context().newPage();  // another local page, which fills and frees the storage
    const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'werkverbund-')), 'andere.html');
    fs.writeFileSync(file, '<!DOCTYPE html><title>Andere Seite</title>');
    await other.goto(pathToFileURL(file).href);
    const model = { P1: { '#f-GKF': '1' }, P2: { '#f-KDF': '2' }, P3: { '#f-WF-A': '3' } };
    const tabs = [a, b], done = [];
    let full = false;
    // both tabs show a plan of the model, as the model has it (they hear of each other's writing a moment later)
    const settle = () => Promise.all(tabs.map(async (page) => {
        const wait = (f, arg) => page.waitForFunction(f, arg, { timeout: 5000 })
            .catch(async () => assert.fail(`${done.join(' ')}: ${await planOf(page)} ${JSON.stringify(await form(page))}`));
        await wait((names) => names.includes(document.getElementById('plan-name').value), Object.keys(model));
        await wait(([fields, want]) => fields.every((f) => document.querySelector(f).value === want[f]),
            [FIELDS, of(model[await planOf(page)])]);
    }));
    // another plan chosen, if there is one: whether there was
    const choose = async (page) => {
        const now = await planOf(page), names = Object.keys(model).filter((n) => n !== now);
        if (names.length) await page.locator('#plan-list').selectOption({ label: g.pick(names) });
        return names.length > 0;
    };
    for (let step = 0; step < STEPS; step++) {
        const t = g.int(2), page = tabs[t], what = g.int(9), name = await planOf(page);
        done.push(`${'ab'[t]}${what}`);
        if (what < 4) {
            const field = g.pick(OWN[t]), text = String(g.int(100));
            await page.fill(field, text);
            model[name][field] = text;
        } else if (what === 4) await choose(page);
        else if (what === 5 && !full) {  // emptied, maybe another plan chosen, then the offer to undo
            await settle();
            await page.locator('#reset').click();
            const away = g.chance(0.5) && await choose(page);
            const undo = page.locator('#notice button', { hasText: 'Rückgängig' });
            assert.strictEqual(await undo.count(), away ? 0 : 1, done.join(' '));
            if (away) for (const f of FIELDS) model[name][f] = '';
            else await undo.click();
        } else if (what === 6 && !full && Object.keys(model).length > 1) {  // deleted, the same
            await settle();
            await page.locator('#plan-delete').click();
            const kept = model[name];
            delete model[name];
            const away = g.chance(0.5) && await choose(page);
            const undo = page.locator('#notice button', { hasText: 'Rückgängig' });
            assert.strictEqual(await undo.count(), away ? 0 : 1, done.join(' '));
            if (!away) {
                await undo.click();
                model[name] = kept;
            }
            await settle();  // the other tab has left the plan deleted
        } else if (what === 7) {
            full = !full;
            await other.evaluate((fill) => {
                if (!fill) return Object.keys(localStorage).filter((k) => !k.startsWith('werkverbund'))
                    .forEach((k) => localStorage.removeItem(k));
                let n = 0;
                for (let size = 1 << 20; size >= 1; size >>= 1) {
                    try { for (;;) localStorage.setItem('fill.' + n++, 'x'.repeat(size)); } catch (e) { n--; }
                }
                for (const key of 'abcdefghijklmnopqrstuvwxyz') {
                    try { localStorage.setItem(key, ''); } catch (e) { break; }
                }
            }, full);
        } else if (what === 8 && !full) {
            await reload(page);
            assert.deepStrictEqual(await form(page), of(model[await planOf(page)]), done.join(' '));
        }
    }
    if (full) await other.evaluate(() => Object.keys(localStorage).filter((k) => !k.startsWith('werkverbund'))
        .forEach((k) => localStorage.removeItem(k)));
    for (const [t, page] of tabs.entries()) {  // each writes back what it kept in memory
        await page.fill(OWN[t][0], '5');
        model[await planOf(page)][OWN[t][0]] = '5';
        await page.waitForFunction(() => document.getElementById('storage-note').textContent === '');
    }
    await settle();
    const c = await openPage('', { context: a.context() });
    assert.deepStrictEqual((await planNames(c)).sort(), Object.keys(model).sort(), done.join(' '));
    for (const name of Object.keys(model)) {
        await c.locator('#plan-list').selectOption({ label: name });
        assert.deepStrictEqual(await form(c), of(model[name]), `${name} after ${done.join(' ')}`);
    }
    await close(a);
});
