// The library's style sheet and its images: the resource URLs come from the native side once
// per page (ResourceURLs); the cursors are styles, the throbber an image shown while a paint
// takes longer than the plot's throbberdelay.
(function ($) {
  'use strict';

  var urls = null;

  function resourceUrls() {
    if (urls) return urls;
    urls = {};
    try {
      var answer = window.etch_proxy.ResourceURLs();
      if (answer && typeof answer === 'object') urls = answer;
    } catch (e) {
      // Without the native side's URLs the plot draws without cursors and throbber.
    }
    return urls;
  }

  function installSheet() {
    if (document.getElementById('etch_styles')) return;
    var rules = '';
    for (var name in urls) {
      if (name.indexOf('cursor_') === 0) {
        rules += '.etch_' + name + ' { cursor: url(' + urls[name] + '), auto; }\n';
      }
    }
    $('<style id="etch_styles" type="text/css"></style>').text(rules).appendTo('head');
  }

  etch.styles = {
    // Fetches the URLs (once per page), installs the style sheet and the plot's throbber.
    install: function (plot) {
      resourceUrls();
      installSheet();
      plot.throbber = $('<img alt="" class="etch_throbber">').css({
        position: 'absolute', display: 'none', zIndex: etch.kLoadingThrobber,
        left: '50%', top: '50%', width: 'auto', height: 'auto'
      });
      if (urls.throbber) plot.throbber.attr('src', urls.throbber);
      plot.container.append(plot.throbber);
    },
    // Shows the plot's throbber once `delay` ms have gone: by a timer while the page is idle,
    // and by check(), which a long paint calls between its slices, since a paint that blocks
    // the page keeps timers from running. hide() ends it.
    throbber_after: function (plot, delay) {
      var throbber = plot.throbber, start = etch.util.now();
      if (!throbber) return {check: function () {}, hide: function () {}};
      var cancel = etch.util.after(delay, function () { throbber.show(); });
      return {
        check: function () {
          if (etch.util.now() - start >= delay) throbber.show();
        },
        hide: function () {
          cancel();
          throbber.hide();
        }
      };
    }
  };
})(jQuery);
