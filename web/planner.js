// Several named plans kept in this browser: the list to switch between them, the current plan's name, new, copy
// and delete (with a way back); the plan of a shared link added beside the others; plan files saved and loaded;
// the results as CSV. Every change of the form is saved to the current plan, and so are its built counts.
import { element, byId, linkTo } from './dom.js';
import { planStore } from './store.js';
import { csvOf } from './export.js';

var store = null;
// show(plan): into the form and run; record(): the last run's record; address(): the address anew;
// noted(problems): what an address held that could not be read; refresh(): the views anew;
// carry(plan, counts): built counts kept under line names by earlier versions, by line code and size;
// notice(text, bad, details, action): says what an action did; listed(plans, current): the plans as listed now
var hooks = null;
var entry = null;   // the current plan as stored: id, name, plan, built
var saved = '';     // the current plan's address as last saved: the form is saved only when it differs
var pending = null; // a change of the form not yet written, and when it will be
var timer = null;

// Writes the form's last change to the current plan. Typing is written once it pauses (a write takes about as
// long as a run), and at once before anything else touches the plans or the page is left.
function flush() {
    clearTimeout(timer);
    if (!pending) return;
    var plan = pending;
    pending = null;
    entry = store.save(plan) || entry;
    tell();
}

// What the store has to say (plans it cannot read, a browser that keeps nothing), once.
function tell() {
    var said = store.messages();
    if (said.length) hooks.notice(said.join(' '), true);
}

function fillList() {
    var plans = store.list();
    var list = byId('plan-list');
    list.textContent = '';
    plans.forEach(function (e) { list.appendChild(element('option', { value: e.id, text: e.name })); });
    list.value = entry.id;
    byId('plan-name').value = entry.name;
    hooks.listed(plans, entry);
    tell();
}

// Makes a stored plan the one shown: into the form, run, listed.
function use(e) {
    entry = e;
    saved = store.hashOf(e.plan, { name: e.name });
    hooks.show(e.plan);
    fillList();
    return e;
}

function removeCurrent() {
    flush();
    var gone = entry;
    use(store.remove(gone.id));
    hooks.notice('Plan „' + gone.name + '“ gelöscht. ', false, null, { text: 'Rückgängig', run: function () {
        use(store.add(gone));
        hooks.notice('Plan „' + gone.name + '“ wiederhergestellt.');
    } });
}

// A name the file system takes: no characters that are not allowed in file names somewhere.
function fileName(name) {
    return (name.replace(/[\\/:*?"<>|\u0000-\u001f]+/g, '_').slice(0, 60) || 'plan') + '.werkverbund.json';
}

// The links of the files tab make their file when they are followed: the CSV of the last run, the plan file.
function download(event) {
    var link = event.currentTarget;
    var csv = link.id === 'csv';
    if (!csv) link.download = fileName(entry.name);
    flush();
    var text = csv ? csvOf(hooks.record(), Object.keys(entry.built).length ? entry.built : null)
        : store.fileOf(store.get(entry.id) || entry);
    linkTo(link, text, csv ? 'text/csv;charset=utf-8' : 'application/json');
}

// A plan file is added as a new plan, never over one; what could not be read of it is said.
function loadFile(file) {
    file.text().then(function (text) {
        var got = store.readFile(text);
        if (!got.entry) return hooks.notice(file.name + ': ' + got.problems.join(' '), true);
        flush();
        use(store.add(got.entry));
        var said = 'Plan „' + entry.name + '“ aus ' + file.name + ' als neuer Plan geladen.';
        if (!got.problems.length) return hooks.notice(said);
        hooks.notice(said + ' Nicht alles ließ sich lesen: ' + got.problems.join('; ') + '.', true);
    });
}

// Another tab changed the plans: this tab's plan is shown anew when it changed, the list always.
function storageChanged(event) {
    var what = store.storageChanged(event);
    if (!what) return;
    flush();
    var now = store.current();
    if (what === 'current' && store.hashOf(now.plan) !== saved) return use(now);
    entry = now;
    fillList();
    hooks.refresh();
}

function bind() {
    byId('plan-list').addEventListener('change', function (event) {
        flush();
        use(store.switchTo(event.target.value));
    });
    byId('plan-name').addEventListener('input', function (event) {
        flush();
        entry = store.rename(entry.id, event.target.value) || entry;
        byId('plan-list').selectedOptions[0].textContent = entry.name;
        hooks.address();
    });
    byId('plan-name').addEventListener('change', fillList);
    byId('plan-new').addEventListener('click', function () {
        flush();
        use(store.create());
    });
    byId('plan-copy').addEventListener('click', function () {
        flush();
        use(store.duplicate(entry.id));
    });
    byId('plan-delete').addEventListener('click', removeCurrent);
    byId('plan-load').addEventListener('change', function (event) {
        if (event.target.files[0]) loadFile(event.target.files[0]);
        event.target.value = '';
    });
    byId('csv').addEventListener('click', download);
    byId('planfile').addEventListener('click', download);
    window.addEventListener('storage', storageChanged);
    window.addEventListener('pagehide', flush);
    document.addEventListener('visibilitychange', flush);
}

export const planner = {
    // Opens the plan of the address (added as a new plan unless it is one already), or the plan last used;
    // what the address held that could not be read goes to hooks.noted first.
    start: function (tables, given, hash) {
        store = planStore(tables, undefined, given.carry);
        hooks = given;
        bind();
        planner.open(hash);
    },
    open: function (hash) {
        flush();
        var got = hash.length > 1 ? store.openLink(hash) : null;
        hooks.noted(got ? got.problems : []);
        use(got ? got.entry : store.current());
        if (got && got.added) {
            hooks.notice('Der Plan des Links ist als neuer Plan „' + entry.name + '“ hinzugekommen; die anderen '
                + 'Pläne bleiben, wie sie waren.');
        }
    },
    // The plan's address, with its name, and with the built counts when asked for.
    hashOf: function (plan, withBuilt) {
        return store.hashOf(plan, { name: entry.name, built: withBuilt ? entry.built : null });
    },
    // Saves the form's plan when it changed (once the typing pauses); gives the plan's address.
    save: function (plan) {
        var hash = store.hashOf(plan, { name: entry.name });
        if (hash !== saved) {
            saved = hash;
            pending = plan;
            clearTimeout(timer);
            timer = setTimeout(flush, 300);
        }
        return hash;
    },
    built: function () { return entry.built; },
    setBuilt: function (row, count) {
        flush();
        entry = store.setBuilt(row, count) || entry;
        tell();
    },
    plan: function (id) {
        flush();
        return store.get(id);
    }
};
