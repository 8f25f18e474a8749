// The chain's tab: the picture of the last run, at a readable scale, zoomed and panned by its view (chainview.js); a
// box picked says its line of the results with its "Warum?" below the picture and marks its row in the tables.
import { byId, element, setIf } from '../lib/dom.js';
import { chainModel } from '../record/chain.js';
import { explainRow } from '../record/explain.js';
import { layoutChain } from '../record/layout.js';
import { chainView } from './chainview.js';
import { drawChain as drawPicture, chainPieces, measureWith, CHAIN_STYLE } from './diagram.js';

var tables = null;
var record = null;   // of the last run of the form's plan
var measure = null;
var chain = null;   // the picture's zoom, pan and picked box
var drawn = null;   // the record the picture shows

function measured() {
    return measure || (measure = measureWith(getComputedStyle(document.documentElement).fontFamily));
}

// The picture of the last run, unless it shows it already.
function drawChain() {
    if (drawn !== record) drawPicture(byId('chain'), chainPieces(chainModel(record, tables), measured(), 'kette'), 'kette');
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
    // Draws the first picture of a run into the hidden tab while the page is idle, so that the tab opens at once,
    // in two steps that hold up no phone: the texts measured and the layout's code made ready, then the picture.
    prepare: function (last, step) {
        if (drawn) return;
        if (!step) return layoutChain(chainModel(last, tables), measured());
        record = last;
        drawChain();
    },
    // Leads from a result row to its box: the chain's tab opened and the box picked.
    showInChain: function (row) {
        byId('t-chain').click();
        chain.pick('row-' + row);
    }
};
