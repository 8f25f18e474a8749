// The site folder served from 127.0.0.1 in headless Chromium with a profile of its own: the service worker controls
// the page after the first visit, Chromium finds nothing that keeps it from installing the page, offline a reload
// shows the page and computes the plan, a new build shows "Neue Version verfügbar" once after one reload and keeps
// the plan being edited; the policy refuses an injected inline script in the site and in the file; plan codes and
// links pasted into "Plan einfügen" open as new plans, a broken code changes no stored plan.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const crypto = require('node:crypto');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');
const { webBuild } = require('./support.js');
const { serve } = require('./serve.js');

const SITE = path.join(webBuild, 'site');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'werkverbund-site-'));
const session = { errors: [] };

const policyOf = (html) => /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/.exec(html)[1];

test.before(async () => {
    fs.cpSync(SITE, path.join(scratch, 'site'), { recursive: true });
    session.server = await serve(path.join(scratch, 'site'));
    session.context = await chromium.launchPersistentContext(path.join(scratch, 'profile'), {
        executablePath: process.env.WERKVERBUND_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
        permissions: ['clipboard-read', 'clipboard-write'],
    });
    session.page = session.context.pages()[0] || await session.context.newPage();
    session.page.on('pageerror', (e) => session.errors.push(String(e)));
});
test.after(async () => {
    if (session.context) await session.context.close();
    if (session.server) await session.server.close();
    fs.rmSync(scratch, { recursive: true, force: true });
    assert.deepStrictEqual(session.errors, [], 'errors of the page');
});

const started = (page) => page.waitForFunction(() => window.werkverbund && window.werkverbund.timing.firstResults !== null);
const summary = (page) => page.locator('#summary').innerText();
const field = (page) => page.locator('#form input:not([type])').first();

test('the policy of the file and of the site allows each inline script by its hash and nothing else', () => {
    for (const file of [path.join(webBuild, 'werkverbund.html'), path.join(SITE, 'index.html')]) {
        const html = fs.readFileSync(file, 'utf8');
        const scripts = [...html.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((m) =>
            `'sha256-${crypto.createHash('sha256').update(m[1]).digest('base64')}'`);
        const scriptSrc = /script-src ([^;]*)/.exec(policyOf(html))[1].split(' ');
        assert.deepStrictEqual(scriptSrc, [...scripts, "'wasm-unsafe-eval'"], file);
        assert.match(policyOf(html), /^default-src 'none'; /);
    }
    const site = fs.readFileSync(path.join(SITE, 'index.html'), 'utf8');
    assert.match(fs.readFileSync(path.join(SITE, '_headers'), 'utf8'),
        new RegExp(`^/\\*\\n {2}Content-Security-Policy: ${policyOf(site).replace(/[+/*]/g, '\\$&')}\\n`));
    // the site's address goes in only as an http(s) address, and a page the policy would break stops the build
    const { seal } = require('../policy.js');
    const page = fs.readFileSync(path.join(webBuild, 'werkverbund.html'), 'utf8');
    assert.match(seal(page, 'https://werkverbund.example/a"b'), /<meta name="werkverbund-site" content="https:\/\/werkverbund.example\/a%22b">/);
    assert.throws(() => seal(page, 'ftp://werkverbund.example/'), /not http/);
    assert.throws(() => seal(page.replace('<form id="form"', '<form id="form" onsubmit="return false"'), ''), /would block/);
    assert.throws(() => seal(page.replace('<a class="skip" href="#ergebnisse"', '<a class="skip" href="javascript:go()"'), ''), /would block/);
    const size = fs.readdirSync(SITE).reduce((n, f) => n + fs.statSync(path.join(SITE, f)).size, 0);
    assert.ok(size <= 300 * 1024, `the site folder holds ${size} bytes`);
});

test('the site: installable, kept for use offline, updated with the plan kept', async () => {
    const { page, server } = session;
    await page.goto(server.url);
    await started(page);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await started(page);
    assert.ok(await page.evaluate(() => !!navigator.serviceWorker.controller), 'a service worker controls the page');

    const cdp = await session.context.newCDPSession(page);
    assert.deepStrictEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    const manifest = JSON.parse(fs.readFileSync(path.join(SITE, 'manifest.webmanifest'), 'utf8'));
    assert.deepStrictEqual([manifest.lang, manifest.display, manifest.icons.filter((i) => i.purpose === 'maskable')
        .map((i) => i.sizes)], ['de', 'standalone', ['192x192', '512x512']]);

    // a plan being edited, then no network: a reload shows the page and computes the plan
    await field(page).fill('7');
    await page.waitForFunction(() => /=7/.test(location.hash));
    const computed = await summary(page);
    server.down = true;
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
    await page.reload();
    await started(page);
    assert.deepStrictEqual([await field(page).inputValue(), await summary(page)], ['7', computed]);
    await cdp.send('Network.emulateNetworkConditions', { offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
    server.down = false;

    // a new build is published: one reload says so, the plan is kept, the button brings the new page
    const next = path.join(scratch, 'next');
    fs.cpSync(path.join(scratch, 'site'), next, { recursive: true });
    const edit = (file, from, to) => fs.writeFileSync(path.join(next, file),
        fs.readFileSync(path.join(next, file), 'utf8').replace(from, to));
    edit('index.html', '<title>Werkverbund</title>', '<title>Werkverbund 2</title>');
    edit('sw.js', /const VERSION = '\w+'/, "const VERSION = 'next'");
    server.serve(next);
    await field(page).fill('8');
    await page.reload();
    await started(page);
    const notice = page.locator('#notice');
    await notice.getByText('Neue Version verfügbar').waitFor();
    assert.deepStrictEqual([await page.title(), await field(page).inputValue()], ['Werkverbund', '8']);
    await Promise.all([page.waitForEvent('load'), notice.getByRole('button', { name: 'Neu laden' }).click()]);
    await started(page);
    assert.deepStrictEqual([await page.title(), await field(page).inputValue()], ['Werkverbund 2', '8']);
    assert.doesNotMatch(await notice.innerText(), /Neue Version/);
    await cdp.detach();
});

// An inline script added to the page is not run, and the policy reports it.
async function assertRefused(page) {
    const said = await page.evaluate(() => new Promise((resolve) => {
        document.addEventListener('securitypolicyviolation', (e) => resolve(e.effectiveDirective), { once: true });
        setTimeout(() => resolve('no violation'), 2000);
        const script = document.createElement('script');
        script.textContent = 'window.injected = true;';
        document.head.appendChild(script);
    }));
    assert.deepStrictEqual([said, await page.evaluate(() => window.injected)], ['script-src-elem', undefined]);
}

// The site's page, where an earlier test left it or opened anew.
async function sitePage() {
    if (!session.page.url().startsWith(session.server.url)) await session.page.goto(session.server.url);
    await started(session.page);
    return session.page;
}

test('an injected inline script is refused, in the site and in the file; a link from the file has the public address', async () => {
    await assertRefused(await sitePage());
    // the file as built with a public address: "Link kopieren" gives that address, and says so
    const copy = path.join(scratch, 'werkverbund.html');
    fs.writeFileSync(copy, fs.readFileSync(path.join(webBuild, 'werkverbund.html'), 'utf8').replace('<title>',
        '<meta name="werkverbund-site" content="https://werkverbund.example/spiel/">\n<title>'));
    const file = await session.context.newPage();
    file.on('pageerror', (e) => session.errors.push(String(e)));
    await file.goto(pathToFileURL(copy).href);
    await started(file);
    await assertRefused(file);
    await field(file).fill('4');
    await file.click('#copy');
    await file.waitForFunction(() => document.getElementById('notice').textContent !== '');
    const link = await file.locator('#notice input').count() ? await file.locator('#notice input').inputValue()
        : await file.evaluate(() => navigator.clipboard.readText());
    assert.match(link, /^https:\/\/werkverbund\.example\/spiel\/#v=2&.*=4/);
    assert.match(await file.locator('#notice').innerText(), /öffentlichen Adresse https:\/\/werkverbund\.example\/spiel\//);
    await file.close();
});

test('plan codes and links pasted open as new plans; a broken code is said and changes nothing', async () => {
    const page = await sitePage();
    const stored = () => page.evaluate(() => Object.keys(localStorage).filter((k) => k.startsWith('werkverbund.plan.'))
        .sort().map((k) => localStorage.getItem(k)));
    await field(page).fill('5');
    await page.click('#copy-code');
    const code = await page.evaluate(() => navigator.clipboard.readText());
    assert.match(code, /^WV1-/);
    await page.click('#copy');
    const link = await page.evaluate(() => navigator.clipboard.readText());
    assert.match(await page.locator('#notice').innerText(), /Adresse dieser Seite/);
    await field(page).fill('6');
    await page.waitForTimeout(400);  // the change is written once the typing pauses

    let before = await stored();
    for (const broken of [code.slice(0, -2), code.slice(0, 9) + (code[9] === 'x' ? 'y' : 'x') + code.slice(10), 'Hallo']) {
        await page.fill('#plan-paste', broken);
        await page.press('#plan-paste', 'Enter');
        await page.waitForFunction(() => document.querySelector('#notice.bad'));
        assert.match(await page.locator('#notice').innerText(), /unvollständig|verändert|weder/);
        assert.deepStrictEqual(await stored(), before, `${broken} changed a stored plan`);
    }
    // the code adds its plan beside the others; the link to the same plan goes to it
    for (const [pasted, said, added] of [[code, 'als neuer Plan', 1], [link, 'gibt es hier schon', 0]]) {
        await page.fill('#plan-paste', pasted);
        await page.press('#plan-paste', 'Enter');
        await page.locator('#notice').getByText(said).waitFor();
        assert.strictEqual(await field(page).inputValue(), '5');
        const now = await stored();
        assert.deepStrictEqual([now.length, before.filter((p) => !now.includes(p))], [before.length + added, []]);
        before = now;
    }
});
