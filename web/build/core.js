// The core's WebAssembly in the page: the offline page carries it as base64 text in a script of its own, so that
// the one file computes without a network; the site takes it out again and serves it as a file beside the page,
// which the browser compiles while it streams (core/load.js reads either).
//   node core.js werkverbund-core.wasm werkverbund.html   # the page's <!--CORE--> replaced by the core's script
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const SCRIPT = /<script>\nwindow\.werkverbundCore = '([A-Za-z0-9+/=]+)';\n<\/script>\n/;

export function inlineCore(page, wasm) {
    if (!page.includes('<!--CORE-->')) throw new Error('the page has no <!--CORE--> for the core');
    const text = Buffer.from(wasm).toString('base64');
    return page.replace('<!--CORE-->', () => `<script>\nwindow.werkverbundCore = '${text}';\n</script>\n`);
}

// The page without the core's script, and the core's bytes.
export function takeCore(page) {
    const found = SCRIPT.exec(page);
    if (!found) throw new Error('the page holds no core');
    return [page.replace(SCRIPT, ''), Buffer.from(found[1], 'base64')];
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
    const [wasm, file] = process.argv.slice(2);
    try {
        fs.writeFileSync(file, inlineCore(fs.readFileSync(file, 'utf8'), fs.readFileSync(wasm)));
    } catch (e) {
        console.error(`core.js: ${file}: ${e.message}`);
        process.exit(1);
    }
}
