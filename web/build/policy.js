// The last step of the page's assembly: the page's content security policy, written into its
// <meta http-equiv="Content-Security-Policy">, allows exactly the inline scripts the page holds (each by the sha256
// of its text), the core's WebAssembly and inline styles, and nothing from any address; and the site's public
// address, when one is set, goes into <meta name="werkverbund-site"> for the links the page copies.
// Stops the build when the page holds what such a policy would refuse: a script from a file, an event handler
// attribute or a javascript: address.
// node policy.js werkverbund.html site-url.txt
import fs from 'node:fs';
import path from 'node:path';
import crypto from 'node:crypto';
import { fileURLToPath } from 'node:url';

export const META = /<meta http-equiv="Content-Security-Policy" content="[^"]*">/;

// The data blocks a page may hold beside its inline scripts: the page's scripts as text, run by an inline script
// (so hashed like one), and the core's bytes, which never run.
const DATA_BLOCKS = { 'text/plain': true, 'application/octet-stream': false };

// The policy for the scripts of page: their hashes, the WebAssembly, no other source.
function policyOf(page) {
    const hashes = [];
    for (const [, attributes, text] of page.matchAll(/<script([^>]*)>([\s\S]*?)<\/script>/g)) {
        const type = /^ type="([^"]*)" id="[\w-]+"$/.exec(attributes);
        if (attributes && !(type && type[1] in DATA_BLOCKS)) {
            throw new Error(`a script with attributes (${attributes.trim()}): only inline scripts and data blocks are allowed`);
        }
        if (type && !DATA_BLOCKS[type[1]]) continue;
        // the browser hashes the text as it reads it, and reading turns CR LF into LF
        if (text.includes('\r')) throw new Error('a script holds a carriage return; its hash would not match');
        hashes.push(`'sha256-${crypto.createHash('sha256').update(text, 'utf8').digest('base64')}'`);
    }
    return `default-src 'none'; script-src ${hashes.join(' ')} 'wasm-unsafe-eval'; style-src 'unsafe-inline'; `
        + "base-uri 'none'; form-action 'none'";
}

// What the policy would block in the markup outside scripts and styles.
function blocked(page) {
    const markup = page.replace(/<(script|style)\b[^>]*>[\s\S]*?<\/\1>/g, '');
    const found = [];
    for (const [tag] of markup.matchAll(/<[a-zA-Z][^>]*>/g)) {
        if (/\son[a-z]+\s*=/i.test(tag) || /javascript:/i.test(tag)) found.push(tag);
    }
    return found;
}

function escaped(text) {
    return text.replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
}

export function seal(page, siteUrl) {
    const refused = blocked(page);
    if (refused.length) throw new Error(`the policy would block: ${refused.join(' ')}`);
    if (!META.test(page)) throw new Error('the page has no <meta http-equiv="Content-Security-Policy">');
    page = page.replace(/<meta name="werkverbund-site" content="[^"]*">\n/, '');
    let site = '';
    if (siteUrl) {
        const url = new URL(siteUrl);  // throws on what is no address
        if (!/^https?:$/.test(url.protocol)) throw new Error(`the site's address ${siteUrl} is not http(s)`);
        site = `\n<meta name="werkverbund-site" content="${escaped(url.href)}">`;
    }
    const policy = policyOf(page);
    return page.replace(META, () => `<meta http-equiv="Content-Security-Policy" content="${policy}">${site}`);
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
    const [file, urlFile] = process.argv.slice(2);
    try {
        const url = urlFile ? fs.readFileSync(urlFile, 'utf8').trim() : '';
        fs.writeFileSync(file, seal(fs.readFileSync(file, 'utf8'), url));
    } catch (e) {
        console.error(`policy.js: ${file}: ${e.message}`);
        process.exit(1);
    }
}
