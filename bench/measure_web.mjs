// Measures the web page (scripts/build-web.sh's build/web/) in the installed headless browsers,
// served from 127.0.0.1 at 1x: the time from navigation to the page's handheld being ready and
// to its first drawn frame, the bytes the server sent for a cold load (until the first frame,
// and once the page has fetched all it fetches, service worker included), and the browser's
// CPU in the clock mode and in Game B play: every process of the browser from /proc
// (utime + stime), and for Chromium the renderer's own TaskDuration and ScriptDuration from
// the DevTools protocol's Performance.getMetrics over the same interval. Run by hand:
//
//   bench/measure_web.sh [chromium|firefox|both] [seconds per CPU window, default 10]
//
// Headless Chromium here runs with --disable-gpu: its compositing is done in software, so its
// CPU is an upper bound of what a player's browser spends.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launch } from '../tests/web/browsers.mjs';
import * as page_api from '../tests/web/page_api.mjs';
import { serve } from '../tests/web/serve.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const site = process.env.SITE ?? path.join(here, '..', 'build', 'web');
const which = process.argv[2] ?? 'both';
const window_s = Number(process.argv[3] ?? 10);
const loads = Number(process.env.LOADS ?? 3);
const sound = process.env.SOUND ?? 'on';  // the start screen's choice for the CPU windows
const Bytes_Target = 6 * 1024 * 1024;
const Hz = 100;  // USER_HZ, the unit of /proc's times on Linux

if (!fs.existsSync(path.join(site, 'index.html'))) {
    console.error(`measure_web: no site in ${site}; scripts/build-web.sh builds it`);
    process.exit(1);
}

// Before the page's own scripts: the first call that puts pixels on the handheld's canvas is
// its first frame (the page's other canvases, such as those it decodes pictures on, do not count).
const First_Frame_Probe = () => {
    window.__first_frame_ms = null;
    const mark = (context) => {
        if (context.canvas?.id === 'handheld') window.__first_frame_ms ??= performance.now();
    };
    for (const [type, names] of [[window.CanvasRenderingContext2D, ['putImageData', 'drawImage', 'fillRect']],
                                 [window.WebGLRenderingContext, ['drawArrays', 'drawElements']],
                                 [window.WebGL2RenderingContext, ['drawArrays', 'drawElements']],
                                 [window.ImageBitmapRenderingContext, ['transferFromImageBitmap']]]) {
        if (!type) continue;
        for (const name of names) {
            const original = type.prototype[name];
            type.prototype[name] = function (...args) {
                mark(this);
                return original.apply(this, args);
            };
        }
    }
};

// The CPU time, in seconds, of the process and all its descendants.
function tree_cpu_s(root_pid) {
    const parent = new Map(), times = new Map();
    for (const entry of fs.readdirSync('/proc')) {
        if (!/^\d+$/.test(entry)) continue;
        try {
            const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
            const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
            parent.set(Number(entry), Number(fields[1]));
            times.set(Number(entry), Number(fields[11]) + Number(fields[12]));
        } catch { /* gone meanwhile */ }
    }
    const in_tree = (pid) => {
        for (let p = pid; p > 1; p = parent.get(p) ?? 0) if (p === root_pid) return true;
        return false;
    };
    let ticks = 0;
    for (const [pid, t] of times) if (in_tree(pid)) ticks += t;
    return ticks / Hz;
}

async function quiet_server(stats, quiet_ms = 2000, longest_ms = 30000) {
    let seen = stats.requests.length, since = Date.now();
    for (const until = Date.now() + longest_ms; Date.now() < until;) {
        await new Promise((r) => setTimeout(r, 100));
        if (stats.requests.length !== seen) {
            seen = stats.requests.length;
            since = Date.now();
        } else if (Date.now() - since >= quiet_ms) {
            return;
        }
    }
}

async function cold_load(name) {
    const server = await serve(site);
    const { browser, close } = await launch(name);
    try {
        const page = await browser.newPage();
        await page.evaluateOnNewDocument(First_Frame_Probe);
        await page.goto(server.url, { waitUntil: 'load' });
        const ready_ms = await page.evaluate(async () => {
            while (typeof window.fluffo?.state !== 'function')
                await new Promise((r) => setTimeout(r, 5));
            await window.fluffo.ready;
            return performance.now();
        });
        // A first start shows the start screen over a handheld not yet drawn: PLAY at once.
        const drawn = await page.evaluate(() => window.__first_frame_ms);
        const played = drawn === null;
        if (played) await page_api.click_play(page);
        const first_frame_ms = await page
            .waitForFunction(() => window.__first_frame_ms, { timeout: 30000 })
            .then(() => page.evaluate(() => window.__first_frame_ms), () => NaN);
        const bytes_first_frame = server.stats.bytes;
        await quiet_server(server.stats);
        const files = new Map(server.stats.requests.map((r) => [r.name, r.bytes]));
        const bytes_once = [...files.values()].reduce((a, b) => a + b, 0);
        return { ready_ms, first_frame_ms, played, bytes_first_frame, bytes_all: server.stats.bytes,
                 bytes_once, requests: server.stats.requests };
    } finally {
        await close();
        await server.close();
    }
}

async function cpu_windows(name) {
    const server = await serve(site);
    const { browser, close } = await launch(name);
    try {
        const page = await browser.newPage();
        await page.goto('about:blank');
        const pid = browser.process().pid;
        // What the headless browser spends on a blank page, for comparison, once its start is
        // over.
        await new Promise((r) => setTimeout(r, 5000));
        const blank_s0 = tree_cpu_s(pid), blank_t0 = performance.now();
        await new Promise((r) => setTimeout(r, window_s * 1000));
        const idle = { browser_pct: (100 * (tree_cpu_s(pid) - blank_s0) * 1000) /
                                    (performance.now() - blank_t0),
                       task_pct: null };
        await page.goto(server.url, { waitUntil: 'load' });
        await page_api.ready(page);
        await page.click(sound === 'off' ? '#sound-off' : '#sound-on');
        await page_api.click_play(page);
        await page_api.wait_for(page, (s) => s.mode === 0, 'all segments lit');
        const cdp = name === 'chromium' ? await page.createCDPSession() : null;
        if (cdp) await cdp.send('Performance.enable');
        const metrics = async () => {
            if (!cdp) return {};
            const { metrics } = await cdp.send('Performance.getMetrics');
            return Object.fromEntries(metrics.map((m) => [m.name, m.value]));
        };

        const measure = async () => {
            await new Promise((r) => setTimeout(r, 2000));  // let the change settle
            const m0 = await metrics(), c0 = tree_cpu_s(pid), t0 = performance.now();
            await new Promise((r) => setTimeout(r, window_s * 1000));
            const m1 = await metrics(), c1 = tree_cpu_s(pid), wall_s = (performance.now() - t0) / 1000;
            const share = (a, b) => (100 * (b - a)) / wall_s;
            return { browser_pct: share(c0, c1),
                     task_pct: cdp ? share(m0.TaskDuration, m1.TaskDuration) : null,
                     script_pct: cdp ? share(m0.ScriptDuration, m1.ScriptDuration) : null };
        };
        await page.keyboard.press('3');
        await page_api.wait_for(page, (s) => s.mode === 1, 'the clock');
        const clock = await measure();
        await page.keyboard.press('2');
        await page_api.wait_for(page, (s) => s.mode === 6, 'Game B play', 10000);
        const game_b = await measure();
        const still = (await page_api.state(page)).mode;
        if (still !== 6) console.log(`  (Game B ended during its window: mode ${still})`);
        return { idle, clock, game_b };
    } finally {
        await close();
        await server.close();
    }
}

const mb = (bytes) => `${(bytes / 1024 / 1024).toFixed(2)} MB`;
const pct = (v) => (v === null ? '-' : `${v.toFixed(2)} %`);
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

for (const name of which === 'both' ? ['chromium', 'firefox'] : [which]) {
    console.log(`== ${name}: ${loads} cold loads, then ${window_s} s windows of CPU with sound ${sound}`);
    const runs = [];
    for (let i = 0; i < loads; ++i) runs.push(await cold_load(name));
    for (const r of runs) {
        console.log(`  load: ready ${r.ready_ms.toFixed(0)} ms, handheld's first frame` +
                    ` ${r.first_frame_ms.toFixed(0)} ms${r.played ? ' (PLAY clicked when ready)' : ''},` +
                    ` ${mb(r.bytes_first_frame)} sent by then, ${mb(r.bytes_all)} in all` +
                    ` (${r.requests.length} requests; ${mb(r.bytes_once)} counting each file once)`);
    }
    const last = runs.at(-1);
    const biggest = [...last.requests].sort((a, b) => b.bytes - a.bytes).slice(0, 5);
    console.log(`  largest: ${biggest.map((r) => `${r.name} ${mb(r.bytes)}`).join(', ')}`);
    const cpu = await cpu_windows(name);
    const row = (what, c) => console.log(`  ${what}: browser ${pct(c.browser_pct)} of one core` +
                                         (c.task_pct === null ? '' : `, renderer tasks ${pct(c.task_pct)}, scripts ${pct(c.script_pct)}`));
    row('a blank page, before the site', cpu.idle);
    row('clock mode', cpu.clock);
    row('Game B play', cpu.game_b);
    const bytes = median(runs.map((r) => r.bytes_all));
    console.log(`${name} summary: ready ${median(runs.map((r) => r.ready_ms)).toFixed(0)} ms,` +
                ` first frame ${median(runs.map((r) => r.first_frame_ms)).toFixed(0)} ms (medians),` +
                ` ${mb(bytes)} sent (target under ${mb(Bytes_Target)}: ${bytes < Bytes_Target ? 'met' : 'MISSED'}),` +
                ` clock ${pct(cpu.clock.browser_pct)}, Game B ${pct(cpu.game_b.browser_pct)}`);
}
