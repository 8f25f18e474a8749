// The results of a run described as tables of texts (heads, cells, what is said below a line) and the figures of
// the summary, from the core's result rows. Pure: web/results.js puts them into the page.
import { number, whole } from './format.js';
import { factoriesPerCount } from './export.js';

var SIZES = [0, 1, 2];  // M, L, XL: the order in which the form asks them
var MARK = { '-': '–', S: 'S', M: 'M', F: 'F' };

// Soft hyphens at the joints of the long compound names, so that a narrow column breaks them there only.
var JOINTS = new RegExp('([a-zäöü]{2})(?=(kraftwerke|fabriken|raffinerien|stationen|pressen|labore|aquarien|'
    + 'farmen|schmieden|minen|zentren|produnktionen|verkauf)\\b)', 'gi');
export function hyphenated(name) {
    return name.replace(JOINTS, '$1\u00ad');
}

function nameOf(row) {
    return hyphenated(row.name.replace(/:\s*$/, '').replace(/^-(.*)-$/, '$1'));
}

function cell(text, bad) {
    return { text: text, cls: bad ? 'num bad' : 'num' };
}

// Whom a food chain feeds: its race (by the code of its demand, "ANP" for the Argonen), a special factory,
// or the crystal factories; nothing when the name says it already.
function fedOf(row, tables) {
    var codes = Object.keys(row.facts);
    var race = tables.races.filter(function (r) { return codes.indexOf(r.code + 'NP') >= 0; })[0];
    if (race) {
        if (row.name.indexOf(race.name) >= 0 || race.numberedName && row.name.indexOf(race.numberedName) >= 0) {
            return '';
        }
        return race.name + (row.facts.KF === undefined ? '' : ', mit den Kristallfabriken');
    }
    // the questions of the special factories, whose chains are named for them
    var specials = tables.questions.filter(function (q) {
        return q.index >= 0 && q.group !== tables.level3Group;
    });
    var special = specials.filter(function (q) { return row.facts[q.code] !== undefined; })[0];
    if (special) return 'für ' + special.prompt.trim().replace(/:$/, '');
    return row.facts.KG === undefined ? '' : 'für die Kristallfabriken';
}

function countCells(row) {
    return SIZES.map(function (s) {
        return row.shown & (1 << s) ? cell(number(row.count[s]), row.count[s] < 0) : cell('–');
    });
}

// What a row says beside its numbers: an error of the run, a negative count, too little energy.
function saidOf(row, messages) {
    var said = messages.map(function (m) { return m.text.trim() + ' – nach einer negativen Eingabe.'; });
    if (row.count.some(function (c) { return c < 0; })) {
        said.push('Negative Anzahl: eine Eingabe ist negativ oder kleiner als berechnet.');
    }
    if (row.kind === 'plants' && row.number < 0) {
        said.push('Zu wenig Energie: es fehlen ' + number(-row.number) + ' EZ pro Stunde.');
    }
    return said.join(' ');
}

function plantsRow(row, said, i) {
    var surplus = row.number < 0 ? cell('Mangel ' + number(-row.number) + ' EZ', true)
        : cell(number(row.number) + ' EZ');
    return { head: nameOf(row), cells: countCells(row).concat([surplus]), said: said, index: i };
}

// The supply table: plants, the -es capacity beside them, crystal factories and food chains; and the total of
// what is built, a food line counting as two factories of each pair.
function supplyTable(record, tables) {
    var rows = [];
    var total = [0, 0, 0];
    record.rows.forEach(function (row, i) {
        var said = saidOf(row, record.messages.filter(function (m) { return m.about === 'row' && m.index === i; }));
        if (row.kind === 'capacity') {
            rows.push({ head: 'ungenutzte SKW-Kapazität', sub: 'nur bei Kristallüberschuss nutzbar', index: i,
                cells: [cell(''), cell(''), cell(''), cell(number(row.number) + ' EZ')] });
            return;
        }
        if (row.kind !== 'plants' && row.kind !== 'factories') return;
        SIZES.forEach(function (s) { total[s] += factoriesPerCount(row) * row.count[s]; });
        if (row.kind === 'plants') return rows.push(plantsRow(row, said, i));
        rows.push({ head: nameOf(row), sub: fedOf(row, tables), said: said, index: i,
            cells: countCells(row).concat([cell(row.mark ? MARK[row.mark] : '', row.mark === 'F')]) });
    });
    var foot = total.map(function (n) { return cell(number(n), n < 0); }).concat([cell('')]);
    return { caption: 'Zu bauen', heads: ['Fabriken', 'M', 'L', 'XL', 'Überschuss'], rows: rows,
        foot: { head: 'Fabriken insgesamt', cells: foot }, total: total, legend: SUPPLY_LEGEND };
}

var SUPPLY_LEGEND = [
    ['Überschuss –', 'keiner'], ['S', 'eine halbe M-Fabrik'], ['M', 'eine M-Fabrik'],
    ['F', 'Fehler nach einer negativen Eingabe'],
    ['EZ', 'was die SKWs pro Stunde mehr liefern als gebraucht wird'],
    ['Paare', 'eine Zeile „… und …“ zählt je eine Level-2-Fabrik mit ihrer Level-1-Fabrik; '
        + '„Fabriken insgesamt“ zählt beide']
];
var MINES_LEGEND = [
    ['Kritisch', 'das Silizium reicht gerade für die siliziumbasierten Endfabriken und den EZ-Bedarf; '
        + 'Kristallfabriken und SKWs stehen öfter still'],
    ['Ausreichend', 'genug, um alle Fabriken ständig zu versorgen (bei Silizium auch die EZ- und '
        + 'Kristallüberschüsse)'],
    ['Empfohlen', 'etwas mehr als nötig, mit Spielraum für Ausbauten']
];

function minesTable(record) {
    var rows = [];
    var notes = [];
    record.rows.forEach(function (row, i) {
        if (row.kind === 'note') notes.push(nameOf(row).replace(/^k/, 'K') + '.');
        if (row.kind !== 'mines') return;
        var values = row.value.map(function (v) { return cell(number(whole(v))); });
        while (values.length < 3) values.unshift(cell('–'));
        rows.push({ head: nameOf(row), cells: values, index: i });
    });
    return { caption: 'Minen (Gesamtausbeute)', heads: ['Minen', 'Kritisch', 'Ausreichend', 'Empfohlen'],
        rows: rows, notes: notes, legend: rows.length ? MINES_LEGEND : null };
}

function salesTable(record) {
    var rows = [];
    record.rows.forEach(function (row, i) {
        if (row.kind === 'sale') rows.push({ head: nameOf(row), cells: [cell(number(whole(row.value[0])))], index: i });
    });
    return { caption: 'Verkauf pro Stunde', heads: ['Ware', 'Menge'], rows: rows };
}

// The run's results as tables of texts, and the figures of the summary.
export function describeResults(record, tables) {
    var supply = supplyTable(record, tables);
    var plants = record.rows.filter(function (r) { return r.kind === 'plants'; })[0];
    var crystals = record.rows.filter(function (r) { return r.kind === 'factories'; })[0];
    var sum = function (row) { return row ? row.count[0] + row.count[1] + row.count[2] : 0; };
    return {
        tables: [supply, minesTable(record), salesTable(record)],
        summary: { ez: plants ? plants.number : 0, skw: sum(plants), crystals: sum(crystals),
            total: supply.total[0] + supply.total[1] + supply.total[2] }
    };
}
