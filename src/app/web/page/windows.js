// The page's other windows (about, manual viewer, key settings), drawn from what the program
// sends and handing every key, click and choice back to its logic. Loaded before fluffo.js,
// which forwards the program's calls here.
"use strict";

window.fluffoWindows = (() => {
  const $ = (id) => document.getElementById(id);
  const call = (name, ret, types, args) => Module.ccall(name, ret, types, args);
  let open = null; // the window that takes the keys
  const show = (name) => { $(name).hidden = false; open = name; };

  function about(state) {
    const box = $("about");
    box.textContent = "";
    const table = document.createElement("table");
    state.rows.forEach((row, i) => {
      const tr = table.insertRow();
      tr.insertCell().textContent = row.caption;
      const value = tr.insertCell();
      value.id = "la_" + row.name + "_2";
      const link = i >= state.rows.length - 2;
      const text = document.createElement(link ? "a" : "b");
      text.textContent = row.value;
      if (link) {
        text.href = "#";
        const which = i - (state.rows.length - 2);
        text.addEventListener("click", (e) => { e.preventDefault(); call("fluffo_about_link", null, ["number"], [which]); });
      }
      value.appendChild(text);
    });
    box.appendChild(table);
    const close = document.createElement("button");
    close.textContent = "OK";
    close.addEventListener("click", () => hide("about"));
    box.appendChild(close);
    show("about");
    close.focus();
  }

  // The manual's page arrives composed; the pointer goes back to the viewer's logic.
  const page = $("manual-page");
  const pageCtx = page.getContext("2d");
  function manualFrame(ptr, w, h, cw, ch) {
    if (page.width !== w || page.height !== h) { page.width = w; page.height = h; }
    page.style.width = cw + "px";
    page.style.height = ch + "px";
    const bytes = new Uint8ClampedArray(Module.HEAPU8.buffer, ptr, w * h * 4);
    pageCtx.putImageData(new ImageData(bytes.slice(), w, h), 0, 0);
    if ($("manual").hidden) show("manual");
  }
  const manualPointer = (kind, e, button) => {
    const r = page.getBoundingClientRect();
    call("fluffo_manual_pointer", null, ["number", "number", "number", "number"], [kind, e.clientX - r.left, e.clientY - r.top, button]);
  };
  page.addEventListener("pointerdown", (e) => { e.preventDefault(); page.setPointerCapture(e.pointerId); manualPointer(0, e, e.button); });
  page.addEventListener("pointermove", (e) => manualPointer(2, e, e.buttons & 1 ? 1 : 0));
  page.addEventListener("pointerup", (e) => manualPointer(1, e, e.button));
  page.addEventListener("pointercancel", (e) => manualPointer(3, e, 0));
  page.addEventListener("contextmenu", (e) => e.preventDefault());
  const cursors = ["default", "pointer", "help"];
  function windowCursor(name, shape) { if (name === "manual") page.style.cursor = cursors[shape] || "default"; }

  // Key settings: seven boxes, the labels of a key chosen twice in red, Accept.
  const labels = ["Game A", "Game B", "Time", "Up", "Left", "Right", "Down"];
  function keys(state) {
    const box = $("keys");
    if (box.hidden || !box.querySelector("select")) {
      box.textContent = "";
      const heading = document.createElement("p");
      heading.innerHTML = "<b><u>Main operations</u></b> · <b><u>Game controls</u></b>";
      box.appendChild(heading);
      const table = document.createElement("table");
      labels.forEach((label, i) => {
        const tr = table.insertRow();
        const name = tr.insertCell();
        name.id = "la_key_" + (i + 1);
        name.textContent = label;
        const select = document.createElement("select");
        select.id = "cb_key_" + (i + 1);
        const none = document.createElement("option");
        none.value = "-1";
        none.textContent = "";
        select.appendChild(none);
        state.items.forEach((text, j) => {
          const o = document.createElement("option");
          o.value = String(j);
          o.textContent = text;
          select.appendChild(o);
        });
        select.addEventListener("change", () => call("fluffo_keys_select", null, ["number", "number"], [i + 1, Number(select.value)]));
        tr.insertCell().appendChild(select);
      });
      box.appendChild(table);
      const accept = document.createElement("button");
      accept.id = "btn_accept";
      accept.textContent = "- ACCEPT -";
      accept.addEventListener("click", () => call("fluffo_keys_accept", null, [], []));
      box.appendChild(accept);
      show("keys");
    }
    state.boxes.forEach((b, i) => {
      $("cb_key_" + (i + 1)).value = String(b.selection);
      $("la_key_" + (i + 1)).classList.toggle("twice", b.red);
    });
    $("btn_accept").disabled = !state.accept;
  }

  function hide(name) {
    $(name).hidden = true;
    if (open === name) open = null;
  }

  // Keys go to the open window first; Esc closes the about window and the manual there.
  function key(e, down) {
    if (!open) return false;
    if (e.repeat) { e.preventDefault(); return true; }
    const name = open;
    const taken = call("fluffo_window_key", "number", ["string", "string", "number"], [name, e.code, down ? 1 : 0]);
    if (taken || /^(Arrow|Escape|Enter)/.test(e.code)) e.preventDefault();
    return true;
  }

  return { about, manual: () => {}, keys, hide, key, manualFrame, windowCursor };
})();
