// A scale button (zoom in, zoom out, or the scale's menu): a small canvas over the plot with its
// glyph, drawn up or pressed. Owned by its scale; lives as long as the plot.
(function ($) {
  'use strict';

  var kSize = 15;

  // `glyph` is 'in', 'out' or 'menu'; onPress(button) runs on a left press.
  function Button(plot, glyph, onPress) {
    this.plot = plot;
    this.glyph = glyph;
    this.down = false;
    this.left = 0;
    this.top = 0;
    this.canvas = document.createElement('canvas');
    this.canvas.width = kSize;
    this.canvas.height = kSize;
    $(this.canvas).addClass('etch_button etch_button_' + glyph).css({
      position: 'absolute', width: kSize + 'px', height: kSize + 'px', zIndex: etch.kButtons,
      display: 'none'
    });
    var self = this;
    // The press is the button's alone: it starts no gesture of the plot under it.
    $(this.canvas).bind('mousedown', function (event) {
      event.stopPropagation();
      if (event.which === 1) onPress(self);
    }).bind('mousemove', function (event) { event.stopPropagation(); });
    plot.container.append(this.canvas);
    this.draw();
  }
  Button.size = kSize;

  Button.prototype.place = function (left, top, shown) {
    this.left = Math.round(left);
    this.top = Math.round(top);
    $(this.canvas).css({left: this.left + 'px', top: this.top + 'px',
                        display: shown ? 'block' : 'none'});
  };

  // The button's box in page pixels: [left, top, right, bottom].
  Button.prototype.box = function () {
    var offset = this.plot.container.offset() || {left: 0, top: 0};
    var left = Math.round(offset.left) + this.left, top = Math.round(offset.top) + this.top;
    return [left, top, left + kSize, top + kSize];
  };

  Button.prototype.contains = function (pageX, pageY) {
    var box = this.box();
    return pageX >= box[0] && pageX < box[2] && pageY >= box[1] && pageY < box[3];
  };

  Button.prototype.set_down = function (down) {
    this.down = down;
    this.draw();
  };

  Button.prototype.draw = function () {
    var ctx = this.canvas.getContext('2d'), s = kSize, mid = Math.floor(s / 2) + 0.5;
    ctx.clearRect(0, 0, s, s);
    ctx.fillStyle = this.down ? '#c8c8c8' : '#f0f0f0';
    ctx.fillRect(0, 0, s, s);
    ctx.strokeStyle = this.down ? '#404040' : '#808080';
    ctx.lineWidth = 1;
    ctx.strokeRect(0.5, 0.5, s - 1, s - 1);
    ctx.strokeStyle = 'black';
    ctx.fillStyle = 'black';
    ctx.beginPath();
    if (this.glyph === 'menu') {
      ctx.moveTo(3.5, 5.5);
      ctx.lineTo(s - 3.5, 5.5);
      ctx.lineTo(mid, s - 4.5);
      ctx.closePath();
      ctx.fill();
      return;
    }
    ctx.moveTo(3, mid);
    ctx.lineTo(s - 3, mid);
    if (this.glyph === 'in') {
      ctx.moveTo(mid, 3);
      ctx.lineTo(mid, s - 3);
    }
    ctx.stroke();
  };

  etch.Button = Button;
})(jQuery);
