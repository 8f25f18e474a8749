// The production chain's layout: a column of factories for sale, columns of supporting ones, a labelled line from
// each consumer to its supplier, placed without overlaps; pure, so that node tests lay out any run. Drawn as SVG by
// page/diagram.js.
export var FONT = { title: [13, 600], line: [12, 400], label: [11, 400], column: [12, 600] };   // px, weight
export var PAD = 7, TITLE_H = 18, LINE_H = 17;   // text to a box's sides; height of its title, of a line
var ROW = 16, ENTRY = 10;   // spacing of the lines leaving a box (a label each), arriving at it
var HEAD = 26, GAP = 8;     // column titles above the boxes; boxes apart
var CLEAR = 6, LANE = 6;    // lines passing a box: off it, side by side
var TRACK = 6, ARROW = 7;   // vertical runs side by side; arrow head length
var STEP = 8;               // columns and the labels beside them are as wide as a multiple of this
var max = Math.max;

// The kinds of flow in the order their lines leave a box.
export var KINDS = ['energy', 'crystals', 'food', 'ore', 'silicon'];

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

// The texts a layout measures, [text, kind] in its order: measured ahead a few at a time, they cost the layout
// nothing.
export function chainTexts(model) {
    var texts = [];
    readModel(model, function (text, kind) {
        texts.push([text, kind]);
        return 0;
    });
    return texts;
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
