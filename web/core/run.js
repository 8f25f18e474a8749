// Runs the WebAssembly core, each run in a fresh folder held in the core's memory: the console program on
// arguments and typed text (window.werkverbund.run, the answers-file loader), or a plan handed over as values.
// Text is handled as bytes, one character per byte.

// The most typed text a run takes: far beyond any real answers, small enough for a phone's tab.
export const INPUT_LIMIT = 1 << 20;
// The most bytes the files handed to one run hold together (each is bounded so by the core as well).
export const FILES_LIMIT = 16 * 1024 * 1024;

// Text handed to a run is bytes, one character each: a character beyond one byte is refused, never cut to its
// low byte.
function checkBytes(text, what) {
    if (typeof text === 'string' && /[\u0100-\uffff]/.test(text)) {
        throw new Error('werkverbund.run: ' + what + ' enthält ein Zeichen über 0xFF');
    }
}

export function bytesOf(text) {
    if (text instanceof Uint8Array) return text;
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i) & 0xff;
    return bytes;
}

export function textOf(bytes) {
    var parts = [];
    for (var i = 0; i < bytes.length; i += 8192) {
        parts.push(String.fromCharCode.apply(null, bytes.subarray(i, i + 8192)));
    }
    return parts.join('');
}

// A name of the run's folder: no way out of it, no folder of its own unless listed in dirs, and bytes only
// (one character each, no zero), so that it comes back as it went in.
function checkName(name, dirs) {
    if (typeof name !== 'string' || name === '' || name.charAt(0) === '/' || /(^|\/)\.\.?(\/|$)/.test(name)
        || /[\0\u0100-\uffff]/.test(name)) {
        throw new Error('werkverbund.run: unzulässiger Name "' + name + '"');
    }
    var folder = name.indexOf('/') < 0 ? '' : name.slice(0, name.lastIndexOf('/'));
    if (folder && dirs.indexOf(folder) < 0) {
        throw new Error('werkverbund.run: der Ordner von "' + name + '" steht nicht in dirs');
    }
}

export function makeRunner(core) {
    // Copies bytes into the core's memory with a closing zero; the caller frees them.
    function copyIn(bytes) {
        var at = core._malloc(bytes.length + 1);
        core.HEAPU8.set(bytes, at);
        core.HEAPU8[at + bytes.length] = 0;
        return at;
    }

    // Calls fn with the bytes in the core's memory, and frees them whatever happens.
    function withCopy(bytes, fn) {
        var at = copyIn(bytes);
        try {
            return fn(at);
        } finally {
            core._free(at);
        }
    }

    function bytesAt(at, length) {
        return at ? core.HEAPU8.slice(at, at + length) : new Uint8Array(0);
    }

    // The run's folder holds what before lists: folders, and files with their bytes.
    function fillFolder(before) {
        before = before || {};
        var dirs = before.dirs || [];
        var names = Object.keys(before.files || {});
        dirs.concat(names).forEach(function (name) { checkName(name, dirs); });
        var total = 0;
        names.forEach(function (name) {
            var content = before.files[name];
            checkBytes(content, 'die Datei "' + name + '"');
            if (content.length > FILES_LIMIT) throw new Error('werkverbund.run: die Datei "' + name + '" ist zu groß');
            total += content.length;
        });
        if (total > FILES_LIMIT) {
            throw new Error('werkverbund.run: die Dateien sind zusammen größer als ' + FILES_LIMIT + ' Bytes');
        }
        core._wv_folderReset();
        dirs.forEach(function (name) { add(name, 1); });
        names.forEach(function (name) {
            var bytes = bytesOf(before.files[name]);
            var index = add(name, 0);
            if (withCopy(bytes, function (at) { return core._wv_folderWrite(index, at, bytes.length); }) < 0) {
                throw new Error('werkverbund.run: die Datei "' + name + '" ist zu groß');
            }
        });
    }

    function add(name, isDir) {
        var index = withCopy(bytesOf(name), function (at) { return core._wv_folderAdd(at, isDir); });
        if (index < 0) throw new Error('werkverbund.run: "' + name + '" passt nicht in den Ordner');
        return index;
    }

    // Calls the run in the folder; returns its status with the console text and every file of the folder.
    function inFolder(before, call) {
        fillFolder(before);
        var result = { status: call(), files: {} };
        result.stdout = textOf(bytesAt(core._wv_out(), core._wv_outLength()));
        result.stderr = textOf(bytesAt(core._wv_err(), core._wv_errLength()));
        var names = [];
        for (var i = 0; i < core._wv_folderCount(); i++) {
            var at = core._wv_folderName(i);
            var name = textOf(bytesAt(at, core.HEAPU8.indexOf(0, at) - at));
            if (!core._wv_folderIsDir(i) && name.indexOf('/') < 0) names.push([name, i]);
        }
        names.sort(function (a, b) { return a[0] < b[0] ? -1 : 1; }).forEach(function (n) {
            result.files[n[0]] = bytesAt(core._wv_folderBytes(n[1]), core._wv_folderLength(n[1]));
        });
        return result;
    }

    // The console program on arguments and typed text.
    function run(args, input, before) {
        input = input || '';
        if (input.length > INPUT_LIMIT) {  // one character per byte: refused before any copy is made
            throw new Error('werkverbund.run: die Eingabe ist länger als ' + INPUT_LIMIT + ' Bytes');
        }
        checkBytes(input, 'die Eingabe');
        (args || []).forEach(function (a) { checkBytes(a, 'das Argument "' + a + '"'); });
        var stdin = bytesOf(input);
        var strings = ['werkverbund'].concat(args || []).map(function (a) { return copyIn(bytesOf(a)); });
        var argv = core._malloc(4 * strings.length);
        strings.forEach(function (at, i) { core.HEAP32[(argv >> 2) + i] = at; });
        try {
            return withCopy(stdin, function (inputAt) {
                return inFolder(before, function () {
                    return core._wv_run(strings.length, argv, inputAt, stdin.length);
                });
            });
        } finally {
            strings.concat([argv]).forEach(function (at) { core._free(at); });
        }
    }

    // A plan: options [{on, answer}] by the options table's order, fields [text or null] by the question table's
    // order, each text handed over once for the core to read. The record and antworten.txt come with the result.
    // A lean run gives only its status and record: the console text and files are fetched by running the plan
    // again when they are wanted (a run costs less than copying them out after every change).
    function runPlan(input, lean) {
        core._wv_planReset();
        input.options.forEach(function (o, i) {
            core._wv_planOption(i, o.on ? 1 : 0, o.answer ? o.answer.charCodeAt(0) : 0);
        });
        input.fields.forEach(function (text, i) {
            if (text === null || text === undefined) return;
            checkBytes(text, 'das Feld ' + i);
            var bytes = bytesOf(text);
            withCopy(bytes, function (at) { core._wv_planField(i, at, bytes.length); });
        });
        if (lean) {
            core._wv_folderReset();
            return { status: core._wv_runPlan(), record: JSON.parse(core.UTF8ToString(core._wv_record())) };
        }
        var result = inFolder(null, function () { return core._wv_runPlan(); });
        result.record = JSON.parse(core.UTF8ToString(core._wv_record()));
        result.answers = textOf(bytesAt(core._wv_answers(), core._wv_answersLength()));
        return result;
    }

    // The records of lean runs, kept for the last few plans: the tabs that show stored plans beside the form's
    // (Vergleich, Zusammen) run each plan once, not again on every change of the form. keep() adds a record the page
    // has from a run of its own.
    var records = new Map();
    function keyOf(input) { return JSON.stringify([input.options, input.fields]); }
    function keep(input, record) {
        if (records.size >= 12) records.clear();
        records.set(keyOf(input), record);
        return record;
    }
    function recordOf(input) {
        return records.get(keyOf(input)) || keep(input, runPlan(input, true).record);
    }

    function json(at) { return JSON.parse(core.UTF8ToString(at)); }

    return {
        run: run, runPlan: runPlan, recordOf: recordOf, keep: keep,
        tables: function () { return json(core._wv_tables()); },
        record: function () { return json(core._wv_record()); }
    };
}
