// SPDX-License-Identifier: GPL-3.0-or-later
// A page the cut-up board saved, opened in a real Chromium: the item moved on
// the board is at its new box, and the page still runs its drag script.
//
// node board_page.test.mjs --board-test <test_ui_board> --data <data folder> --work <dir>
import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { chromiumPath, failures, finish, readArgs } from './harness.mjs';

const args = readArgs(['board-test', 'data', 'work']);
// The window test drags, resizes, nudges, stacks and deletes on the board, saves, and keeps the page here.
execFileSync(args['board-test'], ['--gtest_filter=*ArrangedByMouseAndKeys*'], {
  stdio: ['ignore', 'ignore', 'inherit'],
  env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', TARVEX4_NO_OPEN: '1', TARVEX4_BOARD_KEEP: args.work },
});
fs.cpSync(path.join(args.data, 'artfonts'), path.join(args.work, 'artfonts'), { recursive: true });
const [id, left, top, width] = fs.readFileSync(path.join(args.work, 'moved.txt'), 'utf8').trim().split(' ');

const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox'] });
const page = await browser.newPage();
const errors = [];
page.on('pageerror', (error) => errors.push(error.message));
await page.goto('file://' + path.join(args.work, 'board.html'), { waitUntil: 'load' });
const box = await page.evaluate((itemId) => {
  const container = document.getElementById('pagecontainer').getBoundingClientRect();
  const item = document.getElementById(itemId).getBoundingClientRect();
  // Inside the container's 1 px frame, as the page states positions.
  return { left: item.left - container.left - 1, top: item.top - container.top - 1, width: item.width };
}, id);
if (Math.abs(box.left - Number(left)) > 0.5 || Math.abs(box.top - Number(top)) > 0.5 || Math.abs(box.width - Number(width)) > 0.5)
  failures.push(`${id} is at ${JSON.stringify(box)}, the board put it at ${left},${top} width ${width}`);
if (errors.length) failures.push('script errors: ' + errors.join('; '));
// Still draggable: the drag library is there and the page's call to it ran without errors.
if (!(await page.evaluate(() => typeof SET_DHTML === 'function'))) failures.push('the drag script is missing');
await browser.close();
finish(`board page: ${id} at ${left},${top} width ${width} in Chromium`);
