// A plan in a versioned page address (after '#'): written with what differs from an empty plan, read in any
// version so far; counts kept by earlier versions under a line's name are carried over by carry(plan, counts,
// problems).
import { emptyPlan } from './plan.js';
import { has, note, bounded, nameOf, VERSION, SKIPPED } from './checked.js';

export var LINK_LIMIT = 64 * 1024;   // characters of an address after '#'

// A short fingerprint of an address, so that storage keeps no second copy of it.
export function digest(text) {
    var h = 0x811c9dc5;
    for (var i = 0; i < text.length; i++) h = Math.imul(h ^ text.charCodeAt(i), 0x01000193);
    return (h >>> 0).toString(36) + '.' + text.length.toString(36);
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

// reader: a planReader of the core's tables; carry as the plan store's.
export function planAddress(tables, reader, carry) {
    var options = reader.options, keys = reader.keys;

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
                if (reader.fieldText(key, value) !== null) plan.values[key] = value;
                else note(problems, shown(), reader.badField(key, value));
            } else if (/^b:/.test(key) && /^\d{1,10}$/.test(value)) built[key.slice(2)] = +value;
            else if (key === 'v' && /^[123]$/.test(value)) version = +value;
            else if (part) note(problems, shown(), key === 'v' ? VERSION : SKIPPED);
        });
        built = reader.builtOf(built, problems);
        return { plan: plan, built: version < 3 ? carried(plan, built, problems) : reader.onLines(built, problems),
            name: name, problems: bounded(problems) };
    }

    function carried(plan, built, problems) {
        return carry && Object.keys(built).length ? carry(plan, built, problems) : built;
    }

    return { hashOf: hashOf, readHash: readHash, carried: carried };
}
