'use strict';
// The error numbers as named constants, and small helpers for pages that send requests as
// objects: the methods themselves take and return JSON texts.

const ErrorModule = Object.freeze({ None: 0, Video: 3, Window: 5 });

const ErrorCode = Object.freeze({
  Success: 0,
  NotJson: 1,
  LibraryNotLoaded: 4,
  WindowNotMade: 5000,
  NoBrowserWindow: 5001,
});

// One request: the fields as JSON text to wc[method], the reply parsed.
function request(wc, method, fields) {
  if (typeof wc[method] !== 'function') throw new TypeError(`WindowControl has no method ${method}`);
  return JSON.parse(wc[method](JSON.stringify(fields)));
}

const parseNotification = (text) => JSON.parse(text);

// A callback for SetCallback that passes each notification to the handler named by its cmd.
function onNotification(handlers) {
  return (text) => {
    const note = parseNotification(text);
    const handler = handlers[note.cmd];
    if (typeof handler === 'function') handler(note);
  };
}

module.exports = { ErrorModule, ErrorCode, request, parseNotification, onNotification };
