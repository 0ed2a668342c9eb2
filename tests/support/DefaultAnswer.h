#pragma once
// What the fake endpoint answers when no answer is scripted: a translation in the endpoint's JSON
// form, 429 with a "sorry" page for a refused client id, 404 for any other path.

#include "FakeEndpoint.h"
#include "HttpHead.h"

namespace zorvanel::test {

inline constexpr const char* TranslatePath = "/translate_a/single";

// The query's parameters, then for a POST those of its form body.
TFormFields RequestParameters(const TRecordedRequest& request);

QByteArray DefaultAnswer(const TRecordedRequest& request, const QList<QByteArray>& refusedClients);

} // namespace zorvanel::test
