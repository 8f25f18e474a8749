// Draws the layout of web/ from the modules' imports, as a table of room, module, what it imports and its floor,
// and stops (exit 1) on an import that runs up a floor, a circle of imports, a module in no room, or a module of the
// page over 250 lines. Rooms by floor: lib (helpers that import nothing of ours), core (the bridge's one JS
// wrapper), record (pure views of a run), plan (the plan, its address, file, code and storage), page (the DOM),
// build (node at build time). An import within a room is level. The docs carry the tables between the marks
// <!-- rooms:modules --> or <!-- rooms:rooms --> and <!-- /rooms -->, which --check holds to the imports.
//   node web/build/rooms.js                      # the table of modules, in Markdown
//   node web/build/rooms.js --check FILE...      # exit 1 when a file's tables differ from the imports
//   node web/build/rooms.js --write FILE...      # the files' tables drawn anew
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

// One row per module: its room, name, the modules it imports and its floor.
function moduleTable(found) {
    const rows = Object.entries(found).map(([file, m]) =>
        `| ${m.room}/ | ${path.posix.basename(file)} | ${m.imports.join(', ') || '–'} | ${ROOMS.indexOf(m.room)} |`);
    return ['| room | module | imports | floor |', '| --- | --- | --- | --- |'].concat(rows).join('\n');
}

// One row per room: its floor, its modules and the rooms below it that they import.
function roomTable(found) {
    const rows = ROOMS.map((room, floor) => {
        const mine = Object.entries(found).filter(([, m]) => m.room === room);
        const below = new Set(mine.flatMap(([, m]) => m.imports.map((t) => t.split('/')[0]).filter((r) => r !== room)));
        const names = mine.map(([file]) => path.posix.basename(file, '.js')).join(', ');
        return `| ${floor} | \`web/${room}/\` | ${names} | ${[...below].join(', ') || '–'} |`;
    });
    return ['| floor | room | modules | imports from |', '| --- | --- | --- | --- |'].concat(rows).join('\n');
}

// The file's text with each marked table drawn anew from the imports.
function drawn(text, tables) {
    return text.replace(/(<!-- rooms:(modules|rooms) -->)[\s\S]*?(<!-- \/rooms -->)/g,
        (all, open, kind, close) => open + '\n' + tables[kind] + '\n' + close);
}

const found = modules();
const tables = { modules: moduleTable(found), rooms: roomTable(found) };
const [mode, ...files] = process.argv.slice(2);
const said = faults(found);
if (mode === '--check' || mode === '--write') {
    for (const file of files) {
        const text = fs.readFileSync(file, 'utf8');
        if (mode === '--write') fs.writeFileSync(file, drawn(text, tables));
        else if (drawn(text, tables) !== text) said.push(`${file}: the layout table differs from the imports; `
            + `node web/build/rooms.js --write ${file} draws it anew`);
    }
} else {
    console.log(tables.modules);
}
if (said.length) {
    console.error('rooms.js: ' + said.join('\nrooms.js: '));
    process.exit(1);
}
