// "Warum?": why a result line is what it is, in German sentences with this plan's numbers, in the words the
// page uses elsewhere (lines, figures and options by their names, not by their codes). Every number comes from
// the run's record (the values behind the line, what the questions took), none from a calculation of the
// page's own.
import { number, counted as count } from '../lib/format.js';
import { OPTION_NAMES, SPECIAL_WORDS, FIGURE, lineName } from './words.js';

// A number in a sentence: a value that the console shows as -0 is 0 here.
function de(n) {
    return number(n === 0 ? 0 : n);
}

function option(name) {
    return 'Die Option „' + OPTION_NAMES[name] + '“';
}

var MARKS = {
    '-': 'Kein Überschuss: der Bedarf geht ohne Rest in ganze Fabriken auf.',
    S: 'Überschuss S: eine Größeneinheit mehr als nötig, eine halbe M-Fabrik.',
    M: 'Überschuss M: zwei Größeneinheiten mehr als nötig, eine ganze M-Fabrik.',
    F: 'Überschuss F: ein Fehler, den negative Eingaben auslösen.'
};

function taken(c, key) {
    var i = c.tables.questions.findIndex(function (q) { return q.key === key; });
    return c.record.questions[i];
}

// "von Hand eingegeben" when an -m question took a typed value instead of the one it showed.
function byHand(c, key) {
    var q = taken(c, key);
    return q.asked && q.source === 'typed' ? ' (von Hand eingegeben; berechnet waren ' + de(q.shown) + ')' : '';
}


function sizes(xl, l, m) {
    return 'XL ' + de(xl) + ', L ' + de(l) + ' und M ' + de(m);
}

// The SKW counts typed over the shown ones, when any was.
function plantsByHand(c) {
    var keys = ['skwXL', 'skwL', 'skwM'];
    if (!keys.some(function (key) { return byHand(c, key); })) return '';
    var shown = keys.map(function (key) { return taken(c, key).shown; });
    return ' (von Hand eingegeben; berechnet waren ' + sizes(shown[0], shown[1], shown[2]) + ')';
}

function plants(f, c) {
    var sale = ['saleSkwXL', 'saleSkwL', 'saleSkwM'].map(function (key) { return taken(c, key).taken; });
    var lines = [
        'Die Fabriken zum Verkauf brauchen zusammen ' + de(f.EZ) + ' EZ pro Stunde' + byHand(c, 'demand') + '.',
        'Gedeckt wird das zuerst mit XL-, dann mit L- und zuletzt mit M-Kraftwerken; im ganzen Komplex stehen so '
            + sizes(f.XL, f.L, f.M) + plantsByHand(c) + '. Davon sind ' + sizes(sale[0], sale[1], sale[2])
            + ' zum Verkauf eingegeben; die übrigen sind zu bauen.'
    ];
    lines.push(f.E <= 0 ? 'Übrig bleiben ' + de(-f.E) + ' EZ pro Stunde: der ' + FIGURE.surplus + '.'
        : 'Es fehlen ' + de(f.E) + ' EZ pro Stunde, der ' + FIGURE.deficit + ': die Kraftwerke reichen für den '
            + 'Bedarf nicht.');
    return lines;
}

// The crystal factories of the plants, and for no crystal race the food factories that feed them.
function crystals(row, f, c) {
    var lines = ['Jedes Sonnenkraftwerk braucht Kristalle. Im Komplex stehen ' + sizes(f.XL, f.L, f.M)
        + ' Kraftwerke, die Kraftwerke zum Verkauf eingeschlossen.'];
    var food = c.record.rows.filter(function (r) { return r.type === 'crystalFood'; })[0];
    if (row.type === 'crystalFood') {
        lines.push('Die Kristallfabriken gehören keinem Volk; ihre Nahrung kommt aus eigenen Level-2-Fabriken mit '
            + 'ihren Level-1-Fabriken, auch für ' + count(f.KG, 'Größeneinheit', 'Größeneinheiten')
            + ' Kristallfabriken zum Verkauf.');
        if (f.KG) {
            lines.push('Die Konsolenausgabe zählt in dieser Zeile nur die Nahrung für die Kristallfabriken der '
                + 'Kraftwerke; die Tabelle zählt wie die Datei Ergebnis.txt auch die für die Kristallfabriken zum '
                + 'Verkauf mit. Deshalb können die Zahlen hier von denen der Konsolenausgabe abweichen.');
        }
    } else {
        lines.push(row.race ? 'Die Kristallfabriken baut das Volk ' + row.race + '; ihre Nahrung kommt aus dessen '
            + 'Nahrungskette.' : 'Die Kristallfabriken gehören keinem Volk; ihre Nahrung kommt aus der Zeile „'
            + (food ? lineName(food) : '') + '“.');
        lines.push(c.record.options.xl ? option('xl') + ' ist an: jedes Kraftwerk bekommt eine Kristallfabrik '
            + 'seiner Größe.' : option('xl') + ' ist aus, es gibt also keine L- und XL-Kristallfabriken. M-Fabriken '
            + 'stehen dafür: fünf je XL-Kraftwerk, fünf je zwei L-Kraftwerke, drei für ein einzelnes L-Kraftwerk und '
            + 'eine je M-Kraftwerk, zusammen ' + de(row.count[0]) + '.');
    }
    if (row.mark === 'S') {
        lines.push('Überschuss S: ein einzelnes L-Kraftwerk bekommt drei M-Fabriken, wo zweieinhalb reichen.');
    } else if (row.mark) {
        lines.push(row.mark === 'F' ? MARKS.F : 'Kein Überschuss: die Fabriken decken den Bedarf genau.');
    }
    return lines;
}

// What a chain's demand is made of: a race's Level 3 factories (and the crystal factories it feeds), or a
// special factory's count.
function demandParts(row, f) {
    if (row.type === 'specialChain') {
        return 'für ' + count(f[row.feeds], SPECIAL_WORDS[row.feeds].one, SPECIAL_WORDS[row.feeds].name)
            + ' je eine Einheit';
    }
    var parts = de(f.NF) + ' für die Level-3-Fabriken der ' + row.race;
    if (f.KG !== undefined) {
        parts += ', ' + de(f.KG) + ' für die Kristallfabriken zum Verkauf und ' + de(f.KF)
            + ' für die Kristallfabriken der Kraftwerke';
    }
    return parts;
}

function chain(row, f, c, index) {
    var demand = f[Object.keys(f)[0]];  // a chain's first fact is its demand
    var lines = ['Gebraucht wird Nahrung für ' + count(demand, 'Größeneinheit', 'Größeneinheiten') + ': '
        + demandParts(row, f) + ', dazu ' + count(f['2O'], 'Einheit', 'Einheiten') + ' Aufschlag für einen '
        + 'kleinen Überschuss.'];
    lines.push('Ein Paar ist eine Level-2-Fabrik mit ihrer Level-1-Fabrik. Aufgeteilt wird '
        + (c.record.options.xl ? 'in XL-Paare zu je 10 Einheiten: ' + de(f.XL) + ', Rest ' + de(f.restXL) + '; dann '
            : '') + 'in L-Paare zu je 5 Einheiten: ' + de(f.L) + ', Rest ' + de(f.restL)
        + '; zuletzt in M-Paare zu je 2 Einheiten: ' + de(f.M) + ', Rest ' + de(f.restM) + '.');
    var mark = MARKS[row.mark] || MARKS.F;
    if (row.mark !== 'F') {
        mark += ' ' + option('opt') + (c.record.options.opt ? ' ist an: der Überschuss ist so klein wie möglich.'
            : ' ist aus: jeder Bedarf über 0 bekommt einen kleinen Überschuss.');
    }
    lines.push(mark);
    c.record.messages.forEach(function (m) {
        if (m.about === 'row' && m.index === index) lines.push(m.text + ': der Bedarf geht nicht in ganze Paare auf.');
    });
    return lines;
}

function stages(n) {
    return count(n, 'Stufe', 'Stufen');
}

function mines(row, f, c) {
    var ore = row.code === 'ME';
    var v = row.valueText.map(Number);
    var at = ore ? 0 : 1;  // where Ausreichend stands
    var lines = ['Der ' + (ore ? FIGURE.oreDemand : FIGURE.siliconDemand) + ' beträgt ' + de(ore ? f.ME : f.MS)
        + ' pro Stunde' + byHand(c, ore ? 'ME' : 'MS') + '. Eine Ausbeutestufe liefert ' + de(f.perYield) + ' pro Stunde; '
        + 'der Bedarf braucht also ' + stages(f.yield) + '.'];
    if (!ore) {
        lines.push('Kritisch sind ' + stages(f.criticalYield) + ', ohne den ' + FIGURE.surplus + ' von '
            + de(f.surplusEZ) + ' EZ (je ' + de(f.ezPerYield) + ' EZ eine Stufe weniger); aufgerundet ' + de(v[0]) + '.');
    }
    lines.push('Ausreichend sind ' + stages(f.yield) + ', aufgerundet ' + de(v[at]) + '.');
    // the sum a reader can check: Ausreichend, the room for more factories, the fixed reserve
    lines.push('Empfohlen sind ' + stages(f.extraYield) + ' mehr als Spielraum für Ausbauten und eine feste Reserve '
        + 'von ' + stages(f.reserve) + ': ' + de(v[at]) + ' + ' + de(f.extraYield) + ' + ' + de(f.reserve) + ' = '
        + de(v[at + 1]) + '.');
    return lines;
}

function sale(row, f) {
    var amount = de(Number(row.valueText[0]));
    if (row.code === 'VK.EZ') {
        return ['Die Sonnenkraftwerke zum Verkauf (' + sizes(f.saleSkwXL, f.saleSkwL, f.saleSkwM) + ') geben ihre '
            + 'ganze Produktion ab: ' + amount + ' EZ pro Stunde.'];
    }
    if (row.code === 'VK.K') {
        return [count(f.KG, 'Größeneinheit', 'Größeneinheiten') + ' Kristallfabriken zum Verkauf liefern '
            + amount + ' Kristalle pro Stunde.'];
    }
    var ore = row.code === 'VK.EA';
    return ['Die ' + (ore ? 'Erzminen' : 'Siliziumminen') + ' zum Verkauf mit '
        + count(ore ? f.EAG : f.SAG, 'Größeneinheit', 'Größeneinheiten') + ' Ausbeute liefern ' + amount + (ore ? ' Erz' : ' Silizium') + ' pro Stunde.'];
}

// The sentences that explain row number index of the run's record.
export function explainRow(record, tables, index) {
    var row = record.rows[index];
    var f = row.facts;
    var c = { record: record, tables: tables };
    if (row.type === 'plants') return plants(f, c);
    if (row.type === 'capacity') {
        return ['Die ' + FIGURE.capacity + ' ist, was die Kraftwerke (' + sizes(f.XL, f.L, f.M) + ') mehr leisten, '
            + 'als die Rechnung zählt: ' + de(row.number) + ' EZ pro Stunde. Nutzbar wird sie nur, wenn die '
            + 'Kristallfabriken einen Überschuss haben.'];
    }
    if (row.type === 'mines') return mines(row, f, c);
    if (row.type === 'sale') return sale(row, f);
    if (row.type === 'note') return [row.code === 'ME' ? 'Kein Verbraucher braucht Erz.' : 'Nichts braucht Silizium.'];
    if (row.type === 'crystals' || row.type === 'crystalFood') return crystals(row, f, c);
    return chain(row, f, c, index);
}
