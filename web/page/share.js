// Sharing a plan: the address "Link kopieren" gives, "Plancode kopieren" and the field "Plan einfügen", which
// takes a plan code or a whole link and opens its plan as a new plan (a broken code is said, nothing changes).
import { byId, element } from '../lib/dom.js';

// The link to a plan (its address after '#') and which address it has: from a file, the site's public address
// when the page was built with one; otherwise the page's own address (local: it opens only on this computer).
export function linkOf(hash, href, site) {
    var own = href.split('#')[0] + '#' + hash;
    if (!/^file:/.test(href)) return { link: own, which: 'mit der Adresse dieser Seite' };
    if (site) return { link: site + '#' + hash, which: 'mit der öffentlichen Adresse ' + site };
    return { link: own, which: 'mit der Adresse dieser Datei (er öffnet den Plan nur auf diesem Rechner)', local: true };
}

// Copies text and says so; where the browser refuses, shows it ready to be copied by hand after lead.
export function copyText(text, said, lead, label, notice) {
    var byHand = function () {
        var field = element('input', { value: text, readonly: '', 'aria-label': label });
        notice(lead, false, field);
        field.select();
    };
    if (!navigator.clipboard) return byHand();
    navigator.clipboard.writeText(text).then(function () { notice(said); }, byHand);
}

// hooks: codes: the plan codes (plancode.js); hash(withBuilt): the plan's address; open(hash): opens it as a new
// plan; notice: the notice line.
export function startSharing(hooks) {
    byId('copy-code').addEventListener('click', function () {
        hooks.codes.encodePlan(hooks.hash(byId('copy-built').checked)).then(function (code) {
            copyText(code, 'Plancode kopiert.', 'Plancode zum Kopieren: ', 'Plancode', hooks.notice);
        });
    });
    var field = byId('plan-paste');
    var paste = function () {
        var text = field.value;
        if (!text.trim()) return;
        hooks.codes.readPasted(text).then(function (got) {
            if (got.problem) return hooks.notice('Plan einfügen: ' + got.problem, true);
            field.value = '';
            hooks.open(got.hash);
        });
    };
    field.addEventListener('keydown', function (event) { if (event.key === 'Enter') paste(); });
    field.addEventListener('paste', function () { setTimeout(paste); });
}
