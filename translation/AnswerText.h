#pragma once
// The answer bytes of a finished exchange as text.

#include <QByteArray>
#include <QString>

// UTF-8 (four-byte sequences included); bytes that are not well-formed UTF-8 give an empty
// answer, which then decodes as a parse failure rather than as half a translation.
QString AnswerFromBytes(const QByteArray& bytes);
