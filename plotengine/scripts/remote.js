// The proxy of a page served without the native one: when the page has no `etch_proxy` of its
// own, this script installs one. Markup and data go to the server the page came from, each call
// a synchronous POST of its arguments as a JSON array to "/remote/<method>": CompileMarkup is
// answered with the compiled plot description (script text) and the data calls with JSON. The
// notices the native side would take (scales, lines, box, regions, copies) go nowhere, and a bad
// property is shown in the plot.
(function ($) {
  'use strict';

  if (window.etch_proxy) return;

  // The answer's text; throws when the server does not answer 200.
  function post(method, args) {
    var request = new XMLHttpRequest();
    request.open('POST', '/remote/' + method, false);
    request.setRequestHeader('Content-Type', 'application/json; charset=utf-8');
    request.send(JSON.stringify(args));
    if (request.status !== 200) throw new Error(method + ': the server answered ' + request.status);
    return request.responseText;
  }

  // JSON has no NaN: the server writes the values that are not numbers as null.
  function numbers(values) {
    return $.map($.isArray(values) ? values : [], function (v) {
      return [typeof v === 'number' ? v : NaN];
    });
  }

  var html = function (text) { return etch.util.escape_markup(text); };

  // The plot's message for a property of the wrong kind; the names and the default are the
  // markup's and are shown as text.
  etch.bad_property_message = function (plotter, property, kind, defaultText) {
    var article = /^[aeiou]/i.test(String(kind)) ? 'an ' : 'a ';
    var consequence = defaultText === undefined || defaultText === null
        ? 'this plotter will fail to draw.'
        : 'using "' + html(defaultText) + '"';
    return 'Error in ' + html(plotter) + ': the <em>' + html(property) + '</em> property must be ' +
           article + html(kind) + '; ' + consequence;
  };

  var nothing = function () {};
  var cursors = ['cursor_down_stretch_r', 'cursor_l_stretch_t', 'cursor_lr_move_t',
                 'cursor_r_stretch_t', 'cursor_up_down_move_r', 'cursor_up_stretch_r',
                 'cursor_all_stretch_r', 'cursor_all_stretch_t'];

  window.etch_proxy = {
    CompileMarkup: function (plotId, markup) {
      var description = post('CompileMarkup', [plotId, markup]);
      var plot = etch.get_plot(plotId);
      if (plot) plot.setup((0, eval)('(' + description + ')'));
    },
    RequestPixData: function (expression, t, interval, count) {
      return numbers(JSON.parse(post('RequestPixData', [expression, t, interval, count])));
    },
    RequestLabelsData: function (expression, t, interval, count) {
      var labels = JSON.parse(post('RequestLabelsData', [expression, t, interval, count]));
      return $.map($.isArray(labels) ? labels : [], function (v) { return [String(v)]; });
    },
    RequestEquation: function (equation) {
      return String(JSON.parse(post('RequestEquation', [equation])));
    },
    BadPlotterProperty: function (plotId, plotter, property, kind, defaultText) {
      var plot = etch.get_plot(plotId);
      if (plot) plot.show_error(etch.bad_property_message(plotter, property, kind, defaultText));
    },
    ResourceURLs: function () {
      var urls = {throbber: 'throbber.gif', edit_text_icon: 'edit_text_icon.gif'};
      for (var i = 0; i < cursors.length; ++i) urls[cursors[i]] = cursors[i] + '.cur';
      return urls;
    },
    HasData: function () { return true; },
    IsZoomEnabled: function () { return false; },
    OnMouseClick: function () { return ''; },
    OnMouseMove: function () { return ''; },
    MakeDropMenu: nothing,
    UpdateProgress: nothing,
    SetSVG: nothing,
    VLinesDragged: nothing,
    BoxResized: nothing,
    XScalingChanged: nothing,
    YScalingChanged: nothing,
    ZoomLevelChanged: nothing,
    SetZoomState: nothing,
    RegionPosChanged: nothing,
    RegionTextChanged: nothing
  };
})(jQuery);
