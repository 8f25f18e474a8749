// Plan codes: random plans through address, code and pasted link back to the same plan; every change and cut refused.
import test from 'node:test';
import assert from 'node:assert';
import { loadRunner, generator, randomRuns } from './support.js';
import { emptyPlan } from '../plan/plan.js';
import { planStore } from '../plan/store.js';
import { encodePlan, decodePlan, readPasted } from '../plan/plancode.js';

const [RUNS, SEED] = randomRuns('WERKVERBUND_CODE_RUNS');
const PIECES = ['', '', '0', '7', '-3', '12,5', ' ', '&', '=', '#', '%', '%25', '+', 'ä', 'Ö', 'ß', '€', '😀', 'WV1-',
    'v=2', 'b:x', '\t'];
const CHARS = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';

test(`${RUNS} random plans through their address and their code (seed ${SEED})`, async () => {
    const tables = (await loadRunner()).tables();
    const store = planStore(tables, null);
    for (let i = 0; i < RUNS; i++) {
        const g = generator(SEED + i);
        const text = (n) => Array.from({ length: g.int(n) }, () => g.pick(PIECES)).join('');
        const plan = emptyPlan(tables);
        tables.options.forEach((o) => {
            plan.options[o.name] = g.chance(0.5);
            // the answer of an option that is off is not kept
            if (o.question) plan.answers[o.name] = plan.options[o.name] ? g.pick(['j', 'n']) : 'j';
        });
        tables.questions.forEach((q) => {
            const value = q.kind === 'letter' ? g.pick(tables.crystalRaces).letter : g.chance(0.4) && text(4);
            if (value) plan.values[q.key] = value;  // an empty field is left out
        });
        const [name, built] = [text(6).trim(), g.chance(0.3) ? { [text(3) + 'x']: 1 + g.int(999), 'SKW.L': 1e9 } : {}];
        const hash = store.hashOf(plan, { name, built });
        assert.deepStrictEqual(store.readHash('#' + hash), { plan, built, name, problems: [] }, hash);
        const code = await encodePlan(hash);
        const back = await decodePlan(code);
        assert.deepStrictEqual([back, await readPasted(`https://a.example/b/?c#${hash}`)], [{ hash }, { hash }], code);
        // past "WV1-" a changed character makes a changed or cut code, a cut past "WV" a cut one
        for (let at = 0; at < code.length; at++) {
            const other = CHARS.replace(code[at], '');
            const changed = code.slice(0, at) + other[g.int(other.length)] + code.slice(at + 1);
            assert.match((await decodePlan(changed)).problem, at < 4 ? /./ : /verändert|unvollständig/, changed);
            assert.match((await decodePlan(code.slice(0, at))).problem, at < 2 ? /kein Plancode/ : /unvollständig/);
        }
    }
});

test('a code in a chat, another version, not a code, a link without a plan; a long plan is compressed', async () => {
    const hash = 'v=2&name=Ausbau&xl&or=n&' + Array.from({ length: 40 }, (_, i) => `WF.${i}=${i % 7}`).join('&');
    const code = await encodePlan(hash);
    assert.ok(code.length < hash.length * 0.7);
    assert.deepStrictEqual(await decodePlan(` „${code.slice(0, 20)}\n${code.slice(20)}“. `), { hash });
    const said = async (text) => (await readPasted(text)).problem;
    assert.match(await said('WV2-' + code.slice(4)), /Version 2; diese Seite liest Plancodes der Version 1\. Eine/);
    assert.match(await said('Hallo'), /weder ein Plancode .* noch ein Link/);
    assert.match(await said('https://a.example/'), /Link enthält keinen Plan/);
});
