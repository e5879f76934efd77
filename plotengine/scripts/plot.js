// The plot object: etch.make_plot and etch.get_plot, the plot's default properties, its error
// display, and the entry points the native side calls (set_markup, plotter_data_changed,
// dblclick_ms, get_scales). A plot lives as long as its page.
(function ($) {
  'use strict';

  etch.default_plot_properties = {
    rightmargin: 3, topmargin: 3, xscaleheight: 75, yscalewidth: 75, background: 'white',
    fontfamily: '"Segoe UI", Tahoma, sans-serif', fontsize: 9, canvas_fontsize: 8,
    labelsize: 10, shadow: true, axesshadow: false, minticklabels: 7, majorticksize: 4,
    minorticksize: 2, yscaleticksmin: 0.0, xscaleticksmin: 0.0,
    label_each_minor_x_tick: false, label_each_minor_y_tick: false,
    show_x_scale_labels: true, show_y_scale_labels: true,
    yscalemin: null, yscalemax: null, xscalemin: null, xscalemax: null,
    fullrange_xscalemin: null, fullrange_xscalemax: null,
    fullrange_yscalemin: null, fullrange_yscalemax: null,
    xlabel: '', ylabel: '', title: '', do_initial_autoscale_x: false, do_initial_autoscale_y: false,
    x_scale_labels: true, minortickthreshold: 60, throbberdelay: 350, scalesigfigs: 4,
    hidewhiledrawing: false, throttleredraws: true, showzoombuttons: true, showmenubutton: true,
    dynamic_readout_pos: false, drag_scrolling: false, use_js_fake_proxy: false
  };

  etch.kNoCanvasMessage = 'Zavi requires a browser with HTML5 canvas support';
  // How long an error waits before it slides in.
  var kErrorDelay = 400;

  // Makes the plot in the element `id` and registers it under that id.
  etch.make_plot = function (id, markup) {
    var plot = $.extend({
      id: id,
      container: $(document.getElementById(id)),
      dblclick_time: 500,
      plotters: [],
      props: $.extend({}, etch.default_plot_properties),
      values: $.extend({}, etch.default_plot_properties)
    }, etch.fn);
    etch.plots[id] = plot;
    if (!$.etchCanvasSupported()) {
      plot.show_error(etch.kNoCanvasMessage);
      return plot;
    }
    plot.init();
    if (markup !== undefined && markup !== null) plot.set_markup(markup);
    return plot;
  };

  etch.get_plot = function (id) {
    return etch.plots[id];
  };

  etch.fn.dblclick_ms = function (ms) {
    if (etch.util.is_finite(ms)) this.dblclick_time = ms;
    return this;
  };

  // The scales by etch.kXScale and etch.kYScale.
  etch.fn.get_scales = function () {
    return this.scales;
  };

  // Cancels drawing and asks the native side to compile the markup; it answers by running
  // this plot's setup with the compiled description.
  etch.fn.set_markup = function (markup) {
    this.cancel_paint();
    try {
      window.etch_proxy.CompileMarkup(this.id, String(markup));
    } catch (e) {
      this.show_error(String(e && e.message ? e.message : e));
    }
  };

  // The data of plotter `id` (or of every plotter whose generator reads the data id `id`)
  // changed from index `first`: refetch from there (clamped to what is held) and redraw.
  etch.fn.plotter_data_changed = function (id, first, count) {
    var changed = false;
    for (var i = 0; i < this.plotters.length; ++i) {
      var plotter = this.plotters[i];
      if (plotter.id === id || plotter.reads_data(id)) {
        plotter.mark_changed(first, count);
        changed = true;
      }
    }
    if (changed) this.paint();
  };

  // ---- Error display --------------------------------------------------------------------

  function errorDiv(plot) {
    var div = $(document.getElementById('etch_error_div'));
    if (div.length) return div;
    div = $('<div id="etch_error_div"></div>').css({
      position: 'absolute', left: '0px', top: '0px', width: 'auto', height: 'auto',
      right: '0px', padding: '6px', display: 'none', zIndex: etch.kErrorMsg,
      background: '#ffffe0', border: '1px solid #c0c0c0', font: '12px sans-serif',
      cursor: 'pointer'
    });
    var parent = plot.container.length ? plot.container : $(document.body);
    parent.append(div);
    return div;
  }

  // Shows `html` in the error element, which slides in from the top after a short delay; a
  // click slides it away.
  etch.fn.show_error = function (html) {
    var div = errorDiv(this);
    if (this.cancel_error_timer) this.cancel_error_timer();
    div.stop(true, true).html(html).hide();
    this.cancel_error_timer = etch.util.after(kErrorDelay, function () {
      div.slideDown(200);
    });
    div.unbind('click').click(function () {
      div.stop(true, true).slideUp(200);
    });
  };

  etch.fn.clear_error = function () {
    if (this.cancel_error_timer) this.cancel_error_timer();
    $(document.getElementById('etch_error_div')).stop(true, true).hide();
  };
})(jQuery);
