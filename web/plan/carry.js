// Built counts kept by earlier pages under a line's name ("Sonnenkraftwerke": 3), carried over once to the lines'
// codes and sizes, for the plan store (plans of the first file version, addresses before version 3).
import { planInput } from './plan.js';
import { isToBuild, builtKey, sizesOf } from '../record/rows.js';
import { lineName } from '../record/words.js';

// The names a line to build has had: its name in this run and, for a race's food chain, its name under the other
// naming of the extra races (the tables give both), the name it has now first.
function namesOf(row, tables) {
    var race = row.type === 'raceChain' && tables.races.filter(function (r) { return r.code === row.feeds; })[0];
    var names = [lineName(row)];
    (race ? race.chainNames : []).forEach(function (name) {
        name = lineName({ type: row.type, name: name });
        if (names.indexOf(name) < 0) names.push(name);
    });
    return names;
}

// The counts by line name of record's plan, by line code and size. A line's count goes to its sizes in the order M,
// L, XL, each up to its need, and what is beyond the needs to the largest size needed (the smallest shown when none
// is). A count under a name no line has any more is dropped; a line counted under both of its names keeps the
// count under the name it has now.
export function carryBuilt(record, tables, names) {
    var built = {};
    record.rows.forEach(function (row) {
        var name = isToBuild(row) && namesOf(row, tables).filter(function (n) { return names[n]; })[0];
        if (!name) return;
        var left = names[name];
        var line = sizesOf(row);
        var needed = line.filter(function (s) { return s[1] > 0; });
        var last = (needed.length ? needed[needed.length - 1] : line[0])[0];
        line.forEach(function (s) {
            var n = s[0] === last ? left : Math.min(left, Math.max(0, s[1]));
            left -= n;
            if (n) built[builtKey(row, s[0])] = n;
        });
    });
    return built;
}

// carry(plan, counts by line name) for the plan store: the plan run once, its counts carried over by carryBuilt.
export function carrier(tables, runner) {
    return function (plan, names) {
        return carryBuilt(runner.runPlan(planInput(tables, plan), true).record, tables, names);
    };
}
