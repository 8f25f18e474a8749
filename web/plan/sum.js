// Several plans as one complex: the plan that sells what all of them sell, made by adding up each field the core
// took of them, or why they cannot be added up. Plans are added up only where their fields mean the same: the same
// options and answers, the same crystal race, no demand typed by hand (-m), every field read, every sum within the
// range the core takes. Pure: the plans come with their runs.
import { emptyPlan, refusalOf } from './plan.js';
import { OPTION_NAMES, ANSWER_NAMES, fieldName } from '../record/words.js';
import { number } from '../lib/format.js';

// What keeps one plan from being added to the first: its options, answers and crystal race.
function unlike(tables, plan, first) {
    var said = [];
    tables.options.forEach(function (o) {
        var on = !!plan.options[o.name];
        if (on !== !!first.options[o.name]) said.push('„' + OPTION_NAMES[o.name] + '“ ' + (on ? 'an' : 'aus'));
        else if (on && o.question && plan.answers[o.name] !== first.answers[o.name]) {
            said.push('„' + ANSWER_NAMES[o.name] + '“ ' + (plan.answers[o.name] === 'n' ? 'nein' : 'ja'));
        }
    });
    var race = function (p) { return tables.crystalRaces.filter(function (c) { return c.letter === p.values.crystalRace; })[0]; };
    if (race(plan) !== race(first)) said.push('Kristallfabriken von ' + (race(plan) || {}).name);
    return said;
}

// What keeps a plan from being added up at all: demands typed by hand, fields the run did not take.
function unreadable(tables, p) {
    var said = [];
    if (p.plan.options.m) said.push('Bedarf und SKWs sind von Hand eingegeben („' + OPTION_NAMES.m + '“)');
    tables.questions.forEach(function (q, i) {
        if (p.record.questions[i].asked && refusalOf(p.input, p.record, i)) {
            said.push('das Feld „' + fieldName(tables, q.key, p.record) + '“ ist nicht lesbar');
        }
    });
    return said;
}

// plans: [{ name, plan, input, record }], the input each run took and its record. Gives { plan } summed, or
// { problems: [{ name, why }] }: each plan that cannot be added up with why, and sums beyond the core's range.
export function sumPlans(tables, plans) {
    var first = plans[0].plan, problems = [];
    plans.forEach(function (p, n) {
        var why = unreadable(tables, p);
        if (n) why = unlike(tables, p.plan, first).map(function (w) { return 'anders als „' + plans[0].name + '“: ' + w; })
            .concat(why);
        if (why.length) problems.push({ name: p.name, why: why.join('; ') });
    });
    if (problems.length) return { problems: problems };
    var sum = emptyPlan(tables);
    sum.options = Object.assign({}, first.options);
    sum.answers = Object.assign({}, first.answers);
    sum.values.crystalRace = first.values.crystalRace;
    tables.questions.forEach(function (q, i) {
        if (q.kind !== 'count' || !plans[0].record.questions[i].asked) return;
        var total = 0, typed = false;
        plans.forEach(function (p) {
            total += p.record.questions[i].taken;
            typed = typed || String(p.plan.values[q.key] || '').trim() !== '';
        });
        if (total < q.low || total > q.high) {
            problems.push({ name: 'Zusammen', why: '„' + fieldName(tables, q.key, plans[0].record) + '“ wäre ' + number(total)
                + ', die Rechnung nimmt ' + number(q.low) + ' bis ' + number(q.high) });
        }
        if (typed) sum.values[q.key] = String(total);
    });
    return problems.length ? { problems: problems } : { plan: sum };
}
