// The page: loads the core, binds the form and, after every change, runs the plan once and shows what the run said:
// summary, result tables, the fields that cannot be taken, console text and files. Also loads answers files.
// window.werkverbund.run runs the console program on any arguments and input.
// The page's composition root: it makes the core's runner, builds the form and hands each part what it needs
// (the tables, the runner, the callbacks by which the parts reach each other).
import { element, setIf, linkTo } from '../lib/dom.js';
import { bytesOf, makeRunner } from '../core/run.js';
import { isAsked, emptyPlan, planInput, refusalOf } from '../plan/plan.js';
import { readAnswers } from '../plan/answers.js';
import { describeResults } from '../record/describe.js';
import { explainRow } from '../record/explain.js';
import { carrier } from '../plan/carry.js';
import { optionsInWords, refusalText, fieldName } from '../record/words.js';
import { buildForm } from './form.js';
import { showResults, toggleWhy, showSummary } from './results.js';
import { bar } from './bar.js';
import { views } from './views.js';
import { planner } from './planner.js';
import { linkOf, startSharing } from './share.js';
import { watchForUpdates } from './newversion.js';

var runner = null;
var tables = null;
var form = null;
var last = null;       // the plan, its address and its run, of the last update
var elements = {};
var addressNote = [];  // what the address held that could not be read, until the next change
var timing = { firstResults: null, recomputes: [] };
var LOAD_LIMIT = 64 * 1024;  // far beyond any real answers file

// The core's loader stands in the page before this script; the core compiles at once, before the body is read
// (its WebAssembly is small). The promise keeps the page's code the same should it ever compile in the background.
var ready = Promise.resolve(globalThis.createWerkverbundCore()).then(function (core) {
    runner = makeRunner(core);
    return runner;
});

window.werkverbund = {
    run: function (args, input, before) {
        return ready.then(function (r) { return r.run(args, input, before); });
    },
    timing: timing
};

// The plan goes into the address once the typing pauses: the browser takes its time over each change of it.
var addressTimer = null;
function keepInAddress(hash) {
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
    // with the console text in sight the one run of the change is the full one, whose text it shows
    var full = !transcriptHidden();
    var result = runner.runPlan(input, !full);
    form.render(plan, { input: input, record: result.record });
    var described = describeResults(result.record, tables);
    showResults(elements.results, described, function (i) { return explainRow(result.record, tables, i); });
    showSummary(described.summary);
    showProblems(plan, input, result.record);
    if (!last || last.hash !== hash) showPlanInBrief(plan, result.record);
    last = { plan: plan, hash: hash, input: input, result: result, full: full ? result : null };
    views.show(result.record, input);
    showTranscript();
    var now = performance.now();
    if (timing.firstResults === null) timing.firstResults = now;
    else timing.recomputes.push(now - started);
}

// A list of texts and {key, text}: the field's name as a link that leads to it, then the text.
function listOf(items) {
    return element('ul', {}, items.map(function (item) {
        if (typeof item === 'string') return element('li', { text: item });
        return element('li', {}, [element('a', {
            href: '#' + form.fields[item.key].input.id, 'data-key': item.key, text: fieldName(tables, item.key, last && last.result.record)
        }), document.createTextNode(': ' + item.text)]);
    }));
}

// The address after '#' holds the plan, so a link to a field focuses it instead of being followed.
function followLink(event) {
    var link = event.target.closest('a[data-key]');
    if (!link) return;
    event.preventDefault();
    var input = form.fields[link.getAttribute('data-key')].input;
    input.focus();
    input.select();
}

// Above the results: the fields whose text or value cannot be taken, what the address held that is no part
// of a plan, and the run's messages that concern no result row.
function showProblems(plan, input, record) {
    var items = [];
    tables.questions.forEach(function (q, i) {
        var refusal = refusalOf(input, record, i);
        var text = refusal && '„' + plan.values[q.key] + '“ – ' + refusalText(q, refusal, tables.numberTextLimit);
        if (text) items.push({ key: q.key, text: text });
        else if (record.questions[i].refused) items.push({ key: q.key, text: 'Der berechnete Wert liegt nicht im Bereich.' });
    });
    record.messages.forEach(function (m) { if (m.about !== 'row') items.push(m.text); });
    items = items.concat(addressNote);
    var box = elements.problems;
    var key = JSON.stringify(items);
    if (box.wvKey === key) return;
    box.wvKey = key;
    box.textContent = '';
    box.hidden = !items.length;
    if (!items.length) return;
    box.appendChild(element('p', { text: 'Nicht alles kann so genommen werden; die Ergebnisse gelten für den '
        + 'Rest des Plans:' }));
    box.appendChild(listOf(items));
}

// The plan in brief for the printed page: the options, and every field that holds something.
function showPlanInBrief(plan, record) {
    var parts = optionsInWords(tables, plan.options, plan.answers);
    tables.questions.forEach(function (q) {
        var text = plan.values[q.key];
        if (q.kind === 'letter' || !text || !isAsked(q, plan.options)) return;
        parts.push(fieldName(tables, q.key, record) + ': ' + text);
    });
    var race = tables.crystalRaces.filter(function (c) { return c.letter === plan.values.crystalRace; })[0];
    parts.push('Kristallfabriken: ' + (race || tables.crystalRaces[0]).name);
    elements.printPlan.textContent = 'Plan: ' + parts.join(' · ');
}

// The last plan's run with its console text, files and answers file, made when they are wanted.
function fullRun() {
    if (!last.full) last.full = runner.runPlan(last.input);
    return last.full;
}

function transcriptHidden() {
    return elements.transcript.closest('[role=tabpanel]').hidden;
}

// The console text, while its tab is in sight.
function showTranscript() {
    if (transcriptHidden()) return;
    var run = fullRun();
    setIf(elements.transcript, 'textContent', run.stdout + run.stderr);
}

// A file of the plan: from its run, or from a run of the plan with the options that make the console program
// write it (the link's data-needs, as the address names them).
function fileBytes(link) {
    var name = link.getAttribute('download');
    if (name === 'antworten.txt') return bytesOf(fullRun().answers);
    if (fullRun().files[name]) return fullRun().files[name];
    var plan = JSON.parse(JSON.stringify(last.plan));
    var needs = link.getAttribute('data-needs').split('=');  // an option, and its answer where it has one
    plan.options[needs[0]] = true;
    plan.answers[needs[0]] = needs[1] || plan.answers[needs[0]];
    return runner.runPlan(planInput(tables, plan)).files[name];
}

// A link makes its file's address only when it is followed, so a recompute costs no file objects.
function download(event) {
    var link = event.target.closest('a[download]');
    if (!link) return;
    linkTo(link, fileBytes(link), 'application/octet-stream');
}

// ---- Answers files ----

// Loads an answers file as a new plan (the plan before stays as it was) and runs it; says what did not fit,
// offering the options it would fit, which then load into that new plan.
function loadAnswers(bytes, name, again) {
    var got = readAnswers(runner, tables, form.read(), bytes);
    if (again) show(got.plan);
    else planner.addNew(got.plan, 'Antworten aus ' + name.replace(/\.txt$/i, ''));
    var said = name + ' als neuer Plan „' + planner.name() + '“ geladen; der Plan davor bleibt, wie er war.';
    var warnings = got.warnings;
    if (!warnings.length) return bar.notice(said);
    var details = warnings.length > 1 ? listOf(warnings.slice(1)) : null;
    var fits = got.fits;
    var words = fits && optionsInWords(tables, fits);
    var offer = fits ? ' Sie passt ' + (words.length ? 'zu den Optionen ' + words.join(', ') : 'ohne Optionen') + '.' : '';
    bar.notice(said + ' ' + warnings[0] + offer, true, details, fits && { text: 'Mit diesen Optionen laden',
        run: function () {
            form.show({ options: fits, answers: got.plan.answers, values: {} });
            loadAnswers(bytes, name, true);
        } });
}

function readFile(file) {
    if (file.size > LOAD_LIMIT) {
        return bar.notice(file.name + ' ist ' + Math.ceil(file.size / 1024) + ' KB groß und wird nicht '
            + 'geladen: eine Antwortdatei hat höchstens 64 KB.', true);
    }
    file.arrayBuffer().then(function (buffer) { loadAnswers(new Uint8Array(buffer), file.name); });
}

// ---- Start ----

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

// The plan being edited written to the browser and into the address at once, before the page is reloaded.
function saveNow() {
    planner.flush();
    clearTimeout(addressTimer);
    if (last && location.hash !== last.hash) history.replaceState(null, '', last.hash);
}

// A pasted plan code or link opens its plan as a new plan, or goes to the plan it is already.
function openPasted(hash) {
    var got = planner.open('#' + hash, true);
    if (!got.added && !got.refused) bar.notice('Den eingefügten Plan gibt es hier schon: „' + got.entry.name + '“ ist jetzt offen.');
}

function start() {
    tables = runner.tables();
    ['results', 'transcript', 'downloads', 'problems', 'load', 'notice', 'print-plan'].forEach(function (id) {
        elements[id.replace('-p', 'P')] = document.getElementById(id);
    });
    form = buildForm(tables, document.getElementById('form'), function () {
        addressNote = [];
        update();
    });
    elements.results.addEventListener('click', function (event) {
        var why = event.target.closest('button.why');
        if (why) toggleWhy(elements.results, why);
        var box = event.target.closest('button.to-chain');
        if (box) views.showInChain(+box.getAttribute('data-row'));
    });
    window.addEventListener('hashchange', fromAddress);
    elements.downloads.addEventListener('click', download);
    elements.problems.addEventListener('click', followLink);
    elements.notice.addEventListener('click', followLink);
    elements.load.addEventListener('change', function () {
        if (elements.load.files[0]) readFile(elements.load.files[0]);
        elements.load.value = '';
    });
    bar.start({
        link: function (withBuilt) {
            var site = document.querySelector('meta[name="werkverbund-site"]');
            return linkOf(planner.hashOf(last.plan, withBuilt), location.href, site && site.content);
        },
        plan: function () { return form.read(); },
        show: show,
        empty: function () { return emptyPlan(tables); },
        tab: function () {
            views.show();
            showTranscript();
        }
    });
    views.start(tables, runner, { built: planner.built, setBuilt: planner.setBuilt, plan: planner.plan });
    planner.start(tables, { show: show, record: function () { return last.result.record; }, address: addressNow,
        carry: carrier(tables, runner), noted: noted, refresh: function () { views.show(); }, notice: bar.notice,
        trouble: bar.trouble, listed: views.listed }, location.hash);
    startSharing({ hash: function (withBuilt) { return planner.hashOf(last.plan, withBuilt); }, open: openPasted,
        notice: bar.notice });
    // the form is never sent anywhere (the page's policy would refuse it): Enter in a field changes nothing
    document.getElementById('form').addEventListener('submit', function (event) { event.preventDefault(); });
    watchForUpdates(saveNow, bar.notice);
}

// The scripts stand in the page's head, so that its first paint shows the first results: the page starts once
// its body is read. A failure to start is shown on the page and reported as the page's error.
var bodyRead = new Promise(function (resolve) {
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', resolve);
    else resolve();
});
Promise.all([ready, bodyRead]).then(start).catch(function (e) {
    bodyRead.then(function () {
        document.getElementById('results').textContent = 'Die Seite konnte nicht starten: ' + e;
    });
    setTimeout(function () { throw e; });
});
