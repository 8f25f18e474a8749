// The production chain as a picture: a column of factories for sale, columns of supporting ones,
// a labelled line from each consumer to its supplier, drawn as SVG markup and then changed in place.
var FONT = { title: [14, 600], line: [13, 400], label: [12, 400], column: [13, 600] };   // px, weight
var PAD = 8, TITLE_H = 19, LINE_H = 17;   // text to a box's sides; height of its title, of a line
var ROW = 18, ENTRY = 10;   // spacing of the lines leaving a box (a label each), arriving at it
var HEAD = 26, GAP = 12;    // column titles above the boxes; boxes apart
var CLEAR = 6, LANE = 6;    // lines passing a box: off it, side by side
var TRACK = 6, ARROW = 7;   // vertical runs side by side; arrow head length
var max = Math.max;

// Columns, boxes and lines with their sizes; refuses a line that does not run to a box further right.
function readModel(model, measure) {
    var byId = {};
    var width = function (text, kind) { return Math.ceil(measure(text, kind)); };
    var cols = model.columns.map(function (c) { return { w: width(c.title, 'column'), gutter: 0, boxes: [] }; });
    model.nodes.forEach(function (n, i) {
        var lines = n.lines || [];
        var col = cols[n.column];
        var w = width(n.title, 'title') + (n.mark ? width(n.mark, 'title') + PAD : 0);
        lines.forEach(function (l) { w = max(w, width(l, 'line')); });
        col.w = max(col.w, w + 2 * PAD);
        col.boxes.push(byId[n.id] = { id: n.id, n: i, col: n.column, ins: [], outs: [], textH: 10 + TITLE_H + lines.length * LINE_H });
    });
    var edges = model.edges.map(function (e, i) {
        var edge = { i: i, from: byId[e.from], to: byId[e.to], w: width(e.label, 'label') + 8, y: [], x: [] };
        if (!edge.from || !edge.to || edge.to.col <= edge.from.col) throw new Error('Linie ' + e.from + ' > ' + e.to);
        edge.from.outs.push(edge);
        edge.to.ins.push(edge);
        cols[edge.from.col].gutter = max(cols[edge.from.col].gutter, edge.w);
        return edge;
    });
    return { cols: cols, boxes: model.nodes.map(function (n) { return byId[n.id]; }), edges: edges };
}

function byY(k) {
    return function (a, b) { return a.y[k] - b.y[k] || a.i - b.i; };
}

// Spreads lines over a box's height, from offset on, spacing apart, in the given order.
function spread(lines, k, b, spacing, offset) {
    lines.forEach(function (e, m) { e.y[k] = b.y + Math.floor((b.h - lines.length * spacing) / 2) + m * spacing + offset; });
}

// Stacks column k's boxes; gives each line there its height: a row at its consumer, an arrow at
// its supplier (half a pixel off, so never where another line leaves), or a lane in the gap above
// or below the box it would cross, straight on below the last box. Returns the bottom.
function placeColumn(chart, k) {
    var passing = chart.edges.filter(function (e) { return e.from.col < k && k < e.to.col; }).sort(byY(k - 1));
    var q = 0;
    var top = HEAD;   // where the open gap starts
    var n = 0;        // lines in the open gap
    var slot = function () { passing[q++].y[k] = top + CLEAR + LANE * n++; };
    chart.cols[k].boxes.forEach(function (b, j) {
        var gap = function () { return n ? 2 * CLEAR + (n - 1) * LANE : j && GAP; };
        b.h = max(b.textH, b.outs.length * ROW, b.ins.length * ENTRY + 2);
        while (q < passing.length && passing[q].y[k - 1] < top + gap() + b.h / 2) slot();   // above its middle?
        b.y = top + gap();
        top = b.y + b.h;
        n = 0;
        spread(b.ins.sort(byY(k - 1)), k, b, ENTRY, 5.5);
        spread(b.outs.sort(function (a, c) { return a.to.n - c.to.n || a.i - c.i; }), k, b, ROW, ROW / 2);
    });
    while (q < passing.length && passing[q].y[k - 1] < top + CLEAR + n * LANE) slot();   // grazes the last box?
    for (; q < passing.length; q++) passing[q].y[k] = passing[q].y[k - 1];
    return top + (n && CLEAR + (n - 1) * LANE);
}

// Tracks from x on for the lines changing height after column k: rising ones first, the upper
// further left, then falling ones, the lower further left, so that lines going one way do not
// cross; one leaving where another arrives turns first. Runs far apart share a track.
function placeChannel(chart, k, x) {
    var dir = function (e) { return e.y[k + 1] > e.y[k] ? 1 : -1; };
    var runs = chart.edges.filter(function (e) { return e.from.col <= k && k < e.to.col && e.y[k] !== e.y[k + 1]; })
        .sort(function (a, b) { return dir(a) - dir(b) || (b.y[k] - a.y[k]) * dir(a) || a.i - b.i; });
    runs.slice().forEach(function (b) {
        var a = runs.filter(function (e) { return e.y[k] === b.y[k + 1]; })[0];
        if (runs.indexOf(a) > runs.indexOf(b)) {
            runs.splice(runs.indexOf(a), 0, runs.splice(runs.indexOf(b), 1)[0]);   // b right after a
        }
    });
    var track = 0;
    var taken = [];   // spans on the current track
    runs.forEach(function (e) {
        var span = [e.y[k], e.y[k + 1]].sort(function (a, b) { return a - b; });
        if (taken.some(function (s) { return span[0] < s[1] + TRACK && s[0] < span[1] + TRACK; })) {
            track++;
            taken = [];
        }
        taken.push(span);
        e.x[k] = x + track * TRACK;
    });
    return x + (runs.length && track * TRACK) + ARROW + 6;   // where the next column starts
}

function pathOf(e) {
    var k = e.from.col;
    var d = 'M' + (e.from.x + e.from.w) + ' ' + e.y[k];
    for (; k < e.to.col; k++) if (e.x[k]) d += 'H' + e.x[k] + 'V' + e.y[k + 1];
    return d + 'H' + e.to.x + 'm-' + ARROW + ' -4l' + ARROW + ' 4l-' + ARROW + ' 4';   // and the arrow head
}

// Columns in model order, each followed by the labels of the lines leaving it and a channel where
// lines change height; boxes, labels, paths in the model's order. measure(text, kind): width in px.
export function layoutChain(model, measure) {
    var chart = readModel(model, measure);
    var height = max.apply(null, chart.cols.map(function (c, k) { return placeColumn(chart, k); }));
    var x = 1;
    chart.cols.forEach(function (c, k) {
        c.x = x;
        c.boxes.forEach(function (b) { b.x = x; b.w = c.w; });
        x += c.w + (c.gutter && c.gutter + 6) + 6;   // labels 6 px off the boxes and the tracks
        if (k + 1 < chart.cols.length) x = placeChannel(chart, k, x);
    });
    return {
        width: x - 5, height: height + CLEAR,   // 1 px right of the last column for its frame
        columns: chart.cols.map(function (c, k) {
            return { x: c.x, y: 0, w: c.w, h: HEAD - 4, title: model.columns[k].title };
        }),
        boxes: chart.boxes.map(function (b) { return { id: b.id, x: b.x, y: b.y, w: b.w, h: b.h }; }),
        labels: chart.edges.map(function (e) {
            var label = model.edges[e.i].label;
            return { x: e.from.x + e.from.w + 6, y: e.y[e.from.col] - 8, w: e.w, h: 16, text: label, edge: e.i };
        }),
        paths: chart.edges.map(function (e) { return { from: e.from.id, to: e.to.id, d: pathOf(e) }; })
    };
}

export const CHAIN_STYLE = Object.keys(FONT).map(function (k) {
    return '.chain-' + k + '{font-size:' + FONT[k][0] + 'px;font-weight:' + FONT[k][1] + '}';
}).join('') + '.chain{color:var(--ink)}.chain text{fill:currentColor}.chain .chain-column{fill:var(--muted)}'
    + '.chain rect{fill:var(--paper)}.chain-box rect{stroke:var(--muted)}.chain .chain-mark{fill:var(--accent)}'
    + '.chain-edge{fill:none;stroke:var(--accent);stroke-width:1.25}.chain .bad{stroke:var(--bad);stroke-dasharray:5 3}'
    + '.chain-box.bad rect{stroke:var(--bad);stroke-width:2}.chain .bad text{fill:var(--bad);stroke:none}';

function escaped(text) {
    return String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/"/g, '&quot;');
}

// Markup of one element's start: attributes in the given order.
function start(name, attributes) {
    var text = '<' + name;
    Object.keys(attributes).forEach(function (a) { text += ' ' + a + '="' + escaped(attributes[a]) + '"'; });
    return text + '>';
}

function tone(item) {
    return item.tone === 'bad' ? ' bad' : '';
}

// A frame: its group, then its rectangle and texts inside it.
function framed(pieces, attributes, r, texts) {
    pieces.push(['g', attributes, '', 0], ['rect', { x: r.x, y: r.y, width: r.w, height: r.h, rx: 3 }, '', 1]);
    texts.forEach(function (t) { pieces.push(['text', t[0], t[1], 1]); });
}

function boxPieces(pieces, node, b) {
    var lines = node.lines || [];
    var y = b.y + Math.floor((b.h - TITLE_H - lines.length * LINE_H) / 2) + 14;   // the title's baseline
    var texts = [[{ class: 'chain-title', x: b.x + PAD, y: y }, node.title]];
    if (node.mark) {
        texts.push([{ class: 'chain-title chain-mark', x: b.x + b.w - PAD, y: y, 'text-anchor': 'end' }, node.mark]);
    }
    lines.forEach(function (line, m) {
        texts.push([{ class: 'chain-line', x: b.x + PAD, y: y + 18 + m * LINE_H }, line]);
    });
    framed(pieces, { class: 'chain-box' + tone(node), 'data-id': b.id }, b, texts);
}

// The picture's elements in document order: [tag, attributes, text, 1 inside a frame]. The description says
// every line in words.
function piecesOf(model, chart, id) {
    var titles = {};
    model.nodes.forEach(function (n) { titles[n.id] = n.title; });
    var words = [model.description].concat(model.edges.map(function (e) {
        return titles[e.from] + ' bezieht ' + e.label + ' von ' + titles[e.to] + (tone(e) && ' (Fehler)') + '.';
    })).join(' ');
    var pieces = [['title', { id: id + 't' }, model.title, 0], ['desc', { id: id + 'd' }, words, 0]];
    chart.columns.forEach(function (c) { pieces.push(['text', { class: 'chain-column', x: c.x, y: 16 }, c.title, 0]); });
    chart.paths.forEach(function (p, i) { pieces.push(['path', { class: 'chain-edge' + tone(model.edges[i]), d: p.d }, '', 0]); });
    chart.boxes.forEach(function (b, i) { boxPieces(pieces, model.nodes[i], b); });
    chart.labels.forEach(function (l) {
        framed(pieces, { class: 'chain-label' + tone(model.edges[l.edge]) }, l, [[{ x: l.x + 4, y: l.y + 12 }, l.text]]);
    });
    return pieces;
}

function markupOf(pieces, svg) {
    var text = start('svg', svg);
    pieces.forEach(function (p, i) {
        text += start(p[0], p[1]) + escaped(p[2]);
        if (p[0] !== 'g') text += '</' + p[0] + '>';
        if (p[3] && !(pieces[i + 1] || [])[3]) text += '</g>';   // the frame's last piece
    });
    return text + '</svg>';
}

// Changes the elements drawn before to the new pieces, attribute by attribute, where they differ.
function update(elements, before, pieces) {
    pieces.forEach(function (p, i) {
        var e = elements[i];
        Object.keys(p[1]).forEach(function (a) { if (p[1][a] !== before[i][1][a]) e.setAttribute(a, p[1][a]); });
        if (p[2] !== before[i][2]) e.textContent = p[2];
    });
}

// Draws the chain into area as one <svg>, labelled for screen readers by its title and description (ids from
// id). The first picture is set as one string of markup (one parse instead of an element per piece); a picture
// with the same elements as the last one changes only the attributes and texts that differ, which is what a
// recompute mostly brings.
export function drawChain(area, model, measure, id) {
    var chart = layoutChain(model, measure);
    var pieces = piecesOf(model, chart, id);
    var svg = { xmlns: 'http://www.w3.org/2000/svg', class: 'chain', role: 'img', 'aria-labelledby': id + 't ' + id + 'd',
        width: chart.width, height: chart.height, viewBox: '0 0 ' + chart.width + ' ' + chart.height };
    var shape = pieces.map(function (p) { return p[0] + (p[1]['data-id'] || ''); }).join(' ');
    if (area.wvChainShape !== shape || !area.firstChild) {
        area.innerHTML = markupOf(pieces, svg);
        area.wvChainShape = shape;
        area.wvChainElements = [].slice.call(area.firstChild.querySelectorAll('*'));
    } else {
        ['width', 'height', 'viewBox'].forEach(function (a) { area.firstChild.setAttribute(a, svg[a]); });
        update(area.wvChainElements, area.wvChainPieces, pieces);
    }
    area.wvChainPieces = pieces;
    return area.firstChild;
}

// A measure for layoutChain in the given font family, from one canvas per family; a text measured once is
// not measured again (most texts stay the same from one recompute to the next).
var measures = {};
export function measureWith(font) {
    if (measures[font]) return measures[font];
    var context = document.createElement('canvas').getContext('2d');
    var known = {};
    var count = 0;
    return (measures[font] = function (text, kind) {
        var key = kind + text;
        if (known[key] === undefined) {
            if (++count > 5000) {   // a long session's old numbers go
                known = {};
                count = 1;
            }
            context.font = FONT[kind][1] + ' ' + FONT[kind][0] + 'px ' + font;
            known[key] = context.measureText(text).width;
        }
        return known[key];
    });
}
