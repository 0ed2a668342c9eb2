#pragma once
// Percent-encoding of the text sent to the endpoint.

#include <QByteArray>

// Letters, digits and ! $ ' ( ) * - . @ _ stay as they are, a space becomes "+", every other
// byte "%XX" with upper-case hex digits. Encoding stops at the first zero byte.
QByteArray UrlEncode(const QByteArray& bytes);
