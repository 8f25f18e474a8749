// What the lines of a run hold, as the other views of a run read them: which lines are factories or plants to
// build, how many factories a count is, the sizes a line shows, the values it prints, its cells by column, and the
// totals of a run. Every line is known by its code, which stays the same whatever the line is called in a run.
import { SIZES, FIGURE, lineName } from './words.js';

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
export function sizesOf(row) {
    return SIZES.map(function (s, i) { return [s, row.count[i], row.shown & (1 << i)]; })
        .filter(function (s) { return s[2]; });
}

// The values a line prints, as numbers ("-0" stays -0).
export function printed(row) {
    return row.valueText.map(Number);
}

// What a mine line needs: the yield that keeps every factory supplied (Ausreichend), and the recommended one.
export function yieldOf(row) {
    var v = printed(row);
    return { need: v[v.length - 2], recommended: v[v.length - 1] };
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
export function cellsOf(row) {
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
export var COLUMNS = SIZES.concat([FIGURE.mark, FIGURE.surplus, 'EZ'], LEVELS, [FIGURE.perHour]);
export var BUILT_COLUMNS = SIZES.map(function (s) { return 'Gebaut ' + s; }).concat([FIGURE.yield + ' gebaut']);
