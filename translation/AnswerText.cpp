#include "AnswerText.h"

#include <QStringDecoder>

QString AnswerFromBytes(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString answer = decoder(bytes);
    if (decoder.hasError()) {
        answer.clear();
    }
    return answer;
}
