// Keeps the whole page folder in one cache named after its content: the page starts without the
// network after the first visit, and a new build served here replaces the cache once.
const CACHE = 'velmora-kanji-@VELMORA_SITE_HASH@';
const FILES = [@VELMORA_SITE_FILES@];

self.addEventListener('install', event => {
    // 'no-cache' asks the host, whose HTTP cache lifetime may still hold the previous build.
    event.waitUntil(caches.open(CACHE)
        .then(cache => cache.addAll(FILES.map(file => new Request(file, {cache: 'no-cache'}))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
    event.waitUntil(caches.keys()
        .then(names => Promise.all(names.filter(name => name.startsWith('velmora-kanji-')
            && name !== CACHE).map(name => caches.delete(name))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
    if (event.request.method !== 'GET')
        return;
    const url = new URL(event.request.url);
    if (url.pathname.endsWith('/'))
        url.pathname += 'index.html';
    event.respondWith(caches.open(CACHE)
        .then(cache => cache.match(url.href, {ignoreSearch: true}))
        .then(cached => cached || fetch(event.request)));
});
