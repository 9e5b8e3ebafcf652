// The web page end to end in one real headless browser:
//   node e2e_test.mjs BROWSER SITE_DIR FLUFFO_SIM DEMO_SCRIPT
// The site is served on 127.0.0.1; the page loads, its start screen's PLAY starts the handheld,
// keys 3 and 2 start Game B, the demo script run through window.fluffo.script ends in the state
// fluffo-sim prints for it and the canvas then shows fluffo-sim's render pixel for pixel, the
// corners of the handheld show the page, a drawn button acts, and the high score outlives a
// reload. Exit 0 when every check passes, 1 when one fails, 77 (skipped) when the site or the
// browser is missing. The page's console is printed when a check fails.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launch } from './browsers.mjs';
import * as page_api from './page_api.mjs';
import { read_png } from './png.mjs';
import { serve } from './serve.mjs';

const Skip = 77;
const [name, site, sim, demo_file] = process.argv.slice(2);
if (!name || !site || !sim || !demo_file) {
    console.error('usage: node e2e_test.mjs BROWSER SITE_DIR FLUFFO_SIM DEMO_SCRIPT');
    process.exit(2);
}
if (!fs.existsSync(path.join(site, 'index.html'))) {
    console.log(`skipped: no site in ${site} (scripts/build-web.sh builds it)`);
    process.exit(Skip);
}

// What fluffo-sim answers for the demo, with the skin the site serves, and the frame it draws.
const work = fs.mkdtempSync(path.join(os.tmpdir(), `fluffo-web-${name}-`));
const demo = fs.readFileSync(demo_file, 'utf8');
const Seed = 2017;
const sim_frame = path.join(work, 'sim.png');
const sim_run = spawnSync(sim, ['--seed', String(Seed), '--skin', site],
                          { input: `${demo}\nrender ${sim_frame}\n`, encoding: 'utf8' });
if (sim_run.status !== 0) {
    console.error(`fluffo-sim failed (${sim_run.status}):\n${sim_run.stderr}\n${sim_run.stdout}`);
    process.exit(1);
}
const sim_answers = sim_run.stdout.trim().split('\n').map((line) => JSON.parse(line));
const sim_states = sim_answers.filter((a) => 't' in a);
const sim_final = sim_states.at(-1);
const sim_store = sim_answers.filter((a) => 'HiScore1' in a).at(-1) ?? {};
const sim_png = read_png(fs.readFileSync(sim_frame));
// The skin the site serves: where its buttons are, and its key colour ($00BBGGRR).
const ini = fs.readFileSync(path.join(site, 'Config.ini'), 'utf8');
const key_bgr = Number.parseInt(/^TranspColor=\$([0-9a-f]+)/im.exec(ini)?.[1] ?? 'ff00ff', 16);
const key_colour = [key_bgr & 0xff, (key_bgr >> 8) & 0xff, (key_bgr >> 16) & 0xff];

const started = await launch(name);
if (!started) {
    console.log(`skipped: ${name} is not installed`);
    process.exit(Skip);
}
const { browser, close } = started;
const server = await serve(site);
const page = await browser.newPage();
const log = [];
page.on('console', (m) => log.push(`console.${m.type()}: ${m.text()}`));
page.on('pageerror', (e) => log.push(`page error: ${e.message}`));
page.on('requestfailed', (r) => log.push(`request failed: ${r.url()}`));

const results = [];
async function check(what, body) {
    const t0 = Date.now();
    try {
        const detail = await body();
        results.push({ what, ok: true });
        console.log(`ok    ${what}${detail ? `: ${detail}` : ''} (${Date.now() - t0} ms)`);
        return true;
    } catch (e) {
        results.push({ what, ok: false });
        console.log(`FAIL  ${what}: ${e.message}`);
        return false;
    }
}
function expect(condition, message) {
    if (!condition) throw new Error(message);
}
const mode = async () => (await page_api.state(page)).mode;

// Mode numbers as the handheld counts them.
const All_On = 0, Time = 1, Game_A_Intro = 3, Game_B_Intro = 4, Game_B = 6;

let demo_ran = false;
try {
    await check('the page loads and shows its first frame', async () => {
        await page.goto(server.url, { waitUntil: 'load' });
        await page_api.ready(page);
        const size = await page_api.canvas_size(page);
        expect(size.width > 0 && size.height > 0, 'no canvas');
        return `canvas ${size.width} x ${size.height}`;
    });

    await check("the start screen's PLAY starts the handheld", async () => {
        await page_api.click_play(page);
        await page_api.wait_for(page, (s) => s.mode === All_On, 'all segments lit (mode 0)');
    });

    await check('keys 3 and 2 start Game B', async () => {
        await page.keyboard.down('3');
        await page_api.wait_for(page, (s) => s.mode === Time && s.held.time, 'the clock');
        await page.keyboard.up('3');
        await page.keyboard.down('2');
        await page_api.wait_for(page, (s) => s.mode === Game_B_Intro, 'the Game B intro');
        await page.keyboard.up('2');
        await page_api.wait_for(page, (s) => s.mode === Game_B && !s.held.game_b, 'Game B play',
                                10000);
    });

    // A fresh handheld on the page's store (localStorage, emptied), as fluffo-sim starts.
    let answers = [];
    demo_ran = await check('the demo script runs through fluffo.script', async () => {
        await page.evaluate(() => localStorage.clear());
        answers = await page_api.script_from_start(page, demo, { seed: Seed, store: 'page' });
        const errors = answers.filter((a) => 'error' in a);
        expect(errors.length === 0, `errors: ${JSON.stringify(errors)}`);
        expect(answers.length === sim_answers.length,
               `${answers.length} answers, fluffo-sim gives ${sim_answers.length}`);
    });
    const is_store = (a) => !('t' in a || 'sounds' in a || 'lit' in a || 'error' in a);
    // Every answer as fluffo-sim's: the states (the last one above all), then the rest.
    const compare_answers = (which) => {
        const differ = [];
        sim_answers.forEach((answer, i) => {
            if (!which(answer)) return;
            // The page's store also keeps the key bindings, which fluffo-sim has none of:
            // the values fluffo-sim stores must be there, with its texts.
            const page_answer = is_store(answer) && answers[i]
                ? Object.fromEntries(Object.keys(answer).map((k) => [k, answers[i][k]]))
                : answers[i];
            const a = JSON.stringify(page_answer), b = JSON.stringify(answer);
            if (a !== b) differ.push(`answer ${i + 1}:\n  page ${a}\n  sim  ${b}`);
        });
        expect(differ.length === 0, `${differ.length} differ\n${differ.join('\n')}`);
    };
    await check('the demo ends in the state fluffo-sim prints', async () => {
        expect(demo_ran, 'the demo did not run');
        compare_answers((a) => 't' in a);
        return `${sim_states.length} states equal, the last at t=${sim_final.t} ms`;
    });
    await check("the demo's screen, sounds and store answers are fluffo-sim's", async () => {
        expect(demo_ran, 'the demo did not run');
        compare_answers((a) => !('t' in a));
    });

    await check("the canvas then shows fluffo-sim's render", async () => {
        expect(demo_ran, 'the demo did not run');
        // The page draws the frame when the script ends; give it a moment to get there.
        let last;
        for (const until = Date.now() + 2000; Date.now() < until;) {
            const frame = await page_api.canvas_pixels(page);
            last = compare_frames(frame, sim_png);
            if (last.differing === 0) return `${frame.width} x ${frame.height} pixels equal`;
            await new Promise((r) => setTimeout(r, 100));
        }
        await (await page.$('canvas#handheld')).screenshot({ path: path.join(work, 'page.png') });
        throw new Error(last.message);
    });

    await check('the corners of the handheld show the page', async () => {
        const corners = await page_api.corners(page);
        for (const c of corners) {
            expect(c.alpha === 0, `the canvas at ${c.at} has alpha ${c.alpha}`);
            expect(c.shown === c.page, `at ${c.at} the screen shows ${c.shown}, the page ${c.page}`);
        }
        const middle = await page_api.canvas_alpha_at(page, 0.5, 0.5);
        expect(middle === 255, `the handheld's middle has alpha ${middle}`);
        return corners.map((c) => `${c.at} ${c.shown}`).join(', ');
    });

    await check('a click on the drawn GAME A button starts Game A', async () => {
        await page_api.real_time(page);
        const before = await mode();
        expect(before === Time, `the handheld is in mode ${before}, not at the clock`);
        const button = await page_api.skin_holder(page, ini, 'btn_game_a_top', sim_png.width);
        await page_api.mouse_down_at(page, button.left + button.width / 2,
                                     button.top + button.height / 2);
        await page_api.wait_for(page, (s) => s.held.game_a && s.mode === Game_A_Intro,
                                'the Game A intro with GAME A held');
        await page.mouse.up();
        await page_api.wait_for(page, (s) => !s.held.game_a, 'GAME A let go');
    });

    await check('the high score survives a reload', async () => {
        expect(demo_ran, 'the demo did not run');
        await page.reload({ waitUntil: 'load' });
        await page_api.ready(page);
        const stored = await page.evaluate(() => localStorage.getItem('HiScore1'));
        expect(stored === sim_store.HiScore1,
               `localStorage HiScore1 is ${stored}, fluffo-sim stores ${sim_store.HiScore1}`);
        // The choices were emptied with the store: the start screen shows again.
        await page_api.click_play(page);
        const s = await page_api.wait_for(page, (s) => s.mode === All_On, 'all segments lit');
        expect(s.hiscore_a === sim_final.hiscore_a && s.hiscore_a > 0,
               `high score ${s.hiscore_a} after the reload, ${sim_final.hiscore_a} before`);
        return `HiScore1 ${stored}`;
    });
} finally {
    await close();
    await server.close();
}

const failed = results.filter((r) => !r.ok).length;
if (failed) {
    console.log(`--- the page's log (${log.length} lines)\n${log.join('\n')}`);
    console.log(`--- files of this run: ${work}`);
} else {
    fs.rmSync(work, { recursive: true, force: true });
}
console.log(`${name}: ${results.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);

// Compares the page's canvas with fluffo-sim's PNG: the key colour in the render is a
// transparent pixel on the page, whatever colour that carries.
function compare_frames(frame, png) {
    if (frame.width !== png.width || frame.height !== png.height) {
        return { differing: -1,
                 message: `canvas ${frame.width} x ${frame.height}, render ${png.width} x ${png.height}` };
    }
    let differing = 0, first = null, most = 0;
    for (let i = 0; i < png.width * png.height; ++i) {
        const a = frame.rgba.subarray(i * 4, i * 4 + 4), b = png.rgba.subarray(i * 4, i * 4 + 4);
        const keyed = b[0] === key_colour[0] && b[1] === key_colour[1] && b[2] === key_colour[2];
        const equal = keyed ? a[3] === 0 : a.every((v, k) => v === b[k]);
        if (!equal) {
            ++differing;
            most = Math.max(most, ...[0, 1, 2, 3].map((k) => Math.abs(a[k] - b[k])));
            first ??= `(${i % png.width}, ${Math.floor(i / png.width)}) page ${[...a]} sim ${[...b]}`;
        }
    }
    return { differing,
             message: `${differing} of ${png.width * png.height} pixels differ, by up to ${most} in a channel; the first ${first}` };
}
