// The site from 127.0.0.1 (serve.js) and the strict policy, in headless Chromium; each test goes on from the last.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const crypto = require('node:crypto');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');
const { webBuild, CHROMIUM, started, reload, noticeAfter } = require('./support.js');
const { spawnSync } = require('node:child_process');
const { serve } = require('./serve.js');
const jsQR = require('jsqr');

const SITE = path.join(webBuild, 'site');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'werkverbund-site-'));
const s = { errors: [] };  // server, browser context, the site's page
const policyOf = (html) => /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(html)[1];
const field = (page) => page.locator('#f-saleSkwM');
const said = (page) => page.locator('#notice').innerText();

test.before(async () => {
    fs.cpSync(SITE, path.join(scratch, 'site'), { recursive: true });
    s.server = await serve(path.join(scratch, 'site'));
    s.context = await chromium.launchPersistentContext(path.join(scratch, 'profile'),
        { ...CHROMIUM, permissions: ['clipboard-read', 'clipboard-write'] });
    s.context.on('page', (p) => p.on('pageerror', (e) => s.errors.push(String(e))));
    s.page = await s.context.newPage();
});
test.after(async () => {
    await s.context?.close();
    await s.server?.close();
    fs.rmSync(scratch, { recursive: true, force: true });
    assert.deepStrictEqual(s.errors, [], 'errors of the page');
});

test('the policy of the file and of the site allows each script that runs by its hash and nothing else', async () => {
    for (const file of [path.join(webBuild, 'werkverbund.html'), path.join(SITE, 'index.html')]) {
        const html = fs.readFileSync(file, 'utf8');  // the policy stands before the first script, so it covers them all
        assert.ok(html.indexOf('"Content-Security-Policy"') < html.indexOf('<script'), file);
        // the inline scripts and the page's scripts kept as text, which an inline script runs; not the core's bytes
        const hashes = [...html.matchAll(/<script(?: type="text\/plain" id="[\w-]+")?>([\s\S]*?)<\/script>/g)].map((m) =>
            `'sha256-${crypto.createHash('sha256').update(m[1]).digest('base64')}'`);
        assert.match(policyOf(html), new RegExp(`^default-src 'none'; script-src ${hashes.join(' ').replace(/[+/]/g, '\\$&')} 'wasm-unsafe-eval';`));
    }
    // the build stops at any other script: from a file, a module, a data block of another type or without its id
    const { seal } = await import(pathToFileURL(path.join(__dirname, '../build/policy.js')));
    const page = (script) => `<meta http-equiv="Content-Security-Policy" content=""><script>a</script>${script}`;
    for (const script of ['<script src="x.js"></script>', '<script type="module">b</script>',
        '<script type="text/plain">b</script>', '<script type="text/javascript" id="b">b</script>']) {
        assert.throws(() => seal(page(script)), /attributes/, script);
    }
    const sealed = policyOf(seal(page('<script type="application/octet-stream" id="b">b</script>')));
    assert.strictEqual(sealed.match(/sha256-/g).length, 1, 'the core\'s bytes never run: no hash');
});

test('the site: installable, kept for use offline, updated with the plan kept', async () => {
    const { page, server } = s;
    await page.goto(server.url);
    await page.locator('#keep-note').waitFor();  // what the browser answered when asked to keep the plans, said once
    assert.match(await page.locator('#keep-note').innerText(), /^Der Browser (behält|darf) die Pläne dieser Seite/);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await reload(page);
    assert.ok(await page.evaluate(() => !!navigator.serviceWorker.controller), 'a service worker controls the page');
    const cdp = await s.context.newCDPSession(page);
    assert.deepStrictEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);

    // a plan being edited, then no server and no network: a reload shows the page and computes the plan
    await field(page).fill('7');
    await page.waitForFunction(() => /=7/.test(location.hash));
    const kept = (await page.evaluate(() => caches.keys()))[0];
    const computed = await page.locator('#summary').innerText();  // the figures of the plan
    const network = (offline) => cdp.send('Network.emulateNetworkConditions', { offline, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
    server.down = true;
    await cdp.send('Network.enable');
    await network(true);
    await reload(page);
    assert.deepStrictEqual([await field(page).inputValue(), await page.locator('#summary').innerText()], ['7', computed]);
    await network(false);
    server.down = false;

    // a new build half uploaded (its worker beside the page before): the worker of the build before stays, the page
    // too; once all of it is there, one reload says so with the plan kept, the button brings the new page
    const [next, half] = ['next', 'half'].map((name) => path.join(scratch, name));
    build(next, 'Werkverbund 2');
    fs.cpSync(path.join(scratch, 'site'), half, { recursive: true });
    fs.copyFileSync(path.join(next, 'sw.js'), path.join(half, 'sw.js'));
    server.serve(half);
    await field(page).fill('8');
    await reload(page);
    assert.deepStrictEqual(await installed(page), ['redundant', [kept], 'Werkverbund']);
    await reload(page);
    assert.deepStrictEqual([await page.title(), await field(page).inputValue(), await page.isVisible('#update-note')],
        ['Werkverbund', '8', false]);
    server.serve(next);
    await reload(page);
    await page.locator('#update-note').getByText('Neue Version verfügbar').waitFor();
    await field(page).fill('9');
    await noticeAfter(page, () => page.click('#copy'));  // a notice of its own: later ones leave it
    assert.deepStrictEqual([await page.title(), await page.isVisible('#update-note')], ['Werkverbund', true]);
    await Promise.all([page.waitForEvent('load'), page.getByRole('button', { name: 'Neu laden' }).click()]);
    await started(page);
    assert.deepStrictEqual([await page.title(), await field(page).inputValue(), await said(page)], ['Werkverbund 2', '9', '']);

    // the kept page cut short, then kept as text: fetched again on the next load; kept wrong while the host serves
    // another page: that page opens
    const page2 = fs.readFileSync(path.join(next, 'index.html'), 'utf8');
    for (const [damage, type] of [[(t) => t.slice(0, t.length >> 1), 'text/html'], [(t) => t, 'text/plain']]) {
        await page.evaluate(async ([cut, type]) => {
            const cache = await caches.open((await caches.keys())[0]);
            await cache.put('./', new Response(cut, { headers: { 'Content-Type': type } }));
        }, [damage(page2), type]);
        await reload(page);
        assert.deepStrictEqual([await page.title(), await field(page).inputValue(), await keptPage(page)],
            ['Werkverbund 2', '9', [page2.length, 'text/html']], type);
    }
    const third = path.join(scratch, 'third');
    build(third, 'Werkverbund 3');
    fs.copyFileSync(path.join(next, 'sw.js'), path.join(third, 'sw.js'));
    server.serve(third);
    await page.evaluate(async () => (await caches.open((await caches.keys())[0])).put('./', new Response('kaputt')));
    await reload(page);
    assert.deepStrictEqual([await page.title(), await field(page).inputValue()], ['Werkverbund 3', '9']);
    server.serve(next);
});

// The site of the page with another title, as the build writes it.
function build(folder, title) {
    const page = path.join(scratch, 'page.html');
    fs.writeFileSync(page, fs.readFileSync(path.join(webBuild, 'werkverbund.html'), 'utf8').replace('<title>Werkverbund</title>',
        `<title>${title}</title>`));
    const made = spawnSync(process.execPath, [path.join(__dirname, '../build/site.js'), page, path.join(__dirname, '..'), folder]);
    assert.strictEqual(made.status, 0, String(made.stderr));
}

// The state the worker the browser found at the last load ends in, the kept builds, the page's title.
const installed = (page) => page.evaluate(async () => {
    const found = await navigator.serviceWorker.getRegistration();
    await found.update().catch(() => {});
    const worker = found.installing || found.waiting;
    const state = !worker ? 'none' : await new Promise((resolve) => {
        const done = () => /redundant|activated/.test(worker.state) && resolve(worker.state);
        worker.addEventListener('statechange', done);
        done();
    });
    return [state, await caches.keys(), document.title];
});

// The length and type of the page as the worker keeps it.
const keptPage = (page) => page.evaluate(async () => {
    const got = await (await caches.open((await caches.keys())[0])).match('./');
    return [(await got.text()).length, got.headers.get('Content-Type').split(';')[0]];
});

const copied = (page, button) => noticeAfter(page, () => page.click(button)).then(() => page.evaluate(() => navigator.clipboard.readText()));

test('links have the public address from a file; nothing, no plan or too much pasted; no page frames the site', async () => {
    const { page } = s;
    const copy = path.join(scratch, 'werkverbund.html');  // the file as built with a public address
    fs.writeFileSync(copy, fs.readFileSync(path.join(webBuild, 'werkverbund.html'), 'utf8').replace('<title>',
        '<meta name="werkverbund-site" content="https://a.example/spiel/">\n<title>'));
    const file = await s.context.newPage();
    await file.goto(pathToFileURL(copy).href);
    await started(file);
    await field(file).fill('4');
    assert.match(await copied(file, '#copy'), /^https:\/\/a\.example\/spiel\/#v=2&.*=4/);
    assert.match(await said(file), /öffentlichen Adresse https:\/\/a\.example\/spiel\//);
    await file.close();

    // codes and links pasted, right, cut and changed: player.test.mjs
    const stored = () => page.evaluate(() => Object.keys(localStorage).filter((k) => k.startsWith('werkverbund.plan.'))
        .sort().map((k) => localStorage.getItem(k)));
    const paste = (text) => noticeAfter(page, () => page.fill('#plan-paste', text).then(() => page.press('#plan-paste', 'Enter')));
    const before = await stored();
    // nothing, a code of nothing (its check sum right), a paste of 20 MB: each said, no plan changed
    // WV1-AABB2RL_: a code of the first version holding an empty address (method 0, length 0, their CRC-32)
    for (const [pasted, why] of [['', /Nichts eingefügt/], ['WV1-AABB2RL_', /enthält keinen Plan/],
        ['WV1-' + 'A'.repeat((20 << 20) - 4), /20480 KB lang und wird nicht gelesen: .* höchstens 64 KB/]]) {
        await page.evaluate((t) => navigator.clipboard.writeText(t), pasted);
        await (pasted ? noticeAfter(page, () => page.focus('#plan-paste').then(() => page.keyboard.press('Control+V')))
            : paste(pasted));
        assert.match(await said(page), why);
        assert.deepStrictEqual([await stored(), await page.locator('#plan-paste').inputValue().then((t) => t.length < 99)],
            [before, true]);
    }
    const framing = await s.context.newPage();  // the site's headers, kept by its worker, forbid any page to frame it
    await framing.setContent(`<iframe src="${s.server.url}"></iframe>`, { waitUntil: 'load' });
    assert.match(framing.frames()[1].url(), /^chrome-error:/);
    await framing.close();
});

// The QR code in sight, as a camera would see it: the screenshot read back by a decoder in a page of its own.
async function scanned(page) {
    const png = await page.locator('#qr-picture svg').screenshot();
    const blank = await s.context.newPage();
    const { data, width, height } = await blank.evaluate(async (url) => {
        const image = new Image();
        image.src = url;
        await image.decode();
        const canvas = Object.assign(document.createElement('canvas'), { width: image.width, height: image.height });
        const context = canvas.getContext('2d');
        context.drawImage(image, 0, 0);
        return { data: Array.from(context.getImageData(0, 0, image.width, image.height).data), width: image.width, height: image.height };
    }, 'data:image/png;base64,' + png.toString('base64'));
    await blank.close();
    return jsQR(Uint8ClampedArray.from(data), width, height)?.data;
}

test('the QR code holds the link "Link kopieren" copies and follows the plan', async () => {
    const { page } = s;
    await page.evaluate(() => {
        window.refused = [];
        document.addEventListener('securitypolicyviolation', (e) => window.refused.push(e.violatedDirective));
    });
    await page.fill('#plan-name', 'Ausbau am Tor');
    await field(page).fill('3');
    await page.click('#qr');
    const link = await copied(page, '#copy');
    assert.match(link, /#v=2&name=Ausbau%20am%20Tor&saleSkwM=3$/);
    assert.deepStrictEqual([await scanned(page), await page.locator('#qr-said').innerText(), await page.evaluate(() => window.refused)],
        [link, 'Der QR-Code enthält den Link mit der Adresse dieser Seite; gescannt öffnet er den Plan als neuen Plan.', []]);
    await field(page).fill('4');  // the code follows the plan
    assert.match(await scanned(page), /saleSkwM=4$/);
});
