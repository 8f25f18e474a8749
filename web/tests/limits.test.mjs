// The page's own limits, through the WebAssembly core in node: console text cut at its bound with status -1 and a
// line that says so, typed input beyond INPUT_LIMIT refused before it reaches the core, characters beyond one byte
// in arguments, input and files refused, names that would leave the run's folder refused, the files of a run
// bounded together, nothing of one run's folder left for the next, and field text that is not printable ASCII
// refused at its field; a thousands dot read as one or refused, never as a decimal point.
import test from 'node:test';
import assert from 'node:assert';
import { spawnSync } from 'node:child_process';
import { loadRunner, nativeProgram } from './support.js';
import { INPUT_LIMIT, FILES_LIMIT } from '../run.js';
import { readField, fieldMessage, THOUSANDS_MESSAGE } from '../plan.js';

const OUTPUT_LIMIT = 16 * 1024 * 1024;
let runner;  // one core for all tests, as a page has one
test.before(async () => { runner = await loadRunner(); });
const CUT = 'Fehler: Die Ausgabe wurde nach 16 MB abgeschnitten, das Programm wurde abgebrochen\n';

// A dialogue answered with zeros up to the crystal race question, which then gets x lines (each shows the question
// again) up to length bytes.
function crystalPrompts(length) {
    const start = '0\n'.repeat(25);
    return start + 'x\n'.repeat((length - start.length) >> 1);
}

test('console text beyond 16 MiB is cut: status -1, the cut named, the start as the console program writes it', async () => {
    const input = crystalPrompts(INPUT_LIMIT);
    const result = runner.run([], input);
    assert.strictEqual(result.status, -1);
    assert.ok(result.stderr.endsWith(CUT), result.stderr);
    // cut at whole pieces of the console's 4 KiB buffer, never beyond the bound
    assert.ok(result.stdout.length <= OUTPUT_LIMIT && result.stdout.length > OUTPUT_LIMIT - 4096);
    const native = spawnSync(nativeProgram, [], { input: Buffer.from(input, 'latin1'), maxBuffer: 1 << 30 });
    assert.ok(native.stdout.length > OUTPUT_LIMIT);
    assert.ok(native.stdout.subarray(0, result.stdout.length).equals(Buffer.from(result.stdout, 'latin1')));
    // the cut is this run's alone
    const next = runner.run([], '0\n'.repeat(25) + 'u\n\n');
    assert.deepStrictEqual([next.status, next.stderr], [0, '']);
    // the core's memory holds the bounded text and little else
    assert.ok(runner.core.HEAPU8.length <= 48 * 1024 * 1024, `${runner.core.HEAPU8.length} bytes of memory`);
});

test('typed input beyond INPUT_LIMIT is refused before it reaches the core', async () => {
    const before = runner.core.HEAPU8.length;
    for (const input of ['x'.repeat(INPUT_LIMIT + 1), new Uint8Array(21 * 1000 * 1000)]) {
        assert.throws(() => runner.run([], input), /werkverbund\.run: die Eingabe ist länger als 1048576 Bytes/);
    }
    assert.strictEqual(runner.core.HEAPU8.length, before);
    assert.strictEqual(runner.run([], crystalPrompts(INPUT_LIMIT)).status, -1);  // at the limit: runs
    // a character beyond one byte is refused, never taken as its low byte (the low byte of ĭ is a dash: -m)
    assert.throws(() => runner.run(['\u012dm'], ''), /das Argument "ĭm" enthält ein Zeichen über 0xFF/);
    assert.throws(() => runner.run([], '0\n'.repeat(25) + '\u0175\n'), /die Eingabe enthält ein Zeichen über 0xFF/);
});

test('names that leave the run folder are refused; nothing of a run is left for the next', async () => {
    const refused = [
        [{ files: { '../Ergebnis.txt': 'x' } }, /unzulässiger Name "\.\.\/Ergebnis\.txt"/],
        [{ files: { 'a/../../x': 'x' }, dirs: ['a'] }, /unzulässiger Name/],
        [{ files: { '/tmp/x': 'x' } }, /unzulässiger Name "\/tmp\/x"/], [{ files: { './x': 'x' } }, /unzulässiger Name/],
        [{ dirs: ['..'] }, /unzulässiger Name "\.\."/], [{ dirs: ['/werkverbund'] }, /unzulässiger Name/],
        [{ files: { 'nodir/x': 'x' } }, /der Ordner von "nodir\/x" steht nicht in dirs/],
        // the low byte of \u0100 is a zero that would end the name: Ergebnis.txt itself
        [{ files: { 'Ergebnis.txt\u0100': 'x' } }, /unzulässiger Name/],
        [{ files: { 'alt.txt': 'alt', 'gross.txt': new Uint8Array(OUTPUT_LIMIT + 1) } }, /"gross\.txt" ist zu groß/],
        // each file within its bound, together beyond it
        [{ files: { 'a.txt': new Uint8Array(FILES_LIMIT / 2), 'b.txt': 'x'.repeat(FILES_LIMIT / 2 + 1) } }, /zusammen größer/],
        [{ files: { 'a.txt': 'ĳ' } }, /"a\.txt" enthält ein Zeichen über 0xFF/],
    ];
    for (const [before, error] of refused) {
        assert.throws(() => runner.run([], '', before), error, JSON.stringify(Object.keys(before.files || {})));
        // the next run starts in an empty folder: no option, so no file at all
        assert.deepStrictEqual(Object.keys(runner.run([], '0\n'.repeat(25) + 'u\n\n').files), []);
    }
    // a listed folder holds its files; a name in Latin-1 comes back as it went in
    const kept = runner.run(['-dat'], 'n\n' + '0\n'.repeat(25) + 'u\n\n',
        { files: { 'a/b.txt': 'b', 'Übersicht.txt': 'alt' }, dirs: ['a'] });
    assert.deepStrictEqual(Object.keys(kept.files), ['Ergebnis.txt', 'Übersicht.txt']);
});

test('field text that is not printable ASCII is refused with the field\'s message, never read as the digits its '
    + 'low bytes spell', async () => {
    const [count, demand] = ['count', 'demand'].map((kind) => runner.tables().questions.find((q) => q.kind === kind));
    // ĳĵİİ is 3500 and 1Į5 is 1.5 in the low bytes of its characters; ３ is a full-width digit, U+00A0 a space
    for (const text of ['ĳĵİİ', '1Į5', '３５００', '1\u00a05', '1\u20002', '15\u0000']) {
        for (const [q, n] of [[count], [demand, 1]]) {
            assert.deepStrictEqual(readField(q, text, runner.readDemand), { error: fieldMessage(q, n) }, text);
        }
    }
    assert.deepStrictEqual(readField(demand, ' 1,5 ', runner.readDemand), { value: 1.5 });
    assert.deepStrictEqual(readField(count, '3500', runner.readDemand), { value: 3500 });
});

// A count within -10000..10000 and nothing else; the reason the core gives for a demand said in German.
test('field text read as the console would take it, and why not', () => {
    const count = { kind: 'count', low: -10000, high: 10000 }, demand = { kind: 'demand' };
    const notWhole = { error: 'Bitte eine ganze Zahl von -10000 bis 10000 eingeben.' };
    assert.deepStrictEqual(['', ' 12 ', '+7', '-10000', '10000', '10001', '-10001', '12x', 'x12'].map((t) =>
        readField(count, t, (text) => ({ value: text }))), [{ empty: true }, { value: 12 }, { value: 7 }, { value: -10000 },
        { value: 10000 }, notWhole, notWhole, notWhole, notWhole]);
    assert.deepStrictEqual([1, 2].map((problem) => readField(demand, '9', () => ({ problem }), 500)), [
        { error: 'Bitte eine endliche Zahl eingeben, z. B. 1500 oder 37,5.' },
        { error: 'Die Zahl ist zu lang (höchstens 500 Zeichen).' }]);
});

test('a dot before three digits is a thousands dot or refused, never a decimal point', async () => {
    const [count, demand] = ['count', 'demand'].map((kind) => runner.tables().questions.find((q) => q.kind === kind));
    const read = (q, text) => readField(q, text, runner.readDemand);
    const cases = [[demand, '1.500', 1500], [demand, '1.500,5', 1500.5], [demand, '-12.345.678', -12345678],
        [demand, '1.500,', 1500], [demand, '1,500', 1.5], [demand, '1.5', 1.5], [demand, '1.5000', 1.5],
        [count, '5.200', 5200], [count, '-1.000', -1000]];
    for (const [q, text, value] of cases) assert.deepStrictEqual(read(q, text), { value }, text);
    for (const [q, text] of [[demand, '0.500'], [demand, '1.500.5'], [demand, '.500'], [demand, '1.5005.000'],
        [demand, '1.500e3'], [count, '5.200,5'], [count, '12345.678']]) {
        assert.deepStrictEqual(read(q, text), { error: THOUSANDS_MESSAGE }, text);
    }
});
