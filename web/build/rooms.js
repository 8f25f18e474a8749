// Draws the layout of web/ from the modules' imports, as a table of room, module, what it imports and its floor,
// and stops (exit 1) on an import that runs up a floor, a circle of imports, a module in no room, or a module of the
// page over 250 lines. Rooms by floor: lib (helpers that import nothing of ours), core (the bridge's one JS
// wrapper), record (pure views of a run), plan (the plan, its address, file, code and storage), page (the DOM),
// build (node at build time). An import within a room is level.
//   node web/build/rooms.js            # the table, in Markdown
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const ROOMS = ['lib', 'core', 'record', 'plan', 'page', 'build'];
const LINE_LIMIT = 250;
const web = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');

// Every module of the rooms with the modules of ours it imports, as paths below web/.
function modules() {
    const found = {};
    for (const room of ROOMS) {
        for (const name of fs.readdirSync(path.join(web, room)).filter((f) => f.endsWith('.js')).sort()) {
            const file = room + '/' + name;
            const text = fs.readFileSync(path.join(web, file), 'utf8');
            const imports = [...text.matchAll(/^import\b[^;]*?from\s+'(\.[^']+)'/gm)]
                .map((m) => path.posix.normalize(path.posix.join(room, m[1])));
            found[file] = { room, imports, lines: text.split('\n').length - 1 };
        }
    }
    return found;
}

// What is wrong with the layout: imports up a floor or out of the rooms, circles, long page modules.
function faults(found) {
    const said = [];
    for (const [file, m] of Object.entries(found)) {
        for (const target of m.imports) {
            if (!found[target]) said.push(`${file} imports ${target}, which is in no room`);
            else if (ROOMS.indexOf(found[target].room) > ROOMS.indexOf(m.room)) {
                said.push(`${file} imports ${target} a floor up`);
            }
        }
        if (m.room !== 'build' && m.lines > LINE_LIMIT) said.push(`${file} has ${m.lines} lines, more than ${LINE_LIMIT}`);
    }
    const state = {};
    const visit = (file, trail) => {
        if (state[file] === 'done' || !found[file]) return;
        if (state[file] === 'open') {
            said.push('a circle: ' + trail.slice(trail.indexOf(file)).concat(file).join(' > '));
            return;
        }
        state[file] = 'open';
        for (const target of found[file].imports) visit(target, trail.concat(file));
        state[file] = 'done';
    };
    Object.keys(found).forEach((file) => visit(file, []));
    return said;
}

const found = modules();
console.log('| room | module | imports | floor |\n| --- | --- | --- | --- |');
for (const [file, m] of Object.entries(found)) {
    console.log(`| ${m.room}/ | ${path.posix.basename(file)} | ${m.imports.join(', ') || '–'} | ${ROOMS.indexOf(m.room)} |`);
}
const said = faults(found);
if (said.length) {
    console.error('rooms.js: ' + said.join('\nrooms.js: '));
    process.exit(1);
}
