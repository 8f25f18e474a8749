// Native and WebAssembly runs compared on random plans: every option set (run i uses the subset i mod 256) in odd
// spellings, odd answers, files in the way. WERKVERBUND_RANDOM_RUNS runs from WERKVERBUND_RANDOM_SEED.
'use strict';
const test = require('node:test');
const { loadRunner, runNative, generator, randomRuns, assertSameRun, OUTPUT_FILES } = require('./support.js');

const [RUNS, SEED] = randomRuns('WERKVERBUND_RANDOM_RUNS');
const OPTIONS = ['h', 'br', 'xl', 'or', 'dat', 'm', 'es', 'opt'];

function spelling(g, option) {
    const first = g.pick(['-', '-', '/', 'x', 'X', '']);
    const s = [...option].map((ch) => (g.chance(0.3) ? ch.toUpperCase() : ch)).join('')
        + (g.chance(0.15) ? g.pick(['elp', 'ateien', 'x', 'tions', '-']) : '');
    return first === '' ? 'q' + s : first + s;
}

// The options of the subset in odd spellings, now and then another argument or one twice, in any order.
function argumentsFor(g, subset) {
    const args = OPTIONS.filter((_, i) => subset & (1 << i)).map((o) => spelling(g, o));
    if (g.chance(0.2)) args.push(g.pick(['-x', '-o', '-op', '-', '', 'h', '-b', 'plan']));
    if (args.length && g.chance(0.1)) args.push(args[0]);
    return args.map((a) => [g.next(), a]).sort((a, b) => a[0] - b[0]).map(([, a]) => a);
}

function number(g) {
    const n = g.int(20);
    return [() => String(-g.int(5)), () => '0x' + n.toString(16), () => '0' + n.toString(8), () => '08',
        () => g.pick(['abc', 'x', '-', '+', '0x', 'ja']),
        () => g.pick(['10000', '-10000', '10001', '99999999999', '4294967296', '1' + '0'.repeat(30)]),
        () => '  ' + n + '\t', () => n + ' ' + g.int(9), () => '', () => String(g.int(500))][g.int(14)]?.()
        ?? String(n);
}

const demand = (g) => g.pick(['12.5', '-3', '0', '1e3', '.5', '7.', 'abc', 'inf', 'nan', '0x1p3', '1e40', '-1e-50',
    '9'.repeat(g.pick([10, 499, 501, 600])), String(g.int(100000)), String(g.int(2000000000)), '-0.4', '']);

// One run's input: yes/no answers, the dialogue, crystal race, -m values, the final Enter; lines dropped or cut off.
function inputFor(g, args) {
    const lines = [];
    for (const a of args.filter((a) => /^.(or|dat)/i.test(a))) {
        const answer = g.pick(['j', 'n', 'J', 'N', 'ja', 'n', 'y', '', 'x']);
        lines.push(answer);
        if (!/^[jn]/i.test(answer) && g.chance(0.8)) lines.push(g.pick(['j', 'n']));
    }
    if (g.chance(0.3)) lines.push(g.pick(['j', 'n']));
    const has = (o) => args.some((a) => a.slice(1, 1 + o.length).toLowerCase() === o);
    const asked = 25 + (has('xl') ? 6 : 0) + (has('or') ? 10 : 0) + g.int(5) - 2;
    for (let i = 0; i < asked; i++) lines.push(number(g));
    lines.push(g.pick(['a', 'b', 'p', 's', 't', 'u', 'B', 'x', '', 'ab', '1']));
    if (g.chance(0.6)) lines.push(g.pick(['a', 'u', 'T']));
    for (let i = 0; i < 6; i++) lines.push(i < 4 ? (g.chance(0.5) ? number(g) : String(g.int(200000))) : demand(g));
    lines.push('');
    const end = g.pick(['\n', '\n', '\r\n']);
    const text = lines.filter(() => !g.chance(0.03)).join(end) + (g.chance(0.8) ? end : '');
    return g.chance(0.1) ? text.slice(0, g.int(text.length + 1)) : text;
}

// Now and then an output file exists before, or a folder stands in its place.
function beforeFor(g) {
    const name = g.chance(0.1) && g.pick(OUTPUT_FILES), dir = name && g.chance(0.5);
    return { files: name && !dir ? { [name]: 'alt\r\n' } : {}, dirs: dir ? [name] : [] };
}

test(`native and WebAssembly runs agree on ${RUNS} random plans (seed ${SEED})`, async () => {
    const runner = await loadRunner();
    for (let i = 0; i < RUNS; i++) {
        const g = generator(SEED + i);
        const args = argumentsFor(g, i % 256), input = inputFor(g, args), before = beforeFor(g);
        assertSameRun('random', runner.run(args, input, before), runNative(args, input, before), `run ${i} differs`,
            { seed: SEED + i, args, input, before });
    }
});
