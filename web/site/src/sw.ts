// The service worker: after the first visit the site works offline. Every file of the
// build is cached on install; requests are answered from that cache first, so a visit
// needs no network at all. A new build brings a new cache name and the old one is dropped.
declare const __CACHE_NAME__: string;
declare const __PRECACHE__: string[];
const worker = self as unknown as ServiceWorkerGlobalScope;

worker.addEventListener("install", (event) => {
    event.waitUntil(
        caches.open(__CACHE_NAME__).then((cache) => cache.addAll(__PRECACHE__)).then(() => worker.skipWaiting()),
    );
});

worker.addEventListener("activate", (event) => {
    event.waitUntil(
        caches.keys()
            .then((names) => Promise.all(names.filter((n) => n.startsWith("mireto-") && n !== __CACHE_NAME__).map((n) => caches.delete(n))))
            .then(() => worker.clients.claim()),
    );
});

worker.addEventListener("fetch", (event) => {
    const request = event.request;
    if (request.method !== "GET" || new URL(request.url).origin !== worker.location.origin) return;
    event.respondWith(
        caches.open(__CACHE_NAME__).then(async (cache) => {
            // The page's address carries a share link in its fragment, never sent; any
            // query is the site's own page too.
            const url = new URL(request.url);
            const key = request.mode === "navigate" ? new URL("./", worker.location.href).href : url.href;
            return (await cache.match(key, { ignoreSearch: request.mode === "navigate" })) ?? fetch(request);
        }),
    );
});
