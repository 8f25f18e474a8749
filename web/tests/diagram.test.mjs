// The chain layout on random complexes of the sizes the page meets, with a fake measure (real fonts: chain.test.mjs).
import test from 'node:test';
import assert from 'node:assert';
import { generator, overlap } from './support.js';
import { layoutChain } from '../record/layout.js';

const WIDTH = { title: 8, line: 7, label: 6.5, column: 8 };   // px per character
const measure = (text, kind) => text.length * WIDTH[kind];
const KINDS = ['energy', 'crystals', 'food', 'ore', 'silicon'];

// Up to 20 sale factories, up to 14 food chains, 0 to 3 of the other kinds; half the lines go to one supplier.
function randomModel(seed) {
    const rand = generator(seed).int, list = (length, f) => Array.from({ length }, f);
    const text = (n) => list(n, () => ['Argonen', 'Nahrung', 'Erz 150', 'XL 1 · M 2', 'Größe', 'S'][rand(6)]).join(' ');
    const columns = list(2 + rand(5), () => ({ title: text(1 + rand(2)) }));
    const nodes = columns.flatMap((c, k) => list(k ? rand(6) && 1 + rand(k === 3 ? 14 : 3) : 1 + rand(20), () => ({
        column: k, title: text(1 + rand(3)), lines: list(rand(5), () => text(1 + rand(4))),
        mark: ['', '-', 'S', 'F'][rand(4)], tone: rand(8) ? '' : 'bad' })));
    nodes.forEach((n) => { n.titleLines = list(1 + rand(2), (_, i) => (i ? text(1 + rand(2)) : n.title)); });  // wrapped
    nodes.forEach((n, i) => { n.id = `n${i}`; });
    const seen = new Set();  // one line of a kind from one box to another
    const edges = nodes.flatMap((from) => {
        const right = nodes.filter((n) => n.column > from.column);
        return list(right.length && (from.column === 0 || rand(2)) && 1 + rand(4), () => ({
            from: from.id, to: right[rand(2) && rand(right.length)].id, label: `${rand(1e5)} ${text(1 + rand(2))}`,
            kind: KINDS[rand(3) && rand(5)], tone: rand(8) ? '' : 'bad' }));
    }).filter((e) => !seen.has(e.from + e.to + e.kind) && seen.add(e.from + e.to + e.kind));
    return { title: 'Kette', description: 'Zum Verkauf', columns, nodes, edges };
}

// The straight pieces of a path as rectangles, without its arrow head.
function piecesOf(d) {
    const parts = d.match(/^M[^m]*/)[0].match(/[HV]?-?[\d.]+/g).map((p) => [p[0], Number(p.replace(/^[HV]/, ''))]);
    let [x, y] = [parts[0][1], parts[1][1]];
    return parts.slice(2).map(([c, v]) => {
        const [x0, y0] = [x, y];
        if (c === 'H') x = v; else y = v;
        const [w, h] = [Math.abs(x - x0) || 1e-9, Math.abs(y - y0) || 1e-9];   // a line is thin, not empty
        return { x: Math.min(x0, x), y: Math.min(y0, y), w, h, start: [x0, y0], end: [x, y] };
    });
}

const name = (r) => r.id || r.text || r.title;

function checkLayout(model, seed) {
    const chart = layoutChain(model, measure), box = {};
    const ok = (fact, what) => assert.ok(fact, `seed ${seed}: ${what}`);
    const inside = (r) => r.x >= 0 && r.y >= 0 && r.x + r.w <= chart.width && r.y + r.h <= chart.height;
    assert.deepStrictEqual(chart.boxes.map((b) => b.id), model.nodes.map((n) => n.id), `seed ${seed}: every node once`);
    const solid = chart.boxes.concat(chart.labels), things = solid.concat(chart.columns);
    things.forEach((a, i) => {
        ok(inside(a), `${name(a)} inside`);
        things.slice(0, i).forEach((b) => ok(!overlap(a, b), `${name(a)} overlaps ${name(b)}`));
    });
    model.nodes.forEach((n, i) => {
        const b = box[n.id] = chart.boxes[i];
        const texts = n.lines.map((l) => [l, 'line']).concat(n.titleLines.map((t, k) => [k ? t : t + n.mark, 'title']));
        ok(b.h >= 17 * texts.length && texts.every(([t, k]) => b.w >= measure(t, k) + 8), `${n.id} holds its text`);
        const above = chart.boxes.filter((o, j) => j < i && model.nodes[j].column === n.column);
        ok(b.x === chart.columns[n.column].x && above.every((o) => o.y < b.y), `${n.id} in place`);
    });
    const lines = chart.paths.map((p, i) => {
        const [e, label, pieces] = [model.edges[i], chart.labels[i], piecesOf(p.d)];
        const [from, to, start, end] = [box[e.from], box[e.to], pieces[0].start, pieces[pieces.length - 1].end];
        const across = (r, y) => y > r.y && y < r.y + r.h;
        ok(start[0] === from.x + from.w && across(from, start[1]), `edge ${i} leaves ${e.from}`);
        ok(end[0] === to.x && across(to, end[1]) && p.d.endsWith('m-7 -4l7 4l-7 4'), `edge ${i} points at ${e.to}`);
        ok(label.text === e.label && label.w >= measure(e.label, 'label') + 4 && label.h >= 14, `label ${i} fits`);
        ok(pieces[0].h < 1 && start[1] === label.y + label.h / 2 && start[0] <= label.x
            && pieces[0].x + pieces[0].w >= label.x + label.w, `label ${i} on its line`);
        pieces.forEach((s) => {
            ok(inside(s), `edge ${i} inside`);
            solid.forEach((r) => ok(r === label || !overlap(s, r), `edge ${i} runs through ${name(r)}`));
        });
        return pieces;
    });
    // lines of one kind from one column to one supplier share their way from where they gather; no others
    lines.forEach((a, i) => lines.slice(0, i).forEach((b, j) => a.forEach((s) => b.forEach((t) => {
        ok((s.w < 1) !== (t.w < 1) || !overlap(s, t) || chart.paths[i].route === chart.paths[j].route,
            `edges ${j} and ${i} run along each other`);
    }))));
    chart.routes.forEach((r) => {
        const [first, ...rest] = r.edges.map((i) => model.edges[i]);
        ok(rest.every((e) => e.to === first.to && e.kind === first.kind && box[e.from].x === box[first.from].x),
            `route to ${first.to} gathers one kind`);
    });
    assert.deepStrictEqual(layoutChain(structuredClone(model), measure), chart, `seed ${seed}: same picture`);
}

test('random complexes keep boxes, labels and lines apart', () => {
    for (let seed = 1; seed <= 300; seed++) checkLayout(randomModel(seed), seed);
});
