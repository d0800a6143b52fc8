#pragma once

#include <QProxyStyle>

// The application's style under the theme's style sheet. It differs from the
// platform's style in one way: the buttons at the end of a menu bar or a
// toolbar that hold what does not fit show the theme's arrow, read when the
// button is first drawn. The style sheet cannot give them that arrow without
// reading it as the window is built (and reading an image by guessing its
// format loads every image plug-in installed), and the buttons are hidden
// until a window is too narrow.
class ChromeStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // Puts the style under the application's style sheet, wrapping the style
    // the application uses now; once is enough, later calls do nothing.
    static void install();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

private:
    explicit ChromeStyle(QStyle *pBase);
};
