// The tab "Zusammen": two or more stored plans as one complex. What they need as separate complexes beside what one
// complex selling all of it needs (the summed plan run by the core), the difference per line and in total; plans that
// cannot be added up named with the reason; the summed plan kept as a new plan.
import { element, byId } from '../lib/dom.js';
import { number } from '../lib/format.js';
import { planInput } from '../plan/plan.js';
import { sumPlans } from '../plan/sum.js';
import { togetherOf, savingSentence } from '../record/together.js';
import { FIGURE, CAPTION, SIZES, sizeColumn, energyText } from '../record/words.js';
import { headOf } from './results.js';

var tables = null;
var runner = null;
var stored = null;   // plan(id): a stored plan; add(plan, name): a new plan
var picked = null;   // the ids of the plans picked by the player; null until the player picks
var shown = [];      // the plans listed now
var current = null;

// A plan with what its run took and its record.
function runOf(entry) {
    var input = planInput(tables, entry.plan);
    return { name: entry.name, plan: entry.plan, input: input, record: runner.recordOf(input) };
}

// The plans picked: the player's, or the current plan and the one after it.
function pickedIds() {
    if (picked) return picked.filter(function (id) { return shown.some(function (e) { return e.id === id; }); });
    var others = shown.filter(function (e) { return e.id !== current.id; });
    return [current.id].concat(others.length ? [others[0].id] : []);
}

function fillPicks(plans, now) {
    shown = plans;
    current = now;
    var box = byId('together-picks'), ids = pickedIds();
    box.textContent = '';
    plans.forEach(function (e) {
        var check = element('input', { type: 'checkbox', value: e.id });
        check.checked = ids.indexOf(e.id) >= 0;
        box.appendChild(element('label', {}, [check, document.createTextNode(' ' + e.name)]));
    });
}

// A line's figure as the tables name it: a size's column, a mine's level (none for the -es capacity).
function figureOf(column) {
    return SIZES.indexOf(column) >= 0 ? sizeColumn(column) : column === 'EZ' ? '' : column;
}

function unit(column) {
    return column === FIGURE.surplus || column === 'EZ' ? ' EZ' : '';
}

function amount(column, n) {
    return column === FIGURE.surplus ? energyText(n) : number(n) + unit(column);
}

function table(caption, lines) {
    var heads = ['', 'Getrennt', 'Gemeinsam', 'Unterschied'].map(function (h, i) {
        return element(i ? 'th' : 'td', i ? { scope: 'col', class: 'num', text: h } : {});
    });
    return element('table', { class: 'results together' }, [element('caption', { text: caption }),
        element('thead', {}, [element('tr', {}, heads)]), element('tbody', {}, lines.map(function (l) {
            var d = l.together - l.apart;
            return element('tr', { class: d ? 'differs' : '' }, [headOf(l.name, l.figure ? [element('small', { text: l.figure })] : []),
                element('td', { class: 'num', text: amount(l.column, l.apart) }),
                element('td', { class: 'num', text: amount(l.column, l.together) }),
                element('td', { class: d ? 'num diff' : 'num', text: (d > 0 ? '+' : '') + number(d) + unit(l.column) })]);
        }))]);
}

// The totals (factories, EZ surplus, sales), then the lines to build and the mines, each apart and together.
function tablesOf(t) {
    var a = t.totals.apart, b = t.totals.together;
    var totals = [{ name: 'Fabriken zu bauen', column: '', apart: a.factories, together: b.factories },
        { name: FIGURE.surplus, column: FIGURE.surplus, apart: a.surplus, together: b.surplus }];
    Object.keys(Object.assign({}, a.sales, b.sales)).forEach(function (k) {
        totals.push({ name: a.saleNames[k] + ' pro Stunde', column: FIGURE.perHour, apart: a.sales[k] || 0, together: b.sales[k] || 0 });
    });
    var groups = [[CAPTION.build, SIZES.concat(['EZ'])], [CAPTION.mines, FIGURE.levels]];
    return [table('Summen', totals)].concat(groups.map(function (g) {
        var lines = t.lines.filter(function (l) { return g[1].indexOf(l.column) >= 0 && (l.apart || l.together); });
        lines.forEach(function (l) { l.figure = figureOf(l.column); });
        return lines.length ? table(g[0], lines) : null;
    }));
}

function showTogether() {
    var area = byId('together');
    var entries = pickedIds().map(stored.plan).filter(Boolean);
    area.textContent = '';
    if (entries.length < 2) return area.appendChild(element('p', { class: 'hint', text: 'Zwei oder mehr Pläne wählen.' }));
    var plans = entries.map(runOf);
    var sum = sumPlans(tables, plans);
    if (sum.problems) {
        return area.appendChild(element('div', { class: 'cannot' }, [element('p', { text: 'Diese Pläne lassen sich '
            + 'nicht zusammenrechnen:' }), element('ul', {}, sum.problems.map(function (p) {
            return element('li', { text: '„' + p.name + '“: ' + p.why + '.' });
        }))]));
    }
    var t = togetherOf(plans.map(function (p) { return p.record; }), runner.recordOf(planInput(tables, sum.plan)));
    var keep = element('button', { type: 'button', text: 'Als neuen Plan speichern' });
    var name = 'Zusammen: ' + entries.map(function (e) { return e.name; }).join(' + ');
    keep.addEventListener('click', function () { stored.add(sum.plan, name); });
    [element('p', { class: 'saving', text: savingSentence(t.totals) }), element('p', { class: 'hint', text: 'Getrennt: '
        + 'jeder Plan als eigener Komplex, die Listen zusammengezählt. Gemeinsam: ein Komplex, der alles verkauft.' })]
        .concat(tablesOf(t), [element('p', {}, [keep])]).forEach(function (e) { if (e) area.appendChild(e); });
}

export const togetherTab = {
    // redraw(): the sum drawn as the views draw it, failing in its own place
    start: function (given, run, plans, redraw) {
        [tables, runner, stored] = [given, run, plans];
        byId('together-picks').addEventListener('change', function () {
            picked = Array.prototype.map.call(byId('together-picks').querySelectorAll('input:checked'),
                function (c) { return c.value; });
            redraw();
        });
    },
    show: showTogether,
    listed: fillPicks
};
