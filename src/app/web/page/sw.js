// The page's service worker: once opened, the site (the page, the program and every data file
// in files.txt at 1x) is kept in one cache named by the build and answered from it, so the
// handheld plays without a network; what the page of a first visit kept there itself is not
// fetched again, and the pictures for denser screens (name@2x.png ...) join the cache as the
// page first loads them. A new build's cache replaces the old one.
"use strict";
const CACHE = "fluffo-@SITE_VERSION@";
const PAGE = ["./", "index.html", "style.css", "fluffo.js", "windows.js", "png.js", "fluffo-core.js",
  "fluffo-core.wasm", "manifest.webmanifest", "files.txt"];

self.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    const list = (await cache.match("files.txt")) || (await fetch("files.txt"));
    const files = (await list.text()).split("\n").filter((f) => f && !/@\dx\.[^/.]+$/.test(f));
    // The page of a first visit has kept what it fetched: only the rest is fetched here.
    const missing = [];
    for (const file of PAGE.concat(files)) if (!(await cache.match(file))) missing.push(file);
    await cache.addAll(missing);
    await self.skipWaiting();
  })());
});

self.addEventListener("activate", (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) if (name !== CACHE) await caches.delete(name);
    await self.clients.claim();
  })());
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const hit = await cache.match(event.request, { ignoreSearch: true });
    if (hit) return hit;
    const response = await fetch(event.request);
    if (response.ok && new URL(event.request.url).origin === location.origin) {
      await cache.put(event.request, response.clone());
    }
    return response;
  })());
});
