#pragma once
// One kept translation.

#include <QDateTime>
#include <QString>

#include <cstdint>

struct THistoryEntry
{
    int64_t Id = 0;      // the store's own number, new each time the entry is kept; ignored by Add
    QDateTime Time;      // UTC, to the millisecond; THistoryStore::Add takes the current time when invalid
    int Direction = 0;   // TranslationDirection: 0 English to Arabic, 1 Arabic to English
    QString Source;      // the text as it was sent
    QString Translation; // the text as it was shown
    QString ClientId;    // the endpoint client id that answered
};
