// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the start of the game in Debian's chromium as a child would, reading what it shows through the test
// build's probe, its pixels from a screenshot and its sound from the recording of the sound server it plays
// into: the prompt answered, the greeting, the bands on the canvas, the start click and its laser.
// Usage: node play.mjs URL RECORDING   (chromium shows its window on $DISPLAY)
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [url, recording] = process.argv.slice(2);
let step = 0;
const ok = what => console.log(`ok ${++step} - ${what}`);
const fail = what => {
  throw new Error(what);
};
const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: false,
  userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), 'dorvana-chromium-')),
  defaultViewport: null,
  args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--disable-quic', '--window-position=0,0',
    '--window-size=1366,768', '--password-store=basic'],
});
const page = (await browser.pages())[0];
page.on('console', message => process.env.DORVANA_WEB_VERBOSE && console.log('  page:', message.text()));
page.on('pageerror', error => console.log('  page error:', error.message));

// What the game shows now: its windows, each with its controls.
async function shown() {
  return page.evaluate(() => {
    const program = window.dorvanaProgram;
    return program ? JSON.parse(program.UTF8ToString(program._dorvana_probe())).windows : [];
  });
}
async function waitFor(what, test, ms = 20000) {
  const until = Date.now() + ms;
  for (;;) {
    const found = test(await shown());
    if (found) return found;
    if (Date.now() > until) fail(`${what}: not seen in ${ms} ms; shown ${JSON.stringify(await shown()).slice(0, 2000)}`);
    await sleep(50);
  }
}
const control = (windows, name) => windows.flatMap(w => w.controls).find(c => c.name === name);
const boxWith = text => windows => windows.find(w => w.kind !== 'Tavola' && w.controls.some(c => c.text.includes(text)));
const game = windows => windows.find(w => w.kind === 'Tavola');

async function answerPrompt(name) {
  await waitFor('the name prompt', boxWith('Come ti chiami?'), 60000);
  await page.keyboard.type(name, { delay: 30 });
  await page.keyboard.press('Enter');
  await waitFor('the greeting', boxWith(`${name} vediamo se sei un vero campione`));
  await page.keyboard.press('Enter');
  return waitFor('the game window', windows => game(windows) && !boxWith('campione')(windows) && windows);
}

// Loud samples in the recording from a byte on (16-bit mono at 22050 Hz).
function loudSince(from) {
  const bytes = fs.readFileSync(recording);
  let loud = 0;
  for (let at = from - (from % 2); at + 1 < bytes.length; at += 2) if (Math.abs(bytes.readInt16LE(at)) > 300) ++loud;
  return loud;
}

try {
  await page.goto(url, { waitUntil: 'load' });
  const lang = await page.evaluate(() => [document.documentElement.lang, document.title]);
  if (lang.join() !== 'it,Dorvana') fail(`the page is ${lang}`);
  let windows = await answerPrompt('Pia');
  ok('the name prompt is answered and the greeting closed');

  // The bands: many colours down the window's middle.
  const tavola = game(windows);
  const png = await page.screenshot({ clip: { x: tavola.x + 5, y: tavola.y + 40, width: 1, height: tavola.h - 60 } });
  const bands = await page.evaluate(async data => {
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    canvas.getContext('2d').drawImage(image, 0, 0);
    const pixels = canvas.getContext('2d').getImageData(0, 0, 1, image.height).data;
    const colours = new Set();
    for (let i = 0; i < pixels.length; i += 4) colours.add(`${pixels[i]},${pixels[i + 1]},${pixels[i + 2]}`);
    return colours.size;
  }, png.toString('base64'));
  if (bands < 40) fail(`only ${bands} colours down the window`);
  ok(`the bands are painted on the canvas (${bands} colours down the window)`);

  // The start click on the window's background, clear of its labels; no number is shown yet.
  const before = fs.statSync(recording).size;
  await page.mouse.click(tavola.x + tavola.w / 2, tavola.y + tavola.h * 0.7);
  const board = ['paricmd', 'paricmd1', 'paricmd2', 'disparicmd', 'disparicmd1', 'disparicmd2'];
  await waitFor('a number on the board', w => board.some(name => control(w, name)?.shown));
  await sleep(1500);
  const laser = loudSince(before);
  if (laser < 2205) fail(`no laser heard after the start click (${laser} loud samples)`);
  ok(`the start click shows the board and the laser is heard (${laser} loud samples)`);
} catch (error) {
  console.log(`not ok ${++step} - ${error.message}`);
  const shot = process.env.DORVANA_WEB_SHOT;
  if (shot) await page.screenshot({ path: shot }).catch(() => {});
  process.exitCode = 1;
} finally {
  await browser.close();
}
