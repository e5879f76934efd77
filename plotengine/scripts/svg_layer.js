// A drawing layer that writes printable SVG: the layer's context() answers the canvas calls the
// plotters make and turns them into the small SVG dialect the native renderer reads. Numbers are
// plain decimals, colours rgba() without blanks, paths M and L only, every text carries its
// dominant-baseline, a rect is either filled or outlined, marks are drawn through defs and use,
// and what cannot be said in the dialect (fills of paths other than rectangles, images) is left
// out. Every stroked shape says fill:none, so that other SVG readers, which fill a shape black
// by default, show it as the plot does. Made by copy for one copy and dropped with it.
(function ($) {
  'use strict';

  var is_finite = function (v) { return etch.util.is_finite(v); };

  // Coordinates beyond this are far off any page; clamping keeps their text free of exponents.
  var kFarOff = 1e7;
  // Segments of a partial arc or an ellipse drawn through a skewing transform.
  var kArcSegments = 48;

  // A decimal without exponent, at most two decimals, and never "-0".
  function num(value) {
    var clamped = Math.max(-kFarOff, Math.min(kFarOff, value));
    var rounded = Math.round(clamped * 100) / 100;
    return String(rounded === 0 ? 0 : rounded);
  }

  var xml = function (text) { return etch.util.escape_markup(text); };

  // ---- Colours --------------------------------------------------------------------------

  var scratch = null;
  function scratchContext() {
    if (!scratch) scratch = document.createElement('canvas').getContext('2d');
    return scratch;
  }

  var colourCache = {};
  // [red, green, blue, alpha 0 to 255] of a CSS colour, as the browser reads it (an unreadable
  // colour is black, as a canvas keeps its default).
  function rgbaOf(css) {
    var key = String(css);
    if (Object.prototype.hasOwnProperty.call(colourCache, key)) return colourCache[key];
    var ctx = scratchContext();
    ctx.fillStyle = '#000000';
    ctx.fillStyle = key;
    var seen = String(ctx.fillStyle), parts;
    if (seen.charAt(0) === '#') {
      parts = [parseInt(seen.substr(1, 2), 16), parseInt(seen.substr(3, 2), 16),
               parseInt(seen.substr(5, 2), 16), 255];
    } else {
      var numbers = seen.replace(/[^0-9.,]/g, '').split(',');
      parts = [Number(numbers[0]), Number(numbers[1]), Number(numbers[2]),
               Math.round(Number(numbers[3]) * 255)];
    }
    colourCache[key] = parts;
    return parts;
  }

  // rgba(r,g,b,a) for the renderer, which takes the alpha times 255 and truncates: half a step
  // more makes it read back the byte it was given.
  function rgbaText(css, globalAlpha) {
    var c = rgbaOf(css);
    var alpha = Math.round(c[3] * Math.max(0, Math.min(1, globalAlpha)));
    var alphaText = ((alpha + 0.5) / 255).toFixed(4);
    return {text: 'rgba(' + c[0] + ',' + c[1] + ',' + c[2] + ',' + alphaText + ')', visible: alpha > 0};
  }

  // ---- Fonts ----------------------------------------------------------------------------

  // Size in pixels and family list of a canvas font, "8pt Tahoma" or "bold 12px 'A B', serif".
  function fontOf(font) {
    var match = /(\d*\.?\d+)(pt|px)\s+(.*)$/.exec(String(font));
    if (!match) return {size: 13.33, family: 'sans-serif'};
    var size = Number(match[1]) * (match[2] === 'pt' ? 4 / 3 : 1);
    // The renderer splits style values at unquoted ';' and takes '\' as an escape.
    var family = match[3].replace(/[\\;]/g, '');
    if ((family.split('"').length - 1) % 2 === 1) family = family.replace(/"/g, '');
    return {size: size, family: family};
  }

  var anchors = {center: 'middle', right: 'end', end: 'end'};
  var baselines = {top: 'text-before-edge', hanging: 'text-before-edge', middle: 'middle'};

  // ---- The document ---------------------------------------------------------------------

  // The printable SVG of one plot: its elements in drawing order, then those written outside
  // the data area while the data was drawn (a bar's x labels) and the scales. Definitions come
  // first, since the renderer knows them only from where they stand on.
  function SvgDocument(width, height) {
    this.width = width;
    this.height = height;
    this.defs = [];
    this.defined = {};
    this.body = [];
    this.overlay = [];
    this.clips = 0;
  }
  // Adds a definition under an id made from everything it holds: the renderer keeps
  // definitions for the whole process and never replaces one.
  SvgDocument.prototype.define = function (id, element) {
    if (this.defined[id]) return;
    this.defined[id] = true;
    this.defs.push(element);
  };
  SvgDocument.prototype.next_clip_id = function () {
    return 'etch_clip_' + (++this.clips);
  };
  SvgDocument.prototype.text = function () {
    return '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" ' +
           'width="' + num(this.width) + '" height="' + num(this.height) + '">' +
           (this.defs.length ? '<defs>' + this.defs.join('') + '</defs>' : '') +
           this.body.join('') + this.overlay.join('') + '</svg>';
  };
  etch.SvgDocument = SvgDocument;

  // ---- The context ----------------------------------------------------------------------

  function State() {
    this.matrix = [1, 0, 0, 1, 0, 0];
    this.strokeStyle = '#000000';
    this.fillStyle = '#000000';
    this.lineWidth = 1;
    this.font = '10px sans-serif';
    this.textAlign = 'start';
    this.textBaseline = 'alphabetic';
    this.globalAlpha = 1;
    this.lineCap = 'butt';
    this.lineJoin = 'miter';
    this.dash = [];
    this.groups = 0;
  }
  var stateFields = ['strokeStyle', 'fillStyle', 'lineWidth', 'font', 'textAlign', 'textBaseline',
                     'globalAlpha', 'lineCap', 'lineJoin'];

  // The canvas calls of the plotters, written into `sink` (an array of the document) with the
  // origin at (x0, y0) of the SVG.
  function SvgContext(doc, sink, x0, y0) {
    this.doc = doc;
    this.sink = sink;
    this.stack = [];
    this.state = new State();
    this.state.matrix = [1, 0, 0, 1, x0 || 0, y0 || 0];
    for (var i = 0; i < stateFields.length; ++i) this.bind_field(stateFields[i]);
    this.beginPath();
  }
  SvgContext.prototype.bind_field = function (name) {
    Object.defineProperty(this, name, {
      get: function () { return this.state[name]; },
      set: function (value) { this.state[name] = value; },
      configurable: true
    });
  };

  SvgContext.prototype.save = function () {
    var copy = $.extend({}, this.state);
    copy.matrix = this.state.matrix.slice();
    copy.dash = this.state.dash.slice();
    this.stack.push(this.state);
    this.state = copy;
  };
  // Closes the clipping groups opened since the matching save.
  SvgContext.prototype.restore = function () {
    if (!this.stack.length) return;
    var previous = this.stack.pop();
    for (var i = previous.groups; i < this.state.groups; ++i) this.sink.push('</g>');
    this.state = previous;
  };
  // Closes every clipping group still open.
  SvgContext.prototype.finish = function () {
    while (this.stack.length) this.restore();
    for (var i = 0; i < this.state.groups; ++i) this.sink.push('</g>');
    this.state.groups = 0;
  };

  // ---- Transforms ----

  SvgContext.prototype.transform = function (a, b, c, d, e, f) {
    var m = this.state.matrix;
    if (![a, b, c, d, e, f].every(is_finite)) return;
    this.state.matrix = [m[0] * a + m[2] * b, m[1] * a + m[3] * b,
                         m[0] * c + m[2] * d, m[1] * c + m[3] * d,
                         m[0] * e + m[2] * f + m[4], m[1] * e + m[3] * f + m[5]];
  };
  SvgContext.prototype.setTransform = function (a, b, c, d, e, f) {
    if ([a, b, c, d, e, f].every(is_finite)) this.state.matrix = [a, b, c, d, e, f];
  };
  SvgContext.prototype.resetTransform = function () { this.state.matrix = [1, 0, 0, 1, 0, 0]; };
  SvgContext.prototype.translate = function (x, y) { this.transform(1, 0, 0, 1, x, y); };
  SvgContext.prototype.scale = function (x, y) { this.transform(x, 0, 0, y, 0, 0); };
  SvgContext.prototype.rotate = function (angle) {
    this.transform(Math.cos(angle), Math.sin(angle), -Math.sin(angle), Math.cos(angle), 0, 0);
  };
  SvgContext.prototype.point = function (x, y) {
    var m = this.state.matrix;
    return [m[0] * x + m[2] * y + m[4], m[1] * x + m[3] * y + m[5]];
  };
  // The transform's rotation in degrees, and its scale for lengths.
  SvgContext.prototype.angle = function () {
    var m = this.state.matrix;
    return Math.atan2(m[1], m[0]) * 180 / Math.PI;
  };
  SvgContext.prototype.length_scale = function () {
    var m = this.state.matrix;
    return Math.sqrt(Math.abs(m[0] * m[3] - m[1] * m[2]));
  };
  // Whether circles stay circles: no skew and the same scale on both axes.
  SvgContext.prototype.keeps_circles = function () {
    var m = this.state.matrix;
    return Math.abs(m[0] - m[3]) < 1e-9 && Math.abs(m[1] + m[2]) < 1e-9;
  };
  SvgContext.prototype.axis_aligned = function () {
    var m = this.state.matrix;
    return m[1] === 0 && m[2] === 0;
  };

  // ---- Paths ----

  SvgContext.prototype.beginPath = function () {
    this.subpaths = [];
    this.ellipses = [];
    this.current = null;
  };
  SvgContext.prototype.moveTo = function (x, y) {
    if (!is_finite(x) || !is_finite(y)) return;
    this.current = [this.point(x, y)];
    this.subpaths.push(this.current);
  };
  SvgContext.prototype.lineTo = function (x, y) {
    if (!is_finite(x) || !is_finite(y)) return;
    if (!this.current) return this.moveTo(x, y);
    this.current.push(this.point(x, y));
  };
  SvgContext.prototype.closePath = function () {
    if (!this.current || !this.current.length) return;
    var first = this.current[0];
    this.current.push(first);
    this.current = [first];
    this.subpaths.push(this.current);
  };
  SvgContext.prototype.rect = function (x, y, w, h) {
    if (![x, y, w, h].every(is_finite)) return;
    this.moveTo(x, y);
    this.lineTo(x + w, y);
    this.lineTo(x + w, y + h);
    this.lineTo(x, y + h);
    this.closePath();
  };
  // A whole turn becomes an SVG ellipse where the transform keeps its shape; anything else is a
  // polyline through points of the curve, joined to the path as a canvas joins it.
  SvgContext.prototype.ellipse = function (x, y, rx, ry, rotation, start, end, anticlockwise) {
    if (![x, y, rx, ry, rotation, start, end].every(is_finite) || rx < 0 || ry < 0) return;
    var sweep = anticlockwise ? start - end : end - start;
    if (sweep >= 2 * Math.PI - 1e-9 && this.keeps_circles()) {
      var centre = this.point(x, y), k = this.length_scale();
      this.ellipses.push({cx: centre[0], cy: centre[1], rx: rx * k, ry: ry * k,
                          angle: this.angle() + rotation * 180 / Math.PI});
      this.current = null;
      return;
    }
    if (sweep >= 2 * Math.PI) {
      sweep = 2 * Math.PI;
    } else if (sweep < 0) {
      sweep = sweep % (2 * Math.PI) + 2 * Math.PI;
    }
    var direction = anticlockwise ? -1 : 1, cos = Math.cos(rotation), sin = Math.sin(rotation);
    for (var i = 0; i <= kArcSegments; ++i) {
      var t = start + direction * sweep * i / kArcSegments;
      var ex = rx * Math.cos(t), ey = ry * Math.sin(t);
      this.lineTo(x + ex * cos - ey * sin, y + ex * sin + ey * cos);
    }
  };
  SvgContext.prototype.arc = function (x, y, r, start, end, anticlockwise) {
    this.ellipse(x, y, r, r, 0, start, end, anticlockwise);
  };

  SvgContext.prototype.setLineDash = function (dash) {
    this.state.dash = $.grep($.isArray(dash) ? dash : [], function (v) {
      return is_finite(v) && v >= 0;
    });
  };
  SvgContext.prototype.getLineDash = function () { return this.state.dash.slice(); };

  SvgContext.prototype.stroke_style = function () {
    var colour = rgbaText(this.state.strokeStyle, this.state.globalAlpha);
    var width = this.state.lineWidth * this.length_scale();
    return {visible: colour.visible && width > 0,
            text: 'fill:none;stroke:' + colour.text + ';stroke-width:' + num(width)};
  };

  // A polyline's "d"; a point written as its predecessor adds nothing and is left out.
  function pathData(points) {
    var last = num(points[0][0]) + ' ' + num(points[0][1]), d = 'M ' + last;
    for (var i = 1; i < points.length; ++i) {
      var point = num(points[i][0]) + ' ' + num(points[i][1]);
      if (point !== last) d += ' L ' + point;
      last = point;
    }
    return d;
  }

  SvgContext.prototype.stroke = function () {
    var style = this.stroke_style();
    if (!style.visible) return;
    var drawn = $.grep(this.subpaths, function (points) { return points.length > 1; });
    if (drawn.length && this.state.dash.length) {
      this.dashed_lines(drawn, style.text);
    } else if (drawn.length) {
      this.sink.push('<path style="' + style.text + '" d="' + $.map(drawn, pathData).join(' ') +
                     '"/>');
    }
    for (var i = 0; i < this.ellipses.length; ++i) {
      this.sink.push(ellipseElement(this.ellipses[i], style.text));
    }
  };

  // Paths draw without dashes; dashed strokes go out as lines, whose dashes the renderer counts
  // in line widths.
  SvgContext.prototype.dashed_lines = function (subpaths, style) {
    var width = Math.max(this.state.lineWidth, 1e-3);
    var dash = $.map(this.state.dash, function (v) { return num(v / width); }).join(',');
    for (var i = 0; i < subpaths.length; ++i) {
      for (var j = 1; j < subpaths[i].length; ++j) {
        var a = subpaths[i][j - 1], b = subpaths[i][j];
        this.sink.push('<line style="' + style + ';stroke-dasharray:' + dash + '" x1="' +
                       num(a[0]) + '" y1="' + num(a[1]) + '" x2="' + num(b[0]) + '" y2="' +
                       num(b[1]) + '"/>');
      }
    }
  };

  function ellipseElement(e, style) {
    var angle = e.angle % 360;
    return '<ellipse style="' + style + '" cx="' + num(e.cx) + '" cy="' + num(e.cy) + '" rx="' +
           num(e.rx) + '" ry="' + num(e.ry) + '"' +
           (Math.abs(angle) > 1e-6 ? ' transform="rotate(' + num(angle) + ' ' + num(e.cx) + ' ' +
                                     num(e.cy) + ')"' : '') + '/>';
  }

  // The corners of an axis-aligned rectangle that `points` (a closed polyline) outlines, or null.
  function boxOf(points) {
    if (points.length !== 5) return null;
    var xs = $.map(points, function (p) { return p[0]; });
    var ys = $.map(points, function (p) { return p[1]; });
    var left = Math.min.apply(null, xs), right = Math.max.apply(null, xs);
    var top = Math.min.apply(null, ys), bottom = Math.max.apply(null, ys);
    for (var i = 0; i < 4; ++i) {
      var onX = points[i][0] === left || points[i][0] === right;
      var onY = points[i][1] === top || points[i][1] === bottom;
      if (!onX || !onY) return null;
    }
    return {left: left, top: top, width: right - left, height: bottom - top};
  }

  SvgContext.prototype.filled_rect = function (box) {
    var colour = rgbaText(this.state.fillStyle, this.state.globalAlpha);
    if (!colour.visible || !(box.width > 0) || !(box.height > 0)) return;
    this.sink.push('<rect style="fill:' + colour.text + '" x="' + num(box.left) + '" y="' +
                   num(box.top) + '" width="' + num(box.width) + '" height="' +
                   num(box.height) + '"/>');
  };

  // Only rectangles can be filled in printable SVG; other shapes are left out.
  SvgContext.prototype.fill = function () {
    for (var i = 0; i < this.subpaths.length; ++i) {
      var box = boxOf(this.subpaths[i]);
      if (box) this.filled_rect(box);
    }
  };

  // The rectangle's corners through the transform, when it stays a rectangle.
  SvgContext.prototype.box = function (x, y, w, h) {
    if (![x, y, w, h].every(is_finite) || !this.axis_aligned()) return null;
    var a = this.point(x, y), b = this.point(x + w, y + h);
    return {left: Math.min(a[0], b[0]), top: Math.min(a[1], b[1]),
            width: Math.abs(b[0] - a[0]), height: Math.abs(b[1] - a[1])};
  };
  SvgContext.prototype.fillRect = function (x, y, w, h) {
    var box = this.box(x, y, w, h);
    if (box) this.filled_rect(box);
  };
  // An outline is a closed path, so that it lies on the pixels a canvas outline covers.
  SvgContext.prototype.strokeRect = function (x, y, w, h) {
    var saved = [this.subpaths, this.ellipses, this.current];
    this.beginPath();
    this.rect(x, y, w, h);
    this.stroke();
    this.subpaths = saved[0];
    this.ellipses = saved[1];
    this.current = saved[2];
  };
  // The SVG starts empty and is drawn once: there is nothing to clear.
  SvgContext.prototype.clearRect = function () {};

  // Clips to the bounds of the current path until the matching restore.
  SvgContext.prototype.clip = function () {
    var xs = [], ys = [];
    $.each(this.subpaths, function (i, points) {
      $.each(points, function (j, p) { xs.push(p[0]); ys.push(p[1]); });
    });
    var id = this.doc.next_clip_id();
    var left = xs.length ? Math.min.apply(null, xs) : 0;
    var top = ys.length ? Math.min.apply(null, ys) : 0;
    var width = xs.length ? Math.max.apply(null, xs) - left : 0;
    var height = ys.length ? Math.max.apply(null, ys) - top : 0;
    this.sink.push('<clipPath id="' + id + '"><rect x="' + num(left) + '" y="' + num(top) +
                   '" width="' + num(width) + '" height="' + num(height) + '"/></clipPath>' +
                   '<g clip-path="url(#' + id + ')">');
    ++this.state.groups;
  };

  // ---- Text ----

  SvgContext.prototype.text_element = function (text, x, y, css) {
    if (text === undefined || text === null || String(text) === '') return;
    if (!is_finite(x) || !is_finite(y)) return;
    var colour = rgbaText(css, this.state.globalAlpha);
    if (!colour.visible) return;
    var font = fontOf(this.state.font), at = this.point(x, y), angle = this.angle();
    var element = '<text style="fill:' + colour.text + ';font-size:' +
                  num(font.size * this.length_scale()) + 'px;font-family:' + xml(font.family) +
                  '" x="' + num(at[0]) + '" y="' + num(at[1]) + '" text-anchor="' +
                  (anchors[this.state.textAlign] || 'start') + '" dominant-baseline="' +
                  (baselines[this.state.textBaseline] || 'text-after-edge') + '"';
    if (Math.abs(angle) > 1e-6) {
      element += ' transform="rotate(' + num(angle) + ' ' + num(at[0]) + ' ' + num(at[1]) + ')"';
    }
    this.sink.push(element + '>' + xml(text) + '</text>');
  };
  SvgContext.prototype.fillText = function (text, x, y) {
    this.text_element(text, x, y, this.state.fillStyle);
  };
  // Printable text is always filled: an outlined text is written in its outline's colour.
  SvgContext.prototype.strokeText = function (text, x, y) {
    this.text_element(text, x, y, this.state.strokeStyle);
  };
  SvgContext.prototype.measureText = function (text) {
    var ctx = scratchContext();
    ctx.font = this.state.font;
    return ctx.measureText(String(text));
  };

  // Images have no form in printable SVG.
  SvgContext.prototype.drawImage = function () {};
  SvgContext.prototype.putImageData = function () {};

  // The definition under `id` of the shape draw(ctx) strokes, in this context's line width: a
  // path, or a circle or ellipse; null for a shape of both.
  SvgContext.prototype.definition_of = function (id, draw) {
    var recorder = new SvgContext(this.doc, []);
    recorder.lineWidth = this.state.lineWidth;
    recorder.beginPath();
    draw(recorder);
    var width = 'fill:none;stroke-width:' + num(this.state.lineWidth);
    var lines = $.grep(recorder.subpaths, function (points) { return points.length > 1; });
    if (lines.length && !recorder.ellipses.length) {
      return '<path id="' + id + '" style="' + width + '" d="' + $.map(lines, pathData).join(' ') +
             '"/>';
    }
    if (recorder.ellipses.length === 1 && !lines.length) {
      var e = recorder.ellipses[0];
      if (e.rx === e.ry) {
        return '<circle id="' + id + '" style="' + width + '" cx="' + num(e.cx) + '" cy="' +
               num(e.cy) + '" r="' + num(e.rx) + '"/>';
      }
      return ellipseElement(e, width).replace('<ellipse ', '<ellipse id="' + id + '" ');
    }
    return null;
  };

  // ---- The layer ------------------------------------------------------------------------

  // A layer over `rect` of the plot's container, writing into `doc`.
  function SvgLayer(plot, doc, rect) {
    this.plot = plot;
    this.doc = doc;
    this.rect = rect;
    this.plotters = [];
    this.cancelled = false;
    this.ctx = new SvgContext(doc, doc.body, rect.left, rect.top);
  }
  SvgLayer.prototype.context = function () { return this.ctx; };
  // A context for drawing outside the data area, in the container's coordinates.
  SvgLayer.prototype.outer_context = function () {
    if (!this.outer) this.outer = new SvgContext(this.doc, this.doc.overlay, 0, 0);
    return this.outer;
  };
  SvgLayer.prototype.set_line_style = function (ctx, style, length) {
    etch.CanvasLayer.prototype.set_line_style.call(this, ctx, style, length);
  };
  SvgLayer.prototype.crisp = function (pixel, width) {
    return etch.CanvasLayer.prototype.crisp.call(this, pixel, width);
  };
  SvgLayer.prototype.finish = function () {
    this.ctx.finish();
    if (this.outer) this.outer.finish();
  };

  // Returns a function stamping the mark `name`, drawn by draw(ctx) around (size, size), at a
  // point of `ctx` in the stroke colour of `ctx`; null when the mark has no definition form.
  SvgLayer.prototype.mark_stamper = function (ctx, name, size, draw) {
    var token = function (value) { return num(value).replace('.', 'p').replace('-', 'm'); };
    var id = 'etch_mark_' + String(name).replace(/[^A-Za-z0-9]/g, '_') + '_' + token(size) + '_' +
             token(ctx.lineWidth);
    var element = ctx.definition_of(id, draw);
    if (!element) return null;
    this.doc.define(id, element);
    var colour = rgbaText(ctx.strokeStyle, ctx.globalAlpha);
    var sink = ctx.sink;
    return function (x, y) {
      if (!colour.visible || !is_finite(x) || !is_finite(y)) return;
      var at = ctx.point(x, y);
      sink.push('<use xlink:href="#' + id + '" x="' + num(at[0] - size) + '" y="' +
                num(at[1] - size) + '" style="stroke:' + colour.text + '"/>');
    };
  };

  etch.SvgContext = SvgContext;
  etch.SvgLayer = SvgLayer;
})(jQuery);
