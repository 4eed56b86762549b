// The service worker: keeps the page's files so the program starts and plays without a
// network once loaded. Network first, so a new build shows as soon as it is served; the
// kept copy when the network is gone.
'use strict';
const CACHE = 'vnt-assistant-v2';
const FILES = ['./', 'index.html', 'page/main.js', 'page/state.js', 'page/window.js', 'page/captions.js',
  'page/settings.js', 'page/panels.js', 'page/seasons.js', 'page/boxes.js', 'page/odds.js', 'style.css', 'vnt-assistant.js', 'vnt-assistant.wasm',
  'manifest.webmanifest', 'icon.svg', 'icons/icon-192.png', 'icons/icon-512.png',
  'icons/maskable-512.png', 'icons/apple-touch-icon.png', 'fonts/DejaVuSans.woff', 'fonts/DejaVuSans-Bold.woff',
  'fonts/DejaVuSansCondensed.woff', 'fonts/DejaVuSansCondensed-Bold.woff'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(fetch(event.request).then((response) => {
    if (response.ok && new URL(event.request.url).origin === self.location.origin) {
      const copy = response.clone();
      caches.open(CACHE).then((cache) => cache.put(event.request, copy));
    }
    return response;
  }).catch(() => caches.match(event.request, { ignoreSearch: true })
    .then((kept) => kept || Promise.reject(new Error('offline and not kept')))));
});
