// What the node tests of the plan store share: some of the core's tables, a plan, a browser's storage.

// Some of the core's questions and options: codes shared by races, the crystal letter, yes/no answers.
export const tables = {
    options: [{ name: 'h' }, { name: 'xl' }, { name: 'or', question: 'Namen?' }, { name: 'dat', question: 'Datei?' }],
    questions: [{ key: 'saleSkwM' }, { key: 'WF.A' }, { key: 'OF.A' }, { key: 'WF.B' }, { key: 'OF.B' },
        { key: 'crystalRace', kind: 'letter' }, { key: 'ME', when: 'm' }],
    races: [{ code: 'A' }, { code: 'B' }], crystalRaces: [{ letter: 'a', name: 'Argonen' }, { letter: 'u' }],
    numberTextLimit: 20,
};
export const planWith = (options, answers, values) => ({ options: { h: false, xl: false, or: false, dat: false, ...options },
    answers: { or: 'j', dat: 'j', ...answers }, values: { crystalRace: 'a', ...values } });

// Keeps its items as own properties, as the browser's storage does; refuses beyond limit.n characters.
export function fakeStorage(limit = Infinity, refuse = false) {
    const room = { n: limit };
    return Object.create({
        room,
        getItem(k) { if (refuse) throw new Error('SecurityError'); return Object.hasOwn(this, k) ? this[k] : null; },
        setItem(k, v) {
            const used = Object.keys(this).reduce((n, key) => n + (key === k ? 0 : key.length + this[key].length), 0);
            if (refuse || used + k.length + v.length > room.n) throw new Error('QuotaExceededError');
            this[k] = v;
        },
        removeItem(k) { delete this[k]; },
    });
}
