// Sharing a plan: the address "Link kopieren" gives, "Plancode kopieren" and the field "Plan einfügen", which
// takes a plan code or a whole link and opens its plan as a new plan (a broken code is said, nothing changes).
import { byId, element } from '../lib/dom.js';
import { LINK_LIMIT } from '../plan/address.js';

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
    field.maxLength = LINK_LIMIT;
    var said = function (problem) { hooks.notice('Plan einfügen: ' + problem, true); };
    // What the field holds is read: a plan opens, or what is wrong is said and stays in the field until the next
    // paste replaces it.
    var read = function () {
        var text = field.value;
        hooks.codes.readPasted(text).then(function (got) {
            if (field.value !== text) return;  // pasted again meanwhile
            if (got.problem) return said(got.problem);
            if (!got.hash) return said('Der Plancode enthält keinen Plan: die Adresse in ihm ist leer.');
            field.value = '';
            hooks.open(got.hash);
        });
    };
    field.addEventListener('keydown', function (event) { if (event.key === 'Enter') read(); });
    // A paste replaces what the field held; one beyond the bound of a link is refused before it is put anywhere.
    field.addEventListener('paste', function (event) {
        var text = event.clipboardData && event.clipboardData.getData('text/plain');
        if (typeof text !== 'string') return setTimeout(read);
        event.preventDefault();
        if (text.length > LINK_LIMIT) {
            field.value = '';
            return said('Der eingefügte Text ist ' + Math.ceil(text.length / 1024) + ' KB lang und wird nicht '
                + 'gelesen: ein Plancode oder Link zu einem Plan hat höchstens ' + LINK_LIMIT / 1024 + ' KB.');
        }
        field.value = text;
        read();
    });
}
