// The chain of one run as the diagram draws it: what is entered for sale in the first column, the supporting
// factories of the result rows in columns of energy, crystals, food and mines, and a line from each consumer to
// its supplier for every flow the core recorded, labelled with what flows. Counts, amounts, kinds and names are
// the record's: a row's column comes from its type, a race's name from the row that feeds it.
import { number as de, counted } from '../lib/format.js';
import { FIGURE, SIZES, SALE_WORDS, SPECIAL_WORDS, lineName, energyText, raceName } from './words.js';

var COLUMNS = [{ title: 'Zum Verkauf' }, { title: 'Energie' }, { title: 'Kristalle' }, { title: 'Nahrung' },
    { title: 'Minen' }];
// The column of each type of result row that supplies something; other types have no box.
var COLUMN_OF = { plants: 1, crystals: 2, crystalFood: 3, raceChain: 3, specialChain: 3, mines: 4 };
// What is entered for sale, by the consumer code its flows carry (the tables' groups for sale, then their special
// factories): its title, what its lines count and the questions whose answers they show, by size.
function saleEntries(tables) {
    var entries = {};
    tables.saleGroups.forEach(function (g) {
        entries[g.consumer] = [SALE_WORDS[g.consumer].title, SALE_WORDS[g.consumer].counts, g.keys];
    });
    tables.specials.forEach(function (s) { entries[s.code] = [SPECIAL_WORDS[s.code].title, '', [s.key]]; });
    return entries;
}
var MINE_LEVELS = { 2: ['Ausreichend', 'Empfohlen'], 3: ['Kritisch', 'Ausreichend', 'Empfohlen'] };
// The five kinds of flow: the label on the line, and the words the picture's description says it in.
var units = function (n) { return counted(n, 'Einheit', 'Einheiten'); };
const FLOW_KINDS = {
    energy: { name: 'Energie', label: function (n) { return de(n) + ' EZ/h'; },
        words: function (n) { return de(n) + ' EZ/h Energie'; } },
    crystals: { name: 'Kristalle', label: function (n) { return de(n) + ' Einh.'; },
        words: function (n) { return units(n) + ' Kristalle'; } },
    food: { name: 'Nahrung', label: function (n) { return de(n) + ' Einh.'; },
        words: function (n) { return units(n) + ' Nahrung'; } },
    ore: { name: 'Erz', label: function (n) { return de(n) + ' Erz/h'; },
        words: function (n) { return de(n) + ' Erz/h'; } },
    silicon: { name: 'Silizium', label: function (n) { return de(n) + ' Si/h'; },
        words: function (n) { return de(n) + ' Silizium/h'; } }
};

// A kind of flow in words, as the legend says it.
export function flowName(kind) { return FLOW_KINDS[kind].name; }

function taken(c, key) {
    var i = c.keys.indexOf(key);
    return i < 0 ? 0 : c.record.questions[i].taken;
}

// A long name in two lines, broken before its "und" ("Cahoonapressen / und Ranches"), else at the blank
// nearest its middle ("Sonnenkraftwerke / zum Verkauf").
function titleLines(title) {
    if (title.length <= 22) return [title];
    var at = title.indexOf(' und ');
    for (var i = 0; at < 0 && i < title.length / 2; i++) {
        if (title.charAt(title.length / 2 + i | 0) === ' ') at = title.length / 2 + i | 0;
        else if (title.charAt(title.length / 2 - i | 0) === ' ') at = title.length / 2 - i | 0;
    }
    return at > 0 ? [title.slice(0, at), title.slice(at + 1)] : [title];
}

// A sale node's lines: its answers by size ("M 2 · L 1"), or the one count.
function saleLines(c, entry) {
    var parts = entry[2].map(function (key, s) {
        var n = key ? taken(c, key) : 0;
        return n ? (entry[2].length > 1 ? SIZES[s] + ' ' : '') + de(n) : '';
    }).filter(Boolean);
    return [(entry[1] ? entry[1] + ' ' : '') + (parts.join(' · ') || '0')];
}

function saleNode(c, code) {
    var entry = c.sale[code];
    var bad = entry[2].some(function (key) { return key && taken(c, key) < 0; });
    return { id: 'sale-' + code, column: 0, title: entry[0], titleLines: titleLines(entry[0]), lines: saleLines(c, entry),
        tone: bad ? 'bad' : '', row: -1 };
}

// A race's Level 3 factories, named as the run names the race (the name its chain's row carries).
function raceNode(c, letter) {
    var race = raceName(c.tables, letter, c.record);
    var WF = taken(c, 'WF.' + letter);
    var OF = taken(c, 'OF.' + letter);
    var title = race + ' Level 3';
    var at = c.tables.races.findIndex(function (r) { return r.code === letter; });
    return { id: 'sale-' + letter, column: 0, title: title, titleLines: [title], order: 100 + at,
        lines: ['Erz ' + de(WF) + ' · Silizium ' + de(OF)], tone: WF < 0 || OF < 0 ? 'bad' : '', row: -1 };
}

// A result row's box, or null for a row that supplies nothing (capacity, sales, notes).
function rowNode(row, index) {
    var column = COLUMN_OF[row.type];
    if (column === undefined) return null;
    var lines = [];
    if (row.type === 'mines') {
        var levels = MINE_LEVELS[row.valueText.length] || [];
        levels.forEach(function (l, i) { lines.push(l + ' ' + de(Number(row.valueText[i]))); });
    } else {
        lines.push(SIZES.filter(function (s, i) { return row.shown & (1 << i); })
            .map(function (s) { return s + ' ' + de(row.count[SIZES.indexOf(s)]); }).join(' · '));
    }
    if (row.type === 'plants') {
        lines.push((row.number < 0 ? '' : FIGURE.surplus + ' ') + energyText(row.number));
    }
    var mark = row.mark && row.mark !== '-' ? row.mark : '';
    var bad = row.count.some(function (n) { return n < 0; }) || row.mark === 'F' || row.number < 0;
    // a line is drawn when it has something to build or a mark to show; the mines always
    var shown = row.type === 'mines' || !!mark || row.count.some(function (n) { return n !== 0; });
    var title = lineName(row);
    return { id: 'row-' + index, column: column, title: title, titleLines: titleLines(title), lines: lines,
        mark: mark, tone: bad ? 'bad' : '', shown: shown, row: index };
}

// The node a flow starts at: the supporting plants, the crystal factories, or what is entered for sale; made
// once (nodes: those made so far, by id).
function consumerOf(c, f, rows, nodes) {
    if (f.consumer === 'SKW' || f.consumer === 'KF') {
        var i = c.record.rows.findIndex(function (r) { return r.code === f.consumer; });
        return i < 0 ? null : rows[i];
    }
    var id = 'sale-' + (f.consumer || f.race);
    if (nodes[id]) return nodes[id];
    if (f.consumer) return c.sale[f.consumer] ? saleNode(c, f.consumer) : null;
    return raceNode(c, f.race);
}

// The diagram's model of a run: nodes for what is sold and for every result row that supplies something,
// lines for the flows between them, each of one of the five kinds.
export function chainModel(record, tables) {
    var c = { record: record, tables: tables, keys: tables.questions.map(function (q) { return q.key; }),
        sale: saleEntries(tables) };
    var nodes = {};
    var rows = record.rows.map(rowNode);
    var edges = [];
    record.flows.forEach(function (f) {
        var from = consumerOf(c, f, rows, nodes);
        var to = rows[f.row];
        if (!from || !to || from.column >= to.column) return;   // a flow the picture has no place for
        nodes[from.id] = from;
        nodes[to.id] = to;
        var kind = FLOW_KINDS[f.kind];
        edges.push({ from: from.id, to: to.id, kind: f.kind, label: kind.label(f.amount), words: kind.words(f.amount),
            tone: f.amount < 0 ? 'bad' : '' });
    });
    rows.forEach(function (n) { if (n && n.shown) nodes[n.id] = n; });
    // the plants for sale may take no crystals (none entered for sale can), but they are part of what is sold
    if (c.sale.saleSkw[2].some(function (key) { return key && taken(c, key); })) nodes['sale-saleSkw'] = saleNode(c, 'saleSkw');
    var sales = Object.keys(c.sale);
    var list = Object.keys(nodes).map(function (id) { return nodes[id]; })
        .sort(function (a, b) { return a.column - b.column || order(a, sales) - order(b, sales); });
    return {
        title: 'Produktionskette des Plans',
        description: 'Links steht, was zum Verkauf eingegeben ist; rechts daneben, was es versorgt.',
        columns: COLUMNS, nodes: list, edges: edges
    };
}

// Sale nodes in the order of the dialogue, the races' in the order of the tables, rows in the order of the results.
function order(node, sales) {
    if (node.row >= 0) return node.row;
    return node.order === undefined ? sales.indexOf(node.id.slice(5)) : node.order;
}
