// What the page says beside the results: the fields whose text or value cannot be taken (each a link that leads to
// its field), what the address held that is no part of a plan, the run's messages that concern no result row, and
// the plan in brief for the printed page. Fields are named in the page's words.
import { element } from '../lib/dom.js';
import { isAsked, refusalOf } from '../plan/plan.js';
import { optionsInWords, refusalText, fieldName } from '../record/words.js';

// tables: the core's; form: the form, whose fields the links lead to; last(): the last run's record.
export function problemsView(tables, form, last) {
    // A list of texts and {key, text}: the field's name as a link that leads to it, then the text.
    function listOf(items) {
        return element('ul', {}, items.map(function (item) {
            if (typeof item === 'string') return element('li', { text: item });
            return element('li', {}, [element('a', {
                href: '#' + form.fields[item.key].input.id, 'data-key': item.key, text: fieldName(tables, item.key, last())
            }), document.createTextNode(': ' + item.text)]);
        }));
    }

    // The address after '#' holds the plan, so a link to a field focuses it instead of being followed.
    function followLink(event) {
        var link = event.target.closest('a[data-key]');
        if (!link) return;
        event.preventDefault();
        var input = form.fields[link.getAttribute('data-key')].input;
        input.focus();
        input.select();
    }

    // Above the results: the fields whose text or value cannot be taken, what the address held that is no part
    // of a plan, and the run's messages that concern no result row.
    // extra: what else to list (what the address held).
    function showProblems(box, plan, input, record, extra) {
        var items = [];
        tables.questions.forEach(function (q, i) {
            var refusal = refusalOf(input, record, i);
            var text = refusal && '„' + plan.values[q.key] + '“ – ' + refusalText(q, refusal, tables.numberTextLimit);
            if (text) items.push({ key: q.key, text: text });
            else if (record.questions[i].refused) items.push({ key: q.key, text: 'Der berechnete Wert liegt nicht im Bereich.' });
        });
        record.messages.forEach(function (m) { if (m.about !== 'row') items.push(m.text); });
        items = items.concat(extra);
        var key = JSON.stringify(items);
        if (box.wvKey === key) return;
        box.wvKey = key;
        box.textContent = '';
        box.hidden = !items.length;
        if (!items.length) return;
        box.appendChild(element('p', { text: 'Nicht alles kann so genommen werden; die Ergebnisse gelten für den '
            + 'Rest des Plans:' }));
        box.appendChild(listOf(items));
    }

    // The plan in brief for the printed page: the options, and every field that holds something.
    function showPlanInBrief(plan, record) {
        var parts = optionsInWords(tables, plan.options, plan.answers);
        tables.questions.forEach(function (q) {
            var text = plan.values[q.key];
            if (q.kind === 'letter' || !text || !isAsked(q, plan.options)) return;
            parts.push(fieldName(tables, q.key, record) + ': ' + text);
        });
        var race = tables.crystalRaces.filter(function (c) { return c.letter === plan.values.crystalRace; })[0];
        parts.push('Kristallfabriken: ' + (race || tables.crystalRaces[0]).name);
        return 'Plan: ' + parts.join(' · ');
    }


    return { listOf: listOf, followLink: followLink, show: showProblems, planInBrief: showPlanInBrief };
}
