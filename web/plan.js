// A plan: the options, the two yes/no answers and the text of every field. Here it is checked,
// turned into the console program's arguments and standard input, and kept in the page address.
(function (WV) {
    'use strict';

    // The key of a question in the plan and the page address: its code, and the race's letter
    // where several questions share a code.
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

    // Options are named by their spelling without the dash; an option with a yes/no question
    // keeps its answer under the same name.
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

    var WHOLE = /^\s*[+-]?[0-9]+\s*$/;

    // Checks a field's text. Returns {text} with what the page types for it ('' for an empty
    // field), or {error} with a German message.
    WV.checkField = function (q, text, checkDemand) {
        text = (text || '').trim();
        if (q.kind === 'letter') return { text: text };
        if (text === '') return { text: '' };
        if (q.kind === 'demand') {
            if (text.length > WV.numberTextLimit || !checkDemand(text)) {
                return { error: 'Bitte eine endliche Zahl eingeben, z.B. 1500 oder 37.5 (höchstens '
                    + WV.numberTextLimit + ' Zeichen).' };
            }
            return { text: text };
        }
        var range = 'Bitte eine ganze Zahl von ' + q.low + ' bis ' + q.high + ' eingeben.';
        if (!WHOLE.test(text)) return { error: range };
        var value = Number(text);
        if (value < q.low || value > q.high) return { error: range };
        return { text: String(value) };  // no leading zeros: 010 would be read as octal
    };

    // The arguments: the options in the order of the table.
    WV.argsOf = function (tables, plan) {
        return tables.options.filter(function (o) { return plan.options[o.name]; })
            .map(function (o) { return o.spelling; });
    };

    // Standard input as a console user types it: the yes/no answers, then one line per asked
    // question, then the Enter that ends the program. typed(q) gives the text for a question.
    WV.inputOf = function (tables, plan, typed) {
        var lines = [];
        tables.options.forEach(function (o) {
            if (plan.options[o.name] && o.question) lines.push(plan.answers[o.name]);
        });
        tables.questions.forEach(function (q) {
            if (WV.isAsked(q, plan.options)) lines.push(typed(q));
        });
        return lines.join('\n') + '\n\n';
    };

    // The page address after '#': the options by name (with the yes/no answer where
    // there is one), then the fields that are not empty.
    WV.hashOf = function (tables, plan) {
        var parts = [];
        tables.options.forEach(function (o) {
            if (plan.options[o.name]) parts.push(o.question ? o.name + '=' + plan.answers[o.name] : o.name);
        });
        tables.questions.forEach(function (q) {
            var key = WV.keyOf(tables, q);
            var text = plan.values[key];
            if (text) parts.push(encodeURIComponent(key) + '=' + encodeURIComponent(text));
        });
        return parts.join('&');
    };

    // A mangled address gives what could be read of it.
    function decoded(text) {
        try {
            return decodeURIComponent(text);
        } catch (e) {
            return '';
        }
    }

    WV.planOfHash = function (tables, hash) {
        var plan = WV.emptyPlan(tables);
        var byName = {};
        tables.options.forEach(function (o) { byName[o.name] = o; });
        var keys = {};
        tables.questions.forEach(function (q) { keys[WV.keyOf(tables, q)] = true; });
        hash.replace(/^#/, '').split('&').forEach(function (part) {
            if (!part) return;
            var at = part.indexOf('=');
            var name = decoded(at < 0 ? part : part.slice(0, at));
            var value = at < 0 ? '' : decoded(part.slice(at + 1));
            var option = byName[name];
            if (option) {
                plan.options[name] = true;
                if (option.question && /^[jn]$/.test(value)) plan.answers[name] = value;
            } else if (keys[name]) {
                plan.values[name] = value;
            }
        });
        return plan;
    };
})(typeof globalThis.WV === 'object' ? globalThis.WV : (globalThis.WV = {}));
