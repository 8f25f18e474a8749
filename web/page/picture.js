// The chain and the result tables as pictures to keep and to share, with the plan's name and the date, on light paper
// whatever the page's colours, drawn in the page: the chain as an SVG file with its own style sheet, and both as PNG,
// painted on a canvas from the same pieces. "Als Bild speichern" saves them; "Teilen" hands the plan's link and its
// picture to the system's share sheet, where the browser has one.
import { byId, fileName, saveFile } from '../lib/dom.js';
import { dateText } from '../lib/format.js';
import { chainModel } from '../record/chain.js';
import { describeResults } from '../record/describe.js';
import { FONT, KINDS } from '../record/layout.js';
import { headingOf, tablesOf, MARGIN } from '../record/sheet.js';
import { chainPieces, markupOf, measureWith, CHAIN_STYLE, FLOW_STYLE } from './diagram.js';

// The page's light colours (style.css), which every picture has.
var LIGHT = { ink: '#1d2329', muted: '#56616b', line: '#c9d1d8', paper: '#fff', accent: '#1f5f99', bad: '#a61b1b',
    'flow-energy': '#b25a00', 'flow-crystals': '#7a3ea6', 'flow-food': '#2a7a32', 'flow-ore': '#8a4b22',
    'flow-silicon': '#1f5f99' };

var hooks = null;

function font() { return getComputedStyle(document.documentElement).fontFamily; }

// A picture: its parts one below the other, each a heading or a drawing of pieces, on MARGIN px of paper.
function picture(heading, body) {
    var parts = [heading, body];
    heading.y = MARGIN;
    body.y = MARGIN + heading.height;
    return { parts: parts, width: Math.ceil(Math.max(heading.width, body.width) + 2 * MARGIN),
        height: Math.ceil(body.y + body.height + MARGIN) };
}

function chainPicture(name, measure) {
    var record = hooks.record();
    return picture(headingOf(name, 'Stand: ' + dateText(new Date()), true, measure),
        chainPieces(chainModel(record, hooks.tables), measure, 'bild'));
}

function tablesPicture(name, measure) {
    return picture(headingOf(name, 'Stand: ' + dateText(new Date()), false, measure),
        tablesOf(describeResults(hooks.record(), hooks.tables), measure));
}

// The picture as an SVG file: the chain's style sheet in the light colours, the parts in place.
function svgFile(p, family) {
    var colours = Object.keys(LIGHT).map(function (k) { return '--' + k + ':' + LIGHT[k]; }).join(';');
    return '<svg xmlns="http://www.w3.org/2000/svg" class="chain" width="' + p.width + '" height="' + p.height
        + '" viewBox="0 0 ' + p.width + ' ' + p.height + '"><style>svg{' + colours + ';font-family:'
        + family.replace(/[<&]/g, '') + '}' + CHAIN_STYLE + '.chain .muted{fill:var(--muted)}</style>'
        + '<rect width="100%" height="100%" fill="' + LIGHT.paper + '"/>' + p.parts.map(function (part) {
            return '<g transform="translate(' + MARGIN + ' ' + part.y + ')">' + markupOf(part.pieces)
                .replace(/ (tabindex|role|aria-pressed|data-[a-z]+)="[^"]*"/g, '') + '</g>';   // nothing to pick in a file
        }).join('') + '</svg>\n';
}

// How a piece looks as the style sheet draws it, from its classes and its frame's: its font, fill and stroke.
function look(cls) {
    var has = function (c) { return cls.indexOf(' ' + c + ' ') >= 0; };
    var kind = Object.keys(FONT).filter(function (k) { return has('chain-' + k); })[0] || 'line';
    var flow = KINDS.filter(function (k) { return has('chain-' + k); })[0];
    var bad = has('bad');
    return {
        font: FONT[kind][1] + ' ' + FONT[kind][0] + 'px ',
        fill: bad ? LIGHT.bad : has('chain-mark') ? LIGHT.accent : has('chain-column') || has('muted') ? LIGHT.muted : LIGHT.ink,
        stroke: bad ? LIGHT.bad : flow ? LIGHT['flow-' + flow] : has('chain-box') ? LIGHT.muted : has('rule') ? LIGHT.line : '',
        width: has('chain-box') && bad ? 2 : flow === 'silicon' ? 2.2 : flow ? 1.6 : 1,
        dash: flow && FLOW_STYLE[flow] ? FLOW_STYLE[flow].split(' ').map(Number) : []
    };
}

// Paints the pieces on a canvas: texts, frames and lines; a frame's pieces take its classes too.
function paint(ctx, pieces, family) {
    var frame = '';
    pieces.forEach(function (p) {
        var a = p[1];
        if (p[0] === 'g' || !p[3]) frame = p[0] === 'g' ? a.class : '';
        var style = look(' ' + frame + ' ' + (a.class || '') + ' ');
        if (p[0] === 'text') {
            ctx.font = style.font + family;
            ctx.fillStyle = style.fill;
            ctx.textAlign = a['text-anchor'] === 'end' ? 'right' : 'left';
            ctx.fillText(p[2], a.x, a.y);
        } else if (p[0] === 'rect') {
            ctx.beginPath();
            if (ctx.roundRect) ctx.roundRect(a.x, a.y, a.width, a.height, a.rx); else ctx.rect(a.x, a.y, a.width, a.height);
            ctx.fillStyle = LIGHT.paper;
            ctx.fill();
            if (style.stroke) stroke(ctx, style, null);
        } else if (p[0] === 'path') {
            stroke(ctx, style, new Path2D(a.d));
        }
    });
}

function stroke(ctx, style, path) {
    ctx.strokeStyle = style.stroke;
    ctx.lineWidth = style.width;
    ctx.setLineDash(style.dash);
    if (path) ctx.stroke(path); else ctx.stroke();
}

// The picture as PNG, twice as sharp as on screen where the canvas may be that large; then(blob).
function pngOf(p, family, then) {
    var ratio = Math.min(2, Math.sqrt(16e6 / (p.width * p.height)));   // 16 million pixels: a phone's canvas at most
    var canvas = document.createElement('canvas');
    canvas.width = Math.round(p.width * ratio);
    canvas.height = Math.round(p.height * ratio);
    var ctx = canvas.getContext('2d');
    ctx.scale(ratio, ratio);
    ctx.fillStyle = LIGHT.paper;
    ctx.fillRect(0, 0, p.width, p.height);
    p.parts.forEach(function (part) {
        ctx.setTransform(ratio, 0, 0, ratio, MARGIN * ratio, part.y * ratio);
        paint(ctx, part.pieces, family);
    });
    canvas.toBlob(then, 'image/png');
}

// The picture of the tab in sight (the chain's, else the tables') as PNG: then(file).
function pngFile(chain, then) {
    var name = byId('plan-name').value;
    var family = font();
    var p = (chain ? chainPicture : tablesPicture)(name, measureWith(family));
    pngOf(p, family, function (blob) {
        then(new File([blob], fileName(name, chain ? '.kette.png' : '.ergebnisse.png'), { type: 'image/png' }));
    });
}

// Hands the plan's link (the one "Link kopieren" copies) and the picture in sight to the share sheet; the picture
// only where files may be shared.
function share() {
    var link = hooks.link(byId('copy-built').checked).link;
    pngFile(!byId('p-chain').hidden, function (file) {
        var data = { title: 'Werkverbund · Plan „' + byId('plan-name').value + '“', url: link };
        if (navigator.canShare && navigator.canShare({ files: [file] })) data.files = [file];
        navigator.share(data).catch(function (e) {
            if (e.name !== 'AbortError') hooks.notice('Teilen ging nicht: ' + e.message, true);
        });
    });
}

// hooks: tables, the core's; record(), the last run's; link(withBuilt), the plan's link as "Link kopieren" has it;
// notice(text, bad).
export function startPictures(given) {
    hooks = given;
    var save = function (file) { saveFile(file.name, file); };
    byId('chain-png').addEventListener('click', function () { pngFile(true, save); });
    byId('tables-png').addEventListener('click', function () { pngFile(false, save); });
    byId('chain-svg').addEventListener('click', function () {
        var name = byId('plan-name').value;
        var family = font();
        saveFile(fileName(name, '.kette.svg'), new Blob([svgFile(chainPicture(name, measureWith(family)), family)],
            { type: 'image/svg+xml' }));
    });
    byId('share').hidden = !navigator.share;
    byId('share').addEventListener('click', share);
}
