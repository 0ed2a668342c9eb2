#pragma once
// The head of an answer as libcurl hands it over, one line at a time: its status line and code,
// whether the body comes in chunks, and the cookies it sets. Apart from the transfer so that a
// head can be read without a connection.

#include "CookieStore.h"
#include "HttpTarget.h"

#include <QByteArray>

#include <cstddef>
#include <ctime>

// The longest line of an answer's head that is accepted.
inline constexpr qsizetype MaxHeadLineLength = 16384;

// The line without its LF and then its CR.
QByteArray WithoutLineEnd(const char* data, std::size_t size);

// The status code is the second blank-separated word of the status line, -1 when it is no number.
int StatusCodeOf(const QByteArray& statusLine);
// A line that begins "HTTP/" in any case, as libcurl takes a status line.
bool IsStatusLine(const QByteArray& line);

struct TAnswerHead
{
    bool AtHeadStart = true;
    bool SawStatus = false;
    bool HeadComplete = false;
    QByteArray StatusLine;
    int StatusCode = -1;
    bool Chunked = false;
    bool LineTooLong = false;
    QByteArray Location; // of the head read last, as sent

    // Takes one line, its line end included; a Set-Cookie line goes to cookies as an answer to
    // target. False, with LineTooLong set, for a line over the limit: the transfer must stop.
    bool ReadLine(const char* data, std::size_t size, TCookieStore& cookies, const THttpTarget& target,
                  std::time_t now);

    // Takes the bytes of an answer that does not begin like a status line, as they come. Its
    // first line is the status line, with no code to read: once that line is complete the head
    // is, and the result is false, for the answer is a failure whatever follows. False with
    // LineTooLong set when the line grows over the limit.
    bool ReadHeadless(const char* data, std::size_t size);

private:
    QByteArray FHeadless; // the first line of a headless answer so far
};
