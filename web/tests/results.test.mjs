// The page's pure modules in node, on records the WebAssembly core writes: every "Warum?" against the numbers of the
// diagnostics file of the same run, the CSV and the chain's boxes against the result tables, the comparison of random
// pairs of plans against their tables, a case's tables worked out by hand, and answers files that do not fit.
import test from 'node:test';
import assert from 'node:assert';
import { loadRunner, generator, goldenCases, FULL_PLAN } from './support.js';
import { number as de } from '../format.js';
import { planInput } from '../plan.js';
import { planStore } from '../store.js';
import { describeResults } from '../describe.js';
import { explainRow } from '../explain.js';
import { csvOf, compareRuns, carrier } from '../export.js';
import { lineName } from '../names.js';
import { chainModel } from '../chain.js';
import { readAnswers } from '../answers.js';

// A random plan of the form: some options, small counts (now and then negative or large), a crystal race.
function randomPlan(random, tables) {
    const plan = { options: {}, answers: { or: random.pick(['j', 'n']) }, values: {} };
    for (const o of ['xl', 'or', 'opt', 'es']) plan.options[o] = random.chance(0.4);
    for (const q of tables.questions) {
        const key = q.key;
        if (q.kind === 'letter') plan.values[key] = random.pick(tables.crystalRaces).letter;
        else if (q.when !== 'm' && random.chance(0.35)) {
            plan.values[key] = String(random.chance(0.08) ? -random.int(3) : random.int(random.chance(0.1) ? 60 : 6));
        }
    }
    return plan;
}

let runner, tables;
test.before(async () => {
    runner = await loadRunner();
    tables = runner.tables();
});
const planOf = (hash) => planStore(tables, null).readHash(hash).plan;
const run = (plan, lean = true) => {
    const input = planInput(tables, plan, runner.readDemand);
    return runner.runPlan(input.options, input.values, lean);
};
const clean = (text) => text.replace(/\u00ad/g, '');
// The lines of the result tables by the row's code: its name and the described cells' texts.
const tableLines = (record) => describeResults(record, tables).tables.flatMap((t) => t.rows)
    .map((r) => [record.rows[r.index].code, lineName(record.rows[r.index]), r.cells.map((c) => c.text)]);
// German numbers back: 1.650 and 28,55.
const german = (text) => Number(text.replace(/\./g, '').replace(',', '.'));

// The diagnostics file's lines: codes with their numbers, by the line's first code.
function diagnostics(text) {
    const lines = {};
    for (const m of text.split('\r\n').map((line) => /^([A-Z0-9]+)(?::\s*|$)(.*)$/.exec(line))) {
        if (m && !(m[1] in lines)) lines[m[1]] = m[2];  // a race's line, not the crystal race's letter after it
    }
    return lines;
}

test('the result tables of energy-2 (every option), worked out by hand from its answers', () => {
    const c = goldenCases().find((g) => g.name === 'energy-2');
    runner.run(c.args, c.input);
    const { tables: [supply, mines, sales], summary } = describeResults(runner.record(), tables);
    const line = (t, name) => {
        const r = t.rows.find((row) => clean(row.head).startsWith(name));
        return [clean(r.head), r.sub || '', ...r.cells.map((cell) => cell.text)].filter(Boolean).join(' ');
    };
    assert.strictEqual(line(supply, 'Sonnenkraftwerke'), 'Sonnenkraftwerke 1 1 1 31.940 EZ');
    assert.strictEqual(line(supply, supply.rows[1].head), 'ungenutzte SKW-Kapazität nur bei Kristallüberschuss nutzbar 3.312 EZ');
    assert.strictEqual(line(supply, 'Cahoonapressen'), 'Cahoonapressen und Ranches Argonen 1 0 0 –');
    assert.strictEqual(line(supply, 'BoFu'), 'BoFuChemielabore und BoGasProdunktionen Boronen, mit den Kristallfabriken 0 0 3 –');
    assert.strictEqual(line(supply, 'Rheimwerke'), 'Rheimwerke und Agrarzentren für Gefechtskopffabriken 2 0 0 S');
    // M: 1 plant + 2 crystal + 2 x (2 + 1 + 1 - 1) pairs = 9; L: 1 + 2 + 2 x 1 = 5; XL: 1 + 1 + 2 x 3 = 8
    assert.deepStrictEqual(supply.foot.cells.map((cell) => cell.text), ['9', '5', '8', '']);
    assert.deepStrictEqual(summary, { ez: 31940, skw: 3, crystals: 5, total: 22 });
    assert.strictEqual(line(mines, 'Erzminen Typ XL'), 'Erzminen Typ XL – 18 31');
    assert.strictEqual(line(sales, 'EZ-Verkauf'), 'EZ-Verkauf 33.740');
});

test('every "Warum?" of the plan with every option against the diagnostics file of the same run', () => {
    const result = run(planOf(FULL_PLAN), false);
    const { record } = result;
    const why = (i) => explainRow(record, tables, i).join(' ');
    const d = diagnostics(Buffer.from(result.files['Eingaben-Variablen.txt']).toString('latin1'));
    // every food chain: its demand, split into XL, L and M pairs with their rests, and what the demand is made of
    const chains = record.rows.map((r, i) => [r, i]).filter(([r]) => /Chain$/.test(r.type));
    assert.strictEqual(chains.length, 12);
    for (const [row, i] of chains) {
        const code = Object.keys(row.facts)[0];  // the demand, as the diagnostics file names it
        const [, total, xl, restXL, l, restL, m, restM] = /^(-?\d+) XL(-?\d+)\/(-?\d+) L(-?\d+)\/(-?\d+) M(-?\d+)\/(-?\d+)/.exec(d[code]);
        const text = why(i);
        assert.match(text, new RegExp(`^Gebraucht wird Nahrung für ${de(+total)} Größeneinheit`), code);
        assert.match(text, new RegExp(`XL-Paare zu je 10 Einheiten: ${xl}, Rest ${restXL}; dann in L-Paare zu je 5 Einheiten: ${l}, `
            + `Rest ${restL}; zuletzt in M-Paare zu je 2 Einheiten: ${m}, Rest ${restM}\\.`), code);
        const [, count, surcharge] = row.type === 'raceChain' ? /NF(-?\d+) 2O(-?\d+)/.exec(d[row.feeds]) : /^(-?\d+) 2O(-?\d+)/.exec(d[row.feeds]);
        const whose = row.type === 'raceChain' ? `${de(+count)} für die Level-3-Fabriken der ${row.race}, .*`
            : `für ${de(+count)} ${{ GKF: 'Gefechtskopffabriken', SBF: 'Satellitenfertigungen \\(beide Typen\\)' }[row.feeds]} je eine Einheit, `;
        assert.match(text, new RegExp(`: ${whose}dazu ${de(+surcharge)} Einheit`), code);
    }
    const at = (type) => why(record.rows.findIndex((r) => r.type === type));
    const [, XL, L, M, E] = /^(\d+) {2}L: (\d+) {2}M: (\d+) {2}E: (-?\d+)/.exec(d.XL);
    assert.match(at('plants'), new RegExp(`stehen so XL ${XL}, L ${L} und M ${M}\\..*Übrig bleiben ${de(-E)} EZ pro Stunde: der EZ-Überschuss`));
    assert.match(at('crystals'), new RegExp(`Im Komplex stehen XL ${XL}, L ${L} und M ${M} Kraftwerke`));
    // the file writes the mineral demands as whole numbers, rounded half away from zero
    for (const [words, code] of [['Erzbedarf', 'ME'], ['Siliziumbedarf', 'MS']]) {
        const text = why(record.rows.findIndex((r) => r.code === code));
        const shown = german(new RegExp(`^Der ${words} beträgt ([-\\d.,]+) pro Stunde`).exec(text)[1]);
        assert.strictEqual(Math.sign(shown) * Math.round(Math.abs(shown)), +d[code], code);
    }
});

// A player reads "Warum?": no code of a fact, line or question, no option's flag, no "-0"; the crystal race's food
// says why it differs from the console text when crystal factories are for sale.
test('"Warum?" in a player\'s words for the fullest plans', () => {
    const plans = [FULL_PLAN, '#crystalRace=u&KM=2&saleSkwM=1&EAM=0', '#m&ME=5&skwM=2&xl&es&KDF=1&GKF=1&or=n&WF.V=2'];
    for (const hash of plans) {
        const { record } = run(planOf(hash));
        record.rows.forEach((row, i) => {
            const text = explainRow(record, tables, i).join(' ');
            const words = text.replace(/\b(EZ|XL|SKW|L[12])\b|Ergebnis\.txt/g, '');
            assert.doesNotMatch(words, /\b[A-Z][A-Z0-9]+\b|(^|[\s(])-[a-z]|(^|[^\w])-0\b/, `${row.code}: ${text}`);
            assert.match(text, /^[A-ZÄÖÜ0-9„].*[.)]$/, `whole sentences: ${text}`);
        });
        const food = record.rows.findIndex((r) => r.type === 'crystalFood');
        if (food >= 0) assert.match(explainRow(record, tables, food).join(' '), /Konsolenausgabe zählt in dieser Zeile nur/);
    }
});

// The CSV holds each table line's values in the same order (which column each goes in: export.test.mjs); every line
// of "Zu bauen" with a count other than 0 and every mine line is a box of the chain with the table's counts.
test('the CSV and the chain against the result tables, for the plan with every option and random plans', () => {
    const values = (cells) => cells.map((c) => clean(c).replace(/\.| EZ$/g, '')).filter((c) => !['', '–', '-'].includes(c));
    const random = generator(15);
    for (let i = 0; i < 60; i++) {
        const plan = i ? randomPlan(random, tables) : planOf(FULL_PLAN);
        const { record } = run(plan);
        const lines = tableLines(record);
        const csv = csvOf(record).slice(1, -2).split('\r\n').slice(1).map((l) => l.split(';'));
        assert.deepStrictEqual(csv.map((l) => [l[0], values(l.slice(1))]), lines.map(([, name, cells]) => [name, values(cells)]));
        const boxes = Object.fromEntries(chainModel(record, tables).nodes.map((n) => [n.title,
            n.lines.filter((l) => !/^(EZ-Überschuss|Mangel) /.test(l)).join(' · ')]));
        for (const t of describeResults(record, tables).tables.filter((t) => /^(Fabriken|Minen)$/.test(t.heads[0]))) {
            for (const r of t.rows.filter((r) => !/^ungenutzte/.test(r.head))) {
                const sizes = t.heads[0] === 'Minen' ? t.heads.slice(1) : ['M', 'L', 'XL'];
                const shown = r.cells.slice(0, 3).map((c, s) => [sizes[s], c.text]).filter(([, n]) => n !== '–' && n !== '');
                if (t.heads[0] === 'Fabriken' && shown.every(([, n]) => n === '0')) continue;
                assert.strictEqual(boxes[clean(r.head)], shown.map((s) => s.join(' ')).join(' · '), `${r.head} in ${JSON.stringify(plan)}`);
            }
        }
    }
});

test('the comparison marks exactly the lines whose shown values differ, and the difference of the factories to build', () => {
    const random = generator(7);
    const toBuild = (record) => describeResults(record, tables).summary.total;
    for (let round = 0; round < 60; round++) {
        const plans = [randomPlan(random, tables), randomPlan(random, tables)];
        if (round === 0) plans[1] = plans[0];  // the same plan twice: nothing differs
        const [a, b] = plans.map((p) => run(p).record);
        const [la, lb] = [a, b].map((r) => Object.fromEntries(tableLines(r).map(([code, , cells]) => [code, cells.join('|')])));
        const expected = [...new Set([...Object.keys(la), ...Object.keys(lb)])].filter((k) => la[k] !== lb[k]).sort();
        const c = compareRuns(a, b);
        assert.deepStrictEqual(c.rows.filter((r) => r.differs.length).map((r) => r.key).sort(), expected, JSON.stringify(plans));
        assert.strictEqual(c.totals.factories, toBuild(b) - toBuild(a));
    }
});

test('answers files that do not fit the options: what is said, the options they fit, the fields after their end', () => {
    const c = goldenCases().find((g) => g.name === 'energy-2');  // saved with all eight options
    const got = readAnswers(runner, tables, planOf('#h&br&es&opt'), Buffer.from(c.input, 'latin1'));
    assert.match(got.warnings[0], /Nach der letzten Frage stehen noch \d+ Zeilen in der Datei\. Die Datei passt nicht/);
    assert.deepStrictEqual(Object.keys(got.fits).filter((o) => got.fits[o]), tables.options.map((o) => o.name));
    // the file ends before the last question: said, and the fields after its end stay empty
    const ended = readAnswers(runner, tables, planOf('#or&dat'), Buffer.from('j\nj\n5\n', 'latin1'));
    assert.match(ended.warnings[0], /^Die Datei endet vor der letzten Frage/);
    assert.deepStrictEqual([ended.plan.values.saleSkwM, ended.plan.values.saleSkwL], ['5', '']);
});

// Counts saved by the page when they were kept under the lines' names, with the line's name of the other answer to
// the naming of the extra races: Piraten with 5 Level 3 factories and small surpluses need 5 units, one L pair;
// Xenon need nothing, so its count stands on its smallest size.
test('a plan stored and a link made by the page of line names keep their built counts, carried over once', () => {
    const plan = planOf('#or=n&opt&WF.V=5');
    const stored = JSON.stringify({ werkverbund: 1, name: 'Alt', plan, updated: 1,
        built: { 'Piraten L2+L1Fabriken': 3, 'Xenon L2+L1Fabriken': 1, 'Gibt es nicht': 2 } });
    const storage = Object.create({ getItem(k) { return Object.hasOwn(this, k) ? this[k] : null; },
        setItem(k, v) { this[k] = v; }, removeItem(k) { delete this[k]; } });
    storage['werkverbund.plan.a'] = stored;
    const expected = { 'NP.V.L': 3, 'NP.X.M': 1 };
    assert.deepStrictEqual(planStore(tables, storage, null, carrier(tables, runner)).current().built, expected);
    const never = () => assert.fail('carried twice');
    assert.deepStrictEqual([planStore(tables, storage, null, never).current().built, JSON.parse(storage['werkverbund.plan.a']).werkverbund],
        [expected, 2]);
    const link = planStore(tables, null, null, carrier(tables, runner)).readHash('#v=2&or=n&opt&WF.V=5&b:Piraten%20L2%2BL1Fabriken=3');
    assert.deepStrictEqual(link.built, { 'NP.V.L': 3 });
});
