// The production chain as a picture: a column of factories for sale, columns of supporting ones,
// a labelled line from each consumer to its supplier, drawn as SVG markup and then changed in place.
var FONT = { title: [13, 600], line: [12, 400], label: [11, 400], column: [12, 600] };   // px, weight
var PAD = 7, TITLE_H = 18, LINE_H = 17;   // text to a box's sides; height of its title, of a line
var ROW = 16, ENTRY = 10;   // spacing of the lines leaving a box (a label each), arriving at it
var HEAD = 26, GAP = 8;     // column titles above the boxes; boxes apart
var CLEAR = 6, LANE = 6;    // lines passing a box: off it, side by side
var TRACK = 6, ARROW = 7;   // vertical runs side by side; arrow head length
var STEP = 8;               // columns and the labels beside them are as wide as a multiple of this
var max = Math.max;

// The kinds of flow in the order their lines leave a box.
var KINDS = ['energy', 'crystals', 'food', 'ore', 'silicon'];

// Columns, boxes, lines and routes with their sizes; refuses a line that does not run to a box further right.
// A route gathers the lines of one kind from one column to one supplier: one trunk, one arrow.
function readModel(model, measure) {
    var byId = {};
    var width = function (text, kind) { return Math.ceil(measure(text, kind)); };
    var cols = model.columns.map(function (c) { return { w: width(c.title, 'column'), gutter: 0, boxes: [] }; });
    model.nodes.forEach(function (n, i) {
        var lines = n.lines || [];
        var titles = n.titleLines || [n.title];
        var col = cols[n.column];
        var w = width(titles[0], 'title') + (n.mark ? width(n.mark, 'title') + PAD : 0);   // the mark beside the title
        titles.slice(1).forEach(function (t) { w = max(w, width(t, 'title')); });
        lines.forEach(function (l) { w = max(w, width(l, 'line')); });
        col.w = max(col.w, w + 2 * PAD);
        col.boxes.push(byId[n.id] = { id: n.id, n: i, col: n.column, ins: [], outs: [], titles: titles.length,
            textH: 10 + titles.length * TITLE_H + lines.length * LINE_H });
    });
    var routes = {};
    var edges = model.edges.map(function (e, i) {
        var edge = { i: i, from: byId[e.from], to: byId[e.to], w: width(e.label, 'label') + 8, kind: KINDS.indexOf(e.kind) };
        if (!edge.from || !edge.to || edge.to.col <= edge.from.col) throw new Error('Linie ' + e.from + ' > ' + e.to);
        var key = edge.from.col + ' ' + e.to + ' ' + e.kind;
        var route = routes[key];
        if (!route) {
            route = routes[key] = { i: i, c: edge.from.col, to: edge.to, kind: edge.kind, edges: [], y: [], x: [] };
            edge.to.ins.push(route);
        }
        route.edges.push(edge);
        edge.route = route;
        edge.from.outs.push(edge);
        cols[edge.from.col].gutter = max(cols[edge.from.col].gutter, edge.w);
        return edge;
    });
    return { cols: cols, boxes: model.nodes.map(function (n) { return byId[n.id]; }), edges: edges,
        routes: Object.keys(routes).map(function (k) { return routes[k]; }) };
}

function byY(k) {
    return function (a, b) { return a.y[k] - b.y[k] || a.i - b.i; };
}

// Spreads lines over a box's height, from offset on, spacing apart, in the given order; set(line, y).
function spread(lines, b, spacing, offset, set) {
    lines.forEach(function (e, m) { set(e, b.y + Math.floor((b.h - lines.length * spacing) / 2) + m * spacing + offset); });
}

// Stacks column k's boxes; gives each route there its height: an arrow at its supplier (half a pixel off, so
// never where a line leaves), or a lane in the gap above or below the box it would cross, straight on below the
// last box; each line leaving a box its row. A route starting here goes on at its middle port's height, which no
// other line leaving this column has. Returns the bottom.
function placeColumn(chart, k) {
    var passing = chart.routes.filter(function (r) { return r.c < k && k < r.to.col; }).sort(byY(k - 1));
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
        spread(b.ins.sort(byY(k - 1)), b, ENTRY, 5.5, function (r, y) { r.y[k] = y; });
        b.outs.sort(function (a, c) { return a.to.n - c.to.n || a.kind - c.kind || a.i - c.i; });
        spread(b.outs, b, ROW, ROW / 2, function (e, y) { e.y = y; });
    });
    while (q < passing.length && passing[q].y[k - 1] < top + CLEAR + n * LANE) slot();   // grazes the last box?
    for (; q < passing.length; q++) passing[q].y[k] = passing[q].y[k - 1];
    chart.routes.forEach(function (r) {
        if (r.c === k) r.y[k] = r.edges.map(function (e) { return e.y; }).sort(function (a, b) { return a - b; })[r.edges.length >> 1];
    });
    return top + (n && CLEAR + (n - 1) * LANE);
}

// The height span a route runs in channel k: its ports and where it goes on in the channel where it starts,
// else from its height to the next one; null where it runs straight on.
function spanOf(r, k) {
    var ys = r.c === k ? r.edges.map(function (e) { return e.y; }).concat(r.y[k + 1]) : [r.y[k], r.y[k + 1]];
    var span = [Math.min.apply(null, ys), max.apply(null, ys)];
    return span[0] === span[1] ? null : span;
}

// Tracks from x on for the routes changing height after column k: rising ones first, the upper further left,
// then falling ones, the lower further left, so that routes going one way do not cross; one leaving where
// another arrives turns first. Runs far apart share a track.
function placeChannel(chart, k, x) {
    var dir = function (r) { return r.y[k + 1] > r.y[k] ? 1 : -1; };
    var spans = new Map();   // each run's span and the heights it leaves its column at, worked out once
    var runs = chart.routes.filter(function (r) {
        var span = r.c <= k && k < r.to.col && spanOf(r, k);
        if (span) spans.set(r, { span: span, leaving: r.c === k ? r.edges.map(function (e) { return e.y; }) : [r.y[k]] });
        return span;
    }).sort(function (a, b) { return dir(a) - dir(b) || (b.y[k] - a.y[k]) * dir(a) || a.i - b.i; });
    runs.slice().forEach(function (b) {
        var a = runs.find(function (r) { return spans.get(r).leaving.indexOf(b.y[k + 1]) >= 0; });
        if (runs.indexOf(a) > runs.indexOf(b)) {
            runs.splice(runs.indexOf(a), 0, runs.splice(runs.indexOf(b), 1)[0]);   // b right after a
        }
    });
    var track = 0;
    var taken = [];   // spans on the current track
    runs.forEach(function (r) {
        var span = spans.get(r).span;
        if (taken.some(function (s) { return span[0] < s[1] + TRACK && s[0] < span[1] + TRACK; })) {
            track++;
            taken = [];
        }
        taken.push(span);
        r.x[k] = x + track * TRACK;
    });
    return x + (runs.length && track * TRACK) + ARROW + 6;   // where the next column starts
}

// The route from the channel where it starts on, to its arrow head.
function onward(r, k) {
    var d = '';
    for (; k < r.to.col; k++) if (r.x[k]) d += 'H' + r.x[k] + 'V' + r.y[k + 1];
    return d + 'H' + r.to.x + 'm-' + ARROW + ' -4l' + ARROW + ' 4l-' + ARROW + ' 4';   // and the arrow head
}

// One line's whole way: from its box to its route's track, then the route's.
function pathOf(e) {
    var r = e.route;
    var d = 'M' + (e.from.x + e.from.w) + ' ' + e.y;
    if (r.x[r.c]) d += 'H' + r.x[r.c] + 'V' + r.y[r.c + 1];
    return d + onward(r, r.c + 1);
}

// A route's trunk: its collecting track and the way on; a route of one line is that line.
function trunkOf(r) {
    if (r.edges.length === 1) return pathOf(r.edges[0]);
    var span = spanOf(r, r.c);
    return 'M' + r.x[r.c] + ' ' + span[0] + 'V' + span[1] + 'M' + r.x[r.c] + ' ' + r.y[r.c + 1] + onward(r, r.c + 1);
}

// Columns in model order, each followed by the labels of the lines leaving it and a channel where
// routes change height; boxes, labels, lines in the model's order; routes with their lines and the stub
// from each line's box to its route's trunk. measure(text, kind): width in px.
export function layoutChain(model, measure) {
    var chart = readModel(model, measure);
    var height = max.apply(null, chart.cols.map(function (c, k) { return placeColumn(chart, k); }));
    var x = 1;
    chart.cols.forEach(function (c, k) {
        // widths in steps of STEP px, so that a recompute that changes a few numbers moves no column
        c.w = Math.ceil(c.w / STEP) * STEP;
        c.gutter = Math.ceil(c.gutter / STEP) * STEP;
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
        boxes: chart.boxes.map(function (b) { return { id: b.id, x: b.x, y: b.y, w: b.w, h: b.h, titles: b.titles }; }),
        labels: chart.edges.map(function (e) {
            var label = model.edges[e.i].label;
            return { x: e.from.x + e.from.w + 6, y: e.y - 7.5, w: e.w, h: 15, text: label, edge: e.i };
        }),
        paths: chart.edges.map(function (e) {
            return { from: e.from.id, to: e.to.id, d: pathOf(e), route: chart.routes.indexOf(e.route),
                stub: e.route.edges.length > 1 ? 'M' + (e.from.x + e.from.w) + ' ' + e.y + 'H' + e.route.x[e.route.c] : '' };
        }),
        routes: chart.routes.map(function (r) {
            return { d: trunkOf(r), to: r.to.id, kind: KINDS[r.kind], edges: r.edges.map(function (e) { return e.i; }) };
        })
    };
}

// Each kind of flow by its colour and its dash, so that also a print in black and white tells them apart.
const FLOW_STYLE = { energy: '', crystals: '8 3', food: '8 2 2 2', ore: '3 3', silicon: '1.5 2.5' };

export const CHAIN_STYLE = Object.keys(FONT).map(function (k) {
    return '.chain-' + k + '{font-size:' + FONT[k][0] + 'px;font-weight:' + FONT[k][1] + '}';
}).join('') + '.chain{color:var(--ink)}.chain text{fill:currentColor}.chain .chain-column{fill:var(--muted)}'
    + '.chain rect{fill:var(--paper)}.chain-box rect{stroke:var(--muted)}.chain .chain-mark{fill:var(--accent)}'
    + '.chain-edge{fill:none;stroke-width:1.6}' + KINDS.map(function (k) {
        return '.chain-' + k + '{stroke:var(--flow-' + k + ')' + (FLOW_STYLE[k] && ';stroke-dasharray:' + FLOW_STYLE[k]) + '}';
    }).join('') + '.chain-silicon{stroke-width:2.2}.chain .bad{stroke:var(--bad)}'
    + '.chain-box.bad rect{stroke:var(--bad);stroke-width:2}.chain .bad text{fill:var(--bad);stroke:none}'
    + '.chain-box{cursor:pointer}.chain .chain-box[aria-pressed]{color:inherit}.chain-box:focus{outline:none}.chain-box:focus rect{stroke-width:3;stroke:var(--accent)}'
    + '.chain[data-picked] [data-on="0"]{opacity:.22}.chain [data-on="1"].chain-edge{stroke-width:3}'
    + '.chain [data-on="1"]>rect{stroke-width:2.5;stroke:var(--accent)}';

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

// A box: focusable, named by its title and lines; the lines of the flows it takes part in (data-edges).
function boxPieces(pieces, node, b, edges) {
    var lines = node.lines || [];
    var titles = node.titleLines || [node.title];
    var y = b.y + Math.floor((b.h - titles.length * TITLE_H - lines.length * LINE_H) / 2) + 13;   // the title's baseline
    var texts = titles.map(function (t, m) { return [{ class: 'chain-title', x: b.x + PAD, y: y + m * TITLE_H }, t]; });
    // the mark's text stands also when empty, so that a mark coming or going changes no element
    texts.push([{ class: 'chain-title chain-mark', x: b.x + b.w - PAD, y: y, 'text-anchor': 'end' }, node.mark || '']);
    var below = y + (titles.length - 1) * TITLE_H;
    lines.forEach(function (line, m) {
        texts.push([{ class: 'chain-line', x: b.x + PAD, y: below + 17 + m * LINE_H }, line]);
    });
    var name = titles.concat(node.mark ? [node.mark] : [], lines).join(' ');   // the visible texts, in order
    framed(pieces, { class: 'chain-box' + tone(node), 'data-id': b.id, 'data-row': node.row, 'data-edges': edges.join(' '),
        tabindex: '0', role: 'button', 'aria-pressed': 'false', 'data-name': name }, b, texts);
}

// The picture's elements in document order: [tag, attributes, text, 1 inside a frame]. The description says
// every line in words.
function piecesOf(model, chart, id) {
    var titles = {};
    model.nodes.forEach(function (n) { titles[n.id] = n.title; });
    var words = [model.description].concat(model.edges.map(function (e) {
        return titles[e.from] + ' bezieht ' + e.words + ' von ' + titles[e.to] + (tone(e) && ' (Fehler)') + '.';
    })).join(' ');
    var pieces = [['title', { id: id + 't' }, model.title, 0], ['desc', { id: id + 'd' }, words, 0]];
    chart.columns.forEach(function (c) { pieces.push(['text', { class: 'chain-column', x: c.x, y: 16, 'aria-hidden': 'true' }, c.title, 0]); });
    chart.routes.forEach(function (r) {
        var bad = r.edges.every(function (i) { return model.edges[i].tone === 'bad'; });
        pieces.push(['path', { class: 'chain-edge chain-' + r.kind + (bad ? ' bad' : ''), d: r.d, 'data-edges': r.edges.join(' ') }, '', 0]);
    });
    chart.paths.forEach(function (p, i) {
        var e = model.edges[i];
        if (p.stub) pieces.push(['path', { class: 'chain-edge chain-' + e.kind + tone(e), d: p.stub, 'data-edges': String(i) }, '', 0]);
    });
    var touching = {};
    model.edges.forEach(function (e, i) { [e.from, e.to].forEach(function (n) { (touching[n] = touching[n] || []).push(i); }); });
    chart.boxes.forEach(function (b, i) { boxPieces(pieces, model.nodes[i], b, touching[b.id] || []); });
    chart.labels.forEach(function (l) {
        framed(pieces, { class: 'chain-label' + tone(model.edges[l.edge]), 'data-edges': String(l.edge), 'aria-hidden': 'true' },
            l, [[{ x: l.x + 4, y: l.y + 11 }, l.text]]);
    });
    return pieces;
}

function markupOf(pieces) {
    var text = '';
    pieces.forEach(function (p, i) {
        text += start(p[0], p[1]) + escaped(p[2]);
        if (p[0] !== 'g') text += '</' + p[0] + '>';
        if (p[3] && !(pieces[i + 1] || [])[3]) text += '</g>';   // the frame's last piece
    });
    return text;
}

// The pieces by the picture's children: a frame with its rectangle and texts is one. Its key: the tags and
// attribute names, so that the elements of two pieces of one key differ only in attribute values and texts.
function childrenOf(pieces) {
    var children = [];
    pieces.forEach(function (p, i) {
        var key = p[0] + ':' + Object.keys(p[1]).join(',');
        if (p[3]) {
            children[children.length - 1].key += ' ' + key;
            children[children.length - 1].end = i + 1;
        } else children.push({ key: key, from: i, end: i + 1 });
    });
    return children;
}

// Makes the picture's children those of the new pieces, keeping each old child that a new one of its key
// takes (in order) and parsing markup only for the others; returns, piece by piece, what the element shows
// now, for update.
function reshape(svg, before, pieces) {
    var olds = childrenOf(before), news = childrenOf(pieces);
    var nodes = [].slice.call(svg.children);
    var free = {};
    olds.forEach(function (c, n) {
        c.node = nodes[n];
        (free[c.key] = free[c.key] || []).push(c);
    });
    var made = news.filter(function (c) {
        c.old = (free[c.key] || []).shift();
        return !c.old;
    });
    if (made.length) {
        var holder = document.createElementNS(svg.namespaceURI, 'svg');
        holder.innerHTML = made.map(function (c) { return markupOf(pieces.slice(c.from, c.end)); }).join('');
        var parsed = [].slice.call(holder.children);
        made.forEach(function (c, n) { c.node = parsed[n]; });
    }
    Object.keys(free).forEach(function (k) { free[k].forEach(function (c) { c.node.remove(); }); });
    var shown = pieces.slice();
    var at = svg.firstElementChild;
    news.forEach(function (c) {
        if (c.old) {
            c.node = c.old.node;
            for (var i = c.from; i < c.end; i++) shown[i] = before[c.old.from + i - c.from];
        }
        if (c.node === at) at = at.nextElementSibling;
        else svg.insertBefore(c.node, at);
    });
    return shown;
}

// Changes the elements drawn before to the new pieces, attribute by attribute, where they differ.
function update(elements, before, pieces) {
    for (var i = 0; i < pieces.length; i++) {
        var now = pieces[i][1], was = before[i][1];
        if (now === was) continue;   // an element just made from this piece
        for (var a in now) if (now[a] !== was[a]) elements[i].setAttribute(a, now[a]);
        if (pieces[i][2] !== before[i][2]) elements[i].textContent = pieces[i][2];
    }
}

// Draws the chain into area as one <svg>, labelled for screen readers by its title and description (ids from
// id). The first picture is set as one string of markup (one parse instead of an element per piece); a picture
// with the same elements as the last one changes only the attributes and texts that differ, which is what a
// recompute mostly brings; one where boxes or lines come or go keeps the elements it can and parses only the
// new ones.
export function drawChain(area, model, measure, id) {
    var chart = layoutChain(model, measure);
    var pieces = piecesOf(model, chart, id);
    var svg = { xmlns: 'http://www.w3.org/2000/svg', class: 'chain', role: 'group', 'aria-labelledby': id + 't ' + id + 'd',
        width: chart.width, height: chart.height, viewBox: '0 0 ' + chart.width + ' ' + chart.height };
    var shape = pieces.map(function (p) { return p[0] + (p[1]['data-id'] || ''); }).join(' ');
    if (!area.firstChild || !area.wvChainPieces) {
        area.innerHTML = start('svg', svg) + markupOf(pieces) + '</svg>';
        area.wvChainElements = [].slice.call(area.firstChild.querySelectorAll('*'));
    } else {
        ['width', 'height', 'viewBox'].forEach(function (a) { area.firstChild.setAttribute(a, svg[a]); });
        var before = area.wvChainPieces;
        if (area.wvChainShape !== shape) {
            before = reshape(area.firstChild, before, pieces);
            area.wvChainElements = [].slice.call(area.firstChild.querySelectorAll('*'));
        }
        update(area.wvChainElements, before, pieces);
    }
    area.wvChainShape = shape;
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
