// Exports: a picture (PNG) or a vector drawing (SVG) of what the chart shows.
// A copy of the chart that nobody sees draws it, so that the chart on screen
// stays as it is and a hidden chart, or one never shown, exports as well.
// The copy gets the chart's theme and its option as it stands: legend
// selection, zoom window, alarm lines, long series as cut for the view (cut
// again for the copy's width). It leaves out the toolbox, draws without
// animation and in one go (not in chunks, as large bar series otherwise are)
// and is thrown away afterwards.

var svgNamespace = 'http://www.w3.org/2000/svg';

// The size of the chart area that a view of viewWidth x viewHeight gives:
// the chart's own once the page has caught up with the view. The page's own
// size is no guide: a hidden view keeps an old size or has none that tells
// (Qt 5 gives a view never shown none, Qt 6 its default 100 x 30), and a view
// just shown has yet to tell the page its new size.
function exportSize(viewWidth, viewHeight) {
    var area = chartAreaSize(viewWidth, viewHeight);
    return {width: Math.max(1, area.width), height: Math.max(1, area.height)};
}

// The copy draws at its size; getDataURL() draws once more at the ratio
// asked for.
function exportCopy(renderer, size) {
    var option = myChart.getOption();
    delete option.toolbox;
    option.animation = false;
    components(option, 'series').forEach(function (series) { series.progressive = 0; });
    var copy = echarts.init(document.createElement('div'), chartTheme,
                            {renderer: renderer, width: size.width, height: size.height, devicePixelRatio: 1});
    copy.setOption(option);
    var view = largeSeries.some(Boolean) && largeSeriesView(copy);
    if (view)
        copy.setOption(largeSeriesOption(view));
    return copy;
}

// The chart's background; where the theme sets none, what the page shows
// around the chart (theme.js), which is white unless a theme says otherwise.
function exportBackground(copy) {
    var color = copy.getModel().get('backgroundColor');
    if (color && color !== 'transparent')
        return color;
    var page = getComputedStyle(document.body).backgroundColor;
    var parsed = echarts.color.parse(page);
    return parsed && parsed[3] > 0 ? page : '#ffffff';
}

// A PNG data URL of the chart area at pixelRatio times its size.
function exportImage(pixelRatio, viewWidth, viewHeight) {
    var copy = exportCopy('canvas', exportSize(viewWidth, viewHeight));
    try {
        return copy.getDataURL({type: 'png', pixelRatio: pixelRatio, backgroundColor: exportBackground(copy)});
    } finally {
        copy.dispose();
    }
}

// The chart area as an SVG document, written for plain SVG readers (Qt SVG,
// which draws the PDF, reads SVG Tiny 1.2): texts as drawPlainTexts() writes
// them, colours as plainColors() does, the background as a rectangle.
function exportSvg(viewWidth, viewHeight) {
    var size = exportSize(viewWidth, viewHeight);
    var copy = exportCopy('svg', size);
    try {
        copy.getZr().refreshImmediately();
        var svg = copy.getDom().querySelector('svg');
        drawPlainTexts(copy, svg);
        svg.removeAttribute('style');
        var background = document.createElementNS(svgNamespace, 'rect');
        background.setAttribute('width', size.width);
        background.setAttribute('height', size.height);
        background.setAttribute('fill', exportBackground(copy));
        svg.insertBefore(background, svg.firstChild);
        plainColors(svg);
        return new XMLSerializer().serializeToString(svg);
    } finally {
        copy.dispose();
    }
}

// ECharts' SVG renderer places texts by alignment-baseline, gives their font
// as the CSS shorthand and draws rich text ({style|text}) as it is typed;
// many SVG readers support neither. So every text is written where the
// canvas renderer draws it: the element is drawn onto a canvas context that
// records the texts it is asked to draw, and each becomes a <text> on the
// alphabetic baseline with its font in separate attributes.
function drawPlainTexts(copy, svg) {
    var context = document.createElement('canvas').getContext('2d');
    copy.getZr().storage.getDisplayList().forEach(function (element) {
        var given = element.__textSvgEl;
        if (!given || given.parentNode !== svg)
            return;
        var texts = document.createDocumentFragment();
        element.brush(textRecorder(context, function (kind, text, x, y) {
            texts.appendChild(plainText(context, kind, text, x, y));
        }), null);
        svg.replaceChild(texts, given);
    });
}

// context, except that fillText() and strokeText() go to record.
function textRecorder(context, record) {
    return new Proxy(context, {
        get: function (target, key) {
            if (key === 'fillText' || key === 'strokeText')
                return function (text, x, y) { record(key, String(text), x, y); };
            var value = target[key];
            return typeof value === 'function' ? value.bind(target) : value;
        },
        set: function (target, key, value) {
            target[key] = value;
            return true;
        }
    });
}

var textAnchors = {left: 'start', start: 'start', center: 'middle', right: 'end', end: 'end'};

// The text that context would draw with kind ('fillText' or 'strokeText')
// at (x, y). The text goes in as a text node: markup in it stays text.
function plainText(context, kind, text, x, y) {
    var font = document.createElement('span').style;
    font.font = context.font;
    var m = context.getTransform();
    var element = document.createElementNS(svgNamespace, 'text');
    var stroked = kind === 'strokeText';
    var attributes = {
        x: x,
        y: y + alphabeticShift(context),
        'text-anchor': textAnchors[context.textAlign] || 'start',
        'font-family': font.fontFamily,
        'font-size': font.fontSize,
        'font-weight': font.fontWeight,
        'font-style': font.fontStyle,
        fill: stroked ? 'none' : plainPaint(context.fillStyle),
        stroke: stroked ? plainPaint(context.strokeStyle) : 'none',
        'stroke-width': stroked ? context.lineWidth : null,
        opacity: context.globalAlpha < 1 ? context.globalAlpha : null,
        transform: m.isIdentity ? null : 'matrix(' + [m.a, m.b, m.c, m.d, m.e, m.f].join(',') + ')'
    };
    Object.keys(attributes).forEach(function (name) {
        if (attributes[name] !== null && attributes[name] !== '')
            element.setAttribute(name, attributes[name]);
    });
    element.textContent = text;
    return element;
}

// How far below context's text baseline the alphabetic baseline lies, for
// its font.
function alphabeticShift(context) {
    var baseline = context.textBaseline;
    var ascent = context.measureText('M').actualBoundingBoxAscent;
    context.textBaseline = 'alphabetic';
    var alphabeticAscent = context.measureText('M').actualBoundingBoxAscent;
    context.textBaseline = baseline;
    return alphabeticAscent - ascent;
}

// Gradients and patterns of texts are drawn in black.
function plainPaint(paint) {
    return typeof paint === 'string' ? paint : '#000000';
}

// Colours with an alpha channel (rgba(), hsla(), transparent) as a colour
// and an opacity, and no attribute left without a value, for readers of SVG
// 1.1 colours only; element and everything in it.
var paintOpacities = {fill: 'fill-opacity', stroke: 'stroke-opacity', 'stop-color': 'stop-opacity'};

function plainColors(element) {
    [element].concat(Array.prototype.slice.call(element.querySelectorAll('*'))).forEach(function (node) {
        Array.prototype.slice.call(node.attributes).forEach(function (attribute) {
            if (attribute.value === '' || attribute.value === 'undefined' || attribute.value === 'NaN')
                node.removeAttribute(attribute.name);
        });
        Object.keys(paintOpacities).forEach(function (name) {
            var rgba = node.hasAttribute(name) && echarts.color.parse(node.getAttribute(name));
            if (!rgba)
                return;
            node.setAttribute(name, '#' + rgba.slice(0, 3).map(function (channel) {
                return (256 + channel).toString(16).slice(1);
            }).join(''));
            var opacity = rgba[3] * (node.hasAttribute(paintOpacities[name]) ? Number(node.getAttribute(paintOpacities[name])) : 1);
            if (opacity < 1)
                node.setAttribute(paintOpacities[name], opacity);
        });
    });
}
