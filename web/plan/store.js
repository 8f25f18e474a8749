// Named plans with the counts of what is built (by line code and size: "SKW.M"), kept in this browser: the list,
// the current plan of this tab, a link's plan added beside the others, changes that keep what another tab changed.
// The plan's address (address.js), its file (planfile.js) and the storage with its memory (storage.js) are the
// other parts; what a plan brings in is read by checked.js. Nothing throws: what cannot be read comes back as
// German problems. Counts kept by earlier versions under a line's name are carried over once, by carry(plan, counts).
import { isCount, nameOf, nameIn, unique, planReader } from './checked.js';
import { planAddress, digest, LINK_LIMIT } from './address.js';
import { planFile, fileOf } from './planfile.js';
import { planStorage } from './storage.js';

var PLAN = 'werkverbund.plan.', CURRENT = 'werkverbund.current', LINK = 'werkverbund.link', OWN = 'werkverbund.own';

// tables: the core's tables (options, questions); storage: localStorage if left out, none if null;
// session: this tab's sessionStorage if left out (it holds which addresses this tab wrote), none if null;
// carry(plan, counts by line name): the counts by line code and size (kept as they are if left out).
export function planStore(tables, storage, session, carry) {
    var news = [], seen = {}, cur = null, mine = null, last = 0;
    var reader = planReader(tables);
    var address = planAddress(tables, reader, carry);
    var readFile = planFile(reader, address.carried);
    var kept = planStorage(storage, news);
    var hashOf = address.hashOf;
    try {
        if (session === undefined) session = sessionStorage;
    } catch (e) { session = null; }
    var get = kept.get, set = kept.set;

    // ---- Plans ----

    function label(name) {
        return name ? 'Gespeicherter Plan „' + name + '“' : 'Ein gespeicherter Plan ohne lesbaren Namen';
    }

    // A plan of another version, or not readable at all, stays as it is stored (listed as damaged).
    function read(id) {
        var text = get(PLAN + id);
        if (text === null) return null;
        var got = readFile(text), e = (got.version === 1 || got.version === 2) && got.entry;
        var problems = e ? got.problems : ['nicht lesbar; er bleibt, wie er ist, in der Liste, bis er gelöscht wird'];
        if (problems.length && seen[id] !== text) {
            news.push(label(e ? e.name : nameIn(text)) + ': ' + problems.join('; '));
        }
        if (e && carry && got.version === 1 && Object.keys(e.built).length) {
            set(PLAN + id, text = fileOf(e));  // the counts carried over, once
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
    // An id starts with the time, so that the list keeps the order the plans were made in.
    function add(entry, name) {
        last = Math.max(Date.now(), last + 1);
        var e = { id: last.toString(36) + Math.random().toString(36).slice(2, 6),
            name: uniqueName(nameOf(entry.name) || name), plan: reader.planOf(entry.plan, []),
            built: reader.builtOf(entry.built, []), updated: last };
        set(PLAN + e.id, fileOf(e));
        return use(e);
    }

    // This tab's plan; when it is gone, the one chosen last in any tab, the first, or a new one.
    function current() {
        var e = cur && read(cur);
        if (e) return (mine = e);
        var all = list(), chosen = get(CURRENT);
        return use(all.filter(function (x) { return x.id === chosen; })[0] || all[0] || add({}, 'Plan 1'));
    }

    // The plan as stored now is changed, keeping what another tab changed; this tab's plan,
    // removed meanwhile in another tab, is written again rather than lost.
    function change(id, job) {
        var e = read(id) || (mine && mine.id === id && mine);
        if (!e) return null;
        job(e);
        e.updated = Date.now();
        set(PLAN + id, fileOf(e));
        if (id === cur) mine = e;
        return e;
    }

    // The addresses this tab wrote last, as fingerprints with the plan they were of.
    function own() {
        try {
            var kept = JSON.parse(session && session.getItem(OWN));
            return kept && typeof kept.id === 'string' && Array.isArray(kept.d) ? kept : { id: '', d: [] };
        } catch (e) { return { id: '', d: [] }; }
    }
    function wrote(hashes) {
        if (!session || !cur) return;
        var kept = own(), d = hashes.map(function (h) { return digest(String(h).replace(/^#/, '')); });
        if (kept.id === cur) d = d.concat(kept.d.filter(function (x) { return d.indexOf(x) < 0; })).slice(0, 8);
        try {
            session.setItem(OWN, JSON.stringify({ id: cur, d: d }));
        } catch (e) { /* a reload then finds the plan by its content */ }
    }

    // Adds the link's plan; never replaces one. An address this tab wrote (a reload, the tab reopened), the same
    // link again, or a plan that is here already (the current one first) goes to that plan. A link beyond
    // LINK_LIMIT is refused: refused says so, and entry is the plan current before.
    // pasted: the plan was pasted, not found in this tab's address, so an address this tab once wrote is no
    // reload of its own plan but a plan to open beside it.
    function openLink(hash, pasted) {
        hash = String(hash || '').replace(/^#/, '');
        if (!hash) return null;
        if (hash.length > LINK_LIMIT) {
            return { entry: current(), problems: [], added: false, refused: 'Der Link ist '
                + Math.ceil(hash.length / 1024) + ' KB lang und wird nicht geöffnet: ein Link zu einem Plan hat '
                + 'höchstens ' + LINK_LIMIT / 1024 + ' KB.' };
        }
        var sign = digest(hash), mark = own(), link = String(get(LINK)), at = link.indexOf(' ');
        var got = address.readHash(hash), e = !pasted && mark.d.indexOf(sign) >= 0 && read(mark.id);
        got.own = !!e;   // this tab's own address: a reload, not a link to tell of
        if (!e && link.slice(at + 1) === sign) e = read(link.slice(0, at));
        if (!e) {
            var same = function (x) { return hashOf(x.plan, { built: Object.keys(got.built).length && x.built }); };
            e = [read(cur || get(CURRENT))].concat(list()).filter(function (x) {
                return x && same(x) === same(got);
            })[0];
        }
        got.added = !e;
        got.entry = e ? use(e) : add(got, 'Geteilter Plan');
        set(LINK, got.entry.id + ' ' + sign);  // the plan the link went to last
        return got;
    }

    // an address kept whole by an earlier version of the page goes
    if (String(get(LINK)).length > 100) kept.remove(LINK);

    // A plan made, copied or added becomes this tab's plan; remove gives the plan then current;
    // save and setBuilt change this tab's plan.
    return {
        hashOf: hashOf, readHash: address.readHash, fileOf: fileOf, readFile: readFile, openLink: openLink,
        list: list, damaged: damaged, get: read, current: current,
        create: function (name) {
            var n = 0;
            list().forEach(function (e) { n = Math.max(n, +(/^Plan (\d+)$/.exec(e.name) || [0, 0])[1]); });
            return add({ name: name }, 'Plan ' + (n + 1));
        },
        add: function (entry) { return add(entry || {}, 'Geteilter Plan'); },
        // A removed plan back under its own id, so in its own place in the list.
        restore: function (entry) {
            var e = { id: entry.id, name: entry.name, plan: reader.planOf(entry.plan, []), built: reader.builtOf(entry.built, []),
                updated: Date.now() };
            set(PLAN + e.id, fileOf(e));
            return use(e);
        },
        // A name another plan has gets " (2)", as a plan added does.
        rename: function (id, name) {
            name = nameOf(name);
            return name ? change(id, function (e) { e.name = uniqueName(name, id); }) : null;
        },
        duplicate: function (id) {
            var e = read(id);
            return e && add({ name: 'Kopie von ' + e.name, plan: e.plan, built: e.built });
        },
        remove: function (id) {
            kept.remove(PLAN + id);
            return current();
        },
        switchTo: function (id) {
            var e = read(id);
            return e && use(e);
        },
        // With base (the plan as this tab had it), only the parts that differ from it are written (a field left
        // out is an empty one), so that a field another tab changed meanwhile is kept.
        save: function (plan, base) {
            return change(cur || current().id, function (e) {
                if (!base) return (e.plan = reader.planOf(plan, []));
                ['options', 'answers', 'values'].forEach(function (part) {
                    Object.keys(Object.assign({}, base[part], plan[part])).forEach(function (k) {
                        if ((plan[part][k] || '') !== ((base[part] || {})[k] || '')) e.plan[part][k] = plan[part][k];
                    });
                });
                e.plan = reader.planOf(e.plan, []);
            });
        },
        setBuilt: function (row, count) {
            return isCount(count) ? change(cur || current().id, function (e) {
                e.built[row] = count;
                if (!count) delete e.built[row];
            }) : null;
        },
        // Notes the addresses the page shows and is about to show for this tab's plan.
        wrote: wrote,
        // For the 'storage' event: 'current' when this tab's plan changed in another tab, 'list'
        // when another plan did, '' otherwise. Another tab may have made room: storage is tried again.
        storageChanged: function (event) {
            var key = event.key;
            if (!kept.holds(event.storageArea) || (key !== null && key.indexOf(PLAN))) return '';
            return key === null || key === PLAN + cur ? 'current' : 'list';
        },
        // Tries storage again; the warning to show while it refuses, or ''.
        trouble: kept.trouble,
        messages: function () { return news.splice(0); }
    };
}
