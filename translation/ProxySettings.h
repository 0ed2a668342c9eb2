#pragma once
// Copies the proxy of the settings record into the HTTP client.

#include <stdexcept>

class THttpClient;
struct TParams;

class TConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// NoProxy clears every proxy parameter. Otherwise server, port, user name and password are set
// in that order. A port that is not an integer throws TConvertError with
// "'<port>' is not a valid integer value" and leaves the client's proxy as it was, whole.
void ApplyProxyParams(THttpClient& http, const TParams& params);
