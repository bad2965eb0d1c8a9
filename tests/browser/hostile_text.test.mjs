// SPDX-License-Identifier: GPL-3.0-or-later
// A page made from a text full of markup, quotes, ampersands and emoji: the
// browser must show the text as it was written and run none of it.
//
// node hostile_text.test.mjs --exe <tarvex4> --data <data folder> --work <dir>
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { check, finish, openChromium, readArgs } from './harness.mjs';

const args = readArgs(['exe', 'data', 'work']);

const lines = [
  `<script>window.__ran = 'script'</script> "double" 'single' & &amp; </div> </span>`,
  `<img src=x onerror="window.__ran='img'"> <b onclick=alert(1)>bold?</b> 😀 🎨 naïve`,
  `</font></div></center><script>alert(1)</script> x<y && y>z '--><!--'`,
];
const expected = lines.join(' ').replace(/\s+/g, ' ').trim();

const textFile = path.join(args.work, 'hostile.txt');
fs.writeFileSync(textFile, lines.join('\n') + '\n');

function makePage(name, extra) {
  const out = path.join(args.work, name);
  const options = ['go', '--data', args.data, '--out', out, '--seed', '3', '--image-volume', '2',
    '--text-volume', '12', ...extra];
  return execFileSync(args.exe, options, { encoding: 'utf8', env: { ...process.env, TARVEX4_NO_OPEN: '1' },
    stdio: ['ignore', 'pipe', 'ignore'] }).trim();
}

// The whole text as one item (track 1 used whole), and the main text cut up.
const wholePage = makePage('whole', ['--no-main', '--track', `1=${textFile}`, '--whole', '1', '--track-style', '1=1']);
const cutPage = makePage('cut', ['--main', textFile, '--words', '7', '--style', '0', '--track-off', '1']);

const context = await openChromium();
try {
  for (const [label, pagePath] of [['whole', wholePage], ['cut', cutPage]]) {
    const page = await context.newPage();
    const dialogs = [];
    const errors = [];
    page.on('dialog', async (dialog) => { dialogs.push(dialog.message()); await dialog.dismiss(); });
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto('file://' + pagePath, { waitUntil: 'load' });
    await page.waitForTimeout(200);
    const seen = await page.evaluate(() => ({
      ran: window.__ran || null,
      scripts: document.scripts.length,
      images: [...document.images].filter((i) => i.src.endsWith('/x')).length,
      bolds: document.querySelectorAll('#pagecontainer b').length,
      items: [...document.querySelectorAll('[id^=dpagetextitem]')].map((e) => e.textContent.replace(/\s+/g, ' ').trim()),
    }));
    check(seen.ran === null, `${label}: text ran as script (${seen.ran})`);
    check(dialogs.length === 0, `${label}: a dialog opened: ${dialogs.join(' | ')}`);
    check(seen.images === 0 && seen.bolds === 0, `${label}: a tag of the text became an element`);
    check(seen.scripts === 4, `${label}: the page has ${seen.scripts} scripts, not its own 4`);
    check(errors.length === 0, `${label}: script errors: ${errors.join(' | ')}`);
    check(seen.items.length > 0, `${label}: no text items`);
    if (label === 'whole') {
      const differing = seen.items.find((t) => t !== '' && t !== expected);
      check(seen.items.includes(expected), `${label}: the whole text is on no item`);
      check(differing === undefined, `${label}: shown ${JSON.stringify(differing)}, written ${JSON.stringify(expected)}`);
    } else {
      const words = expected.split(' ');
      // With the tracks off every other item has no snip and stays empty.
      for (const item of seen.items.filter((t) => t !== '')) {
        check(item.split(' ').every((w) => words.includes(w)), `${label}: "${item}" is not made of the text's words`);
      }
      check(seen.items.some((t) => /[<&😀]/u.test(t)), `${label}: no item shows a '<', '&' or emoji literally`);
    }
    await page.close();
  }
} finally {
  await context.close();
}

finish('the hostile text is shown as written and runs nothing');
