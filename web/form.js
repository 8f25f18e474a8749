// The form, built from the core's tables: a switch per option (and per yes/no answer), the
// questions grouped as the dialogue groups them, each field checked as it is typed.
(function (WV) {
    'use strict';

    function element(tag, attributes, children) {
        var e = document.createElement(tag);
        Object.keys(attributes || {}).forEach(function (name) {
            if (name === 'text') e.textContent = attributes[name];
            else e.setAttribute(name, attributes[name]);
        });
        (children || []).forEach(function (c) { if (c) e.appendChild(c); });
        return e;
    }
    WV.element = element;

    // A prompt as a label: its last line, without the closing colon and doubled blanks.
    WV.labelOf = function (prompt) {
        var lines = prompt.split('\n');
        return lines[lines.length - 1].trim().replace(/\s+/g, ' ').replace(/:$/, '');
    };

    // Changes a property only when its value changes, so that an unchanged page costs nothing.
    function setIf(e, property, value) {
        if (e[property] !== value) e[property] = value;
    }

    function titleOf(text) {
        return text.replace(/:$/, '');
    }

    function switchFor(id, name, note) {
        var input = element('input', { type: 'checkbox', role: 'switch', id: id });
        return element('label', { class: 'switch', for: id }, [
            input, element('span', { class: 'name', text: name }), note && element('span', { class: 'note', text: note })]);
    }

    // Builds the form into container; onChange is called after every change by the user.
    WV.buildForm = function (tables, container, onChange) {
        var fields = {};     // key -> {q, input, message, box}
        var switches = {};   // option name -> its switch
        var answers = {};    // option name -> the switch of its yes/no answer
        var manualNotes = {};

        var optionBox = element('fieldset', { class: 'options' }, [element('legend', { text: 'Optionen' })]);
        tables.options.forEach(function (o) {
            var row = switchFor('o-' + o.name, o.spelling, o.help);
            switches[o.name] = row.querySelector('input');
            optionBox.appendChild(row);
            if (o.question) {
                var sub = switchFor('a-' + o.name, o.question.trim());
                sub.classList.add('answer');
                answers[o.name] = sub.querySelector('input');
                optionBox.appendChild(sub);
            }
        });
        container.appendChild(optionBox);

        var groupBox = null;
        var raceBox = null;
        var lastGroup = -1;
        var lastRace = -1;
        tables.questions.forEach(function (q) {
            var key = WV.keyOf(tables, q);
            if (q.group !== lastGroup) {
                groupBox = element('fieldset', { class: 'group', 'data-when': q.when || '' },
                    [element('legend', { text: titleOf(tables.groups[q.group]) })]);
                container.appendChild(groupBox);
                lastGroup = q.group;
                lastRace = -1;
            }
            var box = groupBox;
            if (q.group === tables.level3Group) {
                if (q.index !== lastRace) {
                    raceBox = element('div', { class: 'race', 'data-when': q.when || '', 'data-race': q.index },
                        [element('h3', { text: tables.races[q.index].name })]);
                    groupBox.appendChild(raceBox);
                    lastRace = q.index;
                }
                box = raceBox;
            }
            if (q.kind === 'letter') {
                box.appendChild(crystalRaceChoice(tables, q, key, fields));
                return;
            }
            var id = 'f-' + key.replace(/\W/g, '-');
            var input = element('input', {
                id: id, type: 'text', autocomplete: 'off', spellcheck: 'false',
                inputmode: q.kind === 'demand' ? 'decimal' : 'numeric', placeholder: '0',
                'aria-describedby': id + '-m', 'data-key': key
            });
            var message = element('span', { class: 'message', id: id + '-m', 'aria-live': 'polite' });
            var label = element('label', { for: id, text: WV.labelOf(q.prompt) });
            var field = element('div', { class: 'field', 'data-when': q.when || '' }, [label, input, message]);
            if (q.group === tables.manualGroup) {
                manualNotes[key] = element('span', { class: 'computed' });
                field.insertBefore(manualNotes[key], message);
            }
            box.appendChild(field);
            fields[key] = { q: q, input: input, message: message, label: label, box: field };
        });

        // text fields, switches and radio buttons all tell of a change by 'input'
        container.addEventListener('input', onChange);
        var whenBoxes = Array.prototype.slice.call(container.querySelectorAll('[data-when]'));

        return {
            // Puts a plan into the form.
            show: function (plan) {
                Object.keys(switches).forEach(function (name) { switches[name].checked = !!plan.options[name]; });
                Object.keys(answers).forEach(function (a) { answers[a].checked = plan.answers[a] === 'j'; });
                Object.keys(fields).forEach(function (key) {
                    var f = fields[key];
                    if (f.q.kind === 'letter') f.setLetter(plan.values[key]);
                    else f.input.value = plan.values[key] || '';
                });
            },
            // Reads the plan from the form and shows what depends on the switches.
            read: function () {
                var plan = { options: {}, answers: {}, values: {} };
                Object.keys(switches).forEach(function (name) { plan.options[name] = switches[name].checked; });
                Object.keys(answers).forEach(function (name) {
                    plan.answers[name] = answers[name].checked ? 'j' : 'n';
                    answers[name].closest('.switch').hidden = !plan.options[name];
                });
                whenBoxes.forEach(function (e) {
                    setIf(e, 'hidden', !WV.isAsked({ when: e.getAttribute('data-when') }, plan.options));
                });
                // the extra races answered 'n' are numbered
                var numbered = tables.options.some(function (o) {
                    return o.numbersRaces && plan.options[o.name] && plan.answers[o.name] === 'n';
                });
                Object.keys(fields).forEach(function (key) {
                    var f = fields[key];
                    if (f.q.kind === 'letter') {
                        plan.values[key] = f.letter();
                        return;
                    }
                    plan.values[key] = f.input.value;
                    setIf(f.label, 'textContent', WV.labelOf(numbered && f.q.numberedPrompt ? f.q.numberedPrompt : f.q.prompt));
                });
                container.querySelectorAll('.race').forEach(function (box) {
                    var race = tables.races[Number(box.getAttribute('data-race'))];
                    setIf(box.querySelector('h3'), 'textContent', numbered && race.numberedName ? race.numberedName : race.name);
                });
                return plan;
            },
            // Checks every asked field; shows the messages; returns the typed texts or null.
            check: function (plan, checkDemand) {
                var typed = {};
                var ok = true;
                Object.keys(fields).forEach(function (key) {
                    var f = fields[key];
                    if (f.q.kind === 'letter') {
                        typed[key] = plan.values[key];
                        return;
                    }
                    var result = WV.checkField(f.q, plan.values[key], checkDemand);
                    var asked = WV.isAsked(f.q, plan.options);
                    var bad = asked && !!result.error;
                    setIf(f.message, 'textContent', bad ? result.error : '');
                    setIf(f.input, 'ariaInvalid', bad ? 'true' : 'false');
                    if (bad) ok = false;
                    typed[key] = result.text;
                });
                return ok ? typed : null;
            },
            // Shows the computed values of the -m questions beside their fields.
            showComputed: function (shown) {
                Object.keys(manualNotes).forEach(function (key) {
                    var text = shown[key] === undefined ? '' : shown[key];
                    setIf(manualNotes[key], 'textContent', 'berechnet: ' + text);
                    setIf(fields[key].input, 'placeholder', String(text));
                });
            },
            fields: fields
        };
    };

    // The crystal race: one radio button per letter.
    function crystalRaceChoice(tables, q, key, fields) {
        var box = element('div', { class: 'choice', role: 'radiogroup', 'aria-label': titleOf(tables.groups[q.group]) });
        var radios = tables.crystalRaces.map(function (c) {
            var id = 'f-' + key + '-' + c.letter;
            var radio = element('input', { type: 'radio', name: key, id: id, value: c.letter });
            box.appendChild(element('label', { for: id, class: 'radio' },
                [radio, element('span', { text: c.letter + ' = ' + c.name })]));
            return radio;
        });
        fields[key] = {
            q: q,
            box: box,
            setLetter: function (letter) {
                radios.forEach(function (r, i) { r.checked = letter ? r.value === letter : i === 0; });
                if (!radios.some(function (r) { return r.checked; })) radios[0].checked = true;
            },
            letter: function () {
                var chosen = radios.filter(function (r) { return r.checked; })[0];
                return chosen ? chosen.value : radios[0].value;
            }
        };
        return box;
    }
})(window.WV);
