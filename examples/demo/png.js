'use strict';
// Just enough PNG for the viewer: the desktop's pictures are 8-bit RGB or RGBA, not
// interlaced. Decoded to RGB, then halved in each direction (2 x 2 averages).
const zlib = require('zlib');

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// -> { width, height, rgb: Buffer (3 bytes a pixel) }; throws on anything else.
function decodePng(bytes) {
  if (!Buffer.isBuffer(bytes) || bytes.length < 33 || !bytes.subarray(0, 8).equals(SIGNATURE)) {
    throw new Error('not a PNG');
  }
  let header = null;
  const data = [];
  for (let pos = 8; pos + 12 <= bytes.length;) {
    const length = bytes.readUInt32BE(pos);
    const type = bytes.toString('latin1', pos + 4, pos + 8);
    const body = bytes.subarray(pos + 8, pos + 8 + length);
    if (type === 'IHDR') {
      header = { width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8], colour: body[9],
        interlace: body[12] };
    } else if (type === 'IDAT') {
      data.push(body);
    } else if (type === 'IEND') {
      break;
    }
    pos += 12 + length;
  }
  if (!header || header.depth !== 8 || ![2, 6].includes(header.colour) || header.interlace !== 0) {
    throw new Error('PNG kind not supported (8-bit RGB or RGBA, not interlaced)');
  }
  const { width, height } = header;
  const channels = header.colour === 6 ? 4 : 3;
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  if (raw.length < height * (stride + 1)) throw new Error('PNG data too short');
  const rows = Buffer.alloc(height * stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const src = y * (stride + 1) + 1;
    const out = y * stride;
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? rows[out + i - channels] : 0;
      const b = y > 0 ? rows[out - stride + i] : 0;
      const c = i >= channels && y > 0 ? rows[out - stride + i - channels] : 0;
      const x = raw[src + i];
      let v;
      switch (filter) {
        case 0: v = x; break;
        case 1: v = x + a; break;
        case 2: v = x + b; break;
        case 3: v = x + ((a + b) >> 1); break;
        case 4: v = x + paeth(a, b, c); break;
        default: throw new Error(`PNG filter ${filter} unknown`);
      }
      rows[out + i] = v & 0xff;
    }
  }
  if (channels === 3) return { width, height, rgb: rows };
  const rgb = Buffer.alloc(width * height * 3);
  for (let p = 0, q = 0; p < rows.length; p += 4, q += 3) {
    rgb[q] = rows[p];
    rgb[q + 1] = rows[p + 1];
    rgb[q + 2] = rows[p + 2];
  }
  return { width, height, rgb };
}

function halve({ width, height, rgb }) {
  const w = width >> 1;
  const h = height >> 1;
  const out = Buffer.alloc(w * h * 3);
  for (let y = 0; y < h; ++y) {
    for (let x = 0; x < w; ++x) {
      const p = ((2 * y) * width + 2 * x) * 3;
      const q = p + width * 3;
      for (let k = 0; k < 3; ++k) {
        out[(y * w + x) * 3 + k] = (rgb[p + k] + rgb[p + 3 + k] + rgb[q + k] + rgb[q + 3 + k] + 2) >> 2;
      }
    }
  }
  return { width: w, height: h, rgb: out };
}

module.exports = { decodePng, halve };
