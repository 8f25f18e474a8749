// Plan codes: a plan as a short text to paste into a chat, and back. A code holds the plan packed as bits (packed.js)
// behind a version and with a CRC-32 over it:
//   WV2-<base64url of: the packed plan, CRC-32 big-endian>
// The packed plan says where it ends, so a code cut short lacks bits it asks for; the CRC catches every change of up
// to 32 bits in a row, so any one character changed. A code of the first version held the plan's address (as after
// '#' in a link), compressed where that made it shorter:
//   WV1-<base64url of: method (0 as is, 1 deflate-raw), length of what follows as LEB128, that, CRC-32 big-endian>
// Both open the plan as the address of its link does. No DOM: loads in node as in the page. Nothing throws: a code
// that cannot be read comes back with a German sentence that says what is wrong with it.
import { planReader } from './checked.js';
import { planAddress } from './address.js';
import { packPlan, unpackPlan, bytesOfBits, RAN_OUT } from './packed.js';

const CODE_VERSION = 2;
const READ_VERSIONS = ['1', '2'];
const LIMIT = 1 << 20;  // far beyond any plan's address, in characters of the code and of the address alike
const ALPHABET = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';

const NOT_A_CODE = 'Das ist kein Plancode (ein Plancode beginnt mit „WV“).';
const CUT = 'Der Plancode ist unvollständig: Zeichen fehlen. Bitte den ganzen Code kopieren.';
const CHANGED = 'Der Plancode ist verändert: mindestens ein Zeichen stimmt nicht. Bitte den Code noch einmal kopieren.';

let table = null;
function crc32(bytes) {
    if (!table) {
        table = new Uint32Array(256);
        for (let n = 0; n < 256; n++) {
            let c = n;
            for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
            table[n] = c;
        }
    }
    let crc = 0xffffffff;
    for (const b of bytes) crc = table[(crc ^ b) & 255] ^ (crc >>> 8);
    return (crc ^ 0xffffffff) >>> 0;
}

function base64(bytes) {
    let text = '';
    for (let i = 0; i < bytes.length; i += 3) {
        const n = bytes[i] << 16 | (bytes[i + 1] || 0) << 8 | (bytes[i + 2] || 0);
        const chars = Math.min(4, Math.ceil((bytes.length - i) * 4 / 3));
        for (let k = 0; k < chars; k++) text += ALPHABET[n >> (18 - 6 * k) & 63];
    }
    return text;
}

// The bytes of a base64url text, null for a character beyond it; a text that base64() would not write (bits left
// over that are set, a length no bytes give) is marked.
function unbase64(text) {
    const bytes = new Uint8Array(Math.floor(text.length * 3 / 4));
    let bits = 0, value = 0, at = 0;
    for (const c of text) {
        const v = ALPHABET.indexOf(c);
        if (v < 0) return null;
        value = (value << 6 | v) & 0xffffff;
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes[at++] = value >> bits & 255;
        }
    }
    bytes.odd = text.length % 4 === 1 || (value & ((1 << bits) - 1)) !== 0;
    return bytes;
}

async function through(bytes, transform) {
    const reader = new Blob([bytes]).stream().pipeThrough(transform).getReader();
    const parts = [];
    let length = 0;
    for (;;) {
        const { done, value } = await reader.read();
        if (done) break;
        length += value.length;
        if (length > LIMIT) {
            reader.cancel();
            throw new Error('too long');
        }
        parts.push(value);
    }
    const all = new Uint8Array(length);
    parts.reduce((at, part) => (all.set(part, at), at + part.length), 0);
    return all;
}

// The address of a code of the first version: { hash } or { problem }.
async function firstVersion(bytes) {
    let at = 1, length = 0;
    for (let shift = 0; ; shift += 7) {
        if (at >= bytes.length) return { problem: CUT };
        if (shift > 21) return { problem: CHANGED };
        length += (bytes[at] & 127) * 2 ** shift;
        if (!(bytes[at++] & 128)) break;
    }
    const end = at + length + 4;
    if (bytes.length !== end) return { problem: bytes.length < end ? CUT : CHANGED };
    const view = new DataView(bytes.buffer);
    if (bytes.odd || bytes[0] > 1 || view.getUint32(end - 4) !== crc32(bytes.subarray(0, end - 4))) return { problem: CHANGED };
    try {
        const body = bytes.subarray(at, end - 4);
        const plain = bytes[0] ? await through(body, new DecompressionStream('deflate-raw')) : body;
        return { hash: new TextDecoder('utf-8', { fatal: true }).decode(plain) };
    } catch (e) {
        return { problem: CHANGED };  // only a code made to pass the check gets here
    }
}

// The plan codes for the core's tables: encodePlan(hash) the code of a plan's address (the text after '#', with or
// without it), decodePlan(code) and readPasted(text) the address of the plan, as { hash } or { problem }.
export function planCodes(tables) {
    const address = planAddress(tables, planReader(tables));

    // The address of a packed plan: { hash } or { problem }. A check that fails on a plan whose bits run out
    // before its end is a cut code.
    function secondVersion(bytes) {
        if (bytes.length < 4) return { problem: CUT };
        const body = bytes.subarray(0, bytes.length - 4);
        const checked = !bytes.odd && new DataView(bytes.buffer).getUint32(body.length) === crc32(body);
        try {
            const got = unpackPlan(tables, body);
            return checked ? { hash: address.hashOf(got.plan, { name: got.name, built: got.built }) } : { problem: CHANGED };
        } catch (e) {
            return { problem: e === RAN_OUT && !checked ? CUT : CHANGED };
        }
    }

    async function encodePlan(hash) {
        const got = address.readHash(String(hash));
        const body = bytesOfBits(packPlan(tables, got.plan, got.name, got.built));
        const bytes = new Uint8Array(body.length + 4);
        bytes.set(body);
        new DataView(bytes.buffer).setUint32(body.length, crc32(body));
        return `WV${CODE_VERSION}-${base64(bytes)}`;
    }

    // Spaces and line breaks a chat put in, and quotes or a full stop around the code, are left out.
    async function decodePlan(code) {
        const text = String(code).replace(/\s+/g, '').replace(/^["'„“‚‘«»(]+|["'“”‘’«»).,;:!?]+$/g, '');
        if (!text.startsWith('WV')) return { problem: NOT_A_CODE };
        if (text.length > LIMIT) return { problem: CHANGED };
        const parts = /^WV(\d+)-(.*)$/.exec(text);
        if (!parts) return { problem: /^WV\d*$/.test(text) ? CUT : CHANGED };
        if (READ_VERSIONS.indexOf(parts[1]) < 0) {
            return { problem: `Dieser Plancode hat die Version ${parts[1]}; diese Seite liest Plancodes der Versionen `
                + `${READ_VERSIONS.join(' und ')}.` + (Number(parts[1]) > CODE_VERSION ? ' Eine neuere Ausgabe der Seite öffnet ihn.' : '') };
        }
        const bytes = unbase64(parts[2]);
        if (!bytes) return { problem: CHANGED };
        return parts[1] === '1' ? firstVersion(bytes) : secondVersion(bytes);
    }

    // What was pasted into "Plan einfügen": a plan code, or a whole link to a plan (the address after its '#').
    async function readPasted(pasted) {
        const text = String(pasted).trim();
        if (!text) return { problem: 'Nichts eingefügt: hier passt ein Plancode oder ein Link zu einem Plan hinein.' };
        if (/^["'„“«(]*WV/.test(text)) return decodePlan(text);
        if (/^#./.test(text)) return { hash: text.slice(1) };
        if (/^(https?|file):\/\/\S*$/i.test(text)) {
            const at = text.indexOf('#');
            if (at >= 0 && at + 1 < text.length) return { hash: text.slice(at + 1) };
            return { problem: 'Der Link enthält keinen Plan: nach seinem „#“ steht nichts.' };
        }
        return { problem: 'Das ist weder ein Plancode (er beginnt mit „WV“) noch ein Link zu einem Plan.' };
    }

    return { encodePlan, decodePlan, readPasted };
}
