// The results of a run as numbers to take away or to set beside another plan's: the lines to build with what
// stands of them, the totals, the rows as CSV for German spreadsheets, and the differences between two runs row
// by row. Every line is known by its code, which stays the same whatever the line is called in a run.
import { SIZES, FIGURE, lineName } from './words.js';
import { planInput } from '../plan/plan.js';

var LEVELS = FIGURE.levels;

// Lines whose counts are factories or plants to build.
var TO_BUILD = { plants: 1, crystals: 1, crystalFood: 1, raceChain: 1, specialChain: 1 };
export function isToBuild(row) {
    return !!TO_BUILD[row.type];
}

// Where a built count is kept: a line's code and size ("SKW.M", "NP.V.L"), a mine line's code for its yield.
export function builtKey(row, size) {
    return size ? row.code + '.' + size : row.code;
}

// A line of food factories names pairs, a Level 2 factory with the Level 1 factory it needs: two factories to
// build per count. The crystal factories' line and the plants' are single factories.
export function factoriesPerCount(row) {
    return row.pairs ? 2 : 1;
}

// The sizes a row shows, with its counts: [['M', 2], ['L', 1]].
function sizesOf(row) {
    return SIZES.map(function (s, i) { return [s, row.count[i], row.shown & (1 << i)]; })
        .filter(function (s) { return s[2]; });
}

// The values a line prints, as numbers ("-0" stays -0).
function printed(row) {
    return row.valueText.map(Number);
}

// What a mine line needs: the yield that keeps every factory supplied (Ausreichend), and the recommended one.
function yieldOf(row) {
    var v = printed(row);
    return { need: v[v.length - 2], recommended: v[v.length - 1] };
}

// The checklist of a run with the built counts kept by builtKey: per line to build and size what is needed and
// built, and per mine line the yield; what is missing and what stands beyond the need; the factories built
// (a pair counting two, none beyond the need) of those needed. Lines with nothing needed or built are left out.
export function checklistOf(record, built) {
    var lines = [];
    var sum = { built: 0, need: 0 };
    record.rows.forEach(function (row, index) {
        var line = { code: row.code, name: lineName(row), index: index, missing: [], extra: [], sizes: null };
        var has = function (key) { return built[key] || 0; };
        if (row.type === 'mines') {
            var y = yieldOf(row);
            line.mine = { key: builtKey(row), need: Math.max(0, y.need), recommended: y.recommended,
                has: has(builtKey(row)) };
            var gap = line.mine.need - line.mine.has;
            if (gap > 0) line.missing.push([FIGURE.yield, gap]);
            if (gap < 0) line.extra.push([FIGURE.yield, -gap]);
            return lines.push(line);
        }
        if (!isToBuild(row)) return;
        var per = factoriesPerCount(row);
        line.sizes = sizesOf(row).map(function (s) {
            var key = builtKey(row, s[0]);
            var need = Math.max(0, s[1]);
            var n = has(key);
            if (need > n) line.missing.push([s[0], need - n]);
            if (n > need) line.extra.push([s[0], n - need]);
            sum.built += Math.min(n, need) * per;
            sum.need += need * per;
            return { size: s[0], key: key, need: need, has: n };
        });
        if (line.sizes.some(function (s) { return s.need || s.has; })) lines.push(line);
    });
    return { lines: lines, sum: sum };
}

// What the plan needs built per size (a pair counting two), the EZ surplus and what it sells per hour (by the
// sale line's code, with its name).
export function totalsOf(record) {
    var totals = { build: { M: 0, L: 0, XL: 0 }, factories: 0, surplus: 0, sales: {}, saleNames: {} };
    record.rows.forEach(function (row) {
        if (row.type === 'plants') totals.surplus = row.number;
        if (row.type === 'sale') {
            totals.sales[row.code] = printed(row)[0];
            totals.saleNames[row.code] = lineName(row);
        }
        if (!isToBuild(row)) return;
        sizesOf(row).forEach(function (s) {
            totals.build[s[0]] += s[1] * factoriesPerCount(row);
            totals.factories += s[1] * factoriesPerCount(row);
        });
    });
    return totals;
}

// The cells of a row, by column: sizes, surplus mark, mine levels, the amount per hour, as the line prints them.
function cellsOf(row) {
    var cells = {};
    sizesOf(row).forEach(function (s) { cells[s[0]] = s[1]; });
    if (row.mark) cells[FIGURE.mark] = row.mark;
    if (row.type === 'plants') cells[FIGURE.surplus] = row.number;
    if (row.type === 'capacity') cells.EZ = row.number;
    if (row.type === 'mines') {
        var names = row.valueText.length === 3 ? LEVELS : LEVELS.slice(1);
        printed(row).forEach(function (v, i) { cells[names[i]] = v; });
    }
    if (row.type === 'sale') cells[FIGURE.perHour] = printed(row)[0];
    return cells;
}
var COLUMNS = SIZES.concat([FIGURE.mark, FIGURE.surplus, 'EZ'], LEVELS, [FIGURE.perHour]);
var BUILT_COLUMNS = SIZES.map(function (s) { return 'Gebaut ' + s; }).concat([FIGURE.yield + ' gebaut']);

function csvCell(value) {
    var text = typeof value !== 'number' ? String(value === undefined ? '' : value)
        : (Object.is(value, -0) ? '-' : '') + String(value).replace('.', ',');
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

// Built counts kept by earlier pages under a line's name ("Sonnenkraftwerke": 3), carried over to the lines'
// codes and sizes. records are the plan's runs under either answer to the naming of the extra races, the plan as
// it is first, so that a count under either name of a race's line is found. A line's count goes to its sizes in
// the order M, L, XL, each up to its need, and what is beyond the needs to the largest size needed (the smallest
// shown when none is). A count under a name no line has any more is dropped; a line counted under both of its
// names keeps the count under the name it has now.
export function carryBuilt(records, names) {
    var now = {};
    records[0].rows.forEach(function (row) { if (isToBuild(row)) now[row.code] = row; });
    var built = {};
    var done = {};
    records.forEach(function (record) {
        record.rows.forEach(function (row) {
            var left = names[lineName(row)];
            if (!isToBuild(row) || !left || done[row.code] || !now[row.code]) return;
            done[row.code] = true;
            var line = sizesOf(now[row.code]);
            var needed = line.filter(function (s) { return s[1] > 0; });
            var last = (needed.length ? needed[needed.length - 1] : line[0])[0];
            line.forEach(function (s) {
                var n = s[0] === last ? left : Math.min(left, Math.max(0, s[1]));
                left -= n;
                if (n) built[builtKey(row, s[0])] = n;
            });
        });
    });
    return built;
}

// carry(plan, counts by line name) for the plan store: the plan run as it is and under either answer to the
// naming of the extra races, its counts carried over by carryBuilt.
export function carrier(tables, runner) {
    return function (plan, names) {
        var records = ['', 'j', 'n'].map(function (answer) {
            var p = JSON.parse(JSON.stringify(plan));
            if (answer) p.answers[tables.raceNames] = answer;
            return runner.runPlan(planInput(tables, p), true).record;
        });
        return carryBuilt(records, names);
    };
}

// What a checklist line says of its state: "fehlt M 1 · XL 2", "L 3 zu viel", "fehlt Ausbeute 5", or "fertig".
export function standOf(line, number) {
    var part = function (p) { return (p[0] ? p[0] + ' ' : '') + number(p[1]); };
    var said = [];
    if (line.missing.length) said.push('fehlt ' + line.missing.map(part).join(' · '));
    if (line.extra.length) said.push(line.extra.map(part).join(' · ') + ' zu viel');
    return said.join('; ') || 'fertig';
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
