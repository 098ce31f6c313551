// The page's files kept by the browser, so that a second visit opens and plays with the network off. The
// cache's name changes with every build (the build writes its files' digest below): a new build's worker fills
// its own cache and, once it takes over, drops the old one.
const cacheName = 'vanturo-@BUILD_DIGEST@';
const files = ['vanturo.html', 'vanturo.js', 'vanturo.wasm.gz', 'vanturo.data.gz', 'vanturo.webmanifest',
               'icon-192.png', 'icon-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
                      .then((names) => Promise.all(names.filter((name) => name !== cacheName)
                                                       .map((name) => caches.delete(name))))
                      .then(() => self.clients.claim()));
});

// The page's own files from the cache, whatever the address's query; anything else (a run's input script)
// from the network.
self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  const name = url.pathname.split('/').pop();
  if (event.request.method !== 'GET' || url.origin !== self.location.origin || !files.includes(name)) return;
  event.respondWith(caches.open(cacheName).then((cache) => cache.match(name)).then(
      (kept) => kept || fetch(event.request)));
});
