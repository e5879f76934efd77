// An HTML text layer over the data area, for texts that plotters place as HTML (legends).
// Owned by the plotter that makes it.
(function ($) {
  'use strict';

  function TextLayer(plot, z) {
    this.plot = plot;
    this.div = $('<div></div>').css({position: 'absolute', left: '0px', top: '0px',
                                     width: '0px', height: '0px', zIndex: z,
                                     pointerEvents: 'none'});
    plot.container.append(this.div);
  }
  TextLayer.prototype.place = function (rect) {
    this.div.css({left: rect.left + 'px', top: rect.top + 'px',
                  width: rect.width + 'px', height: rect.height + 'px'});
  };
  // Adds `html` at (x, y) of the layer; returns its element.
  TextLayer.prototype.add = function (html, x, y) {
    var text = $('<div></div>').html(html).css({position: 'absolute', left: x + 'px', top: y + 'px',
                                                width: 'auto', height: 'auto'});
    this.div.append(text);
    return text;
  };
  TextLayer.prototype.clear = function () {
    this.div.empty();
  };
  TextLayer.prototype.remove = function () {
    this.div.remove();
  };
  etch.TextLayer = TextLayer;
})(jQuery);
