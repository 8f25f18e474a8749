// The views of the results that are drawn only while their tab is open: the chain diagram, what is built as a
// checklist, and two plans side by side. Each is drawn anew after every run while it is in sight.
import { element, byId, setIf } from '../lib/dom.js';
import { number } from '../lib/format.js';
import { planInput, isAsked } from '../plan/plan.js';
import { checklistOf, standOf } from '../record/checklist.js';
import { compareRuns, inputsDiffering } from '../record/compare.js';
import { hyphenated } from '../record/describe.js';
import { SIZES, FIGURE, CAPTION, OPTION_NAMES, ANSWER_NAMES, CRYSTAL_RACE_WORDS, energyText, spoken, fieldName }
    from '../record/words.js';
import { chainModel } from '../record/chain.js';
import { chainView } from './chainview.js';
import { explainRow } from '../record/explain.js';
import { drawChain as drawPicture, measureWith, CHAIN_STYLE } from './diagram.js';

var tables = null;
var runner = null;
var plans = null;    // built(), setBuilt(key, count), plan(id): the current plan's built counts, the stored plans
var record = null;   // of the last run of the form's plan
var measure = null;

function inSight(id) {
    return !byId(id).hidden;
}

// ---- The chain ----

var chain = null;   // the picture's zoom, pan and picked box

function drawChain(shown) {
    var area = byId('chain');
    measure = measure || measureWith(getComputedStyle(area).fontFamily);
    drawPicture(area, chainModel(record, tables), measure, 'kette');
    chain.drawn(shown);
}

// The picked box's line of the results with its "Warum?", below the picture; its row in the tables marked.
var lastPicked = null;
function chainPicked(row, name) {
    if (row === null && lastPicked === null) return;   // nothing picked, as before
    lastPicked = row;
    var said = byId('chain-picked');
    var text = row === null ? '' : name + (row >= 0 ? '. Warum? ' + explainRow(record, tables, row).join(' ') : '');
    setIf(said, 'textContent', text || 'Ein Kasten, angeklickt oder mit Tab erreicht, hebt seine Linien hervor.');
    var marked = byId('results').querySelector('tr.picked');
    var why = row >= 0 && byId('results').querySelector('button.why[data-row="' + row + '"]');
    var tr = why && why.closest('tr');
    if (marked && marked !== tr) marked.classList.remove('picked');
    if (tr) tr.classList.add('picked');
}

// A view that fails says so in its own place; the others go on.
function safely(id, draw, arg) {
    var area = byId(id);
    try {
        draw(arg);
        if (area.wvFailed) area.parentNode.querySelector('.view-failed').remove();
        area.wvFailed = false;
    } catch (e) {
        if (!area.wvFailed) area.before(element('p', { class: 'view-failed bad', role: 'alert' }));
        area.wvFailed = true;
        area.parentNode.querySelector('.view-failed').textContent = 'Diese Ansicht kann für diesen Plan nicht '
            + 'gezeigt werden (' + e.message + '); die anderen Reiter zeigen ihn.';
        setTimeout(function () { throw e; });
    }
}

// ---- What is built ----

// A size's cell of the checklist: the count built, typed, and what is needed; in print the count.
function sizeCell(line, size, i) {
    var name = spoken(line.name) + (size.size ? ' Typ ' + size.size : ' Ausbeute') + ' gebaut';
    var input = element('input', { inputmode: 'numeric', placeholder: '0', id: 'built-' + i + '-' + (size.size || 'Y'),
        'data-key': size.key, 'aria-label': name });
    var need = element('small');
    var shown = element('span', { class: 'print-count' });
    var td = element('td', { class: 'num' }, [input, shown, need]);
    if (!size.size) td.setAttribute('colspan', '3');
    return { td: td, input: input, need: need, shown: shown };
}

// The checklist's table is made anew only when its lines or their fields change; otherwise its texts are.
function shapeBuilt(area, lines) {
    var shape = lines.map(function (l) {
        var fields = l.mine ? 'Y' : l.sizes.filter(hasField).map(function (s) { return s.size; }).join('');
        return l.code + l.name + ':' + fields;
    }).join('|');
    if (area.wvShape === shape) return;
    area.wvShape = shape;
    area.wvRows = lines.map(function (line, i) {
        var cells = {};
        var tds = line.mine ? [(cells.Y = sizeCell(line, line.mine, i)).td] : SIZES.map(function (z) {
            var size = line.sizes.filter(function (s) { return s.size === z; })[0];
            if (!size || !hasField(size)) return element('td', { class: 'num', text: '–' });
            return (cells[z] = sizeCell(line, size, i)).td;
        });
        var stand = element('td');
        var tr = element('tr', {}, [headOf(line.name)].concat(tds, [stand]));
        return { tr: tr, cells: cells, stand: stand };
    });
    area.wvFoot = element('td', { colspan: '5' });
    area.textContent = '';
    area.appendChild(element('table', { class: 'results checklist' }, [element('caption', { text: 'Baustand' }),
        element('thead', {}, [element('tr', {}, ['Fabriken'].concat(SIZES, ['Stand']).map(function (h, i) {
            return element('th', { scope: 'col', class: i && i < 4 ? 'num' : '', text: h });
        }))]), element('tbody', {}, area.wvRows.map(function (r) { return r.tr; })),
        element('tfoot', {}, [element('tr', {}, [area.wvFoot])])]));
}

function hasField(size) {
    return size.need || size.has;
}

// A row head: the line's name, broken at its joints on screen, said whole.
function headOf(name, children) {
    var head = element('th', { scope: 'row', text: hyphenated(name) }, children);
    if (hyphenated(name) !== name) {
        head.setAttribute('aria-label', [spoken(name)].concat((children || []).map(function (c) {
            return c.textContent;
        })).join(' '));
    }
    return head;
}

function showBuilt() {
    var area = byId('built');
    var list = checklistOf(record, plans.built());
    shapeBuilt(area, list.lines);
    list.lines.forEach(function (line, i) {
        var r = area.wvRows[i];
        (line.mine ? [line.mine] : line.sizes).forEach(function (size) {
            var cell = r.cells[size.size || 'Y'];
            if (!cell) return;
            setIf(cell.need, 'textContent', ' von ' + number(size.need)
                + (line.mine ? ' (Ausreichend; empfohlen ' + number(size.recommended) + ')' : ''));
            if (document.activeElement !== cell.input) setIf(cell.input, 'value', size.has ? String(size.has) : '');
            setIf(cell.shown, 'textContent', number(size.has));
        });
        setIf(r.stand, 'textContent', standOf(line, number));
        setIf(r.tr, 'className', line.missing.length ? 'missing to-build' : line.extra.length ? 'extra' : 'done');
    });
    setIf(area.wvFoot, 'textContent', list.sum.need || list.sum.built ? 'Gebaut: ' + number(list.sum.built) + ' von '
        + number(list.sum.need) + ' Fabriken (ein Paar zählt zwei)' : 'Dieser Plan braucht keine Fabriken.');
}

// A built count typed: whole numbers from 0 on; anything else is not saved and said at the field.
function builtTyped(event) {
    var input = event.target;
    var text = input.value.trim();
    var ok = /^\d{0,10}$/.test(text) && +text <= 1e9;
    setIf(input, 'ariaInvalid', String(!ok));
    if (!ok) return;
    plans.setBuilt(input.getAttribute('data-key'), +text);
    showBuilt();
}

// ---- Two plans side by side ----

var compared = {};   // the records of the plans run, by what the run took; the form's plan's from its own run

function inputKey(input) {
    return JSON.stringify([input.options, input.fields]);
}

function keep(key, record) {
    if (Object.keys(compared).length > 8) compared = {};
    compared[key] = record;
}

function recordOf(plan) {
    var input = planInput(tables, plan);
    var key = inputKey(input);
    if (!compared[key]) keep(key, runner.runPlan(input, true).record);
    return compared[key];
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
    area.wvKey = key;
    area.textContent = '';
    area.appendChild(comparison(c, a.name, b.name));
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
    box.insertBefore(element('p', { class: 'hint', text: differ ? differ + ' Ergebniszeilen unterscheiden sich; sie sind '
        + 'markiert.' : 'Die Ergebnisse der beiden Pläne sind gleich.' }), box.firstChild);
    box.insertBefore(inputsList(c.inputs), box.firstChild);
    return box;
}

export const views = {
    // tables: the core's; run: the runner; stored: built(), setBuilt(key, count) and plan(id) of the plans;
    start: function (given, run, stored) {
        tables = given;
        runner = run;
        plans = stored;
        document.head.appendChild(element('style', { text: CHAIN_STYLE }));
        chain = chainView(byId('chain'), { picked: chainPicked, zoomed: function (zoomed, most) {
            byId('chain-fit').disabled = !zoomed;
            byId('chain-out').disabled = !zoomed;
            byId('chain-in').disabled = most;
        } });
        byId('chain-in').addEventListener('click', chain.zoomIn);
        byId('chain-out').addEventListener('click', chain.zoomOut);
        byId('chain-fit').addEventListener('click', chain.fit);
        var named = element('style', { id: 'print-name' });
        document.head.appendChild(named);
        // every printed page names its plan at its top
        window.addEventListener('beforeprint', function () {
            var name = 'Werkverbund · Plan „' + byId('plan-name').value + '“';
            setIf(named, 'textContent', '@page{@top-left{content:"' + name.replace(/["\\]/g, '\\$&').replace(/\n/g, ' ')
                + '";font:9pt system-ui,sans-serif;color:#333}}');
        });
        byId('built').addEventListener('input', builtTyped);
        ['compare-a', 'compare-b'].forEach(function (id) {
            byId(id).addEventListener('change', function () {
                picked = true;
                showCompare();
            });
        });
    },
    // After every run of the form's plan (its record and what the run took), and when a tab opens: what is in
    // sight is drawn.
    show: function (last, input) {
        record = last || record;
        if (input) keep(inputKey(input), last);
        if (inSight('p-chain')) safely('chain', drawChain, !last);
        if (inSight('p-built')) safely('built', showBuilt);
        if (inSight('p-compare')) safely('comparison', showCompare);
    },
    listed: fillPicks,
    // Leads from a result row to its box: the chain's tab opened and the box picked.
    showInChain: function (row) {
        byId('t-chain').click();
        chain.pick('row-' + row);
    }
};
