// A static server on 127.0.0.1 for the site folder as a host serves it: files by name, the folder's address as
// index.html, the headers of _headers, gzip if asked; state.serve(folder) publishes another build, state.down stops.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const zlib = require('node:zlib');

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png',
    '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };

function serve(folder, { compress = false } = {}) {
    const state = { down: false, serve: (other) => { folder = other; } };
    const server = http.createServer((request, response) => {
        if (state.down) return request.socket.destroy();
        const name = request.url.split(/[?#]/)[0].replace(/\/$/, '/index.html');
        const file = path.join(folder, path.basename(name));
        if (name.lastIndexOf('/') || name === '/_headers' || !fs.existsSync(file)) return response.writeHead(404).end();
        const headers = { 'Content-Type': TYPES[path.extname(file)] };
        let rule = null;
        for (const line of fs.readFileSync(path.join(folder, '_headers'), 'utf8').split('\n')) {
            if (/^\S/.test(line)) rule = line === '/*' || line === name;
            else if (rule && line.trim()) headers[line.split(':')[0].trim()] = line.slice(line.indexOf(':') + 1).trim();
        }
        let body = fs.readFileSync(file);
        if (compress && /gzip/.test(request.headers['accept-encoding'])) {
            [body, headers['Content-Encoding']] = [zlib.gzipSync(body, { level: 9 }), 'gzip'];
        }
        response.writeHead(200, headers).end(body);
    });
    state.close = () => { server.closeAllConnections(); return new Promise((resolve) => server.close(resolve)); };
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
        state.url = `http://127.0.0.1:${server.address().port}/`;
        resolve(state);
    }));
}

module.exports = { serve };
