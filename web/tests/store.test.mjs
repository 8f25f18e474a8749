// In node: addresses, plan files, the plan store over a fake localStorage, the bounds on what a link or file brings in.
import test from 'node:test';
import assert from 'node:assert';
import { emptyPlan } from '../plan/plan.js';
import { planStore } from '../plan/store.js';
import { LINK_LIMIT } from '../plan/address.js';
import { FILE_LIMIT } from '../plan/planfile.js';
import { tables, planWith, fakeStorage } from './fakes.mjs';

const names = (store) => store.list().map((e) => e.name);

// Addresses before the version: any order, an option without answer keeps 'j', unknown parts change nothing, mangled
// escapes keep what they hold (for the field to say what is wrong). With it: short, built counts only if asked (v=3).
test('addresses before and with the version', () => {
    const store = planStore(tables, null);
    assert.deepStrictEqual(store.readHash('#h&or=j&dat=n&saleSkwM=3&WF%2EA=%C3%A4%20b%26%3D%23%25'), { built: {},
        plan: planWith({ h: true, or: true, dat: true }, { dat: 'n' }, { saleSkwM: '3', 'WF.A': 'ä b&=#%' }),
        name: '', problems: [] });
    const r = store.readHash('WF.B=%C3%A4%E4&or&foo=bar&xl&crystalRace=u&saleSkwM=3%ZZ&OF.A=%E2%82&dat=x');
    assert.deepStrictEqual([r.plan, r.problems.length], [planWith({ or: true, xl: true, dat: true }, {},
        { 'WF.B': 'ä%E4', crystalRace: 'u', saleSkwM: '3%ZZ', 'OF.A': '%E2%82' }), 5]);
    // a broken escape after a whole three-byte one
    const euro = store.readHash('WF.A=%E2%82%AC%ZZ');
    assert.deepStrictEqual([euro.plan.values['WF.A'], euro.problems],
        ['€%ZZ', ['„%E2%82%AC%ZZ“: gestörte %-Zeichen, so weit wie möglich gelesen']]);
    const plan = planWith({ xl: true, or: true }, { or: 'n' }, { saleSkwM: '3', 'WF.A': '1', ME: '' });
    const built = { 'SKW M': 2, Erz: 0 };
    assert.deepStrictEqual([store.hashOf(plan, { name: 'Mein Plan', built }), store.hashOf(plan)],
        ['v=3&name=Mein%20Plan&xl&or=n&saleSkwM=3&WF.A=1&b:SKW%20M=2', 'v=2&xl&or=n&saleSkwM=3&WF.A=1']);
    const odd = store.readHash('v=4&saleSkwM=2&zz=1&b:SKW=-1&b:Erz=1000000001');
    assert.deepStrictEqual([odd.plan.values.saleSkwM, odd.built, odd.problems.length], ['2', {}, 4]);
    assert.strictEqual(store.readHash(store.hashOf(planWith({}, {}, { ME: 'x\ud800' }))).plan.values.ME, 'x\ufffd');
});

// What cannot be read is named, part by part, and left out; a built count of 0 is no problem, only not kept.
test('plan files, also edited by hand', () => {
    const store = planStore(tables, null), read = (data) => store.readFile(JSON.stringify(data));
    const entry = { name: 'A & B', plan: planWith({ dat: true }, { dat: 'n' }, { 'WF.B': ' 5 ' }), built: { L: 3 },
        updated: 9 };
    assert.deepStrictEqual(store.readFile(store.fileOf(entry)).entry, { ...entry, stamps: {} });
    const edited = read({ werkverbund: 3, name: 'X', built: { 'SKW M': -1, Erz: 2 },
        plan: { options: { xl: 'ja', or: true }, answers: { or: 'x' }, values: { saleSkwM: 3, 'WF.A': '4', no: 1 } } });
    assert.deepStrictEqual([edited.entry.plan, edited.entry.built, edited.problems.length],
        [planWith({ or: true }, {}, { 'WF.A': '4' }), { Erz: 2 }, 6]);
    const skipped = (what) => `„${what}“: nicht lesbar, übergangen`;
    const parts = read({ werkverbund: 1, name: 'X', built: { A: 1.5, B: 0, C: 3 },
        plan: { options: 'xl', answers: { or: 'jn', dat: 'nj' }, values: ['1'], extra: { 'WF.A': '1' } } });
    assert.deepStrictEqual([parts.entry.plan, parts.entry.built, parts.problems], [planWith({}), { C: 3 },
        ['options', 'answers.or', 'answers.dat', 'values', 'extra.WF.A', 'built.A'].map(skipped)]);
    assert.deepStrictEqual(read({ werkverbund: 3, name: 'Y', plan: 'x', built: 5 }).problems,
        ['„werkverbund“: unbekannte Version; gelesen, was sich lesen ließ', skipped('plan'), skipped('built')]);
});

const store = (storage, session) => planStore(tables, storage, session);
const plain = (values) => planWith({}, {}, values);
const planKeys = (storage) => Object.keys(storage).filter((k) => k.startsWith('werkverbund.plan.'));

test('the plan store: links add plans and never pile up', () => {
    const storage = fakeStorage();
    let plans = store(storage);
    plans.save(plain({ saleSkwM: '2' }));
    const link = '#' + plans.hashOf(plain({ saleSkwM: '9' }), { built: { Erz: 1 } });
    const opened = plans.openLink(link);
    assert.deepStrictEqual([opened.added, opened.entry.name, opened.entry.built], [true, 'Geteilter Plan', { Erz: 1 }]);
    plans.save(plain({ saleSkwM: '10' }));
    // reloads: of the same link after an edit, of the address of the plan being edited
    plans = store(storage);
    assert.strictEqual(plans.openLink(link).entry.id, opened.entry.id);
    const copy = plans.duplicate(plans.current().id);  // two plans alike: the current one is meant; counts copied too
    assert.deepStrictEqual([store(storage).openLink(plans.hashOf(copy.plan)).entry.id, copy.built], [copy.id, { Erz: 1 }]);
    assert.strictEqual(plans.openLink(plans.hashOf(plain({}), { name: ' Anna ' })).entry.name, 'Anna');
    assert.deepStrictEqual(plans.list().map((e) => e.plan.values.saleSkwM).sort(), ['10', '10', '2', undefined]);
});

// A plan deleted in one tab while another edits it: the edit brings it back rather than being lost.
test('the plan store: a plan deleted in another tab comes back with this tab\'s edit', () => {
    const storage = fakeStorage(), a = store(storage), b = store(storage);
    b.remove(a.create('A').id);
    a.save(plain({ saleSkwM: '1' }));
    assert.deepStrictEqual(b.list().map((e) => [e.name, e.plan.values.saleSkwM]).sort(), [['A', '1'], ['Plan 1', undefined]]);
});

test('a storage that is full keeps the plans in memory, says so, and takes them all back once freed', () => {
    const full = Object.assign(fakeStorage(700), { filler: 'f'.repeat(400) });  // takes the first plan, not the second
    for (const storage of [full, fakeStorage(Infinity, true), null]) {
        const plans = store(storage, null);
        for (let i = 0; i < 4; i++) plans.save(plain({ ME: 'x'.repeat(5 * i) }));
        const second = plans.create();
        plans.setBuilt('Erz', 1);
        assert.deepStrictEqual([names(plans), plans.list()[0].plan.values.ME.length, plans.trouble() !== ''],
            [['Plan 1', 'Plan 2'], 15, true]);
        plans.remove(second.id);
    }
    assert.strictEqual(Object.keys(full).length, 3);  // the first plan and which one is current stay stored
    const plans = store(full, null), kept = plans.current(), big = 'N'.repeat(80);
    plans.create(big);
    assert.match(plans.trouble(), /Pläne löschen.*Plandatei/);
    plans.remove(kept.id);  // a deletion is never undone by a reload, whatever storage does
    assert.deepStrictEqual([planKeys(full), plans.trouble() !== ''], [[], true]);
    full.room.n = Infinity;
    plans.save(plain({ saleSkwM: '5' }));  // the next change writes back all that lived in memory
    assert.strictEqual(plans.trouble(), '');
    const reloaded = store(full, null);
    assert.deepStrictEqual([names(reloaded), reloaded.current().plan.values.saleSkwM], [[big], '5']);
});

test('stored plans that cannot be read are told, listed as damaged by their name, kept until deleted', () => {
    const storage = fakeStorage(), good = store(storage).create('Gut');
    Object.assign(storage, { 'werkverbund.plan.x': '{kaputt', 'werkverbund.plan.y': '{"werkverbund":2,"name":"Neuer"',
        'werkverbund.plan.z': JSON.stringify({ werkverbund: 1, name: 'Teils',
            plan: { values: { saleSkwM: 5, 'WF.A': '2' } } }) });
    const plans = store(storage);
    assert.deepStrictEqual([names(plans), plans.list()[1].plan.values['WF.A'], plans.damaged().map((e) => e.name)],
        [['Gut', 'Teils'], '2', ['', 'Neuer']]);
    assert.match(plans.messages().join('\n'),
        /Plan ohne lesbaren Namen: nicht lesbar.*\n.*„Neuer“: nicht lesbar.*\n.*„Teils“: „values.saleSkwM“/);
    ['x', good.id, 'y', 'z'].forEach((id) => plans.remove(id));
    assert.deepStrictEqual([names(plans), plans.damaged(), plans.messages()], [['Plan 1'], [], []]);
});

test('bounds on what a link or a file brings in', () => {
    const plans = store(fakeStorage(), null), long = 'n'.repeat(200);
    // names at most 80 characters from a link, a file, a renaming; a field's text at most the core's number length
    const link = plans.readHash(`name=${long}&saleSkwM=${'1'.repeat(21)}&WF.A=${'2'.repeat(20)}&crystalRace=B`
        + '&crystalRace=bogus');
    assert.deepStrictEqual([link.name.length, link.plan.values.saleSkwM, link.plan.values['WF.A'],
        link.plan.values.crystalRace], [80, undefined, '2'.repeat(20), 'a']);
    assert.match(link.problems.join('\n'),
        /„saleSkwM=1+“: länger als 20 Zeichen.*\n„crystalRace=B“: keine der Rassen.*Argonen\n„crystalRace=bogus“/);
    const file = plans.readFile(JSON.stringify({ werkverbund: 1, name: long,
        plan: { values: { ME: 'x'.repeat(21) } } }));
    assert.deepStrictEqual([file.entry.name.length, file.entry.plan.values.ME, file.problems.length,
        plans.rename(plans.current().id, long).name.length], [80, undefined, 1, 80]);
    const many = plans.readHash(Array.from({ length: 1000 }, (_, i) => 'x' + i).join('&')).problems;
    assert.deepStrictEqual([many.length, many[20]], [21, 'und 980 weitere']);
    // a link or file beyond 64 KB is refused, the plan before stays current
    const huge = plans.openLink('#saleSkwM=1&' + 'x'.repeat(LINK_LIMIT));
    assert.deepStrictEqual([huge.added, huge.entry.id, /höchstens 64 KB/.test(huge.refused)],
        [false, plans.current().id, true]);
    assert.deepStrictEqual(plans.readFile(' '.repeat(FILE_LIMIT + 1)),
        { entry: null, problems: ['Eine Plandatei hat höchstens 64 KB.'] });
});
