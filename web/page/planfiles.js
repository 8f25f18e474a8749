// The plan's files in the files tab: the results as CSV (with what is built) and the plan file, each made when
// its link is followed; a plan file loaded as a new plan, never over one.
import { linkTo, byId, setIf, fileName } from '../lib/dom.js';
import { FILE_LIMIT } from '../plan/planfile.js';
import { csvOf } from '../record/csv.js';

// parts: plans() the store, entry() the current plan as stored, use(entry) to show a stored plan, record() the last
// run's record, notice(text, bad) the notice line. Gives download(event) for the links, loadFile(file) and
// named(name), which names the links after the plan.
export function planFiles(parts) {
    var plans = parts.plans;
    // The links to the files, named after the plan (the name they save under).
    function named(name) {
        [['csv', '.csv'], ['planfile', '.werkverbund.json']].forEach(function (file) {
            var link = byId(file[0]);
            link.download = fileName(name, file[1]);
            setIf(link, 'textContent', link.download);
        });
    }

    // The links of the files tab make their file when they are followed: the CSV of the last run, the plan file.
    function download(event) {
        var link = event.currentTarget;
        var csv = link.id === 'csv';
        var entry = parts.entry();
        named(entry.name);
        var text = csv ? csvOf(parts.record(), Object.keys(entry.built).length ? entry.built : null)
            : plans().fileOf(plans().get(entry.id) || entry);
        linkTo(link, text, csv ? 'text/csv;charset=utf-8' : 'application/json');
    }

    // A plan file is added as a new plan, never over one; what could not be read of it is said.
    function loadFile(file) {
        if (file.size > FILE_LIMIT) {
            return parts.notice(file.name + ' ist ' + Math.ceil(file.size / 1024) + ' KB groß und wird nicht geladen: '
                + 'eine Plandatei hat höchstens ' + FILE_LIMIT / 1024 + ' KB.', true);
        }
        file.text().then(function (text) {
            var got = plans().readFile(text);
            if (!got.entry) return parts.notice(file.name + ': ' + got.problems.join(' '), true);
            parts.use(plans().add(got.entry));
            var said = 'Plan „' + parts.entry().name + '“ aus ' + file.name + ' als neuer Plan geladen.';
            if (!got.problems.length) return parts.notice(said);
            parts.notice(said + ' Nicht alles ließ sich lesen: ' + got.problems.join('; ') + '.', true);
        });
    }


    return { download: download, loadFile: loadFile, named: named };
}
