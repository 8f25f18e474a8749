// How the page comes into sight without a long task on a slow phone: laid out out of sight a part at a time, and its
// second script (the views drawn in their tabs, the pictures, the QR code: page/late.js) compiled in steps of its
// own rather than with the first.
import { inSteps } from '../lib/steps.js';

// The page's fields and buttons (the plan bar, the form, the results and the views) put into the page from their
// templates, once the body is read. Kept there until then, they are not among the fields the browser looks over as
// the body ends, which made that task long on a slow phone. Once is enough: a later call finds nothing to put in.
export function unpackParts() {
    document.querySelectorAll('template.parts').forEach(function (parts) { parts.replaceWith(parts.content); });
}

// The page laid out while the core is made: its parts put in, what is not marked data-later (a first layout costs
// the fonts), then each part of the header marked so, a step each. Nothing is drawn: the head keeps data-starting
// until the first results are in.
export function layoutHeader() {
    var root = document.documentElement;
    return [unpackParts, laidOut(function () {
        if (root.hasAttribute('data-starting')) root.setAttribute('data-starting', 'laying out');
    }), function () {
        return inSteps(partSteps('header [data-later]').map(laidOut), 0);
    }];
}

// Once the plan is in the form and its results in the tables: each part still marked (each box of the form, then
// the results), a step each. A part laid out later changes nothing that stands above it.
export function layoutRest() {
    return partSteps('[data-later]').map(laidOut);
}

function partSteps(selector) {
    return Array.prototype.slice.call(document.querySelectorAll(selector)).map(function (part) {
        return function () {
            part.removeAttribute('data-later');
            return part;
        };
    });
}

// A part laid out in its step, from inside: a box of the form that the browser would skip while it is off the
// screen (content-visibility) is laid out all the same, so that coming into sight costs it nothing.
function laidOut(step) {
    return function () {
        var part = step() || document.body;
        return (part.lastElementChild || part).offsetHeight;
    };
}

// The second script, which the page holds as text: taken in one step and run in the next. Gives the steps; the
// last one's value is what the script gives (window.werkverbundLate).
export function lateSteps() {
    var script = document.createElement('script');
    return [function () {
        script.textContent = document.getElementById('werkverbund-late').textContent;
    }, function () {
        document.head.appendChild(script);   // runs at once: an inline script, allowed by the hash of its text
        var late = window.werkverbundLate;
        delete window.werkverbundLate;
        if (!late) throw new Error('das zweite Skript der Seite lief nicht');
        return late;
    }];
}
