// A plan: the options, the two yes/no answers and the text of every field. Here a field's text is checked once
// and turned into the value the core takes (the plan's address and storage are web/store.js's).
// Takes from WV: nothing; gives WV.keyOf, WV.isAsked, WV.emptyPlan, WV.readField, WV.planInput.
(function (WV) {
    'use strict';

    // The key of a question in the plan and the page address: its code, and the race's letter where several
    // questions share a code.
    WV.keyOf = function (tables, q) {
        if (!q.key) {
            var shared = tables.questions.filter(function (o) { return o.code === q.code; }).length > 1;
            q.key = shared ? q.code + '.' + tables.races[q.index].code : q.code;
        }
        return q.key;
    };

    // A question is asked always or with the option its 'when' names.
    WV.isAsked = function (q, options) {
        return !q.when || !!options[q.when];
    };

    // Options are named by their spelling without the dash; an option with a yes/no question keeps its answer
    // under the same name.
    WV.emptyPlan = function (tables) {
        var plan = { options: {}, answers: {}, values: {} };
        tables.options.forEach(function (o) {
            plan.options[o.name] = false;
            if (o.question) plan.answers[o.name] = 'j';
        });
        tables.questions.forEach(function (q) {
            if (q.kind === 'letter') plan.values[WV.keyOf(tables, q)] = tables.crystalRaces[0].letter;
        });
        return plan;
    };

    var WHOLE = /^[+-]?[0-9]+$/;
    var PRINTABLE = /^[\x20-\x7e]*$/;

    // The German message for a field whose text or value the console would not take.
    WV.fieldMessage = function (q, problem) {
        if (q.kind === 'count') return 'Bitte eine ganze Zahl von ' + q.low + ' bis ' + q.high + ' eingeben.';
        if (problem === 2) return 'Die Zahl ist zu lang (höchstens ' + WV.numberTextLimit + ' Zeichen).';
        return 'Bitte eine endliche Zahl eingeben, z. B. 1500 oder 37,5.';
    };

    // Reads a field's text: {empty}, {value} or {error} with a German message. Only what a console user could
    // have typed counts: printable ASCII, a decimal comma taken as a point in a demand.
    WV.readField = function (q, text, readDemand) {
        text = (text || '').trim();
        if (text === '') return { empty: true };
        if (!PRINTABLE.test(text)) return { error: WV.fieldMessage(q, 1) };
        if (q.kind === 'count') {
            var value = Number(text);
            if (!WHOLE.test(text) || value < q.low || value > q.high) return { error: WV.fieldMessage(q) };
            return { value: value };
        }
        if (text.indexOf(',') >= 0 && text.indexOf('.') < 0) text = text.replace(',', '.');
        var read = readDemand(text);
        return read.problem ? { error: WV.fieldMessage(q, read.problem) } : { value: read.value };
    };

    // What the plan entry takes: the options in the table's order, one value (or null) per question, and the
    // messages of the fields that cannot be taken, by key.
    WV.planInput = function (tables, plan, readDemand) {
        var input = { options: [], values: [], errors: {} };
        tables.options.forEach(function (o) {
            input.options.push({ on: !!plan.options[o.name], answer: plan.answers[o.name] });
        });
        tables.questions.forEach(function (q) {
            var key = WV.keyOf(tables, q);
            var text = plan.values[key];
            if (q.kind === 'letter') {
                input.values.push(text ? text.charCodeAt(0) : null);
                return;
            }
            var read = WV.readField(q, text, readDemand);
            if (read.error && WV.isAsked(q, plan.options)) input.errors[key] = read.error;
            input.values.push(read.value === undefined ? null : read.value);
        });
        return input;
    };
})(typeof globalThis.WV === 'object' ? globalThis.WV : (globalThis.WV = {}));
