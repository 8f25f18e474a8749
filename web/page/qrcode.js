// The QR code of the plan's link, in a box under the plan bar: the link "Link kopieren" copies (with the built counts
// when "mit Baustand" is ticked), drawn anew after every change while the box is open, and printed at the top of the
// page while it is open. Scanned, it opens the plan as a new plan, as the link does. The code is made by a library
// bundled into the page; the page draws its modules as one SVG path, black on white whatever the colours.
import { encode } from 'uqr';
import { element, byId, setIf } from '../lib/dom.js';

var SVG = 'http://www.w3.org/2000/svg';
var QUIET = 4;   // modules of white around the code, as scanners need

// The dark modules as one path: per row, each run of dark modules a rectangle one module high.
function modulesPath(data) {
    var d = '';
    data.forEach(function (row, y) {
        for (var x = 0; x < row.length; x++) {
            if (!row[x]) continue;
            var run = 1;
            while (row[x + run]) run++;
            d += 'M' + x + ' ' + y + 'h' + run + 'v1h-' + run + 'z';
            x += run;
        }
    });
    return d;
}

function svgOf(qr) {
    var svg = document.createElementNS(SVG, 'svg');
    var part = function (tag, attributes) {
        var e = document.createElementNS(SVG, tag);
        Object.keys(attributes).forEach(function (k) { e.setAttribute(k, attributes[k]); });
        return svg.appendChild(e);
    };
    svg.setAttribute('viewBox', '0 0 ' + qr.size + ' ' + qr.size);
    svg.setAttribute('role', 'img');
    svg.setAttribute('aria-label', 'QR-Code des Links zum Plan');
    svg.setAttribute('shape-rendering', 'crispEdges');
    part('rect', { width: qr.size, height: qr.size, fill: '#fff' });
    part('path', { d: modulesPath(qr.data), fill: '#000' });
    return svg;
}

var link = null;   // () => { link, which, local }: the link "Link kopieren" copies now (linkOf)
var drawn = '';

// The code of the link now, with what it holds; a link too long for a code says so instead.
function draw() {
    var box = byId('qr-box');
    if (box.hidden) return;
    var got = link();
    if (got.link === drawn) return;
    drawn = got.link;
    var picture = byId('qr-picture');
    picture.textContent = '';
    try {
        picture.appendChild(svgOf(encode(got.link, { ecc: 'M', border: QUIET })));
        setIf(byId('qr-said'), 'textContent', got.local ? 'Dieser QR-Code öffnet den Plan nur auf diesem Rechner: '
            + 'die Seite ist aus einer Datei geöffnet, die keine öffentliche Adresse kennt.' : 'Der QR-Code enthält den '
            + 'Link ' + got.which + '; gescannt öffnet er den Plan als neuen Plan.');
    } catch (e) {
        setIf(byId('qr-said'), 'textContent', 'Der Link ist mit ' + got.link.length + ' Zeichen zu lang für einen '
            + 'QR-Code; „Plancode kopieren“ gibt den Plan kürzer weiter.');
    }
}

export const qrCode = {
    // given: () => { link, which }, the link "Link kopieren" copies
    start: function (given) {
        link = given;
        var button = byId('qr');
        button.addEventListener('click', function () {
            var open = byId('qr-box').hidden;
            byId('qr-box').hidden = !open;
            button.setAttribute('aria-expanded', String(open));
            drawn = '';
            draw();
        });
        byId('copy-built').addEventListener('change', draw);
    },
    // after every run of the plan
    show: draw
};
