// The two installed browsers, started headless through puppeteer-core with a fresh profile
// each: Chromium over the DevTools protocol, Firefox ESR over WebDriver BiDi. Nothing here
// downloads a browser; a browser that is not installed is reported as missing (null).
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export const Browsers = {
    chromium: { executable: '/usr/bin/chromium', product: 'chrome' },
    firefox: { executable: '/usr/bin/firefox-esr', product: 'firefox' },
};

// Chromium as root needs --no-sandbox; the rest keeps it from reaching out to the network.
const Chromium_Flags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                        '--disable-background-networking', '--disable-component-update',
                        '--disable-sync', '--disable-default-apps', '--mute-audio'];

// Firefox keeps to itself too: no updates, telemetry or first-run pages.
const Firefox_Prefs = {
    'app.update.enabled': false, 'browser.shell.checkDefaultBrowser': false,
    'datareporting.policy.dataSubmissionEnabled': false, 'toolkit.telemetry.enabled': false,
    'browser.startup.homepage_override.mstone': 'ignore', 'network.captive-portal-service.enabled':
    false, 'media.autoplay.default': 0, 'media.volume_scale': '0.0',
};

// Returns {browser, profile, close} or null when the browser is not installed.
export async function launch(name, { width = 800, height = 900 } = {}) {
    const entry = Browsers[name];
    if (!entry) throw new Error(`no browser called ${name}`);
    if (!fs.existsSync(entry.executable)) return null;
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), `fluffo-${name}-`));
    const options = {
        browser: entry.product, executablePath: entry.executable, headless: true,
        defaultViewport: { width, height, deviceScaleFactor: 1 }, protocolTimeout: 120000,
    };
    if (name === 'chromium') {
        options.args = [...Chromium_Flags, `--user-data-dir=${profile}`,
                        `--window-size=${width},${height}`];
    } else {
        options.userDataDir = profile;
        options.extraPrefsFirefox = Firefox_Prefs;
        options.args = [`--width=${width}`, `--height=${height}`];
    }
    const browser = await puppeteer.launch(options);
    const close = async () => {
        await browser.close().catch(() => {});
        fs.rmSync(profile, { recursive: true, force: true });
    };
    return { browser, profile, close };
}
