// The page's composition root: loads the core, makes its runner, builds the form and hands each part what it needs
// (the tables, the runner, the callbacks by which the parts reach each other); after every change it runs the plan
// once and shows what the run said: summary, result tables, the fields that cannot be taken, console text and
// files. window.werkverbund.run runs the console program on any arguments and input.
import { inSteps } from '../lib/steps.js';
import { makeRunner } from '../core/run.js';
import { emptyPlan, planInput } from '../plan/plan.js';
import { builtLines } from '../plan/carry.js';
import { planCodes } from '../plan/plancode.js';
import { describeResults } from '../record/describe.js';
import { explainRow } from '../record/explain.js';
import { buildForm } from './form.js';
import { problemsView } from './problems.js';
import { consoleOutput } from './output.js';
import { answersLoader } from './loadanswers.js';
import { showResults, toggleWhy, showSummary, hideEmptyLines } from './results.js';
import { bar } from './bar.js';
import { planner } from './planner.js';
import { linkOf, startSharing } from './share.js';
import { unpackParts, layoutHeader, layoutRest, lateSteps } from './opening.js';
import { watchForUpdates, keepStorage } from './newversion.js';

var runner = null;
var tables = null;
var form = null;
var last = null;       // the plan, its address and its run, of the last update
var elements = {};
var addressNote = [];  // what the address held that could not be read, until the next change
var timing = { firstResults: null, recomputes: [] };
var problems = null;   // the fields that cannot be taken, and the plan in brief
var starting = true;   // until the first results are shown, by the steps of the start
var output = null;     // the console text and the files of the last plan
var views = null, qrCode = null, startPictures = null;   // of the page's second script

// The core, started by its own small script as the head was read (core/start.js); its tables are read.
var ready = Promise.resolve(window.werkverbundCore).then(function (core) {
    if (!core) throw new Error('der Kern der Seite fehlt');
    return inSteps([function () {
        runner = makeRunner(core);
        tables = runner.tables();
        return runner;
    }]);
});

window.werkverbund = {
    run: function (args, input, before) { return ready.then(function (r) { return r.run(args, input, before); }); },
    timing: timing
};

// The plan goes into the address once the typing pauses: the browser takes its time over each change of it. The tab
// notes it at once, so that a reload of it, or of the address before, goes to this plan.
var addressTimer = null;
function keepInAddress(hash) {
    planner.wrote(hash);
    clearTimeout(addressTimer);
    addressTimer = setTimeout(function () {
        if (location.hash !== hash) history.replaceState(null, '', hash);
    }, 50);
}

// One run of the plan as it stands; fields that cannot be taken count as empty and say so.
// The plan is saved in this browser, put into the address and run; the views in sight follow.
function update() {
    var started = performance.now();
    var plan = form.read();
    var hash = '#' + planner.save(plan);
    keepInAddress(hash);
    var input = planInput(tables, plan);
    var newPlan = !last || last.hash !== hash;
    last = { plan: plan, hash: hash, input: input, result: null, full: null };
    if (starting) return;   // the start runs it and shows it in steps of their own
    runLast();
    showRun(newPlan, started);
}

function runLast() {
    // with the console text in sight the one run of the change is the full one, whose text it shows
    var full = !output.hidden();
    last.result = runner.runPlan(last.input, !full);
    last.full = full ? last.result : null;
}

// What the last run said: at the fields, summary, tables, problems, the views in sight.
function showRun(newPlan, started) {
    showAtFields();
    showTables();
    showViews(newPlan, started);
}

function showAtFields() {
    form.render(last.plan, { input: last.input, record: last.result.record });
}

function showTables() {
    var record = last.result.record;
    var described = describeResults(record, tables);
    showResults(elements.results, described, function (i) { return explainRow(record, tables, i); });
    showSummary(described.summary);
}

function showViews(newPlan, started) {
    var record = last.result.record;
    problems.show(elements.problems, last.plan, last.input, record, addressNote);
    if (newPlan) elements.printPlan.textContent = problems.planInBrief(last.plan, record);
    views.show(record, last.input);
    output.show();
    qrCode.show();
    var now = performance.now();
    if (timing.firstResults === null) timing.firstResults = now;
    else timing.recomputes.push(now - started);
}

// ---- Plans, links and the start ----

// A link opened in this page adds its plan beside the others (or goes to the plan it is already).
function fromAddress() {
    if (!last || location.hash !== last.hash) planner.open(location.hash);
}

function noted(problems) {
    addressNote = problems.map(function (p) { return 'In der Adresse: ' + p; });
}

function show(plan) {
    form.show(plan);
    update();
}

function addressNow() {
    if (last) keepInAddress(last.hash = '#' + planner.hashOf(last.plan));
}

// The plan being edited into the address at once, before the page is reloaded (it is in the browser already).
function saveNow() {
    clearTimeout(addressTimer);
    if (last && location.hash !== last.hash) history.replaceState(null, '', last.hash);
}

// A pasted plan code or link opens its plan as a new plan, or goes to the plan it is already.
function openPasted(hash) {
    var got = planner.open('#' + hash, true);
    if (got && !got.added && !got.refused) {
        bar.notice('Den eingefügten Plan gibt es hier schon: „' + got.entry.name + '“ ist jetzt offen.');
    }
}

// The plan's link, as "Link kopieren" copies it, and which address it has.
function planLink(withBuilt) {
    var site = document.querySelector('meta[name="werkverbund-site"]');
    return linkOf(planner.hashOf(last.plan, withBuilt), location.href, site && site.content);
}

// The form bound to the core's tables; the views ready for the plans (three steps).
function bindForm() {
    ['results', 'transcript', 'downloads', 'problems', 'load', 'notice', 'print-plan'].forEach(function (id) {
        elements[id.replace('-p', 'P')] = document.getElementById(id);
    });
    form = buildForm(tables, document.getElementById('form'), function () {
        addressNote = [];
        update();
    });
}

function bindResults() {
    problems = problemsView(tables, form, function () { return last && last.result.record; });
    output = consoleOutput(runner, tables, elements.transcript, function () { return last; });
    hideEmptyLines(elements.results, document.getElementById('hide-empty'));
}

function bindViews(late) {
    views = late.views;
    qrCode = late.qrCode;
    startPictures = late.startPictures;
    views.start(tables, runner, { built: planner.built, setBuilt: planner.setBuilt, plan: planner.plan,
        add: function (plan, name) {
            var e = planner.addNew(plan, name);
            bar.notice('Der Plan „' + e.name + '“ ist hinzugekommen; die anderen Pläne bleiben, wie sie waren.');
        } });
    // the form is never sent anywhere (the page's policy would refuse it): Enter in a field changes nothing
    document.getElementById('form').addEventListener('submit', function (event) { event.preventDefault(); });
}

// The plan of the address, or the one last used, put into the form; then run, and its results shown with the form
// and the results brought into sight (the page's head hid them), so that nothing moves once it is seen.
var openSteps = [function () {
    planner.start(tables, { show: show, record: function () { return last.result.record; }, address: addressNow,
        lines: builtLines(tables, runner), noted: noted, refresh: function () { views.show(); }, notice: bar.notice,
        trouble: bar.trouble, listed: views.listed, shownPlan: bar.shownPlan });
}, function () { return planner.readAddress(location.hash); }, planner.openRead, runLast, function () {
    if (!last.result) runLast();   // another tab changed the plan meanwhile
    starting = false;
    showAtFields();
}, showTables, function () {
    return inSteps(layoutRest(), 0);
}, function () {
    showViews(true, 0);
    document.documentElement.removeAttribute('data-starting');
}];

// What answers the player beyond the form: the results' buttons, the plan bar, files, links and codes.
function listen() {
    var readFile = answersLoader({ runner: runner, tables: tables, form: form, planner: planner, notice: bar.notice,
        listOf: problems.listOf, show: show });
    elements.results.addEventListener('click', function (event) {
        var why = event.target.closest('button.why');
        if (why) toggleWhy(elements.results, why);
        var box = event.target.closest('button.to-chain');
        if (box) views.showInChain(+box.getAttribute('data-row'));
    });
    window.addEventListener('hashchange', fromAddress);
    elements.downloads.addEventListener('click', output.download);
    elements.problems.addEventListener('click', problems.followLink);
    elements.notice.addEventListener('click', problems.followLink);
    elements.load.addEventListener('change', function () {
        if (elements.load.files[0]) readFile(elements.load.files[0]);
        elements.load.value = '';
    });
    bar.start({
        link: planLink,
        plan: function () { return form.read(); },
        planId: planner.id,
        show: show,
        empty: function () { return emptyPlan(tables); },
        tab: function () { views.show(); output.show(); }
    });
    qrCode.start(function () { return planLink(document.getElementById('copy-built').checked); });
    startPictures({ tables: tables, record: function () { return last.result.record; }, link: planLink,
        notice: bar.notice });
    startSharing({ codes: planCodes(tables), hash: function (withBuilt) { return planner.hashOf(last.plan, withBuilt); },
        open: openPasted, notice: bar.notice });
    keepStorage();
}

// The scripts stand in the page's head; the page starts once its body is read and the core is made, in steps that
// keep each task short. A failure to start is shown on the page and reported as the page's error.
var bodyRead = new Promise(function (resolve) {
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', resolve);
    else resolve();
});
var laidOut = bodyRead.then(function () { return inSteps([bar.chosenTheme].concat(layoutHeader()), 0); });
Promise.all([ready, laidOut]).then(function () {
    return inSteps([bindForm, bindResults].concat(lateSteps(), [bindViews], openSteps, [listen, function () { watchForUpdates(saveNow); }]));
}).catch(function (e) {
    bodyRead.then(function () {
        unpackParts();
        document.getElementById('results').textContent = 'Die Seite konnte nicht starten: ' + e;
        document.documentElement.removeAttribute('data-starting');
    });
    setTimeout(function () { throw e; });
});
