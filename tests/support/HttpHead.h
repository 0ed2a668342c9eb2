#pragma once
// Reading the parts of an HTTP head that the fake endpoint and the tests look at.

#include <QByteArray>
#include <QList>
#include <QPair>

namespace zorvanel::test {

// The value of the first header line with that name (case-insensitive), blanks trimmed; empty
// when there is none. The head starts with the request or status line, which is skipped.
QByteArray HeaderValue(const QByteArray& head, const QByteArray& name);

// The target without "scheme://authority" (absolute-URL targets of proxied requests) and without
// the query.
QByteArray TargetPath(const QByteArray& target);
QByteArray TargetQuery(const QByteArray& target); // after the first "?", empty without one

using TFormFields = QList<QPair<QByteArray, QByteArray>>;

// name=value pairs joined by "&", "+" read as a space and %XX decoded.
TFormFields ParseForm(const QByteArray& text);
QByteArray FormValue(const TFormFields& fields, const QByteArray& name); // first match

} // namespace zorvanel::test
