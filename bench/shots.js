// Screenshots of the page for a maintainer to look at after a change of its looks: the plan with every option on a
// desktop, on a 390 pixel phone, dark and printed (also as a PDF), its chain on a desktop, on a dark phone and printed
// (as a PDF), the pictures "Als Bild speichern" saves, every "Warum?" open, the comparison and the printed checklist.
// Not part of CI: the tests check what can be checked.
//   node bench/shots.js [PAGE]   (default build-web/werkverbund.html; CHROME_PATH: Chromium)
// Writes the PNGs, PDFs and pictures into the page's folder.
'use strict';
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require('../web/tests/node_modules/playwright-core');
const { CHROMIUM, FULL_PLAN } = require('../web/tests/support.js');

const file = path.resolve(process.argv[2] || path.join(__dirname, '../build-web/werkverbund.html'));
const PHONE = { width: 390, height: 844 };
const DESKTOP = { width: 1280, height: 900 };
// name, then the page's settings: viewport, colour scheme, the tab to show, print media, the whole page
const SHOTS = [['werkverbund-screenshot', {}], ['werkverbund-phone', { viewport: PHONE, whole: true }],
    ['werkverbund-dark', { dark: true }], ['werkverbund-dark-phone', { viewport: PHONE, dark: true }],
    ['werkverbund-print', { print: true, whole: true }], ['chain-desktop', { tab: '#t-chain' }],
    ['chain-phone-dark', { viewport: PHONE, dark: true, tab: '#t-chain' }], ['chain-print', { tab: '#t-chain', print: true }],
    ['planner-why', { why: true, whole: true }], ['planner-compare', { tab: '#t-compare' }], ['planner-print-checklist', { tab: '#t-built', print: true, whole: true }]];

async function main() {
    const browser = await chromium.launch({ ...CHROMIUM, executablePath: process.env.CHROME_PATH || CHROMIUM.executablePath });
    for (const [name, { viewport = DESKTOP, dark, tab, print, why, whole }] of SHOTS) {
        const page = await browser.newPage({ viewport, colorScheme: dark ? 'dark' : 'light' });
        await page.goto(pathToFileURL(file).href + FULL_PLAN);
        await page.waitForFunction(() => window.werkverbund && window.werkverbund.timing.firstResults !== null);
        if (tab === '#t-compare') await page.click('#plan-copy').then(() => page.fill('#f-WF-A', '7'));  // B differs
        if (tab) await page.click(tab);
        if (why) for (const button of await page.locator('#results button.why').all()) await button.click();
        if (print) await page.emulateMedia({ media: 'print', colorScheme: 'light' });
        // a box far below the screen is laid out when it comes near; the whole page as a player scrolling sees it
        if (whole) await page.addStyleTag({ content: '* { content-visibility: visible !important; }' });
        await page.screenshot({ path: path.join(path.dirname(file), name + '.png'), fullPage: !!whole });
        if (/-print$/.test(name)) await page.pdf({ path: path.join(path.dirname(file), name + '.pdf'), preferCSSPageSize: true });
        if (name === 'chain-desktop') {
            for (const [pictureTab, button] of [['#t-chain', '#chain-png'], ['#t-chain', '#chain-svg'], ['#t-tables', '#tables-png']]) {
                await page.click(pictureTab);
                const [picture] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
                await picture.saveAs(path.join(path.dirname(file), 'picture-' + picture.suggestedFilename()));
            }
        }
        await page.close();
    }
    await browser.close();
}

main().catch((e) => {
    process.stderr.write(String(e.stack || e) + '\n');
    process.exitCode = 1;
});
