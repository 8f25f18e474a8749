// Writes the page's frame at build time, so that the form stands in the page before the core runs: the option
// switches, the questions of the core's question table in grids and lists, and the list of files. The core gives
// the tables; the page's words for its codes are record/words.js's, the layout of the form here. Stops when a code
// of the tables has no words. Runs in node, not in the page:
//   node frame.js werkverbund-core.wasm werkverbund.html > page-with-frame.html
// The template's <!--FORM--> and <!--FILES--> are replaced; every element carries the id the page's scripts bind.
import fs from 'node:fs';
import { OPTION_NAMES, ANSWER_NAMES, SALE_WORDS, SPECIAL_WORDS, LEVEL3_WORDS, MANUAL_WORDS, CRYSTAL_RACE_WORDS, SIZES,
    sizeColumn, missingWords } from '../record/words.js';
import { hyphenated } from '../record/describe.js';
import { loadCore } from '../core/load.js';

// The options as the page names them, in two boxes: what changes the calculation, and the files of the console
// program. [name, what it does, small note]; an option's yes/no answer follows it.
const OPTION_BOXES = [
    ['Berechnung', [
        ['xl', OPTION_NAMES.xl, 'auch bei Minen, Nahrungs- und Kristall&shy;fabriken'],
        ['or', OPTION_NAMES.or, null],
        ['opt', OPTION_NAMES.opt, 'keine oder nur S-Überschüsse'],
        ['es', OPTION_NAMES.es, 'in EZ, neben den Sonnen&shy;kraftwerken'],
        ['m', OPTION_NAMES.m, 'statt der berechneten Werte'],
    ]],
    ['Dateien des Konsolenprogramms', [
        ['dat', OPTION_NAMES.dat, 'Ergebnis.txt'],
        ['br', OPTION_NAMES.br, 'Eingaben-Variablen.txt'],
        ['h', OPTION_NAMES.h, 'readme.txt'],
    ]],
];
// An option's yes/no answer with its note; the numbered names of the extra races are the tables'.
const numbered = (tables) => tables.races.filter((r) => r.extra).map((r) => r.numberedName);
const answerWords = (tables) => ({
    or: [ANSWER_NAMES.or, `sonst ${numbered(tables)[0]} bis ${numbered(tables).slice(-1)[0]}`],
    dat: [ANSWER_NAMES.dat, 'Eingaben.txt'],
});
// The files of a run, what each holds and which options write it in the console program.
// [what it holds, the options in the console program's words, the options in the page address's words]
const FILE_WORDS = {
    'Ergebnis.txt': ['die Ergebnisse', '-dat', 'dat=n'],
    'Eingaben.txt': ['die Eingaben', '-dat, Frage „Eingaben ebenfalls in einer Datei ausgeben?“ mit j', 'dat=j'],
    'Eingaben-Variablen.txt': ['alle Rechenwerte', '-br (nach einem Rechenfehler auch ohne)', 'br'],
    'readme.txt': ['der Hilfetext', '-h', 'h'],
};

const esc = (text) => String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/"/g, '&quot;');
const idOf = (key) => 'f-' + key.replace(/\W/g, '-');
const hiddenWhen = (q) => (q.when ? ` data-when=${q.when} hidden` : '');
// A text shown with soft hyphens is named without them, for screen readers and voice control.
const plain = (html) => html.replace(/&shy;|\u00ad/g, '').replace(/&nbsp;/g, ' ').replace(/<[^>]*>/g, '');
const named = (html) => (plain(html) !== html.replace(/<[^>]*>/g, '').replace(/&nbsp;/g, ' ')
    ? ` aria-label="${esc(plain(html))}"` : '');

// A number field; the page's scripts give it its keypad, placeholder and, in a grid, the headings that name it.
const input = (tables, q) => `<input id=${idOf(q.key)}>`;

// A switch named by all its label shows, the option's flag too ("-xl"), so that voice control finds it by either.
function switchRow(id, words, note, whenOn) {
    const flag = whenOn ? '' : `-${id.slice(2)}`;
    return `<label class="switch${whenOn ? ` answer" data-when=${whenOn} hidden` : '"'}>`
        + `<input type=checkbox role=switch id=${id}${named(words + (note ? ', ' + note : '') + (flag && ' ' + flag))}>`
        + `<span>${words}${note ? `<small>${note}</small>` : ''}</span>`
        + (flag && `<code>${flag}</code>`) + '</label>';
}

// The option boxes; after an option's switch what it asks: its yes/no answer, or the fields its questions fill
// (after: option name to markup).
function optionBoxes(tables, after) {
    const extra = tables.races.filter((r) => r.extra).map((r) => r.name).join(', ');
    const answers = answerWords(tables);
    return OPTION_BOXES.map(([legend, rows]) => `<fieldset class=options data-later><legend>${legend}</legend>`
        + rows.map(([name, words, note]) => {
            const answer = answers[name];
            return switchRow('o-' + name, words, name === 'or' ? extra : note)
                + (answer ? switchRow('a-' + name, answer[0], answer[1], name) : '') + (after[name] || '');
        }).join('') + '</fieldset>').join('');
}

// A grid of fields: column heads, then per row a head and one cell per column (empty where no question is).
function grid(cls, heads, rows) {
    return `<table class="grid ${cls}"><thead><tr><td></td>`
        + heads.map(([id, text, whenOn]) => `<th scope=col id=${id}${whenOn || ''}${named(text)}>${text}</th>`).join('')
        + '</tr></thead><tbody>'
        + rows.map((r) => `<tr${r.attributes || ''}><th scope=row id=${r.id}${named(r.head)}>${r.head}</th>`
            + r.cells.map((c) => `<td${c ? c.attributes : ''}>${c ? c.html : ''}</td>`).join('') + '</tr>').join('')
        + '</tbody></table>';
}

// Each box is laid out on its own as the page starts (data-later).
const box = (legend, body, attributes) =>
    `<fieldset${attributes || ''} data-later><legend>${legend}</legend>${body}<div class=messages></div></fieldset>`;

function saleBox(tables) {
    const question = (key) => tables.questions.find((q) => q.key === key);
    const questions = tables.saleGroups.map((g) => g.keys.map((key) => key && question(key)));
    const rows = tables.saleGroups.map((g, group) => ({
        id: 'r-g' + group, head: SALE_WORDS[g.consumer].row,
        cells: questions[group].map((q) => q && { attributes: hiddenWhen(q), html: input(tables, q) }),
    }));
    // a column's heading comes with its option only when all of its questions do
    const heads = SIZES.map((s, i) => {
        const whens = new Set(questions.map((row) => row[i] && row[i].when));
        return ['c-' + s, sizeColumn(s), whens.size === 1 ? hiddenWhen(questions[0][i]) : ''];
    });
    return box('Fabriken für den Verkauf', grid('sale', heads, rows)
        + '<p class="hint">Minen mit ihrer Gesamtausbeute je Typ; eingegebene Fabriken stehen nicht in den '
        + 'Ergebnissen.</p>');
}

function level3Box(tables) {
    const rows = tables.races.map((race, r) => {
        const qs = tables.questions.filter((q) => q.group === tables.level3Group && q.index === r);
        return {
            id: 'r-' + race.code, head: esc(race.name), attributes: hiddenWhen(qs[0]),
            cells: qs.map((q) => ({ attributes: '', html: input(tables, q) })),
        };
    });
    const heads = Object.keys(LEVEL3_WORDS).map((code) => ['c-' + code, LEVEL3_WORDS[code]]);
    return box('Level-3-Fabriken je Volk', grid('level3', heads, rows)
        + '<p class="hint">Erzbasiert ist z.&nbsp;B. die Munitionsfabrik, siliziumbasiert das Chip-Werk.</p>');
}

function field(tables, q, label, note, computed) {
    const id = idOf(q.key);
    return `<div class=field><label for=${id}>${label}${note ? `<small>${note}</small>` : ''}</label>`
        + input(tables, q).replace('>', named(label) + '>')
        + (computed ? `<span class=computed id=${id}-c></span>` : '') + '</div>';
}

function crystalRaceBox(tables) {
    const q = tables.questions.find((o) => o.kind === 'letter');
    const key = q.key;
    return box(CRYSTAL_RACE_WORDS.box, '<div class=choice>' + tables.crystalRaces.map((c, i) => {
        const name = c.race ? esc(c.name) : CRYSTAL_RACE_WORDS.none;
        const checked = i ? '' : ' checked';
        return `<label class=radio><input type=radio name=${key} value=${c.letter}${checked}>${name}</label>`;
    }).join('') + '</div>');
}

function formHtml(tables) {
    const specials = tables.specials.map((s) => [tables.questions.find((q) => q.key === s.key), s.code]);
    const manual = MANUAL_WORDS.map(([code, label, note]) =>
        field(tables, tables.questions.find((q) => q.code === code), label, note, true));
    const manualBox = box('Eigene Werte statt der berechneten', manual.join(''), ' class=manual data-when=m hidden');
    return optionBoxes(tables, { m: manualBox }) + saleBox(tables)
        + box('Spezialfabriken', specials.map(([q, code]) => field(tables, q, hyphenated(SPECIAL_WORDS[code].name)))
            .join(''))
        + level3Box(tables) + crystalRaceBox(tables);
}

function filesHtml(tables) {
    return tables.files.map((name) => {
        const [holds, console, needs] = FILE_WORDS[name];
        return `<li><a href="#" download="${name}" data-needs="${needs}">${name}</a> `
            + `<span>${holds}; im Konsolenprogramm mit ${console}</span></li>`;
    }).join('')
        + '<li><a href="#" download="antworten.txt">antworten.txt</a> <span>die Antworten dieses Plans für '
        + 'das Konsolenprogramm</span></li>';
}

async function main() {
    const [corePath, templatePath] = process.argv.slice(2);
    const core = await loadCore(fs.readFileSync(corePath));
    const tables = JSON.parse(core.UTF8ToString(core._wv_tables()));
    const named = OPTION_BOXES.flatMap(([, rows]) => rows.map((r) => r[0]));
    const missing = missingWords(tables).concat(tables.options.filter((o) => !named.includes(o.name))
        .map((o) => `the option ${o.name} in a box`), tables.files.filter((name) => !FILE_WORDS[name])
        .map((name) => `the file ${name}`));
    if (missing.length) throw new Error(`frame.js: no words for ${missing.join(', ')}`);
    const page = fs.readFileSync(templatePath, 'utf8');
    process.stdout.write(page.replace('<!--FORM-->', formHtml(tables)).replace('<!--FILES-->', filesHtml(tables)));
}

main().catch((e) => {
    process.stderr.write(String(e.stack || e) + '\n');
    process.exit(1);
});
