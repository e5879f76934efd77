// Value types of the plotting library: colours and rectangles.
(function ($) {
  'use strict';

  // A colour of red, green, blue and alpha, each 0 to 255 (the markup's #rrggbbaa).
  function Colour(r, g, b, a) {
    this.r = r;
    this.g = g;
    this.b = b;
    this.a = a === undefined ? 255 : a;
  }
  Colour.prototype.css = function () {
    return 'rgba(' + this.r + ',' + this.g + ',' + this.b + ',' + (this.a / 255) + ')';
  };
  // The colour as markup writes it: #rrggbbaa.
  Colour.prototype.markup = function () {
    var text = '#';
    var parts = [this.r, this.g, this.b, this.a];
    for (var i = 0; i < parts.length; ++i) text += (parts[i] < 16 ? '0' : '') + parts[i].toString(16);
    return text;
  };
  // The colour with `amount` added to each of red, green and blue, at most 255.
  Colour.prototype.lighter = function (amount) {
    return new Colour(Math.min(this.r + amount, 255), Math.min(this.g + amount, 255),
                      Math.min(this.b + amount, 255), this.a);
  };
  etch.Colour = Colour;

  // A colour value of the markup: an etch.Colour or a CSS colour text such as 'blue'.
  etch.is_colour = function (value) {
    return value instanceof Colour || (typeof value === 'string' && value.length > 0);
  };
  etch.css_colour = function (value) {
    return value instanceof Colour ? value.css() : String(value);
  };

  // A rectangle in pixels.
  function Rect(left, top, width, height) {
    this.left = left;
    this.top = top;
    this.width = width;
    this.height = height;
  }
  Rect.prototype.right = function () { return this.left + this.width; };
  Rect.prototype.bottom = function () { return this.top + this.height; };
  etch.Rect = Rect;
})(jQuery);
