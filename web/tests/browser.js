// What the browser tests share: the page in a context of its own, axe-core, console text, downloads, the copied link.
// Its hooks start and close Chromium and fail the file on any request leaving the machine or any error of the page.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');
const { webBuild, loadRunner, CHROMIUM, started, reload, noticeAfter } = require('./support.js');

const PAGE_URL = pathToFileURL(path.join(webBuild, 'werkverbund.html')).href;
const LOCAL = /^(file|data|blob):/;
const AXE = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const PHONE = { width: 390, height: 844 };
const DESKTOP = { width: 1280, height: 900 };
const [blocked, pageErrors] = [[], []];
const session = {};  // browser, runner and the core's tables, once the tests start

test.before(async () => {
    session.runner = await loadRunner();
    session.tables = session.runner.tables();
    session.browser = await chromium.launch(CHROMIUM);
});
test.after(async () => {
    if (session.browser) await session.browser.close();
    assert.deepStrictEqual(blocked, [], 'requests that would leave the machine');
    assert.deepStrictEqual(pageErrors, [], 'errors of the page');
});

// The page at hash, in a new browser context (init: run before the page's scripts), or in the given one (another tab
// of the same browser).
async function openPage(hash = '', { viewport = DESKTOP, colorScheme = 'light', context, init } = {}) {
    if (!context) {
        context = await session.browser.newContext({ acceptDownloads: true, viewport, colorScheme });
        if (init) await context.addInitScript(init);
        await context.setOffline(true);  // every request fails; the request event still tells of it
        context.on('request', (r) => { if (!LOCAL.test(r.url())) blocked.push(r.url()); });
    }
    const page = await context.newPage();
    page.on('pageerror', (e) => pageErrors.push(String(e)));
    await page.goto(PAGE_URL + hash);
    await started(page);
    return page;
}

const close = (...pages) => Promise.all(pages.map((p) => p.context().close()));

// No axe-core violation in the page as it stands; axe goes in as the test's evaluation (the policy refuses scripts).
async function assertAccessible(page, state) {
    if (!await page.evaluate(() => !!window.axe)) await page.evaluate(AXE);
    const violations = await page.evaluate(async () => (await window.axe.run(document)).violations.map(
        (v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
    assert.deepStrictEqual(violations, [], `axe-core in the state "${state}"`);
}

const tab = (page, name) => page.getByRole('tab', { name, exact: true }).click();
const text = (page, selector) => page.locator(selector).innerText();

// The console text, as the Konsolenausgabe tab shows it.
const transcript = (page) => page.click('#t-console').then(() => page.locator('#transcript').evaluate((e) => e.textContent));

// A download started by a click on selector in the given tab: its name and bytes.
async function download(page, selector, where = 'Dateien') {
    await tab(page, where);
    const [file] = await Promise.all([page.waitForEvent('download'), page.locator(selector).click()]);
    return { name: file.suggestedFilename(), bytes: fs.readFileSync(await file.path()) };
}
const goTo = (page, hash) => page.goto(PAGE_URL + hash).then(() => started(page));
const fileOf = async (page, name) => (await download(page, `#downloads a[download="${name}"]`)).bytes;

// The plan in the address, once the page has put it there.
const planAddress = (page) => page.waitForFunction(() => location.hash.length > 1)
    .then(() => page.waitForTimeout(100)).then(() => page.evaluate(() => location.hash));

// The link the plan bar's button copies: from the clipboard, or from the box shown where there is none.
async function copiedLink(page) {
    await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
    await noticeAfter(page, () => page.locator('#copy').click());
    return await page.locator('#notice input').count()
        ? page.locator('#notice input').inputValue() : page.evaluate(() => navigator.clipboard.readText());
}

const planNames = (page) => page.locator('#plan-list option').allInnerTexts();
const values = (page, ...selectors) => Promise.all(selectors.map((s) => page.locator(s).inputValue()));
const noticeSays = (page, pattern) => page.waitForFunction((p) => new RegExp(p).test(document.getElementById('notice').textContent),
    pattern.source || pattern);
// The fullest plan: every option, every field of -xl -or, a name.
const fullest = () => ['#v=2&h&br&xl&or=j&dat=j&es&opt&m&name=Gro%C3%9Fer%20Komplex&crystalRace=b'].concat(session.tables.questions
    .filter((q) => q.kind !== 'letter' && q.when !== 'm').map((q, i) => `${q.key}=${1 + (i * 7) % 5}`)).join('&');

const fieldId = (key) => '#f-' + key.replace(/\W/g, '-');

module.exports = { session, PAGE_URL, PHONE, DESKTOP, openPage, goTo, started, reload, close, assertAccessible, tab, text,
    transcript, download, fileOf, planAddress, copiedLink, fieldId, planNames, values, noticeSays, fullest };
