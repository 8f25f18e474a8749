// The form, written into the page when it was built (web/build/frame.js): a switch per option and per yes/no answer,
// the questions in grids and lists. Here it is bound: read() reads the plan from it, show() puts a plan into it,
// render() shows what a run said about each field.
import { element, setIf } from '../lib/dom.js';
import { number } from '../lib/format.js';
import { isAsked, refusalOf } from '../plan/plan.js';
import { refusalText, fieldName, raceName } from '../record/words.js';

// A text field gets its keypad, placeholder and length (the longest number the core reads) here and, in a grid,
// is named by the headings of its row and column.
function prepare(q, input, limit) {
    input.inputMode = q.kind === 'demand' ? 'decimal' : 'numeric';
    input.placeholder = '0';
    input.maxLength = limit;
    var cell = input.parentNode;
    if (cell.tagName !== 'TD') return;
    var row = cell.parentNode;
    var column = row.closest('table').tHead.rows[0].cells[cell.cellIndex];
    input.setAttribute('aria-labelledby', row.cells[0].id + ' ' + column.id);
}

// How to write a demand, said once in its box: a thousands dot, a decimal comma.
function numberRule(list) {
    var rule = document.getElementById('number-rule');
    if (!rule) {
        rule = element('p', { id: 'number-rule', class: 'hint', text: 'Zahlen wie 1.500 oder 1500,5: Punkt für '
            + 'Tausender, Komma für Dezimalstellen.' });
        list.parentNode.insertBefore(rule, list);
    }
    return rule.id;
}

// The fields of the page by key: a text field with its box's message list, or the radio buttons of a letter.
function bind(tables, container) {
    var parts = { switches: {}, answers: {}, fields: {} };
    tables.options.forEach(function (o) {
        parts.switches[o.name] = document.getElementById('o-' + o.name);
        if (o.question) parts.answers[o.name] = document.getElementById('a-' + o.name);
    });
    tables.questions.forEach(function (q) {
        var key = q.key;
        if (q.kind === 'letter') {
            parts.fields[key] = { q: q, radios: [].slice.call(container.querySelectorAll('[name="' + key + '"]')) };
            return;
        }
        var input = document.getElementById('f-' + key.replace(/\W/g, '-'));
        prepare(q, input, tables.numberTextLimit);
        parts.fields[key] = { q: q, input: input, computed: document.getElementById(input.id + '-c'),
            list: input.closest('fieldset').querySelector('.messages') };
        if (q.kind === 'demand') parts.fields[key].rule = numberRule(parts.fields[key].list);
    });
    parts.whenBoxes = [].slice.call(container.querySelectorAll('[data-when]'));
    parts.raceHeads = tables.races.map(function (r) { return document.getElementById('r-' + r.code); });
    return parts;
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
        if (!f.radios) {
            f.input.value = value;
            return;
        }
        // a letter none of the radios has shows the first, which the plan then takes
        var known = f.radios.some(function (r) { return r.value === value; });
        f.radios.forEach(function (r, i) { r.checked = known ? r.value === value : i === 0; });
    });
}

export function buildForm(tables, container, onChange) {
    var parts = bind(tables, container);
    // text fields, switches and radio buttons all tell of a change by 'input'
    container.addEventListener('input', onChange);
    return {
        read: function () { return read(parts); },
        show: function (plan) { show(parts, plan); },
        render: function (plan, state) { render(tables, parts, plan, state); },
        fields: parts.fields
    };
}

// What depends on the switches: hidden questions and answers, the extra races as the run names them.
function renderSwitches(tables, parts, plan, record) {
    parts.whenBoxes.forEach(function (e) {
        setIf(e, 'hidden', !isAsked({ when: e.getAttribute('data-when') }, plan.options));
    });
    parts.raceHeads.forEach(function (head, r) {
        setIf(head, 'textContent', raceName(tables, tables.races[r].code, record));
    });
}

// The message of one field, in its box's list (with the field's name, as the list may hold several); the
// field is described by its message and, with -m, by the value it shows.
function say(f, text, name) {
    if (text && !f.message) {
        f.message = element('p', { id: f.input.id + '-m' });
        f.list.appendChild(f.message);
    }
    if (f.message) {
        setIf(f.message, 'textContent', text ? name + ': ' + text : '');
        setIf(f.message, 'hidden', !text);
    }
    setIf(f.input, 'ariaInvalid', text ? 'true' : 'false');
    var ids = [f.computed && f.computed.textContent && f.computed.id, f.rule, text && f.message.id];
    ids = ids.filter(Boolean).join(' ');
    if ((f.input.getAttribute('aria-describedby') || '') !== ids) f.input.setAttribute('aria-describedby', ids);
}

// Each field's message: why its text was not taken, a shown value out of range; and
// beside an -m field the value it shows.
function render(tables, parts, plan, state) {
    renderSwitches(tables, parts, plan, state.record);
    tables.questions.forEach(function (q, i) {
        var f = parts.fields[q.key];
        if (f.radios) return;
        var asked = state.record.questions[i];
        var refusal = refusalOf(state.input, state.record, i);
        var text = refusal ? refusalText(q, refusal, tables.numberTextLimit) : '';
        var shown = asked.asked ? number(asked.shown + 0) : '';   // as the fields read it; a -0 shown is 0
        if (!text && asked.refused) {
            text = 'Der berechnete Wert ' + shown + ' liegt nicht zwischen ' + q.low + ' und ' + q.high
                + '; gerechnet wird mit ' + asked.taken + '. Bitte einen Wert eingeben.';
        }
        if (f.computed) {
            setIf(f.computed, 'textContent', shown ? 'berechnet: ' + shown : '');
            setIf(f.input, 'placeholder', shown || '0');
        }
        say(f, text, text && fieldName(tables, q.key, state.record));
    });
}
