// The page's own PNG reader, so that a picture's pixels are exactly what the desktop program's
// libpng gives (a browser's 2D canvas keeps premultiplied colours and rounds a partly
// see-through pixel): window.fluffoPng.decode(bytes) resolves to {width, height, rgba} (four
// bytes a pixel, colours not premultiplied) for a non-interlaced picture of 8-bit grey, grey
// with alpha, RGB or RGBA, or 1- to 8-bit grey or palette, tRNS included; to null for any other
// PNG (16-bit, interlaced, a gamma other than sRGB's), which the page then leaves to the browser.
"use strict";

window.fluffoPng = (() => {
  const signature = [137, 80, 78, 71, 13, 10, 26, 10];
  const channelsOf = { 0: 1, 2: 3, 3: 1, 4: 2, 6: 4 };
  const inflating = typeof DecompressionStream === "function";

  // The chunks that matter, or null for a file this reader leaves to the browser.
  function chunks(bytes) {
    if (bytes.length < 8 || signature.some((b, i) => bytes[i] !== b)) return null;
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const png = { idat: [], size: 0, palette: null, trns: null };
    for (let at = 8; at + 12 <= bytes.length;) {
      const length = view.getUint32(at);
      const name = String.fromCharCode(...bytes.subarray(at + 4, at + 8));
      const data = bytes.subarray(at + 8, at + 8 + length);
      if (data.length !== length) return null;
      if (name === "IHDR") {
        png.width = view.getUint32(at + 8);
        png.height = view.getUint32(at + 12);
        png.depth = data[8];
        png.type = data[9];
        if (data[12] !== 0 || !(png.type in channelsOf)) return null;
        const lowDepth = png.type === 0 || png.type === 3 ? [1, 2, 4, 8] : [8];
        if (!lowDepth.includes(png.depth)) return null;
      } else if (name === "PLTE") {
        png.palette = data;
      } else if (name === "tRNS") {
        png.trns = data;
      } else if (name === "gAMA") {
        // libpng takes a picture without it, or with sRGB's 1/2.2, as it stands.
        if (Math.abs(view.getUint32(at + 8) - 45455) > 1000) return null;
      } else if (name === "IDAT") {
        png.idat.push(data);
        png.size += length;
      } else if (name === "IEND") {
        break;
      }
      at += 12 + length;
    }
    if (!png.width || !png.height || !png.idat.length) return null;
    if (png.type === 3 && !png.palette) return null;
    return png;
  }

  async function inflate(parts) {
    const stream = new Blob(parts).stream().pipeThrough(new DecompressionStream("deflate"));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // Undoes the rows' filters: the rows' bytes without their filter bytes, or null.
  function unfilter(raw, stride, height, bpp) {
    if (raw.length < height * (stride + 1)) return null;
    const rows = new Uint8Array(height * stride);
    for (let y = 0; y < height; ++y) {
      const filter = raw[y * (stride + 1)];
      const src = y * (stride + 1) + 1;
      const out = y * stride;
      const up = out - stride;
      if (filter === 0) {
        rows.set(raw.subarray(src, src + stride), out);
      } else if (filter === 1) {
        for (let x = 0; x < stride; ++x) {
          rows[out + x] = raw[src + x] + (x >= bpp ? rows[out + x - bpp] : 0);
        }
      } else if (filter === 2) {
        for (let x = 0; x < stride; ++x) rows[out + x] = raw[src + x] + (y ? rows[up + x] : 0);
      } else if (filter === 3) {
        for (let x = 0; x < stride; ++x) {
          const a = x >= bpp ? rows[out + x - bpp] : 0;
          const b = y ? rows[up + x] : 0;
          rows[out + x] = raw[src + x] + ((a + b) >> 1);
        }
      } else if (filter === 4) {
        for (let x = 0; x < stride; ++x) {
          const a = x >= bpp ? rows[out + x - bpp] : 0;
          const b = y ? rows[up + x] : 0;
          const c = x >= bpp && y ? rows[up + x - bpp] : 0;
          const pa = Math.abs(b - c), pb = Math.abs(a - c), pc = Math.abs(a + b - 2 * c);
          rows[out + x] = raw[src + x] + (pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
        }
      } else {
        return null;
      }
    }
    return rows;
  }

  // The rows as RGBA, as libpng's expansion makes them.
  function toRgba(png, rows, stride) {
    const { width, height, depth, type, palette, trns } = png;
    const rgba = new Uint8Array(width * height * 4);
    const perByte = 8 / depth;
    const mask = (1 << depth) - 1;
    const scale = 255 / mask;
    const sample = (rowAt, x) => depth === 8 ? rows[rowAt + x]
      : (rows[rowAt + Math.floor(x / perByte)] >> (8 - depth * (1 + (x % perByte)))) & mask;
    const key = trns && trns.length >= 2 ? (trns[0] << 8) | trns[1] : -1;
    const keyRgb = type === 2 && trns && trns.length >= 6
      ? [(trns[0] << 8) | trns[1], (trns[2] << 8) | trns[3], (trns[4] << 8) | trns[5]] : null;
    for (let y = 0; y < height; ++y) {
      const rowAt = y * stride;
      for (let x = 0; x < width; ++x) {
        const o = (y * width + x) * 4;
        if (type === 6) {
          rgba.set(rows.subarray(rowAt + x * 4, rowAt + x * 4 + 4), o);
        } else if (type === 2) {
          const r = rows[rowAt + x * 3], g = rows[rowAt + x * 3 + 1], b = rows[rowAt + x * 3 + 2];
          rgba[o] = r; rgba[o + 1] = g; rgba[o + 2] = b;
          rgba[o + 3] = keyRgb && r === keyRgb[0] && g === keyRgb[1] && b === keyRgb[2] ? 0 : 255;
        } else if (type === 4) {
          const g = rows[rowAt + x * 2];
          rgba[o] = g; rgba[o + 1] = g; rgba[o + 2] = g; rgba[o + 3] = rows[rowAt + x * 2 + 1];
        } else if (type === 0) {
          const v = sample(rowAt, x);
          const g = Math.round(v * scale);
          rgba[o] = g; rgba[o + 1] = g; rgba[o + 2] = g; rgba[o + 3] = v === key ? 0 : 255;
        } else {
          const i = sample(rowAt, x);
          if (i * 3 + 2 < palette.length) {
            rgba[o] = palette[i * 3]; rgba[o + 1] = palette[i * 3 + 1]; rgba[o + 2] = palette[i * 3 + 2];
          }
          rgba[o + 3] = trns && i < trns.length ? trns[i] : 255;
        }
      }
    }
    return rgba;
  }

  async function decode(bytes) {
    if (!inflating) return null;
    const png = chunks(bytes);
    if (!png) return null;
    const channels = channelsOf[png.type];
    const stride = Math.ceil((png.width * channels * png.depth) / 8);
    const bpp = Math.max(1, (channels * png.depth) / 8);
    let raw;
    try { raw = await inflate(png.idat); } catch (e) { return null; }
    const rows = unfilter(raw, stride, png.height, bpp);
    if (!rows) return null;
    return { width: png.width, height: png.height, rgba: toRgba(png, rows, stride) };
  }

  return { decode };
})();
