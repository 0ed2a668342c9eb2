#pragma once
// The endpoint's address and the fixed request headers every translation carries.

#include <QString>

class THttpClient;

// Scheme and host of the endpoint, no trailing "/"; also the Referer. Set once at start-up.
extern QString ServiceBaseUrl;

// "https://translate.googleapis.com", or ZORVANEL_SERVICE_URL when that is set.
QString DefaultServiceBaseUrl();

// Resets the client's request fields and sets the fixed ones; GET and POST both go as HTTP/1.1.
void PrepareRequestHeaders(THttpClient& http);
