// A plan as a small JSON file: a plan with its name, built counts and when it changed; read in either file
// version, counts of the first carried over by carry(plan, counts) of the plan's address.
import { note, bounded, nameOf, VERSION, SKIPPED } from './checked.js';

export var FILE_LIMIT = 64 * 1024;   // bytes of a plan file

export function fileOf(entry) {
    return JSON.stringify({ werkverbund: 2, name: entry.name || '', plan: entry.plan, built: entry.built,
        updated: entry.updated }, null, 1);
}

// reader: a planReader of the core's tables; carried(plan, built): the address's carrying over.
export function planFile(reader, carried) {
    // entry is null for a text that is no JSON object or is too long; version is the file's.
    function readFile(text) {
        var problems = [], data = null;
        if (String(text).length > FILE_LIMIT) {
            return { entry: null, problems: ['Eine Plandatei hat höchstens ' + FILE_LIMIT / 1024 + ' KB.'] };
        }
        try { data = JSON.parse(text); } catch (e) { /* no plan file */ }
        if (!data || typeof data !== 'object') return { entry: null, problems: ['Das ist keine Plandatei.'] };
        if (data.werkverbund !== 1 && data.werkverbund !== 2) note(problems, 'werkverbund', VERSION);
        if (typeof data.name !== 'string') note(problems, 'name', SKIPPED);
        var plan = reader.planOf(data.plan, problems), built = reader.builtOf(data.built, problems);
        return { entry: { name: nameOf(typeof data.name === 'string' ? data.name : ''), plan: plan,
            built: data.werkverbund === 1 ? carried(plan, built) : built, updated: +data.updated || 0 },
        problems: bounded(problems), version: data.werkverbund };
    }

    return readFile;
}
