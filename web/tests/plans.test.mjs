// The plan reader against the console program on random valid plans (WERKVERBUND_PLAN_RUNS, WERKVERBUND_RANDOM_SEED):
// the plan entry, the lines a user types and the answers file the reader logs give the same text, status and files.
import test from 'node:test';
import assert from 'node:assert';
import { loadRunner, runNative, generator, randomRuns, assertSameRun } from './support.js';
import { isAsked, emptyPlan, planInput, refusalOf } from '../plan/plan.js';

const [RUNS, SEED] = randomRuns('WERKVERBUND_PLAN_RUNS');

// A count field's text as a player writes it: empty or whole in range ("009" is decimal here, octal to the console).
const countText = (g, q) => [() => '', () => String(g.pick([q.low, q.high, 0, -1])), () => ' ' + g.int(30) + ' ',
    () => '+' + g.int(100), () => '00' + g.int(9), () => String(g.int(2 * q.high + 1) - q.high)][g.int(8)]?.()
    ?? String(g.int(12));
const demandText = (g) => g.pick(['', '', '12.5', '1500,5', '-3', '0', '1e3', '.5', '7.', '0x1p3', '-0.4', '3.4e38',
    '-1e-50', String(g.int(100000)), '0.1', '9'.repeat(38)]);

function randomPlan(g, tables, subset) {
    const plan = emptyPlan(tables);
    tables.options.forEach((o, i) => {
        plan.options[o.name] = !!(subset & (1 << i));
        if (o.question) plan.answers[o.name] = g.pick(['j', 'n']);
    });
    for (const q of tables.questions) {
        if (q.kind === 'letter') plan.values[q.key] = g.chance(0.2) ? '' : g.pick(tables.crystalRaces).letter;
        else if (q.when === 'm' && g.chance(0.5)) plan.values[q.key] = '';  // takes what is shown
        else plan.values[q.key] = q.kind === 'demand' ? demandText(g) : g.chance(0.1) ? '' : countText(g, q);
    }
    return plan;
}

// What the -m questions show, read off the console text.
const SHOWN = [[/berechneter EZ-Bedarfswert: (\S+)/, ['demand']], [/berechneter Erz-Bedarfswert: (\S+)/, ['ME']],
    [/berechnete SKWs {2}XL: (\S+) L: (\S+) M: (\S+)/, ['skwXL', 'skwL', 'skwM']],
    [/berechneter Silizium-Bedarfswert: (\S+)/, ['MS']]];

// The console program on the lines a user types for the plan (numbers in decimal, a decimal comma as a point). An
// empty -m field is typed as the value its question shows, which hangs on the answers before: run until none changes.
function runAsTyped(tables, plan, args) {
    const typed = (q) => {
        const text = (plan.values[q.key] || '').trim();
        if (q.kind === 'letter') return text || tables.crystalRaces[0].letter;
        if (q.kind === 'count') return text === '' ? '' : String(Number(text));
        return text.indexOf('.') < 0 ? text.replace(',', '.') : text;
    };
    const answers = tables.options.filter((o) => plan.options[o.name] && o.question).map((o) => plan.answers[o.name]);
    const shown = {};
    for (let attempt = 0; ; attempt++) {
        const lines = tables.questions.filter((q) => isAsked(q, plan.options))
            .map((q) => typed(q) || (q.when === 'm' && shown[q.key]) || '0');
        const native = runNative(args, answers.concat(lines).join('\n') + '\n\n');
        let settled = true;
        for (const [pattern, keys] of SHOWN) {
            const m = native.stdout.match(pattern);
            keys.forEach((k, i) => { if (m && shown[k] !== m[i + 1]) [settled, shown[k]] = [false, m[i + 1]]; });
        }
        if (settled || attempt > 6) return native;
    }
}

test(`plan reader and console program agree on ${RUNS} random plans (seed ${SEED})`, async () => {
    const runner = await loadRunner();
    const tables = runner.tables();
    let refused = 0;
    for (let i = 0; i < RUNS; i++) {
        const plan = randomPlan(generator(SEED + i), tables, i % 256);
        const input = planInput(tables, plan);
        const viaPlan = runner.runPlan(input);
        const refusals = tables.questions.map((q, k) => refusalOf(input, viaPlan.record, k)).filter(Boolean);
        assert.deepStrictEqual(refusals, [], `a valid plan refused (seed ${SEED + i}): ${JSON.stringify(plan)}`);
        if (viaPlan.record.questions.some((q) => q.refused)) {
            refused++;  // a shown count the console would refuse: no console user types it
            continue;
        }
        const args = tables.options.filter((o) => plan.options[o.name]).map((o) => o.spelling);
        const made = { seed: SEED + i, plan };
        assertSameRun('plan', viaPlan, runAsTyped(tables, plan, args), `run ${i} differs`, made);
        assertSameRun('plan', viaPlan, runNative(args, viaPlan.answers), `run ${i} replayed from antworten.txt`, made);
    }
    assert.ok(refused < RUNS / 10, `${refused} plans with a refused shown value`);
});
