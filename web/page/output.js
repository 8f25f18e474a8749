// The console program's side of the plan in the page: its console text, while its tab is in sight, and its files,
// each made when its link is followed; a file the switched-on options do not write comes from a run of the plan with
// the options that make the console program write it.
import { setIf, linkTo } from '../lib/dom.js';
import { bytesOf } from '../core/run.js';
import { planInput } from '../plan/plan.js';

// transcript: the element of the console text; last(): the last update, { plan, input, full } (full: its run with
// console text, files and answers, once made).
export function consoleOutput(runner, tables, transcript, last) {
    // The last plan's run with its console text, files and answers file, made when they are wanted.
    function fullRun() {
        var now = last();
        if (!now.full) now.full = runner.runPlan(now.input);
        return now.full;
    }

    function hidden() {
        return transcript.closest('[role=tabpanel]').hidden;
    }

    // The console text, while its tab is in sight.
    function show() {
        if (hidden()) return;
        var run = fullRun();
        setIf(transcript, 'textContent', run.stdout + run.stderr);
    }

    // A file of the plan: from its run, or from a run of the plan with the options that make the console program
    // write it (the link's data-needs, as the address names them).
    function fileBytes(link) {
        var name = link.getAttribute('download');
        if (name === 'antworten.txt') return bytesOf(fullRun().answers);
        if (fullRun().files[name]) return fullRun().files[name];
        var plan = JSON.parse(JSON.stringify(last().plan));
        var needs = link.getAttribute('data-needs').split('=');  // an option, and its answer where it has one
        plan.options[needs[0]] = true;
        plan.answers[needs[0]] = needs[1] || plan.answers[needs[0]];
        return runner.runPlan(planInput(tables, plan)).files[name];
    }

    // A link makes its file's address only when it is followed, so a recompute costs no file objects.
    function download(event) {
        var link = event.target.closest('a[download]');
        if (link) linkTo(link, fileBytes(link), 'application/octet-stream');
    }

    return { hidden: hidden, show: show, download: download };
}
