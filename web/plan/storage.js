// This browser's storage of the plans (localStorage), kept in memory while the browser refuses it: every later
// change tries storage again and writes back what this tab changed meanwhile, a plan's changes written into the
// plan as storage holds it then (again, given by the store), so that another tab's changes stay. Nothing throws.
import { has } from './checked.js';

var STORAGE_TROUBLE = 'Der Browser nimmt keine Pläne mehr auf (Speicher voll oder gesperrt): die Pläne und '
    + 'jede Änderung bestehen nur, solange diese Seite offen ist. Bitte Pläne löschen, die nicht mehr gebraucht '
    + 'werden, oder die Pläne mit „Alle Pläne sichern“ als Plandatei sichern; sobald wieder Platz ist, wird alles '
    + 'gespeichert.';

// storage: localStorage if left out, none if null; news: where what storage has to say is pushed.
// get(key), set(key, text, again), remove(key), keys(); sync() tries storage again; trouble() the warning while it
// refuses; holds(area) whether the 'storage' events of area concern the plans.
export function planStorage(storage, news) {
    // While storage refuses: every key as this tab knows it, and per key changed since how to write it back: again
    // (the text as storage holds it then) gives the text to write, null writes the text in memory (or removes the
    // key, when memory has none).
    var memory = null, dirty = {};
    try {
        if (storage === undefined) storage = localStorage;
    } catch (e) { storage = null; }  // a page from a file may not even look at it
    if (!storage) memory = {};

    // Writes what changed in memory back to storage, removals first; true once all of it is stored again.
    function sync() {
        if (!memory || !storage) return !memory;
        try {
            var changed = Object.keys(dirty);
            var kept = function (k) { return memory[k] === undefined ? 0 : 1; };
            changed.sort(function (a, b) { return kept(a) - kept(b); });
            changed.forEach(function (k) {
                if (memory[k] === undefined) storage.removeItem(k);
                else storage.setItem(k, dirty[k] ? dirty[k](storage.getItem(k)) : memory[k]);
                delete dirty[k];
            });
        } catch (e) { return false; }
        memory = null;
        news.push('Der Browser nimmt die Pläne wieder auf; alle Pläne und Änderungen sind gespeichert.');
        return true;
    }

    // How a key changed in memory is written back: a change done again after those before it, or the whole text
    // where this tab wrote it whole (or removed it).
    function remember(k, again, before) {
        if (!again || before === undefined) dirty[k] = null;
        else if (!has(dirty, k)) dirty[k] = again;
        else if (dirty[k]) dirty[k] = (function (first) { return function (t) { return again(first(t)); }; })(dirty[k]);
    }

    // A storage method, or the keys without one. On a refusal the plans go on in memory; every later change
    // tries storage again, writing back what changed meanwhile.
    function io(method, k, text, again) {
        if (!memory) {
            try { return method ? storage[method](k, text) : Object.keys(storage); } catch (e) {
                memory = {};
                try {  // the plans' keys only: a page from a file shares its storage with every local file
                    Object.keys(storage).forEach(function (key) {
                        if (key.indexOf('werkverbund.') === 0) memory[key] = storage.getItem(key);
                    });
                } catch (e2) { /* keep what was copied */ }
            }
        }
        if (method === 'getItem') return has(memory, k) ? memory[k] : null;
        var before = memory[k];
        if (method === 'setItem') memory[k] = text;
        if (method === 'removeItem') delete memory[k];
        if (method) {
            remember(k, method === 'setItem' && again, before);
            sync();
            return null;
        }
        return Object.keys(memory);
    }
    return {
        get: function (k) { return io('getItem', k); },
        // again(text as stored, or null): the same change done on what storage holds once it takes the plans again
        set: function (k, text, again) { io('setItem', k, text, again); },
        remove: function (k) { io('removeItem', k); },
        keys: function () { return io(); },
        sync: sync,
        trouble: function () {
            sync();
            return memory ? STORAGE_TROUBLE : '';
        },
        // Whether the plans live in this storage now (its events concern them); tries storage again first.
        holds: function (area) {
            if (memory) sync();
            return !memory && area === storage;
        }
    };
}
