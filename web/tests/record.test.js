// The run record the page shows, against what the console text of the same run says: random plans run one
// after another in one core must each give what a fresh core gives (nothing of a run may leak into the next);
// the value each -m question showed must be the one its prompt printed; and the sizes a result row says it
// shows must be the sizes its console line prints.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const path = require('node:path');
const { loadRunner, webBuild, generator } = require('./support.js');

const PLANS = 60;

function randomPlan(g, tables, subset) {
    const plan = WV.emptyPlan(tables);
    tables.options.forEach((o, i) => {
        plan.options[o.name] = !!(subset & (1 << i));
        if (o.question) plan.answers[o.name] = g.pick(['j', 'n']);
    });
    for (const q of tables.questions) {
        const key = WV.keyOf(tables, q);
        if (q.kind === 'letter') plan.values[key] = g.pick(tables.crystalRaces).letter;
        else if (q.group === tables.manualGroup) plan.values[key] = g.chance(0.6) ? '' : String(g.int(30));
        else plan.values[key] = String(g.chance(0.1) ? -g.int(3) : g.int(g.pick([3, 12, 400])));
    }
    return plan;
}

// The prompts of the -m questions print what they show.
const SHOWN = [
    [/berechneter EZ-Bedarfswert: (\S+)/, ['demand']],
    [/berechnete SKWs {2}XL: (\S+) L: (\S+) M: (\S+)/, ['skwXL', 'skwL', 'skwM']],
    [/berechneter Erz-Bedarfswert: (\S+)/, ['ME']],
    [/berechneter Silizium-Bedarfswert: (\S+)/, ['MS']],
];

// The sizes a console line prints ("XL: 1  L: 2  M: 3"), as the bits of a row's shown sizes (M 1, L 2, XL 4).
function sizesPrinted(line) {
    return (/\bM: /.test(line) ? 1 : 0) | (/\bL: /.test(line) ? 2 : 0) | (/\bXL: /.test(line) ? 4 : 0);
}

test('plans one after another in one core, each as in a fresh core, each record as its console text', async () => {
    const runner = await loadRunner();
    const create = require(path.join(webBuild, 'web/werkverbund-core.js'));
    const tables = runner.tables();
    const g = generator(1996);
    for (let i = 0; i < PLANS; i++) {
        const plan = randomPlan(g, tables, (i * 37) % 256);
        const input = WV.planInput(tables, plan, runner.readDemand);
        const again = runner.runPlan(input.options, input.values);
        const fresh = WV.makeRunner(await create()).runPlan(input.options, input.values);
        assert.deepStrictEqual(again, fresh, `plan ${i}: a run after others differs from one in a fresh core`);

        const record = again.record;
        const byCode = Object.fromEntries(tables.questions.map((q, n) => [q.code, record.questions[n]]));
        for (const [pattern, codes] of SHOWN) {
            const m = again.stdout.match(pattern);
            codes.forEach((code, k) => {
                assert.strictEqual(byCode[code].asked, m ? 1 : 0, `plan ${i}: ${code} asked`);
                if (m) assert.strictEqual(String(byCode[code].shown), m[k + 1], `plan ${i}: ${code} shown`);
            });
        }
        // the lines of counts, in the order of the rows (the -m prompt that shows counts is no result line)
        const lines = again.stdout.split('\n').filter((l) => /\bM: -?\d/.test(l) && !/berechnete SKWs/.test(l));
        const rows = record.rows.filter((r) => r.kind === 'plants' || r.kind === 'factories');
        assert.strictEqual(lines.length, rows.length, `plan ${i}: lines of counts`);
        rows.forEach((row, n) => {
            assert.strictEqual(row.shown, sizesPrinted(lines[n]), `plan ${i}: sizes of ${row.name}`);
        });
    }
});
