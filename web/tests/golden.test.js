// Every golden case through the page's core in node, byte for byte (the WebAssembly core, or the native one).
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadRunner, goldenCases, fileTexts } = require('./support.js');

test('golden cases through the page\'s core', async (t) => {
    const runner = await loadRunner();
    for (const c of goldenCases()) {
        await t.test(c.name, { skip: c.launcher && 'needs a process with its own standard streams' }, () => {
            // a file set up before and not expected must be left as it was (a folder stays a folder), no other may exist
            const r = runner.run(c.args, c.input, c.before);
            assert.deepStrictEqual({ status: r.status, stdout: r.stdout, stderr: c.stderr === null ? null : r.stderr,
                ...fileTexts(r.files) }, { status: c.status, stdout: c.stdout, stderr: c.stderr, ...c.before.files, ...c.files });
        });
    }
});
