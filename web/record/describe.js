// The results of a run described as tables of texts (heads, cells, what is said below a line) and the figures of
// the summary, from the core's result rows. Pure: web/results.js puts them into the page.
import { number } from '../lib/format.js';
import { factoriesPerCount, isToBuild } from './rows.js';
import { FIGURE, CAPTION, SPECIAL_WORDS, SIZES as SIZE_NAMES, lineName, energyText } from './words.js';

var SIZES = SIZE_NAMES.map(function (name, i) { return i; });  // a row's counts, in the order the form asks them
var MARK = { '-': '–', S: 'S', M: 'M', F: 'F' };

// Soft hyphens at the joints of the long compound names, so that a narrow column breaks them there only.
var JOINTS = new RegExp('([a-zäöü]{2})(?=(kraftwerke|fabriken|raffinerien|stationen|pressen|labore|aquarien|'
    + 'farmen|schmieden|minen|zentren|produnktionen|verkauf|manufakturen|fertigungen)\\b)', 'gi');
export function hyphenated(name) {
    return name.replace(JOINTS, '$1\u00ad');
}

function nameOf(row) {
    return hyphenated(lineName(row));
}

function cell(text, bad) {
    return { text: text, cls: bad ? 'num bad' : 'num' };
}

// Whom a food chain feeds, when its name does not say it (the lines of the extra races, which may be numbered,
// carry the race's name): its race (and the crystal factories it also feeds), a special factory, or the
// crystal factories.
function fedOf(row, tables) {
    if (row.type === 'raceChain') {
        if (tables.races.some(function (r) { return r.code === row.feeds && r.extra; })) return '';
        return row.race + (row.facts.KF === undefined ? '' : ', mit den Kristallfabriken');
    }
    if (row.type === 'specialChain') return 'für ' + (SPECIAL_WORDS[row.feeds] ? SPECIAL_WORDS[row.feeds].name : row.race);
    return row.type === 'crystalFood' ? 'für die Kristallfabriken' : '';
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
    if (row.type === 'plants' && row.number < 0) {
        said.push('Zu wenig Energie: es fehlen ' + number(-row.number) + ' EZ pro Stunde.');
    }
    return said.join(' ');
}

// A line that shows nothing but zeros, with no surplus and nothing said: the player may hide it.
function isEmpty(row, said) {
    var shown = row.count.filter(function (n, s) { return row.shown & (1 << s); }).concat(row.valueText.map(Number));
    if (row.type === 'plants' || row.type === 'capacity') shown.push(row.number);
    return !said && (!row.mark || row.mark === '-') && shown.every(function (n) { return n === 0; });
}

// A line with something to build: a tick box in print.
function toBuild(row) {
    return row.count.some(function (n) { return n > 0; });
}

function plantsRow(row, said, i) {
    var surplus = cell(energyText(row.number), row.number < 0);
    return { head: nameOf(row), cells: countCells(row).concat([surplus]), said: said, index: i, build: toBuild(row),
        empty: isEmpty(row, said) };
}

// The supply table: plants, the -es capacity beside them, crystal factories and food chains; and the total of
// what is built, a food line counting as two factories of each pair.
function supplyTable(record, tables) {
    var rows = [];
    var total = [0, 0, 0];
    record.rows.forEach(function (row, i) {
        var said = saidOf(row, record.messages.filter(function (m) { return m.about === 'row' && m.index === i; }));
        if (row.type === 'capacity') {
            rows.push({ head: nameOf(row), sub: FIGURE.capacityNote, index: i, empty: isEmpty(row, said),
                cells: [cell(''), cell(''), cell(''), cell(number(row.number) + ' EZ')] });
            return;
        }
        if (!isToBuild(row)) return;
        SIZES.forEach(function (s) { total[s] += factoriesPerCount(row) * row.count[s]; });
        if (row.type === 'plants') return rows.push(plantsRow(row, said, i));
        rows.push({ head: nameOf(row), sub: fedOf(row, tables), said: said, index: i, build: toBuild(row),
            empty: isEmpty(row, said),
            cells: countCells(row).concat([cell(row.mark ? MARK[row.mark] : '', row.mark === 'F')]) });
    });
    var foot = total.map(function (n) { return cell(number(n), n < 0); }).concat([cell('')]);
    return { caption: CAPTION.build, heads: ['Fabriken'].concat(SIZE_NAMES, [FIGURE.mark]), rows: rows,
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
        if (row.type === 'note') notes.push(lineName(row).replace(/^k/, 'K') + '.');
        if (row.type !== 'mines') return;
        var values = row.valueText.map(function (v) { return cell(number(Number(v))); });
        while (values.length < 3) values.unshift(cell('–'));
        rows.push({ head: nameOf(row), cells: values, index: i, build: Number(row.valueText[0]) > 0,
            empty: isEmpty(row, '') });
    });
    return { caption: CAPTION.mines, heads: ['Minen'].concat(FIGURE.levels),
        rows: rows, notes: notes, legend: rows.length ? MINES_LEGEND : null };
}

function salesTable(record) {
    var rows = [];
    record.rows.forEach(function (row, i) {
        if (row.type === 'sale') {
            rows.push({ head: nameOf(row), cells: [cell(number(Number(row.valueText[0])))], index: i,
                empty: isEmpty(row, '') });
        }
    });
    return { caption: CAPTION.sales, heads: ['Ware', 'Menge'], rows: rows };
}

// The run's results as tables of texts, and the figures of the summary.
export function describeResults(record, tables) {
    var supply = supplyTable(record, tables);
    var plants = record.rows.filter(function (r) { return r.type === 'plants'; })[0];
    var crystals = record.rows.filter(function (r) { return r.type === 'crystals'; })[0];
    var sum = function (row) { return row ? row.count[0] + row.count[1] + row.count[2] : 0; };
    return {
        tables: [supply, minesTable(record), salesTable(record)],
        summary: { ez: plants ? plants.number : 0, skw: sum(plants), crystals: sum(crystals),
            total: supply.total[0] + supply.total[1] + supply.total[2] }
    };
}
