// A small static server on 127.0.0.1 for the site folder, as a static host serves it: each file by its name, the
// folder's address as index.html, the headers _headers names, gzip when asked for and the browser takes it. The
// folder served can be changed (a new build published), and the server can go silent (no network).
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const zlib = require('node:zlib');

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.png': 'image/png',
    '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };

// _headers: a line naming a path ("/*" for all), then its headers indented, "Name: value".
function headersOf(folder) {
    const rules = [];
    const file = path.join(folder, '_headers');
    if (!fs.existsSync(file)) return rules;
    for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
        if (/^\S/.test(line)) rules.push({ pattern: line.trim(), headers: {} });
        else if (line.trim()) {
            const at = line.indexOf(':');
            rules[rules.length - 1].headers[line.slice(0, at).trim()] = line.slice(at + 1).trim();
        }
    }
    return rules;
}

// { url, serve(folder), down: false, requests: [], close() }
function serve(folder, { compress = false } = {}) {
    const state = { down: false, requests: [] };
    let rules = headersOf(folder);
    state.serve = (other) => { folder = other; rules = headersOf(other); };
    const server = http.createServer((request, response) => {
        if (state.down) return request.socket.destroy();
        const name = decodeURIComponent(request.url.split(/[?#]/)[0]).replace(/^\/$/, '/index.html');
        state.requests.push(name);
        const file = path.join(folder, path.normalize(name));
        if (!file.startsWith(folder) || name === '/_headers' || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            return response.writeHead(404).end();
        }
        const headers = { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' };
        for (const rule of rules) {
            if (rule.pattern === '/*' || rule.pattern === name) Object.assign(headers, rule.headers);
        }
        let body = fs.readFileSync(file);
        if (compress && /gzip/.test(request.headers['accept-encoding'] || '')) {
            body = zlib.gzipSync(body, { level: 9 });
            headers['Content-Encoding'] = 'gzip';
        }
        response.writeHead(200, headers).end(body);
    });
    const sockets = new Set();
    server.on('connection', (s) => { sockets.add(s); s.on('close', () => sockets.delete(s)); });
    state.close = () => {
        sockets.forEach((s) => s.destroy());
        return new Promise((resolve) => server.close(resolve));
    };
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
        state.url = `http://127.0.0.1:${server.address().port}/`;
        resolve(state);
    }));
}

module.exports = { serve };
