// The site served as a static server would: files under a folder on 127.0.0.1 at a free port,
// with the types a browser insists on (application/wasm for streaming compilation). Counts
// the bytes of every answer it sends, so a benchmark can tell what a page load costs.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const Types = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
    '.wasm': 'application/wasm', '.json': 'application/json', '.webmanifest':
    'application/manifest+json', '.css': 'text/css', '.png': 'image/png', '.jpg': 'image/jpeg',
    '.bmp': 'image/bmp', '.ico': 'image/x-icon', '.wav': 'audio/wav', '.txt': 'text/plain',
    '.ini': 'text/plain', '.data': 'application/octet-stream', '.svg': 'image/svg+xml',
};

export async function serve(root) {
    const stats = { bytes: 0, requests: [] };
    const server = http.createServer((req, res) => {
        const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
        let file = path.join(root, path.normalize(name).replace(/^(\.\.[/\\])+/, ''));
        if (file.endsWith(path.sep) || (fs.existsSync(file) && fs.statSync(file).isDirectory()))
            file = path.join(file, 'index.html');
        fs.readFile(file, (error, body) => {
            if (error) {
                res.writeHead(404, { 'Content-Type': 'text/plain' });
                res.end('not found');
                stats.requests.push({ name, status: 404, bytes: 0 });
                return;
            }
            const type = Types[path.extname(file).toLowerCase()] ?? 'application/octet-stream';
            res.writeHead(200, { 'Content-Type': type, 'Content-Length': body.length,
                                 'Cache-Control': 'no-cache' });
            res.end(body);
            stats.bytes += body.length;
            stats.requests.push({ name, status: 200, bytes: body.length });
        });
    });
    await new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(0, '127.0.0.1', resolve);
    });
    const url = `http://127.0.0.1:${server.address().port}/`;
    const close = () => new Promise((resolve) => {
        server.closeAllConnections();
        server.close(resolve);
    });
    return { url, stats, close };
}
