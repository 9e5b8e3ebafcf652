// A small PNG reader for the tests: 8-bit greyscale, RGB and RGBA, not interlaced (what
// fluffo-sim's render and a browser's screenshot write). Returns {width, height, rgba}, four
// bytes a pixel; a file it cannot read throws.
import zlib from 'node:zlib';

const Signature = Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]);
const Channels = { 0: 1, 2: 3, 6: 4 };

function paeth(a, b, c) {
    const p = a + b - c;
    const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

export function read_png(bytes) {
    const buf = Buffer.from(bytes);
    if (!buf.subarray(0, 8).equals(Signature)) throw new Error('not a PNG file');
    let width = 0, height = 0, type = -1;
    const idat = [];
    for (let at = 8; at < buf.length;) {
        const length = buf.readUInt32BE(at);
        const name = buf.toString('latin1', at + 4, at + 8);
        const data = buf.subarray(at + 8, at + 8 + length);
        if (name === 'IHDR') {
            width = data.readUInt32BE(0);
            height = data.readUInt32BE(4);
            type = data[9];
            if (data[8] !== 8 || !(type in Channels) || data[12] !== 0)
                throw new Error(`PNG of depth ${data[8]}, type ${type}, interlace ${data[12]}`);
        } else if (name === 'IDAT') {
            idat.push(data);
        } else if (name === 'IEND') {
            break;
        }
        at += 12 + length;
    }
    const channels = Channels[type];
    const raw = zlib.inflateSync(Buffer.concat(idat));
    const stride = width * channels;
    if (raw.length < height * (stride + 1)) throw new Error('PNG data too short');
    const rows = Buffer.alloc(height * stride);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        const src = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
        const out = rows.subarray(y * stride, (y + 1) * stride);
        const up = y > 0 ? rows.subarray((y - 1) * stride, y * stride) : Buffer.alloc(stride);
        for (let x = 0; x < stride; ++x) {
            const a = x >= channels ? out[x - channels] : 0;
            const b = up[x];
            const c = x >= channels ? up[x - channels] : 0;
            const predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
            if (predictor === undefined) throw new Error(`PNG filter ${filter}`);
            out[x] = (src[x] + predictor) & 0xff;
        }
    }
    const rgba = Buffer.alloc(width * height * 4);
    for (let i = 0; i < width * height; ++i) {
        const p = rows.subarray(i * channels, (i + 1) * channels);
        if (channels === 1) rgba.set([p[0], p[0], p[0], 255], i * 4);
        else rgba.set([p[0], p[1], p[2], channels === 4 ? p[3] : 255], i * 4);
    }
    return { width, height, rgba };
}
