// The described results as tables in the page, and the short summary above them. A recompute with the same rows
// only changes the texts of the cells it already has.
import { element, setIf } from '../lib/dom.js';
import { number } from '../lib/format.js';
import { spoken, energyName } from '../record/words.js';
import { hyphenated } from '../record/describe.js';

// ---- Building and updating the tables ----

// The shape of the tables: what decides which elements there are. Texts of number cells are not part of it.
function shapeOf(described) {
    return described.tables.map(function (t) {
        return t.caption + t.rows.length + ':' + t.rows.map(function (r) {
            return r.head + '/' + (r.sub || '') + (r.said ? '!' : '') + (r.build ? '+' : '') + (r.empty ? '0' : '') + r.index;
        }).join('|') + (t.notes || []).join('');
    }).join('#');
}

// A result line's "Warum?": a button that opens the line's explanation in the row below it.
function whyOf(r, rows) {
    var id = 'why-' + r.index;
    var button = element('button', { type: 'button', class: 'why', 'aria-expanded': 'false', 'aria-controls': id,
        'data-row': String(r.index), 'aria-label': 'Warum? ' + spoken(r.head), text: 'Warum?' });
    // a line of plants, factories or mines has its box in the chain: the explanation leads to it
    var toChain = r.build === undefined ? null : element('button', { type: 'button', class: 'to-chain',
        'data-row': String(r.index), text: 'In der Kette zeigen' });
    rows.push(element('tr', { class: 'explained', id: id, hidden: '' },
        [element('td', { colspan: String(r.cells.length + 1) }, [element('span'), toChain])]));
    return button;
}

function rowElement(r, slots, foot) {
    var after = [];
    var head = element('th', { scope: 'row' }, [document.createTextNode(r.head),
        r.sub ? element('small', { text: hyphenated(r.sub) }) : null, r.index === undefined ? null : whyOf(r, after)]);
    // a name broken at its joints on screen is said whole; so is whom the line feeds ("für Kampfdrohnen-
    // manufakturen"), which would otherwise hold a phone's column wider than the screen
    if (spoken(r.head) !== r.head || hyphenated(r.sub || '') !== (r.sub || '')) {
        head.setAttribute('aria-label', spoken(r.head) + (r.sub ? ' ' + r.sub : ''));
    }
    // a line with something to build gets a tick box in print; a line of zeros may be hidden
    var kinds = (r.build ? 'to-build ' : '') + (r.empty ? 'empty' : '');
    var tr = element('tr', kinds ? { class: kinds.trim() } : {}, [head].concat(r.cells.map(function (c) {
        var td = element('td', { class: c.cls, text: c.text });
        slots.push(td);
        return td;
    })));
    if (!r.said || foot) return [tr].concat(after);
    var said = element('td', { colspan: String(r.cells.length + 1), text: r.said });
    slots.push(said);
    return [tr, element('tr', { class: 'said' }, [said])].concat(after);
}

function legendOf(items) {
    var list = element('dl', { class: 'legend' });
    items.forEach(function (item) {
        var pair = element('div', {}, [element('dt', { text: item[0] }), element('dd', { text: item[1] })]);
        pair.insertBefore(document.createTextNode(' '), pair.lastChild);
        list.append(pair, ' ');
    });
    return list;
}

function tableOf(t, slots) {
    var body = element('tbody');
    t.rows.forEach(function (r) { rowElement(r, slots, false).forEach(function (tr) { body.appendChild(tr); }); });
    var heads = element('tr', {}, t.heads.map(function (h, i) {
        return element('th', { scope: 'col', class: i ? 'num' : '', text: h });
    }));
    var foot = t.foot ? element('tfoot', {}, rowElement(t.foot, slots, true)) : null;
    return element('table', { class: 'results' },
        [element('caption', { text: t.caption }), element('thead', {}, [heads]), body, foot]);
}

// The texts of the changing cells, in the order the tables were built.
function slotTexts(described) {
    var texts = [];
    described.tables.forEach(function (t) {
        t.rows.concat(t.foot ? [t.foot] : []).forEach(function (r) {
            r.cells.forEach(function (c) { texts.push(c); });
            if (r.said && r !== t.foot) texts.push({ text: r.said, cls: '' });
        });
    });
    return texts;
}

function build(area, described) {
    var slots = [];
    area.textContent = '';
    described.tables.forEach(function (t) {
        if (t.rows.length) area.appendChild(tableOf(t, slots));
        (t.notes || []).forEach(function (n) { area.appendChild(element('p', { class: 'hint', text: n })); });
        if (t.rows.length && t.legend) area.appendChild(legendOf(t.legend));
    });
    return slots;
}

// Fills the results area; with the same shape as before only the cells' texts change.
// explain(index) gives the sentences of a result line's "Warum?"; the open ones are written anew each time.
export function showResults(area, described, explain) {
    var shape = shapeOf(described);
    area.wvExplain = explain;
    if (area.wvShape !== shape) {
        area.wvShape = shape;
        area.wvSlots = build(area, described);
        area.wvWhy = [].slice.call(area.querySelectorAll('button.why'));
    } else {
        slotTexts(described).forEach(function (c, i) {
            var td = area.wvSlots[i];
            setIf(td, 'textContent', c.text);
            if (c.cls) setIf(td, 'className', c.cls);
        });
    }
    area.wvOpen = area.wvOpen || {};
    area.wvWhy.forEach(function (button) { showWhy(area, button, !!area.wvOpen[button.getAttribute('aria-label')]); });
}

function showWhy(area, button, open) {
    var row = document.getElementById(button.getAttribute('aria-controls'));
    setIf(button, 'ariaExpanded', String(open));
    setIf(row, 'hidden', !open);
    if (open) setIf(row.firstChild.firstChild, 'textContent', area.wvExplain(+button.getAttribute('data-row')).join(' ') + ' ');
}

// Opens or closes the explanation of the line whose "Warum?" was pressed; it stays open through recomputes
// while the line is there.
export function toggleWhy(area, button) {
    var key = button.getAttribute('aria-label');
    area.wvOpen[key] = !area.wvOpen[key];
    showWhy(area, button, area.wvOpen[key]);
}

// The short summary: energy surplus or deficit, the SKWs and crystal factories, all that is to be built.
export function showSummary(figures) {
    var ez = figures.ez;
    var name = document.getElementById('s-ez-name');
    setIf(name, 'textContent', energyName(ez));
    var value = document.getElementById('s-ez');
    setIf(value, 'textContent', (ez > 0 ? '+' : '') + number(Math.abs(ez)));
    setIf(value, 'className', ez < 0 ? 'bad' : '');
    ['skw', 'crystals', 'total'].forEach(function (k) {
        var e = document.getElementById('s-' + k);
        setIf(e, 'textContent', number(figures[k]));
        setIf(e, 'className', figures[k] < 0 ? 'bad' : '');
    });
}

// A row head: the line's name, broken at its joints on screen, said whole.
export function headOf(name, children) {
    var head = element('th', { scope: 'row', text: hyphenated(name) }, children);
    if (hyphenated(name) !== name) {
        head.setAttribute('aria-label', [spoken(name)].concat((children || []).map(function (c) {
            return c.textContent;
        })).join(' '));
    }
    return head;
}

// The switch that hides the lines of zeros in the tables, kept in this browser (not in the plan: its files and
// console text hold every line).
var EMPTY_KEY = 'werkverbund-leere-zeilen';
export function hideEmptyLines(area, toggle) {
    var show = function () { area.classList.toggle('hide-empty', toggle.checked); };
    try { toggle.checked = localStorage.getItem(EMPTY_KEY) === 'aus'; } catch (e) { /* shown, as by default */ }
    show();
    toggle.addEventListener('change', function () {
        show();
        try {
            if (toggle.checked) localStorage.setItem(EMPTY_KEY, 'aus');
            else localStorage.removeItem(EMPTY_KEY);
        } catch (e) {
            // a browser that keeps nothing hides them until the page is left
        }
    });
}
