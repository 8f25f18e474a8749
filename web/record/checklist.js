// What stands of a plan's lines: per line to build and size what is needed and built, and what a line says of
// its state.
import { isToBuild, builtKey, factoriesPerCount, sizesOf, yieldOf } from './rows.js';
import { FIGURE, lineName } from './words.js';

// The checklist of a run with the built counts kept by builtKey: per line to build and size what is needed and
// built, and per mine line the yield; what is missing and what stands beyond the need; the factories built
// (a pair counting two, none beyond the need) of those needed. A size has a field where something is needed or built,
// or where its count is being typed (the key typing); lines with no field are left out.
export function checklistOf(record, built, typing) {
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
            return { size: s[0], key: key, need: need, has: n, field: !!(need || n) || key === typing };
        });
        if (line.sizes.some(function (s) { return s.field; })) lines.push(line);
    });
    return { lines: lines, sum: sum };
}


// What a checklist line says of its state: "fehlt M 1 · XL 2", "L 3 zu viel", "fehlt Ausbeute 5", or "fertig".
export function standOf(line, number) {
    var part = function (p) { return (p[0] ? p[0] + ' ' : '') + number(p[1]); };
    var said = [];
    if (line.missing.length) said.push('fehlt ' + line.missing.map(part).join(' · '));
    if (line.extra.length) said.push(line.extra.map(part).join(' · ') + ' zu viel');
    return said.join('; ') || 'fertig';
}

