// The page: loads the core, builds the form from the core's tables and, after every change,
// runs the console program on the plan and shows its results. window.werkverbund.run runs the
// console program on any arguments and input.
(function (WV) {
    'use strict';
    var core = null;
    var runner = null;
    var tables = null;
    var form = null;
    var shownBefore = {};  // what the -m questions showed in the last run, by key
    var timing = { firstResults: null, recomputes: [] };

    // The core compiles at once (its WebAssembly is small); the promise keeps the page's code the
    // same should it ever be compiled in the background.
    var ready = Promise.resolve(createWerkverbundCore()).then(function (loaded) {
        core = loaded;
        runner = WV.makeRunner(core);
        return runner;
    });

    window.werkverbund = {
        run: function (args, input, before) {
            return ready.then(function (r) { return r.run(args, input, before); });
        },
        timing: timing
    };

    // The core's JSON texts are ASCII; other characters come as \u escapes.
    function coreJson(at) {
        return JSON.parse(core.UTF8ToString(at));
    }

    // Whether the console reads the whole text as one finite number for a "%f" question.
    function checkDemand(text) {
        var bytes = WV.bytesOf(text);
        var at = core._malloc(bytes.length + 1);
        core.HEAPU8.set(bytes, at);
        core.HEAPU8[at + bytes.length] = 0;
        var ok = core._wv_checkDemand(at, bytes.length) === 1;
        core._free(at);
        return ok;
    }

    // What a -m question shows, as a console user would type it.
    function shownValue(q, computed) {
        var value = computed[q.code];
        return q.kind === 'demand' ? WV.shownNumber(value) : String(value);
    }

    // Runs the plan. A -m field left empty takes the value the console shows at that question;
    // that value depends on the answers before it, so the plan runs again until every empty
    // field got the value shown (each run settles at least one more question).
    function runPlan(plan, typed) {
        var args = WV.argsOf(tables, plan);
        var manual = tables.questions.filter(function (q) {
            return q.group === tables.manualGroup && WV.isAsked(q, plan.options);
        });
        for (var attempt = 0; ; attempt++) {
            var input = WV.inputOf(tables, plan, function (q) {
                var key = WV.keyOf(tables, q);
                if (typed[key]) return typed[key];
                return q.group === tables.manualGroup && shownBefore[key] !== undefined ? shownBefore[key] : '0';
            });
            var result = runner.run(args, input);
            var record = coreJson(core._wv_record());
            var settled = true;
            manual.forEach(function (q) {
                var key = WV.keyOf(tables, q);
                var shown = shownValue(q, record.computed);
                if (!typed[key] && shownBefore[key] !== shown) settled = false;
                shownBefore[key] = shown;
            });
            if (settled || attempt > manual.length) return { result: result, record: record, input: input };
        }
    }

    // An empty -m field whose shown value the console would refuse (a count out of its range)
    // must be filled in by the user.
    function computedTakable(plan, typed) {
        var ok = true;
        tables.questions.forEach(function (q) {
            var key = WV.keyOf(tables, q);
            if (q.group !== tables.manualGroup || !WV.isAsked(q, plan.options) || typed[key]) return;
            var value = Number(shownBefore[key]);
            if (q.kind !== 'count' || (value >= q.low && value <= q.high)) return;
            form.fields[key].message.textContent = 'Der berechnete Wert ' + value + ' liegt nicht zwischen '
                + q.low + ' und ' + q.high + '; bitte einen Wert eingeben.';
            ok = false;
        });
        return ok;
    }

    var elements = {};

    // The plan goes into the address once the typing pauses: the browser takes its time over
    // each change of the address.
    var addressTimer = null;
    function keepInAddress(hash) {
        clearTimeout(addressTimer);
        addressTimer = setTimeout(function () {
            if (location.hash !== hash) history.replaceState(null, '', hash);
        }, 50);
    }

    function update() {
        var started = performance.now();
        var plan = form.read();
        keepInAddress('#' + WV.hashOf(tables, plan));
        var typed = form.check(plan, checkDemand);
        elements.stale.hidden = !!typed;
        if (!typed) return;
        var run = runPlan(plan, typed);
        form.showComputed(shownBefore);
        if (!computedTakable(plan, typed)) {
            elements.stale.hidden = false;
            return;
        }
        WV.showResults(elements.results, run.record.rows);
        elements.transcript.textContent = run.result.stdout + run.result.stderr;
        WV.showDownloads(elements.downloads, run.result.files, run.input);
        var now = performance.now();
        if (timing.firstResults === null) timing.firstResults = now;
        else timing.recomputes.push(now - started);
    }

    // Loads an answers file: the console program runs on it with the options set, and the form
    // takes the answers that run stored.
    function loadAnswers(bytes) {
        var plan = form.read();
        runner.run(WV.argsOf(tables, plan), bytes);
        var record = coreJson(core._wv_record());
        tables.questions.forEach(function (q, i) {
            if (!WV.isAsked(q, plan.options)) return;
            var value = record.answers[i];
            plan.values[WV.keyOf(tables, q)] = q.kind === 'letter' ? String.fromCharCode(value) : String(value);
        });
        Object.keys(plan.answers).forEach(function (name) {
            if (record.answered[name]) plan.answers[name] = record.answered[name];
        });
        form.show(plan);
        update();
    }

    function start() {
        tables = coreJson(core._wv_tables());
        WV.numberTextLimit = tables.numberTextLimit;
        ['form', 'results', 'transcript', 'downloads', 'stale', 'load'].forEach(function (id) {
            elements[id] = document.getElementById(id);
        });
        form = WV.buildForm(tables, elements.form, update);
        var fromAddress = function () {
            form.show(location.hash.length > 1 ? WV.planOfHash(tables, location.hash) : WV.emptyPlan(tables));
            update();
        };
        window.addEventListener('hashchange', fromAddress);
        // the address after '#' holds the plan, so the way down is a button, not a link
        document.getElementById('jump').addEventListener('click', function () {
            document.getElementById('output').scrollIntoView();
            document.getElementById('output-title').focus();
        });
        elements.load.addEventListener('change', function () {
            var file = elements.load.files[0];
            if (!file) return;
            file.arrayBuffer().then(function (buffer) {
                loadAnswers(new Uint8Array(buffer));
                elements.load.value = '';
            });
        });
        fromAddress();
    }

    // A failure to start is shown on the page and reported as the page's error.
    ready.then(start).catch(function (e) {
        document.getElementById('results').textContent = 'Die Seite konnte nicht starten: ' + e;
        setTimeout(function () { throw e; });
    });
})(window.WV);
