// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps every file of this version of the game, so that it starts without the network after one visit. The
// page itself comes from the network when there is one, so a new version is the one that starts at the next
// visit; it names its files by version, and this worker then keeps the new ones and lets the old ones go.
'use strict';

const version = '@VERSION@';
const files = @FILES@;
const cacheName = `dorvana-${version}`;

self.addEventListener('install', event => {
  event.waitUntil(caches.open(cacheName).then(cache => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(name => name.startsWith('dorvana-') && name !== cacheName)
      .map(name => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
  const request = event.request;
  if (request.method !== 'GET') return;
  if (request.mode === 'navigate') {
    event.respondWith(fetch(request).catch(() => caches.match('./', { cacheName })));
    return;
  }
  event.respondWith(caches.match(request).then(kept => kept || fetch(request)));
});
