// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// While the game waits for a frame to be shown or for its records to be stored, the player's clicks, taps and
// keys are kept back, and handed to the game in their order once it goes on: a desktop queues them the same
// way while a handler runs.
'use strict';

const dorvanaInput = (() => {
  // Qt takes the mouse from pointer events, and touches and keys from their own.
  const kinds = ['pointerdown', 'pointerup', 'pointermove', 'pointercancel', 'mousedown', 'mouseup', 'mousemove',
    'click', 'dblclick', 'wheel', 'contextmenu', 'touchstart', 'touchmove', 'touchend', 'touchcancel', 'keydown',
    'keypress', 'keyup'];
  let kept = null;

  for (const kind of kinds) {
    window.addEventListener(kind, event => {
      if (kept === null) return;
      event.stopImmediatePropagation();
      event.preventDefault();
      kept.push(event);
    }, { capture: true, passive: false });
  }

  // The keys reach the game only while its canvas has the focus. A tap focuses no element, and other things
  // hand the focus to the page's body: the canvas takes it back, unless the page shows something of its own.
  const reclaim = () => setTimeout(() => {
    const canvas = document.getElementById('screen');
    if (canvas && !canvas.hidden && document.activeElement === document.body) canvas.focus({ preventScroll: true });
  }, 0);
  window.addEventListener('touchend', reclaim, { capture: true });
  document.addEventListener('focusout', event => {
    if (event.target.id === 'screen' && event.relatedTarget === null) reclaim();
  });

  // A press handed back after its pointer went up cannot be captured any more; the game needs no capture then.
  for (const name of ['setPointerCapture', 'releasePointerCapture']) {
    const original = Element.prototype[name];
    Element.prototype[name] = function (pointerId) {
      try {
        original.call(this, pointerId);
      } catch (error) {
        if (error.name !== 'NotFoundError') throw error;
      }
    };
  }

  // A fresh event of the same kind and with the same fields, since an event cannot be sent twice.
  function copy(event) {
    if (typeof TouchEvent !== 'undefined' && event instanceof TouchEvent) {
      const touches = list => Array.from(list, touch => new Touch({
        identifier: touch.identifier, target: touch.target, clientX: touch.clientX, clientY: touch.clientY,
        screenX: touch.screenX, screenY: touch.screenY, pageX: touch.pageX, pageY: touch.pageY,
        radiusX: touch.radiusX, radiusY: touch.radiusY, force: touch.force,
      }));
      return new TouchEvent(event.type, {
        bubbles: true, cancelable: true, composed: true, view: window,
        touches: touches(event.touches), targetTouches: touches(event.targetTouches),
        changedTouches: touches(event.changedTouches),
        altKey: event.altKey, ctrlKey: event.ctrlKey, metaKey: event.metaKey, shiftKey: event.shiftKey,
      });
    }
    const fresh = new event.constructor(event.type, event);
    // Older fields that an event's constructor does not take, and that key handlers still read.
    for (const field of ['keyCode', 'charCode', 'which']) {
      if (field in event) Object.defineProperty(fresh, field, { value: event[field] });
    }
    return fresh;
  }

  return {
    hold(on) {
      if (on) {
        if (kept === null) kept = [];
        return;
      }
      const events = kept || [];
      kept = null;
      // After the game's handler has returned; an event that starts another wait is kept again.
      setTimeout(() => {
        for (const event of events) (event.target || window).dispatchEvent(copy(event));
      }, 0);
    },
  };
})();
