// The page's German numbers and the CSV in node: the one number format the whole page uses (a wrong one shows
// 1,5 as 1.5 or groups decimals), and the CSV's cells where the tables' text would break a spreadsheet line: a
// small negative amount that the console shows as -0, a name with a semicolon or a quote, no thousands separator.
import test from 'node:test';
import assert from 'node:assert';
import { number, whole } from '../format.js';
import { csvOf, totalsOf, compareRuns } from '../export.js';

test('German numbers: thousands with a point, at most two decimals with a comma, -0 kept', () => {
    const rows = [[96400, '96.400'], [-12345, '-12.345'], [28.55, '28,55'], [1234567.891, '1.234.567,89'], [0.5, '0,5'],
        [1000000, '1.000.000'], [-0, '-0'], [185.99999999999997, '186'], [57.099999999999994, '57,1'], [0, '0']];
    for (const [n, text] of rows) assert.strictEqual(number(n), text, String(n));
    // whole numbers as the console shows them: halves away from zero, a small negative value as -0
    assert.deepStrictEqual([964.5, -964.5, -0.4, 0.4, 0, -0].map((v) => number(whole(v))), ['965', '-965', '-0', '0', '0', '-0']);
});

test('CSV cells: -0, names that need quotes, a built count per line of factories', () => {
    const row = (kind, name, extra) => ({ kind, name, count: [0, 0, 0], shown: 0, mark: null, number: 0, value: [], facts: {}, ...extra });
    const record = { rows: [row('plants', 'Sonnenkraftwerke:', { count: [1, 2, 1234], shown: 7, number: 31940 }),
        row('factories', 'A;B "C":', { count: [2, 0, 0], shown: 1, mark: 'S', facts: { ANP: 4 } }),
        row('mines', 'Erzminen Typ L', { value: [5.5, 16.49] }), row('sale', 'Erzverkauf:', { value: [-0.4] }),
        row('note', 'kein Erzbedarf', {})] };
    assert.deepStrictEqual(csvOf(record, { Sonnenkraftwerke: 3 }).split('\r\n'), [
        '\ufeffErgebnis;M;L;XL;Überschuss;EZ-Überschuss;EZ;Kritisch;Ausreichend;Empfohlen;Pro Stunde;Gebaut',
        'Sonnenkraftwerke;1;2;1234;;31940;;;;;;3', '"A;B ""C""";2;;;S;;;;;;;0', 'Erzminen Typ L;;;;;;;;6;16;;',
        'Erzverkauf;;;;;;;;;;-0;', '']);
    // what is to be built: a food line is a pair, two factories per count; the surplus, the sales by line
    const totals = totalsOf(record);
    assert.deepStrictEqual([totals.build, totals.surplus, totals.sales], [{ M: 1 + 2 * 2, L: 2, XL: 1234 }, 31940, { Erzverkauf: -0 }]);
    assert.strictEqual(csvOf(record).split('\r\n')[0], '\ufeffErgebnis;M;L;XL;Überschuss;EZ-Überschuss;EZ;Kritisch;Ausreichend;Empfohlen;Pro Stunde');
    // against a plan whose plants leave 940 EZ less
    const other = { rows: [{ ...record.rows[0], number: 31000 }] };
    assert.strictEqual(compareRuns(record, other).totals.surplus, 31000 - 31940);
});
