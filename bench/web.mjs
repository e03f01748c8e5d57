// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The game in the browser beside a bare Qt for WebAssembly program that shows the same prompt: the time from
// navigation to the prompt's first frame in fresh browsers, and the page's memory at the prompt and after a
// whole five-minute game.
// Usage: node web.mjs GAME_URL BARE_URL RUNS   (prints name=value lines)
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { watchFrames } from './frames.mjs';

const [gameUrl, bareUrl, runs] = process.argv.slice(2);
const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

async function fresh() {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: false,
    userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), 'dorvana-bench-')),
    defaultViewport: { width: 1280, height: 800 },
    args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--disable-quic', '--window-size=1300,900'],
  });
  return { browser, page: (await browser.pages())[0] };
}

// Milliseconds from navigation until the first frame that shows the prompt is drawn.
async function firstFrame(url) {
  const { browser, page } = await fresh();
  try {
    await watchFrames(page);
    await page.goto(url, { waitUntil: 'domcontentloaded' });
    await page.waitForFunction(() => window.dorvanaFrames.firstPrompt !== null, { timeout: 60000, polling: 100 });
    return Math.round(await page.evaluate(() => window.dorvanaFrames.firstPrompt));
  } catch {
    return NaN;
  } finally {
    await browser.close();
  }
}

// The renderer's resident memory, in MiB: the page's own process.
function rendererMiB() {
  let largest = 0;
  for (const pid of fs.readdirSync('/proc').filter(name => /^\d+$/.test(name))) {
    try {
      const command = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      if (!command.includes('--type=renderer') || command.includes('--extension-process')) continue;
      const rss = Number(/VmRSS:\s+(\d+)/.exec(fs.readFileSync(`/proc/${pid}/status`, 'utf8'))[1]) / 1024;
      largest = Math.max(largest, rss);
    } catch {
      // gone meanwhile
    }
  }
  return largest.toFixed(0);
}

async function shown(page) {
  return page.evaluate(() => JSON.parse(window.dorvanaProgram.UTF8ToString(window.dorvanaProgram._dorvana_probe())).windows);
}

// A whole game: the prompt answered, the board started, right numbers clicked until the clock has run out.
async function wholeGame() {
  const { browser, page } = await fresh();
  try {
    await page.goto(gameUrl);
    await page.waitForFunction(() => window.dorvanaProgram, { timeout: 60000 });
    while (!(await shown(page)).some(w => w.controls.some(c => c.text === 'Come ti chiami?'))) await sleep(100);
    await sleep(1000);
    const atPrompt = rendererMiB();
    await page.keyboard.type('Bea');
    await page.keyboard.press('Enter');
    await sleep(500);
    await page.keyboard.press('Enter');
    await sleep(1000);
    let windows = await shown(page);
    const board = windows.find(w => w.kind === 'Tavola');
    await page.mouse.click(board.x + 20, board.y + board.h / 2);
    for (;;) {
      windows = await shown(page);
      if (windows.some(w => w.controls.some(c => c.text.includes('Ciao a presto')))) break;
      const right = windows.flatMap(w => w.controls).find(c => c.name.startsWith('paricmd') && c.shown);
      if (right) await page.mouse.click(right.x + right.w / 2, right.y + right.h / 2);
      await sleep(700);
    }
    await sleep(1000);
    return { atPrompt, afterGame: rendererMiB() };
  } finally {
    await browser.close();
  }
}

const median = values => values.filter(Number.isFinite).sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];
const game = [];
const bare = [];
for (let i = 0; i < Number(runs); ++i) {
  game.push(await firstFrame(gameUrl));
  bare.push(await firstFrame(bareUrl));
}
console.log(`web_first_frame_game_ms=${median(game)}`);
console.log(`web_first_frame_bare_ms=${median(bare)}`);
console.log(`web_first_frame_game_all=${game.join(' ')}`);
console.log(`web_first_frame_bare_all=${bare.join(' ')}`);
const memory = await wholeGame();
console.log(`web_memory_prompt_mib=${memory.atPrompt}`);
console.log(`web_memory_after_game_mib=${memory.afterGame}`);
