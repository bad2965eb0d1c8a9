// SPDX-License-Identifier: GPL-3.0-or-later
// The export draws each item where Chromium lays it out: pages of every text
// style, both orientations, with pictures and letters; for every item the box
// the export program drew (its --boxes list) against getBoundingClientRect
// relative to the page container's inside. Left, top and width within 2 px;
// height within one text line for text snips, 2 px for pictures and letters.
//
// node export_fidelity.test.mjs --exe <tarvex4> --export <tarvex4-export> --data <data> --work <dir>
//   [--side-by-side <png>]   (Chromium's screenshot and the export of one page, for the docs)
import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { chromiumPath, containerBoxes, failures, finish, readArgs } from './harness.mjs';

const args = readArgs(['exe', 'export', 'data', 'work']);
const mainText = path.join(args.work, 'main.txt');
fs.writeFileSync(mainText, Array.from({ length: 12 }, (_, i) =>
  `line ${i} the quick brown fox jumps over the lazy dog and then some rather longer words appear`).join('\n'));
const trackText = path.join(args.work, 'track.txt');
fs.writeFileSync(trackText, 'cut up the words and let them fall where they will\nanother line of track text\n');

function makePage(name, style, landscape, seed) {
  const out = path.join(args.work, name);
  const options = ['go', '--data', args.data, '--out', out, '--seed', String(seed), '--main', mainText,
    '--track', `1=${trackText}`, '--track-style', `1=${(style + 2) % 6}`, '--words', String(1 + (seed % 5)),
    '--style', String(style), '--image-volume', '10', '--text-volume', '30', '--whole', '1'];
  if (landscape) options.push('--landscape');
  execFileSync(args.exe, options, { encoding: 'utf8', env: { ...process.env, TARVEX4_NO_OPEN: '1' } });
  return path.join(out, 'collage1.html');
}

function drawnBoxes(page, png) {
  const list = page + '.boxes.json';
  const extra = png ? ['--png', png] : [];
  try {
    execFileSync(args.export, [page, '--boxes', list, ...extra], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  } catch (error) {
    failures.push(`${page}: the export program failed: ${error.stderr}`);
    return [];
  }
  return JSON.parse(fs.readFileSync(list, 'utf8'));
}

async function browserBoxes(context, page, screenshot) {
  const tab = await context.newPage();
  await tab.setViewportSize({ width: 1280, height: 1200 });
  await tab.goto('file://' + page, { waitUntil: 'load' });
  const boxes = await containerBoxes(tab);
  if (screenshot) {
    await tab.locator('#pagecontainer').screenshot({ path: screenshot });
  }
  await tab.close();
  return boxes;
}

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox'] });
const context = await browser.newContext({ deviceScaleFactor: 1 });
let compared = 0;
const kinds = {};
const worst = { text: 0, letters: 0, picture: 0 };
for (let style = 0; style <= 5; ++style) {
  for (const landscape of [false, true]) {
    const seed = 11 + style * 2 + (landscape ? 1 : 0);
    const name = `s${style}${landscape ? 'l' : 'p'}`;
    const page = makePage(name, style, landscape, seed);
    const sideBySide = args['side-by-side'] && style === 0 && !landscape;
    const exported = sideBySide ? path.join(args.work, 'export.png') : null;
    const drawn = drawnBoxes(page, exported);
    const laid = await browserBoxes(context, page, sideBySide ? path.join(args.work, 'chromium.png') : null);
    for (const box of drawn) {
      const real = laid[box.id];
      if (!real) { failures.push(`${name} ${box.id}: not on the page`); continue; }
      ++compared;
      kinds[box.kind] = (kinds[box.kind] || 0) + 1;
      const line = Math.max(real.size * 1.25, 20);
      const heightTolerance = box.kind === 'text' ? line : 2;
      for (const [key, tolerance] of [['left', 2], ['top', 2], ['width', 2], ['height', heightTolerance]]) {
        const off = Math.abs(box[key] - real[key]);
        if (key === 'height') worst[box.kind] = Math.max(worst[box.kind], off);
        if (off > tolerance) {
          failures.push(`${name} ${box.id} (${box.kind}) ${key}: drawn ${box[key]}, Chromium ${real[key].toFixed(2)}`);
        }
      }
    }
  }
}
await browser.close();

if (args['side-by-side']) {
  // The two pictures next to each other, Chromium's on the left.
  execFileSync('convert', [path.join(args.work, 'chromium.png'), path.join(args.work, 'export.png'), '+append',
    '-resize', '50%', args['side-by-side']]);
}

console.log(`${compared} items compared (${JSON.stringify(kinds)}); largest height difference: ${JSON.stringify(worst)}`);
if (!kinds.text || !kinds.letters || !kinds.picture) failures.push(`not every kind of item was compared: ${JSON.stringify(kinds)}`);
finish('export fidelity: every box as Chromium lays it out', 40);
