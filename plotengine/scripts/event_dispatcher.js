// Routes the pointer and the keyboard to a plot's plotters and scales. One per plot, made when
// the plot is made; it lives as long as the page.
//
// A target (a plotter or a scale) takes part by having any of these functions, each given a
// position {x, y} relative to the data area, with page_x and page_y relative to the container
// and `inside` true within the data area:
//   grab(pos)          a press: returns a drag {move(pos), end(pos)} to take the gesture, or null;
//   hover(pos)         the pointer moved with no button held (pos null: it left the plot);
//   cursor_at(pos)     the CSS cursor the target shows there, or null;
//   click(pos)         a press and release without moving in between;
//   double_click(pos)  a second click within the plot's double-click time: true when handled;
//   key(event)         a key pressed: true when handled.
// Targets are asked topmost first (higher z order first, later plotters first among equals),
// the scales last; the first that answers takes the gesture. Plotters that act on any press in
// the data area (zoom, drag scrolling) set grabs_last, and are asked after all the others.
(function ($) {
  'use strict';

  // How far the pointer may move between press and release for the gesture to be a click, and
  // how near a second click must be to the first to make a double click.
  var kClickSlop = 3;
  var kDoubleClickSlop = 4;

  function EventDispatcher(plot) {
    this.plot = plot;
    this.drag = null;
    this.last_click = null;
    var self = this;
    plot.container.etchDrag({
      start: function (event) { return self.press(event); },
      move: function (event) { self.move(event); },
      end: function (event) { self.release(event); }
    });
    plot.container.bind('mousemove', function (event) {
      if (!self.drag) self.hover(self.position(event));
    });
    plot.container.bind('mouseleave', function () {
      if (!self.drag) self.hover(null);
    });
    $(document).bind('keydown', function (event) { self.key(event); });
  }

  // The pointer's position for the targets.
  EventDispatcher.prototype.position = function (event) {
    var offset = this.plot.container.offset() || {left: 0, top: 0};
    var px = event.pageX - offset.left, py = event.pageY - offset.top;
    var rect = this.plot.data_rect();
    return {
      page_x: px, page_y: py, x: px - rect.left, y: py - rect.top,
      inside: px >= rect.left && px < rect.right() && py >= rect.top && py < rect.bottom()
    };
  };

  // The plotters topmost first, then the scales.
  EventDispatcher.prototype.targets = function () {
    var plotters = this.plot.plotters.slice();
    plotters.sort(function (a, b) {
      return (a.grabs_last ? 1 : 0) - (b.grabs_last ? 1 : 0) || b.z_order - a.z_order ||
             b.insertion - a.insertion;
    });
    var scales = this.plot.scales || [];
    return plotters.concat([scales[etch.kXScale], scales[etch.kYScale]]);
  };

  // The first answer of `method` that is not null or false, asking the targets in order.
  EventDispatcher.prototype.ask = function (method, argument) {
    var targets = this.targets();
    for (var i = 0; i < targets.length; ++i) {
      var target = targets[i];
      if (!target || !$.isFunction(target[method])) continue;
      var answer = target[method](argument);
      if (answer) return answer;
    }
    return null;
  };

  EventDispatcher.prototype.press = function (event) {
    // A press in a text being edited belongs to the editor.
    if (!this.plot.scales || $(event.target).is('input, textarea')) return false;
    var pos = this.position(event);
    this.start = pos;
    this.moved = false;
    this.drag = this.ask('grab', pos);
    return true;
  };

  EventDispatcher.prototype.move = function (event) {
    var pos = this.position(event);
    if (Math.abs(pos.page_x - this.start.page_x) > kClickSlop ||
        Math.abs(pos.page_y - this.start.page_y) > kClickSlop) {
      this.moved = true;
    }
    if (this.drag && this.moved) this.drag.move(pos);
  };

  EventDispatcher.prototype.release = function (event) {
    var pos = this.position(event), drag = this.drag;
    this.drag = null;
    if (drag) drag.end(this.moved ? pos : this.start);
    if (!this.moved) this.clicked(this.start);
  };

  // A click, and a double click when it follows another close by in place and time.
  EventDispatcher.prototype.clicked = function (pos) {
    var now = etch.util.now(), last = this.last_click;
    this.last_click = {pos: pos, time: now};
    var isDouble = last && now - last.time <= this.plot.dblclick_time &&
                   Math.abs(pos.page_x - last.pos.page_x) <= kDoubleClickSlop &&
                   Math.abs(pos.page_y - last.pos.page_y) <= kDoubleClickSlop;
    if (isDouble) {
      this.last_click = null;
      if (this.ask('double_click', pos)) return;
    }
    this.ask('click', pos);
  };

  EventDispatcher.prototype.hover = function (pos) {
    var targets = this.targets(), cursor = null;
    for (var i = 0; i < targets.length; ++i) {
      var target = targets[i];
      if (!target) continue;
      if ($.isFunction(target.hover)) target.hover(pos);
      if (pos && !cursor && $.isFunction(target.cursor_at)) cursor = target.cursor_at(pos);
    }
    this.plot.container.css('cursor', cursor || 'default');
  };

  EventDispatcher.prototype.key = function (event) {
    // Keys typed into a text being edited belong to the editor.
    if ($(event.target).is('input, textarea')) return;
    if (this.ask('key', event)) event.preventDefault();
  };

  etch.EventDispatcher = EventDispatcher;

  // The drag a target returns for a press at `pos` that changes something as the pointer moves:
  // apply(at) for each move, and finish() once at the release when the pointer moved at all.
  etch.drag_gesture = function (pos, apply, finish) {
    var changed = false;
    return {
      move: function (at) {
        apply(at);
        changed = true;
      },
      end: function (at) {
        if (at !== pos) this.move(at);
        if (changed) finish();
      }
    };
  };
})(jQuery);
