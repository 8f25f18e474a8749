// In node: the core's limits on console text, input, arguments and the run's folder; field text read as the console.
import test from 'node:test';
import assert from 'node:assert';
import { spawnSync } from 'node:child_process';
import { loadRunner, nativeProgram } from './support.js';
import { INPUT_LIMIT, FILES_LIMIT } from '../core/run.js';
import { emptyPlan, planInput, refusalOf } from '../plan/plan.js';
import { refusalText, THOUSANDS_MESSAGE } from '../record/words.js';

const OUTPUT_LIMIT = 16 * 1024 * 1024;
const CUT = 'Fehler: Die Ausgabe wurde nach 16 MB abgeschnitten, das Programm wurde abgebrochen\n';
const PLAIN = '0\n'.repeat(25) + 'u\n\n';  // a run without options: no file at all
let runner;  // one core for all tests, as a page has one
test.before(async () => { runner = await loadRunner(); });

test('console text beyond 16 MiB is cut: status -1, the cut named, the start as the console program writes it', () => {
    // zeros up to the crystal race question, then x lines up to the input limit: each shows the question again
    const input = '0\n'.repeat(25) + 'x\n'.repeat((INPUT_LIMIT - 50) >> 1), result = runner.run([], input);
    const native = spawnSync(nativeProgram, [], { input: Buffer.from(input, 'latin1'), maxBuffer: 1 << 30 }).stdout;
    // cut at whole pieces of the console's 4 KiB buffer, never beyond the bound
    const length = result.stdout.length;
    assert.deepStrictEqual([result.status, result.stderr.slice(-CUT.length), length > OUTPUT_LIMIT - 4096,
        length <= OUTPUT_LIMIT, native.length > OUTPUT_LIMIT], [-1, CUT, true, true, true]);
    assert.ok(native.subarray(0, length).equals(Buffer.from(result.stdout, 'latin1')));
    // the cut is this run's alone; the core's memory holds the bounded text and little else
    const next = runner.run([], PLAIN);
    assert.deepStrictEqual([next.status, next.stderr], [0, '']);
    assert.ok(runner.core.HEAPU8.length <= 48 * 1024 * 1024, `${runner.core.HEAPU8.length} bytes of memory`);
});

test('what a run cannot take is refused before it reaches the core; nothing of a run is left for the next', () => {
    const memory = runner.core.HEAPU8.length, long = /die Eingabe ist länger als 1048576 Bytes/;
    const refused = [  // [what the folder holds before, the refusal, arguments, input]
        [{}, long, [], 'x'.repeat(INPUT_LIMIT + 1)], [{}, long, [], new Uint8Array(21 * 1000 * 1000)],
        // a character beyond one byte is refused, never taken as its low byte (the low byte of ĭ is a dash: -m)
        [{}, /das Argument "ĭm" enthält ein Zeichen über 0xFF/, ['\u012dm'], ''],
        [{}, /die Eingabe enthält ein Zeichen über 0xFF/, [], '0\n'.repeat(25) + '\u0175\n'],
        [{ files: { '../Ergebnis.txt': 'x' } }, /unzulässiger Name "\.\.\/Ergebnis\.txt"/],
        [{ files: { 'a/../../x': 'x' }, dirs: ['a'] }, /unzulässiger Name/],
        [{ files: { '/tmp/x': 'x' } }, /unzulässiger Name "\/tmp\/x"/], [{ dirs: ['..'] }, /unzulässiger Name "\.\."/],
        [{ files: { 'nodir/x': 'x' } }, /der Ordner von "nodir\/x" steht nicht in dirs/],
        // the low byte of \u0100 is a zero that would end the name: Ergebnis.txt itself
        [{ files: { 'Ergebnis.txt\u0100': 'x' } }, /unzulässiger Name/],
        [{ files: { 'alt.txt': 'alt', 'gross.txt': new Uint8Array(OUTPUT_LIMIT + 1) } }, /"gross\.txt" ist zu groß/],
        // each file within its bound, together beyond it
        [{ files: { 'a.txt': new Uint8Array(FILES_LIMIT / 2), 'b.txt': 'x'.repeat(FILES_LIMIT / 2 + 1) } },
            /zusammen größer/],
        [{ files: { 'a.txt': 'ĳ' } }, /"a\.txt" enthält ein Zeichen über 0xFF/],
        // the core's folder has room for 32 names of up to 127 bytes
        [{ files: Object.fromEntries(Array.from({ length: 33 }, (_, i) => [`f${i}.txt`, 'x'])) },
            /"f32\.txt" passt nicht in den Ordner/],
        [{ files: { ['n'.repeat(124) + '.txt']: 'x' } }, /passt nicht in den Ordner/],
    ];
    for (const [before, error, args = [], input = ''] of refused) {
        assert.throws(() => runner.run(args, input, before), error, String(error));
        assert.deepStrictEqual(Object.keys(runner.run([], PLAIN).files), [], String(error));  // an empty folder again
    }
    assert.strictEqual(runner.core.HEAPU8.length, memory);
    // a listed folder holds its files; a name in Latin-1 comes back as it went in
    const kept = runner.run(['-dat'], 'n\n' + PLAIN, { files: { 'a/b.txt': 'b', 'Übersicht.txt': '' }, dirs: ['a'] });
    assert.deepStrictEqual(Object.keys(kept.files), ['Ergebnis.txt', 'Übersicht.txt']);
});

// A count is whole and decimal within -10000..10000; a demand may have a decimal comma or be hexadecimal, at most 500
// characters long and finite in single precision (the largest float (2 - 2^-23) * 2^127 within); a dot before three
// digits is a thousands dot or the text is refused. Beyond printable ASCII nothing is read as its low bytes' digits:
// ĳĵİİ is 3500 and 1Į5 is 1.5 in low bytes, ３ is a full-width digit, U+00A0 and U+2000 are spaces. Each text goes
// the whole way: the page's reading, the one crossing, the core's answer rule, the record's reason and its words. A
// sign or point alone, which "%f" takes and then fails on, is no number.
test('field text read as the console would take it, and why not', () => {
    const tables = runner.tables();
    const [count, demand] = ['count', 'demand'].map((kind) => tables.questions.find((q) => q.kind === kind));
    const readField = (q, text) => {
        const plan = emptyPlan(tables), i = tables.questions.indexOf(q);
        [plan.options.m, plan.values[q.key]] = [true, text];
        const input = planInput(tables, plan);
        if (input.fields[i] === null && !input.refused[i]) return { empty: true };
        const record = runner.runPlan(input, true).record, refusal = refusalOf(input, record, i);
        return refusal ? { error: refusalText(q, refusal, tables.numberTextLimit) } : { value: record.questions[i].taken };
    };
    const whole = { error: 'Bitte eine ganze Zahl von -10000 bis 10000 eingeben.' }, dot = { error: THOUSANDS_MESSAGE };
    const finite = { error: 'Bitte eine endliche Zahl eingeben, z. B. 1500 oder 37,5.' };
    const long = { error: 'Die Zahl ist zu lang (höchstens 500 Zeichen).' };
    const cases = [  // [text, read in a count field, read in a demand field]; a number is the value read
        ['', { empty: true }, { empty: true }], ['10001', whole, 10001], ['-10001', whole, -10001], ['12x', whole, finite],
        ['1e39', whole, finite], ['9'.repeat(501), whole, long], ['0'.repeat(499) + '1', 1, 1], ['0x10', whole, 16],
        ['3.4028235e38', whole, 3.4028234663852886e38], [' 1,5 ', whole, 1.5],
        ...['ĳĵİİ', '1Į5', '３５００', '1\u00a05', '1\u20002', '15\u0000', '-', '.'].map((text) => [text, whole, finite]),
        ['1.500', 1500, 1500], ['1.500,5', dot, 1500.5], ['-12.345.678', whole, -12345678], ['1.500,', dot, 1500],
        ['1,500', whole, 1.5], ['1.5', whole, 1.5], ['1.5000', whole, 1.5], ['5.200', 5200, 5200],
        ['-1.000', -1000, -1000], ['5.200,5', dot, 5200.5], ['12345.678', dot, dot],
        ...['0.500', '1.500.5', '.500', '1.5005.000', '1.500e3'].map((text) => [text, dot, dot]),
    ];
    for (const [text, ...read] of cases) {
        assert.deepStrictEqual([count, demand].map((q) => readField(q, text)),
            read.map((r) => (typeof r === 'number' ? { value: r } : r)), JSON.stringify(text));
    }
});
