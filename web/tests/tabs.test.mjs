// In node: the plan store over one browser's storage as two tabs see it (each hears of the other's writing late),
// full and freed; a reload from the addresses a tab wrote; the bound on a plan as stored; all plans in one file.
// Random sessions: WERKVERBUND_TAB_RUNS (200) from WERKVERBUND_RANDOM_SEED.
import test from 'node:test';
import assert from 'node:assert';
import { planStore } from '../plan/store.js';
import { allPlans, loadPlans } from '../plan/backup.js';
import { tables, planWith, fakeStorage } from './fakes.mjs';
import support from './support.js';

const { generator } = support;
const RUNS = Number(process.env.WERKVERBUND_TAB_RUNS || 200);
const SEED = Number(process.env.WERKVERBUND_RANDOM_SEED || Date.now() % 1000000);
const PLAN = 'werkverbund.plan.';

// One browser's storage as two tabs see it: each reads its own copy, written at once and heard of by the other tab
// only when deliver() brings it there with a 'storage' event, as a browser does a moment later. All of it together
// (truth) is bounded by truth.room.n characters.
function sharedStorage() {
    const truth = fakeStorage(), queue = [], tabs = [];
    const tab = () => {
        const copy = Object.create({
            getItem(k) { return Object.hasOwn(this, k) ? this[k] : null; },
            setItem(k, v) { truth.setItem(k, v); this[k] = v; queue.push([copy, k, v]); },
            removeItem(k) { truth.removeItem(k); delete this[k]; queue.push([copy, k, null]); },
        });
        tabs.push(copy);
        return copy;
    };
    // Brings the oldest n writes to the other tabs; listen(copy, event) gets their events.
    const deliver = (n, listen) => queue.splice(0, n).forEach(([from, key, value]) => tabs.filter((t) => t !== from)
        .forEach((t) => {
            if (value === null) delete t[key];
            else t[key] = value;
            listen(t, { key, newValue: value, storageArea: t });
        }));
    return { truth, queue, tab, deliver };
}

// Two tabs on one plan, each changing fields (an option too), built counts and the name of its own, while the storage
// fills and frees and the tabs hear of each other's writing late: once all is heard and the storage free, the plan
// holds each change as its tab made it last.
test(`two tabs that hear late, full storage: every change kept (${RUNS} sessions, seed ${SEED})`, () => {
    for (let run = 0; run < RUNS; run++) {
        const g = generator(SEED + run), shared = sharedStorage();
        const [a, b] = [shared.tab(), shared.tab()].map((copy) => ({ copy, store: planStore(tables, copy, null) }));
        const id = a.store.current().id;
        shared.deliver(Infinity, () => {});
        b.store.switchTo(id);
        const own = [[a, ['WF.A', 'OF.A', 'xl'], 'A.M'], [b, ['WF.B', 'OF.B', 'h'], 'B.M']];
        const expected = { values: {}, built: {}, name: 'Plan 1' };
        const listen = (copy, event) => [a, b].find((t) => t.copy === copy).store.storageChanged(event);
        for (let step = 0; step < 30; step++) {
            const [tab, fields, row] = g.pick(own), base = tab.store.get(id) || tab.store.current();
            const what = g.int(10);
            if (what < 5) {
                const key = g.pick(fields), part = key in base.plan.options ? 'options' : 'values';
                const text = part === 'options' ? g.chance(0.5) : g.chance(0.2) ? '' : String(g.int(100));
                tab.store.save({ ...base.plan, [part]: { ...base.plan[part], [key]: text } }, base.plan, id);
                expected.values[key] = text;
            } else if (what < 7) {
                const n = g.int(3);
                tab.store.setBuilt(row, n, id);
                expected.built[row] = n;
            } else if (what < 8) shared.deliver(g.int(4), listen);
            else if (what < 9 && tab === a) a.store.rename(id, expected.name = 'Plan ' + g.int(100));
            else shared.truth.room.n = g.chance(0.5) ? Infinity : Object.entries(shared.truth)
                .reduce((n, [k, v]) => n + k.length + v.length, 0);  // full
        }
        shared.truth.room.n = Infinity;
        for (let round = 0; round < 20 && (round < 2 || shared.queue.length); round++) {
            for (const { store } of [a, b]) store.trouble();  // tried again every few seconds
            shared.deliver(Infinity, listen);
        }
        const kept = planStore(tables, shared.truth, null).get(id), { values, built } = expected;
        const now = (k) => (k in kept.plan.options ? kept.plan.options[k] : kept.plan.values[k] || '');
        assert.deepStrictEqual([Object.keys(values).map(now),
            Object.keys(built).map((k) => kept.built[k] || 0), kept.name],
        [Object.values(values), Object.values(built), expected.name], `seed ${SEED + run}`);
    }
});

// A reload goes to the tab's plan also from the address of the plan it showed before (the browser hears of each new
// address late), and adds no plan for an address it does not know; a new tab opens the plan chosen last.
test('a reload from the addresses a tab wrote', () => {
    const storage = fakeStorage(), session = fakeStorage(), a = planStore(tables, storage, session);
    const hash = (e) => a.hashOf(e.plan, { name: e.name }), kept = a.create('Bleibt');
    a.wrote([hash(kept)]);
    const other = a.create('Andere');
    a.wrote([hash(kept), hash(other)]);  // the address of the plan before still shown, the new one noted
    const reloaded = planStore(tables, storage, session);
    assert.deepStrictEqual([reloaded.openLink(hash(kept), false, true).entry.id,
        reloaded.openLink('#v=2&name=Fremd&WF.A=9', false, true).added, reloaded.list().length,
        planStore(tables, storage, null).current().id], [other.id, false, 2, other.id]);
});

// What a link may bring within its bound can be stored beyond the bound a stored plan is read with (a control
// character is stored as six): refused and said, as is a change that would grow a plan beyond it. A plan an earlier
// page stored beyond it (indented, with counts of lines that do not exist) is read and stored anew, compactly.
test('what is stored stays within the bound it is read back with', () => {
    const wide = { ...tables, numberTextLimit: 500,
        questions: tables.questions.concat(Array.from({ length: 30 }, (_, i) => ({ key: 'q' + i }))) };
    const storage = fakeStorage(), lines = { has: (key) => key === 'SKW.M', carry: (plan, built) => built };
    const plans = planStore(wide, storage, null, lines), first = plans.current();
    const field = (i) => `q${i}=` + '%01'.repeat(500);
    const link = plans.openLink('#v=2&name=Breit&' + Array.from({ length: 22 }, (_, i) => field(i)).join('&'));
    assert.deepStrictEqual([link.added, link.entry.id, link.refused], [false, first.id,
        'Der Plan „Breit“ wird nicht gespeichert: der Plan wäre gespeichert 65 KB groß; ein Plan hat höchstens 64 KB.']);
    const plan = plans.readHash(Array.from({ length: 21 }, (_, i) => field(i)).join('&')).plan;
    assert.ok(plans.save(plan, first.plan));
    assert.strictEqual(plans.save({ ...plan, values: { ...plan.values, q21: '\u0001'.repeat(500) } }, plan), null);
    assert.match(plans.messages().join(), /^Die Änderung am Plan „Plan 1“ wird nicht gespeichert: der Plan wäre gespeichert \d+ KB/);
    const built = Object.fromEntries(Array.from({ length: 5000 }, (_, i) => ['z' + i, 1]).concat([['SKW.M', 2]]));
    storage[PLAN + 'alt'] = JSON.stringify({ werkverbund: 2, name: 'Alt', plan: {}, built, updated: 1 }, null, 1);
    assert.deepStrictEqual(plans.get('alt').built, { 'SKW.M': 2 });
    assert.ok(storage[PLAN + 'alt'].length < 300, storage[PLAN + 'alt']);
});

// Random plans with built counts and names (some alike), in one file and back: the same plans under the same ids;
// loaded again, or where they are, nothing is added.
test(`all plans in one file: ${RUNS} random plans round-trip, loaded twice they are added once (seed ${SEED})`, () => {
    const g = generator(SEED), from = planStore(tables, fakeStorage(), null);
    const text = () => g.pick(['', '0', '12', ' 7 ', '1.500', 'x"\\y', 'ä€😀', '\u0001']);
    for (let i = 0; i < RUNS; i++) {
        const plan = planWith(Object.fromEntries(tables.options.map((o) => [o.name, g.chance(0.5)])),
            { or: g.pick(['j', 'n']) }, Object.fromEntries(['saleSkwM', 'WF.A', 'OF.B', 'ME'].map((k) => [k, text()])));
        const built = Object.fromEntries(Array.from({ length: g.int(4) }, () => [g.pick(['SKW.M', 'NP.A.L', 'ME']), 1 + g.int(9)]));
        from.add({ name: g.pick(['Ausbau', 'Plan ' + g.int(5), ' Zahl ' + i, '„Zitat“']), plan, built });
    }
    const all = allPlans(from).text, to = planStore(tables, fakeStorage(), null);
    const byId = (plans) => Object.fromEntries(plans.list().map(({ id, name, plan, built }) => [id, { name, plan, built }]));
    assert.deepStrictEqual([loadPlans(to, all).added.length, byId(to)], [RUNS, byId(from)]);
    assert.deepStrictEqual([loadPlans(to, all), loadPlans(from, all)].map((done) => [done.added.length, done.here.length]),
        [[0, RUNS], [0, RUNS]]);
});
