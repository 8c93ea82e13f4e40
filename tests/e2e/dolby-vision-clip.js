// Writes a copy of an MP4 whose first HEVC sample entry ("hvc1") carries a
// Dolby Vision configuration record, for the import tests; the host's FFmpeg
// cannot write one. The movie box must follow the media data (FFmpeg's
// default), so no chunk offset moves.
// Usage: node dolby-vision-clip.js <source.mp4> <output.mp4> <profile> <compatibility id> <entry type>
'use strict';
const fs = require('fs');
const [source, output, profileText, compatibilityText, entryType] = process.argv.slice(2);
const profile = Number(profileText);
const bytes = fs.readFileSync(source);

// The boxes from `start` to `end`: [offset, size, type].
function* boxes(start, end) {
  for (let at = start; at + 8 <= end;) {
    const size = bytes.readUInt32BE(at);
    if (size < 8) return;
    yield [at, size, bytes.toString('latin1', at + 4, at + 8)];
    at += size;
  }
}

// The chain of boxes down `path` from the span, or null.
function find(start, end, path) {
  for (const [at, size, type] of boxes(start, end)) {
    if (type !== path[0]) continue;
    if (path.length === 1) return [[at, size]];
    const rest = find(at + (type === 'stsd' ? 16 : 8), at + size, path.slice(1));
    if (rest) return [[at, size], ...rest];
  }
  return null;
}

let chain = null;
for (const [moov, moovSize, type] of boxes(0, bytes.length)) {
  if (type !== 'moov') continue;
  for (const [trak, trakSize, t] of boxes(moov + 8, moov + moovSize)) {
    const rest = t === 'trak' && find(trak + 8, trak + trakSize, ['mdia', 'minf', 'stbl', 'stsd', 'hvc1']);
    if (rest) {
      chain = [[moov, moovSize], [trak, trakSize], ...rest];
      break;
    }
  }
}
if (!chain || chain[0][0] < bytes.indexOf('mdat', 0, 'latin1')) {
  console.error(`${source}: no hvc1 entry in a movie box after the data`);
  process.exit(1);
}
// Version 1.0; the profile at level 6 with an RPU and a base layer; the
// base layer's compatibility id.
const record = Buffer.alloc(24);
record[0] = 1;
record.writeUInt16BE((profile << 9) | (6 << 3) | 5, 2);
record[4] = Number(compatibilityText) << 4;
const box = Buffer.alloc(8);
box.writeUInt32BE(8 + record.length, 0);
box.write(profile > 7 ? 'dvvC' : 'dvcC', 4, 'latin1');
const [entry, entrySize] = chain[chain.length - 1];
const out = Buffer.concat([bytes.subarray(0, entry + entrySize), box, record, bytes.subarray(entry + entrySize)]);
for (const [at, size] of chain) out.writeUInt32BE(size + box.length + record.length, at);
out.write(entryType, entry + 4, 'latin1');
fs.writeFileSync(output, out);
