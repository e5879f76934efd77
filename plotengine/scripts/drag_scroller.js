// Plotter "drag_scroller": made for a data plotter when the plot's drag_scrolling is true. A
// drag in the data area that nothing above it takes scrolls the horizontal scale with the
// pointer; the native side hears of the new range once, at the release. Draws nothing.
(function ($) {
  'use strict';

  function DragScroller(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
  }
  etch.inherit(DragScroller, etch.BasePlotter);
  // Below everything and asked last, so that every other plotter is asked for a press first.
  DragScroller.prototype.z_order = etch.kBelowGraticule;
  DragScroller.prototype.grabs_last = true;

  DragScroller.prototype.grab = function (pos) {
    if (!pos.inside) return null;
    // One scroller acts for the plot, however many data plotters asked for one.
    var plot = this.plot;
    for (var i = 0; i < plot.plotters.length; ++i) {
      if (plot.plotters[i] instanceof DragScroller) {
        if (plot.plotters[i] !== this) return null;
        break;
      }
    }
    var scale = plot.scales[etch.kXScale];
    return etch.drag_gesture(pos, scale.shifter('page_x', pos), function () { scale.report(); });
  };

  DragScroller.prototype.cursor_at = function (pos) {
    return pos.inside ? 'move' : null;
  };

  etch.register_plotter(['drag_scroller'], DragScroller);
})(jQuery);
