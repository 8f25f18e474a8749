// The production chain as a picture: a column of factories for sale, columns of supporting ones,
// a labelled line from each consumer to its supplier, drawn as SVG markup and then changed in place.
import { layoutChain, FONT, PAD, TITLE_H, LINE_H, KINDS } from '../record/layout.js';

// Each kind of flow by its colour and its dash, so that also a print in black and white tells them apart.
export const FLOW_STYLE = { energy: '', crystals: '8 3', food: '8 2 2 2', ore: '3 3', silicon: '1.5 2.5' };

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
    Object.keys(attributes).forEach(function (a) {
        var v = attributes[a];
        text += ' ' + a + '="' + (typeof v === 'number' ? v : escaped(v)) + '"';
    });
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

export function markupOf(pieces) {
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

// Draws the chain laid out (chainPieces) into area as one <svg>, labelled for screen readers by its title and
// description (ids from id). The first picture is set as one string of markup (one parse instead of an element per
// piece); a picture with the same elements as the last one changes only the attributes and texts that differ, which
// is what a recompute mostly brings; one where boxes or lines come or go keeps the elements it can and parses only
// the new ones.
export function drawChain(area, drawn, id) {
    var pieces = drawn.pieces;
    var svg = { xmlns: 'http://www.w3.org/2000/svg', class: 'chain', role: 'group', 'aria-labelledby': id + 't ' + id + 'd',
        width: drawn.width, height: drawn.height, viewBox: '0 0 ' + drawn.width + ' ' + drawn.height,
        preserveAspectRatio: 'xMinYMin' };   // printed, the picture stands at the top left of the room it has
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

// The chain laid out as the pieces of its picture (element ids from id), its width and height.
export function chainPieces(model, measure, id) {
    var chart = layoutChain(model, measure);
    return { pieces: piecesOf(model, chart, id), width: chart.width, height: chart.height };
}

// A measure for layoutChain in the given font family, from one canvas per kind of text, so that its font is set
// once; a text measured once is not measured again (most texts stay the same from one recompute to the next).
var measures = {};
export function measureWith(font) {
    if (measures[font]) return measures[font];
    var contexts = {};
    var known = {};
    var count = 0;
    return (measures[font] = function (text, kind) {
        var key = kind + text;
        if (known[key] === undefined) {
            if (++count > 5000) {   // a long session's old numbers go
                known = {};
                count = 1;
            }
            if (!contexts[kind]) {
                contexts[kind] = document.createElement('canvas').getContext('2d');
                contexts[kind].font = FONT[kind][1] + ' ' + FONT[kind][0] + 'px ' + font;
            }
            known[key] = contexts[kind].measureText(text).width;
        }
        return known[key];
    });
}
