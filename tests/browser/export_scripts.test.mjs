// SPDX-License-Identifier: GPL-3.0-or-later
// Text in Arabic, Hebrew, Chinese and Japanese (and Latin, to compare) is
// drawn by the export as Chromium lays it out: a right-to-left word sits at
// the left of its box, since the page runs left to right, and ideographs break
// where Chromium breaks them. For one small page per script, every item box
// the export drew (its --boxes list) within 2 px of Chromium's, and the
// exported PNG against Chromium's screenshot of the page within a normalised
// RMSE of 0.015.
//
// node export_scripts.test.mjs --exe <tarvex4> --export <tarvex4-export> --data <data> --work <dir>
import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { check, chromiumPath, containerBoxes, failures, finish, readArgs, rmse } from './harness.mjs';

const args = readArgs(['exe', 'export', 'data', 'work']);
const kBoxTolerance = 2;
const kMostRmse = 0.015;

// Each script's words; `fallback`: the page's own face lacks its letters, so
// another font must draw them (else both sides show nothing and agree).
const texts = {
  latin: { lines: ['cut up the words and let them fall where they will on the page',
    'another line of text to cut into snips of a few words each'] },
  arabic: { fallback: true, lines: ['الكلمات تسقط حيث تشاء على الصفحة البيضاء',
    'قص النص ودع الحروف تجد طريقها 2024'] },
  hebrew: { lines: ['המילים נופלות היכן שהן רוצות על הדף הלבן',
    'גזור את הטקסט ותן לאותיות למצוא את דרכן'] },
  chinese: { fallback: true, lines: ['文字被剪开后随意落在白纸上，组成新的句子和意义。',
    '剪下文字，让每一个字找到自己的位置。'] },
  japanese: { fallback: true, lines: ['言葉は切り取られて白い紙の上に自由に落ちる。',
    '文章を切り、文字に自分の場所を見つけさせよう。'] },
};

// A page of text snips only: the main text cut two words a snip, and the
// whole text as one item in a box of the page's choosing.
function makePage(name, lines) {
  const text = path.join(args.work, `${name}.txt`);
  fs.writeFileSync(text, lines.join('\n') + '\n');
  const out = path.join(args.work, name);
  execFileSync(args.exe, ['go', '--data', args.data, '--out', out, '--seed', '5', '--main', text, '--words', '2',
    '--style', '0', '--track', `1=${text}`, '--whole', '1', '--track-style', '1=1', '--image-volume', '0',
    '--text-volume', '8'], { env: { ...process.env, TARVEX4_NO_OPEN: '1' } });
  return path.join(out, 'collage1.html');
}

function exportPage(page, png) {
  const list = page + '.boxes.json';
  execFileSync(args.export, [page, '--boxes', list, '--png', png], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  return JSON.parse(fs.readFileSync(list, 'utf8'));
}

// The fonts Chromium drew the page's text in.
async function fontsUsed(context, tab) {
  const cdp = await context.newCDPSession(tab);
  await cdp.send('DOM.enable');
  await cdp.send('CSS.enable');
  const { root } = await cdp.send('DOM.getDocument', { depth: -1 });
  const { nodeIds } = await cdp.send('DOM.querySelectorAll', { nodeId: root.nodeId, selector: '#pagecontainer span' });
  const families = new Set();
  for (const nodeId of nodeIds) {
    const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
    for (const font of fonts) families.add(font.familyName);
  }
  await cdp.detach();
  return families;
}

async function browserPage(context, page, screenshot) {
  const tab = await context.newPage();
  await tab.setViewportSize({ width: 1280, height: 1200 });
  await tab.goto('file://' + page, { waitUntil: 'load' });
  const boxes = await containerBoxes(tab);
  await tab.locator('#pagecontainer').screenshot({ path: screenshot });
  const fonts = await fontsUsed(context, tab);
  await tab.close();
  return { boxes, fonts };
}

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox'] });
const context = await browser.newContext({ deviceScaleFactor: 1 });
const measured = [];
try {
  for (const [name, { lines, fallback }] of Object.entries(texts)) {
    const page = makePage(name, lines);
    const exported = path.join(args.work, `${name}.export.png`);
    const shot = path.join(args.work, `${name}.chromium.png`);
    const drawn = exportPage(page, exported);
    const { boxes: laid, fonts } = await browserPage(context, page, shot);
    if (fallback && !check(fonts.size > 1, `${name}: no font has its letters (fonts used: ${[...fonts]})`)) continue;
    let worst = 0;
    check(drawn.length >= 4, `${name}: only ${drawn.length} items drawn`);
    for (const box of drawn) {
      const real = laid[box.id];
      if (!check(real, `${name} ${box.id}: not on the page`)) continue;
      for (const key of ['left', 'top', 'width', 'height']) {
        const off = Math.abs(box[key] - real[key]);
        worst = Math.max(worst, off);
        check(off <= kBoxTolerance, `${name} ${box.id} ${key}: drawn ${box[key]}, Chromium ${real[key].toFixed(2)}`);
      }
    }
    const difference = rmse(shot, exported);
    check(difference <= kMostRmse, `${name}: RMSE ${difference.toFixed(4)} against Chromium's screenshot`);
    measured.push(`${name} ${difference.toFixed(4)} (boxes off by ${worst.toFixed(1)} px at most)`);
  }
} finally {
  await browser.close();
}
console.log(measured.join('\n'));
finish('every script drawn as Chromium lays it out', 40);
