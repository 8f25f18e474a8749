// Every golden case through the page's core in node, byte for byte (the WebAssembly core, or the native one).
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { loadRunner, goldenCases, compareWithCase } = require('./support.js');

test('golden cases through the page\'s core', async (t) => {
    const runner = await loadRunner();
    for (const c of goldenCases()) {
        await t.test(c.name, { skip: c.launcher && 'needs a process with its own standard streams' }, () => {
            assert.deepStrictEqual(compareWithCase(c, runner.run(c.args, c.input, c.before)), []);
        });
    }
});
