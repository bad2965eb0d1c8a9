// SPDX-License-Identifier: GPL-3.0-or-later
// What the browser test scripts share: their arguments, a fresh work
// folder, Debian's Chromium, and the failures they collect.
import { chromium } from 'playwright-core';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

// --name value pairs; every name in `needed` must be given. The --work folder
// is emptied.
export function readArgs(needed) {
  const args = Object.fromEntries(process.argv.slice(2)
    .reduce((pairs, arg, i, all) => (arg.startsWith('--') ? [...pairs, [arg.slice(2), all[i + 1]]] : pairs), []));
  for (const name of needed) {
    if (!args[name]) { console.error(`missing --${name}`); process.exit(2); }
  }
  fs.rmSync(args.work, { recursive: true, force: true });
  fs.mkdirSync(args.work, { recursive: true });
  return args;
}

export const failures = [];
export function check(condition, what) {
  if (!condition) failures.push(what);
  return condition;
}

// Exits 1 listing (the first `shown`) failures, or says `passed`.
export function finish(passed, shown = failures.length) {
  if (failures.length) {
    console.error(failures.slice(0, shown).map((f) => 'FAIL ' + f).join('\n'));
    if (shown < failures.length) console.error(`${failures.length} failures`);
    process.exit(1);
  }
  console.log(passed);
}

export const chromiumPath = process.env.CHROMIUM || '/usr/bin/chromium';

// A headless Chromium with a profile of its own that may read local files;
// close() also removes the profile.
export async function openChromium(options = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tarvex4-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--allow-file-access-from-files'],
    ...options,
  });
  const close = context.close.bind(context);
  context.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return context;
}

// ImageMagick's RMSE of the two pictures, normalised to 0..1 (it prints
// "absolute (normalised)" on its error stream).
export function rmse(a, b) {
  const run = spawnSync('compare', ['-metric', 'RMSE', a, b, 'null:'], { encoding: 'utf8' });
  const found = /\(([0-9.e+-]+)\)/.exec(run.stderr);
  if (!found) throw new Error(`compare failed: ${run.stderr}`);
  return Number(found[1]);
}

// Every item's box inside the page's container (its frame left out), as
// getBoundingClientRect gives it, a picture's that of its image, with the
// font size of its text: { id: { left, top, width, height, size } }.
export const containerBoxes = (tab) => tab.evaluate(() => {
  const container = document.getElementById('pagecontainer');
  const outer = container.getBoundingClientRect();
  const x0 = outer.left + container.clientLeft;
  const y0 = outer.top + container.clientTop;
  const result = {};
  for (const item of container.querySelectorAll(':scope > div')) {
    const r = (item.querySelector('img[name]') || item).getBoundingClientRect();
    const size = parseFloat(getComputedStyle(item.querySelector('span') || item).fontSize);
    result[item.id] = { left: r.left - x0, top: r.top - y0, width: r.width, height: r.height, size };
  }
  return result;
});
