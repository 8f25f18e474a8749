// Several named plans kept in this browser: the list to switch between them, the current plan's name, new, copy
// and delete (with a way back); the plan of a shared link added beside the others (the list and the name field:
// planlist.js; the files: planfiles.js). Every change of the form is saved to the current plan right after its run
// (only the fields this tab changed, so that another tab's edits of other fields stay), and can be undone and
// redone while the page is open.
import { element, byId } from '../lib/dom.js';
import { copyOf, typedInto } from '../plan/plan.js';
import { planStore } from '../plan/store.js';
import { planFiles } from './planfiles.js';
import { bindList } from './planlist.js';

var store = null;   // the plans: reached through plans(), which first writes the form's pending change
// show(plan): into the form and run; record(): the last run's record; address(): the address anew; noted(problems):
// what an address held that could not be read; refresh(): the views anew; carry(plan, counts): old built counts by
// line code and size; notice(text, bad, details, action), trouble(text): the notice and storage lines;
// listed(plans, current): the plans as listed now
var hooks = null;
var entry = null;   // the current plan as stored: id, name, plan, built
var shown = null;   // the plan in the form as last saved or shown: what this tab's next change is measured from
var saved = '';     // the current plan's address as last saved: the form is saved only when it differs
var changes = {};   // per plan id: undo and redo (plans), and the text field the last change typed into
var pending = null; // the form's change not yet written: the plan, the plan it was changed from, the addresses
var files = null;   // the plan's files, named after it

// Writes the form's last change to the current plan: after the run it caused, or at once when anything else
// touches the plans or the page is left, so that a reload or a closed tab keeps the last entry.
function flush() {
    if (!pending) return;
    var change = pending;
    pending = null;
    entry = store.save(change.plan, change.base) || entry;
    store.wrote(change.addresses);
    tell();
    // the stored plan holds another tab's change this tab had not heard of yet
    if (store.hashOf(entry.plan) !== store.hashOf(change.plan)) otherTab(entry.id);
}

function plans() {
    flush();
    return store;
}

// What the store has to say; the storage warning stays in its own line while storage refuses (retried meanwhile).
var retry = null;
function tell() {
    var said = plans().messages();
    var trouble = plans().trouble();
    hooks.trouble(trouble);
    if (trouble && !retry) retry = setInterval(tell, 3000);
    if (!trouble && retry) {
        clearInterval(retry);
        retry = null;
    }
    said = said.concat(plans().messages());
    if (said.length) hooks.notice(said.join(' '), /nicht lesbar/.test(said.join(' ')));
}

function historyOf(id) {
    return changes[id] || (changes[id] = { undo: [], redo: [], typing: null });
}

function showHistory() {
    var h = historyOf(entry.id);
    byId('undo').disabled = !h.undo.length;
    byId('redo').disabled = !h.redo.length;
}

function fillList() {
    var all = plans().list();
    var list = byId('plan-list');
    list.textContent = '';
    all.forEach(function (e) { list.appendChild(element('option', { value: e.id, text: e.name })); });
    plans().damaged().forEach(function (e) {
        list.appendChild(element('option', { value: e.id, text: (e.name || 'Plan ohne Namen') + ' (beschädigt)' }));
    });
    list.value = entry.id;
    byId('plan-name').value = entry.name;
    files.named(entry.name);
    hooks.listed(all, entry);
    showHistory();
    tell();
}

// Makes a stored plan the one shown: into the form, run, listed.
function use(e) {
    entry = e;
    shown = copyOf(e.plan);
    saved = plans().hashOf(e.plan, { name: e.name });
    hooks.show(e.plan);
    fillList();
    return e;
}

// Undo and redo: the plan as it was before the last change; typing into one field until it is left is one change.
function step(from, to) {
    var h = historyOf(entry.id);
    if (!h[from].length) return;
    h[to].push(copyOf(shown));
    h.typing = null;
    var plan = h[from].pop();
    use(plans().save(plan, shown) || entry);
}

function removeCurrent() {
    flush();
    var gone = entry;
    use(plans().remove(gone.id));
    hooks.notice('Plan „' + gone.name + '“ gelöscht. ', false, null, { text: 'Rückgängig', run: function () {
        use(plans().restore(gone));
        hooks.notice('Plan „' + gone.name + '“ wiederhergestellt.');
    } });
}

// This tab's plan as another tab changed it, shown when it differs from the form, and said.
function otherTab(id) {
    var now = plans().current();
    if (now.id !== id || plans().hashOf(now.plan) === plans().hashOf(shown)) return false;
    use(now);
    hooks.notice('Der Plan „' + now.name + '“ wurde in einem anderen Tab geändert; die Änderung ist hier '
        + 'übernommen.');
    return true;
}

// Another tab changed the plans: this tab's plan is shown anew when it changed, the list always.
function storageChanged(event) {
    var what = plans().storageChanged(event);
    if (!what) return tell();
    if (what === 'current' && otherTab(entry.id)) return;
    var now = plans().current();
    entry = now;
    fillList();
    hooks.refresh();
}

// Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) outside a text field, whose own undo they stay.
function undoKey(event) {
    var key = event.key.toLowerCase();
    if (!(event.ctrlKey || event.metaKey) || event.altKey || (key !== 'z' && key !== 'y')) return;
    if (event.target.closest && event.target.closest('textarea, [contenteditable], input:not([type]), '
        + 'input[type=text], input[type=search], input[type=number]')) return;
    event.preventDefault();
    if (key === 'y' || event.shiftKey) step('redo', 'undo');
    else step('undo', 'redo');
}

function bind() {
    files = planFiles({ plans: plans, entry: function () { return entry; }, use: use, record: hooks.record,
        notice: hooks.notice });
    bindList({ plans: plans, current: function () { return entry; }, use: use, listed: fillList, notice: hooks.notice,
        rename: function (text) {
            entry = plans().rename(entry.id, text) || entry;
            files.named(entry.name);
            hooks.address();
            tell();
            return entry;
        } });
    byId('plan-new').addEventListener('click', function () { use(plans().create()); });
    byId('plan-copy').addEventListener('click', function () { use(plans().duplicate(entry.id)); });
    byId('plan-delete').addEventListener('click', removeCurrent);
    byId('plan-load').addEventListener('change', function (event) {
        if (event.target.files[0]) files.loadFile(event.target.files[0]);
        event.target.value = '';
    });
    byId('undo').addEventListener('click', function () { step('undo', 'redo'); });
    byId('redo').addEventListener('click', function () { step('redo', 'undo'); });
    document.addEventListener('keydown', undoKey);
    // an entry ends when its field is left: typing there again is a change of its own
    byId('form').addEventListener('focusout', function () { historyOf(entry.id).typing = null; });
    byId('csv').addEventListener('click', files.download);
    byId('planfile').addEventListener('click', files.download);
    window.addEventListener('storage', storageChanged);
    window.addEventListener('pagehide', flush);
    document.addEventListener('visibilitychange', flush);
}

export const planner = {
    start: function (tables, given) {
        store = planStore(tables, undefined, undefined, given.carry);
        hooks = given;
        bind();
    },
    // As the page opens: the plan of its address (added as a new plan unless it is one already), or the plan last
    // used; what the address held that could not be read goes to hooks.noted first.
    openAddress: function (hash) {
        var how = performance.getEntriesByType('navigation')[0];
        return planner.open(hash, false, !!how && how.type !== 'navigate');
    },
    // The way a friend's link (or a plan pasted as its address) comes in: added as a new plan unless it is
    // one here already, what could not be read said; a link beyond the bound is refused with a message.
    // Gives the store's answer: entry, added, problems, refused.
    // reloaded: the page is this tab's own, loaded again, whose address is no link to tell of.
    open: function (hash, pasted, reloaded) {
        var got = hash.length > 1 ? plans().openLink(hash, pasted) : null;
        hooks.noted(got ? got.problems : []);
        use(got ? got.entry : plans().current());
        if (got && got.refused) hooks.notice(got.refused, true);
        else if (got && got.added) {
            hooks.notice('Der Plan des Links ist als neuer Plan „' + entry.name + '“ hinzugekommen; die anderen '
                + 'Pläne bleiben, wie sie waren.');
        } else if (got && !got.own && !pasted && !reloaded) {
            hooks.notice('Den Plan des Links gibt es hier schon: „' + entry.name + '“ ist jetzt offen.');
        }
        return got;
    },
    // A plan from elsewhere (an answers file) as a new plan beside the others, named after where it came from.
    addNew: function (plan, name) {
        return use(plans().add({ name: name, plan: plan }));
    },
    // Writes the form's last change now, before the page goes (an update reloads it).
    flush: flush,
    // The plan's address, with its name, and with the built counts when asked for.
    hashOf: function (plan, withBuilt) {
        return plans().hashOf(plan, { name: entry.name, built: withBuilt ? entry.built : null });
    },
    // Saves the form's plan when it changed (written once its run is done); gives the plan's address.
    save: function (plan) {
        var hash = store.hashOf(plan, { name: entry.name });
        if (hash === saved) return hash;
        var h = historyOf(entry.id), typing = typedInto(shown, plan);
        if (!typing || typing !== h.typing) h.undo.push(copyOf(shown));
        h.typing = typing;
        h.redo = [];
        saved = hash;
        if (!pending) {
            pending = { base: shown, addresses: [] };
            setTimeout(flush, 0);
        }
        pending.plan = plan;
        pending.addresses = pending.addresses.concat([location.hash, '#' + hash]).slice(-8);
        shown = copyOf(plan);
        showHistory();
        return hash;
    },
    name: function () { return entry.name; },
    built: function () { return entry.built; },
    setBuilt: function (row, count) {
        entry = plans().setBuilt(row, count) || entry;
        tell();
    },
    plan: function (id) {
        return plans().get(id);
    }
};

