// The results of a run as numbers to take away or to set beside another plan's: the totals of what is to be
// built, the rows as CSV for German spreadsheets, and the differences between two runs row by row.
import { whole } from './format.js';

var SIZES = ['M', 'L', 'XL'];
var LEVELS = ['Kritisch', 'Ausreichend', 'Empfohlen'];

// A row's name, which stays the same from plan to plan (built counts and comparisons hang on it).
export function rowKey(row) {
    return row.name.replace(/:\s*$/, '');
}

// The sizes a row shows, with its counts: [['M', 2], ['L', 1]].
function sizesOf(row) {
    return SIZES.map(function (s, i) { return [s, row.count[i], row.shown & (1 << i)]; })
        .filter(function (s) { return s[2]; });
}

// The mine levels of a row by name; a line of ore mines has no Kritisch.
function levelsOf(row) {
    var levels = {};
    var names = row.value.length === 3 ? LEVELS : LEVELS.slice(1);
    names.forEach(function (l, i) { levels[l] = whole(row.value[i]); });
    return levels;
}

// A line of food factories names pairs, a Level 2 factory with the Level 1 factory it needs: two factories to
// build per count. The crystal factories' line and the plants' are single factories.
export function factoriesPerCount(row) {
    var food = Object.keys(row.facts).some(function (k) { return /NP$/.test(k) || k === 'KG'; });
    return row.kind === 'factories' && food ? 2 : 1;
}

// What the plan needs built per size (a pair counting two), the EZ surplus and what it sells per hour.
export function totalsOf(record) {
    var totals = { build: { M: 0, L: 0, XL: 0 }, factories: 0, surplus: 0, sales: {} };
    record.rows.forEach(function (row) {
        if (row.kind === 'plants') totals.surplus = row.number;
        if (row.kind === 'sale') totals.sales[rowKey(row)] = whole(row.value[0]);
        if (row.kind !== 'plants' && row.kind !== 'factories') return;
        sizesOf(row).forEach(function (s) {
            totals.build[s[0]] += s[1] * factoriesPerCount(row);
            totals.factories += s[1] * factoriesPerCount(row);
        });
    });
    return totals;
}

// The cells of a row, by column: sizes, surplus mark, mine levels, the amount per hour.
function cellsOf(row) {
    var cells = {};
    sizesOf(row).forEach(function (s) { cells[s[0]] = s[1]; });
    if (row.mark) cells['Überschuss'] = row.mark;
    if (row.kind === 'plants') cells['EZ-Überschuss'] = row.number;
    if (row.kind === 'capacity') cells['EZ'] = row.number;
    if (row.kind === 'mines') Object.assign(cells, levelsOf(row));
    if (row.kind === 'sale') cells['Pro Stunde'] = whole(row.value[0]);
    return cells;
}
var COLUMNS = ['M', 'L', 'XL', 'Überschuss', 'EZ-Überschuss', 'EZ'].concat(LEVELS, ['Pro Stunde']);

function csvCell(value) {
    var text = typeof value !== 'number' ? String(value === undefined ? '' : value)
        : (Object.is(value, -0) ? '-' : '') + String(value).replace('.', ',');
    return /[;"\r\n]/.test(text) ? '"' + text.replace(/"/g, '""') + '"' : text;
}

// The rows as CSV the way German spreadsheets read it: semicolons, a decimal comma, UTF-8 with a byte-order
// mark, CR LF; one column per size and figure, plus what is built when built counts are given.
export function csvOf(record, built) {
    var head = ['Ergebnis'].concat(COLUMNS, built ? ['Gebaut'] : []);
    var lines = [head.map(csvCell).join(';')];
    record.rows.forEach(function (row) {
        if (row.kind === 'note') return;
        var cells = cellsOf(row);
        var line = [rowKey(row)].concat(COLUMNS.map(function (c) { return cells[c]; }));
        if (built) line.push(row.kind === 'plants' || row.kind === 'factories' ? built[rowKey(row)] || 0 : '');
        lines.push(line.map(csvCell).join(';'));
    });
    return '\ufeff' + lines.join('\r\n') + '\r\n';
}

// Two runs row by row: every row of either, with the cells that differ, and the differences of the totals.
export function compareRuns(a, b) {
    var keys = [];
    var rows = {};
    [a, b].forEach(function (record, side) {
        record.rows.forEach(function (row) {
            if (row.kind === 'note') return;
            var key = rowKey(row);
            if (!rows[key]) {
                rows[key] = [null, null];
                keys.push(key);
            }
            rows[key][side] = cellsOf(row);
        });
    });
    var ta = totalsOf(a);
    var tb = totalsOf(b);
    return {
        rows: keys.map(function (key) {
            var pair = rows[key];
            var differs = COLUMNS.filter(function (c) {
                return !pair[0] || !pair[1] || pair[0][c] !== pair[1][c];
            });
            return { key: key, a: pair[0], b: pair[1], differs: differs };
        }),
        columns: COLUMNS,
        totals: { a: ta, b: tb, factories: tb.factories - ta.factories, surplus: tb.surplus - ta.surplus }
    };
}
