// The plotting library's global object `etch`: its constants, the plotter registry and the
// plotter bases, and the small jQuery plug-ins the library relies on. Loaded first, after
// jQuery; every other module only adds itself to `etch` when it loads, so their order does not
// matter until the first plot is made.
(function ($) {
  'use strict';

  // The first element for which predicate(index, element) is true, as a jQuery set.
  $.fn.findIf = function (predicate) {
    for (var i = 0; i < this.length; ++i) {
      if (predicate.call(this[i], i, this[i])) return $(this[i]);
    }
    return $([]);
  };

  // What the browser offers; asked when a plot is made, not when the page loads.
  $.etchCanvasSupported = function () {
    var canvas = document.createElement('canvas');
    return !!(canvas.getContext && canvas.getContext('2d'));
  };
  $.etchWorkersSupported = function () { return typeof window.Worker !== 'undefined'; };
  $.etchTypedArraysSupported = function () { return typeof window.Float64Array !== 'undefined'; };

  // Binds a mouse drag on the elements: handlers.start(event) on a left press (a true answer
  // starts the drag), then handlers.move(event) for each move and handlers.end(event) once, at
  // the release. The moves and the release are taken from the whole document, so that a drag
  // that leaves the element, or the page, still ends where the pointer was let go; a move that
  // arrives with no button held (the release happened where the page could not see it) ends the
  // drag at the last position seen.
  $.fn.etchDrag = function (handlers) {
    return this.bind('mousedown', function (down) {
      if (down.which !== 1 || !handlers.start(down)) return;
      var last = down;
      var doc = $(document);
      function finish(event) {
        doc.unbind('mousemove', moved).unbind('mouseup', released);
        $(window).unbind('blur', lost);
        handlers.end(event);
      }
      function moved(event) {
        if (event.originalEvent && event.originalEvent.buttons === 0) return finish(last);
        last = event;
        handlers.move(event);
      }
      function released(event) {
        if (event.which === 1) finish(event);
      }
      function lost() { finish(last); }
      doc.bind('mousemove', moved).bind('mouseup', released);
      $(window).bind('blur', lost);
    });
  };

  var etch = window.etch = {
    kBelowGraticule: 10, kGraticule: 20, kBelowData: 30, kData: 40, kBelowAnnotations: 150,
    kAnnotations: 160, kAboveAnnotation: 270, kLoadingThrobber: 500, kButtons: 501,
    kErrorMsg: 502,
    kXScale: 1, kYScale: 2,
    kSeekSet: -1, kSeekCur: 0,
    kClosedInterval: 0, kOpenInterval: 1,
    kLeft: 0, kCentre: 1, kRight: 2, kTop: 3, kMiddle: 4, kBottom: 5,
    // The end a series' interval gives when it runs to whatever the series holds.
    kSeriesEnd: 2147483647,
    // Functions every new plot receives (plot.js, setup.js, draw.js add to it).
    fn: {},
    plots: {}
  };

  // Constructors by plotter type name ("tplot" and "timeplot" name one constructor).
  var plotterTypes = {};

  etch.register_plotter = function (names, constructor) {
    for (var i = 0; i < names.length; ++i) plotterTypes[names[i]] = constructor;
    constructor.prototype.names = names;
  };

  etch.is_plotter_type = function (name) {
    return Object.prototype.hasOwnProperty.call(plotterTypes, name);
  };

  // A plotter of the registered type `name` for `plot`, from its markup properties; `name` is
  // kept as the markup wrote it, so that reports name the plotter the way the user did.
  etch.make_plotter = function (name, plot, props) {
    return new plotterTypes[name](plot, props || {}, name);
  };

  // Makes Child's prototype inherit Parent's.
  etch.inherit = function (Child, Parent) {
    Child.prototype = Object.create(Parent.prototype);
    Child.prototype.constructor = Child;
    return Child;
  };

  // ---- Plotter bases ------------------------------------------------------------------

  // Every plotter: where it draws (z_order), its names, its markup properties (`props`) and
  // the checked ones (`values`), and draw(layer, region, cancel), which returns a deferred that
  // resolves when the plotter has drawn the region.
  function BasePlotter(plot, props, markupName) {
    this.plot = plot;
    this.props = props;
    this.markup_name = markupName;
    this.values = {};
    this.layer = null;
    this.id = typeof props.id === 'string' ? props.id : '';
  }
  BasePlotter.prototype.z_order = etch.kData;
  BasePlotter.prototype.names = [];
  // The plotter's property table for check_props.js: [name, kind, default] rows.
  BasePlotter.prototype.property_table = function () { return []; };
  BasePlotter.prototype.check_props = function () {
    this.values = etch.check_properties(this.plot, this.markup_name, this.props,
                                        this.property_table());
  };
  // The data range the plotter shows on scale etch.kXScale or etch.kYScale, [min, max], or
  // null when it does not take part in auto-scaling.
  BasePlotter.prototype.data_range = function () { return null; };
  // The data providers that plotter_data_changed refetches, by role.
  BasePlotter.prototype.providers = function () { return {}; };
  // Whether a generator of the plotter reads the data id `id`.
  BasePlotter.prototype.reads_data = function (id) {
    var providers = this.providers();
    for (var role in providers) {
      var provider = providers[role];
      if (provider instanceof etch.GeneratorProvider && provider.expression === id) return true;
    }
    return false;
  };
  // Notes that the data changed from index `first`; the next paint refetches from there.
  BasePlotter.prototype.mark_changed = function (first) {
    first = etch.util.is_finite(first) ? first : 0;
    this.changed_from = this.changed_from === undefined ? first : Math.min(this.changed_from, first);
  };
  BasePlotter.prototype.has_changes = function () { return this.changed_from !== undefined; };
  // Refetches what changed; labels are fetched again from index 0.
  BasePlotter.prototype.fetch_changes = function () {
    var providers = this.providers(), first = this.changed_from;
    this.changed_from = undefined;
    var count = 0;
    for (var role in providers) {
      if (providers[role] instanceof etch.TextProvider) continue;
      providers[role].fetch(first);
      count = Math.max(count, Math.min(providers[role].count(), etch.kSeriesEnd));
    }
    for (var label in providers) {
      if (!(providers[label] instanceof etch.TextProvider)) continue;
      providers[label].wanted = count;
      providers[label].fetch(0);
    }
  };
  BasePlotter.prototype.draw = function (layer, region, cancel) {
    return $.Deferred().resolve().promise();
  };
  etch.BasePlotter = BasePlotter;

  // A plotter of data series. Its overlays (the cursor, a drag scroller, a box, vertical lines,
  // an ellipse) are plotters of their own, made only when their types are registered.
  function DataPlotter(plot, props, markupName) {
    BasePlotter.call(this, plot, props, markupName);
    var overlays = ['cursor', 'box', 'vlines', 'ellipse'];
    for (var i = 0; i < overlays.length; ++i) {
      var name = overlays[i];
      if (props[name] && etch.is_plotter_type(name)) {
        plot.add_plotter(etch.make_plotter(name, plot, $.extend({}, props[name], {owner: this})));
      }
    }
    if (plot.props.drag_scrolling === true && etch.is_plotter_type('drag_scroller')) {
      plot.add_plotter(etch.make_plotter('drag_scroller', plot, {owner: this}));
    }
  }
  etch.inherit(DataPlotter, BasePlotter);
  DataPlotter.prototype.z_order = etch.kData;
  DataPlotter.prototype.data_roles = ['xdata', 'ydata'];
  DataPlotter.prototype.providers = function () {
    var providers = {};
    for (var i = 0; i < this.data_roles.length; ++i) {
      var value = this.values[this.data_roles[i]];
      if (value instanceof etch.DataProvider) providers[this.data_roles[i]] = value;
    }
    return providers;
  };
  DataPlotter.prototype.property_table = function () {
    return [['fitcolour', 'colour', new etch.Colour(255, 0, 0, 255)],
            ['selectable', 'boolean', false]];
  };
  etch.DataPlotter = DataPlotter;

  // The properties every plotter drawing one bar per bin shares (bars and histograms).
  etch.bin_plotter_rows = function () {
    return [
      ['ydata', 'data'],
      ['compression', 'boolean', false],
      ['colour', 'colour', new etch.Colour(255, 0, 0, 255)],
      ['fillcolour', 'colour', function (v) { return v.colour; }],
      ['width', 'number', 1],
      ['bins', 'interval', new etch.IntervalProvider(1, 1, null)]
    ];
  };

  function UIPlotter(plot, props, markupName) {
    BasePlotter.call(this, plot, props, markupName);
  }
  etch.inherit(UIPlotter, BasePlotter);
  UIPlotter.prototype.z_order = etch.kAnnotations;
  etch.UIPlotter = UIPlotter;

  // A plotter of HTML text, which may show a loading state while its text is fetched.
  function TextPlotter(plot, props, markupName) {
    BasePlotter.call(this, plot, props, markupName);
    this.loading = false;
  }
  etch.inherit(TextPlotter, BasePlotter);
  TextPlotter.prototype.z_order = etch.kAnnotations;
  etch.TextPlotter = TextPlotter;
})(jQuery);
