// A plan: the options, the two yes/no answers and the text of every field. Here a field's text is checked once
// and turned into the value the core takes (the plan's address and storage are web/store.js's).

// A question is asked always or with the option its 'when' names.
export function isAsked(q, options) {
    return !q.when || !!options[q.when];
}

// Options are named by their spelling without the dash; an option with a yes/no question keeps its answer
// under the same name.
export function emptyPlan(tables) {
    var plan = { options: {}, answers: {}, values: {} };
    tables.options.forEach(function (o) {
        plan.options[o.name] = false;
        if (o.question) plan.answers[o.name] = 'j';
    });
    tables.questions.forEach(function (q) {
        if (q.kind === 'letter') plan.values[q.key] = tables.crystalRaces[0].letter;
    });
    return plan;
}

var WHOLE = /^[+-]?[0-9]+$/;
var PRINTABLE = /^[\x20-\x7e]*$/;
// A German writes a thousands dot: a dot before three digits is one ("1.500", "1.500,5", "-12.345.678"), and where
// it cannot be one ("0.500", "1.500.5") the text is refused rather than read with a decimal point.
var DOT_BEFORE_THREE = /\.[0-9]{3}(?![0-9])/;
var GROUPED = /^([+-]?[1-9][0-9]{0,2}(?:\.[0-9]{3})+)(,[0-9]*)?$/;
export var THOUSANDS_MESSAGE = 'Ein Punkt vor drei Ziffern ist ein Tausenderpunkt: bitte 1.500 oder 1500 schreiben, '
    + 'Dezimalstellen mit Komma (1,5).';

// The German message for a field whose text or value the console would not take; limit is the longest number
// text the core reads (its tables' numberTextLimit), said when a text is longer.
export function fieldMessage(q, problem, limit) {
    if (problem === 4) return THOUSANDS_MESSAGE;
    if (q.kind === 'count') return 'Bitte eine ganze Zahl von ' + q.low + ' bis ' + q.high + ' eingeben.';
    if (problem === 2) return 'Die Zahl ist zu lang (höchstens ' + limit + ' Zeichen).';
    return 'Bitte eine endliche Zahl eingeben, z. B. 1500 oder 37,5.';
}

// Reads a field's text: {empty}, {value} or {error} with a German message. Only what a console user could
// have typed counts: printable ASCII, thousands dots, a decimal comma taken as a point in a demand.
export function readField(q, text, readDemand, limit) {
    text = (text || '').trim();
    if (text === '') return { empty: true };
    if (!PRINTABLE.test(text)) return { error: fieldMessage(q, 1) };
    if (DOT_BEFORE_THREE.test(text)) {
        var grouped = GROUPED.exec(text);
        if (!grouped || grouped[2] && q.kind === 'count') return { error: fieldMessage(q, 4) };
        text = grouped[1].replace(/\./g, '') + (grouped[2] ? '.' + grouped[2].slice(1) : '');
    }
    if (q.kind === 'count') {
        var value = Number(text);
        if (!WHOLE.test(text) || value < q.low || value > q.high) return { error: fieldMessage(q) };
        return { value: value };
    }
    if (text.indexOf(',') >= 0 && text.indexOf('.') < 0) text = text.replace(',', '.');
    var read = readDemand(text);
    return read.problem ? { error: fieldMessage(q, read.problem, limit) } : { value: read.value };
}

// What the plan entry takes: the options in the table's order, one value (or null) per question, and the
// messages of the fields that cannot be taken, by key.
export function planInput(tables, plan, readDemand) {
    var input = { options: [], values: [], errors: {} };
    tables.options.forEach(function (o) {
        input.options.push({ on: !!plan.options[o.name], answer: plan.answers[o.name] });
    });
    tables.questions.forEach(function (q) {
        var key = q.key;
        var text = plan.values[key];
        if (q.kind === 'letter') {
            input.values.push(text ? text.charCodeAt(0) : null);
            return;
        }
        var read = readField(q, text, readDemand, tables.numberTextLimit);
        if (read.error && isAsked(q, plan.options)) input.errors[key] = read.error;
        input.values.push(read.value === undefined ? null : read.value);
    });
    return input;
}
