/*
 * Capture for collage pages: html2canvas(element, {onrendered: function (canvas) {...}})
 * hands the rendered canvas to onrendered. html2canvas itself, bundled in
 * front of this file, now only returns a promise, so the callback is
 * bridged here.
 */
(function (global) {
  'use strict';
  var render = global.html2canvas;
  if (typeof render !== 'function') return;

  global.html2canvas = function (element, options) {
    var onrendered = options && options.onrendered;
    var promise = render(element, options);
    if (typeof onrendered === 'function') {
      promise.then(function (canvas) { onrendered(canvas); }, function (error) {
        if (global.console) global.console.error('capture failed:', error);
      });
    }
    return promise;
  };
})(typeof window !== 'undefined' ? window : this);
