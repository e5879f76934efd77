// Plotter "legend": a box over the data area with a row per data plotter (a line in its colour,
// then its id, or for a timeplot with an equation the equation's text from RequestEquation).
// Its left and top are x_percent and y_percent of the data area; a drag moves it, and at the
// release the native side hears RegionPosChanged(id, left, top) as fractions of the area.
(function ($) {
  'use strict';

  var kPadding = 4, kSwatch = 16;

  function Legend(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
    this.equations = {};
    this.box = null;
  }
  etch.inherit(Legend, etch.BasePlotter);
  Legend.prototype.z_order = etch.kAnnotations;
  Legend.prototype.property_table = function () {
    return [
      ['id', 'string', 'legend'],
      ['background', 'colour', 'white'],
      ['x_percent', 'number', 0.02],
      ['y_percent', 'number', 0.02]
    ];
  };

  Legend.prototype.check_props = function () {
    etch.BasePlotter.prototype.check_props.call(this);
    this.x_fraction = this.values.x_percent;
    this.y_fraction = this.values.y_percent;
  };

  // The text of a plotter's row.
  Legend.prototype.row_text = function (plotter) {
    var equation = plotter.values.equation;
    if (typeof equation === 'string' && equation !== '') {
      if (!(equation in this.equations)) {
        var text = equation;
        try {
          var answer = window.etch_proxy.RequestEquation(equation);
          if (typeof answer === 'string') text = answer;
        } catch (e) {
          // The equation as the markup wrote it.
        }
        this.equations[equation] = text;
      }
      return this.equations[equation];
    }
    return plotter.id || plotter.markup_name;
  };

  Legend.prototype.rows = function () {
    var rows = [];
    for (var i = 0; i < this.plot.plotters.length; ++i) {
      var plotter = this.plot.plotters[i];
      if (!(plotter instanceof etch.DataPlotter)) continue;
      rows.push({colour: plotter.values.colour || plotter.values.fitcolour, text: this.row_text(plotter)});
    }
    return rows;
  };

  Legend.prototype.draw = function (layer) {
    var rows = this.rows(), ctx = layer.context(), plot = this.plot;
    var lineHeight = plot.values.fontsize + 8;
    ctx.save();
    ctx.font = plot.values.fontsize + 'pt ' + plot.values.fontfamily;
    var width = 0;
    for (var i = 0; i < rows.length; ++i) width = Math.max(width, ctx.measureText(rows[i].text).width);
    width = Math.ceil(width) + kSwatch + 3 * kPadding;
    var height = rows.length * lineHeight + 2 * kPadding;
    var left = Math.round(this.x_fraction * layer.rect.width), top = Math.round(this.y_fraction * layer.rect.height);
    this.box = new etch.Rect(left, top, width, height);
    ctx.fillStyle = etch.css_colour(this.values.background);
    ctx.fillRect(left, top, width, height);
    ctx.strokeStyle = 'black';
    ctx.lineWidth = 1;
    ctx.strokeRect(left + 0.5, top + 0.5, width - 1, height - 1);
    ctx.textBaseline = 'middle';
    ctx.textAlign = 'left';
    for (var j = 0; j < rows.length; ++j) {
      var y = top + kPadding + (j + 0.5) * lineHeight;
      ctx.strokeStyle = etch.css_colour(rows[j].colour);
      ctx.lineWidth = 2;
      ctx.beginPath();
      ctx.moveTo(left + kPadding, y);
      ctx.lineTo(left + kPadding + kSwatch, y);
      ctx.stroke();
      ctx.fillStyle = 'black';
      ctx.fillText(rows[j].text, left + 2 * kPadding + kSwatch, y);
    }
    ctx.restore();
    return $.Deferred().resolve().promise();
  };

  Legend.prototype.holds = function (pos) {
    var b = this.box;
    return !!b && pos.x >= b.left && pos.x < b.right() && pos.y >= b.top && pos.y < b.bottom();
  };

  // Drags the region with its corner at (x_fraction, y_fraction) of the layer; `report` tells
  // the native side at the release.
  etch.region_drag = function (plotter, pos, report) {
    var layer = plotter.plot.layer_of(plotter);
    var start = [plotter.x_fraction, plotter.y_fraction];
    return etch.drag_gesture(pos, function (at) {
      if (!layer) return;
      plotter.x_fraction = start[0] + (at.x - pos.x) / layer.rect.width;
      plotter.y_fraction = start[1] + (at.y - pos.y) / layer.rect.height;
      layer.redraw();
    }, function () {
      try {
        report();
      } catch (e) {
        // The region stays where it was put even when the native side cannot take note of it.
      }
    });
  };

  Legend.prototype.grab = function (pos) {
    if (!this.holds(pos)) return null;
    var self = this;
    return etch.region_drag(this, pos, function () {
      window.etch_proxy.RegionPosChanged(self.values.id, self.x_fraction, self.y_fraction);
    });
  };

  Legend.prototype.cursor_at = function (pos) {
    return this.holds(pos) ? 'move' : null;
  };

  etch.register_plotter(['legend'], Legend);
})(jQuery);
