// The handheld's web page: loads the program (fluffo-core.js/.wasm) and its data, draws the
// compositor's frame into the canvas, feeds keys, pointer, touch and pads to the window logic,
// keeps the settings in localStorage and plays the samples through Web Audio. All behaviour is
// the core's; this file only draws and forwards events.
//
// The page's surface for tests and scripts (window.fluffo):
//   fluffo.ready            a Promise, resolved once the start screen (or the handheld) is up
//   fluffo.state()          the driver's "state" answer, as an object
//   fluffo.script(text)     runs fluffo-sim command lines on the page's own handheld; returns
//                           the answers in order, each parsed from its JSON line (an error line
//                           is {error: "line N: ..."}). "render" is refused: read the canvas.
//   fluffo.restart(opts)    builds the handheld anew, shown at once, as fluffo-sim assembles
//                           it when opts.clock is "virtual" (the default): time 0, 00:00, time
//                           moving only by "wait"; opts.seed (default 0) seeds chance;
//                           opts.store "memory" (the default) or "page" (localStorage).
//                           So fluffo.restart({seed: 2017}) then fluffo.script(demo) ends in
//                           the state `fluffo-sim --seed 2017 < demo` prints.
//   fluffo.realTime()       lets the page's timer drive the handheld again, from the time the
//                           script reached.
//   fluffo.refuseStorage    set true to make every localStorage write fail (private mode).
// Elements: canvas#handheld (drawn 1:1 at 100 % on a 1x screen: its pixels are the frame
// fluffo-sim's "render" writes, the key colour transparent), #start the start screen with
// #play, #sound-on/#sound-off and #splash, #menu the pop-up menu, #box the error box,
// #off with #switch-on after "Exit".
"use strict";

(() => {
  const $ = (id) => document.getElementById(id);
  const canvas = $("handheld");
  const ctx = canvas.getContext("2d");
  const stage = $("stage");
  let frame = { w: 0, h: 0, cw: 0, ch: 0, full: false };
  let menuRows = [];
  let timer = 0;
  let started = false;
  const densityLoads = new Map(); // density -> the load of its pictures
  let allFiles = [];
  let zoomSteps = [100, 125, 150, 175, 200, 250, 300, 350, 400];
  let readyResolve;
  const ready = new Promise((resolve) => (readyResolve = resolve));

  // Strings into and out of the program.
  const call = (name, ret, types, args) => Module.ccall(name, ret, types, args);

  // Local storage, which a browser may refuse (private browsing, a full quota).
  const storage = {
    get(name) {
      try { return localStorage.getItem(name); } catch (e) { return null; }
    },
    set(name, text) {
      if (window.fluffo.refuseStorage) return false;
      try { localStorage.setItem(name, text); return true; } catch (e) { return false; }
    },
    remove(name) {
      try { localStorage.removeItem(name); } catch (e) { /* nothing kept to take away */ }
    },
    names() {
      try { return Object.keys(localStorage); } catch (e) { return []; }
    },
  };

  // Web Audio: one context; it sounds from the player's first gesture on.
  const audio = { context: null, buffers: new Map(), playing: new Set(), next: 1 };
  function audioContext() {
    if (!audio.context) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return null;
      audio.context = new Context();
    }
    return audio.context;
  }
  function wakeAudio() {
    if (audio.context && audio.context.state === "suspended") audio.context.resume();
  }
  window.addEventListener("pointerdown", wakeAudio, true);
  window.addEventListener("keydown", wakeAudio, true);

  function beep() {
    const c = audioContext();
    if (!c) return;
    const osc = c.createOscillator();
    const gain = c.createGain();
    osc.frequency.value = 880;
    gain.gain.value = 0.1;
    osc.connect(gain).connect(c.destination);
    osc.start();
    osc.stop(c.currentTime + 0.12);
  }

  // Boxes and windows of the page.
  const errors = [];
  function showError(text) {
    errors.push(text);
    if (errors.length === 1) showNextError();
  }
  function showNextError() {
    if (!errors.length) { $("box").hidden = true; return; }
    $("box-text").textContent = errors[0];
    $("box").hidden = false;
    $("box-ok").focus();
  }
  $("box-ok").addEventListener("click", () => { errors.shift(); showNextError(); });

  function readText(file) {
    try { return Module.FS.readFile(file, { encoding: "utf8" }); } catch (e) { return null; }
  }
  function openDocument(file) {
    const text = readText(file);
    if (text === null) { showError('The file "' + file + '" cannot be found.'); return; }
    $("doc-title").textContent = file;
    $("doc-text").textContent = text;
    $("doc").hidden = false;
    $("doc-close").focus();
  }
  $("doc-close").addEventListener("click", () => { $("doc").hidden = true; });

  function showWindow(name, state) {
    if (name === "start") showStartScreen(state);
    else if (window.fluffoWindows && window.fluffoWindows[name]) window.fluffoWindows[name](state);
  }
  function hideWindow(name) {
    if (name === "start") $("start").hidden = true;
    else window.fluffoWindows.hide(name);
  }

  function showStartScreen(s) {
    $("start-title").textContent = s.title;
    $("start-version").textContent = s.version;
    $("start-release").textContent = s.release;
    $("sound-on").checked = s.sound === 0 || s.sound === 1;
    $("sound-off").checked = s.sound === 2;
    $("splash").checked = s.splash;
    $("play").disabled = !s.play;
    $("start").hidden = false;
    $("play").focus();
  }
  const startScreen = (what, value) => call("fluffo_start_screen", null, ["number", "number"], [what, value]);
  $("sound-on").addEventListener("change", () => startScreen(0, 0));
  $("sound-off").addEventListener("change", () => startScreen(0, 2));
  $("splash").addEventListener("change", () => startScreen(1, $("splash").checked ? 1 : 0));
  $("play").addEventListener("click", () => { audioContext(); wakeAudio(); startScreen(2, 0); });
  $("start-website").addEventListener("click", (e) => { e.preventDefault(); startScreen(3, 0); });
  $("start-email").addEventListener("click", (e) => { e.preventDefault(); startScreen(3, 1); });

  // The canvas.
  function frameSize(w, h, cw, ch, full) {
    frame = { w, h, cw, ch, full };
    canvas.width = w;
    canvas.height = h;
    // A screen narrower than the handheld (a phone) shows it smaller; the pointer's places are
    // taken back to the handheld's own size.
    canvas.style.width = cw + "px";
    canvas.style.height = "auto";
    document.body.classList.toggle("fullscreen", full);
    if (full && !document.fullscreenElement && stage.requestFullscreen) {
      stage.requestFullscreen().catch(() => call("fluffo_fullscreen_left", null, [], []));
    } else if (!full && document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    }
  }
  function blit(ptr, fw, x, y, w, h) {
    const bytes = new Uint8ClampedArray(Module.HEAPU8.buffer, ptr, fw * frame.h * 4);
    ctx.putImageData(new ImageData(bytes, fw, frame.h), 0, 0, x, y, w, h);
  }
  // The in-game menu's rows, over the frame in client pixels.
  function drawMenuRows(json) {
    menuRows = JSON.parse(json);
    if (!menuRows.length) return;
    const s = frame.w / (frame.cw / Module._fluffo_zoom());
    ctx.save();
    ctx.scale(s, s);
    ctx.font = "14px Arial, 'Liberation Sans', sans-serif";
    ctx.textBaseline = "middle";
    for (const r of menuRows) {
      if (r.opaque) { ctx.fillStyle = "#000"; ctx.fillRect(r.x, r.y, r.w, r.h); }
      ctx.fillStyle = r.enabled ? "#fff" : "#808080";
      ctx.fillText(r.text, r.x, r.y + r.h / 2);
    }
    ctx.restore();
  }
  const cursors = ["default", "pointer", "help"];

  // The one timer the handheld's scheduler is aimed with.
  function aim(delay) {
    if (timer) clearTimeout(timer);
    timer = 0;
    if (delay < 0) return;
    timer = setTimeout(() => { timer = 0; Module._fluffo_timer(); }, delay);
  }
  // A tab the browser slowed catches up at once when it is looked at again.
  document.addEventListener("visibilitychange", () => {
    if (!document.hidden && started) Module._fluffo_timer();
  });

  function switchedOff() {
    aim(-1);
    stage.hidden = true;
    $("off").hidden = false;
    $("switch-on").focus();
  }
  $("switch-on").addEventListener("click", () => location.reload());

  window.Module = {
    page: {
      frameSize, blit, menuRows: drawMenuRows, aim,
      cursor: (shape) => { canvas.style.cursor = cursors[shape] || "default"; },
      setShown: (shown) => { stage.hidden = !shown; if (shown) $("start").hidden = true; },
      screenWidth: () => screen.width || window.innerWidth,
      screenHeight: () => screen.height || window.innerHeight,
      showError, openDocument, beep, switchedOff, showWindow, hideWindow,
      manualFrame: (...a) => window.fluffoWindows.manualFrame(...a),
      windowCursor: (...a) => window.fluffoWindows.windowCursor(...a),
      openAddress: (a) => window.open(a, "_blank", "noopener"),
      storageGet: storage.get, storageSet: storage.set, storageRemove: storage.remove,
      storageNames: storage.names,
      audioOpen: () => !!audioContext(),
      audioLoad(file) {
        let bytes;
        try { bytes = Module.FS.readFile(file); } catch (e) { return 0; }
        const handle = audio.next++;
        const c = audioContext();
        if (c) {
          c.decodeAudioData(bytes.slice().buffer).then((b) => audio.buffers.set(handle, b), () => {});
        }
        return handle;
      },
      audioPlay(handle) {
        const b = audio.buffers.get(handle);
        if (!b || !audio.context) return;
        const src = audio.context.createBufferSource();
        src.buffer = b;
        src.connect(audio.context.destination);
        src.onended = () => audio.playing.delete(src);
        audio.playing.add(src);
        src.start();
      },
      audioStopAll() {
        for (const src of audio.playing) { try { src.stop(); } catch (e) { /* ended */ } }
        audio.playing.clear();
      },
    },
    // The program's .wasm comes through the page's own fetch, so that the offline cache keeps it.
    instantiateWasm(imports, receive) {
      fetchKept("fluffo-core.wasm")
        .then((r) => WebAssembly.instantiateStreaming(r.clone(), imports)
          .catch(() => r.arrayBuffer().then((b) => WebAssembly.instantiate(b, imports))))
        .then((result) => receive(result.instance), (e) => showError(String(e)));
      return {};
    },
    onRuntimeInitialized: () => load().catch((e) => showError(String(e))),
  };

  // The offline cache, under the name sw.js keeps the site by. On a first visit, before any
  // service worker answers, the page keeps what it fetches itself and then the files it runs
  // (from the browser's HTTP cache), and registers the worker only then: the worker's install
  // finds them kept, so no file crosses the network twice.
  const siteCache = (window.caches && location.protocol !== "file:" &&
                     !(navigator.serviceWorker && navigator.serviceWorker.controller))
    ? caches.open("fluffo-@SITE_VERSION@").catch(() => null) : Promise.resolve(null);
  const keeping = [];
  function keep(path, response) {
    keeping.push(siteCache.then((c) => c && c.put(path, response)).catch(() => {}));
  }
  async function fetchKept(path) {
    const response = await fetch(path);
    if (response.ok) keep(path, response.clone());
    return response;
  }
  async function keepPage() {
    if (!(await siteCache)) return;
    const page = await fetch(location.href.replace(/[?#].*$/, ""), { cache: "force-cache" });
    if (page.ok) { keep("./", page.clone()); keep("index.html", page); }
    for (const file of ["style.css", "windows.js", "png.js", "fluffo.js", "fluffo-core.js", "manifest.webmanifest"]) {
      keeping.push(fetch(file, { cache: "force-cache" }).then((r) => r.ok && keep(file, r), () => {}));
    }
    while (keeping.length) await keeping.shift();
  }

  // The data: every file into the program's file system, the PNG and JPEG pictures decoded
  // by the browser and handed over as pixels; picture variants only for the densities used.
  function densityOf(file) {
    const m = /@(\d)x\.[^/.]+$/.exec(file);
    return m ? Number(m[1]) : 1;
  }
  // A PNG is read by the page's own reader (png.js), whose pixels are libpng's; a JPEG (no
  // alpha to round) and any PNG that reader leaves are decoded by the browser.
  async function browserPixels(blob) {
    const bitmap = await createImageBitmap(blob, { premultiplyAlpha: "none", colorSpaceConversion: "none" });
    const c = document.createElement("canvas");
    c.width = bitmap.width;
    c.height = bitmap.height;
    const cx = c.getContext("2d", { willReadFrequently: true });
    cx.drawImage(bitmap, 0, 0);
    return { width: bitmap.width, height: bitmap.height,
             rgba: cx.getImageData(0, 0, bitmap.width, bitmap.height).data };
  }
  async function decodePicture(path, bytes, opaque) {
    const picture = (!opaque && (await window.fluffoPng.decode(bytes))) ||
      (await browserPixels(new Blob([bytes])));
    const ptr = Module._malloc(picture.rgba.length);
    Module.HEAPU8.set(picture.rgba, ptr);
    call("fluffo_keep_picture", null, ["string", "number", "number", "number", "number"],
         [path, picture.width, picture.height, ptr, opaque ? 1 : 0]);
    Module._free(ptr);
  }
  async function loadFile(path) {
    const response = await fetchKept(path);
    if (!response.ok) throw new Error("The page's file " + path + " did not load");
    const lower = path.toLowerCase();
    if (lower.endsWith(".png") || lower.endsWith(".jpg") || lower.endsWith(".jpeg")) {
      await decodePicture(path, new Uint8Array(await response.arrayBuffer()), !lower.endsWith(".png"));
      return;
    }
    const bytes = new Uint8Array(await response.arrayBuffer());
    const dir = path.substring(0, path.lastIndexOf("/"));
    if (dir) Module.FS.mkdirTree(dir);
    Module.FS.writeFile(path, bytes);
  }
  async function loadAll(files) {
    let i = 0;
    const worker = async () => { while (i < files.length) await loadFile(files[i++]); };
    await Promise.all(Array.from({ length: 8 }, worker));
  }
  // The variants for a size: the density its screen pixels need, up to the largest drawn.
  // Each density is loaded once; a size asked for while it loads waits for the same load.
  function loadDensityFor(percent) {
    const density = Math.min(3, Math.ceil((percent / 100) * (window.devicePixelRatio || 1) - 1e-9));
    const loads = [];
    for (let d = 2; d <= density; ++d) {
      if (!densityLoads.has(d)) densityLoads.set(d, loadAll(allFiles.filter((f) => densityOf(f) === d)));
      loads.push(densityLoads.get(d));
    }
    return Promise.all(loads);
  }
  async function load() {
    const list = await (await fetchKept("files.txt")).text();
    allFiles = list.split("\n").filter((f) => f);
    await loadAll(allFiles.filter((f) => densityOf(f) === 1));
    const stored = Number(storage.get("WindowZoom"));
    await loadDensityFor(zoomSteps.includes(stored) ? stored : 100);
    call("fluffo_start", null, ["number", "number", "number", "number"], [1, 0, -1, 0]);
    started = true;
    readyResolve();
    await keepPage();
    if ("serviceWorker" in navigator && location.protocol !== "file:") {
      navigator.serviceWorker.register("sw.js").catch(() => {});
    }
  }

  // Keys: a held key acts once (the browser's repeats are ignored); the start screen, the
  // page's boxes and windows take them first.
  const modifiers = (e) => (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0) | (e.metaKey ? 8 : 0);
  let pendingSize = null; // a size asked for while its pictures still load
  function sizeStep(e) {
    if (!e.ctrlKey || e.altKey) return null;
    const current = pendingSize !== null ? pendingSize : Module._fluffo_zoom() * 100;
    const i = zoomSteps.findIndex((p) => Math.abs(p - current) < 0.5);
    if (e.key === "+" || e.key === "=") return zoomSteps[Math.min(zoomSteps.length - 1, i + 1)];
    if (e.key === "-" || e.key === "_") return zoomSteps[Math.max(0, i - 1)];
    if (e.key === "0" || e.key === ")") return 100;
    return null;
  }
  function keyEvent(e, down) {
    if (!started) return;
    if (!$("box").hidden || !$("doc").hidden) {
      if (down && (e.key === "Escape" || e.key === "Enter")) {
        e.preventDefault();
        if (!$("box").hidden) $("box-ok").click(); else $("doc-close").click();
      }
      return;
    }
    if (window.fluffoWindows && window.fluffoWindows.key && window.fluffoWindows.key(e, down)) return;
    if (!$("menu").hidden) {
      if (down && e.key === "Escape") { e.preventDefault(); closeMenu(); }
      return;
    }
    if (!$("start").hidden) {
      if (down && !e.repeat && call("fluffo_start_screen_key", "number", ["string"], [e.code])) e.preventDefault();
      return;
    }
    if (e.repeat) { e.preventDefault(); return; }
    const step = down ? sizeStep(e) : null;
    if (step !== null) {
      e.preventDefault();
      const code = e.code;
      const key = e.key;
      const mods = modifiers(e);
      pendingSize = step;
      loadDensityFor(step).then(() => {
        call("fluffo_key", null, ["string", "string", "number", "number"], [code, key, 1, mods]);
        if (pendingSize === step) pendingSize = null;
      });
      return;
    }
    if (/^(Arrow|Digit|Key|Numpad|F\d|Enter|Escape|Space)/.test(e.code) && !e.ctrlKey && !e.metaKey) e.preventDefault();
    call("fluffo_key", null, ["string", "string", "number", "number"], [e.code, e.key, down ? 1 : 0, modifiers(e)]);
  }
  // The keys the handheld holds: a page that loses the keyboard never hears their release, so
  // it lets them go itself.
  const held = new Map();
  window.addEventListener("keydown", (e) => { if (!e.repeat) held.set(e.code, e.key); keyEvent(e, true); });
  window.addEventListener("keyup", (e) => { held.delete(e.code); keyEvent(e, false); });
  window.addEventListener("blur", () => {
    for (const [code, key] of held) {
      if (started) call("fluffo_key", null, ["string", "string", "number", "number"], [code, key, 0, 0]);
    }
    held.clear();
  });

  // The pointer: the mouse, a pen and a finger on the drawn buttons; a right click or a long
  // press opens the menu. The page never moves: a drag on the case does nothing.
  let longPress = 0;
  let pressAt = null;
  const pointer = (kind, e, button) => {
    const r = canvas.getBoundingClientRect();
    const shrink = r.width > 0 ? frame.cw / r.width : 1;
    call("fluffo_pointer", null, ["number", "number", "number", "number"],
         [kind, (e.clientX - r.left) * shrink, (e.clientY - r.top) * shrink, button]);
  };
  canvas.addEventListener("pointerdown", (e) => {
    if (!e.isPrimary) return;
    e.preventDefault();
    canvas.setPointerCapture(e.pointerId);
    pointer(0, e, e.button);
    if (e.pointerType !== "mouse") {
      pressAt = { x: e.clientX, y: e.clientY };
      longPress = setTimeout(() => { longPress = 0; openMenu(e.clientX, e.clientY); }, 600);
    }
  });
  canvas.addEventListener("pointermove", (e) => {
    if (!e.isPrimary) return;
    if (longPress && pressAt && Math.hypot(e.clientX - pressAt.x, e.clientY - pressAt.y) > 12) {
      clearTimeout(longPress);
      longPress = 0;
    }
    pointer(2, e, e.buttons & 1 ? 1 : 0);
  });
  const pointerEnd = (e) => {
    if (!e.isPrimary) return;
    if (longPress) { clearTimeout(longPress); longPress = 0; }
    pointer(1, e, e.button < 0 ? 0 : e.button);
  };
  canvas.addEventListener("pointerup", pointerEnd);
  canvas.addEventListener("pointercancel", pointerEnd);
  canvas.addEventListener("pointerleave", (e) => { if (e.pointerType === "mouse") pointer(3, e, 0); });
  canvas.addEventListener("contextmenu", (e) => { e.preventDefault(); openMenu(e.clientX, e.clientY); });
  // Ctrl with the wheel: a step larger away from the player, smaller towards.
  canvas.addEventListener("wheel", (e) => {
    if (!e.ctrlKey || !e.deltaY) return;
    e.preventDefault();
    const step = sizeStep({ ctrlKey: true, altKey: false, key: e.deltaY < 0 ? "+" : "-" });
    loadDensityFor(step).then(() => Module._fluffo_set_zoom(step));
  }, { passive: false });

  // The pop-up menu, built from the program's own entries each time it opens.
  const menu = $("menu");
  function closeMenu() { menu.hidden = true; }
  function openMenu(x, y) {
    if (!menu.hidden || !started) return;
    const m = JSON.parse(call("fluffo_open_menu", "string", [], []));
    if (!m.entries) return;
    zoomSteps = m.sizes;
    menu.textContent = "";
    m.entries.forEach((entry, i) => {
      if (entry.separator) { menu.appendChild(document.createElement("hr")); return; }
      const item = document.createElement("button");
      item.id = entry.name;
      item.className = "item" + (i === m.default ? " default" : "");
      item.innerHTML = '<span class="mark"></span><span class="caption"></span><span class="key"></span>';
      item.querySelector(".mark").textContent = entry.checkable && entry.checked ? "✓" : "";
      item.querySelector(".caption").textContent = entry.caption;
      item.querySelector(".key").textContent = entry.shortcut;
      item.addEventListener("click", () => { closeMenu(); call("fluffo_menu_command", null, ["number"], [i]); });
      menu.appendChild(item);
      if (entry.size_after) {
        const sizes = document.createElement("div");
        sizes.className = "sizes";
        sizes.id = "pm_size";
        sizes.textContent = "Size ";
        for (const p of m.sizes) {
          const b = document.createElement("button");
          b.id = "pm_size_" + p;
          b.textContent = p + " %";
          b.className = p === m.size ? "current" : "";
          b.addEventListener("click", () => { closeMenu(); loadDensityFor(p).then(() => Module._fluffo_set_zoom(p)); });
          sizes.appendChild(b);
        }
        menu.appendChild(sizes);
      }
    });
    menu.hidden = false;
    const w = menu.offsetWidth;
    const h = menu.offsetHeight;
    menu.style.left = Math.max(0, Math.min(x, window.innerWidth - w)) + "px";
    menu.style.top = Math.max(0, Math.min(y, window.innerHeight - h)) + "px";
  }
  document.addEventListener("pointerdown", (e) => { if (!menu.hidden && !menu.contains(e.target)) closeMenu(); });

  // The browser's own leaving of fullscreen (its Esc) is the player's switch back.
  document.addEventListener("fullscreenchange", () => {
    if (!document.fullscreenElement && frame.full) call("fluffo_fullscreen_left", null, [], []);
  });
  let resizeTimer = 0;
  window.addEventListener("resize", () => {
    clearTimeout(resizeTimer);
    resizeTimer = setTimeout(() => { if (started) Module._fluffo_viewport_changed(); }, 150);
  });

  // Gamepads through the Gamepad API, with the desktop's mapping: polled only while one is
  // connected.
  const padButtons = [[0, 0], [1, 1], [2, 2], [3, 3], [8, 4], [9, 5], [12, 6], [13, 7], [14, 8], [15, 9]];
  const padState = new Map();
  let padPolling = false;
  function pollPads() {
    const pads = navigator.getGamepads ? Array.from(navigator.getGamepads()).filter((p) => p) : [];
    for (const p of pads) {
      const held = padState.get(p.index) || {};
      for (const [index, button] of padButtons) {
        const down = !!(p.buttons[index] && p.buttons[index].pressed);
        if (!!held[button] !== down) {
          held[button] = down;
          call("fluffo_pad_button", null, ["number", "number", "number"], [p.index, button, down ? 1 : 0]);
        }
      }
      padState.set(p.index, held);
      const axis = (v) => Math.max(-32768, Math.min(32767, Math.round((v || 0) * 32767)));
      Module._fluffo_pad_stick(p.index, axis(p.axes[0]), axis(p.axes[1]));
    }
    padPolling = pads.length > 0;
    if (padPolling) requestAnimationFrame(pollPads);
  }
  window.addEventListener("gamepadconnected", () => { if (!padPolling && started) { padPolling = true; requestAnimationFrame(pollPads); } });
  window.addEventListener("gamepaddisconnected", (e) => { padState.delete(e.gamepad.index); Module._fluffo_pad_removed(e.gamepad.index); });

  // The test surface.
  const parseAnswers = (text) => text.split("\n").filter((l) => l).map((l) => JSON.parse(l));
  window.fluffo = {
    ready,
    refuseStorage: false,
    state: () => JSON.parse(call("fluffo_state", "string", [], [])),
    script: (text) => parseAnswers(call("fluffo_script", "string", ["string"], [String(text)])),
    restart(opts = {}) {
      const virtual = (opts.clock || "virtual") === "virtual";
      const memory = (opts.store || "memory") === "memory";
      $("start").hidden = true;
      call("fluffo_start", null, ["number", "number", "number", "number"], [0, virtual ? 1 : 0, opts.seed === undefined ? 0 : opts.seed, memory ? 1 : 0]);
    },
    realTime: () => Module._fluffo_follow_real_time(),
  };

  const core = document.createElement("script");
  core.src = "fluffo-core.js";
  document.body.appendChild(core);
})();
