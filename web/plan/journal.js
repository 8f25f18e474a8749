// What this tab changed of each plan, field by field, until another tab is seen to have it. Tabs of one browser each
// hold the storage as they last heard of it, and hear of another tab's writing a moment later: a tab that writes
// meanwhile writes the plan as it knew it, without what the other tab had just changed. A plan's revision counts its
// writes; a plan written at a revision not above the one this tab wrote was written by a tab that had not heard of
// this tab's change, which is then written again. Pure.

// A plan's parts by path: its name, each option, answer and field, each built count (left out, empty and 0 alike).
function partsOf(e) {
    var parts = { name: e.name || '' };
    ['options', 'answers', 'values'].forEach(function (part) {
        Object.keys(e.plan[part]).forEach(function (k) { parts[part + '\n' + k] = e.plan[part][k]; });
    });
    Object.keys(e.built).forEach(function (k) { parts['built\n' + k] = e.built[k]; });
    Object.keys(parts).forEach(function (k) { if (parts[k] === '' || parts[k] === 0) delete parts[k]; });
    return parts;
}

function put(e, path, value) {
    var at = path.indexOf('\n'), part = path.slice(0, at), key = path.slice(at + 1);
    if (path === 'name') e.name = value;
    else if (part === 'built') {
        if (value) e.built[key] = value;
        else delete e.built[key];
    } else e.plan[part][key] = value === undefined ? (part === 'values' ? '' : e.plan[part][key]) : value;
}

export function changeJournal() {
    var changed = {};   // per plan id, per path: [value before, value after, revision written]

    return {
        // A change this tab wrote: the plan before and after it, at the revision written.
        note: function (id, before, after) {
            var was = partsOf(before), now = partsOf(after), mine = changed[id] || (changed[id] = {});
            Object.keys(was).concat(Object.keys(now)).forEach(function (path) {
                if (was[path] !== now[path]) mine[path] = [was[path], now[path], after.rev];
            });
        },
        // The plan as another tab wrote it: true when it lacks a change of this tab that the other tab had not heard
        // of, which job(e) writes into a plan again. A change the other tab has, or changed again, is forgotten.
        lacks: function (id, e) {
            var mine = changed[id], now = e && partsOf(e), again = {};
            if (!mine || !now) return null;
            Object.keys(mine).forEach(function (path) {
                var m = mine[path];
                if (now[path] === m[1] || e.rev > m[2]) delete mine[path];
                else again[path] = m[1];
            });
            return Object.keys(again).length ? function (plan) {
                Object.keys(again).forEach(function (path) { put(plan, path, again[path]); });
            } : null;
        },
        forget: function (id) { delete changed[id]; }
    };
}
