// What this tab hears of the plans: what the store has to say, the storage warning while the browser refuses the
// plans (and the plan shown anew once it takes them, with what other tabs changed meanwhile), and what another tab
// or page did: this tab's plan changed there (shown here), deleted there (this tab goes to another plan and says
// so), the whole storage cleared (this tab's plan written again), another plan changed (the list anew).

// parts: plans() the store; entry() and shown() this tab's plan as stored and as in the form; use(e) shows a
// stored plan; fillList(); refresh() the views; notice(text, bad); trouble(text) the storage warning's line.
// Built counts in the order of their rows' codes, so that two tabs that kept them in another order compare equal.
function byRow(built) {
    var sorted = {};
    Object.keys(built || {}).sort().forEach(function (row) { sorted[row] = built[row]; });
    return sorted;
}

export function otherTabs(parts) {
    var retry = null, refused = false;

    // This tab's plan as another tab changed it, shown when it differs from the form or its built counts from
    // Baustand's, and said (after what else there is to say). A change this tab wrote itself before a reload, which
    // storage hears of only now, is shown without a word.
    function otherTab(id, before) {
        var plans = parts.plans(), now = plans.current(), entry = parts.entry();
        if (now.id !== id || plans.hashOf(now.plan, { built: byRow(now.built) }) === plans.hashOf(parts.shown(),
            { built: byRow(entry.built) }) && now.name === entry.name) {
            return false;
        }
        parts.use(now);
        var said = [before, !plans.heardOf(now) && 'Der Plan „' + now.name + '“ wurde in einem anderen '
            + 'Tab geändert; die Änderung ist hier übernommen.'].filter(Boolean).join(' ');
        if (said) parts.notice(said);
        return true;
    }

    // What the store has to say; the storage warning stays in its own line while storage refuses (tried again
    // meanwhile); once it takes the plans again, this tab's plan as storage holds it then.
    function tell() {
        var plans = parts.plans(), said = plans.messages(), trouble = plans.trouble();
        parts.trouble(trouble);
        if (trouble && !retry) retry = setInterval(tell, 3000);
        if (!trouble && retry) {
            clearInterval(retry);
            retry = null;
        }
        said = said.concat(plans.messages()).join(' ');
        var back = refused && !trouble;
        refused = !!trouble;
        if (back && otherTab(parts.entry().id, said)) return;
        if (said) parts.notice(said, /nicht lesbar|nicht gespeichert/.test(said));
    }

    // This tab's plan deleted in another tab: the plan now current there or here is shown, and said. An edit this
    // tab had not written yet keeps the plan.
    function removed() {
        var gone = parts.entry(), now = parts.plans().current();
        if (now.id === gone.id) return otherTab(gone.id);
        parts.use(now);
        parts.notice('Der Plan „' + gone.name + '“ wurde in einem anderen Tab gelöscht; hier ist jetzt der Plan „'
            + now.name + '“ offen.');
        return true;
    }

    // Another tab or page changed the plans.
    function storageChanged(event) {
        var plans = parts.plans(), what = plans.storageChanged(event);
        if (!parts.entry()) return;   // the start shows this tab's plan as stored then
        if (!what) return tell();
        if (what === 'cleared' && plans.rescue()) {
            parts.notice('Eine andere Seite hat den Speicher des Browsers geleert; der Plan „' + parts.entry().name
                + '“ dieses Tabs ist wieder gespeichert, die anderen Pläne sind verloren.', true);
        }
        if (what === 'removed' && removed()) return;
        if (what === 'current' && otherTab(parts.entry().id)) return;
        if (plans.current().id !== parts.entry().id) return removed();
        parts.fillList();
        parts.refresh();
    }

    window.addEventListener('storage', storageChanged);
    return { tell: tell, otherTab: otherTab };
}
