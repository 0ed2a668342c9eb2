#pragma once
// Shared state of a TFakeEndpoint: its sockets, threads, queue and record.

#include "ConnectionStream.h"
#include "FakeEndpoint.h"
#include "SslHandles.h"
#include "UniqueFd.h"

#include <atomic>
#include <deque>
#include <list>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace zorvanel::test {

struct TFakeEndpoint::TImpl
{
    explicit TImpl(TFakeEndpointOptions options);
    ~TImpl();

    void AcceptLoop();
    void ReapFinishedWorkers();
    void Serve(TUniqueFd socket, int number);
    void ServeRequests(TConnectionStream& stream, int number);

    // Under FMutex.
    std::optional<TScriptedAnswer> TakeAnswer(bool onAccept);
    void Record(TRecordedRequest request);

    const TFakeEndpointOptions FOptions;
    TSslCtxPtr FTls;
    TUniqueFd FListen;
    quint16 FPort = 0;
    TUniqueFd FStopRead; // readable once the endpoint stops
    TUniqueFd FStopWrite;

    mutable std::mutex FMutex;
    bool FStopping = false;
    std::deque<TScriptedAnswer> FQueue;
    std::vector<TRecordedRequest> FRequests;
    int FConnections = 0;
    std::set<int> FOpenSockets; // shut down by the destructor to end blocked reads and writes

    struct TWorker
    {
        std::thread Thread;
        std::shared_ptr<std::atomic<bool>> Finished;
    };
    std::list<TWorker> FWorkers; // the accept thread's own, until it has been joined
    std::thread FAcceptThread;
};

} // namespace zorvanel::test
