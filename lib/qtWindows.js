'use strict';
// Qt's native windows (the video windows among them) on the desktop. Qt names their
// window classes "Qt", the digits of its version, then "QWindow" and the kind:
// "Qt5158QWindowToolSaveBits", "Qt5158QWindowIcon" (with "d" after the digits in debug
// builds of Qt).
const QT_WINDOW_CLASS = /^Qt\d+.*QWindow/;

const isQtWindowClass = (name) => QT_WINDOW_CLASS.test(name);

// desktop: the shell's desktop controls; h: a window handle.
const isQtWindow = (desktop, h) => isQtWindowClass(desktop.className(h));

module.exports = { isQtWindowClass, isQtWindow };
