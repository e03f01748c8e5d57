// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The frames a Qt program draws on its canvas, read right after each is drawn (a WebGL drawing buffer is gone
// once the frame is shown). In the page, window.dorvanaFrames holds:
//   at, seen: while points [{ x, y }...] are set in at, each frame's colours there and when it was drawn;
//   firstPrompt: when, after navigation, the first frame with a box's light grey over most of a prompt's size
//   was drawn.

export function watchFrames(page) {
  return page.evaluateOnNewDocument(() => {
    const frames = { at: null, seen: [], firstPrompt: null };
    window.dorvanaFrames = frames;
    // Read once the task that drew has finished: the browser shows the frame only after that.
    const drawn = new Set();
    const readSoon = gl => {
      if (drawn.has(gl)) return;
      drawn.add(gl);
      queueMicrotask(() => {
        drawn.delete(gl);
        if (gl.isContextLost()) return;
        const bound = gl.getParameter(gl.FRAMEBUFFER_BINDING);
        gl.bindFramebuffer(gl.FRAMEBUFFER, null);
        read(gl);
        gl.bindFramebuffer(gl.FRAMEBUFFER, bound);
      });
    };
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (...args) {
      const gl = getContext.apply(this, args);
      if (gl && String(args[0]).startsWith('webgl') && !gl.dorvanaWatched) {
        gl.dorvanaWatched = true;
        for (const draw of ['drawArrays', 'drawElements']) {
          const original = gl[draw];
          gl[draw] = function (...drawArgs) {
            readSoon(gl);
            return original.apply(this, drawArgs);
          };
        }
      }
      return gl;
    };

    // A prompt box is about 190 by 100 page pixels, a third of them or more light grey; counted every fourth
    // pixel each way.
    function showsPrompt(gl) {
      const width = gl.drawingBufferWidth;
      const height = gl.drawingBufferHeight;
      const rgba = new Uint8Array(width * height * 4);
      gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
      const scale = width / gl.canvas.getBoundingClientRect().width;
      let light = 0;
      for (let y = 0; y < height; y += 4) {
        for (let x = 0; x < width; x += 4) {
          const i = 4 * (y * width + x);
          const [r, g, b] = [rgba[i], rgba[i + 1], rgba[i + 2]];
          if (r > 225 && r < 250 && Math.abs(r - g) < 4 && Math.abs(r - b) < 4) ++light;
        }
      }
      return light * 16 > 0.3 * 190 * 100 * scale * scale;
    }

    function read(gl) {
      if (frames.firstPrompt === null && showsPrompt(gl)) frames.firstPrompt = performance.now();
      if (frames.at === null) return;
      const box = gl.canvas.getBoundingClientRect();
      const scale = gl.drawingBufferWidth / box.width;
      const colours = frames.at.map(point => {
        const pixel = new Uint8Array(4);
        gl.readPixels(Math.round((point.x - box.left) * scale),
          gl.drawingBufferHeight - 1 - Math.round((point.y - box.top) * scale), 1, 1, gl.RGBA, gl.UNSIGNED_BYTE,
          pixel);
        return Array.from(pixel.slice(0, 3));
      });
      frames.seen.push({ time: performance.now(), colours });
    }
  });
}
