// In node: the number format, the CSV's cells, the checklist per size.
import test from 'node:test';
import assert from 'node:assert';
import { number } from '../lib/format.js';
import { totalsOf } from '../record/rows.js';
import { csvOf } from '../record/csv.js';
import { compareRuns } from '../record/compare.js';
import { checklistOf, standOf } from '../record/checklist.js';

test('German numbers: thousands with a point, at most two decimals with a comma, -0 kept', () => {
    const rows = [[96400, '96.400'], [-12345, '-12.345'], [28.55, '28,55'], [1234567.891, '1.234.567,89'],
        [0.5, '0,5'], [1000000, '1.000.000'], [-0, '-0'], [185.99999999999997, '186'], [57.099999999999994, '57,1'],
        [0, '0']];
    assert.deepStrictEqual(rows.map(([n]) => number(n)), rows.map(([, text]) => text));
});

// Rows as the core writes them, with only what the page reads.
const row = (type, code, name, extra) => ({ type, code, name, count: [0, 0, 0], shown: 0, mark: null, number: 0,
    pairs: 0, valueText: [], facts: {}, ...extra });
const plants = row('plants', 'SKW', 'Sonnenkraftwerke:', { count: [1, 2, 1234], shown: 7, number: 31940 });
const food = row('raceChain', 'NP.A', 'A;B "C":', { count: [2, 0, 0], shown: 3, mark: 'S', pairs: 1 });
const ore = row('mines', 'ME', 'Erzminen Typ L', { valueText: ['6', '16'] });
const HEAD = '\ufeffErgebnis;M;L;XL;Überschuss;EZ-Überschuss;EZ;Kritisch;Ausreichend;Empfohlen;Pro Stunde';

// To be built: a food line is a pair, two factories per count; against a plan whose plants leave 940 EZ less.
test('CSV cells: 0 for the console\'s -0, names that need quotes, the -es line by its name, built counts per size, a mine\'s yield', () => {
    const record = { rows: [plants, row('capacity', 'ES', 'Unberücksichtigter SKW-Kapazitäts-Überschuss:',
        { number: 3312 }), food, ore, row('sale', 'VK.EA', 'Erzverkauf:', { valueText: ['-0'] }),
    row('note', 'MS', '-kein Siliziumbedarf-')] };
    assert.deepStrictEqual(csvOf(record, { 'SKW.M': 3, 'SKW.XL': 1, ME: 9 }).split('\r\n'), [
        HEAD + ';Gebaut M;Gebaut L;Gebaut XL;Ausbeute gebaut', 'Sonnenkraftwerke;1;2;1234;;31940;;;;;;3;0;1;',
        'ungenutzte SKW-Kapazität;;;;;;3312;;;;;;;;', '"A;B ""C""";2;0;;S;;;;;;;0;0;;',
        'Erzminen Typ L;;;;;;;;6;16;;;;;9', 'Erzverkauf;;;;;;;;;;0;;;;', '']);
    const totals = totalsOf(record);
    assert.deepStrictEqual([totals.build, totals.surplus, csvOf(record).split('\r\n')[0],
        compareRuns(record, { rows: [{ ...plants, number: 31000 }] }).totals.surplus],
    [{ M: 1 + 2 * 2, L: 2, XL: 1234 }, 31940, HEAD, 31000 - 31940]);
});

// Factories built of those needed: 1 M + 2 of 2 L plants (3 beyond the need do not count) + 1 pair of 2.
test('the checklist per size: what is missing, what stands beyond the need, a mine line by its yield', () => {
    const { lines, sum } = checklistOf({ rows: [plants, food, ore] }, { 'SKW.M': 1, 'SKW.L': 5, 'NP.A.M': 1, ME: 4 });
    const done = checklistOf({ rows: [food, ore] }, { 'NP.A.M': 2, ME: 9 }).lines;
    assert.deepStrictEqual([lines.map((l) => standOf(l, String)), sum, done.map((l) => standOf(l, String)),
        checklistOf({ rows: [row('raceChain', 'NP.B', 'B:', { shown: 3 })] }, {}).lines],
    [['fehlt XL 1234; L 3 zu viel', 'fehlt M 1', 'fehlt Ausbeute 2'], { built: 1 + 2 + 2, need: 1 + 2 + 1234 + 2 * 2 },
        ['fertig', 'Ausbeute 3 zu viel'], []]);
});
