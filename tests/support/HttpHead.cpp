#include "HttpHead.h"

namespace zorvanel::test {

QByteArray HeaderValue(const QByteArray& head, const QByteArray& name)
{
    const QList<QByteArray> lines = head.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

QByteArray TargetPath(const QByteArray& target)
{
    QByteArray path = target;
    const qsizetype scheme = path.indexOf("://");
    if (scheme > 0 && !path.startsWith('/')) {
        const qsizetype slash = path.indexOf('/', scheme + 3);
        path = slash < 0 ? QByteArray("/") : path.mid(slash);
    }
    const qsizetype query = path.indexOf('?');
    return query < 0 ? path : path.left(query);
}

QByteArray TargetQuery(const QByteArray& target)
{
    const qsizetype query = target.indexOf('?');
    return query < 0 ? QByteArray() : target.mid(query + 1);
}

namespace {
QByteArray FormDecode(QByteArray text)
{
    text.replace('+', ' ');
    return QByteArray::fromPercentEncoding(text);
}
} // namespace

TFormFields ParseForm(const QByteArray& text)
{
    TFormFields fields;
    for (const QByteArray& pair : text.split('&')) {
        if (pair.isEmpty())
            continue;
        const qsizetype equals = pair.indexOf('=');
        if (equals < 0)
            fields.append({FormDecode(pair), {}});
        else
            fields.append({FormDecode(pair.left(equals)), FormDecode(pair.mid(equals + 1))});
    }
    return fields;
}

QByteArray FormValue(const TFormFields& fields, const QByteArray& name)
{
    for (const auto& [key, value] : fields) {
        if (key == name)
            return value;
    }
    return {};
}

} // namespace zorvanel::test
