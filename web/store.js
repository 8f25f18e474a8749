// Named plans with the counts of what is built (by line code and size: "SKW.M"): the plan in a
// versioned page address and in a small JSON file, and this browser's plans in localStorage (in
// memory where it keeps none). Nothing throws: what cannot be read comes back as German problems.
// Counts kept by earlier versions under a line's name are carried over once, by carry(plan, counts).
import { keyOf, emptyPlan } from './plan.js';

var PLAN = 'werkverbund.plan.', CURRENT = 'werkverbund.current', LINK = 'werkverbund.link';
var SKIPPED = 'nicht lesbar, übergangen', VERSION = 'unbekannte Version; gelesen, was sich lesen ließ';

function has(o, k) { return Object.prototype.hasOwnProperty.call(o, k); }
function isCount(n) { return n === Math.floor(n) && n >= 0 && n <= 1e9; }
function note(problems, what, why) { problems.push('„' + what + '“: ' + why); }

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
// carry(plan, counts by line name): the counts by line code and size (kept as they are if left out).
export function planStore(tables, storage, carry) {
    var options = {}, keys = {}, news = [], seen = {}, memory = null, cur = null, mine = null, last = 0;
    tables.options.forEach(function (o) { options[o.name] = o; });
    tables.questions.forEach(function (q) { keys[keyOf(tables, q)] = 1; });
    try {
        if (storage === undefined) storage = localStorage;
    } catch (e) { storage = null; }  // a page from a file may not even look at it

    // A clean copy of a plan object with what could be read of it.
    function planOf(raw, problems) {
        var plan = emptyPlan(tables);
        each(problems, 'plan', raw || {}, function (part, value) {
            each(problems, part, value, function (k, v) {
                if (part === 'options' ? has(options, k) && typeof v === 'boolean'
                    : part === 'answers' ? has(plan.answers, k) && /^[jn]$/.test(v)
                        : part === 'values' && has(keys, k) && typeof v === 'string') plan[part][k] = v;
                else note(problems, part + '.' + k, SKIPPED);
            });
        });
        return plan;
    }

    function builtOf(raw, problems) {
        var built = {};
        each(problems, 'built', raw, function (row, n) {
            if (!isCount(n)) note(problems, 'built.' + row, SKIPPED);
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
            if (key === 'name') name = value.trim();
            else if (has(options, key)) {
                plan.options[key] = true;
                if (!options[key].question || at < 0) return;  // an answer left out stays 'j'
                if (/^[jn]$/.test(value)) plan.answers[key] = value;
                else note(problems, part, 'Antwort weder j noch n, bleibt j');
            } else if (has(keys, key)) plan.values[key] = value;
            else if (/^b:/.test(key) && /^\d{1,10}$/.test(value)) built[key.slice(2)] = +value;
            else if (key === 'v' && /^[123]$/.test(value)) version = +value;
            else if (part) note(problems, key + '=' + value, key === 'v' ? VERSION : SKIPPED);
        });
        built = builtOf(built, problems);
        return { plan: plan, built: version < 3 ? carried(plan, built) : built, name: name, problems: problems };
    }

    function carried(plan, built) {
        return carry && Object.keys(built).length ? carry(plan, built) : built;
    }

    function fileOf(entry) {
        return JSON.stringify({ werkverbund: 2, name: entry.name || '', plan: entry.plan, built: entry.built,
            updated: entry.updated }, null, 1);
    }

    // entry is null for a text that is no JSON object; version is the file's.
    function readFile(text) {
        var problems = [], data = null;
        try { data = JSON.parse(text); } catch (e) { /* no plan file */ }
        if (!data || typeof data !== 'object') return { entry: null, problems: ['Das ist keine Plandatei.'] };
        if (data.werkverbund !== 1 && data.werkverbund !== 2) note(problems, 'werkverbund', VERSION);
        if (typeof data.name !== 'string') note(problems, 'name', SKIPPED);
        var plan = planOf(data.plan, problems), built = builtOf(data.built, problems);
        return { entry: { name: String(data.name || ''), plan: plan,
            built: data.werkverbund === 1 ? carried(plan, built) : built, updated: +data.updated || 0 },
        problems: problems, version: data.werkverbund };
    }

    // A storage method, or the keys without one. From the first refusal on the plans stay in
    // memory for this visit, and the page is told once.
    function io(method, k, text) {
        if (!memory) {
            try { return method ? storage[method](k, text) : Object.keys(storage); } catch (e) {
                memory = {};
                news.push('Der Browser speichert keine Pläne (Speicher voll oder gesperrt); '
                    + 'sie bleiben nur erhalten, solange diese Seite offen ist.');
                try {
                    Object.keys(storage).forEach(function (key) { memory[key] = storage.getItem(key); });
                } catch (e2) { /* keep what was copied */ }
            }
        }
        if (method === 'getItem') return has(memory, k) ? memory[k] : null;
        if (method === 'setItem') memory[k] = text;
        if (method === 'removeItem') delete memory[k];
        return Object.keys(memory);
    }
    function get(k) { return io('getItem', k); }
    function set(k, text) { io('setItem', k, text); }

    // A plan of another version, or not readable at all, stays as it is stored.
    function read(id) {
        var text = get(PLAN + id);
        if (text === null) return null;
        var got = readFile(text), e = (got.version === 1 || got.version === 2) && got.entry;
        var problems = e ? got.problems : ['nicht lesbar, bleibt unverändert gespeichert'];
        if (problems.length && seen[id] !== text) {
            news.push('Gespeicherter Plan ' + (e ? '„' + e.name + '“' : id) + ': ' + problems.join('; '));
        }
        if (e && carry && got.version === 1 && Object.keys(e.built).length) {
            set(PLAN + id, text = fileOf(e));  // the counts carried over, once
        }
        seen[id] = text;
        if (e) e.id = id;
        return e || null;
    }

    function list() {
        return io().sort().map(function (k) {
            return k.indexOf(PLAN) ? null : read(k.slice(PLAN.length));
        }).filter(Boolean);
    }

    function use(e) {
        set(CURRENT, cur = e.id);
        return (mine = e);
    }
    // An id starts with the time, so that the list keeps the order the plans were made in.
    function add(entry, name) {
        last = Math.max(Date.now(), last + 1);
        var e = { id: last.toString(36) + Math.random().toString(36).slice(2, 6),
            name: String(entry.name || '').trim() || name, plan: planOf(entry.plan, []),
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

    // Adds the link's plan; never replaces one. The same link again (a reload) or a plan that
    // is here already (the address of the plan being edited, the current one first) goes to that plan.
    function openLink(hash) {
        hash = String(hash || '').replace(/^#/, '');
        if (!hash) return null;
        var got = readHash(hash), link = String(get(LINK)), at = link.indexOf(' ');
        var sign = function (x) { return hashOf(x.plan, { built: Object.keys(got.built).length && x.built }); };
        var e = (link.slice(at + 1) === hash && read(link.slice(0, at))) || [read(cur || get(CURRENT))]
            .concat(list()).filter(function (x) { return x && sign(x) === sign(got); })[0];
        got.added = !e;
        got.entry = e ? use(e) : add(got, 'Geteilter Plan');
        set(LINK, got.entry.id + ' ' + hash);  // the plan the link went to last
        return got;
    }

    // A plan made, copied or added becomes this tab's plan; remove gives the plan then current;
    // save and setBuilt change this tab's plan.
    return {
        hashOf: hashOf, readHash: readHash, fileOf: fileOf, readFile: readFile, openLink: openLink,
        list: list, get: read, current: current,
        create: function (name) {
            var n = 0;
            list().forEach(function (e) { n = Math.max(n, +(/^Plan (\d+)$/.exec(e.name) || [0, 0])[1]); });
            return add({ name: name }, 'Plan ' + (n + 1));
        },
        add: function (entry) { return add(entry || {}, 'Geteilter Plan'); },
        rename: function (id, name) {
            name = String(name || '').trim();
            return name ? change(id, function (e) { e.name = name; }) : null;
        },
        duplicate: function (id) {
            var e = read(id);
            return e && add({ name: 'Kopie von ' + e.name, plan: e.plan, built: e.built });
        },
        remove: function (id) {
            if (read(id)) io('removeItem', PLAN + id);
            return current();
        },
        switchTo: function (id) {
            var e = read(id);
            return e && use(e);
        },
        save: function (plan) {
            return change(cur || current().id, function (e) { e.plan = planOf(plan, []); });
        },
        setBuilt: function (row, count) {
            return isCount(count) ? change(cur || current().id, function (e) {
                e.built[row] = count;
                if (!count) delete e.built[row];
            }) : null;
        },
        // For the 'storage' event: 'current' when this tab's plan changed in another tab, 'list'
        // when another plan did, '' otherwise.
        storageChanged: function (event) {
            var key = event.key;
            if (memory || event.storageArea !== storage || (key !== null && key.indexOf(PLAN))) return '';
            return key === null || key === PLAN + cur ? 'current' : 'list';
        },
        messages: function () { return news.splice(0); }
    };
}
