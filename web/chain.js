// The chain of one run as the diagram draws it: what is entered for sale in the first column, the supporting
// factories of the result rows in columns of energy, crystals, food and mines, and a line from each consumer to
// its supplier for every flow the core recorded, labelled with what flows. Counts and amounts are the record's.
import { number as de, whole } from './format.js';
import { keyOf } from './plan.js';
import { raceName } from './explain.js';

var COLUMNS = [{ title: 'Zum Verkauf' }, { title: 'Energie' }, { title: 'Kristalle' }, { title: 'Nahrung' },
    { title: 'Minen' }];
// What is entered for sale: its title and the questions whose answers its lines show.
var SALE = {
    SKW: ['Sonnenkraftwerke zum Verkauf', '', ['saleSkwM', 'saleSkwL', 'saleSkwXL']],
    EAG: ['Erzminen zum Verkauf', 'Ausbeute', ['EAM', 'EAL', 'EAXL']],
    SAG: ['Siliziumminen zum Verkauf', 'Ausbeute', ['SAM', 'SAL', 'SAXL']],
    L1G: ['Level-1-Fabriken', '', ['L1M', 'L1L', 'L1XL']],
    L2G: ['Level-2-Fabriken mit Level 1', '', ['L2M', 'L2L', 'L2XL']],
    KG: ['Kristallfabriken zum Verkauf', '', ['KM', 'KL', 'KXL']],
    GKF: ['Gefechtskopffabriken', '', ['GKF']],
    KDF: ['Kampfdrohnenmanufakturen', '', ['KDF']],
    SBF: ['Satellitenfertigungen', '', ['SBF']]
};
var SIZES = ['M', 'L', 'XL'];
var units = function (n) { return de(n) + (n === 1 ? ' Einheit' : ' Einheiten'); };
var FLOW = {
    energy: function (n) { return de(n) + ' EZ/h Energie'; },
    crystals: function (n) { return units(n) + ' Kristalle'; },
    food: function (n) { return units(n) + ' Nahrung'; },
    ore: function (n) { return de(n) + ' Erz/h'; },
    silicon: function (n) { return de(n) + ' Silizium/h'; }
};

function taken(c, key) {
    var i = c.keys.indexOf(key);
    return i < 0 ? 0 : c.record.questions[i].taken;
}

// A sale node's lines: its answers by size ("M 2 · L 1"), or the one count.
function saleLines(c, entry) {
    var parts = entry[2].map(function (key, s) {
        var n = taken(c, key);
        return n ? (entry[2].length > 1 ? SIZES[s] + ' ' : '') + de(n) : '';
    }).filter(Boolean);
    return [(entry[1] ? entry[1] + ' ' : '') + parts.join(' · ')];
}

function raceNode(c, letter) {
    var WF = taken(c, 'WF.' + letter);
    var OF = taken(c, 'OF.' + letter);
    return { id: 'sale-' + letter, column: 0, title: raceName(c.record, c.tables, letter) + ' Level 3',
        lines: ['Erz ' + de(WF) + ' · Silizium ' + de(OF)], tone: WF < 0 || OF < 0 ? 'bad' : '' };
}

function saleNode(c, code) {
    var entry = SALE[code];
    var lines = saleLines(c, entry);
    var bad = entry[2].some(function (key) { return taken(c, key) < 0; });
    return { id: 'sale-' + code, column: 0, title: entry[0], lines: lines, tone: bad ? 'bad' : '' };
}

// The column a result row stands in.
function columnOf(row, facts) {
    if (row.kind === 'plants') return 1;
    if (row.kind === 'mines') return 4;
    if (row.kind !== 'factories') return -1;
    return Object.keys(facts).some(function (k) { return /NP$/.test(k); }) || facts.KG !== undefined ? 3 : 2;
}

function rowNode(row, index) {
    var column = columnOf(row, row.facts);
    if (column < 0) return null;
    var lines = [];
    if (row.kind === 'mines') {
        var levels = row.value.length === 3 ? ['Kritisch', 'Ausreichend', 'Empfohlen'] : ['Ausreichend', 'Empfohlen'];
        lines.push(levels.map(function (l, i) { return l + ' ' + de(whole(row.value[i])); }).join(' · '));
    } else {
        lines.push(SIZES.filter(function (s, i) { return row.shown & (1 << i); })
            .map(function (s) { return s + ' ' + de(row.count[SIZES.indexOf(s)]); }).join(' · '));
    }
    if (row.kind === 'plants') lines.push('EZ-Überschuss ' + de(row.number));
    var bad = row.count.some(function (n) { return n < 0; }) || row.mark === 'F' || row.number < 0;
    var empty = row.kind !== 'mines' && row.count.every(function (n) { return n === 0; });
    return { id: 'row-' + index, column: column, title: row.name.replace(/:\s*$/, ''), lines: lines,
        mark: row.mark || '', tone: bad ? 'bad' : '', empty: empty };
}

// The diagram's model of a run: nodes for what is sold and for every result row that supplies something,
// lines for the flows between them.
export function chainModel(record, tables) {
    var c = { record: record, tables: tables, keys: tables.questions.map(function (q) { return keyOf(tables, q); }) };
    var nodes = {};
    var rows = record.rows.map(rowNode);
    var crystalRow = record.rows.findIndex(function (r, i) { return rows[i] && rows[i].column === 2; });
    var skwRow = record.rows.findIndex(function (r) { return r.kind === 'plants'; });
    var edges = record.flows.map(function (f) {
        var from;
        if (f.consumer === 'SKW') from = 'row-' + skwRow;
        else if (f.consumer === 'KF') from = 'row-' + crystalRow;
        else from = 'sale-' + (f.consumer || f.race);
        if (!nodes[from]) nodes[from] = f.consumer && SALE[f.consumer] ? saleNode(c, f.consumer) : f.race ? raceNode(c, f.race) : null;
        nodes['row-' + f.row] = rows[f.row];
        return { from: from, to: 'row-' + f.row, label: FLOW[f.kind](f.amount), tone: f.amount < 0 ? 'bad' : '' };
    }).filter(function (e) { return nodes[e.from] && nodes[e.to]; });
    rows.forEach(function (n, i) { if (n && !n.empty) nodes['row-' + i] = n; });
    // the plants for sale consume nothing the calculation records, but they are part of what is sold
    if (SALE.SKW[2].some(function (key) { return taken(c, key); })) nodes['sale-SKW'] = saleNode(c, 'SKW');
    var list = Object.keys(nodes).map(function (id) { return nodes[id]; })
        .sort(function (a, b) { return a.column - b.column || order(a) - order(b); });
    return {
        title: 'Produktionskette des Plans',
        description: 'Links steht, was zum Verkauf eingegeben ist; rechts daneben, was es versorgt.',
        columns: COLUMNS, nodes: list, edges: edges
    };
}

// Sale nodes in the order of the dialogue, rows in the order of the results.
function order(node) {
    var sale = Object.keys(SALE).indexOf(node.id.slice(5));
    if (node.id.indexOf('row-') === 0) return Number(node.id.slice(4));
    return sale >= 0 ? sale : 100 + 'ABPSTVXKYE'.indexOf(node.id.slice(5));
}
