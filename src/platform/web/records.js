// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record files of this site's games, kept in the browser's IndexedDB: one store of short texts by path.
// Every tab of the game takes the same lock (Web Locks) before it reads the files and changes them, and reads
// them afresh under it; each change answers only once the browser has committed it. Where the browser refuses
// storage (blocked, or full), the lock and every change say so, and the game plays on without its records.
'use strict';

const dorvanaRecords = (() => {
  const files = new Map();
  let database = null;
  let release = null;

  function opened() {
    if (database !== null) return Promise.resolve(database);
    return new Promise((resolve, reject) => {
      const request = indexedDB.open('dorvana', 1);
      request.onupgradeneeded = () => request.result.createObjectStore('files');
      request.onsuccess = () => {
        database = request.result;
        // Another tab's newer version of the store closes ours; the next change opens it again.
        database.onversionchange = () => {
          database.close();
          database = null;
        };
        resolve(database);
      };
      request.onerror = () => reject(request.error);
      request.onblocked = () => reject(new Error('storage blocked'));
    });
  }

  // Runs work on the store in one transaction; resolves once it is committed to disk.
  async function transaction(mode, work) {
    const db = await opened();
    return new Promise((resolve, reject) => {
      const tx = db.transaction('files', mode, { durability: 'strict' });
      const result = work(tx.objectStore('files'));
      tx.oncomplete = () => resolve(result);
      tx.onerror = () => reject(tx.error);
      tx.onabort = () => reject(tx.error || new Error('aborted'));
    });
  }

  async function reload() {
    const found = new Map();
    await transaction('readonly', store => {
      store.openCursor().onsuccess = event => {
        const cursor = event.target.result;
        if (!cursor) return;
        found.set(cursor.key, cursor.value);
        cursor.continue();
      };
    });
    files.clear();
    for (const [path, text] of found) files.set(path, text);
  }

  function acquire(name) {
    if (!navigator.locks) return Promise.resolve();
    return new Promise((granted, refused) => {
      navigator.locks.request(name, () => new Promise(done => {
        release = done;
        granted();
      })).catch(refused);
    });
  }

  async function attempt(work) {
    try {
      await work();
      return 1;
    } catch (error) {
      console.warn('Dorvana records:', error);
      return 0;
    }
  }

  return {
    // Reads every file afresh under the lock, and proves that a change can be stored now.
    async lock(name) {
      const ok = await attempt(async () => {
        await acquire(name);
        await reload();
        await transaction('readwrite', store => store.put(new Date().toISOString(), name));
      });
      if (!ok) this.unlock();
      return ok;
    },
    unlock() {
      if (release === null) return;
      release();
      release = null;
    },
    text(path) {
      return files.get(path);
    },
    write(path, text) {
      return attempt(async () => {
        await transaction('readwrite', store => store.put(text, path));
        files.set(path, text);
      });
    },
    rename(from, to) {
      if (!files.has(from)) return Promise.resolve(0);
      const text = files.get(from);
      return attempt(async () => {
        await transaction('readwrite', store => {
          store.put(text, to);
          store.delete(from);
        });
        files.delete(from);
        files.set(to, text);
      });
    },
    remove(path) {
      return attempt(async () => {
        await transaction('readwrite', store => store.delete(path));
        files.delete(path);
      });
    },
  };
})();
