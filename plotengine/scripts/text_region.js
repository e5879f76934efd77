// Plotter "text_region": a text in a box over the data area, centred at x_percent and y_percent
// of the area. A drag moves it, and at the release the native side hears RegionPosChanged(id,
// x, y), its centre as fractions of the area. A double click edits the text in place: Enter or
// leaving the editor commits, Escape cancels; a committed text that differs from the old one is
// sent as RegionTextChanged(id, text).
(function ($) {
  'use strict';

  var kPadding = 4;
  var kEnter = 13, kEscape = 27;

  function TextRegion(plot, props, markupName) {
    etch.BasePlotter.call(this, plot, props, markupName);
    this.box = null;
    this.editor = null;
  }
  etch.inherit(TextRegion, etch.BasePlotter);
  TextRegion.prototype.z_order = etch.kAnnotations;
  TextRegion.prototype.property_table = function () {
    return [
      ['text', 'string', ''],
      ['font_size', 'number', 16],
      ['background', 'colour', 'white'],
      ['x_percent', 'number', 0.5],
      ['y_percent', 'number', 0.0],
      ['id', 'string', 'text_region']
    ];
  };

  TextRegion.prototype.check_props = function () {
    etch.BasePlotter.prototype.check_props.call(this);
    this.text = this.values.text;
    this.x_fraction = this.values.x_percent;
    this.y_fraction = this.values.y_percent;
  };

  TextRegion.prototype.font = function () {
    return this.values.font_size + 'px ' + this.plot.values.fontfamily;
  };

  // The box around the text, centred on its place, in layer pixels.
  TextRegion.prototype.place = function (layer, ctx) {
    ctx.font = this.font();
    var width = Math.ceil(ctx.measureText(this.text).width) + 2 * kPadding;
    var height = Math.ceil(this.values.font_size * 1.25) + 2 * kPadding;
    var cx = this.x_fraction * layer.rect.width, cy = this.y_fraction * layer.rect.height;
    return new etch.Rect(Math.round(cx - width / 2), Math.round(cy - height / 2), width, height);
  };

  TextRegion.prototype.draw = function (layer) {
    var ctx = layer.context();
    ctx.save();
    var box = this.box = this.place(layer, ctx);
    ctx.fillStyle = etch.css_colour(this.values.background);
    ctx.fillRect(box.left, box.top, box.width, box.height);
    ctx.fillStyle = 'black';
    ctx.textAlign = 'center';
    ctx.textBaseline = 'middle';
    ctx.fillText(this.text, box.left + box.width / 2, box.top + box.height / 2);
    ctx.restore();
    return $.Deferred().resolve().promise();
  };

  TextRegion.prototype.holds = function (pos) {
    var b = this.box;
    return !!b && pos.x >= b.left && pos.x < b.right() && pos.y >= b.top && pos.y < b.bottom();
  };

  TextRegion.prototype.grab = function (pos) {
    if (this.editor || !this.holds(pos)) return null;
    var self = this;
    return etch.region_drag(this, pos, function () {
      window.etch_proxy.RegionPosChanged(self.values.id, self.x_fraction, self.y_fraction);
    });
  };

  TextRegion.prototype.cursor_at = function (pos) {
    return this.holds(pos) ? 'move' : null;
  };

  TextRegion.prototype.double_click = function (pos) {
    if (this.editor || !this.holds(pos)) return false;
    this.edit();
    return true;
  };

  // An editor over the box, holding the text, all of it selected.
  TextRegion.prototype.edit = function () {
    var self = this, rect = this.plot.data_rect(), box = this.box;
    var editor = this.editor = $('<input type="text" class="etch_text_editor">').css({
      position: 'absolute', left: rect.left + box.left + 'px', top: rect.top + box.top + 'px',
      width: Math.max(box.width, 80) + 'px', height: box.height + 'px', zIndex: etch.kButtons,
      font: this.font(), textAlign: 'center', boxSizing: 'border-box'
    }).val(this.text);
    editor.bind('keydown', function (event) {
      if (event.which === kEnter) self.finish_edit(true);
      if (event.which === kEscape) self.finish_edit(false);
      event.stopPropagation();
    }).bind('blur', function () { self.finish_edit(true); });
    this.plot.container.append(editor);
    editor[0].focus();
    editor[0].select();
  };

  TextRegion.prototype.finish_edit = function (commit) {
    var editor = this.editor;
    if (!editor) return;
    this.editor = null;
    var text = String(editor.val());
    editor.remove();
    if (!commit || text === this.text) return;
    this.text = text;
    var layer = this.plot.layer_of(this);
    if (layer) layer.redraw();
    try {
      window.etch_proxy.RegionTextChanged(this.values.id, text);
    } catch (e) {
      // The text stays as edited even when the native side cannot take note of it.
    }
  };

  etch.register_plotter(['text_region'], TextRegion);
})(jQuery);
