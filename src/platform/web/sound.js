// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's cues through Web Audio. A browser sounds nothing before the player has touched the page, so the
// first click, tap or key (the answer to the name prompt) opens the sound. Each cue file is fetched and decoded
// once; a new cue cuts the one still sounding; a missing or bad file is silent.
'use strict';

const dorvanaSound = (() => {
  let context = null;
  const buffers = new Map();
  let sounding = null;
  let latest = 0;

  function open() {
    if (context === null) {
      const AudioContext = window.AudioContext || window.webkitAudioContext;
      if (!AudioContext) return;
      context = new AudioContext();
    }
    if (context.state !== 'running') context.resume().catch(() => {});
  }
  for (const kind of ['mousedown', 'touchend', 'keydown']) window.addEventListener(kind, open, { capture: true });

  function decoded(url) {
    if (!buffers.has(url)) {
      const buffer = fetch(url)
        .then(response => {
          if (!response.ok) throw new Error(`${url}: ${response.status}`);
          return response.arrayBuffer();
        })
        .then(bytes => context.decodeAudioData(bytes));
      // A file that failed may be there next time.
      buffer.catch(() => buffers.delete(url));
      buffers.set(url, buffer);
    }
    return buffers.get(url);
  }

  function stop() {
    if (sounding === null) return;
    sounding.stop();
    sounding = null;
  }

  return {
    play(url) {
      if (context === null) return;
      const turn = ++latest;
      stop();
      decoded(url)
        .then(buffer => {
          // A later cue was asked for while this one loaded.
          if (turn !== latest) return;
          stop();
          const source = context.createBufferSource();
          source.buffer = buffer;
          source.connect(context.destination);
          source.start();
          sounding = source;
        })
        .catch(() => {});
    },
    // For the page's own checks: whether the sound is open.
    state() {
      return context === null ? 'closed' : context.state;
    },
  };
})();
