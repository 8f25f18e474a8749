// The site's service worker: keeps the page, its manifest and its icons, and serves them from what it keeps, so that
// the page opens and computes without a network. Each build writes its own VERSION (a hash of the files kept), so the
// browser, which looks for a changed worker whenever the page is opened, installs the worker of a new build: it keeps
// that build's files, takes over the open pages at once (they notice their controller changing and say that a new
// version is there) and drops the copies of the builds before.
'use strict';
const VERSION = '%VERSION%';
const FILES = ['%FILES%'];
const KEPT = 'werkverbund-' + VERSION;
const SCOPE = new URL('./', self.location).href;

self.addEventListener('install', (event) => {
    // past the browser's cache, so that the files are this build's own
    event.waitUntil(caches.open(KEPT)
        .then((cache) => cache.addAll(FILES.map((name) => new Request(name, { cache: 'reload' }))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((keys) => Promise.all(keys.filter((k) => k.startsWith('werkverbund-') && k !== KEPT).map((k) => caches.delete(k))))
        .then(() => self.clients.claim()));
});

// The folder's address and index.html, with any query, are the page; a file kept comes from the cache, anything
// else from the network.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || !request.url.startsWith(SCOPE)) return;
    const name = request.url.slice(SCOPE.length).replace(/[?#].*/, '');
    const key = name === '' || name === 'index.html' ? './' : name;
    if (!FILES.includes(key)) return;
    event.respondWith(caches.open(KEPT)
        .then((cache) => cache.match(key))
        .then((kept) => kept || fetch(request)));
});
