// A plan packed as bits, for the short plan codes: the options as bits, the fields that differ from an empty plan by
// their number in the core's question table with their texts packed by form, the name in UTF-8, the built counts by
// line and size. Read back, the same plan comes out, every field's text exactly as it was.
//
// The numbers are those of this version of the code: the options and questions in the order of the core's tables,
// the lines in LINES below. A change of either order needs a new version of the code (plancode.js).
import { emptyPlan } from './plan.js';
import { has, nameOf } from './checked.js';

// The lines a built count is kept for, numbered; a count kept under any other key is written out as its key.
var LINES = ['SKW', 'KF', 'KFNP', 'NP.GKF', 'NP.KDF', 'NP.SBF', 'NP.A', 'NP.B', 'NP.P', 'NP.S', 'NP.T', 'NP.V',
    'NP.X', 'NP.K', 'NP.Y', 'NP.E', 'ME', 'MS'];
var LINE_BITS = 5, KEY_WRITTEN = 31, NO_SIZE = 3;
var WHOLE = 0, NEGATIVE = 1, WRITTEN = 2, TEXT = 3;  // how a field's text is packed
var MOST_DIGITS = 15;                                 // a number packed as a number holds at most these digits

export var RAN_OUT = 'ran out', MALFORMED = 'malformed';  // why bits cannot be read, thrown only inside this room

// ---- Bits ----

function writer() {
    var bits = [];
    var w = {
        bits: bits,
        put: function (value, count) {
            for (var i = count - 1; i >= 0; i--) bits.push(Math.floor(value / 2 ** i) % 2);
        },
        // a whole number of any size up to 2^53 in groups of three bits, each after a bit that says another follows
        number: function (value) {
            do {
                var group = value % 8;
                value = Math.floor(value / 8);
                w.put(value > 0 ? 1 : 0, 1);
                w.put(group, 3);
            } while (value > 0);
        },
        bytes: function (bytes) {
            w.number(bytes.length);
            bytes.forEach(function (b) { w.put(b, 8); });
        },
        text: function (text) { w.bytes(Array.from(new TextEncoder().encode(text))); }
    };
    return w;
}

export function bytesOfBits(bits) {
    var bytes = new Uint8Array(Math.ceil(bits.length / 8));
    bits.forEach(function (b, i) { bytes[i >> 3] |= b << (7 - (i & 7)); });
    return bytes;
}

function reader(bytes) {
    var at = 0;
    var r = {
        get: function (count) {
            var value = 0;
            for (var i = 0; i < count; i++, at++) {
                if (at >= bytes.length * 8) throw RAN_OUT;
                value = value * 2 + (bytes[at >> 3] >> (7 - (at & 7)) & 1);
            }
            return value;
        },
        number: function () {
            var value = 0;
            for (var scale = 1; ; scale *= 8) {
                if (scale > 2 ** 51) throw MALFORMED;
                var more = r.get(1);
                value += r.get(3) * scale;
                if (!more) return value;
            }
        },
        bytes: function (limit) {
            var length = r.number();
            if (length > limit) throw MALFORMED;
            var bytes = new Uint8Array(length);
            for (var i = 0; i < length; i++) bytes[i] = r.get(8);
            return bytes;
        },
        text: function (limit) {
            try {
                return new TextDecoder('utf-8', { fatal: true }).decode(r.bytes(limit));
            } catch (e) {
                throw e === RAN_OUT ? e : MALFORMED;
            }
        },
        // the bits left after the plan: only the zeros that fill its last byte
        end: function () {
            if (bytes.length * 8 - at >= 8 || r.get(bytes.length * 8 - at)) throw MALFORMED;
        }
    };
    return r;
}

// ---- A field's text ----

// A number as a German or an English writer writes it: "1500,5", "0.25", "1.500", "1.500,5" (forms 0 to 3).
var FORMS = [/^(-?)(0|[1-9][0-9]*),([0-9]+)$/, /^(-?)(0|[1-9][0-9]*)\.([0-9]+)$/,
    /^(-?)([1-9][0-9]{0,2}(?:\.[0-9]{3})+)()$/, /^(-?)([1-9][0-9]{0,2}(?:\.[0-9]{3})+),([0-9]+)$/];

// The text of a number in form: its digits with the last `decimals` of them after the separator.
function writtenText(negative, form, digits, decimals) {
    digits = String(digits).padStart(decimals + 1, '0');
    var whole = digits.slice(0, digits.length - decimals);
    if (form >= 2) whole = whole.replace(/\B(?=([0-9]{3})+$)/g, '.');
    return (negative ? '-' : '') + whole + (decimals ? (form === 1 ? '.' : ',') + digits.slice(-decimals) : '');
}

// How text is packed: as a whole number, a number in a form, or as it is; a number only where it reads back the same.
function packText(w, text) {
    var whole = /^(-?)([0-9]{1,15})$/.exec(text);
    if (whole && String(+whole[2]) === whole[2]) {
        w.put(whole[1] ? NEGATIVE : WHOLE, 2);
        return w.number(+whole[2]);
    }
    for (var form = 0; form < FORMS.length; form++) {
        var m = FORMS[form].exec(text);
        var digits = m && (m[2] + m[3]).replace(/\./g, '');
        if (!m || digits.length > MOST_DIGITS || writtenText(m[1], form, +digits, m[3].length) !== text) continue;
        w.put(WRITTEN, 2);
        w.put(m[1] ? 1 : 0, 1);
        w.put(form, 2);
        if (form !== 2) w.number(m[3].length);
        return w.number(+digits);
    }
    w.put(TEXT, 2);
    w.text(text);
}

function unpackText(r, limit) {
    var how = r.get(2);
    if (how === TEXT) return r.text(limit * 4);
    if (how !== WRITTEN) return (how === NEGATIVE ? '-' : '') + r.number();
    var negative = r.get(1), form = r.get(2);
    var decimals = form === 2 ? 0 : r.number();
    if (decimals > MOST_DIGITS) throw MALFORMED;
    return writtenText(negative, form, r.number(), decimals);
}

// ---- The plan ----

// The bits of a plan with its name and built counts (as an address of the plan holds them).
export function packPlan(tables, plan, name, built) {
    var w = writer(), empty = emptyPlan(tables).values;
    tables.options.forEach(function (o) { w.put(plan.options[o.name] ? 1 : 0, 1); });
    tables.options.forEach(function (o) {
        if (o.question && plan.options[o.name]) w.put(plan.answers[o.name] === 'n' ? 1 : 0, 1);
    });
    w.text(name || '');
    var given = [];
    tables.questions.forEach(function (q, i) {
        if (String(plan.values[q.key] || '') !== (empty[q.key] || '')) given.push(i);
    });
    // the fields by their numbers, or as one bit per question where that is shorter
    var list = writer();
    list.number(given.length);
    given.forEach(function (i, n) { list.number(i - (n ? given[n - 1] + 1 : 0)); });
    var map = list.bits.length > tables.questions.length;
    w.put(map ? 1 : 0, 1);
    if (map) tables.questions.forEach(function (q, i) { w.put(given.indexOf(i) >= 0 ? 1 : 0, 1); });
    else list.bits.forEach(function (b) { w.put(b, 1); });
    given.forEach(function (i) {
        var q = tables.questions[i], text = String(plan.values[q.key]);
        if (q.kind !== 'letter') return packText(w, text);
        w.put(Math.max(0, tables.crystalRaces.findIndex(function (c) { return c.letter === text; })), 3);
    });
    var keys = Object.keys(built || {});
    w.number(keys.length);
    keys.forEach(function (key) {
        var dot = key.lastIndexOf('.'), size = tables.sizes.indexOf(key.slice(dot + 1));
        var line = LINES.indexOf(dot > 0 && size >= 0 ? key.slice(0, dot) : key);
        if (!(dot > 0 && size >= 0)) size = NO_SIZE;
        w.put(line < 0 ? KEY_WRITTEN : line, LINE_BITS);
        if (line < 0) w.text(key);
        else w.put(size, 2);
        w.number(built[key]);
    });
    return w.bits;
}

// The key of a built count: a numbered line with its size (none for a mine line's yield), or written out.
function builtKeyOf(tables, r) {
    var line = r.get(LINE_BITS);
    if (line === KEY_WRITTEN) return r.text(800);
    var size = r.get(2);
    if (!LINES[line] || size >= tables.sizes.length && size !== NO_SIZE) throw MALFORMED;
    return LINES[line] + (size === NO_SIZE ? '' : '.' + tables.sizes[size]);
}

// { plan, name, built } of packed bytes; throws RAN_OUT where bits are missing, MALFORMED where they cannot be a plan's.
export function unpackPlan(tables, bytes) {
    var r = reader(bytes), plan = emptyPlan(tables), built = {};
    var limit = tables.numberTextLimit || 500;
    tables.options.forEach(function (o) { plan.options[o.name] = !!r.get(1); });
    tables.options.forEach(function (o) {
        if (o.question && plan.options[o.name]) plan.answers[o.name] = r.get(1) ? 'n' : 'j';
    });
    var name = r.text(400);
    var given = [];
    if (r.get(1)) tables.questions.forEach(function (q, i) { if (r.get(1)) given.push(i); });
    else for (var n = r.number(), i = -1; n > 0; n--) given.push(i += 1 + r.number());
    given.forEach(function (i) {
        var q = tables.questions[i];
        if (!q) throw MALFORMED;
        var race = q.kind === 'letter' && tables.crystalRaces[r.get(3)];
        plan.values[q.key] = q.kind !== 'letter' ? unpackText(r, limit) : race ? race.letter : '';
        if (plan.values[q.key].length > limit || !race && q.kind === 'letter') throw MALFORMED;
    });
    for (var count = r.number(); count > 0; count--) {
        var key = builtKeyOf(tables, r), value = r.number();
        if (value > 1e9 || has(built, key)) throw MALFORMED;
        built[key] = value;
    }
    r.end();
    return { plan: plan, name: nameOf(name), built: built };
}
