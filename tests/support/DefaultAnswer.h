#pragma once
// What the fake endpoint answers when no answer is scripted: a translation in the endpoint's JSON
// form, 413 for a text longer than the endpoint takes, 429 with a "sorry" page (or a 302 to it)
// for a refused client id, 404 for any other path.

#include "FakeEndpoint.h"
#include "HttpHead.h"

namespace zorvanel::test {

inline constexpr const char* TranslatePath = "/translate_a/single";

// The query's parameters, then for a POST those of its form body.
TFormFields RequestParameters(const TRecordedRequest& request);

// The most characters (code points) the endpoint translates in one request.
inline constexpr qsizetype LongestText = 5000;

QByteArray DefaultAnswer(const TRecordedRequest& request, const TFakeEndpointOptions& options);

} // namespace zorvanel::test
