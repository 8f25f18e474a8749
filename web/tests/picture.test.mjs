// The chain and the tables as pictures, opened as an image viewer would, and "Teilen" on a phone with a share sheet.
import test from 'node:test';
import assert from 'node:assert';
import { session, PHONE, openPage, close, tab, download, copiedLink, fullest } from './browser.js';

const NAME = 'Großer Komplex';
const dataUrl = (bytes, type) => `data:${type};base64,${Buffer.from(bytes).toString('base64')}`;

// The pictures decoded in a page of their own (the page's policy allows it no image): each one's size, and the
// largest difference of a 16 px square's mean brightness (0 to 255) between the first two: the second drawn as wide
// as the first, or both as they are in their top rows given.
async function decoded(urls, rows) {
    const blank = await session.browser.newPage();
    const got = await blank.evaluate(async ([urls, rows]) => {
        const images = await Promise.all(urls.map((src) => new Promise((resolve, reject) => {
            const image = new Image();
            Object.assign(image, { onload: () => resolve(image), onerror: reject, src });
        })));
        const [w, h] = rows ? [Math.min(...images.map((i) => i.naturalWidth)), rows]
            : [images[0].naturalWidth, images[0].naturalHeight];
        const pixels = (image) => {
            const c = Object.assign(document.createElement('canvas'), { width: w, height: h }).getContext('2d');
            const scale = rows ? 1 : w / image.naturalWidth;
            c.drawImage(image, 0, 0, image.naturalWidth * scale, image.naturalHeight * scale);
            return c.getImageData(0, 0, w, h).data;
        };
        const [a, b] = images.slice(0, 2).map(pixels);
        let worst = 0;
        for (let y0 = 0; y0 + 16 <= h; y0 += 16) {
            for (let x0 = 0; x0 + 16 <= w; x0 += 16) {
                let d = 0;
                for (let y = y0; y < y0 + 16; y++) for (let i = (y * w + x0) * 4; i < (y * w + x0 + 16) * 4; i++) d += a[i] - b[i];
                worst = Math.max(worst, Math.abs(d) / 16 / 16 / 4);
            }
        }
        return { sizes: images.map((i) => [i.naturalWidth, i.naturalHeight]), worst, corner: [...a.slice(0, 4)] };
    }, [urls, rows]);
    await blank.close();
    return got;
}

test('pictures in the dark: the chain as PNG and SVG, the tables as PNG, named after the plan, on light paper', async () => {
    const page = await openPage(fullest(), { colorScheme: 'dark' });
    const tables = await download(page, '#tables-png', 'Übersicht');
    const [png, svg] = [await download(page, '#chain-png', 'Kette'), await download(page, '#chain-svg', 'Kette')];
    assert.deepStrictEqual([tables.name, png.name, svg.name],
        [`${NAME}.ergebnisse.png`, `${NAME}.kette.png`, `${NAME}.kette.svg`]);
    const text = svg.bytes.toString('utf8');
    const [, width, height] = /^<svg xmlns="http:\/\/www.w3.org\/2000\/svg" class="chain" width="(\d+)" height="(\d+)"/
        .exec(text).map(Number);
    assert.ok(text.includes(`>Werkverbund · Plan „${NAME}“</text>`) && /Stand: \d+\. \w+ 20\d\d, \d\d:\d\d Uhr</.test(text)
        && text.includes('>Boron Kristallfabriken</text>') && !/tabindex|data-id/.test(text), 'the SVG\'s texts');
    // the PNG is the SVG's picture at twice its size: the SVG holds the plan's name as text, drawn its own way
    const chain = await decoded([dataUrl(png.bytes, 'image/png'), dataUrl(svg.bytes, 'image/svg+xml')]);
    assert.deepStrictEqual(chain.sizes, [[2 * width, 2 * height], [width, height]]);
    assert.ok(chain.worst < 16 && chain.corner.join() === '255,255,255,255', `PNG against SVG: ${JSON.stringify(chain)}`);
    // the tables' picture heads them with the same name (its first 60 rows: the name's line) on the same paper
    const heads = await decoded([dataUrl(tables.bytes, 'image/png'), dataUrl(png.bytes, 'image/png')], 60);
    assert.ok(heads.worst === 0 && heads.corner.join() === '255,255,255,255' && heads.sizes[0][1] > 1000, JSON.stringify(heads));
    await close(page);
});

// The share sheet stubbed: what it is handed is kept, its files read back as data URLs.
function shareSheet() {
    window.shared = [];
    navigator.canShare = (data) => !window.noFiles && data.files.every((f) => f.type === 'image/png');
    navigator.share = async (data) => {
        const files = await Promise.all((data.files || []).map((f) => new Promise((resolve) => {
            const reader = new FileReader();
            reader.onload = () => resolve({ name: f.name, url: reader.result });
            reader.readAsDataURL(f);
        })));
        window.shared.push({ title: data.title, url: data.url, files });
    };
}

test('a phone with a share sheet: "Teilen" gives the copied link and the picture in sight', async () => {
    const page = await openPage(fullest(), { viewport: PHONE, init: shareSheet });
    const link = await copiedLink(page);
    const shared = async () => {
        const n = await page.evaluate(() => window.shared.length);
        await page.getByRole('button', { name: 'Teilen' }).click();
        await page.waitForFunction((n) => window.shared.length > n, n);
        return page.evaluate(() => window.shared[window.shared.length - 1]);
    };
    const tables = await shared();
    assert.deepStrictEqual([tables.title, tables.url, tables.files.map((f) => f.name)],
        [`Werkverbund · Plan „${NAME}“`, link, [`${NAME}.ergebnisse.png`]]);
    await tab(page, 'Kette');
    const chain = await shared();
    assert.deepStrictEqual(chain.files.map((f) => f.name), [`${NAME}.kette.png`]);
    const pictures = await decoded(chain.files.concat(tables.files).map((f) => f.url), 60);
    assert.ok(pictures.worst === 0 && pictures.sizes[0][0] > 2000, `the chain's picture: ${JSON.stringify(pictures)}`);
    await page.evaluate(() => { window.noFiles = true; });
    assert.deepStrictEqual(await shared(), { title: tables.title, url: link, files: [] }, 'the link alone');
    await close(page);
});
