#!/usr/bin/env node
// Generates data/pinyin.txt: the toneless readings of every character in the
// GB2312 Chinese area of GBK (lead byte 0xB0..0xF7, trail byte 0xA1..0xFE,
// 72 x 94 = 6,768 code points), customary reading first.
//
// Line format (UTF-8, LF):
//   <4 upper-case hex digits of the GBK code> <character> <reading> [<reading> ...]
// or the hex alone for a code point that holds no character (D7FA..D7FE).
// Readings are lower-case ASCII without tones, ü written as v, de-duplicated.
// The first letter of the first reading is the character's pinyin initial.
//
// Usage (from the repository root):
//   npm ci --prefix tools && node tools/gen_pinyin.mjs
// Readings come from the pinyin-pro package pinned in tools/package.json, so
// the same package version always yields the same bytes.

import { createRequire } from 'node:module';
import { writeFileSync, mkdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const toolsDir = dirname(fileURLToPath(import.meta.url));
const repoRoot = dirname(toolsDir);
const outPath = join(repoRoot, 'data', 'pinyin.txt');

const require = createRequire(join(toolsDir, 'package.json'));
const { pinyin } = require('pinyin-pro');
const pinyinProVersion = require('pinyin-pro/package.json').version;

// Characters whose reading list from the package is replaced outright: the
// package's first reading is not the customary one a quiz-taker would type.
// Keep this list short and give the reason for each entry.
const OVERRIDES = new Map([
  // (none needed with pinyin-pro 3.29.5; example shape:)
  // ['了', ['le', 'liao']],  // particle reading is the common one
]);

// Characters whose first reading is checked; the generator refuses to write a
// table in which any of these differ.
const REQUIRED_FIRST = [
  ['长', 'chang'], ['行', 'xing'], ['重', 'zhong'], ['乐', 'le'], ['的', 'de'],
  ['了', 'le'], ['和', 'he'], ['提', 'ti'], ['无', 'wu'], ['善', 'shan'],
  ['本', 'ben'], ['树', 'shu'], ['菩', 'pu'], ['明', 'ming'], ['镜', 'jing'],
  ['亦', 'yi'], ['非', 'fei'], ['台', 'tai'], ['何', 'he'], ['处', 'chu'],
  ['惹', 're'], ['尘', 'chen'], ['埃', 'ai'], ['二', 'er'], ['欧', 'ou'],
  ['饿', 'e'], ['恩', 'en'], ['昂', 'ang'], ['熬', 'ao'], ['安', 'an'],
  ['爱', 'ai'], ['鹅', 'e'],
];

// Whole phrases and the key they must produce.
const REQUIRED_KEYS = [
  ['善提本无树', 'STBWS'],
  ['菩提亦非台', 'PTYFT'],
  ['明镜亦非台', 'MJYFT'],
  ['何处惹尘埃', 'HCRCA'],
  ['二欧饿恩昂熬鹅', 'EOEEAAE'],
  ['的了和行重乐', 'DLHXZL'],
];

function fail(message) {
  console.error(`gen_pinyin: ${message}`);
  process.exit(1);
}

// Reduces one reading to toneless lower-case ASCII with ü as v.
function normalizeReading(raw) {
  const s = raw
    .normalize('NFD')
    .replace(/u\u0308/g, 'v') // ü (u + combining diaeresis) -> v, before marks are dropped
    .replace(/[\u0300-\u036f]/g, '')
    .toLowerCase();
  if (!/^[a-z]+$/.test(s)) return null;
  return s;
}

function readingsOf(ch) {
  if (OVERRIDES.has(ch)) return [...OVERRIDES.get(ch)];
  // multiple:true lists every reading of a single character, customary first.
  const raw = pinyin(ch, { multiple: true, type: 'array', toneType: 'symbol' });
  const out = [];
  for (const r of raw) {
    const n = normalizeReading(r);
    if (n === null) fail(`unexpected reading "${r}" for ${ch}`);
    if (!out.includes(n)) out.push(n);
  }
  return out;
}

// A decoded code point counts as an assigned character only if it is a
// single CJK ideograph; the unassigned GB2312 cells decode to private-use
// code points.
function isIdeograph(s) {
  return /^[\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff]$/u.test(s);
}

const decoder = new TextDecoder('gbk', { fatal: true });
const lines = [];
const table = new Map(); // character -> readings
let assigned = 0, single = 0, poly = 0, threePlus = 0;

for (let lead = 0xb0; lead <= 0xf7; lead++) {
  for (let trail = 0xa1; trail <= 0xfe; trail++) {
    const hex = ((lead << 8) | trail).toString(16).toUpperCase();
    let ch;
    try {
      ch = decoder.decode(new Uint8Array([lead, trail]));
    } catch {
      ch = null;
    }
    if (ch === null || !isIdeograph(ch)) {
      lines.push(hex);
      continue;
    }
    const readings = readingsOf(ch);
    if (readings.length === 0) fail(`no reading for ${hex} ${ch}`);
    if (table.has(ch)) fail(`character ${ch} appears twice (${hex})`);
    table.set(ch, readings);
    assigned++;
    if (readings.length === 1) single++;
    else poly++;
    if (readings.length >= 3) threePlus++;
    lines.push(`${hex} ${ch} ${readings.join(' ')}`);
  }
}

if (lines.length !== 72 * 94) fail(`expected 6768 lines, got ${lines.length}`);
const unassigned = lines.filter((l) => !l.includes(' '));
const expectedUnassigned = ['D7FA', 'D7FB', 'D7FC', 'D7FD', 'D7FE'];
if (unassigned.join() !== expectedUnassigned.join()) {
  fail(`unassigned code points are ${unassigned.join(' ')}, expected ${expectedUnassigned.join(' ')}`);
}

for (const [ch, want] of REQUIRED_FIRST) {
  const got = table.get(ch);
  if (!got) fail(`${ch} is missing from the table`);
  if (got[0] !== want) fail(`first reading of ${ch} is "${got[0]}", expected "${want}"`);
}
for (const [text, want] of REQUIRED_KEYS) {
  const got = [...text].map((c) => table.get(c)[0][0].toUpperCase()).join('');
  if (got !== want) fail(`key of ${text} is ${got}, expected ${want}`);
}

mkdirSync(dirname(outPath), { recursive: true });
writeFileSync(outPath, lines.join('\n') + '\n', 'utf8');

console.log(`pinyin-pro ${pinyinProVersion}; wrote ${outPath}`);
console.log(`code points: ${lines.length}`);
console.log(`assigned: ${assigned}`);
console.log(`with one reading: ${single}`);
console.log(`polyphonic: ${poly}`);
console.log(`with 3+ readings: ${threePlus}`);
console.log(`overrides applied: ${OVERRIDES.size}`);
