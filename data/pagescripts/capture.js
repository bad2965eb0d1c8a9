/*
 * Capture for collage pages: html2canvas(element, {onrendered: function (canvas) {...}})
 * hands the rendered canvas to onrendered. html2canvas itself, bundled in
 * front of this file, now only returns a promise, so the callback is
 * bridged here.
 *
 * The page asks for its whole body, which also holds the capture link and
 * every earlier capture; what the user wants is the collage, so the page
 * container is rendered instead. One capture is on the page at a time: a new
 * one replaces the last, and a click while one is being made does nothing.
 * The library's progress log stays out of the console.
 */
(function (global) {
  'use strict';
  var render = global.html2canvas;
  if (typeof render !== 'function') return;

  var running = null;
  var shown = null;

  function collageOf(element) {
    var doc = (element && element.ownerDocument) || global.document;
    var container = doc && doc.getElementById('pagecontainer');
    return container && element === doc.body ? container : element;
  }

  function settingsFrom(options) {
    var settings = {};
    for (var key in options) {
      if (Object.prototype.hasOwnProperty.call(options, key) && key !== 'onrendered') settings[key] = options[key];
    }
    settings.logging = false;
    return settings;
  }

  global.html2canvas = function (element, options) {
    if (running) return running;
    options = options || {};
    var onrendered = options.onrendered;
    running = render(collageOf(element), settingsFrom(options)).then(function (canvas) {
      running = null;
      if (shown && shown.parentNode) shown.parentNode.removeChild(shown);
      shown = canvas;
      if (typeof onrendered === 'function') onrendered(canvas);
      return canvas;
    }, function (error) {
      running = null;
      if (global.console) global.console.error('capture failed:', error);
    });
    return running;
  };
})(typeof window !== 'undefined' ? window : this);
