// The page: loads the core, binds the form and, after every change, runs the plan once and shows what the run said:
// the summary, the result tables, the fields that cannot be taken, the console text and the files.
// window.werkverbund.run runs the console program on any arguments and input.
// Takes from WV: makeRunner, buildForm, planInput, hashOf, planOfHash, emptyPlan, keyOf, isAsked, fieldMessage,
// describeResults, showResults, showSummary, bytesOf, textOf, element, setIf, bar; gives window.werkverbund.
(function (WV) {
    'use strict';
    var runner = null;
    var tables = null;
    var form = null;
    var last = null;       // the plan, its values and the run of the last update
    var elements = {};
    var addressNote = [];  // what the address held that the page does not know, until the next change
    var timing = { firstResults: null, recomputes: [] };
    var LOAD_LIMIT = 64 * 1024;  // far beyond any real answers file

    // The core compiles at once (its WebAssembly is small); the promise keeps the page's code the same should it
    // ever be compiled in the background.
    var ready = Promise.resolve(createWerkverbundCore()).then(function (core) {
        runner = WV.makeRunner(core);
        return runner;
    });

    window.werkverbund = {
        run: function (args, input, before) {
            return ready.then(function (r) { return r.run(args, input, before); });
        },
        timing: timing
    };

    // The plan goes into the address once the typing pauses: the browser takes its time over each change of the
    // address.
    var addressTimer = null;
    function keepInAddress(hash) {
        clearTimeout(addressTimer);
        addressTimer = setTimeout(function () {
            if (location.hash !== hash) history.replaceState(null, '', hash);
        }, 50);
    }

    // One run of the plan as it stands; fields that cannot be taken count as empty and say so.
    function update() {
        var started = performance.now();
        var plan = form.read();
        var hash = '#' + WV.hashOf(tables, plan);
        keepInAddress(hash);
        var input = WV.planInput(tables, plan, runner.readDemand);
        var result = runner.runPlan(input.options, input.values);
        form.render(plan, { errors: input.errors, record: result.record });
        var described = WV.describeResults(result.record, tables);
        WV.showResults(elements.results, described);
        WV.showSummary(described.summary);
        WV.setIf(elements.transcript, 'textContent', result.stdout + result.stderr);
        showProblems(plan, input, result.record);
        if (!last || last.hash !== hash) showPlanInBrief(plan);
        last = { plan: plan, hash: hash, result: result };
        var now = performance.now();
        if (timing.firstResults === null) timing.firstResults = now;
        else timing.recomputes.push(now - started);
    }

    // ---- What cannot be taken, with a link to each field ----

    // A list of items, each a text or {key, text}: the field's name as a link that focuses it, then the text.
    function listOf(items) {
        return WV.element('ul', {}, items.map(function (item) {
            if (typeof item === 'string') return WV.element('li', { text: item });
            var link = WV.element('a', { href: '#' + form.fields[item.key].input.id, 'data-key': item.key,
                text: form.nameOf(item.key) });
            return WV.element('li', {}, [link, document.createTextNode(': ' + item.text)]);
        }));
    }

    function focusField(key) {
        var input = form.fields[key].input;
        input.focus();
        input.select();
    }

    // The fields whose text or value cannot be taken, and what the address held that the page does not know.
    function showProblems(plan, input, record) {
        var items = [];
        tables.questions.forEach(function (q, i) {
            var asked = record.questions[i];
            var text = input.errors[q.key] || (asked.problem ? WV.fieldMessage(q) : '');
            if (text) items.push({ key: q.key, text: '„' + plan.values[q.key] + '“ – ' + text });
            else if (asked.refused) items.push({ key: q.key, text: 'der berechnete Wert liegt außerhalb des Bereichs' });
        });
        var messages = record.messages.filter(function (m) { return m.about !== 'row'; });
        items = items.concat(addressNote, messages.map(function (m) { return m.text; }));
        var key = JSON.stringify(items);
        if (elements.problems.wvKey === key) return;
        elements.problems.wvKey = key;
        elements.problems.textContent = '';
        elements.problems.hidden = !items.length;
        if (!items.length) return;
        elements.problems.appendChild(WV.element('p', {
            text: 'Nicht alles kann so genommen werden; die Ergebnisse gelten für den Rest des Plans:' }));
        elements.problems.appendChild(listOf(items));
    }

    // The plan in brief for the printed page: the options, and every field that holds something.
    function showPlanInBrief(plan) {
        var parts = tables.options.filter(function (o) { return plan.options[o.name]; }).map(function (o) {
            return o.spelling + (o.question ? ' ' + plan.answers[o.name] : '');
        });
        tables.questions.forEach(function (q) {
            var text = plan.values[q.key];
            if (q.kind !== 'letter' && text && WV.isAsked(q, plan.options)) parts.push(form.nameOf(q.key) + ': ' + text);
        });
        var race = tables.crystalRaces.filter(function (c) { return c.letter === plan.values.crystalRace; })[0];
        parts.push('Kristallfabriken: ' + (race || tables.crystalRaces[0]).name);
        elements.printPlan.textContent = 'Plan: ' + parts.join(' · ');
    }

    // ---- Files ----

    // A file of the plan: from its run, or from a run of the plan with the options that make the console program
    // write it (the link's data-needs, in the address's words).
    function fileBytes(link) {
        var name = link.getAttribute('download');
        if (name === 'antworten.txt') return WV.bytesOf(last.result.answers);
        if (last.result.files[name]) return last.result.files[name];
        var plan = JSON.parse(JSON.stringify(last.plan));
        var needs = WV.planOfHash(tables, link.getAttribute('data-needs'));
        Object.keys(needs.options).forEach(function (o) {
            if (!needs.options[o]) return;
            plan.options[o] = true;
            if (needs.answers[o]) plan.answers[o] = needs.answers[o];
        });
        var input = WV.planInput(tables, plan, runner.readDemand);
        return runner.runPlan(input.options, input.values).files[name] || new Uint8Array(0);
    }

    // A link makes its file's address only when it is followed, so a recompute costs no file objects.
    function download(event) {
        var link = event.target.closest('a[download]');
        if (!link) return;
        if (link.href.indexOf('blob:') === 0) URL.revokeObjectURL(link.href);
        link.href = URL.createObjectURL(new Blob([fileBytes(link)], { type: 'application/octet-stream' }));
    }

    // ---- Answers files ----

    // The console program on the answers with these options: its status and record, the lines it left that are
    // not blank, the questions that found no number, and whether the file fits.
    function tryAnswers(options, bytes) {
        var on = tables.options.filter(function (o) { return options[o.name]; });
        var run = { status: runner.run(on.map(function (o) { return o.spelling; }), bytes).status };
        run.record = runner.record();
        run.left = WV.textOf(bytes.subarray(bytes.length - run.record.inputLeft)).split('\n').filter(function (l) {
            return /\S/.test(l);
        });
        run.unread = run.record.questions.filter(function (q) { return q.source === 'unread'; }).length;
        // a file that fits has one answer for each question asked and each yes/no question
        run.given = WV.textOf(bytes).split(/\s+/).filter(Boolean).length;
        run.asked = run.record.questions.filter(function (q) { return q.asked; }).length
            + Object.keys(run.record.answers).filter(function (o) { return run.record.answers[o]; }).length;
        run.fits = run.status === 0 && !run.left.length && !run.unread && run.given === run.asked
            && !run.record.messages.some(function (m) { return m.about === 'question'; });
        return run;
    }

    // The switches of the options that change which questions are asked, set as near to the plan's as an answers
    // file fits (the run reads to its end and stops with the last line); null when none fits.
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
                changes += options[o.name] !== !!plan.options[o.name] ? 1 : 0;
            });
            if (tryAnswers(options, bytes).fits && (!best || changes < best.changes)) {
                best = { options: options, changes: changes };
            }
        }
        return best && best.changes ? best.options : null;
    }

    // Loads an answers file: the console program runs on it with the options set, and the form takes the answers
    // that run took. A file that does not fit the options is said, with the options it would fit.
    function loadAnswers(bytes, name) {
        var plan = form.read();
        var run = tryAnswers(plan.options, bytes);
        tables.questions.forEach(function (q, i) {
            if (!WV.isAsked(q, plan.options)) return;
            var taken = run.record.questions[i].taken;
            plan.values[q.key] = q.kind === 'letter' ? String.fromCharCode(taken) : String(taken);
        });
        Object.keys(plan.answers).forEach(function (o) {
            if (run.record.answers[o]) plan.answers[o] = run.record.answers[o];
        });
        var warnings = warningsOf(run);
        var fits = warnings.length ? fittingOptions(plan, bytes) : null;
        form.show(plan);
        update();
        if (!warnings.length) return WV.bar.notice(name + ' geladen.');
        var items = warnings.slice(1);
        var action = fits && { text: 'Mit ' + describeOptions(fits) + ' laden', run: function () {
            form.show({ options: fits, answers: plan.answers, values: {} });
            loadAnswers(bytes, name);
        } };
        WV.bar.notice(name + ': ' + warnings[0], true, items.length ? listOf(items) : null, action);
    }

    function describeOptions(options) {
        var on = tables.options.filter(function (o) { return options[o.name]; });
        return on.length ? on.map(function (o) { return o.spelling; }).join(' ') : 'keiner Option';
    }

    // What to say about a loaded file: first the sentence, then a line per field the console refused.
    function warningsOf(run) {
        var said = [];
        if (run.status !== 0) said.push('Die Datei endet vor der letzten Frage; die übrigen Felder bleiben leer.');
        if (run.unread) said.push(run.unread + ' Fragen fanden keine Zahl, wo sie eine erwarteten.');
        if (run.left.length) {
            said.push('Nach der letzten Frage stehen noch ' + run.left.length + ' Zeilen in der Datei.');
        }
        if (!said.length && run.given !== run.asked) {
            said.push('Die Datei hat ' + run.given + ' Antworten, gefragt wurde ' + run.asked + '-mal.');
        }
        if (said.length) said = [said.join(' ') + ' Die Datei passt nicht zu den eingeschalteten Optionen.'];
        run.record.messages.forEach(function (m) {
            if (m.about !== 'question') return;
            if (!said.length) said.push('Nicht jede Zeile wurde genommen.');
            var q = tables.questions[m.index];
            said.push({ key: WV.keyOf(tables, q), text: WV.fieldMessage(q) + ' Die Zeile wurde übersprungen.' });
        });
        return said;
    }

    function readFile(file) {
        if (file.size > LOAD_LIMIT) {
            WV.bar.notice(file.name + ' ist ' + Math.ceil(file.size / 1024) + ' KB groß und wird nicht geladen: '
                + 'eine Antwortdatei hat höchstens 64 KB.', true);
            return;
        }
        file.arrayBuffer().then(function (buffer) { loadAnswers(new Uint8Array(buffer), file.name); });
    }

    // ---- Start ----

    function fromAddress() {
        var plan = location.hash.length > 1 ? WV.planOfHash(tables, location.hash) : WV.emptyPlan(tables);
        addressNote = (plan.unknown || []).map(function (part) {
            return 'Unbekannt in der Adresse und nicht genommen: ' + part;
        });
        form.show(plan);
        update();
    }

    function start() {
        tables = runner.tables();
        WV.numberTextLimit = tables.numberTextLimit;
        tables.questions.forEach(function (q) { WV.keyOf(tables, q); });
        ['form', 'results', 'transcript', 'downloads', 'problems', 'load', 'printPlan'].forEach(function (id) {
            elements[id] = document.getElementById(id.replace(/[A-Z]/, function (c) { return '-' + c.toLowerCase(); }));
        });
        form = WV.buildForm(tables, elements.form, function () {
            addressNote = [];
            update();
        });
        window.addEventListener('hashchange', fromAddress);
        elements.downloads.addEventListener('click', download);
        elements.problems.addEventListener('click', followLink);
        document.getElementById('notice').addEventListener('click', followLink);
        elements.load.addEventListener('change', function () {
            if (elements.load.files[0]) readFile(elements.load.files[0]);
            elements.load.value = '';
        });
        WV.bar.start({
            link: function () { return location.href.split('#')[0] + last.hash; },
            plan: function () { return form.read(); },
            show: function (plan) { form.show(plan); update(); },
            empty: function () { return WV.emptyPlan(tables); }
        });
        fromAddress();
    }

    // The address after '#' holds the plan, so a link to a field focuses it instead of being followed.
    function followLink(event) {
        var link = event.target.closest('a[data-key]');
        if (!link) return;
        event.preventDefault();
        focusField(link.getAttribute('data-key'));
    }

    // A failure to start is shown on the page and reported as the page's error.
    ready.then(start).catch(function (e) {
        document.getElementById('results').textContent = 'Die Seite konnte nicht starten: ' + e;
        setTimeout(function () { throw e; });
    });
})(window.WV);
