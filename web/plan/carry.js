// The lines a built count can be kept for (by line code and size: "SKW.M", a mine line's code for its yield), and
// built counts kept by earlier pages under a line's name ("Sonnenkraftwerke": 3), carried over once to the lines'
// codes and sizes, for the plan store (plans of the first file version, addresses before version 3).
import { planInput, emptyPlan } from './plan.js';
import { has, note, NO_LINE } from './checked.js';
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
// is). A count under a name no line of the record has is left; a line counted under both of its names keeps the
// count under the name it has now. known, if given, gets every name a line of the record has.
export function carryBuilt(record, tables, names, known) {
    var built = {};
    record.rows.forEach(function (row) {
        var all = isToBuild(row) ? namesOf(row, tables) : [];
        if (known) all.forEach(function (n) { known[n] = 1; });
        var name = all.filter(function (n) { return names[n]; })[0];
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

// The plan with one more option on, or every option when left out: each line an option hides is in its run.
function withOption(tables, plan, option) {
    var all = JSON.parse(JSON.stringify(plan));
    tables.options.forEach(function (o) { if (!option || o === option) all.options[o.name] = true; });
    return all;
}

// For the plan store: has(key), whether a line of the core has that built key (any option, any plan); carry(plan,
// counts by line name, problems), the counts by line code and size (a line the plan's options hide now keeps its
// count, on the sizes it has once the option that shows it is switched on), a name no line has said in problems and
// dropped.
export function builtLines(tables, runner) {
    var keys = null;
    var recordOf = function (plan) { return runner.runPlan(planInput(tables, plan), true).record; };

    // Every line of a plan that asks for one of each factory, with every option and no crystal race (which adds the
    // crystal factories' own food).
    function probe() {
        var plan = withOption(tables, emptyPlan(tables));
        tables.questions.forEach(function (q) {
            if (q.kind === 'count') plan.values[q.key] = '1';
            if (q.kind === 'letter') {
                plan.values[q.key] = tables.crystalRaces.filter(function (c) { return !c.race; })[0].letter;
            }
        });
        keys = {};
        recordOf(plan).rows.forEach(function (row) {
            if (row.type === 'mines') keys[builtKey(row)] = 1;
            if (isToBuild(row)) sizesOf(row).forEach(function (s) { keys[builtKey(row, s[0])] = 1; });
        });
    }

    return {
        has: function (key) {
            if (!keys) probe();
            return has(keys, key);
        },
        carry: function (plan, names, problems) {
            var known = {}, built = carryBuilt(recordOf(plan), tables, names, known);
            tables.options.forEach(function (o) {
                var left = {};
                Object.keys(names).forEach(function (n) { if (!known[n]) left[n] = names[n]; });
                if (plan.options[o.name] || !Object.keys(left).length) return;
                var hidden = carryBuilt(recordOf(withOption(tables, plan, o)), tables, left, known);
                Object.keys(hidden).forEach(function (k) { built[k] = hidden[k]; });
            });
            Object.keys(names).forEach(function (n) { if (!known[n]) note(problems, n, NO_LINE); });
            return built;
        }
    };
}
