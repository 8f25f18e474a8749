// The site's service worker: keeps the page, its manifest and its icons, and serves them from what it keeps, so that
// the page opens and computes without a network. Each build writes its own VERSION (a hash of the files kept) and
// names every file with the SHA-256 of its bytes (and the page with its type), so the browser, which looks for a
// changed worker whenever the page is opened, installs the worker of a new build: it keeps that build's files only
// when each one it fetched is that build's (a host half way through an upload, or a cache in front of it, serves
// another; then the worker of the build before stays and the next opening tries again), takes over the open pages
// at once (they notice their controller changing and say that a new version is there) and drops the copies of the
// builds before. A kept file that is not what its build names (cut short, another type) is fetched again; where
// nothing sound can be kept, the network serves the page. The plans are in the page's storage, which no worker
// touches.
'use strict';
const VERSION = '%VERSION%';
const FILES = '%FILES%';  // by the name asked for: { hash, type }
const KEPT = 'werkverbund-' + VERSION;
const SCOPE = new URL('./', self.location).href;
const TRIES = 3;          // fetches of a file before the build is given up, a second more apart each time

async function sha256(buffer) {
    const bytes = new Uint8Array(await crypto.subtle.digest('SHA-256', buffer));
    return Array.from(bytes, (b) => b.toString(16).padStart(2, '0')).join('');
}

// The response as a plain one with its bytes and headers, if it is the build's file (its bytes, and its type where
// the build names one); null otherwise.
async function sound(name, response) {
    if (!response || !response.ok) return null;
    const type = (response.headers.get('Content-Type') || '').split(';')[0].trim().toLowerCase();
    if (FILES[name].type && type !== FILES[name].type) return null;
    const body = await response.clone().arrayBuffer();
    if (await sha256(body) !== FILES[name].hash) return null;
    return new Response(body, { status: 200, statusText: 'OK', headers: response.headers });
}

// The build's file from the network, past the browser's cache and, by the version in the query, past a cache in
// front of the host; tried as often as asked. null when no try gave the build's file.
async function fetchSound(name, tries) {
    for (let i = 0; i < tries; i++) {
        if (i) await new Promise((resolve) => { setTimeout(resolve, 1000 * i); });
        try {
            const got = await sound(name, await fetch(new Request(name + '?v=' + VERSION, { cache: 'reload' })));
            if (got) return got;
        } catch (e) { /* no network: try again */ }
    }
    return null;
}

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(KEPT).then((cache) => Promise.all(Object.keys(FILES).map(async (name) => {
        const got = await fetchSound(name, TRIES);
        if (!got) throw new Error(`${name} is not the file of build ${VERSION}`);
        await cache.put(name, got);
    }))).then(() => self.skipWaiting(), (e) => caches.delete(KEPT).then(() => { throw e; })));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((keys) => Promise.all(keys.filter((k) => k.startsWith('werkverbund-') && k !== KEPT).map((k) => caches.delete(k))))
        .then(() => self.clients.claim()));
});

// A kept file as its build names it; one that is not is fetched again and kept anew. null when neither is sound.
async function kept(name) {
    const cache = await caches.open(KEPT);
    const known = await sound(name, await cache.match(name));
    if (known) return known;
    const fresh = await fetchSound(name, 1);
    if (fresh) await cache.put(name, fresh.clone());
    return fresh;
}

// The folder's address and index.html, with any query, are the page; a file kept comes from the cache, anything
// else, and a kept file that cannot be served sound, from the network.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || !request.url.startsWith(SCOPE)) return;
    const name = request.url.slice(SCOPE.length).replace(/[?#].*/, '');
    const key = name === '' || name === 'index.html' ? './' : name;
    if (!Object.prototype.hasOwnProperty.call(FILES, key)) return;
    event.respondWith(kept(key).catch(() => null).then((got) => got || fetch(request)));
});
