// The chain's tab: the picture of the last run, at a readable scale, zoomed and panned by its view (chainview.js); a
// box picked says its line of the results with its "Warum?" below the picture and marks its row in the tables.
import { byId, element, setIf } from '../lib/dom.js';
import { chainModel } from '../record/chain.js';
import { explainRow } from '../record/explain.js';
import { chainTexts } from '../record/layout.js';
import { chainView } from './chainview.js';
import { drawChain as drawPicture, chainPieces, measureWith, CHAIN_STYLE } from './diagram.js';

var tables = null;
var record = null;   // of the last run of the form's plan
var measure = null;
var chain = null;   // the picture's zoom, pan and picked box
var drawn = null;   // the record the picture shows
var MEASURED = 40;  // texts measured in one step of the first picture

function measured() {
    return measure || (measure = measureWith(getComputedStyle(document.documentElement).fontFamily));
}

// The picture of the last run, unless it shows it already (its pieces: when made ahead).
function drawChain(pieces) {
    if (drawn !== record) {
        drawPicture(byId('chain'), pieces || chainPieces(chainModel(record, tables), measured(), 'kette'), 'kette');
    }
    drawn = record;
    chain.drawn();
}

// The picked box's line of the results with its "Warum?", below the picture; its row in the tables marked.
var lastPicked = null;
function chainPicked(row, name) {
    if (row === null && lastPicked === null) return;   // nothing picked, as before
    lastPicked = row;
    var said = byId('chain-picked');
    var text = row === null ? '' : name + (row >= 0 ? '. Warum? ' + explainRow(record, tables, row).join(' ') : '');
    setIf(said, 'textContent', text || 'Ein Kasten, angeklickt oder mit Tab erreicht, hebt seine Linien hervor.');
    var marked = byId('results').querySelector('tr.picked');
    var why = row >= 0 && byId('results').querySelector('button.why[data-row="' + row + '"]');
    var tr = why && why.closest('tr');
    if (marked && marked !== tr) marked.classList.remove('picked');
    if (tr) tr.classList.add('picked');
}


export const chainTab = {
    start: function (given) {
        tables = given;
        document.head.appendChild(element('style', { text: CHAIN_STYLE }));
        chain = chainView(byId('chain'), { picked: chainPicked, zoomed: function (zoomed, most) {
            byId('chain-fit').disabled = !zoomed;
            byId('chain-out').disabled = !zoomed;
            byId('chain-in').disabled = most;
        } });
        byId('chain-in').addEventListener('click', chain.zoomIn);
        byId('chain-out').addEventListener('click', chain.zoomOut);
        byId('chain-fit').addEventListener('click', chain.fit);
    },
    // The last run drawn.
    show: function (last) {
        record = last;
        drawChain();
    },
    // The steps that draw the first picture of a run into the hidden tab while the page is idle, so that the tab
    // opens at once; each small enough to hold up no phone: the model, its texts measured a few at a time (a step
    // that gives true wants to run again), the layout and its pieces, the picture. A picture drawn meanwhile, as its
    // tab opened, ends them.
    preparing: function (last) {
        var model = null, texts = [], at = 0, pieces = null;
        return [function () {
            model = chainModel(last, tables);
            texts = chainTexts(model);
        }, function () {
            texts.slice(at, at += MEASURED).forEach(function (t) { measured()(t[0], t[1]); });
            return at < texts.length;
        }, function () {
            pieces = chainPieces(model, measured(), 'kette');
        }, function () {
            record = last;
            drawChain(pieces);
        }].map(function (step) {
            return function () { return !drawn && step(); };
        });
    },
    // Leads from a result row to its box: the chain's tab opened and the box picked.
    showInChain: function (row) {
        byId('t-chain').click();
        chain.pick('row-' + row);
    }
};
