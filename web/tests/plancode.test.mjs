// Plan codes: random plans through address, code and pasted link back to the same plan; codes of the first version as
// the page wrote them (stored, compressed, a length of two bytes) still open; every change and cut refused; the
// lengths a code is held to.
import test from 'node:test';
import assert from 'node:assert';
import { loadRunner, generator, randomRuns } from './support.js';
import { emptyPlan } from '../plan/plan.js';
import { planStore } from '../plan/store.js';
import { planCodes } from '../plan/plancode.js';

const [RUNS, SEED] = randomRuns('WERKVERBUND_CODE_RUNS');
const PIECES = ['', '', '0', '7', '-3', '12,5', ' ', '&', '=', '#', '%', '%25', '+', 'ä', 'Ö', 'ß', '€', '😀', 'WV1-',
    'v=2', 'b:x', '\t', '.', ',', '1.500', '00'];
const CHARS = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
const tables = (await loadRunner()).tables();
const { encodePlan, decodePlan, readPasted } = planCodes(tables);
const store = planStore(tables, null);

// A number as a player types it: whole, with a decimal comma or point, with thousands dots; or odd text.
function fieldText(g) {
    const n = String(g.int(20001) - 10000);
    const forms = [n, n + ',' + g.int(100), '0.' + g.int(1000), Number(n).toLocaleString('de-DE') + ',5',
        '0' + n, Array.from({ length: g.int(4) }, () => g.pick(PIECES)).join('')];
    return g.pick(forms);
}

function randomPlan(g) {
    const plan = emptyPlan(tables);
    tables.options.forEach((o) => {
        plan.options[o.name] = g.chance(0.5);
        // the answer of an option that is off is not kept
        if (o.question) plan.answers[o.name] = plan.options[o.name] ? g.pick(['j', 'n']) : 'j';
    });
    tables.questions.forEach((q) => {
        const value = q.kind === 'letter' ? g.pick(tables.crystalRaces).letter : g.chance(0.4) && fieldText(g);
        if (value) plan.values[q.key] = value;  // an empty field is left out
    });
    return plan;
}

test(`${RUNS} random plans through their address and their codes (seed ${SEED})`, async () => {
    for (let i = 0; i < RUNS; i++) {
        const g = generator(SEED + i);
        const text = (n) => Array.from({ length: g.int(n) }, () => g.pick(PIECES)).join('');
        const plan = randomPlan(g);
        const built = g.chance(0.3) ? { [text(3) + 'x']: 1 + g.int(999), 'SKW.L': 1e9, 'NP.V.XL': 3, ME: 29, 'KF.': 1 } : {};
        const name = text(6).trim();
        const hash = store.hashOf(plan, { name, built });
        assert.deepStrictEqual(store.readHash('#' + hash), { plan, built, name, problems: [] }, hash);
        const code = await encodePlan(hash);
        const back = await Promise.all([decodePlan(code), readPasted(`https://a.example/b/?c#${hash}`)]);
        assert.deepStrictEqual(back, [{ hash }, { hash }], code);
        // past "WV2-" a changed character makes a changed or cut code, a cut past "WV" a cut one
        for (let at = 0; at < code.length; at++) {
            const other = CHARS.replace(code[at], '');
            const changed = code.slice(0, at) + other[g.int(other.length)] + code.slice(at + 1);
            assert.match((await decodePlan(changed)).problem, at < 4 ? /./ : /verändert|unvollständig/, changed);
            assert.match((await decodePlan(code.slice(0, at))).problem, at < 2 ? /kein Plancode/ : /unvollständig/);
        }
    }
});

test('codes of the first version as the page wrote them open their plans', async () => {
    for (const [code, hash] of [
        ['WV1-AEZ2PTImbmFtZT1BdXNiYXUmeGwmc2FsZVNrd0w9MiZFQVhMPTMmS1hMPTEmV0YuQT00Jk9GLkI9MiZjcnlzdGFsUmFjZT1iUCVXwg',
            'v=2&name=Ausbau&xl&saleSkwL=2&EAXL=3&KXL=1&WF.A=4&OF.B=2&crystalRace=b'],
        ['WV1-AFp2PTMmbmFtZT1TZWt0b3IlMjA3Jm9yPW4mZGF0PWombSZHS0Y9MiZXRi5WPTEuNTAwJk1FPTE1MDAlMkM1JmI6U0tXLk09MiZiOk5QLlYu'
            + 'TD0xJmI6TUU9Mjm0vVCc', 'v=3&name=Sektor%207&or=n&dat=j&m&GKF=2&WF.V=1.500&ME=1500%2C5&b:SKW.M=2&b:NP.V.L=1&b:ME=29'],
        ['WV1-AacBNchNa8JAFIXhf3OWxXvj5-IsRky6mDsIDrTZjhoQHU1J0lr_vURw9b48f1Tc0rXhV5szTth3-M9oO55xTANvaHq0PwP6lJt4uQfKe4363tp'
            + 'YoHSBU5TOOEPpauMc0QUuEJ1xiTjSCiaBMoGJUQQmtVEUpoFSwNQoU5iOOoMPlDm8URbwIy3x6SvKCn5TUSeI64oq-K4-HFWxfbXAoXv0Q8q7dG'
            + 'j4-wQ9UgWv', 'v=2&name=Voll&h&br&xl&or=j&dat=n&es&opt&saleSkwM=1&saleSkwL=2&saleSkwXL=3&EAM=4&EAL=5&EAXL=6&SAM=7'
            + '&SAL=8&SAXL=9&L1M=10&L1L=11&L1XL=12&L2M=13&L2L=14&L2XL=15&KM=16&KL=17&KXL=18&GKF=19&KDF=20&SBF=21&WF.A=22'
            + '&OF.A=23&crystalRace=u'],
    ]) assert.deepStrictEqual(await decodePlan(code), { hash });
});

test('a typical plan\'s code is at most half its address, the fullest plan\'s at most 150 characters', async () => {
    const typical = 'v=2&name=Ausbau&xl&saleSkwL=2&EAXL=3&KXL=1&WF.A=4&OF.B=2&crystalRace=b';
    const plan = emptyPlan(tables);
    tables.options.forEach((o) => { plan.options[o.name] = true; });
    tables.questions.forEach((q, i) => { plan.values[q.key] = q.kind === 'count' ? String(1 + i % 30) : 'u'; });
    Object.assign(plan.values, { demand: '250000', skwXL: '12', ME: '1500,5', MS: '800' });
    const fullest = store.hashOf(plan, { name: 'Hauptkomplex Sektor 7' });
    const [short, full] = [await encodePlan(typical), await encodePlan(fullest)];
    assert.ok(short.length <= typical.length / 2, `${short} against ${typical.length}`);
    assert.ok(full.length <= 150, `${full.length}: ${full}`);  // each back to its plan: the random plans above
});

test('a code in a chat, broken into lines and quoted', async () => {
    const hash = 'v=2&name=Ausbau&xl&or=n&' + Array.from({ length: 40 }, (_, i) => `WF.A=${i % 7}`).join('&');
    const code = await encodePlan(hash);
    assert.deepStrictEqual(await decodePlan(` „${code.slice(0, 20)}\n${code.slice(20)}“. `), { hash: 'v=2&name=Ausbau&xl&or=n&WF.A=4' });
});
