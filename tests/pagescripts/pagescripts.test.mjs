// SPDX-License-Identifier: GPL-3.0-or-later
// The bundled page scripts in a real browser: items listed in SET_DHTML drag
// and resize, the NO_DRAG container stays, and the capture call hands its
// canvas to onrendered.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const artfonts = process.env.TARVEX4_ARTFONTS;
const browserPath = process.env.TARVEX4_CHROMIUM || '/usr/bin/chromium';

function pageHtml() {
  const script = (name) => pathToFileURL(join(artfonts, name)).href;
  const letter = pathToFileURL(join(artfonts, 'metal', 'a.gif')).href;
  return "<html><head><title>t</title>" +
    "<script type='text/javascript' src='" + script('canvas.js') + "'></script>" +
    "<script type='text/javascript'>\nfunction doCanvas()\n{\nhtml2canvas(document.body, {onrendered: function(canvas) {\n" +
    "document.body.appendChild(canvas);\n}});\n}</script>\n" +
    "</head><body bgcolor='#C0C0C0'>" +
    "<script type='text/javascript' src='" + script('wz_dragdrop.js') + "'></script>" +
    "<center><div id='pagecontainer' style='position:relative;top:25px;width:850px;height:1100px;" +
    "border-width:1px;border-style:solid;border-color:#000000;background-color:#102030'>" +
    "<div id='dpageimageitem0~' style='position:absolute;top:100px;left:100px;background:transparent;Z-INDEX:1'>" +
    "<IMG name='pageimageitem0~' SRC='" + letter + "' width=120 height=90 BORDER=0></div>" +
    "<div id='dpagetextitem0~' style='position:absolute;top:400px;left:300px;width:200px;text-align:left;" +
    "background-color:#FFFFFF;Z-INDEX:2'>cut up words here</div>" +
    "</div></center>\n<script type='text/javascript'><!-- \n" +
    "SET_DHTML(CURSOR_HAND,RESIZABLE,'dpageimageitem0~','dpagetextitem0~','pagecontainer'+NO_DRAG);\n//--></script>\n" +
    "</body></html>";
}

let browser, page;
const errors = [];
const consoleLines = [];

before(async () => {
  assert.ok(artfonts, 'TARVEX4_ARTFONTS names the built artfonts folder');
  const dir = mkdtempSync(join(tmpdir(), 'pagescripts-'));
  const file = join(dir, 'collage1.html');
  writeFileSync(file, pageHtml());
  browser = await chromium.launch({ executablePath: browserPath, args: ['--no-sandbox'] });
  page = await browser.newPage({ viewport: { width: 1000, height: 1300 } });
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => consoleLines.push(m.type() + ': ' + m.text()));
  await page.goto(pathToFileURL(file).href);
});

after(async () => { if (browser) await browser.close(); });

async function box(selector) {
  return page.locator(selector).boundingBox();
}

async function drag(from, to) {
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  for (let i = 1; i <= 5; i++) await page.mouse.move(from.x + (to.x - from.x) * i / 5, from.y + (to.y - from.y) * i / 5);
  await page.mouse.up();
}

test('the scripts load without errors and define the page calls', async () => {
  const kinds = await page.evaluate(() => [typeof SET_DHTML, typeof html2canvas, typeof NO_DRAG]);
  assert.deepEqual(kinds, ['function', 'function', 'string']);
  assert.deepEqual(errors, []);
});

test('a listed text item follows the mouse and shows a hand cursor', async () => {
  const item = '[id="dpagetextitem0~"]';
  const start = await box(item);
  const cursor = await page.locator(item).evaluate((e) => getComputedStyle(e).cursor);
  assert.equal(cursor, 'pointer');
  const grip = { x: start.x + 20, y: start.y + 5 };
  await drag(grip, { x: grip.x + 100, y: grip.y + 60 });
  const end = await box(item);
  assert.ok(Math.abs(end.x - start.x - 100) <= 2, `moved ${end.x - start.x} across`);
  assert.ok(Math.abs(end.y - start.y - 60) <= 2, `moved ${end.y - start.y} down`);
});

test('dragging the bottom-right corner resizes a picture item and its image', async () => {
  const item = '[id="dpageimageitem0~"]';
  const start = await box(item);
  const corner = { x: start.x + start.width - 3, y: start.y + start.height - 3 };
  await drag(corner, { x: corner.x + 80, y: corner.y + 40 });
  const end = await box(item);
  assert.ok(Math.abs(end.x - start.x) <= 1 && Math.abs(end.y - start.y) <= 1, 'the corner does not move the item');
  assert.ok(end.width > start.width + 60, `width ${start.width} -> ${end.width}`);
  const image = await page.locator('img[name="pageimageitem0~"]').evaluate((e) => [e.width, e.height]);
  assert.ok(image[0] > 180 && image[1] > 110, `image is ${image}`);
});

test('the container listed with NO_DRAG stays in place', async () => {
  const start = await box('#pagecontainer');
  await drag({ x: start.x + 700, y: start.y + 900 }, { x: start.x + 600, y: start.y + 800 });
  const end = await box('#pagecontainer');
  assert.deepEqual([end.x, end.y, end.width, end.height], [start.x, start.y, start.width, start.height]);
});

test('the capture call hands a canvas of the page container to onrendered, quietly', async () => {
  consoleLines.length = 0;
  await page.evaluate(() => doCanvas());
  await page.waitForFunction(() => document.getElementsByTagName('canvas').length === 1, null, { timeout: 20000 });
  // The container with its border, not the whole body (1000 wide here).
  const size = await page.evaluate(() => { const c = document.querySelector('canvas'); return [c.width, c.height]; });
  assert.ok(size[0] >= 850 && size[0] <= 852 && size[1] >= 1100 && size[1] <= 1102, `canvas is ${size}`);
  assert.deepEqual(consoleLines, []);
  assert.deepEqual(errors, []);
});

test('a new capture replaces the last, and clicks during a capture make no second one', async () => {
  const marker = await page.evaluate(() => { document.querySelector('canvas').id = 'first'; return 'first'; });
  await page.evaluate(() => Promise.all([html2canvas(document.body, { onrendered: (c) => document.body.appendChild(c) }),
    html2canvas(document.body, { onrendered: (c) => document.body.appendChild(c) })]));
  const ids = await page.evaluate(() => [...document.getElementsByTagName('canvas')].map((c) => c.id));
  assert.deepEqual(ids, ['']);
  assert.notEqual(ids[0], marker);
  assert.deepEqual(errors, []);
});
