// The named plans: today's addresses and the versioned ones, plan files, and the store over a
// fake localStorage (shared by two tabs, full, refusing, holding data it cannot read).
import test from 'node:test';
import assert from 'node:assert';
import { generator } from './support.js';
import { emptyPlan } from '../plan.js';
import { planStore } from '../store.js';

// Some of the core's questions and options: codes shared by races, the crystal letter, yes/no answers.
const tables = {
    options: [{ name: 'h' }, { name: 'xl' }, { name: 'or', question: 'Namen?' }, { name: 'dat', question: 'Datei?' }],
    questions: [{ code: 'saleSkwM' }, { code: 'WF', index: 0 }, { code: 'OF', index: 0 }, { code: 'WF', index: 1 },
        { code: 'OF', index: 1 }, { code: 'crystalRace', kind: 'letter' }, { code: 'ME', when: 'm' }],
    races: [{ code: 'A' }, { code: 'B' }], crystalRaces: [{ letter: 'a' }, { letter: 'u' }],
};
const planWith = (options, answers, values) => ({ options: { h: false, xl: false, or: false, dat: false, ...options },
    answers: { or: 'j', dat: 'j', ...answers }, values: { crystalRace: 'a', ...values } });
const names = (store) => store.list().map((e) => e.name);

// Keeps its items as own properties, as the browser's storage does; refuses beyond limit characters.
function fakeStorage(limit = Infinity, refuse = false) {
    return Object.create({
        getItem(k) { if (refuse) throw new Error('SecurityError'); return Object.hasOwn(this, k) ? this[k] : null; },
        setItem(k, v) {
            const used = Object.keys(this).reduce((n, key) => n + (key === k ? 0 : key.length + this[key].length), 0);
            if (refuse || used + k.length + v.length > limit) throw new Error('QuotaExceededError');
            this[k] = v;
        },
        removeItem(k) { delete this[k]; },
    });
}

test('addresses', async (t) => {
    const store = planStore(tables, null);
    await t.test('written before the version load to the same plan', () => {
        assert.deepStrictEqual(store.readHash('#h&or=j&dat=n&saleSkwM=3&WF%2EA=%C3%A4%20b%26%3D%23%25'), { built: {},
            plan: planWith({ h: true, or: true, dat: true }, { dat: 'n' }, { saleSkwM: '3', 'WF.A': 'ä b&=#%' }),
            name: '', problems: [] });
        // any order; an option without its answer keeps 'j'; unknown parts change nothing; mangled escapes keep what
        // they hold, for the field to say what is wrong with it
        const r = store.readHash('WF.B=%C3%A4%E4&or&foo=bar&xl&crystalRace=u&saleSkwM=3%ZZ&OF.A=%E2%82&dat=x');
        assert.deepStrictEqual([r.plan, r.problems.length], [planWith({ or: true, xl: true, dat: true }, {},
            { 'WF.B': 'ä%E4', crystalRace: 'u', saleSkwM: '3%ZZ', 'OF.A': '%E2%82' }), 5]);
    });
    await t.test('with the version are short and readable, with built counts only when asked', () => {
        const plan = planWith({ xl: true, or: true }, { or: 'n' }, { saleSkwM: '3', 'WF.A': '1', ME: '' });
        assert.strictEqual(store.hashOf(plan, { name: 'Mein Plan', built: { 'SKW M': 2, Erz: 0 } }),
            'v=2&name=Mein%20Plan&xl&or=n&saleSkwM=3&WF.A=1&b:SKW%20M=2');
        assert.strictEqual(store.hashOf(plan), 'v=2&xl&or=n&saleSkwM=3&WF.A=1');
        const { plan: { values }, built, problems } = store.readHash('v=3&saleSkwM=2&zz=1&b:SKW=-1&b:Erz=1000000001');
        assert.deepStrictEqual([values.saleSkwM, built, problems.length], ['2', {}, 4]);
        assert.strictEqual(store.readHash(store.hashOf(planWith({}, {}, { ME: 'x\ud800' }))).plan.values.ME, 'x\ufffd');
    });
    await t.test('with the version give back random plans with odd texts', () => {
        const random = generator(7).int;
        const pieces = ['', ' ', '&', '=', '#', '%', '%25', '+', 'ä', 'Ö', 'ß', '€', '😀', '12', 'v=2', 'b:x', '\t'];
        const text = () => Array.from({ length: random(5) }, () => pieces[random(pieces.length)]).join('');
        for (let i = 0; i < 300; i++) {
            const values = {};
            ['saleSkwM', 'WF.A', 'OF.A', 'WF.B', 'OF.B', 'crystalRace', 'ME'].forEach((k) => {
                if (random(2)) values[k] = text();
                if (values[k] === '' && k !== 'crystalRace') delete values[k];  // an empty field is left out
            });
            const or = !random(2), dat = !random(2);  // the answer of an option that is off is not kept, as before
            const answers = { or: or ? 'jn'[random(2)] : 'j', dat: dat ? 'jn'[random(2)] : 'j' };
            const plan = planWith({ h: !random(2), xl: !random(2), or, dat }, answers, values);
            const built = random(2) ? { [text() + 'x']: 1 + random(20), 'SKW L': 1e9 } : {};
            const name = (text() + ' Plan ' + i).trim();
            assert.deepStrictEqual(store.readHash('#' + store.hashOf(plan, { name, built })),
                { plan, built, name, problems: [] }, 'plan ' + i);
        }
    });
});

test('plan files', () => {
    const store = planStore(tables, null);
    const entry = { name: 'A & B', plan: planWith({ dat: true }, { dat: 'n' }, { 'WF.B': ' 5 ' }), built: { L: 3 }, updated: 9 };
    assert.deepStrictEqual(store.readFile(store.fileOf(entry)).entry, entry);
    assert.deepStrictEqual(store.readFile('kein JSON').entry, null);
    const edited = store.readFile(JSON.stringify({ werkverbund: 2, name: 'X', built: { 'SKW M': -1, Erz: 2 },
        plan: { options: { xl: 'ja', or: true }, answers: { or: 'x' }, values: { saleSkwM: 3, 'WF.A': '4', nope: '1' } } }));
    assert.deepStrictEqual([edited.entry.plan, edited.entry.built, edited.problems.length],
        [planWith({ or: true }, {}, { 'WF.A': '4' }), { Erz: 2 }, 6]);
});

// What cannot be read is named, part by part, and left out; a built count of 0 is no problem, only not kept.
test('plan files and addresses edited by hand', () => {
    const store = planStore(tables, null);
    const skipped = (what) => `„${what}“: nicht lesbar, übergangen`;
    const edited = store.readFile(JSON.stringify({ werkverbund: 1, name: 'X', built: { A: 1.5, B: 0, C: 3 },
        plan: { options: 'xl', answers: { or: 'jn', dat: 'nj' }, values: ['1'], extra: { 'WF.A': '1' } } }));
    assert.deepStrictEqual([edited.entry.plan, edited.entry.built, edited.problems], [planWith({}), { C: 3 },
        ['options', 'answers.or', 'answers.dat', 'values', 'extra.WF.A', 'built.A'].map(skipped)]);
    assert.deepStrictEqual(store.readFile(JSON.stringify({ werkverbund: 3, name: 'Y', plan: 'x', built: 5 })).problems,
        ['„werkverbund“: unbekannte Version; gelesen, was sich lesen ließ', skipped('plan'), skipped('built')]);
    // a broken escape after a whole three-byte one
    const r = store.readHash('WF.A=%E2%82%AC%ZZ');
    assert.deepStrictEqual([r.plan.values['WF.A'], r.problems], ['€%ZZ', ['„%E2%82%AC%ZZ“: gestörte %-Zeichen, so weit wie möglich gelesen']]);
});

test('the plan store', async (t) => {
    await t.test('names, copies, the last plan, a reload', () => {
        const storage = fakeStorage();
        const store = planStore(tables, storage), first = store.current();
        store.save(planWith({ xl: true }, {}, { saleSkwM: '4' }));
        assert.deepStrictEqual([store.setBuilt('SKW M', 2).built, store.setBuilt('Erz', -1)], [{ 'SKW M': 2 }, null]);
        const second = store.create();
        store.rename(first.id, '  Ausbau  ');
        const copy = store.duplicate(first.id);
        assert.deepStrictEqual([names(store), copy.plan.values.saleSkwM, copy.built],
            [['Ausbau', 'Plan 2', 'Kopie von Ausbau'], '4', { 'SKW M': 2 }]);
        assert.strictEqual(planStore(tables, storage).current().name, 'Kopie von Ausbau');
        // the stored names that earlier pages wrote too
        assert.deepStrictEqual(Object.keys(storage).filter((k) => !k.startsWith('werkverbund.plan.')), ['werkverbund.current']);
        [first, second, copy].forEach((e) => store.remove(e.id));
        assert.deepStrictEqual(store.list().map((e) => [e.name, e.plan]), [['Plan 1', emptyPlan(tables)]]);
    });
    await t.test('links add plans and never pile up', () => {
        const storage = fakeStorage();
        let store = planStore(tables, storage);
        store.save(planWith({}, {}, { saleSkwM: '2' }));
        const link = '#' + store.hashOf(planWith({}, {}, { saleSkwM: '9' }), { built: { Erz: 1 } });
        const opened = store.openLink(link);
        assert.deepStrictEqual([opened.added, opened.entry.name, opened.entry.built], [true, 'Geteilter Plan', { Erz: 1 }]);
        store.save(planWith({}, {}, { saleSkwM: '10' }));
        // reloads: of the same link after an edit, of the address of the plan being edited
        store = planStore(tables, storage);
        assert.strictEqual(store.openLink(link).entry.id, opened.entry.id);
        const copy = store.duplicate(store.current().id);  // two plans alike: the current one is meant
        assert.strictEqual(planStore(tables, storage).openLink(store.hashOf(copy.plan)).entry.id, copy.id);
        assert.strictEqual(store.openLink(store.hashOf(planWith({}, {}, {}), { name: ' Anna ' })).entry.name, 'Anna');
        assert.deepStrictEqual(store.list().map((e) => e.plan.values.saleSkwM).sort(), ['10', '10', '2', undefined]);
    });
    await t.test('two tabs keep each other\'s changes', () => {
        const storage = fakeStorage(), a = planStore(tables, storage), b = planStore(tables, storage);
        a.rename(a.current().id, 'Ausbau');
        b.save(planWith({}, {}, { 'WF.A': '3' }));
        a.setBuilt('Erz', 4);
        assert.deepStrictEqual([b.current().name, b.current().plan.values['WF.A'], b.current().built], ['Ausbau', '3', { Erz: 4 }]);
        a.create('A');
        b.create('B');
        b.remove(a.current().id);
        a.save(planWith({}, {}, { saleSkwM: '1' }));  // the removed plan comes back rather than losing the edit
        assert.deepStrictEqual(names(b).sort(), ['A', 'Ausbau', 'B']);
        const changed = (key) => b.storageChanged({ key, storageArea: storage });
        assert.deepStrictEqual(['plan.' + b.current().id, 'plan.' + a.current().id, 'current'].map((k) =>
            changed('werkverbund.' + k)).concat(changed(null)), ['current', 'list', '', 'current']);
    });
    await t.test('a storage that is full, refuses or is missing keeps the plans in memory', () => {
        const full = fakeStorage(1100);  // takes the first plan, not the second
        for (const storage of [full, fakeStorage(Infinity, true), null]) {
            const store = planStore(tables, storage);
            for (let i = 0; i < 4; i++) store.save(planWith({}, {}, { ME: 'x'.repeat(200 * i) }));
            store.create();
            store.setBuilt('Erz', 1);
            assert.deepStrictEqual([names(store), store.list()[0].plan.values.ME.length, store.messages().length],
                [['Plan 1', 'Plan 2'], 600, 1]);
        }
        assert.strictEqual(Object.keys(full).length, 2);  // the first plan and which one is current stay stored
    });
    await t.test('stored data that cannot be read is told once and kept', () => {
        const storage = fakeStorage();
        const good = planStore(tables, storage).create('Gut');
        Object.assign(storage, { 'werkverbund.plan.x': '{kaputt', 'werkverbund.plan.y': '{"werkverbund":2}',
            'werkverbund.plan.z': JSON.stringify({ werkverbund: 1, name: 'Teils', plan: { values: { saleSkwM: 5, 'WF.A': '2' } } }) });
        const store = planStore(tables, storage);
        assert.deepStrictEqual([names(store), store.list()[1].plan.values['WF.A'], store.messages().length], [['Gut', 'Teils'], '2', 3]);
        ['x', good.id, 'z'].forEach((id) => store.remove(id));
        assert.deepStrictEqual([storage['werkverbund.plan.x'], storage['werkverbund.plan.y'], names(store), store.messages()],
            ['{kaputt', '{"werkverbund":2}', ['Plan 1'], []]);
    });
});
