// The core's WebAssembly in the page, as base64 text in a script of its own, so that the one file computes without a
// network (core/load.js reads it). Kept in one file, the site's page also starts sooner than with the core fetched
// beside it, which on a repeat visit waits for the service worker and a compile in the background.
//   node core.js werkverbund-core.wasm werkverbund.html   # the page's <!--CORE--> replaced by the core's script
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

export function inlineCore(page, wasm) {
    if (!page.includes('<!--CORE-->')) throw new Error('the page has no <!--CORE--> for the core');
    const text = Buffer.from(wasm).toString('base64');
    return page.replace('<!--CORE-->', () => `<script>\nwindow.werkverbundCore = '${text}';\n</script>\n`);
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
