// In node: the plan store over one browser's storage as two tabs see it (each hears of the other's writing late),
// full and freed; what a tab keeps of plans deleted or cleared elsewhere; the bound on a plan as stored; all plans in
// one file. Random sessions: WERKVERBUND_TAB_RUNS (200) from WERKVERBUND_RANDOM_SEED.
import test from 'node:test';
import assert from 'node:assert';
import { planStore } from '../plan/store.js';
import { allPlans, loadPlans } from '../plan/backup.js';
import { FILE_LIMIT } from '../plan/planfile.js';
import { tables, planWith, fakeStorage } from './fakes.mjs';
import support from './support.js';

const { generator } = support;
const RUNS = Number(process.env.WERKVERBUND_TAB_RUNS || 200);
const SEED = Number(process.env.WERKVERBUND_RANDOM_SEED || Date.now() % 1000000);
const PLAN = 'werkverbund.plan.';

// One browser's storage as two tabs see it: each reads its own copy, written at once and heard of by the other tab
// only when deliver() brings it there with a 'storage' event, as a browser does a moment later. All of it together
// is bounded by room.n characters.
function sharedStorage() {
    const room = { n: Infinity }, truth = {}, queue = [], tabs = [];
    const used = (k) => Object.keys(truth).reduce((n, key) => n + (key === k ? 0 : key.length + truth[key].length), 0);
    const tab = () => {
        const copy = Object.create({
            getItem(k) { return Object.hasOwn(this, k) ? this[k] : null; },
            setItem(k, v) {
                if (used(k) + k.length + v.length > room.n) throw new Error('QuotaExceededError');
                this[k] = truth[k] = v;
                queue.push([copy, k, v]);
            },
            removeItem(k) {
                delete this[k];
                delete truth[k];
                queue.push([copy, k, null]);
            },
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
    return { room, truth, queue, tab, deliver };
}

const with1 = (plan, part, key, value) => ({ ...plan, [part]: { ...plan[part], [key]: value } });

// Two tabs on one plan, each changing fields, built counts and the name of its own, while the storage fills and frees
// and the tabs hear of each other's writing late: once all is heard and the storage free, the plan holds each
// change as its tab made it last.
test(`two tabs that hear late, full storage: every change kept (${RUNS} sessions, seed ${SEED})`, () => {
    for (let run = 0; run < RUNS; run++) {
        const g = generator(SEED + run), shared = sharedStorage();
        const [a, b] = [shared.tab(), shared.tab()].map((copy) => ({ copy, store: planStore(tables, copy, null) }));
        const id = a.store.current().id;
        shared.deliver(Infinity, () => {});
        b.store.switchTo(id);
        const own = [[a, ['WF.A', 'OF.A'], 'A.M'], [b, ['WF.B', 'OF.B'], 'B.M']];
        const expected = { values: {}, built: {}, name: 'Plan 1' };
        const listen = (copy, event) => [a, b].find((t) => t.copy === copy).store.storageChanged(event);
        for (let step = 0; step < 30; step++) {
            const [tab, fields, row] = g.pick(own), base = tab.store.get(id) || tab.store.current();
            const what = g.int(10);
            if (what < 5) {
                const key = g.pick(fields), text = g.chance(0.2) ? '' : String(g.int(100));
                tab.store.save(with1(base.plan, 'values', key, text), base.plan, id);
                expected.values[key] = text;
            } else if (what < 7) {
                const n = g.int(3);
                tab.store.setBuilt(row, n, id);
                expected.built[row] = n;
            } else if (what < 8) shared.deliver(g.int(4), listen);
            else if (what < 9 && tab === a) a.store.rename(id, expected.name = 'Plan ' + g.int(100));
            else shared.room.n = g.chance(0.5) ? Infinity : Object.keys(shared.truth).reduce((n, k) => n + k.length + shared.truth[k].length, 0);
        }
        shared.room.n = Infinity;
        for (let round = 0; round < 20 && (round < 2 || shared.queue.length); round++) {
            for (const { store } of [a, b]) store.trouble();  // tried again every few seconds
            shared.deliver(Infinity, listen);
        }
        const kept = planStore(tables, Object.assign(Object.create(Object.getPrototypeOf(a.copy)), shared.truth), null).get(id);
        const made = { seed: SEED + run };
        for (const key of Object.keys(expected.values)) assert.strictEqual(kept.plan.values[key] || '', expected.values[key], `${key} ${JSON.stringify(made)}`);
        for (const row of Object.keys(expected.built)) assert.strictEqual(kept.built[row] || 0, expected.built[row], `${row} ${JSON.stringify(made)}`);
        assert.strictEqual(kept.name, expected.name, `name ${JSON.stringify(made)}`);
    }
});
