// The page: loads the core, builds the form from the core's tables and, after every change, runs the plan once
// and shows what the run said. window.werkverbund.run runs the console program on any arguments and input.
// Takes from WV: makeRunner, buildForm, planInput, hashOf, planOfHash, emptyPlan, keyOf, isAsked, showResults,
// showDownloads, numberTextLimit; gives window.werkverbund.
(function (WV) {
    'use strict';
    var runner = null;
    var tables = null;
    var form = null;
    var elements = {};
    var timing = { firstResults: null, recomputes: [] };

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
        keepInAddress('#' + WV.hashOf(tables, plan));
        var input = WV.planInput(tables, plan, runner.readDemand);
        var result = runner.runPlan(input.options, input.values);
        form.render(plan, { errors: input.errors, record: result.record });
        var wrong = Object.keys(input.errors).length > 0 || result.record.questions.some(function (q) {
            return q.problem || q.refused;
        });
        elements.stale.hidden = !wrong;
        WV.showResults(elements.results, result.record.rows);
        elements.transcript.textContent = result.stdout + result.stderr;
        WV.showDownloads(elements.downloads, result.files, result.answers);
        var now = performance.now();
        if (timing.firstResults === null) timing.firstResults = now;
        else timing.recomputes.push(now - started);
    }

    // Loads an answers file: the console program runs on it with the options set, and the form takes the answers
    // that run took.
    function loadAnswers(bytes) {
        var plan = form.read();
        var options = tables.options.filter(function (o) { return plan.options[o.name]; });
        runner.run(options.map(function (o) { return o.spelling; }), bytes);
        var record = runner.record();
        tables.questions.forEach(function (q, i) {
            if (!WV.isAsked(q, plan.options)) return;
            var taken = record.questions[i].taken;
            plan.values[WV.keyOf(tables, q)] = q.kind === 'letter' ? String.fromCharCode(taken) : String(taken);
        });
        Object.keys(plan.answers).forEach(function (name) {
            if (record.answers[name]) plan.answers[name] = record.answers[name];
        });
        form.show(plan);
        update();
    }

    function start() {
        tables = runner.tables();
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
