// Reads the pixels of a PNG (8 bits a channel, RGB or RGBA, not interlaced: what
// Chromium writes), enough to compare colours.
import { inflateSync } from "node:zlib";

export function readPng(buffer) {
    let at = 8;
    let width = 0, height = 0, channels = 0;
    const data = [];
    while (at < buffer.length) {
        const length = buffer.readUInt32BE(at);
        const type = buffer.toString("latin1", at + 4, at + 8);
        const body = buffer.subarray(at + 8, at + 8 + length);
        if (type === "IHDR") {
            width = body.readUInt32BE(0);
            height = body.readUInt32BE(4);
            if (body[8] !== 8 || body[12] !== 0) throw new Error("unsupported PNG");
            channels = { 2: 3, 6: 4 }[body[9]];
            if (!channels) throw new Error("unsupported PNG colour type");
        } else if (type === "IDAT") data.push(body);
        at += 12 + length;
    }
    const raw = inflateSync(Buffer.concat(data));
    const stride = width * channels;
    const pixels = Buffer.alloc(height * stride);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
        for (let x = 0; x < stride; ++x) {
            const a = x >= channels ? pixels[y * stride + x - channels] : 0;
            const b = y > 0 ? pixels[(y - 1) * stride + x] : 0;
            const c = x >= channels && y > 0 ? pixels[(y - 1) * stride + x - channels] : 0;
            let value = line[x];
            if (filter === 1) value += a;
            else if (filter === 2) value += b;
            else if (filter === 3) value += (a + b) >> 1;
            else if (filter === 4) {
                const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
                value += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            }
            pixels[y * stride + x] = value & 0xff;
        }
    }
    return { width, height, channels, pixels };
}

// The share of each colour (4 bits a channel) in the top `rows` rows of an image.
export function colourShares(image, rows = image.height, columns = image.width) {
    const counts = new Map();
    for (let y = 0; y < rows; ++y)
        for (let x = 0; x < columns; ++x) {
            const i = (y * image.width + x) * image.channels;
            const key = ((image.pixels[i] >> 4) << 8) | ((image.pixels[i + 1] >> 4) << 4) | (image.pixels[i + 2] >> 4);
            counts.set(key, (counts.get(key) ?? 0) + 1);
        }
    const total = rows * columns;
    return new Map([...counts].map(([k, n]) => [k, n / total]));
}

// How much two colour distributions have in common, 0 to 1.
export function overlap(a, b) {
    let shared = 0;
    for (const [key, share] of a) shared += Math.min(share, b.get(key) ?? 0);
    return shared;
}
