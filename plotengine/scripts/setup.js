// Plot setup: the plot's structure from a compiled plot description, and the layout of its
// scales and layers from its properties.
(function ($) {
  'use strict';

  // How often a plot compares its container's size with the size it was drawn for.
  var kSizeCheckMs = 100;

  // Plot properties checked when a description gives them.
  var sizeAboveZero = ['number_above', 0];
  var plotPropertyTable = [
    ['rightmargin', 'number'], ['topmargin', 'number'], ['xscaleheight', sizeAboveZero],
    ['yscalewidth', sizeAboveZero], ['fontsize', sizeAboveZero],
    ['canvas_fontsize', sizeAboveZero], ['labelsize', sizeAboveZero],
    ['yscaleticksmin', sizeAboveZero], ['xscaleticksmin', sizeAboveZero],
    ['minticklabels', ['integer_above', -1]], ['majorticksize', 'number'],
    ['minorticksize', 'number'], ['minortickthreshold', 'number'], ['throbberdelay', 'number'],
    ['scalesigfigs', 'number'], ['background', 'colour'], ['fontfamily', 'string'],
    ['title', 'string'], ['xlabel', 'string'], ['ylabel', 'string'],
    ['shadow', 'boolean'], ['axesshadow', 'boolean'], ['label_each_minor_x_tick', 'boolean'],
    ['label_each_minor_y_tick', 'boolean'], ['show_x_scale_labels', 'boolean'],
    ['show_y_scale_labels', 'boolean'], ['do_initial_autoscale_x', 'boolean'],
    ['do_initial_autoscale_y', 'boolean'], ['x_scale_labels', 'boolean'],
    ['hidewhiledrawing', 'boolean'], ['throttleredraws', 'boolean'],
    ['showzoombuttons', 'boolean'], ['showmenubutton', 'boolean'],
    ['dynamic_readout_pos', 'boolean'], ['drag_scrolling', 'boolean'],
    ['use_js_fake_proxy', 'boolean'],
    ['xscalemin', 'scale_end'], ['xscalemax', 'scale_end'], ['yscalemin', 'scale_end'],
    ['yscalemax', 'scale_end'], ['fullrange_xscalemin', 'scale_end'],
    ['fullrange_xscalemax', 'scale_end'], ['fullrange_yscalemin', 'scale_end'],
    ['fullrange_yscalemax', 'scale_end']
  ];

  function isPlainObject(value) {
    return value !== null && typeof value === 'object' && !$.isArray(value);
  }

  function isGraticuleName(name) {
    return name === 'grat' || name === 'graticule';
  }

  // A plotter's markup with its data values made providers (arrays of colours and other
  // non-numeric arrays stay as they are; `raw` names properties kept as given).
  function withProviders(markup, raw) {
    var props = {};
    for (var key in markup) {
      if (!Object.prototype.hasOwnProperty.call(markup, key)) continue;
      props[key] = $.inArray(key, raw) >= 0 ? markup[key] : etch.make_provider(markup[key]);
    }
    return props;
  }

  // Made once, by make_plot: the scales, the base canvas and the window's resize binding.
  etch.fn.init = function () {
    var plot = this;
    plot.scales = [null, new etch.Scale(plot, etch.kXScale), new etch.Scale(plot, etch.kYScale)];
    plot.base_layer = new etch.CanvasLayer(plot, 1);
    plot.layers = [];
    etch.styles.install(plot);
    // Nothing placed over the plot may make the page scroll, which would move the plot under
    // the pointer.
    plot.container.css({'-webkit-user-select': 'none', 'user-select': 'none', overflow: 'hidden'});
    plot.dispatcher = new etch.EventDispatcher(plot);
    $(window).resize(function () { plot.repaint_if_resized(); });
    // A page that is not being rendered gets no resize events: look at the size as well.
    window.setInterval(function () { plot.repaint_if_resized(); }, kSizeCheckMs);
  };

  etch.fn.repaint_if_resized = function () {
    var size = this.container.width() + 'x' + this.container.height();
    if (this.laid_out_size !== undefined && size !== this.laid_out_size) this.paint();
  };

  etch.fn.add_plotter = function (plotter) {
    plotter.insertion = this.plotters.length;
    this.plotters.push(plotter);
    return plotter;
  };

  // Builds the plot from a compiled description and draws it.
  etch.fn.setup = function (description) {
    // A plot made without canvas support shows why and draws nothing.
    if (!this.scales) return;
    this.cancel_paint();
    this.clear_error();
    this.plotters = [];
    var shared = {}, given = {}, entries = [], graticules = 0;
    description = $.isArray(description) ? description : [];
    for (var i = 0; i < description.length; ++i) {
      var entry = description[i];
      if (!isPlainObject(entry)) continue;
      if (!('property_name' in entry && 'markup' in entry)) {
        $.extend(shared, entry);
        continue;
      }
      var name = entry.property_name;
      if (!etch.is_plotter_type(name)) {
        given[name] = entry.markup;
        continue;
      }
      if (isGraticuleName(name)) {
        ++graticules;
        if (entry.markup === null) continue;
      }
      entries.push({name: name, markup: isPlainObject(entry.markup) ? entry.markup : {}});
    }
    this.props = $.extend({}, shared, given);
    this.values = etch.check_properties(this, 'plot', this.props, this.plot_property_table());
    for (var j = 0; j < entries.length; ++j) {
      var made = entries[j];
      var own = $.extend({}, shared, withProviders(made.markup, ['titles', 'xlabels', 'positions']));
      this.add_plotter(etch.make_plotter(made.name, this, own));
    }
    if (graticules === 0) this.add_plotter(etch.make_plotter('graticule', this, {}));
    if (etch.is_plotter_type('zoom')) this.add_plotter(etch.make_plotter('zoom', this, {}));
    for (var k = 0; k < this.plotters.length; ++k) {
      this.plotters[k].check_props();
      this.plotters[k].mark_changed(0);
    }
    this.arrange_layers();
    this.scales[etch.kXScale].reset();
    this.scales[etch.kYScale].reset();
    this.paint();
  };

  etch.fn.plot_property_table = function () {
    var defaults = etch.default_plot_properties;
    return $.map(plotPropertyTable, function (row) {
      return [[row[0], row[1], defaults[row[0]]]];
    });
  };

  // The data area within the container: the container less the scales and the margins.
  etch.fn.data_rect = function () {
    var v = this.values;
    var width = this.container.width(), height = this.container.height();
    var left = v.yscalewidth, top = v.topmargin;
    return new etch.Rect(left, top, Math.max(1, width - left - v.rightmargin),
                         Math.max(1, height - top - v.xscaleheight));
  };

  // One canvas layer per z order of the plotters, in z order; plotters of one z order share
  // their layer in insertion order.
  etch.fn.arrange_layers = function () {
    var byZ = {}, orders = [];
    for (var i = 0; i < this.layers.length; ++i) this.layers[i].remove();
    this.layers = [];
    for (var j = 0; j < this.plotters.length; ++j) {
      var z = this.plotters[j].z_order;
      if (!byZ[z]) {
        byZ[z] = [];
        orders.push(z);
      }
      byZ[z].push(this.plotters[j]);
    }
    orders.sort(function (a, b) { return a - b; });
    for (var k = 0; k < orders.length; ++k) {
      var layer = new etch.CanvasLayer(this, orders[k]);
      layer.plotters = byZ[orders[k]];
      this.layers.push(layer);
    }
  };
})(jQuery);
