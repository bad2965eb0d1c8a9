// SPDX-License-Identifier: GPL-3.0-or-later
// Opens generated collage pages in a real Chromium and checks that they work:
// no script errors, every draggable item where its style puts it, dragging
// moves an item, its bottom-right corner resizes it, the page container stays,
// the letter pictures load, pictures of every kind the import takes (GIF,
// PNG, JPEG, WebP; from the library and the picture folder) load at their
// size, the page is read as UTF-8 and the capture link shows one canvas,
// also when clicked twice.
//
// node collage_page.test.mjs --exe <tarvex4> --data <data folder> --work <dir> [--screenshot <png>]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { check, finish, openChromium, readArgs } from './harness.mjs';

const args = readArgs(['exe', 'data', 'work']);
const seenFormats = new Set();

// ---- fixtures: texts and a folder of the user's own pictures ----
const mainText = path.join(args.work, 'main.txt');
fs.writeFileSync(mainText, Array.from({ length: 30 }, (_, i) =>
  `line ${i} the quick brown fox jumps over the lazy dog & <friends> 'quoted' Grüße café ✂`).join('\n'));
const trackText = path.join(args.work, 'track.txt');
fs.writeFileSync(trackText, 'cut up the words and let them fall where they will\nanother line of track text\n');
const pictures = path.join(args.work, 'pictures');
fs.mkdirSync(pictures);
for (const [from, to] of [['stampkit/a.gif', 'pic one.gif'], ['metal/b.gif', 'Pic#2.GIF'], ['lcd/c.gif', 'third.gif']]) {
  fs.copyFileSync(path.join(args.data, 'artfonts', from), path.join(pictures, to));
}
fs.writeFileSync(path.join(pictures, 'notes.txt'), 'not a picture');

// Pictures of every kind the import takes, made by ImageMagick: an animated
// GIF, a PNG with transparency, a JPEG turned by its EXIF orientation, a
// WebP, and a PNG whose name says nothing. Each is expected at this natural
// size in the browser (the turned JPEG upright, as the page's size says).
const made = {
  'anim.gif': ['-delay', '10', '-size', '40x30', 'xc:red', 'xc:blue', '-loop', '0'],
  'alpha.png': ['-size', '64x48', 'xc:none', '-fill', 'red', '-draw', 'circle 32,24 32,4'],
  'plain.jpg': ['-size', '300x200', 'plasma:fractal'],
  'w.webp': ['-size', '120x90', 'plasma:fractal'],
};
for (const [name, options] of Object.entries(made)) execFileSync('convert', [...options, path.join(pictures, name)]);
function withExifOrientation(jpeg, value) {
  const tiff = Buffer.from([0x4d, 0x4d, 0, 0x2a, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, value, 0, 0, 0, 0, 0, 0]);
  const body = Buffer.concat([Buffer.from('Exif\0\0', 'latin1'), tiff]);
  const head = Buffer.from([0xff, 0xe1, (body.length + 2) >> 8, (body.length + 2) & 0xff]);
  return Buffer.concat([jpeg.subarray(0, 2), head, body, jpeg.subarray(2)]);
}
fs.writeFileSync(path.join(pictures, 'turned.jpg'), withExifOrientation(fs.readFileSync(path.join(pictures, 'plain.jpg')), 6));
fs.renameSync(path.join(pictures, 'alpha.png'), path.join(pictures, 'scan'));
fs.copyFileSync(path.join(pictures, 'scan'), path.join(pictures, 'alpha.png'));
const naturalSizes = { 'anim.gif': [40, 30], 'alpha.png': [64, 48], 'scan.png': [64, 48], 'plain.jpg': [300, 200],
  'turned.jpg': [200, 300], 'w.webp': [120, 90] };

// The same pictures in the image library of a copy of the data, selected
// beside the delivered categories.
const data = path.join(args.work, 'data');
fs.cpSync(args.data, data, { recursive: true });
const runTarvex4 = (...options) => execFileSync(args.exe, options, { encoding: 'utf8', env: { ...process.env, TARVEX4_NO_OPEN: '1' } });
runTarvex4('images', 'import', pictures, '--new-category', 'Formats', '--data', data);
const categories = runTarvex4('images', 'list', '--data', data).trim().split('\n').map((line) => line.split('\t'));
runTarvex4('images', 'select', categories.filter((c) => c[3] === 'selected' || c[1] === 'Formats').map((c) => c[0]).join(','),
  '--data', data);

function makePage(name, style, landscape, seed, imageVolume = 8) {
  const out = path.join(args.work, name);
  const options = ['go', '--data', data, '--out', out, '--seed', String(seed), '--main', mainText,
    '--track', `1=${trackText}`, '--track', `2=${trackText}`, '--track-style', `1=${style}`,
    '--track-style', `2=${(style + 1) % 6}`, '--track-words', '2=3', '--words', '2', '--style', String(style),
    '--folder', pictures, '--image-volume', String(imageVolume), '--text-volume', '24'];
  if (landscape) options.push('--landscape');
  if (seed % 2) options.push('--text-under-images');
  const printed = execFileSync(args.exe, options, { encoding: 'utf8', env: { ...process.env, TARVEX4_NO_OPEN: '1' } });
  return printed.trim();
}

// ---- the checks on one page ----
async function checkPage(context, pagePath, label, screenshot) {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  await page.goto('file://' + pagePath, { waitUntil: 'load' });
  const encoding = await page.evaluate(() => document.characterSet);
  check(encoding === 'UTF-8', `${label}: the page is read as ${encoding}, not UTF-8`);

  const ids = await page.evaluate(() => {
    const script = [...document.scripts].map((s) => s.text).find((t) => t.includes('SET_DHTML('));
    return [...script.matchAll(/'([^']+)',/g)].map((m) => m[1]);
  });
  check(ids.length > 0, `${label}: the drag list names items`);

  // Every item is a child of the container, at the place its style gives.
  const placement = await page.evaluate((list) => list.map((id) => {
    const element = document.getElementById(id);
    if (!element) return { id, missing: true };
    return {
      id,
      inContainer: element.parentElement && element.parentElement.id === 'pagecontainer',
      styleLeft: parseInt(element.style.left, 10), styleTop: parseInt(element.style.top, 10),
      offsetLeft: element.offsetLeft, offsetTop: element.offsetTop,
      position: getComputedStyle(element).position, z: getComputedStyle(element).zIndex,
    };
  }), ids);
  for (const item of placement) {
    if (!check(!item.missing, `${label}: ${item.id} is on the page`)) continue;
    check(item.inContainer, `${label}: ${item.id} is inside the page container`);
    check(item.position === 'absolute', `${label}: ${item.id} is absolutely placed`);
    check(item.offsetLeft === item.styleLeft && item.offsetTop === item.styleTop,
      `${label}: ${item.id} at ${item.offsetLeft},${item.offsetTop}, its style says ${item.styleLeft},${item.styleTop}`);
  }

  // Every picture loaded: library pictures, folder pictures and letters.
  const broken = await page.evaluate(async () => {
    const images = [...document.images];
    await Promise.all(images.map((img) => (img.complete ? null : new Promise((r) => { img.onload = img.onerror = r; }))));
    return images.filter((img) => !(img.naturalWidth > 0)).map((img) => img.getAttribute('src'));
  });
  check(broken.length === 0, `${label}: pictures that did not load: ${broken.join(', ')}`);
  const sizes = await page.evaluate(() => [...document.images].map((img) =>
    [img.getAttribute('src'), img.naturalWidth, img.naturalHeight]));
  for (const [src, width, height] of sizes) {
    const expected = naturalSizes[src];
    if (expected) check(width === expected[0] && height === expected[1],
      `${label}: ${src} shows at ${width} x ${height}, not ${expected.join(' x ')}`);
    if (expected) seenFormats.add(src);
  }

  const container = async () => page.evaluate(() => {
    const r = document.getElementById('pagecontainer').getBoundingClientRect();
    return [r.left, r.top, r.width, r.height].join(',');
  });
  const containerBefore = await container();

  // An item whose middle and bottom-right corner are not covered by another.
  const target = await page.evaluate((list) => {
    for (const id of list.slice().reverse()) {
      const element = document.getElementById(id);
      const r = element.getBoundingClientRect();
      if (r.width < 30 || r.height < 30 || r.right > innerWidth - 60 || r.bottom > innerHeight - 60) continue;
      const owns = (x, y) => element.contains(document.elementFromPoint(x, y));
      if (owns(r.left + Math.min(r.width / 2, 60), r.top + Math.min(r.height / 2, 12)) && owns(r.right - 3, r.bottom - 3)) {
        return { id, left: r.left, top: r.top, width: r.width, height: r.height };
      }
    }
    return null;
  }, ids);
  if (check(target !== null, `${label}: an item free to drag`)) {
    const rect = async () => page.evaluate((id) => {
      const r = document.getElementById(id).getBoundingClientRect();
      return { left: r.left, top: r.top, width: r.width, height: r.height };
    }, target.id);
    const rx = target.left + target.width - 3, ry = target.top + target.height - 3;
    await page.mouse.move(rx, ry);
    await page.mouse.down();
    await page.mouse.move(rx + 15, ry + 10, { steps: 5 });
    await page.mouse.move(rx + 30, ry + 20, { steps: 5 });
    await page.mouse.up();
    const resized = await rect();
    check(resized.width >= target.width + 25 && resized.height >= target.height + 15 &&
      Math.abs(resized.left - target.left) <= 1 && Math.abs(resized.top - target.top) <= 1,
      `${label}: dragging the corner of ${target.id} by 30,20 resized it from ` +
      `${target.width}x${target.height} to ${resized.width}x${resized.height}`);
    const cx = target.left + Math.min(target.width / 2, 60), cy = target.top + Math.min(target.height / 2, 12);
    const before = await rect();
    await page.mouse.move(cx, cy);
    await page.mouse.down();
    await page.mouse.move(cx + 20, cy + 15, { steps: 5 });
    await page.mouse.move(cx + 40, cy + 30, { steps: 5 });
    await page.mouse.up();
    const moved = await rect();
    check(Math.abs(moved.left - before.left - 40) <= 2 && Math.abs(moved.top - before.top - 30) <= 2,
      `${label}: dragging ${target.id} by 40,30 moved it by ${moved.left - before.left},${moved.top - before.top}`);

  }

  // Pressing on the container itself moves nothing.
  const free = await page.evaluate(() => {
    const c = document.getElementById('pagecontainer').getBoundingClientRect();
    for (let y = c.top + 5; y < Math.min(c.bottom, innerHeight) - 5; y += 17) {
      for (let x = c.left + 5; x < Math.min(c.right, innerWidth) - 5; x += 17) {
        if (document.elementFromPoint(x, y) === document.getElementById('pagecontainer')) return { x, y };
      }
    }
    return null;
  });
  if (free) {
    await page.mouse.move(free.x, free.y);
    await page.mouse.down();
    await page.mouse.move(free.x + 50, free.y + 50, { steps: 5 });
    await page.mouse.up();
  }
  check(await container() === containerBefore, `${label}: the page container stays where it is`);

  if (screenshot) await page.screenshot({ path: screenshot, fullPage: true });

  // The capture link renders the body into a canvas appended to it.
  const link = page.locator('a', { hasText: '[Do FireFox Capture]' });
  if (check(await link.count() === 1, `${label}: the capture link is on the page`)) {
    await link.click();
    try {
      await page.waitForFunction(() => document.body.lastElementChild && document.body.lastElementChild.tagName === 'CANVAS',
        null, { timeout: 20000 });
      // A second capture replaces the first instead of capturing it too.
      await page.evaluate(() => { document.querySelector('canvas').id = 'first-capture'; });
      await link.click();
      await page.waitForFunction(() => !document.getElementById('first-capture') &&
        document.getElementsByTagName('canvas').length === 1, null, { timeout: 20000 });
    } catch (e) {
      check(false, `${label}: the capture link gave no single canvas: ${e.message.split('\n')[0]}`);
    }
  }
  check(errors.length === 0, `${label}: script errors: ${errors.join(' | ')}`);
  await page.close();
}

const context = await openChromium({ viewport: { width: 1400, height: 1250 } });
try {
  let seed = 11;
  for (let style = 0; style < 6; style++) {
    for (const landscape of [false, true]) {
      const label = `style ${style} ${landscape ? 'landscape' : 'portrait'}`;
      const pagePath = makePage(`page-${style}-${landscape ? 'l' : 'p'}`, style, landscape, seed++);
      const shot = style === 0 && !landscape && args.screenshot ? args.screenshot : null;
      await checkPage(context, pagePath, label, shot);
    }
  }
  // Pages full of pictures, so that every kind is drawn.
  for (const extra of [1, 2, 3, 4]) await checkPage(context, makePage(`pictures-${extra}`, 0, false, 100 + extra, 20), `pictures ${extra}`);
} finally {
  await context.close();
}

check(seenFormats.size === Object.keys(naturalSizes).length,
  `the pages showed only ${[...seenFormats].join(', ')} of ${Object.keys(naturalSizes).join(', ')}`);
finish('all collage pages pass in Chromium');
