// Two plans side by side: their runs row by row with the cells that differ and the differences of the totals, and
// the inputs in which they differ.
import { cellsOf, totalsOf, COLUMNS } from './rows.js';
import { lineName } from './words.js';

// Two runs row by row: every row of either by its code (named as plan A names it, and as plan B where B names
// it otherwise), with the cells that differ, and the differences of the totals.
export function compareRuns(a, b) {
    var codes = [];
    var rows = {};
    [a, b].forEach(function (record, side) {
        record.rows.forEach(function (row) {
            if (row.type === 'note') return;
            var r = rows[row.code];
            if (!r) {
                r = rows[row.code] = { key: row.code, names: [], a: null, b: null };
                codes.push(row.code);
            }
            if (r.names.indexOf(lineName(row)) < 0) r.names.push(lineName(row));
            r[side ? 'b' : 'a'] = cellsOf(row);
        });
    });
    var ta = totalsOf(a);
    var tb = totalsOf(b);
    return {
        rows: codes.map(function (code) {
            var r = rows[code];
            r.name = r.names.join(' / ');
            r.differs = COLUMNS.filter(function (c) { return !r.a || !r.b || !Object.is(r.a[c], r.b[c]); });
            delete r.names;
            return r;
        }),
        columns: COLUMNS,
        totals: { a: ta, b: tb, factories: tb.factories - ta.factories, surplus: tb.surplus - ta.surplus }
    };
}


// The inputs in which two plans differ: the options and answers ({option, answer, a, b}: on or off, 'j' or 'n')
// and the fields ({key, a, b}: their texts, trimmed), a field only where either plan asks it.
export function inputsDiffering(tables, a, b, isAsked) {
    var differ = [];
    tables.options.forEach(function (o) {
        var on = [!!a.options[o.name], !!b.options[o.name]];
        if (on[0] !== on[1]) differ.push({ option: o.name, a: on[0], b: on[1] });
        var answers = [a.answers[o.name], b.answers[o.name]];
        if (o.question && (on[0] || on[1]) && answers[0] !== answers[1]) {
            differ.push({ option: o.name, answer: true, a: answers[0], b: answers[1] });
        }
    });
    tables.questions.forEach(function (q) {
        var texts = [a, b].map(function (p) { return String(p.values[q.key] || '').trim(); });
        if (texts[0] !== texts[1] && (isAsked(q, a.options) || isAsked(q, b.options))) {
            differ.push({ key: q.key, a: texts[0], b: texts[1] });
        }
    });
    return differ;
}
