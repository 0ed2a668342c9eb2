#pragma once
// The HTML page a pane saves: font tags, one div per paragraph, UTF-8, CR LF line ends.

#include <QByteArray>
#include <QColor>
#include <QString>

class QTextDocument;
class TRVStyle;

struct THtmlPage
{
    QString Title;
    QColor Background;
    int Margin = 5;
};

QByteArray DocumentHtml(const QTextDocument& document, const TRVStyle& style, const THtmlPage& page);

// The size attribute of a font tag for a size in points.
int HtmlFontSize(int points);
