// The plan's files: the results as CSV (with what is built) and the plan file in the files tab, each made when its
// link is followed; all plans in one file ("Alle Pläne sichern"). "Plandatei laden" takes either kind: a plan file
// as a new plan, never over one; a file of all plans adds the plans that are not here.
import { linkTo, byId, setIf, fileName } from '../lib/dom.js';
import { FILE_LIMIT, PLANS_LIMIT } from '../plan/planfile.js';
import { allPlans, loadPlans, namesOf } from '../plan/backup.js';
import { csvOf } from '../record/csv.js';

// parts: plans() the store, entry() the current plan as stored, use(entry) to show a stored plan, listed() to list the
// plans anew, record() the last run's record, notice(text, bad) the notice line. Gives download(event) for the
// links, saveAll(event) for the link that saves all plans, loadFile(file) and named(name), which names the
// links after the plan.
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

    // Every plan with its built counts in one file, named with the day it was saved.
    function saveAll(event) {
        var link = event.currentTarget, all = allPlans(plans()), day = new Date();
        var two = function (n) { return (n < 10 ? '0' : '') + n; };
        link.download = 'Alle Pläne ' + day.getFullYear() + '-' + two(day.getMonth() + 1) + '-' + two(day.getDate())
            + '.werkverbund.json';
        linkTo(link, all.text, 'application/json');
        var n = plans().list().length;
        parts.notice((n === 1 ? 'Der Plan ist' : 'Alle ' + n + ' Pläne sind') + ' in ' + link.download + ' gesichert'
            + (all.left.length ? '; nicht darin, weil beschädigt: ' + namesOf(all.left) : '') + '.', !!all.left.length);
    }

    // What loading a file of all plans did.
    function saidOf(done, name) {
        var said = [done.added.length ? 'Aus ' + name + ' hinzugekommen: ' + namesOf(done.added.map(function (e) {
            return e.name;
        })) + '.' : 'Aus ' + name + ' ist kein Plan hinzugekommen.'];
        if (done.here.length) said.push('Übersprungen, weil schon da: ' + namesOf(done.here) + '.');
        if (done.lost.length) said.push('Übersprungen, weil nicht lesbar oder zu groß: ' + namesOf(done.lost) + '.');
        if (done.problems.length) said.push('Nicht alles ließ sich lesen: ' + done.problems.join('; ') + '.');
        return said.join(' ');
    }

    // A plan file is added as a new plan, never over one; a file of all plans adds those that are not here. What
    // could not be read is said.
    function loadFile(file) {
        if (file.size > PLANS_LIMIT) {
            return parts.notice(file.name + ' ist ' + Math.ceil(file.size / 1024) + ' KB groß und wird nicht geladen: '
                + 'eine Datei aller Pläne hat höchstens ' + PLANS_LIMIT / 1024 / 1024 + ' MB.', true);
        }
        file.text().then(function (text) {
            var done = loadPlans(plans(), text);
            if (done) {
                parts.listed();
                return parts.notice(saidOf(done, file.name), !!(done.lost.length || done.problems.length));
            }
            if (text.length > FILE_LIMIT) {
                return parts.notice(file.name + ' ist ' + Math.ceil(file.size / 1024) + ' KB groß und wird nicht '
                    + 'geladen: eine Plandatei hat höchstens ' + FILE_LIMIT / 1024 + ' KB.', true);
            }
            var got = plans().readFile(text);
            if (!got.entry) return parts.notice(file.name + ': ' + got.problems.join(' '), true);
            var added = plans().add(got.entry);
            if (!added) return parts.use(null);  // not stored, and said
            parts.use(added);
            var said = 'Plan „' + parts.entry().name + '“ aus ' + file.name + ' als neuer Plan geladen.';
            if (!got.problems.length) return parts.notice(said);
            parts.notice(said + ' Nicht alles ließ sich lesen: ' + got.problems.join('; ') + '.', true);
        });
    }


    return { download: download, saveAll: saveAll, loadFile: loadFile, named: named };
}
