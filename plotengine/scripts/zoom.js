// Plotter "zoom": every plot has one. When the native side allows zooming (IsZoomEnabled gives
// true or "YES"), a drag in the data area that nothing else takes draws a rectangle, and the
// release zooms both scales to it; Ctrl+Z and Ctrl+Y undo and redo the steps. Each step tells
// the native side SetZoomState("zoom", can undo, can redo), then ZoomLevelChanged("zoom",
// [x min, x max, y min, y max]), then the two scales' new ranges.
(function ($) {
  'use strict';

  // The smallest rectangle, in pixels each way, that zooms.
  var kSmallest = 3;
  var kKeyZ = 90, kKeyY = 89;

  function Zoom(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
    this.undo_steps = [];
    this.redo_steps = [];
    this.band = null;
  }
  etch.inherit(Zoom, etch.BasePlotter);
  Zoom.prototype.z_order = etch.kAboveAnnotation;
  Zoom.prototype.grabs_last = true;

  Zoom.prototype.enabled = function () {
    try {
      var answer = window.etch_proxy.IsZoomEnabled();
      return answer === true || answer === 'YES';
    } catch (e) {
      return false;
    }
  };

  // The scales' ranges: [x min, x max, y min, y max].
  Zoom.prototype.ranges = function () {
    var x = this.plot.scales[etch.kXScale], y = this.plot.scales[etch.kYScale];
    return [x.min, x.max, y.min, y.max];
  };

  Zoom.prototype.show = function (ranges) {
    var x = this.plot.scales[etch.kXScale], y = this.plot.scales[etch.kYScale];
    x.auto = y.auto = false;
    x.min = ranges[0];
    x.max = ranges[1];
    y.min = ranges[2];
    y.max = ranges[3];
    var proxy = window.etch_proxy;
    try {
      proxy.SetZoomState('zoom', this.undo_steps.length > 0, this.redo_steps.length > 0);
      proxy.ZoomLevelChanged('zoom', ranges);
    } catch (e) {
      // The zoom stays on the page even when the native side cannot take note of it.
    }
    x.report();
    y.report();
    this.plot.paint();
  };

  Zoom.prototype.grab = function (pos) {
    if (!pos.inside || !this.enabled()) return null;
    var self = this;
    return {
      move: function (at) {
        self.band = [pos.x, pos.y, at.x, at.y];
        var layer = self.plot.layer_of(self);
        if (layer) layer.redraw();
      },
      end: function (at) {
        self.band = null;
        var layer = self.plot.layer_of(self);
        if (layer) layer.redraw();
        if (Math.abs(at.x - pos.x) < kSmallest || Math.abs(at.y - pos.y) < kSmallest) return;
        var sx = self.plot.scales[etch.kXScale].scaling, sy = self.plot.scales[etch.kYScale].scaling;
        var xa = sx.to_value(pos.x), xb = sx.to_value(at.x), ya = sy.to_value(pos.y), yb = sy.to_value(at.y);
        self.undo_steps.push(self.ranges());
        self.redo_steps = [];
        self.show([Math.min(xa, xb), Math.max(xa, xb), Math.min(ya, yb), Math.max(ya, yb)]);
      }
    };
  };

  Zoom.prototype.key = function (event) {
    if (!event.ctrlKey || (event.which !== kKeyZ && event.which !== kKeyY)) return false;
    var from = event.which === kKeyZ ? this.undo_steps : this.redo_steps;
    var to = event.which === kKeyZ ? this.redo_steps : this.undo_steps;
    if (from.length === 0 || !this.enabled()) return false;
    to.push(this.ranges());
    this.show(from.pop());
    return true;
  };

  Zoom.prototype.draw = function (layer) {
    if (this.band) {
      var b = this.band, ctx = layer.context();
      ctx.save();
      ctx.fillStyle = 'rgba(0,0,255,0.1)';
      ctx.strokeStyle = 'rgba(0,0,255,0.6)';
      ctx.lineWidth = 1;
      var left = Math.floor(Math.min(b[0], b[2])) + 0.5, top = Math.floor(Math.min(b[1], b[3])) + 0.5;
      ctx.fillRect(left, top, Math.abs(b[2] - b[0]), Math.abs(b[3] - b[1]));
      ctx.strokeRect(left, top, Math.abs(b[2] - b[0]), Math.abs(b[3] - b[1]));
      ctx.restore();
    }
    return $.Deferred().resolve().promise();
  };

  etch.register_plotter(['zoom'], Zoom);
})(jQuery);
