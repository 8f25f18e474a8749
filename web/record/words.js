// What the page calls each thing, said once: the lines of the results, the figures beside them, the options and
// their answers. Tables, checklist, comparison, CSV, diagram and "Warum?" all take their words from here, so that
// one thing has one name wherever the player meets it.
import { number } from '../lib/format.js';

export const SIZES = ['M', 'L', 'XL'];  // the order of a row's counts

// The options as the page names them, and the yes/no answers that come with some.
export const OPTION_NAMES = {
    xl: 'Mit L- und XL-Größen rechnen', or: 'Fünf weitere Völker', opt: 'Überschüsse klein halten',
    es: 'Ungenutzte SKW-Kapazität zeigen', m: 'Bedarf und SKWs selbst eingeben',
    dat: 'Ergebnisse in eine Datei schreiben', br: 'Alle Rechenwerte in eine Datei schreiben', h: 'Hilfetext schreiben'
};
export const ANSWER_NAMES = { or: 'Weitere Völker mit Namen', dat: 'Eingaben ebenfalls in eine Datei schreiben' };

// The figures a line shows besides its counts.
export const FIGURE = {
    surplus: 'EZ-Überschuss', deficit: 'EZ-Mangel', capacity: 'ungenutzte SKW-Kapazität',
    capacityNote: 'nur bei Kristallüberschuss nutzbar', mark: 'Überschuss', perHour: 'Pro Stunde',
    levels: ['Kritisch', 'Ausreichend', 'Empfohlen'], oreDemand: 'Erzbedarf', siliconDemand: 'Siliziumbedarf',
    yield: 'Ausbeute'
};

// The result tables, in the overview and in the comparison.
export const CAPTION = { build: 'Zu bauen', mines: 'Minen (Gesamtausbeute)', sales: 'Verkauf pro Stunde' };

// What the special factories' questions are called (their chains name them as the core does: a row's race).
export const SPECIAL_NAMES = { GKF: 'Gefechtskopffabriken', KDF: 'Kampfdrohnenmanufakturen',
    SBF: 'Satellitenfertigungen (beide Typen)' };

// Why a field's text is not taken, by the reason's name (the core's answer rule's, or the page's own 'thousands'):
// a count asks for a whole number within its range, whatever is wrong with it; limit is the longest number text
// the core reads (its tables' numberTextLimit).
export const THOUSANDS_MESSAGE = 'Ein Punkt vor drei Ziffern ist ein Tausenderpunkt: bitte 1.500 oder 1500 '
    + 'schreiben, Dezimalstellen mit Komma (1,5).';
export function refusalText(q, refusal, limit) {
    if (refusal === 'thousands') return THOUSANDS_MESSAGE;
    if (q.kind === 'count') return 'Bitte eine ganze Zahl von ' + q.low + ' bis ' + q.high + ' eingeben.';
    if (refusal === 'tooLong') return 'Die Zahl ist zu lang (höchstens ' + limit + ' Zeichen).';
    return 'Bitte eine endliche Zahl eingeben, z. B. 1500 oder 37,5.';
}

// The name of a result line: the line's own words without the colon (and without the dashes of a note), the
// -es line by what it holds.
export function lineName(row) {
    if (row.type === 'capacity') return FIGURE.capacity;
    var name = row.name.replace(/:\s*$/, '');
    return row.type === 'note' ? name.replace(/^-(.*)-$/, '$1') : name;
}

// An amount of EZ per hour that may be missing: "31.940 EZ", "Mangel 199.100 EZ"; its figure's name.
export function energyText(n) {
    return n < 0 ? 'Mangel ' + number(-n) + ' EZ' : number(n) + ' EZ';
}
export function energyName(n) {
    return n < 0 ? FIGURE.deficit : FIGURE.surplus;
}

// A text as a screen reader or voice control should get it: without the soft hyphens that break it on screen.
export function spoken(text) {
    return String(text).replace(/\u00ad/g, '');
}

// The options set in a plan, in the page's words: "„Fünf weitere Völker“ (Weitere Völker mit Namen: nein)".
export function optionsInWords(tables, options, answers) {
    return tables.options.filter(function (o) { return options[o.name]; }).map(function (o) {
        var yes = answers && answers[o.name] !== 'n';
        var answer = o.question && answers ? ' (' + ANSWER_NAMES[o.name] + ': ' + (yes ? 'ja' : 'nein') + ')' : '';
        return '„' + OPTION_NAMES[o.name] + '“' + answer;
    });
}
