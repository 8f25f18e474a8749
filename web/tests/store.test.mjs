// The named plans: today's addresses and the versioned ones, plan files, and the store over a
// fake localStorage (shared by two tabs, full and freed again, refusing, holding data it cannot read); the bounds
// on what a link or a file brings in.
import test from 'node:test';
import assert from 'node:assert';
import { generator } from './support.js';
import { emptyPlan } from '../plan.js';
import { planStore, LINK_LIMIT, FILE_LIMIT } from '../store.js';

// Some of the core's questions and options: codes shared by races, the crystal letter, yes/no answers.
const tables = {
    options: [{ name: 'h' }, { name: 'xl' }, { name: 'or', question: 'Namen?' }, { name: 'dat', question: 'Datei?' }],
    questions: [{ key: 'saleSkwM' }, { key: 'WF.A' }, { key: 'OF.A' }, { key: 'WF.B' }, { key: 'OF.B' },
        { key: 'crystalRace', kind: 'letter' }, { key: 'ME', when: 'm' }],
    races: [{ code: 'A' }, { code: 'B' }], crystalRaces: [{ letter: 'a', name: 'Argonen' }, { letter: 'u' }],
    numberTextLimit: 20,
};
const planWith = (options, answers, values) => ({ options: { h: false, xl: false, or: false, dat: false, ...options },
    answers: { or: 'j', dat: 'j', ...answers }, values: { crystalRace: 'a', ...values } });
const names = (store) => store.list().map((e) => e.name);

// Keeps its items as own properties, as the browser's storage does; refuses beyond limit.n characters.
function fakeStorage(limit = Infinity, refuse = false) {
    const room = { n: limit };
    return Object.create({
        room,
        getItem(k) { if (refuse) throw new Error('SecurityError'); return Object.hasOwn(this, k) ? this[k] : null; },
        setItem(k, v) {
            const used = Object.keys(this).reduce((n, key) => n + (key === k ? 0 : key.length + this[key].length), 0);
            if (refuse || used + k.length + v.length > room.n) throw new Error('QuotaExceededError');
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
            'v=3&name=Mein%20Plan&xl&or=n&saleSkwM=3&WF.A=1&b:SKW%20M=2');  // 3: with built counts
        assert.strictEqual(store.hashOf(plan), 'v=2&xl&or=n&saleSkwM=3&WF.A=1');
        const { plan: { values }, built, problems } = store.readHash('v=4&saleSkwM=2&zz=1&b:SKW=-1&b:Erz=1000000001');
        assert.deepStrictEqual([values.saleSkwM, built, problems.length], ['2', {}, 4]);
        assert.strictEqual(store.readHash(store.hashOf(planWith({}, {}, { ME: 'x\ud800' }))).plan.values.ME, 'x\ufffd');
    });
    await t.test('with the version give back random plans with odd texts', () => {
        const random = generator(7).int;
        const pieces = ['', ' ', '&', '=', '#', '%', '%25', '+', 'ä', 'Ö', 'ß', '€', '😀', '12', 'v=2', 'b:x', '\t'];
        const text = () => Array.from({ length: random(5) }, () => pieces[random(pieces.length)]).join('');
        for (let i = 0; i < 300; i++) {
            const values = {};
            ['saleSkwM', 'WF.A', 'OF.A', 'WF.B', 'OF.B', 'ME'].forEach((k) => {
                if (random(2)) values[k] = text();
                if (values[k] === '') delete values[k];  // an empty field is left out
            });
            values.crystalRace = 'au'[random(2)];
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
    const edited = store.readFile(JSON.stringify({ werkverbund: 3, name: 'X', built: { 'SKW M': -1, Erz: 2 },
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
    await t.test('a storage that is full keeps the plans in memory, says so, and takes them all back once freed', () => {
        const full = Object.assign(fakeStorage(1100), { filler: 'f'.repeat(700) });  // takes the first plan, not the second
        for (const storage of [full, fakeStorage(Infinity, true), null]) {
            const store = planStore(tables, storage, null);
            for (let i = 0; i < 4; i++) store.save(planWith({}, {}, { ME: 'x'.repeat(5 * i) }));
            const second = store.create();
            store.setBuilt('Erz', 1);
            assert.deepStrictEqual([names(store), store.list()[0].plan.values.ME.length, store.trouble() !== ''],
                [['Plan 1', 'Plan 2'], 15, true]);
            store.remove(second.id);
        }
        assert.strictEqual(Object.keys(full).length, 3);  // the first plan and which one is current stay stored
        const store = planStore(tables, full, null), kept = store.current(), big = 'N'.repeat(80);
        store.create(big);
        assert.match(store.trouble(), /Pläne löschen.*Plandatei/);
        store.remove(kept.id);  // a deletion is never undone by a reload, whatever storage does
        assert.deepStrictEqual([Object.keys(full).filter((k) => k.startsWith('werkverbund.plan.')), store.trouble() !== ''], [[], true]);
        full.room.n = Infinity;
        store.save(planWith({}, {}, { saleSkwM: '5' }));  // the next change writes back all that lived in memory
        assert.strictEqual(store.trouble(), '');
        const reloaded = planStore(tables, full, null);
        assert.deepStrictEqual([names(reloaded), reloaded.current().plan.values.saleSkwM], [[big], '5']);
    });
    await t.test('stored plans that cannot be read are told once, listed as damaged by the name they had, kept until deleted', () => {
        const storage = fakeStorage();
        const good = planStore(tables, storage).create('Gut');
        Object.assign(storage, { 'werkverbund.plan.x': '{kaputt', 'werkverbund.plan.y': '{"werkverbund":2,"name":"Neuer"',
            'werkverbund.plan.z': JSON.stringify({ werkverbund: 1, name: 'Teils', plan: { values: { saleSkwM: 5, 'WF.A': '2' } } }) });
        const store = planStore(tables, storage);
        assert.deepStrictEqual([names(store), store.list()[1].plan.values['WF.A'], store.damaged().map((e) => e.name)],
            [['Gut', 'Teils'], '2', ['', 'Neuer']]);
        assert.match(store.messages().join('\n'), /Plan ohne lesbaren Namen: nicht lesbar.*\n.*„Neuer“: nicht lesbar.*\n.*„Teils“: „values.saleSkwM“/);
        store.list();
        assert.deepStrictEqual(store.messages(), []);
        ['x', good.id, 'y', 'z'].forEach((id) => store.remove(id));
        assert.deepStrictEqual([names(store), store.damaged(), store.messages()], [['Plan 1'], [], []]);
    });
    await t.test('reloads of the address this tab wrote go to its plan with the last edit; a link leaves no copy of itself', () => {
        const storage = fakeStorage(), session = fakeStorage();
        storage['werkverbund.link'] = 'x v=2&' + 'WF.A=1&'.repeat(100);  // as an earlier version kept it
        assert.strictEqual(planStore(tables, storage, null) && storage['werkverbund.link'], undefined);
        const store = planStore(tables, storage, session);
        const plan = store.current(), older = planWith({}, {}, { 'WF.A': '3' }), newer = planWith({}, {}, { 'WF.A': '7' });
        store.save(older);
        store.wrote([store.hashOf(older, { name: plan.name })]);
        store.save(newer);  // typed, and reloaded before the address followed
        store.wrote([store.hashOf(older, { name: plan.name }), store.hashOf(newer, { name: plan.name })]);
        const reloaded = planStore(tables, storage, session).openLink(store.hashOf(older, { name: plan.name }));
        assert.deepStrictEqual([reloaded.added, reloaded.entry.plan.values['WF.A'], names(store)], [false, '7', ['Plan 1']]);
        assert.ok(storage['werkverbund.link'].length < 40, storage['werkverbund.link']);
    });
    await t.test('two tabs editing different fields of one plan keep both', () => {
        const storage = fakeStorage(), a = planStore(tables, storage, null), b = planStore(tables, storage, null);
        const base = a.current().plan, form = { 'WF.A': '', 'OF.B': '' };  // the form has every field, empty or not
        b.current();
        a.save(planWith({}, {}, { ...form, 'WF.A': '3' }), base);
        const merged = b.save(planWith({ xl: true }, {}, { ...form, 'OF.B': '4' }), base);
        assert.deepStrictEqual(merged.plan, planWith({ xl: true }, {}, { 'WF.A': '3', 'OF.B': '4' }));
    });
    await t.test('a second plan of a name gets (2); a plan deleted and restored is back in its place', () => {
        const store = planStore(tables, fakeStorage(), null);
        store.current();
        const b = store.create('Ausbau');
        store.add({ name: 'Ausbau' });
        store.duplicate(b.id);
        store.duplicate(b.id);
        assert.deepStrictEqual(names(store), ['Plan 1', 'Ausbau', 'Ausbau (2)', 'Kopie von Ausbau', 'Kopie von Ausbau (2)']);
        const gone = store.get(b.id);
        store.remove(b.id);
        assert.strictEqual(store.restore(gone).id, b.id);
        assert.deepStrictEqual(names(store)[1], 'Ausbau');
    });
});

test('bounds on what a link or a file brings in', () => {
    const store = planStore(tables, fakeStorage(), null);
    const long = 'n'.repeat(200);
    // names at most 80 characters from a link, a file, a renaming; a field's text at most the core's number length
    const link = store.readHash(`name=${long}&saleSkwM=${'1'.repeat(21)}&WF.A=${'2'.repeat(20)}&crystalRace=B&crystalRace=bogus`);
    assert.deepStrictEqual([link.name.length, link.plan.values.saleSkwM, link.plan.values['WF.A'], link.plan.values.crystalRace],
        [80, undefined, '2'.repeat(20), 'a']);
    assert.match(link.problems.join('\n'), /„saleSkwM=1+“: länger als 20 Zeichen.*\n„crystalRace=B“: keine der Rassen.*Argonen\n„crystalRace=bogus“/);
    const file = store.readFile(JSON.stringify({ werkverbund: 1, name: long, plan: { values: { ME: 'x'.repeat(21) } } }));
    assert.deepStrictEqual([file.entry.name.length, file.entry.plan.values.ME, file.problems.length], [80, undefined, 1]);
    assert.strictEqual(store.rename(store.current().id, long).name.length, 80);
    // twenty problems listed, then their count
    const many = store.readHash(Array.from({ length: 1000 }, (_, i) => 'x' + i).join('&')).problems;
    assert.deepStrictEqual([many.length, many[20]], [21, 'und 980 weitere']);
    // a link or file beyond 64 KB is refused, the plan before stays current
    const huge = store.openLink('#saleSkwM=1&' + 'x'.repeat(LINK_LIMIT));
    assert.deepStrictEqual([huge.added, huge.entry.id, /höchstens 64 KB/.test(huge.refused)], [false, store.current().id, true]);
    assert.deepStrictEqual(store.readFile(' '.repeat(FILE_LIMIT + 1)), { entry: null, problems: ['Eine Plandatei hat höchstens 64 KB.'] });
});
