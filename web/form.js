// The form, built from the core's tables: a switch per option (and per yes/no answer), the questions grouped as
// the dialogue groups them. read() only reads the plan from the form; render() shows what a run said about it.
// Takes from WV: keyOf, isAsked, fieldMessage; gives WV.element, WV.labelOf, WV.buildForm.
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

    function switchFor(id, name, note) {
        var input = element('input', { type: 'checkbox', role: 'switch', id: id });
        return element('label', { class: 'switch', for: id }, [
            input, element('span', { class: 'name', text: name }), note && element('span', { class: 'note', text: note })]);
    }

    function buildOptions(tables, container, parts) {
        var box = element('fieldset', { class: 'options' }, [element('legend', { text: 'Optionen' })]);
        tables.options.forEach(function (o) {
            var row = switchFor('o-' + o.name, o.spelling, o.help);
            parts.switches[o.name] = row.querySelector('input');
            box.appendChild(row);
            if (!o.question) return;
            var sub = switchFor('a-' + o.name, o.question.trim());
            sub.classList.add('answer');
            parts.answers[o.name] = sub.querySelector('input');
            box.appendChild(sub);
        });
        container.appendChild(box);
    }

    function numberField(tables, q, key) {
        var id = 'f-' + key.replace(/\W/g, '-');
        var input = element('input', {
            id: id, type: 'text', autocomplete: 'off', spellcheck: 'false',
            inputmode: q.kind === 'demand' ? 'decimal' : 'numeric', placeholder: '0',
            'aria-describedby': id + '-m', 'data-key': key
        });
        var message = element('span', { class: 'message', id: id + '-m' });
        var label = element('label', { for: id, text: WV.labelOf(q.prompt) });
        var box = element('div', { class: 'field', 'data-when': q.when || '' }, [label, input, message]);
        var field = { q: q, input: input, message: message, label: label, box: box };
        if (q.group === tables.manualGroup) {
            field.computed = element('span', { class: 'computed' });
            box.insertBefore(field.computed, message);
        }
        return field;
    }

    // The crystal race: one radio button per letter.
    function crystalRaceChoice(tables, q, key) {
        var box = element('div', { class: 'choice', role: 'radiogroup', 'aria-label': tables.groups[q.group] });
        var radios = tables.crystalRaces.map(function (c, i) {
            var id = 'f-' + key + '-' + c.letter;
            var radio = element('input', { type: 'radio', name: key, id: id, value: c.letter });
            radio.checked = i === 0;
            box.appendChild(element('label', { for: id, class: 'radio' },
                [radio, element('span', { text: c.letter + ' = ' + c.name })]));
            return radio;
        });
        return { q: q, box: box, radios: radios };
    }

    // The group's box, and within the Level 3 group one box per race.
    function boxFor(tables, q, container, parts) {
        if (q.group !== parts.lastGroup) {
            parts.groupBox = element('fieldset', { class: 'group', 'data-when': q.when || '' },
                [element('legend', { text: tables.groups[q.group].replace(/:$/, '') })]);
            container.appendChild(parts.groupBox);
            parts.lastGroup = q.group;
            parts.lastRace = -1;
        }
        if (q.group !== tables.level3Group) return parts.groupBox;
        if (q.index !== parts.lastRace) {
            parts.raceBox = element('div', { class: 'race', 'data-when': q.when || '', 'data-race': q.index },
                [element('h3', { text: tables.races[q.index].name })]);
            parts.groupBox.appendChild(parts.raceBox);
            parts.lastRace = q.index;
        }
        return parts.raceBox;
    }

    function buildQuestions(tables, container, parts) {
        tables.questions.forEach(function (q) {
            var key = WV.keyOf(tables, q);
            var box = boxFor(tables, q, container, parts);
            var field = q.kind === 'letter' ? crystalRaceChoice(tables, q, key) : numberField(tables, q, key);
            box.appendChild(field.box);
            parts.fields[key] = field;
        });
    }

    // Reads the plan from the form, changing nothing on the page.
    function read(parts) {
        var plan = { options: {}, answers: {}, values: {} };
        Object.keys(parts.switches).forEach(function (name) { plan.options[name] = parts.switches[name].checked; });
        Object.keys(parts.answers).forEach(function (name) {
            plan.answers[name] = parts.answers[name].checked ? 'j' : 'n';
        });
        Object.keys(parts.fields).forEach(function (key) {
            var f = parts.fields[key];
            if (!f.radios) {
                plan.values[key] = f.input.value;
                return;
            }
            var chosen = f.radios.filter(function (r) { return r.checked; })[0];
            plan.values[key] = chosen ? chosen.value : '';
        });
        return plan;
    }

    // Puts a plan into the form.
    function show(parts, plan) {
        Object.keys(parts.switches).forEach(function (name) { parts.switches[name].checked = !!plan.options[name]; });
        Object.keys(parts.answers).forEach(function (a) { parts.answers[a].checked = plan.answers[a] !== 'n'; });
        Object.keys(parts.fields).forEach(function (key) {
            var f = parts.fields[key];
            var value = plan.values[key] || '';
            if (!f.radios) f.input.value = value;
            else f.radios.forEach(function (r, i) { r.checked = value ? r.value === value : i === 0; });
        });
    }

    WV.buildForm = function (tables, container, onChange) {
        var parts = { switches: {}, answers: {}, fields: {}, lastGroup: -1, lastRace: -1 };
        buildOptions(tables, container, parts);
        buildQuestions(tables, container, parts);
        // text fields, switches and radio buttons all tell of a change by 'input'
        container.addEventListener('input', onChange);
        parts.whenBoxes = Array.prototype.slice.call(container.querySelectorAll('[data-when]'));
        return {
            read: function () { return read(parts); },
            show: function (plan) { show(parts, plan); },
            render: function (plan, state) { render(tables, parts, plan, state); },
            fields: parts.fields
        };
    };

    // What depends on the switches: hidden questions, the yes/no answers, the numbered extra races.
    function renderSwitches(tables, parts, plan) {
        Object.keys(parts.answers).forEach(function (name) {
            setIf(parts.answers[name].closest('.switch'), 'hidden', !plan.options[name]);
        });
        parts.whenBoxes.forEach(function (e) {
            setIf(e, 'hidden', !WV.isAsked({ when: e.getAttribute('data-when') }, plan.options));
        });
        var numbered = plan.options[tables.raceNames] && plan.answers[tables.raceNames] === 'n';
        Object.keys(parts.fields).forEach(function (key) {
            var f = parts.fields[key];
            if (f.label) setIf(f.label, 'textContent', WV.labelOf(numbered && f.q.numberedPrompt || f.q.prompt));
        });
        parts.whenBoxes.forEach(function (box) {
            if (!box.classList.contains('race')) return;
            var race = tables.races[Number(box.getAttribute('data-race'))];
            setIf(box.querySelector('h3'), 'textContent', numbered && race.numberedName || race.name);
        });
    }

    // Each field's message: the page's own check, a value the core refused, a shown value out of range; and
    // beside an -m field the value it shows.
    function render(tables, parts, plan, state) {
        renderSwitches(tables, parts, plan);
        tables.questions.forEach(function (q, i) {
            var f = parts.fields[WV.keyOf(tables, q)];
            if (!f.message) return;
            var asked = state.record.questions[i];
            var text = state.errors[q.key] || (asked.problem ? WV.fieldMessage(q) : '');
            if (!text && asked.refused) {
                text = 'Der berechnete Wert ' + asked.shown + ' liegt nicht zwischen ' + q.low + ' und ' + q.high
                    + '; gerechnet wird mit ' + asked.taken + '. Bitte einen Wert eingeben.';
            }
            setIf(f.message, 'textContent', text);
            setIf(f.input, 'ariaInvalid', text ? 'true' : 'false');
            if (!f.computed) return;
            var shown = asked.asked ? String(asked.shown) : '';
            setIf(f.computed, 'textContent', shown ? 'berechnet: ' + shown : '');
            setIf(f.input, 'placeholder', shown || '0');
        });
    }
})(window.WV);
