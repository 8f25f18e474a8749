// The page: loads the core, binds the form and, after every change, runs the plan once and shows what the run said:
// summary, result tables, the fields that cannot be taken, console text and files. Also loads answers files.
// window.werkverbund.run runs the console program on any arguments and input.
// Takes from WV: core, makeRunner, buildForm, planInput, emptyPlan, keyOf, isAsked, fieldMessage, describeResults,
// showResults, toggleWhy, explainRow, showSummary, bytesOf, textOf, element, setIf, linkTo, bar, planner, views;
// gives window.werkverbund.
(function (WV) {
    'use strict';
    var runner = null;
    var tables = null;
    var form = null;
    var last = null;       // the plan, its address and its run, of the last update
    var elements = {};
    var addressNote = [];  // what the address held that could not be read, until the next change
    var timing = { firstResults: null, recomputes: [] };
    var LOAD_LIMIT = 64 * 1024;  // far beyond any real answers file

    // The core is made beside its script; the promise keeps the page's code the same should it ever be compiled
    // in the background.
    var ready = Promise.resolve().then(function () {
        return WV.core || createWerkverbundCore();
    }).then(function (core) {
        runner = WV.makeRunner(core);
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
        var hash = '#' + WV.planner.save(plan);
        keepInAddress(hash);
        var input = WV.planInput(tables, plan, runner.readDemand);
        var result = runner.runPlan(input.options, input.values, true);
        form.render(plan, { errors: input.errors, record: result.record });
        var described = WV.describeResults(result.record, tables);
        WV.showResults(elements.results, described, function (i) { return WV.explainRow(result.record, tables, i); });
        WV.showSummary(described.summary);
        showProblems(plan, input, result.record);
        if (!last || last.hash !== hash) showPlanInBrief(plan);
        last = { plan: plan, hash: hash, input: input, result: result };
        WV.views.show(result.record);
        showTranscript();
        var now = performance.now();
        if (timing.firstResults === null) timing.firstResults = now;
        else timing.recomputes.push(now - started);
    }

    // A list of texts and {key, text}: the field's name as a link that leads to it, then the text.
    function listOf(items) {
        return WV.element('ul', {}, items.map(function (item) {
            if (typeof item === 'string') return WV.element('li', { text: item });
            return WV.element('li', {}, [WV.element('a', {
                href: '#' + form.fields[item.key].input.id, 'data-key': item.key, text: form.nameOf(item.key)
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
            var asked = record.questions[i];
            var text = input.errors[q.key] || (asked.problem ? WV.fieldMessage(q) : '');
            if (text) items.push({ key: q.key, text: '„' + plan.values[q.key] + '“ – ' + text });
            else if (asked.refused) items.push({ key: q.key, text: 'Der berechnete Wert liegt nicht im Bereich.' });
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
        box.appendChild(WV.element('p', { text: 'Nicht alles kann so genommen werden; die Ergebnisse gelten für den '
            + 'Rest des Plans:' }));
        box.appendChild(listOf(items));
    }

    // The plan in brief for the printed page: the options, and every field that holds something.
    function showPlanInBrief(plan) {
        var parts = tables.options.filter(function (o) { return plan.options[o.name]; }).map(function (o) {
            return o.spelling + (o.question ? ' ' + plan.answers[o.name] : '');
        });
        tables.questions.forEach(function (q) {
            var text = plan.values[q.key];
            if (q.kind === 'letter' || !text || !WV.isAsked(q, plan.options)) return;
            parts.push(form.nameOf(q.key) + ': ' + text);
        });
        var race = tables.crystalRaces.filter(function (c) { return c.letter === plan.values.crystalRace; })[0];
        parts.push('Kristallfabriken: ' + (race || tables.crystalRaces[0]).name);
        elements.printPlan.textContent = 'Plan: ' + parts.join(' · ');
    }

    // The last plan's run with its console text, files and answers file, made when they are wanted.
    function fullRun() {
        if (!last.full) last.full = runner.runPlan(last.input.options, last.input.values);
        return last.full;
    }

    // The console text, while its tab is in sight.
    function showTranscript() {
        if (elements.transcript.closest('[role=tabpanel]').hidden) return;
        var run = fullRun();
        WV.setIf(elements.transcript, 'textContent', run.stdout + run.stderr);
    }

    // A file of the plan: from its run, or from a run of the plan with the options that make the console program
    // write it (the link's data-needs, as the address names them).
    function fileBytes(link) {
        var name = link.getAttribute('download');
        if (name === 'antworten.txt') return WV.bytesOf(fullRun().answers);
        if (fullRun().files[name]) return fullRun().files[name];
        var plan = JSON.parse(JSON.stringify(last.plan));
        var needs = link.getAttribute('data-needs').split('=');  // an option, and its answer where it has one
        plan.options[needs[0]] = true;
        plan.answers[needs[0]] = needs[1] || plan.answers[needs[0]];
        var input = WV.planInput(tables, plan, runner.readDemand);
        return runner.runPlan(input.options, input.values).files[name];
    }

    // A link makes its file's address only when it is followed, so a recompute costs no file objects.
    function download(event) {
        var link = event.target.closest('a[download]');
        if (!link) return;
        WV.linkTo(link, fileBytes(link), 'application/octet-stream');
    }

    // ---- Answers files ----

    // The console program on the answers with these options: its status and record, the lines it left that are
    // not blank, the questions that found no number, and whether the file fits: one answer to each question.
    function tryAnswers(options, bytes) {
        var on = tables.options.filter(function (o) { return options[o.name]; });
        var run = { status: runner.run(on.map(function (o) { return o.spelling; }), bytes).status };
        var record = run.record = runner.record();
        var left = WV.textOf(bytes.subarray(bytes.length - record.inputLeft));
        run.left = left.split('\n').filter(function (l) { return /\S/.test(l); }).length;
        run.unread = record.questions.filter(function (q) { return q.source === 'unread'; }).length;
        run.given = WV.textOf(bytes).split(/\s+/).filter(Boolean).length;
        run.asked = record.questions.filter(function (q) { return q.asked; }).length
            + Object.keys(record.answers).filter(function (o) { return record.answers[o]; }).length;
        run.fits = run.status === 0 && !run.left && !run.unread && run.given === run.asked
            && !record.messages.some(function (m) { return m.about === 'question'; });
        return run;
    }

    // The options that change which questions are asked, set as near to the plan's as the file fits; null when
    // it fits them as they are, or none.
    function fittingOptions(plan, bytes) {
        var asking = tables.options.filter(function (o) {
            return o.question || tables.questions.some(function (q) { return q.when === o.name; });
        });
        var best = null;
        for (var mask = 0; mask < 1 << asking.length; mask++) {
            var options = Object.assign({}, plan.options);
            var changes = 0;
            asking.forEach(function (o, i) {
                options[o.name] = !!(mask & 1 << i);
                if (options[o.name] !== !!plan.options[o.name]) changes++;
            });
            if ((!best || changes < best.changes) && tryAnswers(options, bytes).fits) {
                best = { options: options, changes: changes };
            }
        }
        return best && best.changes ? best.options : null;
    }

    // What to say about a loaded file: a sentence, then a line per field whose answer the console refused.
    function warningsOf(run) {
        var said = [];
        if (run.status) said.push('Die Datei endet vor der letzten Frage; die übrigen Felder bleiben leer.');
        if (run.unread) said.push(run.unread + ' Fragen fanden keine Zahl, wo sie eine erwarteten.');
        if (run.left) said.push('Nach der letzten Frage stehen noch ' + run.left + ' Zeilen in der Datei.');
        if (!said.length && run.given !== run.asked) {
            said.push('Die Datei hat ' + run.given + ' Antworten, gefragt wurde ' + run.asked + '-mal.');
        }
        if (said.length) said = [said.join(' ') + ' Die Datei passt nicht zu den eingeschalteten Optionen.'];
        run.record.messages.forEach(function (m) {
            if (m.about !== 'question') return;
            var q = tables.questions[m.index];
            if (!said.length) said.push('Nicht jede Zeile wurde genommen.');
            said.push({ key: WV.keyOf(tables, q), text: WV.fieldMessage(q) + ' Die Zeile wurde übersprungen.' });
        });
        return said;
    }

    // Loads an answers file: the console program runs on it with the options set, and the form takes the answers
    // that run took. A file that does not fit the options is said, with the options it would fit.
    function loadAnswers(bytes, name) {
        var plan = form.read();
        var run = tryAnswers(plan.options, bytes);
        tables.questions.forEach(function (q, i) {
            var state = run.record.questions[i];
            if (!WV.isAsked(q, plan.options)) return;
            var ended = !state.asked || run.status && state.source === 'unread';  // the file ended before it
            if (ended) plan.values[q.key] = '';
            else plan.values[q.key] = q.kind === 'letter' ? String.fromCharCode(state.taken) : String(state.taken);
        });
        Object.keys(plan.answers).forEach(function (o) { plan.answers[o] = run.record.answers[o] || plan.answers[o]; });
        var warnings = warningsOf(run);
        var fits = warnings.length ? fittingOptions(plan, bytes) : null;
        form.show(plan);
        update();
        if (!warnings.length) return WV.bar.notice(name + ' geladen.');
        var details = warnings.length > 1 ? listOf(warnings.slice(1)) : null;
        WV.bar.notice(name + ': ' + warnings[0], true, details, fits && { text: 'Mit ' + spellings(fits) + ' laden',
            run: function () {
                form.show({ options: fits, answers: plan.answers, values: {} });
                loadAnswers(bytes, name);
            } });
    }

    function spellings(options) {
        var on = tables.options.filter(function (o) { return options[o.name]; });
        return on.map(function (o) { return o.spelling; }).join(' ') || 'keiner Option';
    }

    function readFile(file) {
        if (file.size > LOAD_LIMIT) {
            return WV.bar.notice(file.name + ' ist ' + Math.ceil(file.size / 1024) + ' KB groß und wird nicht '
                + 'geladen: eine Antwortdatei hat höchstens 64 KB.', true);
        }
        file.arrayBuffer().then(function (buffer) { loadAnswers(new Uint8Array(buffer), file.name); });
    }

    // ---- Start ----

    // A link opened in this page adds its plan beside the others (or goes to the plan it is already).
    function fromAddress() {
        if (!last || location.hash !== last.hash) WV.planner.open(location.hash);
    }

    function noted(problems) {
        addressNote = problems.map(function (p) { return 'In der Adresse: ' + p; });
    }

    function show(plan) {
        form.show(plan);
        update();
    }

    function addressNow() {
        if (last) keepInAddress(last.hash = '#' + WV.planner.hashOf(last.plan));
    }

    function start() {
        tables = runner.tables();
        WV.numberTextLimit = tables.numberTextLimit;
        tables.questions.forEach(function (q) { WV.keyOf(tables, q); });
        ['results', 'transcript', 'downloads', 'problems', 'load', 'notice', 'print-plan'].forEach(function (id) {
            elements[id.replace('-p', 'P')] = document.getElementById(id);
        });
        form = WV.buildForm(tables, document.getElementById('form'), function () {
            addressNote = [];
            update();
        });
        elements.results.addEventListener('click', function (event) {
            var why = event.target.closest('button.why');
            if (why) WV.toggleWhy(elements.results, why);
        });
        window.addEventListener('hashchange', fromAddress);
        elements.downloads.addEventListener('click', download);
        elements.problems.addEventListener('click', followLink);
        elements.notice.addEventListener('click', followLink);
        elements.load.addEventListener('change', function () {
            if (elements.load.files[0]) readFile(elements.load.files[0]);
            elements.load.value = '';
        });
        WV.bar.start({
            link: function (withBuilt) { return location.href.split('#')[0] + '#' + WV.planner.hashOf(last.plan, withBuilt); },
            plan: function () { return form.read(); },
            show: show,
            empty: function () { return WV.emptyPlan(tables); },
            tab: function () {
                WV.views.show();
                showTranscript();
            }
        });
        WV.views.start(tables, runner);
        WV.planner.start(tables, { show: show, record: function () { return last.result.record; }, address: addressNow,
            noted: noted, refresh: function () { WV.views.show(); } }, location.hash);
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
})(window.WV);
