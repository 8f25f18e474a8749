// An answers file of the console program read into a plan: the console program runs on it with the plan's options,
// and the plan takes the answers that run took. What does not fit is said, with the options the file would fit.
// Pure: runner is the core's (web/run.js), tables its tables.
import { counted } from '../lib/format.js';
import { textOf } from '../core/run.js';
import { isAsked } from './plan.js';
import { refusalText } from '../record/words.js';

// The console program on the answers with these options: its status and record, the lines it left that are
// not blank, the questions that found no number, and whether the file fits: one answer to each question.
function tryAnswers(runner, tables, options, bytes) {
    var on = tables.options.filter(function (o) { return options[o.name]; });
    var run = { status: runner.run(on.map(function (o) { return o.spelling; }), bytes).status };
    var record = run.record = runner.record();
    var left = textOf(bytes.subarray(bytes.length - record.inputLeft));
    run.left = left.split('\n').filter(function (l) { return /\S/.test(l); }).length;
    run.unread = record.questions.filter(function (q) { return q.source === 'unread'; }).length;
    run.given = textOf(bytes).split(/\s+/).filter(Boolean).length;
    run.asked = record.questions.filter(function (q) { return q.asked; }).length
        + Object.keys(record.answers).filter(function (o) { return record.answers[o]; }).length;
    run.fits = run.status === 0 && !run.left && !run.unread && run.given === run.asked
        && !record.messages.some(function (m) { return m.about === 'question'; });
    return run;
}

// The options that change which questions are asked, set as near to the plan's as the file fits; null when
// it fits them as they are, or none.
function fittingOptions(runner, tables, plan, bytes) {
    var asking = tables.options.filter(function (o) {
        return o.question || tables.questions.some(function (q) { return q.when === o.name; });
    });
    var best = null;
    for (var mask = 0; mask < 1 << asking.length; mask++) {
        var options = Object.assign({}, plan.options);
        var changes = 0;
        asking.forEach(function (o, i) {
            options[o.name] = !!(mask & 1 << i);
            if (options[o.name] !== !!plan.options[o.name]) changes++;
        });
        if ((!best || changes < best.changes) && tryAnswers(runner, tables, options, bytes).fits) {
            best = { options: options, changes: changes };
        }
    }
    return best && best.changes ? best.options : null;
}

// What to say about a loaded file: a sentence, then a line per field whose answer the console refused.
function warningsOf(tables, run) {
    var said = [];
    if (run.status) said.push('Die Datei endet vor der letzten Frage; die übrigen Felder bleiben leer.');
    var one = function (n, singular, plural) { return n === 1 ? singular : plural; };
    if (run.unread) {
        said.push(counted(run.unread, 'Frage fand', 'Fragen fanden') + ' keine Zahl, wo sie eine erwartete'
            + one(run.unread, '', 'n') + '.');
    }
    if (run.left) {
        said.push('Nach der letzten Frage ' + one(run.left, 'steht', 'stehen') + ' noch ' + counted(run.left, 'Zeile',
            'Zeilen') + ' in der Datei.');
    }
    if (!said.length && run.given !== run.asked) {
        said.push('Die Datei hat ' + counted(run.given, 'Antwort', 'Antworten') + ', gefragt wurde ' + run.asked + '-mal.');
    }
    if (said.length) said = [said.join(' ') + ' Die Datei passt nicht zu den eingeschalteten Optionen.'];
    run.record.messages.forEach(function (m) {
        if (m.about !== 'question') return;
        var q = tables.questions[m.index];
        if (!said.length) said.push('Nicht jede Zeile wurde genommen.');
        said.push({ key: q.key, text: refusalText(q, '', tables.numberTextLimit) + ' Die Zeile wurde übersprungen.' });
    });
    return said;
}

// The plan with the file's answers in place of its own (options as they are), what to say about the file (a
// sentence, then {key, text} per field whose line was skipped; none when it fits) and, when it does not fit, the
// options it would fit (null when there are none).
export function readAnswers(runner, tables, plan, bytes) {
    plan = JSON.parse(JSON.stringify(plan));
    var run = tryAnswers(runner, tables, plan.options, bytes);
    tables.questions.forEach(function (q, i) {
        var state = run.record.questions[i];
        if (!isAsked(q, plan.options)) return;
        var key = q.key;
        var ended = !state.asked || run.status && state.source === 'unread';  // the file ended before it
        if (ended) plan.values[key] = '';
        else plan.values[key] = q.kind === 'letter' ? String.fromCharCode(state.taken) : String(state.taken);
    });
    Object.keys(plan.answers).forEach(function (o) { plan.answers[o] = run.record.answers[o] || plan.answers[o]; });
    var warnings = warningsOf(tables, run);
    return { plan: plan, warnings: warnings, fits: warnings.length ? fittingOptions(runner, tables, plan, bytes) : null };
}

