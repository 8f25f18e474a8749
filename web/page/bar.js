// The plan bar (copy the plan's link, with its built counts if asked, empty the plan, print, light or dark), the
// line that tells what an action did, the line that warns while the browser keeps no plans, the tabs of the results
// (a view opened is drawn at once), and the ways between the inputs and the results.
import { element, byId } from '../lib/dom.js';
import { dateText } from '../lib/format.js';
import { copyText } from './share.js';

var THEME_KEY = 'werkverbund-farben';
var hooks = null;
var offeredFor = null;  // the plan shown when the notice's button or box was offered

// Says what an action did, with a list of details and a button for what to do next. The button acts only on the
// plan shown when it was offered: it goes when another plan is shown.
function notice(text, bad, extra, action) {
    var line = byId('notice');
    line.textContent = text;
    line.className = bad ? 'notice bad' : 'notice';
    offeredFor = action || extra ? hooks.planId() : null;
    if (extra) line.appendChild(extra);
    if (!action) return;
    var button = element('button', { type: 'button', text: action.text });
    var id = offeredFor;
    button.addEventListener('click', function () {
        if (hooks.planId() === id) action.run();
        else shownPlan(hooks.planId());
    });
    line.appendChild(button);
}

// Another plan is shown: an offer made for the plan before goes with its notice.
function shownPlan(id) {
    if (offeredFor === null || offeredFor === id) return;
    offeredFor = null;
    notice('');
}

// Copies the plan's address and says which address it is; where the browser refuses, shows it ready to be copied
// by hand.
function copyLink() {
    var got = hooks.link(byId('copy-built').checked);
    copyText(got.link, 'Link kopiert, ' + got.which + '.', 'Link ' + got.which + ', zum Kopieren: ', 'Link zum Plan',
        notice);
}

function reset() {
    var before = hooks.plan();
    hooks.show(hooks.empty());
    notice('Plan geleert. ', false, null, { text: 'Rückgängig', run: function () {
        hooks.show(before);
        notice('Plan wiederhergestellt.');
    } });
}

// ---- Light or dark: the system's choice, or the player's, kept in this browser ----

var systemDark = window.matchMedia('(prefers-color-scheme: dark)');

function isDark() {
    var chosen = document.documentElement.getAttribute('data-theme');
    return chosen ? chosen === 'dark' : systemDark.matches;
}

function showTheme() {
    byId('theme').setAttribute('aria-pressed', String(isDark()));
}

// The scheme the player chose on this browser (without one the system's), as the page starts: the browser's first
// reading of its storage can take a slow phone tens of milliseconds, so it is a step of the start of its own, long
// before the page is in sight.
function chosenTheme() {
    try {
        document.documentElement.setAttribute('data-theme', localStorage.getItem(THEME_KEY) || '');
    } catch (e) {
        // a browser that keeps nothing shows the system's scheme
    }
}

// The other scheme; the system's own is kept as no choice, so that the page follows the system again.
function toggleTheme() {
    var wanted = isDark() ? 'light' : 'dark';
    var own = wanted === (systemDark.matches ? 'dark' : 'light') ? '' : wanted;
    document.documentElement.setAttribute('data-theme', own);
    try {
        if (own) localStorage.setItem(THEME_KEY, own);
        else localStorage.removeItem(THEME_KEY);
    } catch (e) {
        // a browser that keeps nothing still shows the scheme until the page is left
    }
    showTheme();
}

// ---- Tabs of the results ----

// Printing prints the open tab; the files and the console text print as the overview.
function selectTab(tab, focus) {
    tab.parentNode.querySelectorAll('[role="tab"]').forEach(function (t) {
        var on = t === tab;
        t.setAttribute('aria-selected', String(on));
        t.tabIndex = on ? 0 : -1;
        byId(t.getAttribute('aria-controls')).hidden = !on;
    });
    var panel = tab.getAttribute('aria-controls');
    byId('output').setAttribute('data-print', /files|console/.test(panel) ? 'p-tables' : panel);
    hooks.tab();
    if (focus) tab.focus();
}

// Arrow keys, Home and End move between the tabs, as in every tab list.
function tabKey(event) {
    var tabs = Array.prototype.slice.call(event.currentTarget.querySelectorAll('[role="tab"]'));
    var at = tabs.indexOf(document.activeElement);
    var to = { ArrowRight: at + 1, ArrowLeft: at - 1, Home: 0, End: tabs.length - 1 }[event.key];
    if (to === undefined || at < 0) return;
    event.preventDefault();
    selectTab(tabs[(to + tabs.length) % tabs.length], true);
}

// ---- Between inputs and results ----

var lastField = null;
var inResults = false;

function toResults() {
    byId('output').scrollIntoView();
    byId('ergebnisse').focus({ preventScroll: true });
}

function toInputs() {
    var field = lastField || document.querySelector('#form input:not([type])');
    field.focus();
}

// The summary's button leads to the results from the inputs, and back to the last field from the results.
function watchView() {
    var view = byId('view');
    view.addEventListener('click', function () { return inResults ? toInputs() : toResults(); });
    byId('form').addEventListener('focusin', function (event) { lastField = event.target; });
    new IntersectionObserver(function (entries) {
        inResults = entries[entries.length - 1].isIntersecting;
        view.textContent = inResults ? 'Eingaben' : 'Ergebnisse';
    }, { rootMargin: '0px 0px -50% 0px' }).observe(byId('output'));
}

// The date as the printed page heads it.
function showDate() {
    byId('print-date').textContent = 'Stand: ' + dateText(new Date());
}

// The storage warning: a line of its own, which no notice replaces, until storage takes the plans again.
function trouble(text) {
    var line = byId('storage-note');
    if (line.textContent !== text) line.textContent = text;
}

export const bar = {
    notice: notice,
    trouble: trouble,
    shownPlan: shownPlan,
    chosenTheme: chosenTheme,
    start: function (given) {
        hooks = given;
        byId('copy').addEventListener('click', copyLink);
        byId('reset').addEventListener('click', reset);
        byId('print').addEventListener('click', function () { window.print(); });
        byId('theme').addEventListener('click', toggleTheme);
        systemDark.addEventListener('change', showTheme);
        showTheme();
        var tabs = document.querySelector('[role="tablist"]');
        tabs.addEventListener('click', function (event) {
            var tab = event.target.closest('[role="tab"]');
            if (tab) selectTab(tab, false);
        });
        tabs.addEventListener('keydown', tabKey);
        // the address after '#' holds the plan, so the skip link is followed here, not by the browser
        document.querySelector('.skip').addEventListener('click', function (event) {
            event.preventDefault();
            toResults();
        });
        watchView();
        showDate();
        window.addEventListener('beforeprint', showDate);
    }
};
