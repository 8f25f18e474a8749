// Several named plans kept in this browser: the list to switch between them, the current plan's name, new, copy
// and delete (with a way back); the plan of a shared link added beside the others (the list and the name field:
// planlist.js; the files: planfiles.js). Every change of the form is saved to the current plan right after its run
// (only the fields this tab changed, so that another tab's edits of other fields stay), and can be undone and
// redone while the page is open.
import { element, byId } from '../lib/dom.js';
import { copyOf, typedInto, carriedInto } from '../plan/plan.js';
import { planStore } from '../plan/store.js';
import { planFiles } from './planfiles.js';
import { bindList } from './planlist.js';
import { otherTabs } from './othertabs.js';

var store = null;   // the plans, reached through plans()
// show(plan): into the form and run; record(): the last run's record; address(): the address anew; noted(problems):
// what an address held that could not be read; refresh(): the views anew; lines: the lines built counts are kept
// for (plan/carry.js); notice(text, bad, details, action), trouble(text): the notice and storage lines;
// listed(plans, current): the plans as listed now; shownPlan(id): the plan shown now, for the offers bound to another
var hooks = null;
var tabs = null;    // what other tabs did
var entry = null;   // the current plan as stored: id, name, plan, built
var shown = null;   // the plan in the form as last saved or shown: what this tab's next change is measured from
var saved = '';     // the current plan's address as last saved: the form is saved only when it differs
var changes = {};   // per plan id: undo and redo (plans), and the text field the last change typed into
var pending = null; // the form's change not yet written: its plan's id, the plan, the plan it was changed from
var files = null;   // the plan's files, named after it

// The form's change written to its plan at the end of the task that made it (a reload or a closed tab cannot come
// between), or before, when anything reads the plans; the plan as stored then is shown after the run when it holds
// another tab's change.
function flush() {
    if (!pending) return;
    var change = pending;
    pending = null;
    var stored = store.save(change.plan, change.base, change.id);
    if (stored && stored.id === entry.id) entry = stored;
    setTimeout(function () {
        tabs.tell();
        if (stored && store.hashOf(stored.plan) !== store.hashOf(change.plan)) tabs.otherTab(stored.id);
    });
}

function plans() {
    flush();
    return store;
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
    tabs.tell();
}

// The plan of a link (or of a plan pasted as its address) read and stored: added as a new plan unless it is one here
// already. Gives the store's answer, or null for an address without a plan.
function linked(hash, pasted, reloaded) {
    return hash.length > 1 ? plans().openLink(hash, pasted, reloaded) : null;
}

// The plan a link brought shown (the plan last used when it brought none), and said.
function opened(got, pasted, reloaded) {
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
}

// The page is this tab's own, loaded again (reloaded, or back and forward): its address is no link to tell of.
function reloaded() {
    var how = performance.getEntriesByType('navigation')[0];
    return !!how && how.type !== 'navigate';
}

// Makes a stored plan the one shown: into the form, run, listed.
function use(e) {
    if (!e) return tabs.tell();  // not stored, and said
    hooks.shownPlan(e.id);
    entry = e;
    shown = copyOf(e.plan);
    saved = plans().hashOf(e.plan, { name: e.name });
    hooks.show(e.plan);
    fillList();
    return e;
}

// This tab's plan as another tab changed it: the change goes into every step of its undo and redo too, so that
// undo here never takes back what was typed there.
function heard(e) {
    if (e && entry && e.id === entry.id) {
        var h = historyOf(e.id), before = shown;
        ['undo', 'redo'].forEach(function (way) {
            h[way] = h[way].map(function (step) { return carriedInto(step, before, e.plan); });
        });
    }
    return use(e);
}

// Undo and redo: the plan as it was before the last change; typing into one field until it is left is one change.
// Each plan has its own, and a step is written into the plan it belongs to.
function step(from, to) {
    var id = entry.id, h = historyOf(id);
    if (!h[from].length) return;
    h[to].push(copyOf(shown));
    h.typing = null;
    var plan = h[from].pop();
    use(plans().save(plan, shown, id) || entry);
}

function removeCurrent() {
    var gone = entry;
    use(plans().remove(gone.id));
    hooks.notice('Plan „' + gone.name + '“ gelöscht. ', false, null, { text: 'Rückgängig', run: function () {
        var back = plans().restore(gone);
        use(back);
        if (back) hooks.notice('Plan „' + back.name + '“ wiederhergestellt.');
    } });
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
        listed: fillList, notice: hooks.notice });
    bindList({ plans: plans, current: function () { return entry; }, use: use, listed: fillList, notice: hooks.notice,
        rename: function (text) {
            entry = plans().rename(entry.id, text) || entry;
            saved = plans().hashOf(shown, { name: entry.name });  // a change after it that changes nothing is no step
            files.named(entry.name);
            hooks.address();
            tabs.tell();
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
    byId('plans-save').addEventListener('click', files.saveAll);
    // storage may have room again: what lives in memory is written before the page goes
    window.addEventListener('pagehide', function () { store.trouble(); });
}

export const planner = {
    start: function (tables, given) {
        store = planStore(tables, undefined, undefined, given.lines);
        hooks = given;
        tabs = otherTabs({ plans: plans, entry: function () { return entry; }, shown: function () { return shown; },
            use: heard, fillList: fillList, refresh: hooks.refresh, notice: hooks.notice, trouble: hooks.trouble });
        bind();
    },
    // As the page opens, in two steps so that neither makes a long task: the plan of its address read and stored,
    // then it (or the plan last used) shown; what the address held that could not be read goes to hooks.noted first.
    readAddress: function (hash) { return linked(hash, false, reloaded()); },
    openRead: function (got) { return opened(got, false, reloaded()); },
    // The way a friend's link (or a plan pasted as its address) comes in: added as a new plan unless it is
    // one here already, what could not be read said; a link beyond the bound is refused with a message.
    // Gives the store's answer: entry, added, problems, refused.
    open: function (hash, pasted) {
        return opened(linked(hash, pasted, false), pasted, false);
    },
    // A plan from elsewhere (an answers file) as a new plan beside the others, named after where it came from.
    addNew: function (plan, name) {
        return use(plans().add({ name: name, plan: plan }));
    },
    // Notes an address the page is about to show for this tab's plan, so that a reload of it goes to the plan.
    wrote: function (hash) {
        var shownNow = location.hash;
        queueMicrotask(function () { plans().wrote([shownNow, hash]); });  // after the change is written
    },
    // The plan's address, with its name, and with the built counts when asked for.
    hashOf: function (plan, withBuilt) {
        return plans().hashOf(plan, { name: entry.name, built: withBuilt ? entry.built : null });
    },
    // Saves the form's plan when it changed; gives the plan's address.
    save: function (plan) {
        var hash = store.hashOf(plan, { name: entry.name });
        if (hash === saved) return hash;
        // typing goes on only in a field of the form: a whole plan shown (emptied, brought back) that happens to
        // differ in one field is a change of its own
        var inForm = document.activeElement && document.activeElement.closest('#form');
        var h = historyOf(entry.id), typing = inForm ? typedInto(shown, plan) : null;
        if (!typing || typing !== h.typing) h.undo.push(copyOf(shown));
        h.typing = typing;
        h.redo = [];
        saved = hash;
        if (pending) pending.plan = plan;
        else {
            pending = { id: entry.id, plan: plan, base: shown };
            queueMicrotask(flush);
        }
        shown = copyOf(plan);
        showHistory();
        return hash;
    },
    name: function () { return entry.name; },
    id: function () { return entry.id; },
    built: function () { return entry.built; },
    setBuilt: function (row, count) {
        entry = plans().setBuilt(row, count, entry.id) || entry;
        tabs.tell();
    },
    plan: function (id) {
        return plans().get(id);
    }
};

