// Answers files of the console program loaded as new plans: what did not fit is said, with the options the file
// would fit, which then load it into that new plan.
import { readAnswers } from '../plan/answers.js';
import { optionsInWords } from '../record/words.js';

var LOAD_LIMIT = 64 * 1024;  // far beyond any real answers file

// parts: runner, tables, form, planner, notice (the notice line), listOf (a list of texts and field links) and
// show(plan) (into the form and run).
export function answersLoader(parts) {
    var runner = parts.runner, tables = parts.tables, form = parts.form, planner = parts.planner;
    // Loads an answers file as a new plan (the plan before stays as it was) and runs it; says what did not fit,
    // offering the options it would fit, which then load into that new plan.
    function loadAnswers(bytes, name, again) {
        var got = readAnswers(runner, tables, form.read(), bytes);
        if (again) parts.show(got.plan);
        else planner.addNew(got.plan, 'Antworten aus ' + name.replace(/\.txt$/i, ''));
        var said = name + ' als neuer Plan „' + planner.name() + '“ geladen; der Plan davor bleibt, wie er war.';
        var warnings = got.warnings;
        if (!warnings.length) return parts.notice(said);
        var details = warnings.length > 1 ? parts.listOf(warnings.slice(1)) : null;
        var fits = got.fits;
        var words = fits && optionsInWords(tables, fits);
        var offer = fits ? ' Sie passt ' + (words.length ? 'zu den Optionen ' + words.join(', ') : 'ohne Optionen') + '.' : '';
        parts.notice(said + ' ' + warnings[0] + offer, true, details, fits && { text: 'Mit diesen Optionen laden',
            run: function () {
                form.show({ options: fits, answers: got.plan.answers, values: {} });
                loadAnswers(bytes, name, true);
            } });
    }

    function readFile(file) {
        if (file.size > LOAD_LIMIT) {
            return parts.notice(file.name + ' ist ' + Math.ceil(file.size / 1024) + ' KB groß und wird nicht '
                + 'geladen: eine Antwortdatei hat höchstens 64 KB.', true);
        }
        file.arrayBuffer().then(function (buffer) { loadAnswers(new Uint8Array(buffer), file.name); });
    }


    return readFile;
}
