// Every plan of this browser in one file, and such a file loaded back: the plans that are not here are added (under
// the ids they had, so that the same file loaded again adds nothing), a plan that is here already is skipped and
// said, nothing stored is overwritten. Pure: the store is a planStore.
import { plansFileOf } from './planfile.js';
import { digest } from './address.js';

var NAMES_LISTED = 20;  // names said one by one; the rest are counted

// „A“, „B“ und 3 weitere
export function namesOf(names) {
    var said = names.slice(0, NAMES_LISTED).map(function (n) { return '„' + n + '“'; }).join(', ');
    return said + (names.length > NAMES_LISTED ? ' und ' + (names.length - NAMES_LISTED) + ' weitere' : '');
}

// The file of all plans (text) and the names of the damaged plans it cannot hold (left).
export function allPlans(store) {
    return { text: plansFileOf(store.list()), left: store.damaged().map(function (d) { return d.name || '?'; }) };
}

// A file of all plans loaded into store: the plans added, the names of those skipped because they are here
// (by id, or by name, plan and built counts alike), the names of those that could not be read or stored, and what
// could not be read of those added. null when text is no such file.
export function loadPlans(store, text) {
    var got = store.readPlans(text);
    if (!got.all) return null;
    var here = store.list();
    var sign = function (e) { return e.name + '\n' + store.hashOf(e.plan, { built: e.built }); };
    var signs = {};
    here.forEach(function (e) { signs[sign(e)] = 1; });
    var done = { added: [], here: [], lost: [], problems: got.problems.slice() };
    got.plans.forEach(function (p, i) {
        var e = p.entry, name = e ? e.name : 'Plan ' + (i + 1);
        if (!e) return done.lost.push(name);
        // a plan of a file written by hand gets an id of its content, so that it too is added once
        if (!/^[0-9a-z]{1,40}$/.test(e.id)) e.id = 'p' + digest(sign(e)).replace('.', '');
        if (store.get(e.id) || signs[sign(e)]) return done.here.push(name);
        var kept = store.adopt(e);
        if (!kept) return done.lost.push(name);
        signs[sign(e)] = 1;
        done.added.push(kept);
        if (p.problems.length) done.problems.push('„' + kept.name + '“: ' + p.problems.join('; '));
    });
    return done;
}
