// Several plans as one complex: random sets of plans that can be added up, against fresh runs of the core and the
// plans' own lists; plans that cannot be added up, with their reasons.
import test from 'node:test';
import assert from 'node:assert';
import { loadRunner, generator, randomRuns } from './support.js';
import { emptyPlan, planInput, isAsked } from '../plan/plan.js';
import { sumPlans } from '../plan/sum.js';
import { togetherOf } from '../record/together.js';
import { describeResults } from '../record/describe.js';

const [RUNS, SEED] = randomRuns('WERKVERBUND_PLAN_RUNS');
const runner = await loadRunner();
const tables = runner.tables();
const recordOf = (plan) => runner.runPlan(planInput(tables, plan), true).record;
const withRun = (name, plan) => ({ name, plan, input: planInput(tables, plan), record: recordOf(plan) });
const SIZE = { M: 0, L: 1, XL: 2 };
const LEVELS = ['Kritisch', 'Ausreichend', 'Empfohlen'];
const zero = (list) => list.map((v) => v + 0);  // a sale of -0 adds up to 0 or -0 alike
const planOf = (values, options = {}, answers = {}) => {
    const empty = emptyPlan(tables);
    return { options: { ...empty.options, ...options }, answers: { ...empty.answers, ...answers },
        values: { crystalRace: 'a', ...values } };
};

// A line's amount in a run, read from its row as the core recorded it: a count by size, a mine's level, a sale, the
// -es capacity; 0 where the run has no such line.
function amountIn(record, code, column) {
    const row = record.rows.find((r) => r.code === code);
    if (!row) return 0;
    if (column in SIZE) return row.count[SIZE[column]];
    if (row.type === 'mines') return Number(row.valueText[LEVELS.indexOf(column) - (3 - row.valueText.length)]);
    if (row.type === 'sale') return Number(row.valueText[0]);
    return row.number;
}

test(`${RUNS} random sets of plans: one complex as a fresh run of the summed plan, separate ones as their lists added (seed ${SEED})`, () => {
    for (let i = 0; i < RUNS; i++) {
        const g = generator(SEED + i);
        const options = {}, answers = {};
        tables.options.forEach((o) => { options[o.name] = o.name !== 'm' && g.chance(0.4); answers[o.name] = g.pick(['j', 'n']); });
        const race = g.pick(tables.crystalRaces).letter;
        const sums = {};
        const plans = Array.from({ length: 2 + g.int(3) }, (_, n) => {
            const values = { crystalRace: race };
            tables.questions.filter((q) => q.kind === 'count' && g.chance(0.3)).forEach((q) => {
                const value = g.int(2400) - 100;
                values[q.key] = value >= 1000 && g.chance(0.5) ? `${Math.floor(value / 1000)}.${String(value % 1000).padStart(3, '0')}` : String(value);
                if (isAsked(q, options)) sums[q.key] = (sums[q.key] || 0) + value;
            });
            return withRun('Plan ' + n, planOf(values, options, answers));
        });
        const summed = planOf({ crystalRace: race, ...Object.fromEntries(Object.entries(sums).map(([k, v]) => [k, String(v)])) },
            options, answers);
        assert.deepStrictEqual(sumPlans(tables, plans), { plan: summed }, `seed ${SEED + i}`);

        const fresh = recordOf(summed);
        const t = togetherOf(plans.map((p) => p.record), fresh);
        for (const l of t.lines) {
            assert.deepStrictEqual(zero([l.together, l.apart]), zero([amountIn(fresh, l.code, l.column),
                plans.reduce((s, p) => s + amountIn(p.record, l.code, l.column), 0)]), `${l.code} ${l.column}`);
        }
        const summary = (r) => describeResults(r, tables).summary;
        assert.deepStrictEqual([t.totals.apart.factories, t.totals.together.factories, t.totals.apart.surplus, t.totals.together.surplus],
            [plans.reduce((s, p) => s + summary(p.record).total, 0), summary(fresh).total,
                plans.reduce((s, p) => s + summary(p.record).ez, 0), summary(fresh).ez]);
        // every line either run has to build is listed
        for (const r of [fresh, ...plans.map((p) => p.record)]) {
            for (const row of r.rows.filter((x) => x.count.some((c) => c))) assert.ok(t.lines.some((l) => l.code === row.code), row.code);
        }
    }
});

test('plans that cannot be added up are named with their reason', () => {
    const base = planOf({ 'WF.A': '3' }, { or: true });
    for (const [other, why] of [
        [planOf({ 'WF.A': '3' }, { or: true, xl: true }), 'anders als „A“: „Mit L- und XL-Größen rechnen“ an'],
        [planOf({ 'WF.A': '3' }, { or: true }, { or: 'n' }), 'anders als „A“: „Weitere Völker mit Namen“ nein'],
        [planOf({ 'WF.A': '3', crystalRace: 'b' }, { or: true }), 'anders als „A“: Kristallfabriken von Boronen'],
        [planOf({ 'WF.A': 'drei' }, { or: true }), 'das Feld „Argonen erzbasiert“ ist nicht lesbar'],
        [planOf({ 'WF.A': '3', demand: '5000' }, { or: true, m: true }), 'anders als „A“: „Bedarf und SKWs selbst eingeben“ '
            + 'an; Bedarf und SKWs sind von Hand eingegeben („Bedarf und SKWs selbst eingeben“)'],
    ]) assert.deepStrictEqual(sumPlans(tables, [withRun('A', base), withRun('B', other)]), { problems: [{ name: 'B', why }] });
    assert.deepStrictEqual(sumPlans(tables, [withRun('A', planOf({ saleSkwM: '6.000' })), withRun('B', planOf({ saleSkwM: '4001' }))]),
        { problems: [{ name: 'Zusammen', why: '„Sonnenkraftwerke Typ M“ wäre 10.001, die Rechnung nimmt -10.000 bis 10.000' }] });
});
