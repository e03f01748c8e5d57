// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Downloads the game with a progress bar, compiles and starts it in the page's canvas, and says so plainly
// when the browser cannot run it or when the game is over.
'use strict';

(() => {
  const version = '@VERSION@';
  const programBytes = Number('@WASM_BYTES@');
  const byId = id => document.getElementById(id);

  function show(notice) {
    for (const id of ['loading', 'unsupported', 'over']) byId(id).hidden = id !== notice;
  }

  function supported() {
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') return false;
    const probe = document.createElement('canvas');
    return Boolean(probe.getContext('webgl2') || probe.getContext('webgl'));
  }

  function progress(share) {
    byId('progress').value = Math.min(100, Math.round(100 * share));
  }

  // The program, compiled while it arrives. The bar counts a copy of the download, so that the bytes the
  // compiler takes never pass through this page's own code. A server that does not call the file WebAssembly
  // gets it compiled once it is all there.
  async function compile(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(`${url}: ${response.status}`);
    if (response.body) count(response.clone().body.getReader());
    const streamable = /^application\/wasm\b/.test(response.headers.get('Content-Type') || '');
    if (!streamable || typeof WebAssembly.compileStreaming !== 'function') {
      return WebAssembly.compile(await response.arrayBuffer());
    }
    return WebAssembly.compileStreaming(response);
  }

  async function count(reader) {
    let received = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) return;
      received += value.length;
      progress(received / programBytes);
    }
  }

  function script(url) {
    return new Promise((resolve, reject) => {
      const element = document.createElement('script');
      element.src = url;
      element.onload = resolve;
      element.onerror = () => reject(new Error(`${url} did not load`));
      document.body.appendChild(element);
    });
  }

  function gameOver() {
    byId('screen').hidden = true;
    show('over');
    byId('again').focus();
  }

  async function start() {
    const [program] = await Promise.all([compile(`dorvana.wasm?v=${version}`), script(`dorvana.js?v=${version}`)]);
    window.dorvanaProgram = await createQtAppInstance({
      qtContainerElements: [byId('screen')],
      locateFile: file => `${file}?v=${version}`,
      instantiateWasm(imports, done) {
        WebAssembly.instantiate(program, imports).then(instance => done(instance, program));
        return {};
      },
      print: text => console.log(text),
      printErr: text => console.warn(text),
      onExit: gameOver,
      onAbort: text => {
        console.error('Dorvana stopped:', text);
        gameOver();
      },
      dorvanaInput,
      dorvanaSound,
      dorvanaRecords,
    });
    show(null);
    byId('screen').focus();
    // Kept for the next visit, with the network or without. Keeping them takes the processor for a while, so
    // it waits until the name prompt is up: the player's first key or tap, or ten seconds.
    if ('serviceWorker' in navigator) onceSettled(() => navigator.serviceWorker.register('sw.js').catch(() => {}));
  }

  function onceSettled(action) {
    let done = false;
    const once = () => {
      if (done) return;
      done = true;
      action();
    };
    for (const kind of ['keydown', 'pointerdown']) window.addEventListener(kind, once, { capture: true, once: true });
    setTimeout(once, 10000);
  }

  byId('again').addEventListener('click', () => location.reload());
  if (!supported()) {
    show('unsupported');
    return;
  }
  start().catch(error => {
    console.error('Dorvana did not start:', error);
    show('unsupported');
  });
})();
