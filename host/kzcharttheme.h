#ifndef KZCHARTTHEME_H
#define KZCHARTTHEME_H

#include <QObject>
#include <QString>
#include <QWebEngineScript>

class KzChartPrivate;

namespace KzChartHost {

// The theme that one chart is drawn in, and the page's side of it (theme.js).
// The themes are ECharts' "macarons", "light" and "dark", and "palette",
// which this class builds as an ECharts theme from the widget's QPalette:
// background, texts, axes, legend, tooltip and zoom bars in the palette's
// colours, and series colours that stand out from the background by 3:1 at
// least (WCAG's minimum for lines and bars).
//
// The page learns the theme before its scripts run (a script that the view
// runs ahead of them on every load), so that its first chart is created in
// it, also when the page is loaded again after its renderer died; the view's
// background takes the theme's colour before the first frame. A switch goes
// to the page as a call in order with the others. A "palette" chart watches
// its widget for palette changes, its own or the application's, and sends
// the theme again when its colours have changed.
class ChartTheme : public QObject
{
public:
    explicit ChartTheme(KzChartPrivate *chart);
    ~ChartTheme() override;

    const QString &name() const { return m_name; }
    // Draws the chart in the theme called name; an unknown name is refused
    // with a warning and changes nothing.
    void set(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Gives the page the theme, unless it has it already.
    void apply();

    KzChartPrivate *const d;
    QString m_name;
    // The theme as the page got it last: {name, theme, background}.
    QString m_sent;
    QWebEngineScript m_startingTheme;
    bool m_paletteChanged = false;
};

} // namespace KzChartHost

#endif // KZCHARTTHEME_H
