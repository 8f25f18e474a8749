// Which tab's change of a plan's part is the latest. Tabs of one browser each hold the storage as they last heard of
// it, and hear of another tab's writing a moment later: a tab that writes meanwhile writes the plan as it knew it,
// without what the other tab had just changed. So each part a tab changes (the name, an option, an answer, a field,
// a built count) carries in the stored plan the mark of its change (stamps: the time, and a number of the tab), each
// tab remembers the latest mark and value it knows of each part, and a tab that finds a plan written without a
// change it knows of writes that change into it again. Pure.

// A plan's parts by path, each with its value (left out, empty and 0 alike: undefined).
function partsOf(e) {
    var parts = { name: e.name || undefined };
    ['options', 'answers', 'values'].forEach(function (part) {
        Object.keys(e.plan[part]).forEach(function (k) { parts[part + '\n' + k] = e.plan[part][k]; });
    });
    Object.keys(e.built).forEach(function (k) { parts['built\n' + k] = e.built[k]; });
    Object.keys(parts).forEach(function (k) { if (parts[k] === '' || parts[k] === 0) parts[k] = undefined; });
    return parts;
}

function put(e, path, value) {
    var at = path.indexOf('\n'), part = path.slice(0, at), key = path.slice(at + 1);
    if (path === 'name') e.name = value || e.name;
    else if (part === 'built') {
        if (value) e.built[key] = value;
        else delete e.built[key];
    } else if (value !== undefined) e.plan[part][key] = value;
    else if (part === 'values') e.plan[part][key] = '';
}

// The time of the latest change a plan holds.
export function latest(stamps) {
    return Object.keys(stamps || {}).reduce(function (t, k) { return Math.max(t, stamps[k]); }, 0) / 1000;
}

export function changeJournal() {
    var tab = Math.floor(Math.random() * 1000), last = 0;
    var known = {};   // per plan id, per path: [value, mark], the latest this tab knows of

    function of(id) { return known[id] || (known[id] = {}); }

    // Takes in the parts of e whose marks are later than this tab knew.
    function hear(id, e) {
        var mine = of(id), parts = partsOf(e);
        Object.keys(e.stamps || {}).forEach(function (path) {
            if (!mine[path] || e.stamps[path] > mine[path][1]) mine[path] = [parts[path], e.stamps[path]];
        });
    }

    // Puts into e the parts this tab knows of later than e holds them; true if there were any.
    function bring(id, e) {
        var mine = of(id), brought = false;
        e.stamps = e.stamps || {};
        Object.keys(mine).forEach(function (path) {
            if ((e.stamps[path] || 0) >= mine[path][1]) return;
            put(e, path, mine[path][0]);
            e.stamps[path] = mine[path][1];
            brought = true;
        });
        return brought;
    }

    return {
        // e, as read to be changed or written back, with what this tab knows of later (and that taken in).
        update: function (id, e) {
            hear(id, e);
            return bring(id, e);
        },
        // What changed from before to after is marked in after as this tab's change now.
        note: function (id, before, after) {
            var was = partsOf(before), now = partsOf(after), mine = of(id);
            last = Math.max(Date.now() * 1000 + tab, last + 1000);
            after.stamps = after.stamps || {};
            Object.keys(was).concat(Object.keys(now)).forEach(function (path) {
                if (was[path] === now[path]) return;
                after.stamps[path] = last;
                mine[path] = [now[path], last];
            });
        },
        // Whether e, as another tab wrote it, lacks a change this tab knows of (after taking in its own).
        lacks: function (id, e) {
            hear(id, e);
            return bring(id, JSON.parse(JSON.stringify(e)));
        },
        forget: function (id) { delete known[id]; }
    };
}
