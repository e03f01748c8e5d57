// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the game in Debian's chromium as a child would, reading what it shows through the test build's probe,
// its pixels from screenshots and its sound from the recording of the sound server it plays into.
// Usage: node play.mjs URL RECORDING   (chromium shows its window on $DISPLAY)
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { watchFrames } from './frames.mjs';

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
let page = (await browser.pages())[0];
page.on('console', message => process.env.DORVANA_WEB_VERBOSE && console.log('  page:', message.text()));
page.on('pageerror', error => console.log('  page error:', error.message));

// What the game shows now: its windows, each with its controls.
// Nothing while the page loads anew.
async function shown() {
  return page.evaluate(() => {
    const program = window.dorvanaProgram;
    return program ? JSON.parse(program.UTF8ToString(program._dorvana_probe())).windows : [];
  }).catch(error => {
    if (/context was destroyed|navigation/.test(error.message)) return [];
    throw error;
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
// A box with the text, once it is active: the keys go to the active window.
const boxWith = text => windows =>
  windows.find(w => w.kind !== 'Tavola' && w.active && w.controls.some(c => c.text.includes(text)));
const game = windows => windows.find(w => w.kind === 'Tavola');
const centre = c => ({ x: c.x + c.w / 2, y: c.y + c.h / 2 });
const score = windows => Number(control(windows, 'Punteggio').text);
const board = ['paricmd', 'paricmd1', 'paricmd2', 'disparicmd', 'disparicmd1', 'disparicmd2'];
const inside = (point, c) => point.x >= c.x && point.x <= c.x + c.w && point.y >= c.y && point.y <= c.y + c.h;
// A number on show of the kind named whose middle no other number covers.
const onShow = prefix => windows => {
  const numbers = board.map(name => control(windows, name)).filter(button => button?.shown);
  return numbers.find(button => button.name.replace(/\d$/, '') === prefix &&
    !numbers.some(other => other !== button && inside(centre(button), other)));
};

// Typed once the prompt is active; touched first where asked, as on a tablet.
async function answerPrompt(name, touchFirst = false) {
  if (touchFirst) {
    const prompt = await waitFor('the name prompt', w => w.find(box => box.kind === 'QInputDialog'), 60000);
    const label = prompt.controls.find(c => c.text === 'Come ti chiami?');
    await page.mouse.click(centre(label).x, centre(label).y);
  }
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

// The start click on the window's background, clear of its labels; no number is shown yet.
const startClick = tavola => page.mouse.click(tavola.x + tavola.w / 2, tavola.y + tavola.h * 0.7);

// The pixels of a part of the page, from a screenshot, as [r, g, b] a row at a time.
async function pixels(clip) {
  const png = await page.screenshot({ clip, encoding: 'base64' });
  const rgba = await page.evaluate(async data => {
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    canvas.getContext('2d').drawImage(image, 0, 0);
    return Array.from(canvas.getContext('2d').getImageData(0, 0, image.width, image.height).data);
  }, png);
  return Array.from({ length: rgba.length / 4 }, (_, i) => rgba.slice(4 * i, 4 * i + 3));
}

await watchFrames(page);

// The frames drawn at the points while the action runs and for 400 ms after.
async function colours(at, action) {
  await page.evaluate(points => Object.assign(window.dorvanaFrames, { at: points, seen: [] }), at);
  await action();
  await sleep(400);
  return page.evaluate(() => Object.assign(window.dorvanaFrames, { at: null }).seen);
}
const green = frame => frame.colours.some(([r, g, b]) => g > 200 && r < 80 && b < 80);

// Clicks, or taps, a number on show of the kind named until the game shows it was hit: the board moves every
// 1.3 s, and a click that comes just after a move misses. Returns the button and the colours seen on it.
async function hit(prefix, landed, press = at => page.mouse.click(at.x, at.y)) {
  for (let tries = 0; tries < 20; ++tries) {
    const button = await waitFor(`a number of the ${prefix} kind on show`, onShow(prefix));
    // Points all over the face, most of them off the number's digits.
    const face = [0.1, 0.3, 0.7, 0.9].flatMap(x => [0.1, 0.3, 0.7, 0.9].map(y => ({
      x: button.x + button.w * x, y: button.y + button.h * y })));
    const seen = await colours(face, () => press(centre(button)));
    if (await waitFor('the hit', landed, 1000).catch(() => null)) return { button, seen };
  }
  return fail(`no ${prefix} number could be hit in 20 tries`);
}

try {
  await page.goto(url, { waitUntil: 'load' });
  const lang = await page.evaluate(() => [document.documentElement.lang, document.title]);
  if (lang.join() !== 'it,Dorvana') fail(`the page is ${lang}`);
  let windows = await answerPrompt('Pia');
  ok('the name prompt is answered and the greeting closed');

  // The bands: many colours down the window's middle.
  const tavola = game(windows);
  const column = await pixels({ x: tavola.x + 5, y: tavola.y + 40, width: 1, height: tavola.h - 60 });
  const bands = new Set(column.map(String)).size;
  if (bands < 40) fail(`only ${bands} colours down the window`);
  ok(`the bands are painted on the canvas (${bands} colours down the window)`);

  const before = fs.statSync(recording).size;
  await startClick(tavola);
  await waitFor('a number on the board', w => board.some(name => control(w, name)?.shown));
  await sleep(1500);
  const laser = loudSince(before);
  if (laser < 2205) fail(`no laser heard after the start click (${laser} loud samples)`);
  ok(`the start click shows the board and the laser is heard (${laser} loud samples)`);

  const right = await hit('paricmd', w => score(w) === 1);
  const first = right.seen.findIndex(green);
  if (first < 0) fail(`no green flash drawn on ${right.button.text}: ${JSON.stringify(right.seen.map(f => f.colours[0]))}`);
  const after = right.seen.findIndex((frame, i) => i > first && !green(frame));
  const lasted = after < 0 ? 'to the end of the reads' : `${Math.round(right.seen[after].time - right.seen[first].time)} ms`;
  ok(`a right hit on ${right.button.text} scores 1, its green flash drawn for ${lasted}`);

  const wrong = await hit('disparicmd', boxWith('non è  un numero divisibile per 6'));
  await page.keyboard.press('Enter');
  await waitFor('the warning answered and four points taken', w => w.length === 1 && score(w) === -3);
  ok(`a wrong hit on ${wrong.button.text} warns and costs four points`);

  // A tap on a right number is a click on a touch screen: taps win the points back.
  for (let points = -3; points < 1; ++points)
    await hit('paricmd', w => score(w) === points + 1, at => page.touchscreen.tap(at.x, at.y));
  ok('taps on right numbers score like clicks (back to 1)');

  await page.keyboard.down('Alt');
  await page.keyboard.press('x');
  await page.keyboard.up('Alt');
  await waitFor('the farewell', boxWith('Ciao a presto.'));
  await page.keyboard.press('Enter');
  await waitFor('the congratulation', boxWith('C A M P I O N E'));
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('over').hidden, { timeout: 10000 });
  ok('Alt+X says goodbye, keeps the record, and the page says the game is over');

  await page.click('#again');
  windows = await answerPrompt('Ugo');
  // As read from the record files, line ends included.
  const record = `${control(windows, 'lblpunti').text.trim()} by ${control(windows, 'lblnome').text.trim()}`;
  if (record !== '1 by Pia') fail(`the record after playing again is ${JSON.stringify(record)}`);
  ok(`"Gioca ancora" starts again with the record kept (${record})`);

  const next = control(windows, 'Next');
  await page.mouse.click(centre(next).x, centre(next).y);
  const question = await waitFor('the new game question', boxWith('INIZIAMO UNA NUOVA GARA'));
  const yes = question.controls.find(c => /^&?S/.test(c.text));
  await page.mouse.click(centre(yes).x, centre(yes).y);
  windows = await answerPrompt('Rita');
  if (control(windows, 'lblnome1').text !== 'Rita') fail(`the new game is ${control(windows, 'lblnome1').text}'s`);
  ok('a new game from the menu asks for the name again');

  // A tablet held upright (the page reloads as a phone's would), turned, then a small laptop: each time the
  // window is shown whole, in the middle.
  await page.setViewport({ width: 768, height: 1024, deviceScaleFactor: 2, hasTouch: true, isMobile: true });
  await answerPrompt('Ada');
  const sizes = [];
  for (const [width, height] of [[768, 1024], [1024, 768], [800, 600]]) {
    await page.setViewport({ width, height, deviceScaleFactor: 2, hasTouch: true, isMobile: true });
    const t = await waitFor(`the window fitted to ${width}×${height}`, w => {
      const t = game(w);
      return t && t.x >= 0 && t.y >= 0 && t.x + t.w <= width && t.y + t.h <= height &&
        Math.abs(t.x + t.w / 2 - width / 2) < 8 && Math.abs(t.y + t.h / 2 - height / 2) < 24 && t;
    });
    sizes.push(`${Math.round(t.w)}×${Math.round(t.h)} on ${width}×${height}`);
  }
  ok(`the whole window is shown, in the middle, on a tablet turned both ways and a small screen: ${sizes.join(', ')}`);

  // Chromium offers to install the page as an app when it finds nothing missing.
  const session = await page.createCDPSession();
  const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
  if (installabilityErrors.length) fail(`not installable: ${JSON.stringify(installabilityErrors)}`);
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  await page.setOfflineMode(true);
  await page.reload({ waitUntil: 'load' });
  await answerPrompt('Eva', true);
  ok('the page can be installed as an app, and a reload with the network off plays');

  // A browser that refuses the site its storage: the player is told, and plays on.
  page = await browser.newPage();
  await watchFrames(page);
  await page.evaluateOnNewDocument(() => Object.defineProperty(window, 'indexedDB', {
    get: () => { throw new DOMException('refused', 'SecurityError'); },
  }));
  await page.goto(url, { waitUntil: 'load' });
  await waitFor('the name prompt', boxWith('Come ti chiami?'), 60000);
  await page.keyboard.type('Leo', { delay: 30 });
  await page.keyboard.press('Enter');
  await waitFor('the greeting', boxWith('Leo vediamo'));
  await page.keyboard.press('Enter');
  await waitFor('the message that records cannot be kept', boxWith('Non riesco a'));
  await page.keyboard.press('Enter');
  windows = await waitFor('the game window alone', w => w.length === 1 && game(w) && w);
  await startClick(game(windows));
  await waitFor('a number on the board', onShow('paricmd'));
  ok('where the browser refuses storage, the player is told and plays on');
} catch (error) {
  console.log(`not ok ${++step} - ${error.message}`);
  console.log('# focus', await page.evaluate(() => [document.activeElement?.tagName, document.hasFocus()]).catch(() => '?'));
  const shot = process.env.DORVANA_WEB_SHOT;
  if (shot) await page.screenshot({ path: shot }).catch(() => {});
  process.exitCode = 1;
} finally {
  await browser.close();
}
