// The site's icons, drawn at build time from web/icon.svg: a small rasterizer of the few SVG shapes the icon uses
// (rect with rounded corners, polygon, circle, each filled with one #rrggbb colour), writing PNGs with node's zlib.
// The maskable icon is the same drawing with its background filling the whole square, its corners uncut; the shapes
// on it must lie in the circle a mask always keeps (40% of the size around the centre), or the build stops.
import zlib from 'node:zlib';

const ROWS = 5;  // samples per pixel row; across a row each span's cover is exact

function attributes(tag) {
    const found = {};
    for (const m of tag.matchAll(/([a-z-]+)="([^"]*)"/g)) found[m[1]] = m[2];
    return found;
}

// The shapes as outlines (lists of points) with their colour, in the drawing's units; the first is the background.
function shapesOf(svg) {
    const box = /viewBox="0 0 ([\d.]+) ([\d.]+)"/.exec(svg);
    if (!box || box[1] !== box[2]) throw new Error('icon.svg needs a square viewBox="0 0 N N"');
    const shapes = [];
    for (const [tag, name] of svg.matchAll(/<(\w+)\b[^>]*>/g)) {
        if (name === 'svg') continue;
        const a = attributes(tag), n = (k) => Number(a[k] || 0);
        if (!/^#[0-9a-f]{6}$/i.test(a.fill || '')) throw new Error(`icon.svg: <${name}> needs fill="#rrggbb"`);
        const colour = [1, 3, 5].map((i) => parseInt(a.fill.slice(i, i + 2), 16) / 255);
        if (name === 'polygon') {
            const xy = a.points.trim().split(/[\s,]+/).map(Number);
            shapes.push({ colour, points: xy.filter((v, i) => i % 2 === 0).map((x, i) => [x, xy[2 * i + 1]]) });
        } else if (name === 'rect') {
            shapes.push({ colour, rect: [n('x'), n('y'), n('width'), n('height'), n('rx')] });
        } else if (name === 'circle') {
            shapes.push({ colour, circle: [n('cx'), n('cy'), n('r')] });
        } else {
            throw new Error(`icon.svg: <${name}> is not drawn; use rect, polygon or circle`);
        }
    }
    return { size: Number(box[1]), shapes };
}

// An arc as points, fine enough that no facet shows at the drawn size.
function arc(cx, cy, r, from, to, scale) {
    const steps = Math.max(4, Math.ceil(Math.abs(to - from) * r * scale / 2));
    return Array.from({ length: steps + 1 }, (_, i) => {
        const t = from + (to - from) * i / steps;
        return [cx + r * Math.cos(t), cy + r * Math.sin(t)];
    });
}

function outline(shape, scale) {
    if (shape.points) return shape.points;
    if (shape.circle) return arc(...shape.circle, 0, 2 * Math.PI, scale);
    const [x, y, w, h, rx] = shape.rect, r = Math.min(rx, w / 2, h / 2), q = Math.PI / 2;
    if (!r) return [[x, y], [x + w, y], [x + w, y + h], [x, y + h]];
    return [...arc(x + w - r, y + r, r, -q, 0, scale), ...arc(x + w - r, y + h - r, r, 0, q, scale),
        ...arc(x + r, y + h - r, r, q, 2 * q, scale), ...arc(x + r, y + r, r, 2 * q, 3 * q, scale)];
}

// How much of each pixel the polygon (in pixels, nonzero winding) covers, from 0 to 1.
function coverage(points, size) {
    const cover = new Float32Array(size * size);
    const edges = points.map((p, i) => [p, points[(i + 1) % points.length]]).filter(([p, q]) => p[1] !== q[1]);
    for (let py = 0; py < size; py++) {
        for (let s = 0; s < ROWS; s++) {
            const y = py + (s + 0.5) / ROWS;
            const crossings = [];
            for (const [p, q] of edges) {
                if ((y < p[1]) === (y < q[1])) continue;
                crossings.push([p[0] + (y - p[1]) * (q[0] - p[0]) / (q[1] - p[1]), q[1] > p[1] ? 1 : -1]);
            }
            crossings.sort((a, b) => a[0] - b[0]);
            let winding = 0;
            for (let i = 0; i < crossings.length - 1; i++) {
                winding += crossings[i][1];
                if (winding) span(cover, py * size, size, crossings[i][0], crossings[i + 1][0]);
            }
        }
    }
    return cover;
}

function span(cover, row, size, x0, x1) {
    x0 = Math.max(0, x0);
    x1 = Math.min(size, x1);
    for (let x = Math.floor(x0); x < x1; x++) {
        cover[row + x] += (Math.min(x + 1, x1) - Math.max(x, x0)) / ROWS;
    }
}

// One chunk of a PNG: length, type, data, CRC-32 of type and data.
function chunk(type, data) {
    const head = Buffer.alloc(8);
    head.writeUInt32BE(data.length, 0);
    head.write(type, 4, 'latin1');
    const tail = Buffer.alloc(4);
    tail.writeUInt32BE(zlib.crc32(Buffer.concat([head.subarray(4), data])), 0);
    return Buffer.concat([head, data, tail]);
}

function png(rgba, size) {
    const header = Buffer.alloc(13);
    header.writeUInt32BE(size, 0);
    header.writeUInt32BE(size, 4);
    header.set([8, 6, 0, 0, 0], 8);  // 8 bits, RGBA, deflate, no interlace
    const raw = Buffer.alloc(size * (4 * size + 1));
    for (let y = 0; y < size; y++) {
        const at = y * (4 * size + 1);
        raw[at] = 2;  // each row as its difference from the row above: flat colours pack well
        for (let x = 0; x < 4 * size; x++) raw[at + 1 + x] = (rgba[y * 4 * size + x] - (y ? rgba[(y - 1) * 4 * size + x] : 0)) & 255;
    }
    return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
        chunk('IDAT', zlib.deflateSync(raw, { level: 9 })), chunk('IEND', Buffer.alloc(0))]);
}

// The icon as a PNG of size × size pixels.
export function render(svg, size, maskable) {
    const drawing = shapesOf(svg), scale = size / drawing.size;
    const colour = new Float32Array(size * size * 3), alpha = new Float32Array(size * size);
    drawing.shapes.forEach((shape, i) => {
        let points = outline(shape, scale);
        if (maskable && i === 0) points = [[0, 0], [drawing.size, 0], [drawing.size, drawing.size], [0, drawing.size]];
        if (maskable && i > 0) {
            const c = drawing.size / 2;
            if (points.some(([x, y]) => Math.hypot(x - c, y - c) > 0.4 * drawing.size)) {
                throw new Error('icon.svg: a shape reaches beyond the circle a maskable icon keeps');
            }
        }
        const cover = coverage(points.map(([x, y]) => [x * scale, y * scale]), size);
        for (let p = 0; p < cover.length; p++) {
            const a = Math.min(1, cover[p]);
            if (!a) continue;
            for (let k = 0; k < 3; k++) colour[3 * p + k] = shape.colour[k] * a + colour[3 * p + k] * (1 - a);
            alpha[p] = a + alpha[p] * (1 - a);
        }
    });
    // the colours were mixed as if over black: divided by the cover they are the colours themselves
    const rgba = new Uint8Array(size * size * 4);
    for (let p = 0; p < alpha.length; p++) {
        for (let k = 0; k < 3; k++) rgba[4 * p + k] = alpha[p] ? Math.round(255 * colour[3 * p + k] / alpha[p]) : 0;
        rgba[4 * p + 3] = Math.round(255 * alpha[p]);
    }
    return png(rgba, size);
}
