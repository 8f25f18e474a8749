// "Warum?": why a result line is what it is, in German sentences with this plan's numbers. Every number comes
// from the run's record (the values behind the line under their short codes, what the questions took), none
// from a calculation of the page's own.

import { number } from './format.js';

var de = number;

var MARKS = {
    '-': 'Kein Überschuss: der Bedarf geht ohne Rest in ganze Fabriken auf',
    S: 'Überschuss S: eine Größeneinheit mehr als nötig, eine halbe M-Fabrik',
    M: 'Überschuss M: zwei Größeneinheiten mehr als nötig, eine ganze M-Fabrik'
};

function taken(c, code) {
    var i = c.tables.questions.findIndex(function (q) { return q.code === code; });
    return c.record.questions[i];
}

// A race's name as the run's lines give it: "Rasse1" to "Rasse5" for extra races answered 'n'.
export function raceName(record, tables, letter) {
    var race = tables.races.filter(function (r) { return r.code === letter; })[0];
    var numbered = record.answers[tables.raceNames] === 'n' && race.numberedName;
    return numbered ? race.numberedName : race.name;
}

// "von Hand eingegeben" when an -m question took a typed value instead of the one it showed.
function byHand(c, code) {
    var q = taken(c, code);
    return q.asked && q.source === 'typed' ? ' (von Hand eingegeben; berechnet waren ' + de(q.shown) + ')' : '';
}

// "1 Stufe", "2 Stufen".
function count(n, one, many) {
    return de(n) + ' ' + (n === 1 ? one : many);
}

// The SKW counts typed over the shown ones, when any was.
function plantsByHand(c) {
    var codes = ['skwXL', 'skwL', 'skwM'];
    if (!codes.some(function (code) { return byHand(c, code); })) return '';
    return ' (von Hand eingegeben; berechnet waren XL ' + codes.map(function (code) {
        return de(taken(c, code).shown);
    }).join(', L ').replace(/, L (\S+)$/, ', M $1') + ')';
}

function plants(f, c) {
    var sale = ['saleSkwXL', 'saleSkwL', 'saleSkwM'].map(function (code) { return de(taken(c, code).taken); });
    var lines = [
        'Die Fabriken zum Verkauf brauchen zusammen ' + de(f.EZ) + ' EZ pro Stunde' + byHand(c, 'demand') + '.',
        'Gedeckt wird das zuerst mit XL-, dann mit L- und zuletzt mit M-Kraftwerken; im ganzen Komplex stehen so XL '
            + de(f.XL) + ', L ' + de(f.L) + ', M ' + de(f.M) + plantsByHand(c) + '. Davon sind XL ' + sale[0]
            + ', L ' + sale[1] + ', M ' + sale[2] + ' zum Verkauf eingegeben; die übrigen sind zu bauen.'
    ];
    lines.push(f.E <= 0 ? 'Übrig bleiben ' + de(-f.E) + ' EZ pro Stunde: der EZ-Überschuss.'
        : 'Es fehlen ' + de(f.E) + ' EZ pro Stunde: die Kraftwerke reichen für den Bedarf nicht.');
    return lines;
}

function crystals(row, f, c) {
    var xl = !!c.record.options.xl;
    var lines = ['Jedes Sonnenkraftwerk braucht Kristalle. Im Komplex stehen XL ' + de(f.XL) + ', L ' + de(f.L)
        + ', M ' + de(f.M) + ' Kraftwerke, die zum Verkauf eingeschlossen.'];
    if (f.KG !== undefined) {
        lines.push('Die Kristallfabriken sind keinem Volk zugeordnet; ihre Nahrung kommt aus eigenen L2- und L1-'
            + 'Fabriken, auch für ' + de(f.KG) + ' Größeneinheiten Kristallfabriken zum Verkauf.');
    } else if (xl) {
        lines.push('Mit -xl bekommt jedes Kraftwerk eine Kristallfabrik seiner Größe.');
    } else {
        lines.push('Ohne XL- und L-Kristallfabriken stehen M-Fabriken dafür: fünf je XL-Kraftwerk, fünf je zwei '
            + 'L-Kraftwerke, drei für ein einzelnes, eine je M-Kraftwerk: zusammen ' + de(row.count[0]) + '.');
    }
    if (row.mark) lines.push(row.mark === 'S' ? 'Überschuss S: ein einzelnes L-Kraftwerk bekommt drei M-Fabriken, '
        + 'wo zweieinhalb reichen.' : 'Kein Überschuss: die Fabriken decken den Bedarf genau.');
    return lines;
}

function demandParts(f, c, code) {
    var special = ['GKF', 'KDF', 'SBF'].filter(function (s) { return f[s] !== undefined; })[0];
    if (special) return de(f[special]) + ' ' + special + ' (je eine Einheit)';
    var parts = de(f.NF) + ' Level-3-Fabriken der ' + raceName(c.record, c.tables, code.charAt(0));
    if (f.KG !== undefined) {
        parts += ', ' + de(f.KG) + ' für die Kristallfabriken zum Verkauf und ' + de(f.KF)
            + ' für die Kristallfabriken der Kraftwerke';
    }
    return parts;
}

function chain(row, f, c, index) {
    var code = Object.keys(f).filter(function (k) { return /^[A-Z]S?NP$/.test(k); })[0];
    var xl = !!c.record.options.xl;
    var lines = ['Bedarf ' + code + ' = ' + de(f[code]) + ' Größeneinheiten: ' + demandParts(f, c, code)
        + ', dazu ' + count(f['2O'], 'Einheit', 'Einheiten') + ' Aufschlag (Überschussklasse 2O).'];
    var split = (xl ? 'Aufgeteilt in XL-Paare zu 10 Einheiten: ' + de(f.XL) + ' (Rest ' + de(f.restXL) + '), dann '
        : 'Aufgeteilt in ') + 'L-Paare zu 5 Einheiten: ' + de(f.L) + ' (Rest ' + de(f.restL)
        + '), dann M-Paare zu 2 Einheiten: ' + de(f.M) + ' (Rest ' + de(f.restM) + ').';
    lines.push(split);
    lines.push(MARKS[row.mark] ? MARKS[row.mark] + (c.record.options.opt
        ? ' (mit -opt so klein wie möglich).' : ' (ohne -opt bekommt jeder Bedarf über 0 einen kleinen Überschuss).')
        : 'Überschuss F: ein Fehler, den negative Eingaben auslösen.');
    c.record.messages.forEach(function (m) {
        if (m.about === 'row' && m.index === index) lines.push(m.text + ': der Bedarf geht nicht in ganze Paare auf.');
    });
    return lines;
}

function mines(row, f, c) {
    var ore = f.ME !== undefined;
    var demand = ore ? f.ME : f.MS;
    var lines = [(ore ? 'Erzbedarf ME = ' : 'Siliziumbedarf MS = ') + de(demand) + ' pro Stunde'
        + byHand(c, ore ? 'ME' : 'MS') + '. Eine Ausbeutestufe liefert ' + de(f.perYield) + ' pro Stunde, '
        + 'der Bedarf braucht also ' + de(f.yield) + ' Stufen.'];
    if (!ore) {
        lines.push('Kritisch: ' + de(f.criticalYield) + ' Stufen, ohne die ' + de(f.surplusEZ)
            + ' EZ Überschuss (je ' + de(f.ezPerYield) + ' EZ eine Stufe weniger), aufgerundet: ' + de(row.value[0]) + '.');
    }
    lines.push('Ausreichend: ' + de(f.yield) + ' aufgerundet: ' + de(row.value[ore ? 0 : 1]) + '.');
    lines.push('Empfohlen: dazu ' + count(f.extraYield, 'Stufe', 'Stufen') + ' Spielraum für Ausbauten und eine feste Reserve: '
        + de(row.value[ore ? 1 : 2]) + '.');
    return lines;
}

var SALE = {
    saleSkwM: 'die Kraftwerke zum Verkauf geben ihre ganze Produktion ab (XL {saleSkwXL}, L {saleSkwL}, M {saleSkwM})',
    KG: '{KG} Größeneinheiten Kristallfabriken zum Verkauf',
    EAG: '{EAG} Größeneinheiten Ausbeute der Erzminen zum Verkauf',
    SAG: '{SAG} Größeneinheiten Ausbeute der Siliziumminen zum Verkauf'
};

function sale(row, f) {
    var key = Object.keys(SALE).filter(function (k) { return f[k] !== undefined; })[0];
    var text = SALE[key].replace(/\{(\w+)\}/g, function (all, code) { return de(f[code]); });
    return [text.charAt(0).toUpperCase() + text.slice(1) + ': ' + de(row.value[0]) + ' pro Stunde.'];
}

// The sentences that explain row number index of the run's record.
export function explainRow(record, tables, index) {
    var row = record.rows[index];
    var f = row.facts;
    var c = { record: record, tables: tables };
    if (row.kind === 'plants') return plants(f, c);
    if (row.kind === 'capacity') {
        return ['Kapazität der Kraftwerke (XL ' + de(f.XL) + ', L ' + de(f.L) + ', M ' + de(f.M) + '), die die '
            + 'Produktionszahlen nicht zählen: ' + de(row.number) + ' EZ. Sie wird nur zu Energie, wenn die '
            + 'Kristallfabriken einen Überschuss haben.'];
    }
    if (row.kind === 'mines') return mines(row, f, c);
    if (row.kind === 'sale') return sale(row, f);
    if (row.kind === 'note') return [f.ME === 0 ? 'Kein Verbraucher braucht Erz.' : 'Nichts braucht Silizium.'];
    var isChain = Object.keys(f).some(function (k) { return /^[A-Z]S?NP$/.test(k); });
    return isChain ? chain(row, f, c, index) : crystals(row, f, c);
}
