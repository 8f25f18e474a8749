// What a plan brings in from outside (an address, a plan file, this browser's storage) read into a clean plan:
// options, answers, field texts and built counts that can be kept, bounded, and German problems for the rest,
// the first PROBLEM_LIMIT one by one and the others counted. Nothing throws.
import { emptyPlan, germanNumber } from './plan.js';

export var SKIPPED = 'nicht lesbar, übergangen';
export var VERSION = 'unbekannte Version; gelesen, was sich lesen ließ';
export var NO_LINE = 'keine Zeile dieses Namens; der Baustand dazu ist übergangen';
var NAME_LIMIT = 80;          // characters of a plan's name
var PROBLEM_LIMIT = 20;       // problems listed one by one; the rest are counted

export function has(o, k) { return Object.prototype.hasOwnProperty.call(o, k); }
export function isCount(n) { return n === Math.floor(n) && n >= 0 && n <= 1e9; }
// A built count as typed, read as the form's fields read a number ("1.200" is 1200): a whole number from 0 to
// 1e9, empty is 0; null for a text that is no such count.
export function builtCount(text) {
    var read = germanNumber(text, true);
    if (read.empty) return 0;
    return /^\+?[0-9]+$/.test(read.text || '') && isCount(Number(read.text)) ? Number(read.text) : null;
}
// Keeps PROBLEM_LIMIT problems, and counts the rest.
export function note(problems, what, why) {
    if (problems.length < PROBLEM_LIMIT) problems.push('„' + what + '“: ' + why);
    else problems.more = (problems.more || 0) + 1;
}

// The problems kept, then how many more there are.
export function bounded(problems) {
    return problems.more ? problems.concat(['und ' + problems.more + ' weitere']) : problems;
}

// A plan's name as kept: trimmed, at most NAME_LIMIT characters.
export function nameOf(text) {
    return String(text || '').trim().slice(0, NAME_LIMIT).trim();
}

// The name, or with " (2)", " (3)", … where names has it already, kept within the bound of a name.
export function unique(name, names) {
    for (var n = 2, free = name; has(names, free); n++) {
        var end = ' (' + n + ')';
        free = name.slice(0, NAME_LIMIT - end.length) + end;
    }
    return free;
}

// The name a stored text that is no longer JSON still shows, or ''.
export function nameIn(text) {
    var m = /"name"\s*:\s*("(?:[^"\\]|\\.){0,400}")/.exec(text);
    try { return m ? nameOf(JSON.parse(m[1])) : ''; } catch (e) { return ''; }
}

// Calls job(key, value) for each entry of raw, an object or left out.
export function each(problems, what, raw, job) {
    if (raw === undefined) return;
    if (!raw || typeof raw !== 'object' || Array.isArray(raw)) return note(problems, what, SKIPPED);
    Object.keys(raw).forEach(function (k) { job(k, raw[k]); });
}

// The readers of a plan's parts for the core's tables (options, questions, crystal races, the longest number text):
// planOf(raw, problems) a clean plan, builtOf(raw, problems) the built counts, onLines(built, problems) those of
// lines that exist (lines.has(key) says which; all when lines is left out), fieldText(key, text) a field's text as a
// plan keeps it or null, badField(key, text) why not.
export function planReader(tables, lines) {
    var options = {}, keys = {}, letters = {};
    var limit = tables.numberTextLimit || 500;
    tables.options.forEach(function (o) { options[o.name] = o; });
    tables.questions.forEach(function (q) {
        keys[q.key] = 1;
        if (q.kind === 'letter') letters[q.key] = 1;
    });

    // A field's text as a plan keeps it: a letter one of the crystal races', any other at most the length of
    // a number the core reads; null when it cannot be kept.
    function fieldText(key, text) {
        if (typeof text !== 'string') return null;
        if (letters[key]) return tables.crystalRaces.some(function (c) { return c.letter === text; }) ? text : null;
        return text.length <= limit ? text : null;
    }
    function badField(key, text) {
        return letters[key] ? 'keine der Rassen der Kristallfabriken, es bleibt '
            + (tables.crystalRaces[0].name || tables.crystalRaces[0].letter)
            : typeof text === 'string' && text.length > limit ? 'länger als ' + limit + ' Zeichen, übergangen'
                : SKIPPED;
    }

    // A clean copy of a plan object with what could be read of it.
    function planOf(raw, problems) {
        var plan = emptyPlan(tables);
        each(problems, 'plan', raw || {}, function (part, value) {
            each(problems, part, value, function (k, v) {
                if (part === 'options' ? has(options, k) && typeof v === 'boolean'
                    : part === 'answers' ? has(plan.answers, k) && /^[jn]$/.test(v)
                        : part === 'values' && has(keys, k) && fieldText(k, v) !== null) plan[part][k] = v;
                else note(problems, part + '.' + k, part === 'values' && has(keys, k) ? badField(k, v) : SKIPPED);
            });
        });
        return plan;
    }

    function builtOf(raw, problems) {
        var built = {};
        each(problems, 'built', raw, function (row, n) {
            if (!isCount(n) || row.length > 200) note(problems, 'built.' + row.slice(0, 200), SKIPPED);
            else if (n) built[row] = n;
        });
        return built;
    }

    function onLines(built, problems) {
        var kept = {};
        Object.keys(built).forEach(function (key) {
            if (!lines || lines.has(key)) kept[key] = built[key];
            else note(problems, key, NO_LINE);
        });
        return kept;
    }

    return { options: options, keys: keys, planOf: planOf, builtOf: builtOf, onLines: onLines, fieldText: fieldText,
        badField: badField };
}
