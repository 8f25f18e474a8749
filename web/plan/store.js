// Named plans with the counts of what is built (by line code and size: "SKW.M"), kept in this browser: the list,
// the current plan of this tab, a link's plan added beside the others (links.js), changes that keep what another tab
// changed. The plan's address (address.js), its file (planfile.js) and the storage with its memory (storage.js) are
// the other parts; what a plan brings in is read by checked.js. Nothing throws: what cannot be read comes back as
// German problems. Counts kept by earlier versions under a line's name are carried over once, by lines.carry.
import { isCount, nameOf, nameIn, unique, planReader } from './checked.js';
import { planAddress } from './address.js';
import { planFile, fileOf, storedOf, FILE_LIMIT } from './planfile.js';
import { planStorage } from './storage.js';
import { linkOpener } from './links.js';
import { changeJournal, latest } from './journal.js';

var PLAN = 'werkverbund.plan.', CURRENT = 'werkverbund.current';
var STORED_LIMIT = 1024 * 1024;  // characters of a stored plan read: earlier versions stored plans beyond FILE_LIMIT

// tables: the core's tables (options, questions); storage: localStorage if left out, none if null;
// session: this tab's sessionStorage if left out (it holds which addresses this tab wrote), none if null;
// lines: has(key) for the built keys of lines that exist, carry(plan, counts by line name, problems) for the counts
// by line code and size (kept as they are if left out).
export function planStore(tables, storage, session, lines) {
    var news = [], seen = {}, cur = null, mine = null, last = 0;
    var reader = planReader(tables, lines);
    var address = planAddress(tables, reader, lines && lines.carry);
    var files = planFile(reader, address.carried);
    var kept = planStorage(storage, news);
    var journal = changeJournal(), hashOf = address.hashOf;
    try {
        if (session === undefined) session = sessionStorage;
    } catch (e) { session = null; }
    var get = kept.get, set = kept.set;

    // ---- Plans ----

    function label(name) {
        return name ? 'Gespeicherter Plan „' + name + '“' : 'Ein gespeicherter Plan ohne lesbaren Namen';
    }

    // A plan of another version, or not readable at all, stays as it is stored (listed as damaged). A plan stored
    // with counts by line name, or beyond the bound, by an earlier version is stored anew, once.
    function read(id) {
        var text = get(PLAN + id);
        if (text === null) return null;
        var got = files.readFile(text, STORED_LIMIT), e = (got.version === 1 || got.version === 2) && got.entry;
        var problems = e ? got.problems : ['nicht lesbar; er bleibt, wie er ist, in der Liste, bis er gelöscht wird'];
        if (problems.length && seen[id] !== text) {
            news.push(label(e ? e.name : nameIn(text)) + ': ' + problems.join('; '));
        }
        if (e && (lines && got.version === 1 && Object.keys(e.built).length || text.length > FILE_LIMIT)) {
            var again = storedOf(e);
            if (again.length <= FILE_LIMIT) set(PLAN + id, text = again);
        }
        seen[id] = text;
        if (e) e.id = id;
        return e || null;
    }

    function ids() {
        return kept.keys().filter(function (k) { return k.indexOf(PLAN) === 0; }).sort().map(function (k) {
            return k.slice(PLAN.length);
        });
    }

    function list() {
        return ids().map(read).filter(Boolean);
    }

    // The stored plans that cannot be read: id and the name they had, where it can be read.
    function damaged() {
        return ids().filter(function (id) { return !read(id); }).map(function (id) {
            return { id: id, name: nameIn(get(PLAN + id) || ''), damaged: true };
        });
    }

    // The name, or with " (2)", " (3)", … where a plan (other than the one of id) has it already.
    function uniqueName(name, id) {
        var names = {};
        list().forEach(function (e) { if (e.id !== id) names[e.name] = 1; });
        return unique(name, names);
    }

    function use(e) {
        set(CURRENT, cur = e.id);
        return (mine = e);
    }

    // Writes the plan, with again (see storage.js) for a change; false, said, when it would be stored beyond
    // the bound of a stored plan, which is then stored as it was.
    function put(e, lead, again) {
        var text = storedOf(e);
        if (text.length > FILE_LIMIT) {
            news.push(lead + ': der Plan wäre gespeichert ' + Math.ceil(text.length / 1024) + ' KB groß; ein Plan '
                + 'hat höchstens ' + FILE_LIMIT / 1024 + ' KB.');
            return false;
        }
        set(PLAN + e.id, text, again);
        return true;
    }

    // A new id starts with the time, so that the list keeps the order the plans were made in. The plan stored, or
    // {refused} with what to say when it cannot be; its name unique beside the plans other than besides.
    function make(entry, name, id, besides) {
        last = Math.max(Date.now(), last + 1);
        var e = { id: id || last.toString(36) + Math.random().toString(36).slice(2, 6),
            name: uniqueName(nameOf(entry.name) || name, besides), plan: reader.planOf(entry.plan, []),
            built: reader.builtOf(entry.built, []), updated: entry.updated || last };
        return put(e, 'Der Plan „' + e.name + '“ wird nicht gespeichert') ? e : { refused: news.pop() };
    }
    function add(entry, name) {
        var e = make(entry, name);
        return e.refused ? e : use(e);
    }
    function added(e) {
        if (!e || !e.refused) return e;
        news.push(e.refused);
        return null;
    }

    // This tab's plan; when it is gone, the one chosen last in any tab, the first, or a new one.
    function current() {
        var e = cur && read(cur);
        if (e) return (mine = e);
        var all = list(), chosen = get(CURRENT);
        return use(all.filter(function (x) { return x.id === chosen; })[0] || all[0] || add({}, 'Plan 1'));
    }

    // The plan as stored now is changed by job, keeping what another tab changed (and writing again what another tab
    // wrote over without having heard of it); this tab's plan, removed meanwhile in another tab, is written again
    // rather than lost. While storage refuses, the changes are written into the plan as storage holds it once it
    // takes the plans again. null when the change cannot be stored.
    function change(id, job) {
        var e = read(id) || (mine && mine.id === id && mine);
        if (!e) return null;
        journal.update(id, e);
        var before = JSON.parse(JSON.stringify(e));
        job(e);
        e.updated = Date.now();
        journal.note(id, before, e);
        var again = function (text) {
            var now = text !== null && files.readFile(text, STORED_LIMIT).entry || e;
            journal.update(id, now);
            now.updated = e.updated;
            return storedOf(now);
        };
        if (!put(e, 'Die Änderung am Plan „' + e.name + '“ wird nicht gespeichert', again)) return null;
        if (id === cur) mine = e;
        return e;
    }

    // A plan as another tab wrote it: what this tab changed and that tab had not heard of is written again.
    function heard(id, text) {
        var e = text !== null && files.readFile(text, STORED_LIMIT).entry;
        if (e && journal.lacks(id, e)) change(id, function () { /* the plan as this tab knows it */ });
    }

    var links = linkOpener(session, { read: read, list: list, current: current, use: use, add: add, get: get,
        set: set, remove: kept.remove, hashOf: hashOf, readHash: address.readHash, cur: function () { return cur; },
        rev: function () { return mine ? latest(mine.stamps) : 0; } });

    // A plan made, copied or added becomes this tab's plan; remove gives the plan then current; save and setBuilt
    // change this tab's plan, or the plan of the id given.
    return {
        hashOf: hashOf, readHash: address.readHash, fileOf: fileOf, readFile: files.readFile, readPlans: files.readPlans,
        openLink: links.openLink, list: list, damaged: damaged, get: read, current: current,
        create: function (name) {
            var n = 0;
            list().forEach(function (e) { n = Math.max(n, +(/^Plan (\d+)$/.exec(e.name) || [0, 0])[1]); });
            return added(add({ name: name }, 'Plan ' + (n + 1)));
        },
        add: function (entry) { return added(add(entry || {}, 'Geteilter Plan')); },
        // A plan from a file of all plans, under the id it had where no plan has it (so that the file loaded
        // again adds nothing); it does not become this tab's plan.
        adopt: function (entry) {
            return added(make(entry, 'Plan', /^[0-9a-z]{1,40}$/.test(entry.id) && !read(entry.id) ? entry.id : null));
        },
        // A removed plan back under its own id, so in its own place in the list (as it is, if it is back already),
        // with its marks; a name taken meanwhile gets " (2)" as this tab's change, which another tab then keeps.
        restore: function (entry) {
            var e = read(entry.id);
            if (!e) {
                e = { id: entry.id, name: entry.name, plan: reader.planOf(entry.plan, []),
                    built: reader.builtOf(entry.built, []), updated: Date.now(), stamps: Object.assign({}, entry.stamps) };
                if (!put(e, 'Der Plan „' + e.name + '“ wird nicht gespeichert')) return null;
                e = change(e.id, function (x) { x.name = uniqueName(x.name, x.id); }) || e;
            }
            return use(e);
        },
        // A name another plan has gets " (2)", as a plan added does.
        rename: function (id, name) {
            name = nameOf(name);
            return name ? change(id, function (e) { e.name = uniqueName(name, id); }) : null;
        },
        duplicate: function (id) {
            var e = read(id);
            return e && added(add({ name: 'Kopie von ' + e.name, plan: e.plan, built: e.built }));
        },
        remove: function (id) {
            var next = list().some(function (e) { return e.id !== id; }) || make({}, 'Plan 1', null, id);
            if (next.id) use(next);  // the last plan's successor made first: another tab hearing of its going finds it
            kept.remove(PLAN + id);
            journal.forget(id);
            return current();
        },
        switchTo: function (id) {
            var e = read(id);
            return e && use(e);
        },
        // With base (the plan as this tab had it), only the parts that differ from it are written (a field left
        // out is an empty one), so that a field another tab changed meanwhile is kept.
        save: function (plan, base, id) {
            return change(id || cur || current().id, function (e) {
                if (!base) return (e.plan = reader.planOf(plan, []));
                ['options', 'answers', 'values'].forEach(function (part) {
                    Object.keys(Object.assign({}, base[part], plan[part])).forEach(function (k) {
                        if ((plan[part][k] || '') !== ((base[part] || {})[k] || '')) e.plan[part][k] = plan[part][k];
                    });
                });
                e.plan = reader.planOf(e.plan, []);
            });
        },
        setBuilt: function (row, count, id) {
            return isCount(count) ? change(id || cur || current().id, function (e) {
                if (count) e.built[row] = count; else delete e.built[row];
            }) : null;
        },
        // Notes the addresses the page shows and is about to show for this tab's plan.
        wrote: links.wrote,
        // Whether the plan holds no writing but those this tab had heard of when it noted its address last (as after
        // a reload, when storage hears of the page's last writing late).
        heardOf: function (e) { return latest(e.stamps) <= links.ownRev(e.id); },
        // For the 'storage' event: 'cleared' when another page cleared the storage, 'removed' when this tab's plan
        // was deleted in another tab, 'current' when it changed there, 'list' when another plan did, '' otherwise.
        // Another tab may have made room: storage is tried again.
        storageChanged: function (event) {
            var key = event.key;
            if (!kept.holds(event.storageArea) || (key !== null && key.indexOf(PLAN))) return '';
            if (key === null) return 'cleared';
            heard(key.slice(PLAN.length), event.newValue);
            if (key !== PLAN + cur) return 'list';
            return event.newValue === null ? 'removed' : 'current';
        },
        // This tab's plan written again where storage lost it (cleared by another page); the plan, or null.
        rescue: function () {
            if (!mine || get(PLAN + mine.id) !== null) return null;
            return put(mine, 'Der Plan „' + mine.name + '“ wird nicht gespeichert') ? use(mine) : null;
        },
        // Tries storage again; the warning to show while it refuses, or ''.
        trouble: kept.trouble,
        messages: function () { return news.splice(0); }
    };
}
