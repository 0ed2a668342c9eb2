#pragma once
// The HTTP client of a command-line run, set up as the window sets up its own.

#include <QString>

class THttpClient;
struct TParams;

// Points the run at the endpoint and gives the client the settings' proxy and the endpoint's
// fixed headers. Returns the text of a proxy port that is no number, empty when the client is
// ready.
QString PrepareCliClient(THttpClient& http, const TParams& params);
