// The core natively, for the page's runner (core/run.js) in node under ctest: the WebAssembly core's calls and
// memory, answered by the bridge program of the same build (tests/node/bridge.cpp). A call that answers something
// sends every call since the last run to a fresh bridge; what the run left is read back from its answer.
'use strict';
const { spawnSync } = require('node:child_process');

function nativeCore(program) {
    let memory = new Uint8Array(1 << 16), top = 8, live = 0;
    let calls = [], left = null;  // the calls since the last run; what the bridge said last
    const fit = (end) => {
        if (end <= memory.length) return;
        const grown = new Uint8Array(Math.max(end + 8, 2 * memory.length) & ~7);
        grown.set(memory);
        memory = grown;
    };
    const malloc = (n) => { const at = top; fit(at + n); top = (at + n + 7) & ~7; live++; return at; };
    const free = () => { if (--live === 0) top = 8; };
    // What the core hands out lies above what is allocated, valid until the next allocation.
    const place = (bytes) => {
        fit(top + bytes.length + 1);
        memory.set(bytes, top);
        memory[top + bytes.length] = 0;
        return top;
    };
    const bytesAt = (at, n) => Buffer.from(memory.subarray(at, at + n));
    const stringAt = (at) => bytesAt(at, memory.indexOf(0, at) - at);
    const num = (n) => Buffer.from(String(n));

    // Sends the calls since the last run and this one to a fresh bridge; gives what this one returned and keeps what
    // the run left. A call kept is sent again with the later calls until the next run.
    function ask(name, args = [], keep = true) {
        const sent = calls.concat([[name, args]]);
        if (keep) calls = sent;
        // each call a line of its name and its arguments' lengths, then the arguments
        const line = (n, a) => Buffer.from([n, ...a.map((x) => x.length)].join(' ') + '\n');
        const input = Buffer.concat(sent.flatMap(([n, a]) => [line(n, a), ...a]));
        const r = spawnSync(program, [], { input, maxBuffer: 1 << 28 });
        if (r.status !== 0) throw new Error(`${program}: ${r.error || r.signal || r.stderr}`);
        let at = 0;
        const field = () => {
            const eol = r.stdout.indexOf(10, at), length = Number(r.stdout.toString('latin1', at, eol));
            at = eol + 1 + length;
            return r.stdout.subarray(eol + 1, at);
        };
        const answer = field(), out = field(), err = field(), folder = [];
        for (let i = Number(field().toString()); i > 0; i--) {
            folder.push({ name: field(), isDir: Number(field().toString()), bytes: field() });
        }
        left = { out, err, folder, record: field(), answers: field() };
        return answer;
    }
    const later = (name, ...args) => { calls.push([name, args]); };
    const run = (name, args) => { const status = Number(ask(name, args).toString()); calls = []; return status; };
    const entry = (i) => left.folder[i];

    return {
        get HEAPU8() { return memory; },
        get HEAP32() { return new Int32Array(memory.buffer, 0, memory.length >> 2); },
        _malloc: malloc, _free: free, UTF8ToString: (at) => stringAt(at).toString('utf8'),
        _wv_folderReset: () => later('folderReset'),
        _wv_folderAdd: (at, isDir) => Number(ask('folderAdd', [stringAt(at), num(isDir)]).toString()),
        _wv_folderWrite: (i, at, n) => Number(ask('folderWrite', [num(i), bytesAt(at, n)]).toString()),
        _wv_folderCount: () => left.folder.length,
        _wv_folderName: (i) => place(entry(i).name), _wv_folderIsDir: (i) => entry(i).isDir,
        _wv_folderBytes: (i) => place(entry(i).bytes), _wv_folderLength: (i) => entry(i).bytes.length,
        _wv_run: (argc, argv, at, n) => run('run', Array.from(new Int32Array(memory.buffer, argv, argc), stringAt)
            .concat([bytesAt(at, n)])),
        _wv_out: () => place(left.out), _wv_outLength: () => left.out.length,
        _wv_err: () => place(left.err), _wv_errLength: () => left.err.length,
        _wv_planReset: () => later('planReset'),
        _wv_planOption: (i, on, answer) => later('planOption', num(i), num(on), num(answer)),
        _wv_planField: (i, at, n) => later('planField', num(i), bytesAt(at, n)),
        _wv_runPlan: () => run('runPlan', []),
        _wv_answers: () => place(left.answers), _wv_answersLength: () => left.answers.length,
        _wv_record: () => place(left.record), _wv_tables: () => place(ask('tables', [], false)),
    };
}

module.exports = { nativeCore };
