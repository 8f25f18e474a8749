// Several plans as one complex: what the plans need as separate complexes (their lists added up, per line and size:
// factories to build, mines' yields, sales, the EZ surplus) beside what one complex selling all of it needs (the run
// of the summed plan), the difference per line and in total, and the sentence that says it.
import { cellsOf, totalsOf, COLUMNS } from './rows.js';
import { FIGURE, lineName } from './words.js';
import { number } from '../lib/format.js';

var SUMMED = COLUMNS.filter(function (c) { return c !== FIGURE.mark; });  // a surplus mark is no amount

// records: the runs of the plans; summed: the run of their summed plan. Gives lines [{ code, name, column, apart,
// together }] in the order of the summed run's rows (a line none of them has last) and columns, and the
// totals { apart, together, difference } of factories to build, EZ surplus and each sale per hour.
export function togetherOf(records, summed) {
    var names = {}, codes = [], cells = {};
    [summed].concat(records).forEach(function (record, n) {
        record.rows.forEach(function (row) {
            if (row.type === 'note') return;
            if (!names[row.code]) {
                names[row.code] = lineName(row);
                codes.push(row.code);
                cells[row.code] = { apart: {}, together: {} };
            }
            var own = cellsOf(row), into = cells[row.code][n ? 'apart' : 'together'];
            SUMMED.forEach(function (c) { if (own[c] !== undefined) into[c] = into[c] === undefined ? own[c] : into[c] + own[c]; });
        });
    });
    var lines = [];
    codes.forEach(function (code) {
        var c = cells[code];
        SUMMED.forEach(function (column) {
            if (c.apart[column] === undefined && c.together[column] === undefined) return;
            lines.push({ code: code, name: names[code], column: column, apart: c.apart[column] || 0,
                together: c.together[column] || 0 });
        });
    });
    return { lines: lines, totals: totalsTogether(records.map(totalsOf), totalsOf(summed)) };
}

function totalsTogether(each, together) {
    var apart = { factories: 0, surplus: 0, sales: {}, saleNames: Object.assign({}, together.saleNames) };
    each.forEach(function (t) {
        apart.factories += t.factories;
        apart.surplus += t.surplus;
        Object.keys(t.sales).forEach(function (k) {
            apart.sales[k] = (apart.sales[k] || 0) + t.sales[k];
            apart.saleNames[k] = apart.saleNames[k] || t.saleNames[k];
        });
    });
    return { apart: apart, together: together, difference: { factories: together.factories - apart.factories,
        surplus: together.surplus - apart.surplus } };
}

function factories(n) {
    return number(n) + (n === 1 ? ' Fabrik' : ' Fabriken');
}

// What one complex saves against separate ones, in a sentence: "Ein gemeinsamer Komplex spart 3 Fabriken und
// 1.200 EZ." (EZ: the surplus the separate complexes make beyond it), or what it needs or makes more.
export function savingSentence(totals) {
    var built = -totals.difference.factories, ez = -totals.difference.surplus;
    if (!built && !ez) return 'Ein gemeinsamer Komplex braucht so viele Fabriken wie getrennte und hat denselben '
        + FIGURE.surplus + '.';
    var said = [];
    if (built > 0 && ez > 0) said.push('spart ' + factories(built) + ' und ' + number(ez) + ' EZ');
    else {
        if (built) said.push(built > 0 ? 'spart ' + factories(built) : 'braucht ' + factories(-built) + ' mehr');
        if (ez) said.push(ez > 0 ? 'spart ' + number(ez) + ' EZ' : 'erzeugt ' + number(-ez) + ' EZ mehr Überschuss');
    }
    return 'Ein gemeinsamer Komplex ' + said.join(' und ') + '.';
}
