// SPDX-License-Identifier: GPL-3.0-or-later
// Turned items drawn as Chromium draws them: a page of text snips, letters
// and pictures, every item turned by its own angle with transform:rotate(),
// exported to PNG and compared with Chromium's screenshot of the page's
// container: normalised RMSE at most 0.012, as for upright pages. The boxes
// the export lists are the upright rectangles around the turned items, as
// getBoundingClientRect gives them, within 2 px.
//
// node rotated_page.test.mjs --exe <tarvex4> --export <tarvex4-export> --data <data> --work <dir>
import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { chromiumPath, containerBoxes, failures, finish, readArgs, rmse } from './harness.mjs';

const args = readArgs(['exe', 'export', 'data', 'work']);
const kMostRmse = 0.012;
const kMostPixels = 2;
const mainText = path.join(args.work, 'main.txt');
fs.writeFileSync(mainText, 'the quick brown fox jumps over the lazy dog and the words fall where they will\n'.repeat(6));
const trackText = path.join(args.work, 'track.txt');
fs.writeFileSync(trackText, 'cut up the words and let them fall where they will\nanother line of track text\n');

// Angles a writer tilts snips by, and the awkward ones: a half turn, a quarter.
const kAngles = [15, -30, 90, 7, -45, 180, -1, 60, -90, 33.5];

// GO's page with every item turned; how many were.
function turnedPage(name, style, seed) {
  const out = path.join(args.work, name);
  execFileSync(args.exe, ['go', '--data', args.data, '--out', out, '--seed', String(seed), '--main', mainText,
    '--style', String(style), '--track', `1=${trackText}`, '--track-style', '1=2', '--whole', '1', '--words', '3',
    '--image-volume', '6', '--text-volume', '14'], { env: { ...process.env, TARVEX4_NO_OPEN: '1' } });
  const page = path.join(out, 'collage1.html');
  let turned = 0;
  const html = fs.readFileSync(page, 'utf8').replace(/(<div id='dpage(?:text|image)item\d+~'[^>]*?Z-INDEX:-?\d+)'/g,
    (all, start) => `${start};transform:rotate(${kAngles[turned++ % kAngles.length]}deg)'`);
  const rotated = path.join(out, 'rotated.html');
  fs.writeFileSync(rotated, html);
  return { page: rotated, turned };
}

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox'] });
const context = await browser.newContext({ deviceScaleFactor: 1 });
const said = [];
for (const [name, style, seed] of [['solid', 0, 7], ['clear', 1, 19]]) {
  const { page, turned } = turnedPage(name, style, seed);
  if (turned < 8) failures.push(`${name}: only ${turned} items were turned`);
  const exported = path.join(args.work, `${name}-export.png`);
  const list = path.join(args.work, `${name}-boxes.json`);
  execFileSync(args.export, [page, '--png', exported, '--boxes', list], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  const kinds = new Set(JSON.parse(fs.readFileSync(list, 'utf8')).map((box) => box.kind));
  if (!kinds.has('text') || !kinds.has('picture')) failures.push(`${name}: not text and pictures: ${[...kinds]}`);

  const tab = await context.newPage();
  await tab.setViewportSize({ width: 1280, height: 1200 });
  await tab.goto('file://' + page, { waitUntil: 'load' });
  const shown = await tab.evaluate(() => [...document.querySelectorAll('#pagecontainer > div')]
    .filter((item) => getComputedStyle(item).transform !== 'none').length);
  if (shown !== turned) failures.push(`${name}: Chromium turned ${shown} of ${turned} items`);
  const real = await containerBoxes(tab);
  for (const box of JSON.parse(fs.readFileSync(list, 'utf8'))) {
    const keys = ['left', 'top', 'width', 'height'];
    const laid = real[box.id] ?? {};
    const off = Math.max(...keys.map((key) => Math.abs(box[key] - laid[key])));
    if (!(off <= kMostPixels))
      failures.push(`${name}: ${box.id} drawn at ${keys.map((k) => Math.round(box[k]))}, ` +
        `Chromium ${keys.map((k) => Math.round(laid[k]))}`);
  }
  const chromiumShot = path.join(args.work, `${name}-chromium.png`);
  await tab.locator('#pagecontainer').screenshot({ path: chromiumShot });
  await tab.close();

  const difference = rmse(chromiumShot, exported);
  if (difference > kMostRmse)
    failures.push(`${name}: the export differs from Chromium's screenshot: normalised RMSE ${difference}`);
  said.push(`${name} ${turned} items, RMSE ${difference.toFixed(4)}`);
}
await browser.close();
finish(`turned items as Chromium draws them: ${said.join('; ')}`);
