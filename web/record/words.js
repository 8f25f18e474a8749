// What the page calls each thing, said once and keyed by the core's codes: the sizes, the groups for sale, the
// special factories, the form's fields, the lines of the results, the figures beside them, the options and their
// answers, why a field's text is not taken. The form (built by build/frame.js), tables, checklist, comparison, CSV,
// diagram and "Warum?" all take their words from here, so that one thing has one name wherever the player meets it;
// the build stops when a code of the core's tables has no words here (checkWords).
import { number } from '../lib/format.js';

// The core's sizes (its tables' sizes), in the order of a row's counts.
export const SIZES = ['M', 'L', 'XL'];
export const EXTRA_RACES = 5;  // what the option "or" says: the races its tables list as extra

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

// The groups for sale by their consumer code: the form's row (markup: soft hyphens where a narrow column may break),
// and in the chain the title of what is entered for sale and what its lines count.
export const SALE_WORDS = {
    saleSkw: { row: 'Sonnen&shy;kraftwerke', title: 'Sonnenkraftwerke zum Verkauf', counts: '' },
    EAG: { row: 'Erzminen, Ausbeute', title: 'Erzminen zum Verkauf', counts: 'Ausbeute' },
    SAG: { row: 'Silizium&shy;minen, Ausbeute', title: 'Siliziumminen zum Verkauf', counts: 'Ausbeute' },
    L1G: { row: 'Level-1-Fabriken', title: 'Level-1-Fabriken', counts: '' },
    L2G: { row: 'Level-2-Fabriken mit Level&nbsp;1', title: 'Level-2-Fabriken mit Level 1', counts: '' },
    KG: { row: 'Kristall&shy;fabriken', title: 'Kristallfabriken zum Verkauf', counts: '' }
};
// A size's column in the form.
export function sizeColumn(size) { return 'Typ ' + size; }

// The special factories by code: their name (the form's field, whom a chain feeds), one of them counted, and the
// chain's title of them (their chains' lines name them as the core does: a row's race).
export const SPECIAL_WORDS = {
    GKF: { name: 'Gefechtskopffabriken', one: 'Gefechtskopffabrik', title: 'Gefechtskopffabriken' },
    KDF: { name: 'Kampfdrohnenmanufakturen', one: 'Kampfdrohnenmanufaktur', title: 'Kampfdrohnenmanufakturen' },
    SBF: { name: 'Satellitenfertigungen (beide Typen)', one: 'Satellitenfertigung', title: 'Satellitenfertigungen' }
};

// The Level 3 columns by question code, the -m fields by question code in the order the form shows them (sizes
// as the form asks them) with what each computed value holds, and the crystal race's box and its "no race".
export const LEVEL3_WORDS = { WF: 'erz&shy;basiert', OF: 'silizium&shy;basiert' };
export const MANUAL_WORDS = [
    ['demand', 'EZ-Bedarf pro Stunde', 'was die eingegebenen Fabriken brauchen'],
    ['skwM', 'SKWs Typ M insgesamt', 'mit den SKWs für den EZ-Verkauf'],
    ['skwL', 'SKWs Typ L insgesamt', 'mit den SKWs für den EZ-Verkauf'],
    ['skwXL', 'SKWs Typ XL insgesamt', 'mit den SKWs für den EZ-Verkauf'],
    ['ME', 'Erzbedarf pro Stunde', '150 je Gefechtskopffabrik und erzbasierter Level-3-Fabrik'],
    ['MS', 'Siliziumbedarf pro Stunde', 'für Kristallfabriken (auch die der SKWs), Kampfdrohnen, Satelliten und '
        + 'siliziumbasierte Level-3-Fabriken']
];
export const CRYSTAL_RACE_WORDS = { box: 'Volk der Kristallfabriken', none: 'keines' };

// A text of the form's markup as it reads: soft hyphens gone, a no-break space kept.
export function plainText(html) {
    return html.replace(/&shy;|\u00ad/g, '').replace(/&nbsp;/g, '\u00a0').replace(/<[^>]*>/g, '');
}

// A race's name as the run names it (an extra race may be numbered: the name its chain's row carries), else as
// the tables name it.
export function raceName(tables, code, record) {
    var chain = record && record.rows.filter(function (r) { return r.type === 'raceChain' && r.feeds === code; })[0];
    return chain ? chain.race : tables.races.filter(function (r) { return r.code === code; })[0].name;
}

// A field's name, as the form names it, by its key: a sale group's row and size, a special factory, a race's
// Level 3 column, an -m field, the crystal race's box. record: the run that names the extra races.
export function fieldName(tables, key, record) {
    var q = tables.questions.filter(function (x) { return x.key === key; })[0];
    var group = tables.saleGroups.filter(function (g) { return g.keys.indexOf(key) >= 0; })[0];
    if (group) return plainText(SALE_WORDS[group.consumer].row) + ' ' + sizeColumn(SIZES[group.keys.indexOf(key)]);
    var special = tables.specials.filter(function (s) { return s.key === key; })[0];
    if (special) return SPECIAL_WORDS[special.code].name;
    var manual = MANUAL_WORDS.filter(function (m) { return m[0] === q.code; })[0];
    if (manual) return manual[1];
    if (q.kind === 'letter') return CRYSTAL_RACE_WORDS.box;
    return raceName(tables, tables.races[q.index].code, record) + ' ' + plainText(LEVEL3_WORDS[q.code]);
}

// The codes of the core's tables that have no words here, named: the build stops on any.
export function missingWords(tables) {
    var missing = [];
    var need = function (words, code, what) { if (!words[code]) missing.push(what + ' ' + code); };
    tables.saleGroups.forEach(function (g) { need(SALE_WORDS, g.consumer, 'the group for sale'); });
    tables.specials.forEach(function (s) { need(SPECIAL_WORDS, s.code, 'the special factory'); });
    tables.sizes.forEach(function (s, i) { if (SIZES[i] !== s) missing.push('the size ' + s); });
    tables.options.forEach(function (o) {
        need(OPTION_NAMES, o.name, 'the option');
        if (o.question) need(ANSWER_NAMES, o.name, 'the answer of the option');
    });
    tables.questions.forEach(function (q) {
        if (q.group === tables.level3Group) need(LEVEL3_WORDS, q.code, 'the Level 3 question');
        if (q.when === 'm' && !MANUAL_WORDS.some(function (m) { return m[0] === q.code; })) {
            missing.push('the -m question ' + q.code);
        }
    });
    var extra = tables.races.filter(function (r) { return r.extra; }).length;
    if (extra !== EXTRA_RACES) missing.push('the option or for ' + extra + ' extra races');
    return missing;
}

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
