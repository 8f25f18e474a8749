// The core's WebAssembly in the page, deflated and written as base64 text in a data block (a script element the
// browser does not run, so that the text costs no compile), so that the one file computes without a network
// (core/load.js reads it and inflates it). Deflated it is less than half its size,
// and the page reads and decodes less text before its first results. Kept in one file, the site's page also starts
// sooner than with the core fetched beside it, which on a repeat visit waits for the service worker and a compile
// in the background.
//   node core.js werkverbund-core.wasm werkverbund.html   # the page's <!--CORE--> replaced by the core's script
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

// The zlib format (deflate with its header and an Adler-32 sum), which the browser's DecompressionStream('deflate')
// reads and checks: a text damaged on its way fails the start instead of giving another core.
export function inlineCore(page, wasm) {
    if (!page.includes('<!--CORE-->')) throw new Error('the page has no <!--CORE--> for the core');
    const text = zlib.deflateSync(wasm, { level: 9 }).toString('base64');
    return page.replace('<!--CORE-->', () => `<script type="application/octet-stream" id="werkverbund-core">${text}</script>\n`);
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
