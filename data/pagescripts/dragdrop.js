/*
 * Drag and resize for collage pages.
 *
 * The page ends with one call listing options and element ids:
 *   SET_DHTML(CURSOR_HAND, RESIZABLE, 'item1', 'item2', ..., 'pagecontainer' + NO_DRAG);
 * Every listed element can be dragged, and resized at its right and bottom
 * edges, with a hand cursor; an id followed by NO_DRAG stays where it is.
 * Built on interactjs, which is bundled in front of this file.
 */
(function (global) {
  'use strict';

  // Option markers; element ids never contain control characters.
  var CURSOR_HAND = '\u0001cursor-hand';
  var RESIZABLE = '\u0001resizable';
  var NO_DRAG = '\u0001no-drag';

  function endsWith(text, tail) {
    return text.length >= tail.length && text.substring(text.length - tail.length) === tail;
  }

  function find(id) {
    return document.getElementById(id) || document.getElementsByName(id)[0] || null;
  }

  function position(element, side) {
    var value = parseFloat(element.style[side]);
    if (!isNaN(value)) return value;
    return side === 'left' ? element.offsetLeft : element.offsetTop;
  }

  // A picture item is a box around one image: the image follows the box.
  function fitImages(element, width, height) {
    var images = element.getElementsByTagName('img');
    if (images.length !== 1 || element.children.length !== 1) return;
    images[0].width = Math.round(width);
    images[0].height = Math.round(height);
  }

  function resizeCursor(edges) {
    if (edges.right && edges.bottom) return 'nwse-resize';
    return edges.right ? 'ew-resize' : 'ns-resize';
  }

  function makeMovable(element, options) {
    var images = element.getElementsByTagName('img');
    for (var i = 0; i < images.length; i++) {
      // the browser's own image dragging would steal the gesture
      images[i].draggable = false;
      images[i].ondragstart = function () { return false; };
    }
    if (options.cursorHand) element.style.cursor = 'pointer';
    var movable = global.interact(element);
    movable.draggable({
      cursorChecker: function () { return options.cursorHand ? 'pointer' : 'move'; },
      listeners: {
        move: function (event) {
          element.style.left = (position(element, 'left') + event.dx) + 'px';
          element.style.top = (position(element, 'top') + event.dy) + 'px';
        }
      }
    });
    if (!options.resizable) return;
    movable.resizable({
      edges: { left: false, top: false, right: true, bottom: true },
      margin: 8,
      cursorChecker: function (action) { return resizeCursor(action.edges || {}); },
      modifiers: [global.interact.modifiers.restrictSize({ min: { width: 8, height: 8 } })],
      listeners: {
        move: function (event) {
          element.style.width = event.rect.width + 'px';
          element.style.height = event.rect.height + 'px';
          fitImages(element, event.rect.width, event.rect.height);
        }
      }
    });
  }

  function SET_DHTML() {
    var options = { cursorHand: false, resizable: false };
    var items = [];
    for (var i = 0; i < arguments.length; i++) {
      var arg = arguments[i];
      if (arg === CURSOR_HAND) options.cursorHand = true;
      else if (arg === RESIZABLE) options.resizable = true;
      else if (typeof arg === 'string' && arg.length > 0) items.push(arg);
    }
    if (typeof global.interact !== 'function') return;
    for (var j = 0; j < items.length; j++) {
      if (endsWith(items[j], NO_DRAG)) continue;  // listed, but fixed
      var element = find(items[j]);
      if (element) makeMovable(element, options);
    }
  }

  global.CURSOR_HAND = CURSOR_HAND;
  global.RESIZABLE = RESIZABLE;
  global.NO_DRAG = NO_DRAG;
  global.SET_DHTML = SET_DHTML;
})(typeof window !== 'undefined' ? window : this);
