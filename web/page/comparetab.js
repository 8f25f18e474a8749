// The comparison's tab: two plans side by side, picked from the stored plans, each run once for what it takes;
// their totals, every result line of either with the cells that differ, and the inputs in which they differ.
import { element, byId } from '../lib/dom.js';
import { number } from '../lib/format.js';
import { planInput, isAsked } from '../plan/plan.js';
import { compareRuns, inputsDiffering } from '../record/compare.js';
import { SIZES, FIGURE, CAPTION, OPTION_NAMES, ANSWER_NAMES, CRYSTAL_RACE_WORDS, energyText, fieldName }
    from '../record/words.js';
import { headOf } from './results.js';

var tables = null;
var runner = null;
var plans = null;    // plan(id): the stored plans
var record = null;   // of the last run of the form's plan

function recordOf(plan) {
    return runner.recordOf(planInput(tables, plan));
}

// The plans to pick from: the current one as plan A and another as plan B, unless the player picked others; two
// different plans as long as there are two.
var picked = false;
function fillPicks(plans, current) {
    var picks = [byId('compare-a'), byId('compare-b')];
    picks.forEach(function (pick, side) {
        var was = pick.value;
        pick.textContent = '';
        plans.forEach(function (e) { pick.appendChild(element('option', { value: e.id, text: e.name })); });
        var other = plans.filter(function (e) { return e.id !== current.id; })[0] || current;
        var keep = plans.some(function (e) { return e.id === was; });
        pick.value = keep ? was : (side ? other : current).id;
    });
    if (!picked && picks[0].value === picks[1].value) {
        var other = plans.filter(function (e) { return e.id !== picks[0].value; })[0];
        if (other) picks[1].value = other.id;
    }
}

function showCompare() {
    var a = plans.plan(byId('compare-a').value);
    var b = plans.plan(byId('compare-b').value);
    if (!a || !b) return;
    var c = compareRuns(recordOf(a.plan), recordOf(b.plan));
    c.inputs = inputsDiffering(tables, a.plan, b.plan, isAsked);
    var key = JSON.stringify(c) + a.name + b.name;
    var area = byId('comparison');
    if (area.wvKey === key) return;
    var drawn = comparison(c, a.name, b.name);  // a comparison that fails leaves no key: it is made again
    area.wvKey = key;
    area.textContent = '';
    area.appendChild(drawn);
}

// The result tables the comparison follows, with the columns that go into each of theirs.
var GROUPS = [
    { caption: CAPTION.build, columns: SIZES.concat([FIGURE.mark]), into: { [FIGURE.surplus]: 3, EZ: 3 } },
    { caption: CAPTION.mines, columns: FIGURE.levels, into: {} },
    { caption: CAPTION.sales, columns: [FIGURE.perHour], into: {} }
];

// A cell of one plan: its number, mark or amount of EZ; a dash where the plan has none.
function cellText(cells, names) {
    var name = names.filter(function (n) { return cells && cells[n] !== undefined; })[0];
    if (!name) return '–';
    var v = cells[name];
    if (typeof v !== 'number') return v === '-' ? '–' : v;
    if (name === FIGURE.surplus) return energyText(v);
    return number(v) + (name === 'EZ' ? ' EZ' : '');
}

function compareRow(r, g) {
    var names = g.columns.map(function (c, i) {
        return [c].concat(Object.keys(g.into).filter(function (k) { return g.into[k] === i; }));
    });
    var cells = [];
    [r.a, r.b].forEach(function (side) {
        names.forEach(function (n) {
            var differs = n.some(function (c) { return r.differs.indexOf(c) >= 0; });
            cells.push(element('td', { class: differs ? 'num diff' : 'num', text: cellText(side, n) }));
        });
    });
    var head = headOf(r.name, r.differs.length ? [element('small', { text: 'unterschiedlich' })] : []);
    return element('tr', { class: r.differs.length ? 'differs' : '' }, [head].concat(cells));
}

function groupOf(r) {
    var cells = Object.keys(Object.assign({}, r.a, r.b));
    return GROUPS.filter(function (g) {
        return cells.some(function (c) { return g.columns.indexOf(c) >= 0 || g.into[c] !== undefined; });
    })[0];
}

function compareTable(caption, heads, rows, names) {
    var top = element('tr', {}, [element('td')].concat(names.map(function (n, side) {
        return element('th', { scope: 'colgroup', colspan: String(heads.length), text: 'Plan ' + 'AB'[side] + ': ' + n });
    })));
    var cols = element('tr', {}, [element('th', { scope: 'col', text: 'Ergebnis' })].concat(heads.concat(heads)
        .map(function (h) { return element('th', { scope: 'col', class: 'num', text: h }); })));
    return element('table', { class: 'results compare' }, [element('caption', { text: caption }),
        element('thead', {}, [top, cols]), element('tbody', {}, rows)]);
}

// Totals of both plans and their difference: factories to build, EZ surplus, every sale per hour.
function totalsTable(t, names) {
    var lines = [['Fabriken zu bauen', t.a.factories, t.b.factories], [FIGURE.surplus, t.a.surplus, t.b.surplus]];
    Object.keys(Object.assign({}, t.a.sales, t.b.sales)).forEach(function (k) {
        lines.push([(t.a.saleNames[k] || t.b.saleNames[k]) + ' pro Stunde', t.a.sales[k] || 0, t.b.sales[k] || 0]);
    });
    var rows = lines.map(function (l) {
        var d = l[2] - l[1];
        return element('tr', { class: d ? 'differs' : '' }, [element('th', { scope: 'row', text: l[0] }),
            element('td', { class: 'num', text: number(l[1]) }), element('td', { class: 'num', text: number(l[2]) }),
            element('td', { class: d ? 'num diff' : 'num', text: (d > 0 ? '+' : '') + number(d) })]);
    });
    return element('table', { class: 'results compare-totals' }, [element('caption', { text: 'Summen' }),
        element('thead', {}, [element('tr', {}, ['', 'Plan A: ' + names[0], 'Plan B: ' + names[1], 'B − A']
            .map(function (h, i) { return element(i ? 'th' : 'td', i ? { scope: 'col', class: 'num', text: h } : {}); }))]),
        element('tbody', {}, rows)]);
}

// An input's value as the form shows it: a switch on or off, a yes/no answer, a field's text or a crystal race.
function inputText(d, side) {
    var v = d[side];
    if (d.option) return d.answer ? (v === 'n' ? 'nein' : 'ja') : v ? 'an' : 'aus';
    var race = tables.crystalRaces.filter(function (c) { return d.key === 'crystalRace' && c.letter === v; })[0];
    if (race) return race.race ? race.name : CRYSTAL_RACE_WORDS.none;
    return v === '' ? 'leer' : '„' + v + '“';
}

// The inputs in which plan A and plan B differ, by their names in the page's words (every field, the crystal race
// too, which has no text field).
function inputsList(inputs) {
    if (!inputs.length) return element('p', { class: 'hint', text: 'Die Eingaben der beiden Pläne sind gleich.' });
    return element('div', { class: 'inputs-differ' }, [element('p', { text: 'Eingaben, die sich unterscheiden (Plan A · '
        + 'Plan B):' }), element('ul', {}, inputs.map(function (d) {
        var name = d.option ? (d.answer ? ANSWER_NAMES : OPTION_NAMES)[d.option] : fieldName(tables, d.key, record);
        return element('li', { text: name + ': ' + inputText(d, 'a') + ' · ' + inputText(d, 'b') });
    }))]);
}

// The comparison of two runs as tables: the totals, then every result line of either plan, the cells that
// differ marked and each line that differs said.
function comparison(c, a, b) {
    var names = [a, b];
    var box = element('div', {}, [totalsTable(c.totals, names)]);
    GROUPS.forEach(function (g) {
        var rows = c.rows.filter(function (r) { return groupOf(r) === g; });
        if (rows.length) box.appendChild(compareTable(g.caption, g.columns, rows.map(function (r) { return compareRow(r, g); }), names));
    });
    var differ = c.rows.filter(function (r) { return r.differs.length; }).length;
    var said = differ === 1 ? '1 Ergebniszeile unterscheidet sich; sie ist markiert.'
        : differ + ' Ergebniszeilen unterscheiden sich; sie sind markiert.';
    box.insertBefore(element('p', { class: 'hint', text: differ ? said : 'Die Ergebnisse der beiden Pläne sind gleich.' }),
        box.firstChild);
    box.insertBefore(inputsList(c.inputs), box.firstChild);
    return box;
}


export const compareTab = {
    // redraw(): the comparison drawn as the views draw it, failing in its own place
    start: function (given, run, stored, redraw) {
        [tables, runner, plans] = [given, run, stored];
        ['compare-a', 'compare-b'].forEach(function (id) {
            byId(id).addEventListener('change', function () {
                picked = true;
                redraw();
            });
        });
    },
    // The last run of the form's plan, kept with what it took; shown when the tab is in sight.
    keep: function (last, input) {
        record = last;
        if (input) runner.keep(input, last);
    },
    show: showCompare,
    listed: fillPicks
};
