#include "kzcharttheme.h"
#include "kzchartcore.h"
#include "kzchartjson.h"
#include "kzchartlogging.h"
#include "kzchartpage.h"

#include <kzchartglobal.h>

#include <QColor>
#include <QEvent>
#include <QJsonArray>
#include <QPalette>
#include <QWebEngineScriptCollection>
#include <QWidget>

#include <cmath>

namespace KzChartHost {

namespace {

const QString paletteTheme = QStringLiteral("palette");

// The themes by name, with the background that each draws on: ECharts'
// light themes leave it to the page (white), its dark theme paints #333.
// The palette's comes from the widget.
const QList<QPair<QString, QColor>> namedThemes = {
    {QStringLiteral("macarons"), QColor(Qt::white)},
    {QStringLiteral("light"), QColor(Qt::white)},
    {QStringLiteral("dark"), QColor(0x33, 0x33, 0x33)},
    {paletteTheme, QColor()},
};

bool isTheme(const QString &name)
{
    for (const auto &theme : namedThemes) {
        if (theme.first == name)
            return true;
    }
    return false;
}

QString &defaultTheme()
{
    static QString name = namedThemes.first().first;
    return name;
}

QString knownThemes()
{
    QStringList names;
    for (const auto &theme : namedThemes)
        names.append(theme.first);
    return names.join(QStringLiteral(", "));
}

QString cssColor(const QColor &color)
{
    if (color.alpha() == 255)
        return color.name();
    return QStringLiteral("rgba(%1,%2,%3,%4)")
            .arg(color.red())
            .arg(color.green())
            .arg(color.blue())
            .arg(color.alphaF());
}

// from, moved toward to by the fraction t of the way, in the 8 bits per
// channel that the page gets.
QColor mixed(const QColor &from, const QColor &to, double t)
{
    const auto channel = [t](int a, int b) { return qRound(a + (b - a) * t); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

// WCAG 2's relative luminance and contrast ratio (1 to 21).
double luminance(const QColor &color)
{
    const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// WCAG's minimum contrast of graphical objects (lines, bars) to what is
// around them.
const double minimumContrast = 3.0;

// color, or the colour nearest to it on its way to white or black that
// stands out from background by the minimum contrast. It goes away from the
// background where that can be enough, and the other way where it cannot
// (a light colour on a light grey, say).
QColor contrasting(const QColor &color, const QColor &background)
{
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    QColor target = luminance(color) >= luminance(background) ? white : black;
    if (contrastRatio(target, background) < minimumContrast)
        target = target == white ? black : white;
    QColor result = color;
    for (int step = 1; step <= 64 && contrastRatio(result, background) < minimumContrast; ++step)
        result = mixed(color, target, step / 64.0);
    return result;
}

// Okabe and Ito's set of colours that people with any common colour vision
// deficiency tell apart, each made to stand out from background.
QJsonArray seriesColors(const QColor &background)
{
    static const QColor base[] = {QColor(0x00, 0x72, 0xb2), QColor(0xe6, 0x9f, 0x00), QColor(0x00, 0x9e, 0x73),
                                  QColor(0xd5, 0x5e, 0x00), QColor(0x56, 0xb4, 0xe9), QColor(0xcc, 0x79, 0xa7),
                                  QColor(0xf0, 0xe4, 0x42)};
    QJsonArray colors;
    for (const QColor &color : base)
        colors.append(cssColor(contrasting(color, background)));
    return colors;
}

QJsonObject colored(const QString &color)
{
    return QJsonObject{{QStringLiteral("color"), color}};
}

QJsonObject lineColored(const QString &color)
{
    return QJsonObject{{QStringLiteral("lineStyle"), colored(color)}};
}

// The ECharts theme of palette (for the keys, see ECharts' theme/dark.js).
QJsonObject themeOf(const QPalette &palette)
{
    const QColor window = palette.color(QPalette::Window);
    const QString text = cssColor(palette.color(QPalette::WindowText));
    const QString subtle = cssColor(mixed(palette.color(QPalette::WindowText), window, 0.3));
    const QString mid = cssColor(palette.color(QPalette::Mid));
    QColor highlight = palette.color(QPalette::Highlight);
    const QString marked = cssColor(highlight);
    highlight.setAlphaF(0.3);
    const QString shaded = cssColor(highlight);

    const QJsonObject axis{
            {QStringLiteral("axisLine"), lineColored(text)},
            {QStringLiteral("axisTick"), lineColored(text)},
            {QStringLiteral("axisLabel"), colored(text)},
            {QStringLiteral("splitLine"), lineColored(mid)},
    };
    QJsonObject theme{
            {QStringLiteral("color"), seriesColors(window)},
            {QStringLiteral("backgroundColor"), cssColor(window)},
            {QStringLiteral("textStyle"), colored(text)},
            {QStringLiteral("title"),
             QJsonObject{{QStringLiteral("textStyle"), colored(text)}, {QStringLiteral("subtextStyle"), colored(subtle)}}},
            {QStringLiteral("legend"),
             QJsonObject{{QStringLiteral("textStyle"), colored(text)},
                         {QStringLiteral("inactiveColor"), mid},
                         {QStringLiteral("pageTextStyle"), colored(text)},
                         {QStringLiteral("pageIconColor"), text},
                         {QStringLiteral("pageIconInactiveColor"), mid}}},
            {QStringLiteral("tooltip"),
             QJsonObject{{QStringLiteral("backgroundColor"), cssColor(palette.color(QPalette::ToolTipBase))},
                         {QStringLiteral("borderColor"), mid},
                         {QStringLiteral("borderWidth"), 1},
                         {QStringLiteral("textStyle"), colored(cssColor(palette.color(QPalette::ToolTipText)))},
                         {QStringLiteral("axisPointer"),
                          QJsonObject{{QStringLiteral("lineStyle"), colored(mid)},
                                      {QStringLiteral("crossStyle"), colored(mid)},
                                      {QStringLiteral("shadowStyle"), colored(shaded)}}}}},
            {QStringLiteral("toolbox"),
             QJsonObject{{QStringLiteral("iconStyle"), QJsonObject{{QStringLiteral("borderColor"), text}}},
                         {QStringLiteral("emphasis"),
                          QJsonObject{{QStringLiteral("iconStyle"),
                                       QJsonObject{{QStringLiteral("borderColor"), marked}}}}}}},
            {QStringLiteral("dataZoom"),
             QJsonObject{{QStringLiteral("backgroundColor"), cssColor(palette.color(QPalette::Base))},
                         {QStringLiteral("borderColor"), mid},
                         {QStringLiteral("fillerColor"), shaded},
                         {QStringLiteral("handleStyle"), colored(marked)},
                         {QStringLiteral("textStyle"), colored(text)},
                         {QStringLiteral("dataBackground"),
                          QJsonObject{{QStringLiteral("lineStyle"), colored(mid)},
                                      {QStringLiteral("areaStyle"), colored(mid)}}}}},
    };
    for (const QString &type : {QStringLiteral("category"), QStringLiteral("value"), QStringLiteral("log"),
                                QStringLiteral("time")})
        theme.insert(type + QStringLiteral("Axis"), axis);
    return theme;
}

} // namespace

ChartTheme::ChartTheme(KzChartPrivate *chart)
    : d(chart), m_name(defaultTheme())
{
    m_startingTheme.setName(QStringLiteral("kzchartStartingTheme"));
    m_startingTheme.setInjectionPoint(QWebEngineScript::DocumentCreation);
    m_startingTheme.setWorldId(QWebEngineScript::MainWorld);
    m_startingTheme.setRunsOnSubFrames(false);
    d->q->installEventFilter(this);
    apply();
}

ChartTheme::~ChartTheme() = default;

void ChartTheme::set(const QString &name)
{
    if (!isTheme(name)) {
        d->warn("setTheme", QStringLiteral("refused the unknown theme \"%1\" (the themes are %2); the chart stays "
                                           "in \"%3\"")
                                    .arg(name, knownThemes(), m_name));
        return;
    }
    m_name = name;
    apply();
}

bool ChartTheme::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (m_name == paletteTheme && !m_paletteChanged
        && (type == QEvent::PaletteChange || type == QEvent::ApplicationPaletteChange)) {
        // The widget takes the application's new palette only after this
        // event; one look once it has, for any number of changes.
        m_paletteChanged = true;
        QMetaObject::invokeMethod(this, [this] {
            m_paletteChanged = false;
            apply();
        }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void ChartTheme::apply()
{
    QJsonValue theme = QJsonValue::Null;
    QColor background;
    if (m_name == paletteTheme) {
        const QPalette palette = d->q->palette();
        theme = themeOf(palette);
        background = palette.color(QPalette::Window);
    } else {
        for (const auto &named : namedThemes) {
            if (named.first == m_name)
                background = named.second;
        }
    }
    const QString given = getJsonString(QJsonObject{{QStringLiteral("name"), m_name},
                                                    {QStringLiteral("theme"), theme},
                                                    {QStringLiteral("background"), cssColor(background)}});
    if (given == m_sent)
        return;
    m_sent = given;
    QWebEngineScriptCollection &scripts = d->page->scripts();
    scripts.remove(m_startingTheme);
    m_startingTheme.setSourceCode(QStringLiteral("var hostTheme = %1;").arg(given));
    scripts.insert(m_startingTheme);
    d->page->setBackgroundColor(background);
    d->runScript(QStringLiteral("setChartTheme(%1)").arg(given));
}

} // namespace KzChartHost

void KzChart::setDefaultTheme(const QString &name)
{
    if (!KzChartHost::isTheme(name)) {
        qCWarning(lcChart, "KzChart::setDefaultTheme: refused the unknown theme \"%s\" (the themes are %s); new "
                           "charts start in \"%s\"",
                  qPrintable(name), qPrintable(KzChartHost::knownThemes()), qPrintable(KzChartHost::defaultTheme()));
        return;
    }
    KzChartHost::defaultTheme() = name;
}
