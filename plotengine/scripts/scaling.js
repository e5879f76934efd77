// Axis scalings: a data range mapped onto a pixel length. The minimum is at pixel 0 on the
// horizontal axis and at the far end (the bottom) on the vertical one; a minimum above the
// maximum draws the axis inverted.
(function ($) {
  'use strict';

  function Scaling(min, max, length, vertical) {
    this.min = min;
    this.max = max;
    this.length = length;
    this.vertical = vertical;
  }
  Scaling.prototype.to_pixel = function (value) {
    var fraction = (value - this.min) / (this.max - this.min);
    return this.vertical ? (1 - fraction) * this.length : fraction * this.length;
  };
  Scaling.prototype.to_value = function (pixel) {
    var fraction = pixel / this.length;
    if (this.vertical) fraction = 1 - fraction;
    return this.min + fraction * (this.max - this.min);
  };
  // Pixels per unit of data (negative on an inverted axis).
  Scaling.prototype.pixels_per_unit = function () {
    return this.length / (this.max - this.min);
  };
  etch.Scaling = Scaling;

  // A usable range from two ends: equal ends are widened around the value.
  etch.widen_range = function (min, max) {
    if (min !== max) return [min, max];
    var half = min === 0 ? 1 : Math.abs(min) / 10;
    return [min - half, max + half];
  };
})(jQuery);
