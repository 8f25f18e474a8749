// The pictures of a plan to keep and to share, laid out as the chain's picture is, in pieces [tag, attributes, text]
// with the chain's classes: a heading with the plan's name, the date and (for the chain) the legend of its lines, and
// the result tables as text and rules. Pure: measure(text, kind) gives a text's width in px in a kind of FONT.
import { spoken } from './words.js';
import { flowName } from './chain.js';
import { KINDS } from './layout.js';

export var MARGIN = 12;          // px of paper around the picture
var LINE = 17, SMALL = 15;       // height of a line of text, of a small one
var GAP = 16;                    // between the columns of a table

function text(pieces, x, y, cls, words, end) {
    var attributes = { class: cls, x: x, y: y };
    if (end) attributes['text-anchor'] = 'end';
    pieces.push(['text', attributes, words, 0]);
}

function rule(pieces, x, y, width) {
    pieces.push(['path', { class: 'rule', d: 'M' + x + ' ' + y + 'h' + width }, '', 0]);
}

// The heading: "Werkverbund · Plan „name“", the date, and the legend of the chain's lines when asked for.
export function headingOf(name, date, legend, measure) {
    var pieces = [];
    var title = 'Werkverbund · Plan „' + name + '“';
    text(pieces, 0, 13, 'chain-title', title);
    text(pieces, 0, 13 + LINE, 'chain-line muted', date);
    var width = Math.max(measure(title, 'title'), measure(date, 'line'));
    var x = 0;
    if (legend) {
        KINDS.forEach(function (k) {
            pieces.push(['path', { class: 'chain-edge chain-' + k, d: 'M' + x + ' ' + (9 + 2.4 * LINE) + 'h28' }, '', 0]);
            text(pieces, x + 32, 13 + 2.4 * LINE, 'chain-line', flowName(k));
            x += 32 + Math.ceil(measure(flowName(k), 'line')) + 14;
        });
    }
    return { pieces: pieces, width: Math.ceil(Math.max(width, x)), height: legend ? 3.4 * LINE + 6 : 2 * LINE + 6 };
}

// A table's columns: the heads' with their subs and what is said below them, then each count's, right-aligned.
function columnsOf(t, measure) {
    var rows = t.rows.concat(t.foot ? [t.foot] : []);
    var widths = t.heads.map(function (h) { return measure(h, 'column'); });
    rows.forEach(function (r) {
        widths[0] = Math.max(widths[0], measure(spoken(r.head), r === t.foot ? 'title' : 'line'),
            r.sub ? measure(r.sub, 'label') : 0);
        r.cells.forEach(function (c, i) { widths[i + 1] = Math.max(widths[i + 1], measure(c.text, 'line')); });
    });
    var x = 0;
    return widths.map(function (w) { return (x += Math.ceil(w) + GAP) - GAP; });   // each column's right edge
}

// One row at y: its head (and below it what is sub and what is said), its cells; returns the height it takes.
function rowPieces(pieces, r, right, y, strong) {
    text(pieces, 0, y + 13, strong ? 'chain-title' : 'chain-line', spoken(r.head));
    r.cells.forEach(function (c, i) {
        text(pieces, right[i + 1], y + 13, (strong ? 'chain-title' : 'chain-line') + (/bad/.test(c.cls) ? ' bad' : ''),
            c.text, true);
    });
    var h = LINE;
    if (r.sub) text(pieces, 0, y + (h += SMALL) - 4, 'chain-label muted', r.sub);
    if (r.said && !strong) text(pieces, 0, y + (h += SMALL) - 4, 'chain-label bad', r.said);
    return h + 3;
}

// The described results' tables one below the other, as the overview shows them: caption, heads, rows, the total,
// the notes below a table; a rule under the heads and each row.
export function tablesOf(described, measure) {
    var pieces = [];
    var y = 0, width = 0;
    described.tables.forEach(function (t) {
        if (!t.rows.length) return;
        var right = columnsOf(t, measure);
        var w = right[right.length - 1];
        text(pieces, 0, y + 13, 'chain-title', t.caption);
        y += LINE + 5;
        t.heads.forEach(function (h, i) { text(pieces, i ? right[i] : 0, y + 12, 'chain-column', h, i > 0); });
        rule(pieces, 0, (y += LINE + 2) - 0.5, w);
        t.rows.forEach(function (r) {
            y += rowPieces(pieces, r, right, y, false);
            rule(pieces, 0, y - 0.5, w);
            if (r.said) width = Math.max(width, Math.ceil(measure(r.said, 'label')));
        });
        if (t.foot) y += rowPieces(pieces, t.foot, right, y + 2, true) + 2;
        (t.notes || []).forEach(function (n) {
            text(pieces, 0, (y += SMALL) - 2, 'chain-label muted', n);
            width = Math.max(width, Math.ceil(measure(n, 'label')));
        });
        width = Math.max(width, w, Math.ceil(measure(t.caption, 'title')));
        y += 18;
    });
    return { pieces: pieces, width: width, height: Math.max(0, y - 18) };
}
