// Which plan an address opens in this tab: one whose address this tab wrote (fingerprints in the tab's session
// storage, so that a reload goes back to its plan with the last entry), the plan the same link went to last, or a
// plan here already with the same content; otherwise the address's plan is added beside the others.
import { digest, LINK_LIMIT } from './address.js';
import { has } from './checked.js';

var LINK = 'werkverbund.link', OWN = 'werkverbund.own';
var OWN_LIMIT = 16;  // addresses of this tab noted

// session: this tab's sessionStorage, or null. plans: the store's read(id), list(), current(), use(e),
// add(got, name) (the entry, or {refused}), cur() (this tab's plan id), get(key), set(key, text), remove(key),
// hashOf(plan, extra), readHash(hash).
export function linkOpener(session, plans) {
    // The addresses this tab wrote last, newest first, as fingerprints with the plan each was of and the time of that
    // plan's latest writing then (an earlier page kept those of one plan as {id, d}).
    function own() {
        try {
            var kept = JSON.parse(session && session.getItem(OWN));
            if (kept && typeof kept.id === 'string' && Array.isArray(kept.d)) {
                return kept.d.map(function (sign) { return [sign, kept.id, 0]; });
            }
            return Array.isArray(kept) ? kept.filter(function (p) { return Array.isArray(p) && p.length === 3; }) : [];
        } catch (e) { return []; }
    }

    // Notes the addresses (the one shown, then the one about to be) as this tab's plan's, ahead of those noted
    // before: a browser may reload one the page has replaced already, as it hears of each change of the address
    // later.
    function wrote(hashes) {
        var id = plans.cur(), seen = {}, now = [], before = own();
        if (!session || !id) return;
        hashes.slice().reverse().map(function (h) {
            return [digest(String(h).replace(/^#/, '')), id, plans.rev()];
        }).concat(before)
            .forEach(function (p) {
                if (!has(seen, p[0]) && now.length < OWN_LIMIT) now.push(p);
                seen[p[0]] = 1;
            });
        if (JSON.stringify(now) === JSON.stringify(before)) return;
        try {
            session.setItem(OWN, JSON.stringify(now));
        } catch (e) { /* a reload then finds the plan by its content */ }
    }

    // A plan here with the content of the address: the current one first.
    function sameAs(got) {
        var same = function (x) { return plans.hashOf(x.plan, { built: Object.keys(got.built).length && x.built }); };
        return [plans.read(plans.cur() || plans.get('werkverbund.current'))].concat(plans.list()).filter(function (x) {
            return x && same(x) === same(got);
        })[0];
    }

    // Adds the link's plan; never replaces one. An address this tab wrote (a reload, the tab reopened, whatever its
    // length), the same link again, or a plan that is here already (the current one first) goes to that plan. A
    // link beyond LINK_LIMIT, or one whose plan could not be stored, is refused: refused says so, and entry is the
    // plan current before.
    // pasted: the plan was pasted, not found in this tab's address, so an address this tab once wrote is no
    // reload of its own plan but a plan to open beside it. reloaded: the tab was reloaded, so the address is its
    // own, and no plan is added for it (where storage has not yet heard of this tab's last writing, the plan as it
    // knows it is shown and brought up to date once it hears).
    function openLink(hash, pasted, reloaded) {
        hash = String(hash || '').replace(/^#/, '');
        if (!hash) return null;
        var sign = digest(hash), link = String(plans.get(LINK)), at = link.indexOf(' ');
        var mine = own().filter(function (p) { return p[0] === sign; })[0];
        var e = !pasted && mine && plans.read(mine[1]);
        if (!e && hash.length > LINK_LIMIT) {
            return { entry: plans.current(), problems: [], added: false, refused: 'Der Link ist '
                + Math.ceil(hash.length / 1024) + ' KB lang und wird nicht geöffnet: ein Link zu einem Plan hat '
                + 'höchstens ' + LINK_LIMIT / 1024 + ' KB.' };
        }
        var got = e ? { problems: [], built: {} } : plans.readHash(hash);
        got.own = !!e;   // this tab's own address: a reload, not a link to tell of
        if (!e && link.slice(at + 1) === sign) e = plans.read(link.slice(0, at));
        e = e || sameAs(got) || reloaded && plans.current();
        got.added = !e;
        got.entry = e ? plans.use(e) : plans.add(got, 'Geteilter Plan');
        if (got.entry.refused) {
            got.refused = got.entry.refused;
            got.entry = plans.current();
            got.added = false;
            return got;
        }
        plans.set(LINK, got.entry.id + ' ' + sign);  // the plan the link went to last
        return got;
    }

    // an address kept whole by an earlier version of the page goes
    if (String(plans.get(LINK)).length > 100) plans.remove(LINK);

    // The time of plan id's latest writing as this tab last noted it, 0 if never.
    function ownRev(id) {
        return own().reduce(function (r, p) { return p[1] === id ? Math.max(r, +p[2] || 0) : r; }, 0);
    }

    return { openLink: openLink, wrote: wrote, ownRev: ownRev };
}
