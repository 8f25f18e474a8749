// A plan: the options, the two yes/no answers and the text of every field (its address, file, code and storage are
// the other modules of this room). Here the text of a field is made ready for its one crossing into the core.
//
// Who reads what, said once: the page reads the German number format (a thousands dot before three digits, a
// decimal comma) and takes only what a console user could type (printable ASCII); the core reads what is left by
// its question's answer rule (a count in decimal within the question's range, a demand by the console's "%f",
// finite and at most as long as its tables' numberTextLimit, a letter of the crystal races) and names in the
// run's record why it refused a text.

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

var PRINTABLE = /^[\x20-\x7e]*$/;
// A German writes a thousands dot: a dot before three digits is one ("1.500", "1.500,5", "-12.345.678"), and where
// it cannot be one ("0.500", "1.500.5") the text is refused rather than read with a decimal point.
var DOT_BEFORE_THREE = /\.[0-9]{3}(?![0-9])/;
var GROUPED = /^([+-]?[1-9][0-9]{0,2}(?:\.[0-9]{3})+)(,[0-9]*)?$/;

// A field's text in the German number format made into the text the core reads: {empty}, {text}, or {refused}
// with the page's reason ('unreadable' beyond printable ASCII, 'thousands' for a dot that cannot be a thousands
// dot or decimals after thousands dots in a whole number).
export function germanNumber(text, whole) {
    text = (text || '').trim();
    if (text === '') return { empty: true };
    if (!PRINTABLE.test(text)) return { refused: 'unreadable' };
    if (DOT_BEFORE_THREE.test(text)) {
        var grouped = GROUPED.exec(text);
        if (!grouped || grouped[2] && whole) return { refused: 'thousands' };
        text = grouped[1].replace(/\./g, '') + (grouped[2] ? '.' + grouped[2].slice(1) : '');
    }
    if (text.indexOf(',') >= 0 && text.indexOf('.') < 0) text = text.replace(',', '.');
    return { text: text };
}

// What the plan entry takes: the options in the table's order, one text (or null) per question, and per question
// the page's reason to refuse its text, where the plan asks it.
export function planInput(tables, plan) {
    var input = { options: [], fields: [], refused: [] };
    tables.options.forEach(function (o) {
        input.options.push({ on: !!plan.options[o.name], answer: plan.answers[o.name] });
    });
    tables.questions.forEach(function (q) {
        var read = germanNumber(plan.values[q.key], q.kind === 'count');
        input.fields.push(read.text === undefined ? null : read.text);
        input.refused.push(read.refused && isAsked(q, plan.options) ? read.refused : '');
    });
    return input;
}

// Why the field of question i was not taken in the run of input: the page's reason or the core's; '' if taken.
export function refusalOf(input, record, i) {
    return input.refused[i] || record.questions[i].problem || '';
}

export function copyOf(plan) { return JSON.parse(JSON.stringify(plan)); }

// Whether a part of a plan (an option, answer or field) differs between two plans; empty and missing are alike.
function differs(before, after, part, k) {
    return (after[part][k] || '') !== (before[part][k] || '');
}

// A step of undo or redo with what another tab changed (from before to after) carried into it, so that stepping
// there takes back only this tab's own changes.
export function carriedInto(step, before, after) {
    var carried = copyOf(step);
    ['options', 'answers', 'values'].forEach(function (part) {
        Object.keys(Object.assign({}, before[part], after[part])).forEach(function (k) {
            if (differs(before, after, part, k)) carried[part][k] = after[part][k];
        });
    });
    return carried;
}

// The one text field a change typed into, or null for any other change.
export function typedInto(before, after) {
    var keys = Object.keys(after.values).filter(function (k) { return differs(before, after, 'values', k); });
    var others = ['options', 'answers'].some(function (part) {
        return Object.keys(after[part]).some(function (k) { return differs(before, after, part, k); });
    });
    return !others && keys.length === 1 && keys[0] !== 'crystalRace' ? keys[0] : null;
}
