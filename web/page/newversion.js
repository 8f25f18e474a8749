// The site's service worker (sw.js beside the page), registered when the page is served over http or https (a page
// from a file has none). When a new build is published, the worker of that build takes the page over: the page
// then says once "Neue Version verfügbar", with a button that reloads; the plan being edited is saved first.
// save(): writes the plan being edited at once; notice(text, bad, extra, action): the page's notice line.
export function watchForUpdates(save, notice) {
    if (!/^https?:$/.test(location.protocol) || !navigator.serviceWorker) return;
    var workers = navigator.serviceWorker;
    var controlled = !!workers.controller;  // on the first visit the worker takes over without a new build
    var told = false;
    workers.addEventListener('controllerchange', function () {
        if (!controlled || told) {
            controlled = true;
            return;
        }
        told = true;
        save();
        notice('Neue Version verfügbar. ', false, null, { text: 'Neu laden', run: function () {
            save();
            location.reload();
        } });
    });
    workers.register('sw.js').catch(function () { /* a browser that refuses keeps the page as it is, online */ });
}
