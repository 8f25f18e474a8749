// Every plan draws: over many plans of several shapes (sold plants only, each option alone, zeros, negatives, the
// fullest plan, anything), run by the core in node, the chain's model names only boxes that exist and draws every
// flow the core recorded, every result line with something to build or a mark has its box, the layout keeps boxes,
// labels and column titles apart, and the comparison, the tables and every "Warum?" are made without an error.
// Texts are measured at a fixed width per character, so that the run stays fast.
import test from 'node:test';
import assert from 'node:assert';
import fc from 'fast-check';
import { loadRunner } from './support.js';
import { emptyPlan, planInput } from '../plan.js';
import { chainModel } from '../chain.js';
import { layoutChain } from '../diagram.js';
import { compareRuns } from '../export.js';
import { describeResults } from '../describe.js';
import { explainRow } from '../explain.js';

const RUNS = Number(process.env.WERKVERBUND_PROPERTY_RUNS || 10000);
const WIDTH = { title: 8.5, line: 7.5, label: 6.5, column: 8.5 };   // px per character, a little wide
const measure = (text, kind) => text.length * WIDTH[kind];
const BOXED = ['plants', 'crystals', 'crystalFood', 'raceChain', 'specialChain', 'mines'];
const overlap = (a, b) => a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;

let runner, tables;
test.before(async () => {
    runner = await loadRunner();
    tables = runner.tables();
});

// The plans: options, yes/no for the races' names, a crystal race and the text of fields, in one of six shapes.
function plans() {
    const OPTIONS = ['xl', 'or', 'opt', 'es', 'm'];
    const keys = (pick) => tables.questions.filter((q) => q.kind !== 'letter' && pick(q)).map((q) => q.key);
    const small = fc.integer({ min: -3, max: 9 }).map(String);
    const any = fc.oneof(fc.constant(''), small, fc.integer({ min: -10000, max: 10000 }).map(String), fc.constantFrom('-0', '1e3', 'x', '2.5'));
    const options = fc.record(Object.fromEntries(OPTIONS.map((o) => [o, fc.boolean()])));
    const fields = (list, text, all) => fc.record(Object.fromEntries(list.map((k) => [k, text])), all ? {} : { requiredKeys: [] });
    const plan = (opts, values) => fc.tuple(opts, values, fc.constantFrom(...tables.crystalRaces.map((c) => c.letter)), fc.boolean())
        .map(([o, v, race, names]) => {
            const p = emptyPlan(tables);
            Object.assign(p.options, o);
            Object.assign(p.values, v, { crystalRace: race });
            p.answers.or = names ? 'j' : 'n';
            return p;
        });
    const all = keys(() => true);
    return fc.oneof(
        plan(options, fields(keys((q) => /^saleSkw/.test(q.key)), small)),                          // sold plants only
        plan(fc.constantFrom(...OPTIONS).map((o) => ({ [o]: true })), fields(all, small)),           // one option alone
        plan(options, fields(all, fc.constant('0'), true)),                                          // zeros
        plan(options, fields(all, fc.integer({ min: -10000, max: -1 }).map(String))),                 // negatives
        plan(fc.constant(Object.fromEntries(OPTIONS.map((o) => [o, true]))),                         // the fullest
            fields(keys((q) => q.when !== 'm'), fc.integer({ min: 1, max: 12 }).map(String), true)),
        plan(options, fields(all, any)));                                                            // anything
}

function check(record, before) {
    const model = chainModel(record, tables);
    const ids = model.nodes.map((n) => n.id);
    assert.strictEqual(new Set(ids).size, ids.length, 'every box once');
    for (const e of model.edges) assert.ok(ids.includes(e.from) && ids.includes(e.to), `line ${e.from} > ${e.to} between boxes`);
    assert.strictEqual(model.edges.length, record.flows.length, 'every flow drawn');
    record.rows.forEach((r, i) => {
        const marked = r.mark && r.mark !== '-';
        if (BOXED.includes(r.type) && (r.type === 'mines' || marked || r.count.some((n) => n !== 0))) {
            assert.ok(ids.includes('row-' + i), `${r.code} has its box`);
        }
    });
    const chart = layoutChain(model, measure);
    const things = chart.boxes.concat(chart.labels, chart.columns);
    things.forEach((a, i) => {
        assert.ok(a.x >= 0 && a.y >= 0 && a.x + a.w <= chart.width && a.y + a.h <= chart.height, 'inside the picture');
        for (const b of things.slice(0, i)) assert.ok(!overlap(a, b), `${a.id || a.text || a.title} and ${b.id || b.text || b.title} apart`);
    });
    describeResults(record, tables);
    record.rows.forEach((r, i) => { if (r.type !== 'note') explainRow(record, tables, i); });
    if (before) compareRuns(before, record);
}

test(`every plan draws: the chain, its layout, the comparison, the tables and "Warum?" (${RUNS} plans)`, () => {
    let before = null;
    let count = 0;
    fc.assert(fc.property(plans(), (plan) => {
        const input = planInput(tables, plan, runner.readDemand);
        const { record } = runner.runPlan(input.options, input.values, true);
        check(record, before);
        before = record;
        count++;
    }), { numRuns: RUNS, seed: Number(process.env.WERKVERBUND_RANDOM_SEED) || undefined });
    console.log(`# views property test: ${count} records checked`);
});
