// A plan as a small JSON file: a plan with its name, built counts and when it changed; read in either file
// version, counts of the first carried over by carry(plan, counts) of the plan's address. Stored in this browser the
// same, without indentation; every plan of the browser in one file as a list of them, each with its id.
import { note, bounded, nameOf, VERSION, SKIPPED } from './checked.js';

export var FILE_LIMIT = 64 * 1024;   // characters of a plan file, and of a plan as this browser stores it
// characters of a file of all plans: beyond what a browser keeps of one site
export var PLANS_LIMIT = 16 * 1024 * 1024;

function fields(entry) {
    return { name: entry.name || '', plan: entry.plan, built: entry.built, updated: entry.updated };
}

export function fileOf(entry) {
    return JSON.stringify(Object.assign({ werkverbund: 2 }, fields(entry)), null, 1);
}

// A plan as stored: compact, so that a plan accepted within the bound is read back within it; with the mark of each
// part's latest change (journal.js), by which a tab tells a change it knows of from one written over.
export function storedOf(entry) {
    return JSON.stringify(Object.assign({ werkverbund: 2 }, fields(entry), { stamps: entry.stamps || {} }));
}

// The marks of the parts' changes, as far as they are numbers.
function stampsIn(data) {
    var stamps = {};
    var raw = data.stamps && typeof data.stamps === 'object' ? data.stamps : {};
    Object.keys(raw).slice(0, 1000).forEach(function (k) { if (isFinite(raw[k])) stamps[k] = +raw[k]; });
    return stamps;
}

// Every plan in one file, each with its id, so that loading the file again adds nothing.
export function plansFileOf(entries) {
    return JSON.stringify({ werkverbund: 2, plans: entries.map(function (e) {
        return Object.assign({ id: e.id }, fields(e));
    }) }, null, 1);
}

// A name as a plan file may hold it: a text, or a number written without quotes.
function nameIn(data, problems) {
    if (typeof data.name === 'number' && isFinite(data.name)) return nameOf(String(data.name));
    if (typeof data.name !== 'string') note(problems, 'name', SKIPPED);
    return nameOf(typeof data.name === 'string' ? data.name : '');
}

// reader: a planReader of the core's tables; carried(plan, built, problems): the address's carrying over.
export function planFile(reader, carried) {
    function entryOf(data, version, problems) {
        var plan = reader.planOf(data.plan, problems), built = reader.builtOf(data.built, problems);
        return { name: nameIn(data, problems), plan: plan,
            built: version === 1 ? carried(plan, built, problems) : reader.onLines(built, problems),
            updated: +data.updated || 0, stamps: stampsIn(data) };
    }

    function parsed(text, limit, what) {
        if (String(text).length > limit) return { problem: what + ' hat höchstens ' + limit / 1024 + ' KB.' };
        try {
            var data = JSON.parse(text);
            return data && typeof data === 'object' && !Array.isArray(data) ? { data: data } : {};
        } catch (e) { return {}; }
    }

    // entry is null for a text that is no JSON object or is longer than limit (FILE_LIMIT if left out); version is
    // the file's.
    function readFile(text, limit) {
        var problems = [], got = parsed(text, limit || FILE_LIMIT, 'Eine Plandatei');
        if (got.problem) return { entry: null, problems: [got.problem] };
        if (!got.data) return { entry: null, problems: ['Das ist keine Plandatei.'] };
        var version = got.data.werkverbund;
        if (version !== 1 && version !== 2) note(problems, 'werkverbund', VERSION);
        return { entry: entryOf(got.data, version, problems), problems: bounded(problems), version: version };
    }

    // A file of one plan or of all plans (all): its plans, each {entry, problems} (with the id it had, if any),
    // and problems (of the file).
    function readPlans(text) {
        var got = parsed(text, PLANS_LIMIT, 'Eine Datei aller Pläne');
        if (got.problem) return { plans: [], problems: [got.problem] };
        if (!got.data || !Array.isArray(got.data.plans)) {
            var one = readFile(text);
            return one.entry ? { plans: [one], problems: [] } : { plans: [], problems: one.problems };
        }
        var version = got.data.werkverbund;
        return { plans: got.data.plans.map(function (data) {
            var problems = [];
            if (!data || typeof data !== 'object') return { entry: null, problems: ['Das ist kein Plan.'] };
            var entry = entryOf(data, version, problems);
            if (typeof data.id === 'string') entry.id = data.id;
            return { entry: entry, problems: bounded(problems) };
        }), all: true, problems: version === 2 ? [] : ['„werkverbund“: ' + VERSION] };
    }

    return { readFile: readFile, readPlans: readPlans };
}
