// The plan list and the current plan's name: a plan chosen from the list (a damaged one can only be deleted), and
// the name, stored as it is typed and made unique among the plans ("Plan 1 (2)", as a plan added gets it), which the
// list shows at once; the field keeps what is typed until it is left, then shows the name kept and says why.
import { byId } from '../lib/dom.js';
import { nameOf } from '../plan/checked.js';

// parts: plans() the store; current() the current plan as stored; use(entry) shows a stored plan; rename(text)
// renames the current plan and gives it; listed() lists the plans anew; notice(text, bad, details, action).
export function bindList(parts) {
    var list = byId('plan-list'), field = byId('plan-name');
    list.addEventListener('change', function () {
        var e = parts.plans().switchTo(list.value);
        if (e) parts.use(e);
        else damagedChosen(parts, list.value);
    });
    field.addEventListener('input', function () {
        list.selectedOptions[0].textContent = parts.rename(field.value).name;
    });
    field.addEventListener('change', function () {
        var typed = nameOf(field.value);
        parts.listed();
        var kept = parts.current().name;
        if (typed && typed !== kept) parts.notice('Einen Plan „' + typed + '“ gibt es schon; dieser heißt jetzt „' + kept + '“.');
    });
}

// A stored plan that cannot be read is chosen: it cannot be shown, only deleted.
function damagedChosen(parts, id) {
    var e = parts.plans().damaged().filter(function (d) { return d.id === id; })[0];
    byId('plan-list').value = parts.current().id;
    if (!e) return;
    var name = e.name ? 'Der Plan „' + e.name + '“' : 'Dieser Plan';
    var action = { text: 'Beschädigten Plan löschen', run: function () {
        parts.plans().remove(e.id);
        parts.listed();
        parts.notice(name + ' ist gelöscht.');
    } };
    parts.notice(name + ' ist beschädigt und lässt sich nicht öffnen. ', true, null, action);
}
