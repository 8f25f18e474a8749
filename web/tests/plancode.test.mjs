// Plan codes: random plans go through a code and back to the same plan, and through the core to the same files,
// as does a pasted whole link; any one character changed and any cut refuses the code with a sentence saying so.
import test from 'node:test';
import assert from 'node:assert';
import { loadRunner, generator, randomRuns } from './support.js';
import { keyOf, emptyPlan, planInput } from '../plan.js';
import { planStore } from '../store.js';
import { encodePlan, decodePlan, readPasted } from '../plancode.js';

const [RUNS, SEED] = randomRuns('WERKVERBUND_CODE_RUNS');
const PIECES = ['', '', '0', '7', '-3', '12,5', '1e3', ' ', '&', '=', '#', '%', '%25', '+', 'ä', 'ß', '€', '😀', 'WV1-', 'v=2'];
const CHARS = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';

// A plan of the core's tables with odd field texts, a name and built counts, as the page's address writes it.
function randomAddress(g, store, tables) {
    const plan = emptyPlan(tables);
    tables.options.forEach((o) => {
        plan.options[o.name] = g.chance(0.5);
        if (o.question) plan.answers[o.name] = g.pick(['j', 'n']);
    });
    const text = (n) => Array.from({ length: g.int(n) }, () => g.pick(PIECES)).join('');
    for (const key of Object.keys(plan.values)) if (g.chance(0.3)) plan.values[key] = text(4);
    for (const q of tables.questions) if (g.chance(0.3)) plan.values[keyOf(tables, q)] = text(4);
    const built = g.chance(0.3) ? { [text(3) || 'SKW M']: g.int(1000) } : {};
    return store.hashOf(plan, { name: text(6), built });
}

const filesOf = (runner, tables, plan) => {
    const input = planInput(tables, plan, runner.readDemand);
    return runner.runPlan(input.options, input.values).files;
};

test(`${RUNS} random plans through their code (seed ${SEED})`, async () => {
    const runner = await loadRunner();
    const tables = runner.tables();
    const store = planStore(tables, null);
    let refusals = 0;
    for (let i = 0; i < RUNS; i++) {
        const g = generator(SEED + i);
        const hash = randomAddress(g, store, tables);
        const code = await encodePlan(hash);
        const back = await decodePlan(code);
        assert.deepStrictEqual(back, { hash }, `seed ${SEED + i}: ${code}`);
        assert.deepStrictEqual(await readPasted(`https://werkverbund.example/spiel/?x=1#${hash}`), { hash });
        const plan = store.readHash(back.hash).plan;
        assert.deepStrictEqual(filesOf(runner, tables, plan), filesOf(runner, tables, store.readHash(hash).plan));
        for (let at = 0; at < code.length; at++) {
            const other = CHARS.replace(code[at], '');
            const changed = code.slice(0, at) + other[g.int(other.length)] + code.slice(at + 1);
            const got = await decodePlan(changed);
            assert.ok(got.problem && !got.hash, `seed ${SEED + i}: ${changed} taken`);
            const cut = await decodePlan(code.slice(0, at));
            assert.ok(cut.problem && !cut.hash, `seed ${SEED + i}: ${code.slice(0, at)} taken`);
            refusals += 2;
        }
    }
    assert.ok(refusals > RUNS * 20);
});

test('what is wrong with a code is said', async () => {
    const code = await encodePlan('v=2&name=Ausbau&xl&or=n&saleSkwM=3&WF.A=1');
    assert.match(code, /^WV1-[\w-]+$/);
    assert.deepStrictEqual(await decodePlan(` „${code.slice(0, 20)}\n${code.slice(20)}“. `),
        { hash: 'v=2&name=Ausbau&xl&or=n&saleSkwM=3&WF.A=1' }, 'a chat\'s line break and quotes');
    const said = async (text) => (await readPasted(text)).problem;
    assert.match(await said(code.slice(0, -3)), /unvollständig/);
    assert.match(await said(code.slice(0, 10) + code.slice(11)), /unvollständig/);
    assert.match(await said(code.slice(0, 10) + (code[10] === 'A' ? 'B' : 'A') + code.slice(11)), /verändert/);
    assert.match(await said(code + 'A'), /verändert/);
    assert.match(await said('WV2-' + code.slice(4)), /Version 2; diese Seite liest Plancodes der Version 1\. Eine neuere/);
    assert.match(await said('Hallo'), /weder ein Plancode .* noch ein Link/);
    assert.match(await said('https://werkverbund.example/'), /Link enthält keinen Plan/);
    // a plan with many fields: the code is shorter than its address
    const long = 'v=2&name=Großer%20Plan&' + Array.from({ length: 40 }, (_, i) => `WF.${i}=${i % 7}`).join('&');
    assert.ok((await encodePlan(long)).length < long.length * 0.7);
    assert.deepStrictEqual(await decodePlan(await encodePlan(long)), { hash: long });
});
