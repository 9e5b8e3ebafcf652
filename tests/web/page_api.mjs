// What the tests ask of the page, in one place: its test surface (window.fluffo), its start
// screen's PLAY, the handheld's canvas and the drawn buttons on it. Positions on the handheld
// are window pixels (the skin's own, 440 x 664 at 100 %), turned into page pixels here.
import { read_png } from './png.mjs';

// Resolves when the page's handheld can be asked (window.fluffo, and its ready promise).
export async function ready(page, timeout = 30000) {
    await page.waitForFunction(() => typeof window.fluffo?.state === 'function', { timeout });
    await page.evaluate(() => { window.fluffo.ready.then(() => { window.__fluffo_ready = true; }); });
    await page.waitForFunction(() => window.__fluffo_ready === true, { timeout });
}

export const state = (page) => page.evaluate(() => structuredClone(window.fluffo.state()));

// Polls the state until test(state) holds; returns that state or throws naming what it waited for.
export async function wait_for(page, test, what, timeout_ms = 5000) {
    let last;
    for (const until = Date.now() + timeout_ms; Date.now() < until;) {
        last = await state(page);
        if (test(last)) return last;
        await new Promise((r) => setTimeout(r, 25));
    }
    throw new Error(`no ${what} within ${timeout_ms} ms; the state is ${JSON.stringify(last)}`);
}

// Builds the page's handheld anew as fluffo-sim assembles it (virtual clock at 0, chance
// seeded; store "memory" or "page", which is localStorage) and runs driver lines on it.
// Returns the answers, each an object.
export const script_from_start = (page, text, options) => page.evaluate(async (text, options) => {
    await window.fluffo.restart(options);
    return structuredClone(await window.fluffo.script(text));
}, text, options);

// Lets the page's own timer drive the handheld again.
export const real_time = (page) => page.evaluate(() => window.fluffo.realTime());

// The start screen's PLAY button, clicked as a player would.
export async function click_play(page) {
    const play = await page.waitForSelector('#play', { visible: true, timeout: 10000 });
    await play.click();
}

// The handheld's canvas.
const Canvas = 'canvas#handheld';

export const canvas_size = (page) => page.evaluate((sel) => {
    const c = document.querySelector(sel);
    return c ? { width: c.width, height: c.height } : { width: 0, height: 0 };
}, Canvas);

// The canvas's own pixels, RGBA, read through a 2D copy (whatever context it draws with).
export async function canvas_pixels(page) {
    const { width, height, data } = await page.evaluate((sel) => {
        const c = document.querySelector(sel);
        const copy = document.createElement('canvas');
        copy.width = c.width;
        copy.height = c.height;
        const g = copy.getContext('2d');
        g.drawImage(c, 0, 0);
        const bytes = g.getImageData(0, 0, c.width, c.height).data;
        let text = '';
        for (let i = 0; i < bytes.length; i += 0x8000)
            text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
        return { width: c.width, height: c.height, data: btoa(text) };
    }, Canvas);
    return { width, height, rgba: Buffer.from(data, 'base64') };
}

// The canvas's place on the page and how many page pixels one window pixel takes.
export const canvas_box = (page, window_width) => page.evaluate((sel, window_width) => {
    const r = document.querySelector(sel).getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height,
             scale: r.width / window_width };
}, Canvas, window_width);

// A holder's rectangle as the skin's Config.ini text places it, in page pixels.
export async function skin_holder(page, ini, name, window_width = 440) {
    // Each picture's section follows the comment naming it.
    const at = ini.search(new RegExp(`^; ${name}\\r?$`, 'm'));
    if (at < 0) throw new Error(`Config.ini places no ${name}`);
    const value = (key) => Number(new RegExp(`^${key}=(-?\\d+)`, 'm').exec(ini.slice(at))?.[1]);
    const box = await canvas_box(page, window_width);
    return { left: box.left + value('Left') * box.scale, top: box.top + value('Top') * box.scale,
             width: value('Width') * box.scale, height: value('Height') * box.scale };
}

export async function mouse_down_at(page, x, y) {
    await page.mouse.move(x, y);
    await page.mouse.down();
}

// The canvas's alpha at a fraction of its width and height.
export const canvas_alpha_at = (page, fx, fy) => page.evaluate((sel, fx, fy) => {
    const c = document.querySelector(sel);
    const copy = document.createElement('canvas');
    copy.width = c.width;
    copy.height = c.height;
    const g = copy.getContext('2d');
    g.drawImage(c, 0, 0);
    return g.getImageData(Math.floor(c.width * fx), Math.floor(c.height * fy), 1, 1).data[3];
}, Canvas, fx, fy);

// Each corner of the handheld: the canvas's alpha there, what the screen shows there, and
// what the page shows there with the canvas hidden.
export async function corners(page) {
    const box = await page.evaluate((sel) => {
        const r = document.querySelector(sel).getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height };
    }, Canvas);
    if (!(box.width > 0 && box.height > 0)) throw new Error('the handheld is not on the page');
    const places = [[2, 2, 'top left'], [box.width - 3, 2, 'top right'],
                    [2, box.height - 3, 'bottom left'], [box.width - 3, box.height - 3, 'bottom right']];
    const pixel = (png, x, y) => {
        const i = (Math.floor(box.top + y) * png.width + Math.floor(box.left + x)) * 4;
        return `rgb(${[...png.rgba.subarray(i, i + 3)]})`;
    };
    const shown = read_png(await page.screenshot({ type: 'png' }));
    await page.evaluate((sel) => { document.querySelector(sel).style.visibility = 'hidden'; }, Canvas);
    const behind = read_png(await page.screenshot({ type: 'png' }));
    await page.evaluate((sel) => { document.querySelector(sel).style.visibility = ''; }, Canvas);
    const out = [];
    for (const [x, y, at] of places) {
        out.push({ at, shown: pixel(shown, x, y), page: pixel(behind, x, y),
                   alpha: await canvas_alpha_at(page, x / box.width, y / box.height) });
    }
    return out;
}
