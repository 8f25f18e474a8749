// Named plans with the counts of what is built (by line code and size: "SKW.M"): the plan in a
// versioned page address and in a small JSON file, and this browser's plans in localStorage (in
// memory while it refuses to keep them, and written back once it takes them again). Nothing throws:
// what cannot be read comes back as German problems. Everything a plan brings in is bounded: its
// name, each field's text, the address and the file, the problems listed. Counts kept by earlier
// versions under a line's name are carried over once, by carry(plan, counts).
import { emptyPlan } from './plan.js';

var PLAN = 'werkverbund.plan.', CURRENT = 'werkverbund.current', LINK = 'werkverbund.link', OWN = 'werkverbund.own';
var SKIPPED = 'nicht lesbar, übergangen', VERSION = 'unbekannte Version; gelesen, was sich lesen ließ';
export var NAME_LIMIT = 80;          // characters of a plan's name
export var LINK_LIMIT = 64 * 1024;   // characters of an address after '#'
export var FILE_LIMIT = 64 * 1024;   // bytes of a plan file
export var PROBLEM_LIMIT = 20;       // problems listed one by one; the rest are counted
export var STORAGE_TROUBLE = 'Der Browser nimmt keine Pläne mehr auf (Speicher voll oder gesperrt): die Pläne und '
    + 'jede Änderung bestehen nur, solange diese Seite offen ist. Bitte Pläne löschen, die nicht mehr gebraucht '
    + 'werden, oder den Plan als Plandatei sichern (unter „Dateien“); sobald wieder Platz ist, wird alles '
    + 'gespeichert.';

function has(o, k) { return Object.prototype.hasOwnProperty.call(o, k); }
function isCount(n) { return n === Math.floor(n) && n >= 0 && n <= 1e9; }
// Keeps PROBLEM_LIMIT problems, and counts the rest.
function note(problems, what, why) {
    if (problems.length < PROBLEM_LIMIT) problems.push('„' + what + '“: ' + why);
    else problems.more = (problems.more || 0) + 1;
}

// The problems kept, then how many more there are.
function bounded(problems) {
    return problems.more ? problems.concat(['und ' + problems.more + ' weitere']) : problems;
}

// A plan's name as kept: trimmed, at most NAME_LIMIT characters.
export function nameOf(text) {
    return String(text || '').trim().slice(0, NAME_LIMIT).trim();
}

// A short fingerprint of an address, so that storage keeps no second copy of it.
function digest(text) {
    var h = 0x811c9dc5;
    for (var i = 0; i < text.length; i++) h = Math.imul(h ^ text.charCodeAt(i), 0x01000193);
    return (h >>> 0).toString(36) + '.' + text.length.toString(36);
}

// The name a stored text that is no longer JSON still shows, or ''.
function nameIn(text) {
    var m = /"name"\s*:\s*("(?:[^"\\]|\\.){0,400}")/.exec(text);
    try { return m ? nameOf(JSON.parse(m[1])) : ''; } catch (e) { return ''; }
}

// Calls job(key, value) for each entry of raw, an object or left out.
function each(problems, what, raw, job) {
    if (raw === undefined) return;
    if (!raw || typeof raw !== 'object' || Array.isArray(raw)) return note(problems, what, SKIPPED);
    Object.keys(raw).forEach(function (k) { job(k, raw[k]); });
}

// Half a surrogate pair has no escape: it becomes U+FFFD.
function escaped(text) {
    return encodeURIComponent(String(text).replace(/[\ud800-\udbff][\udc00-\udfff]|[\ud800-\udfff]/g,
        function (c) { return c[1] ? c : '\ufffd'; }));
}

// A mangled escape stays as it is, for the field to say what is wrong with the text.
function unescaped(text, problems) {
    try { return decodeURIComponent(text); } catch (e) { /* read it escape by escape */ }
    note(problems, text, 'gestörte %-Zeichen, so weit wie möglich gelesen');
    return text.replace(/%[0-9a-f]{2}(%[89ab][0-9a-f])*/gi, function (c) {
        try { return decodeURIComponent(c); } catch (e) { return c; }
    });
}

// tables: the core's tables (options, questions); storage: localStorage if left out, none if null;
// session: this tab's sessionStorage if left out (it holds which addresses this tab wrote), none if null;
// carry(plan, counts by line name): the counts by line code and size (kept as they are if left out).
export function planStore(tables, storage, session, carry) {
    var options = {}, keys = {}, letters = {}, news = [], seen = {}, cur = null, mine = null, last = 0;
    var limit = tables.numberTextLimit || 500;
    // While storage refuses: every key as this tab knows it, and the keys changed since (removed when undefined).
    var memory = null, dirty = {};
    tables.options.forEach(function (o) { options[o.name] = o; });
    tables.questions.forEach(function (q) {
        keys[q.key] = 1;
        if (q.kind === 'letter') letters[q.key] = 1;
    });
    try {
        if (storage === undefined) storage = localStorage;
    } catch (e) { storage = null; }  // a page from a file may not even look at it
    try {
        if (session === undefined) session = sessionStorage;
    } catch (e) { session = null; }
    if (!storage) memory = {};

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

    // The address after '#': version, name if given, options as always written, the fields
    // unlike an empty plan's, built counts if given.
    function hashOf(plan, extra) {
        extra = extra || {};
        var empty = emptyPlan(tables).values, built = extra.built || {};
        var counted = Object.keys(built).some(function (k) { return built[k] > 0; });
        var parts = [counted ? 'v=3' : 'v=2'];  // 3: built counts by line code
        if (extra.name) parts.push('name=' + escaped(extra.name));
        tables.options.forEach(function (o) {
            if (plan.options[o.name]) parts.push(o.name + (o.question ? '=' + plan.answers[o.name] : ''));
        });
        Object.keys(keys).forEach(function (key) {
            var text = String(plan.values[key] || '');
            if (text !== (empty[key] || '')) parts.push(escaped(key) + '=' + escaped(text));
        });
        Object.keys(built).forEach(function (row) {
            if (built[row] > 0) parts.push('b:' + escaped(row) + '=' + built[row]);
        });
        return parts.join('&');
    }

    // Any version so far: parts in any order, the last of a name wins.
    function readHash(hash) {
        var problems = [], plan = emptyPlan(tables), built = {}, name = '', version = 1;
        String(hash || '').replace(/^#/, '').split('&').forEach(function (part) {
            var at = part.indexOf('=');
            var key = unescaped(at < 0 ? part : part.slice(0, at), problems);
            var value = at < 0 ? '' : unescaped(part.slice(at + 1), problems);
            var shown = function () { return (key + '=' + value).slice(0, 60); };
            if (key === 'name') name = nameOf(value);
            else if (has(options, key)) {
                plan.options[key] = true;
                if (!options[key].question || at < 0) return;  // an answer left out stays 'j'
                if (/^[jn]$/.test(value)) plan.answers[key] = value;
                else note(problems, shown(), 'Antwort weder j noch n, bleibt j');
            } else if (has(keys, key)) {
                if (fieldText(key, value) !== null) plan.values[key] = value;
                else note(problems, shown(), badField(key, value));
            } else if (/^b:/.test(key) && /^\d{1,10}$/.test(value)) built[key.slice(2)] = +value;
            else if (key === 'v' && /^[123]$/.test(value)) version = +value;
            else if (part) note(problems, shown(), key === 'v' ? VERSION : SKIPPED);
        });
        built = builtOf(built, problems);
        return { plan: plan, built: version < 3 ? carried(plan, built) : built, name: name,
            problems: bounded(problems) };
    }

    function carried(plan, built) {
        return carry && Object.keys(built).length ? carry(plan, built) : built;
    }

    function fileOf(entry) {
        return JSON.stringify({ werkverbund: 2, name: entry.name || '', plan: entry.plan, built: entry.built,
            updated: entry.updated }, null, 1);
    }

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
        var plan = planOf(data.plan, problems), built = builtOf(data.built, problems);
        return { entry: { name: nameOf(typeof data.name === 'string' ? data.name : ''), plan: plan,
            built: data.werkverbund === 1 ? carried(plan, built) : built, updated: +data.updated || 0 },
        problems: bounded(problems), version: data.werkverbund };
    }

    // ---- Storage, or memory while storage refuses ----

    // Writes what changed in memory back to storage, removals first; true once all of it is stored again.
    function sync() {
        if (!memory || !storage) return !memory;
        try {
            var changed = Object.keys(dirty);
            var kept = function (k) { return memory[k] === undefined ? 0 : 1; };
            changed.sort(function (a, b) { return kept(a) - kept(b); });
            changed.forEach(function (k) {
                if (memory[k] === undefined) storage.removeItem(k);
                else storage.setItem(k, memory[k]);
                delete dirty[k];
            });
        } catch (e) { return false; }
        memory = null;
        news.push('Der Browser nimmt die Pläne wieder auf; alle Pläne und Änderungen sind gespeichert.');
        return true;
    }

    // A storage method, or the keys without one. On a refusal the plans go on in memory; every later change
    // tries storage again, writing back what changed meanwhile.
    function io(method, k, text) {
        if (!memory) {
            try { return method ? storage[method](k, text) : Object.keys(storage); } catch (e) {
                memory = {};
                try {  // the plans' keys only: a page from a file shares its storage with every local file
                    Object.keys(storage).forEach(function (key) {
                        if (key.indexOf('werkverbund.') === 0) memory[key] = storage.getItem(key);
                    });
                } catch (e2) { /* keep what was copied */ }
            }
        }
        if (method === 'getItem') return has(memory, k) ? memory[k] : null;
        if (method === 'setItem') memory[k] = text;
        if (method === 'removeItem') delete memory[k];
        if (method) {
            dirty[k] = 1;
            sync();
            return null;
        }
        return Object.keys(memory);
    }
    function get(k) { return io('getItem', k); }
    function set(k, text) { io('setItem', k, text); }

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
        return io().filter(function (k) { return k.indexOf(PLAN) === 0; }).sort().map(function (k) {
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

    // The name, or with " (2)", " (3)", … where a plan has it already.
    function unique(name) {
        var names = {};
        list().forEach(function (e) { names[e.name] = 1; });
        for (var n = 2, free = name; has(names, free); n++) {
            var end = ' (' + n + ')';
            free = name.slice(0, NAME_LIMIT - end.length) + end;
        }
        return free;
    }

    function use(e) {
        set(CURRENT, cur = e.id);
        return (mine = e);
    }
    // An id starts with the time, so that the list keeps the order the plans were made in.
    function add(entry, name) {
        last = Math.max(Date.now(), last + 1);
        var e = { id: last.toString(36) + Math.random().toString(36).slice(2, 6),
            name: unique(nameOf(entry.name) || name), plan: planOf(entry.plan, []),
            built: builtOf(entry.built, []), updated: last };
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
        var got = readHash(hash), e = !pasted && mark.d.indexOf(sign) >= 0 && read(mark.id);
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
    if (String(get(LINK)).length > 100) io('removeItem', LINK);

    // A plan made, copied or added becomes this tab's plan; remove gives the plan then current;
    // save and setBuilt change this tab's plan.
    return {
        hashOf: hashOf, readHash: readHash, fileOf: fileOf, readFile: readFile, openLink: openLink,
        list: list, damaged: damaged, get: read, current: current,
        create: function (name) {
            var n = 0;
            list().forEach(function (e) { n = Math.max(n, +(/^Plan (\d+)$/.exec(e.name) || [0, 0])[1]); });
            return add({ name: name }, 'Plan ' + (n + 1));
        },
        add: function (entry) { return add(entry || {}, 'Geteilter Plan'); },
        // A removed plan back under its own id, so in its own place in the list.
        restore: function (entry) {
            var e = { id: entry.id, name: entry.name, plan: planOf(entry.plan, []), built: builtOf(entry.built, []),
                updated: Date.now() };
            set(PLAN + e.id, fileOf(e));
            return use(e);
        },
        rename: function (id, name) {
            name = nameOf(name);
            return name ? change(id, function (e) { e.name = name; }) : null;
        },
        duplicate: function (id) {
            var e = read(id);
            return e && add({ name: 'Kopie von ' + e.name, plan: e.plan, built: e.built });
        },
        remove: function (id) {
            io('removeItem', PLAN + id);
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
                if (!base) return (e.plan = planOf(plan, []));
                ['options', 'answers', 'values'].forEach(function (part) {
                    Object.keys(plan[part]).forEach(function (k) {
                        if ((plan[part][k] || '') !== ((base[part] || {})[k] || '')) e.plan[part][k] = plan[part][k];
                    });
                });
                e.plan = planOf(e.plan, []);
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
            if (memory) sync();
            if (memory || event.storageArea !== storage || (key !== null && key.indexOf(PLAN))) return '';
            return key === null || key === PLAN + cur ? 'current' : 'list';
        },
        // Tries storage again; the warning to show while it refuses, or ''.
        trouble: function () {
            sync();
            return memory ? STORAGE_TROUBLE : '';
        },
        messages: function () { return news.splice(0); }
    };
}
