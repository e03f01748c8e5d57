// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the game in Debian's chromium as a child would, reading what it shows through the test build's probe,
// its pixels from screenshots and its sound from the recording of the sound server it plays into.
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
const boxWith = text => windows => windows.find(w => w.controls.some(c => c.text.includes(text)));
const game = windows => windows.find(w => w.kind === 'Tavola');
const centre = c => ({ x: c.x + c.w / 2, y: c.y + c.h / 2 });

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

// The button's face read from screenshots while it is clicked: the colours seen in its middle.
async function facesWhileClicking(button, click) {
  const seen = [];
  let watching = true;
  const clip = { x: button.x + button.w / 2 - 2, y: button.y + button.h / 2 - 2, width: 4, height: 4 };
  const watch = (async () => {
    while (watching) {
      const png = await page.screenshot({ clip, encoding: 'base64', captureBeyondViewport: false });
      seen.push(await page.evaluate(async data => {
        const image = new Image();
        image.src = `data:image/png;base64,${data}`;
        await image.decode();
        const canvas = new OffscreenCanvas(image.width, image.height);
        const context = canvas.getContext('2d');
        context.drawImage(image, 0, 0);
        return Array.from(context.getImageData(1, 1, 1, 1).data.slice(0, 3));
      }, png));
    }
  })();
  await click();
  await sleep(400);
  watching = false;
  await watch;
  return seen;
}
const green = ([r, g, b]) => g > 200 && r < 80 && b < 80;

async function hitShown(prefix, windows) {
  for (const name of [prefix, `${prefix}1`, `${prefix}2`]) {
    const button = control(windows, name);
    if (button && button.shown) return button;
  }
  return null;
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

  // The start click on the window's background, left of the board.
  const before = fs.statSync(recording).size;
  await page.mouse.click(tavola.x + 20, tavola.y + tavola.h / 2);
  await sleep(1500);
  const laser = loudSince(before);
  if (laser < 2205) fail(`no laser heard after the start click (${laser} loud samples)`);
  ok(`the start click shows the board and the laser is heard (${laser} loud samples)`);

  const right = await waitFor('a multiple of 6 on show', w => hitShown('paricmd', w));
  const faces = await facesWhileClicking(right, () => page.mouse.click(centre(right).x, centre(right).y));
  windows = await waitFor('the score after a right hit', w => control(w, 'Punteggio').text === ' 1' && w);
  if (!faces.some(green)) fail(`no green flash seen: ${JSON.stringify(faces)}`);
  ok(`a right hit scores 1 with its green flash seen (${faces.filter(green).length} of ${faces.length} reads)`);

  const wrong = await waitFor('a wrong number on show', w => hitShown('disparicmd', w));
  await page.mouse.click(centre(wrong).x, centre(wrong).y);
  await waitFor('the warning', boxWith(wrong.text));
  await page.keyboard.press('Enter');
  await waitFor('the score after a wrong hit', w => control(w, 'Punteggio').text === '-3' && !boxWith(wrong.text)(w));
  ok(`a wrong hit on ${wrong.text} warns and costs four points`);

  // A tap on a right number is a click, on a touch screen.
  await page.setViewport({ width: 1280, height: 620, hasTouch: true });
  let score = -3;
  while (score < 1) {
    const target = await waitFor('a multiple of 6 to tap', w => hitShown('paricmd', w));
    await page.touchscreen.tap(centre(target).x, centre(target).y);
    const after = await waitFor('the score after a tap', w => {
      const text = control(w, 'Punteggio').text;
      return Number(text) !== score && Number(text);
    });
    score = after;
  }
  ok('taps on right numbers score like clicks (score 1)');

  await page.keyboard.down('Alt');
  await page.keyboard.press('x');
  await page.keyboard.up('Alt');
  await waitFor('the farewell', boxWith('Ciao a presto.'));
  await page.keyboard.press('Enter');
  await waitFor('the congratulation', boxWith('C A M P I O N E'));
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('over').hidden, { timeout: 10000 });
  ok('Alt+X says goodbye, keeps the record and the page says the game is over');

  await page.reload({ waitUntil: 'load' });
  windows = await answerPrompt('Ugo');
  const record = [control(windows, 'lblpunti').text, control(windows, 'lblnome').text];
  if (record.join('|') !== ' 1|Pia' && record.join('|') !== '1|Pia') fail(`the record after a reload is ${record}`);
  ok(`the record is there after a reload (${record.join(' by ')})`);

  await page.setViewport({ width: 768, height: 1024, deviceScaleFactor: 2, hasTouch: true });
  windows = await waitFor('the window refitted', w => {
    const t = game(w);
    return t && t.x >= 0 && t.y >= 0 && t.x + t.w <= 768 && t.y + t.h <= 1024 && w;
  });
  ok('the whole window is shown on a 768×1024 tablet at device pixel ratio 2');

  await page.setOfflineMode(true);
  await page.reload({ waitUntil: 'load' });
  await answerPrompt('Eva');
  ok('a reload with the network off plays');
} catch (error) {
  console.log(`not ok ${++step} - ${error.message}`);
  const shot = process.env.DORVANA_WEB_SHOT;
  if (shot) await page.screenshot({ path: shot }).catch(() => {});
  process.exitCode = 1;
} finally {
  await browser.close();
}
