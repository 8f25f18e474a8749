// The views of the results that are drawn only while their tab is open: the chain diagram, what is built as a
// checklist, two plans side by side and several plans as one complex (a module each). Each is drawn anew after
// every run while it is in sight (the chain in the next frame); a view that fails says so in its own place, the
// others go on.
import { element, byId, setIf } from '../lib/dom.js';
import { chainTab } from './chaintab.js';
import { builtTab } from './builttab.js';
import { compareTab } from './comparetab.js';
import { togetherTab } from './togethertab.js';

var record = null;   // of the last run of the form's plan
var frame = 0;       // the chain's picture waiting for the next frame
var prepared = false; // the chain's first picture, asked for

function inSight(id) {
    return !byId(id).hidden;
}

// A view that fails says so in its own place; the others go on.
function safely(id, draw, arg) {
    var area = byId(id);
    try {
        draw(arg);
        if (area.wvFailed) area.parentNode.querySelector('.view-failed').remove();
        area.wvFailed = false;
    } catch (e) {
        if (!area.wvFailed) area.before(element('p', { class: 'view-failed bad', role: 'alert' }));
        area.wvFailed = true;
        area.parentNode.querySelector('.view-failed').textContent = 'Diese Ansicht kann für diesen Plan nicht '
            + 'gezeigt werden (' + e.message + '); die anderen Reiter zeigen ihn.';
        setTimeout(function () { throw e; });
    }
}

function drawChain() {
    cancelAnimationFrame(frame);
    frame = 0;
    if (inSight('p-chain')) safely('chain', function () { chainTab.show(record); });
}

// The chain's first picture drawn into its hidden tab while the page is idle, a step in each idle time
// (chaintab.js); a browser without idle callbacks draws it as the tab opens.
function prepareChain() {
    prepared = true;
    if (!window.requestIdleCallback) return;
    var steps = chainTab.preparing(record);
    requestIdleCallback(function next() {
        var again = false;
        safely('chain', function () { again = steps[0](); });
        if (!again) steps.shift();
        if (steps.length) requestIdleCallback(next);
    });
}

export const views = {
    // tables: the core's; run: the runner; stored: built(), setBuilt(key, count), plan(id) and add(plan, name) of the
    // plans
    start: function (tables, run, stored) {
        chainTab.start(tables);
        // a view drawn anew by its own controls (a count typed, a plan picked) fails or recovers as after a run
        builtTab.start(stored, function () { safely('built', function () { builtTab.show(record); }); });
        compareTab.start(tables, run, stored, function () { safely('comparison', compareTab.show); });
        togetherTab.start(tables, run, stored, function () { safely('together', togetherTab.show); });
        var named = element('style', { id: 'print-name' });
        document.head.appendChild(named);
        // every printed page names its plan at its top
        window.addEventListener('beforeprint', function () {
            var name = 'Werkverbund · Plan „' + byId('plan-name').value + '“';
            setIf(named, 'textContent', '@page{@top-left{content:"' + name.replace(/["\\]/g, '\\$&').replace(/\n/g, ' ')
                + '";font:9pt system-ui,sans-serif;color:#333}}');
        });
    },
    // After every run of the form's plan (its record and what the run took), and when a tab opens: what is in
    // sight is drawn.
    show: function (last, input) {
        record = last || record;
        compareTab.keep(record, input);
        if (!prepared) prepareChain();
        if (inSight('p-chain') && !last) drawChain();
        // after a change the picture follows in the frame that shows the tables, once however many changes came
        else if (inSight('p-chain') && !frame) frame = requestAnimationFrame(drawChain);
        if (inSight('p-built')) safely('built', function () { builtTab.show(record); });
        if (inSight('p-compare')) safely('comparison', compareTab.show);
        if (inSight('p-together')) safely('together', togetherTab.show);
    },
    listed: function (plans, current) {
        compareTab.listed(plans, current);
        togetherTab.listed(plans, current);
    },
    showInChain: chainTab.showInChain
};
