// SPDX-License-Identifier: GPL-3.0-or-later
// A page arranged in Chromium comes back: an item is dragged with the mouse,
// the DOM is serialised as the browser has it and written beside the page,
// and the export program draws it. The dragged item is at its new box, and
// the export looks like Chromium's own screenshot of the dragged page.
//
// node dragged_page.test.mjs --exe <tarvex4> --export <tarvex4-export> --data <data> --work <dir>
// SEED and IMAGEVOL (default 3 and 1) choose another page, say a busier one.
import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { chromiumPath, containerBoxes, failures, finish, readArgs, rmse } from './harness.mjs';

const args = readArgs(['exe', 'export', 'data', 'work']);
const mainText = path.join(args.work, 'main.txt');
fs.writeFileSync(mainText, 'the quick brown fox jumps over the lazy dog and the words fall where they will\n'.repeat(6));
const out = path.join(args.work, 'out');
const trackText = path.join(args.work, 'track.txt');
fs.writeFileSync(trackText, 'cut up the words and let them fall where they will\nanother line of track text\n');
execFileSync(args.exe, ['go', '--data', args.data, '--out', out, '--seed', process.env.SEED || '3', '--main', mainText, '--style', '0',
  '--track', `1=${trackText}`, '--track-style', '1=1', '--whole', '1', '--words', '3', '--image-volume', process.env.IMAGEVOL || '1',
  '--text-volume', '12'], { env: { ...process.env, TARVEX4_NO_OPEN: '1' } });
const original = path.join(out, 'collage1.html');

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox'] });
const context = await browser.newContext({ deviceScaleFactor: 1 });
const tab = await context.newPage();
await tab.setViewportSize({ width: 1000, height: 1200 });
await tab.goto('file://' + original, { waitUntil: 'load' });
const before = await containerBoxes(tab);
// The topmost text snip, taken at its middle and dragged right and down.
const id = await tab.evaluate(() => [...document.querySelectorAll('#pagecontainer > div[id^=dpagetextitem]')]
  .filter((item) => item.textContent.trim()).sort((a, b) => Number(b.style.zIndex) - Number(a.style.zIndex))[0].id);
const handle = await tab.$(`[id="${id}"]`);
const start = await handle.boundingBox();
const [dx, dy] = [63, 41];
await tab.mouse.move(start.x + 5, start.y + 5);
await tab.mouse.down();
await tab.mouse.move(start.x + 5 + dx / 2, start.y + 5 + dy / 2, { steps: 4 });
await tab.mouse.move(start.x + 5 + dx, start.y + 5 + dy, { steps: 4 });
await tab.mouse.up();
const after = await containerBoxes(tab);
const moved = after[id];
if (Math.abs(moved.left - before[id].left - dx) > 1 || Math.abs(moved.top - before[id].top - dy) > 1)
  failures.push(`the drag did not move ${id}: ${JSON.stringify(before[id])} -> ${JSON.stringify(moved)}`);

const dragged = path.join(out, 'dragged.html');
fs.writeFileSync(dragged, '<!DOCTYPE html>\n' + await tab.evaluate(() => document.documentElement.outerHTML));
const chromiumShot = path.join(args.work, 'chromium.png');
await tab.locator('#pagecontainer').screenshot({ path: chromiumShot });
await browser.close();

const exported = path.join(args.work, 'export.png');
const list = path.join(args.work, 'boxes.json');
try {
  execFileSync(args.export, [dragged, '--png', exported, '--boxes', list],
    { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: ['ignore', 'ignore', 'pipe'] });
} catch (error) {
  finish(failures.push(`the export refused the page Chromium saved: ${error.stderr}`));
}
const drawn = Object.fromEntries(JSON.parse(fs.readFileSync(list, 'utf8')).map((box) => [box.id, box]));
for (const [itemId, real] of Object.entries(after)) {
  const box = drawn[itemId];
  if (!box) { failures.push(`${itemId} was not read`); continue; }
  for (const key of ['left', 'top', 'width']) {
    if (Math.abs(box[key] - real[key]) > 2) failures.push(`${itemId} ${key}: drawn ${box[key]}, Chromium ${real[key]}`);
  }
}

// Both pictures are the container with its 1 px frame.
const difference = rmse(chromiumShot, exported);
if (difference > 0.012) failures.push(`the export differs from Chromium's screenshot: normalised RMSE ${difference}`);
finish(`dragged page: ${id} moved by ${dx},${dy}, read back there; RMSE against Chromium ${difference.toFixed(4)}`);
