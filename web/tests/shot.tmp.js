const { chromium } = require('playwright-core');
const path = require('path');
const { CHROMIUM } = require('./support.js');
(async () => {
  const b = await chromium.launch(CHROMIUM);
  for (const [name, viewport, colorScheme] of [['desk', { width: 1366, height: 900 }, 'light'], ['phone', { width: 390, height: 844 }, 'dark']]) {
    const ctx = await b.newContext({ viewport, colorScheme });
    const p = await ctx.newPage();
    p.on('pageerror', e => console.log('ERR', String(e)));
    const url = 'file://' + path.resolve(__dirname, '../../build-web/werkverbund.html');
    await p.goto(url + '#v=2&name=Sektor%20A&xl&saleSkwL=1&WF.A=3&OF.B=2&KXL=1&crystalRace=b');
    await p.waitForFunction(() => window.werkverbund?.timing.firstResults != null);
    await p.goto(url + '#v=2&name=Sektor%20B&xl&EAXL=2&WF.A=2&GKF=1&crystalRace=b');
    await p.waitForTimeout(300);
    await p.click('#t-together');
    await p.waitForTimeout(300);
    await p.locator('#p-together').screenshot({ path: `/tmp/shots/together-${name}.png` });
    await p.click('#qr');
    await p.waitForTimeout(200);
    await p.screenshot({ path: `/tmp/shots/qr-${name}.png` });
    await p.emulateMedia({ media: 'print' });
    await p.screenshot({ path: `/tmp/shots/print-${name}.png`, fullPage: true, clip: { x: 0, y: 0, width: viewport.width, height: 1600 } });
    await ctx.close();
  }
  await b.close();
})();
