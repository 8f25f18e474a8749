// The site (a page served over http or https; a page from a file has neither): its service worker (sw.js beside the
// page) and the browser asked to keep the site's storage. When a new build is published, the worker of that build
// takes the page over: the page then says "Neue Version verfügbar" in a line of its own, which stays until its button
// reloads or it is dismissed; the plan being edited is saved first.
import { byId, element } from '../lib/dom.js';

var KEEP_SAID = 'werkverbund.persist';  // what the page said of the browser's answer, so that it is said once

function served() {
    return /^https?:$/.test(location.protocol);
}

// save(): writes the plan being edited at once.
export function watchForUpdates(save) {
    if (!served() || !navigator.serviceWorker) return;
    var workers = navigator.serviceWorker;
    var controlled = !!workers.controller;  // on the first visit the worker takes over without a new build
    workers.addEventListener('controllerchange', function () {
        if (!controlled) {
            controlled = true;
            return;
        }
        save();
        var line = byId('update-note');
        var reload = element('button', { type: 'button', text: 'Neu laden' });
        var later = element('button', { type: 'button', text: 'Später' });
        reload.addEventListener('click', function () {
            save();
            location.reload();
        });
        later.addEventListener('click', function () { line.hidden = true; });
        line.textContent = 'Neue Version verfügbar. ';
        line.append(reload, ' ', later);
        line.hidden = false;
    });
    workers.register('sw.js').catch(function () { /* a browser that refuses keeps the page as it is, online */ });
}

// Asks the browser to keep the site's storage, which holds the plans, rather than clear it when space runs short;
// says once, in a quiet line at the page's end, what the browser answered (again only when the answer changes). The
// answer comes after the page is in sight; a line above would move what the player already sees.
export function keepStorage() {
    if (!served() || !navigator.storage || !navigator.storage.persist) return;
    navigator.storage.persist().then(function (granted) {
        var answer = granted ? 'ja' : 'nein', before = null;
        try {
            before = localStorage.getItem(KEEP_SAID);
            localStorage.setItem(KEEP_SAID, answer);
        } catch (e) { return; }  // a browser that keeps nothing has nothing to keep
        if (before === answer) return;
        var line = byId('keep-note');
        line.textContent = granted ? 'Der Browser behält die Pläne dieser Seite dauerhaft.'
            : 'Der Browser darf die Pläne dieser Seite löschen, wenn ihm der Platz ausgeht; „Alle Pläne sichern“ '
            + 'legt eine Kopie als Datei an.';
        line.hidden = false;
    }, function () { /* no answer: nothing to say */ });
}
