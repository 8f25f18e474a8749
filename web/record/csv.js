// The rows of a run as CSV for German spreadsheets, with what is built of them.
import { isToBuild, builtKey, cellsOf, COLUMNS, BUILT_COLUMNS } from './rows.js';
import { SIZES, lineName } from './words.js';

// A number as a spreadsheet takes it: a decimal comma, and 0 where the console prints "-0" (a sale of nothing).
function csvCell(value) {
    var text = typeof value !== 'number' ? String(value === undefined ? '' : value)
        : String(value === 0 ? 0 : value).replace('.', ',');
    return /[;"\r\n]/.test(text) ? '"' + text.replace(/"/g, '""') + '"' : text;
}

// What stands of a line, by the CSV's built columns: a count per size it shows, the yield of a mine line.
function builtCells(row, built) {
    if (row.type === 'mines') return ['', '', '', built[builtKey(row)] || 0];
    if (!isToBuild(row)) return ['', '', '', ''];
    return SIZES.map(function (s, i) {
        return row.shown & (1 << i) ? built[builtKey(row, s)] || 0 : '';
    }).concat(['']);
}

// The rows as CSV the way German spreadsheets read it: semicolons, a decimal comma, UTF-8 with a byte-order
// mark, CR LF; one column per size and figure, plus what is built per size when built counts are given.
export function csvOf(record, built) {
    var head = ['Ergebnis'].concat(COLUMNS, built ? BUILT_COLUMNS : []);
    var lines = [head.map(csvCell).join(';')];
    record.rows.forEach(function (row) {
        if (row.type === 'note') return;
        var cells = cellsOf(row);
        var line = [lineName(row)].concat(COLUMNS.map(function (c) { return cells[c]; }));
        if (built) line = line.concat(builtCells(row, built));
        lines.push(line.map(csvCell).join(';'));
    });
    return '\ufeff' + lines.join('\r\n') + '\r\n';
}

