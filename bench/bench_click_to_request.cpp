// From the click on "&Translate" to the request's arrival at the loopback endpoint, with the
// connection of earlier translations kept open, in the offscreen window.

#include "FakeEndpoint.h"
#include "PaneText.h"
#include "QtBenchmarkMain.h"
#include "RequestHeaders.h"
#include "RichPane.h"
#include "TApplication.h"
#include "frm_Main.h"

#include <QElapsedTimer>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>

using namespace zorvanel::test;

namespace {

using TClock = std::chrono::steady_clock;
std::atomic<TClock::rep> LastArrival{0};

void BM_ClickToRequest(benchmark::State& state)
{
    TFakeEndpoint endpoint({.Tls = true, .RefusedClients = {}, .OnRequest = [](const TRecordedRequest&, int) {
                                LastArrival = TClock::now().time_since_epoch().count();
                            }});
    qputenv("ZORVANEL_CA_FILE", TestCaFile().toLocal8Bit());
    TfrmMain window;
    ServiceBaseUrl = QString::fromLatin1(endpoint.BaseUrl());
    window.show();
    SetPaneText(*window.E1, QStringLiteral("Hello world"));
    const auto translate = [&] {
        window.btnTrans->click();
        while (window.IsTranslating()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    };
    translate(); // opens the connection
    for (auto _ : state) {
        LastArrival = 0;
        const TClock::time_point click = TClock::now();
        translate();
        const TClock::time_point arrival{TClock::duration(LastArrival.load())};
        state.SetIterationTime(std::chrono::duration<double>(arrival - click).count());
    }
}

} // namespace

BENCHMARK(BM_ClickToRequest)->UseManualTime()->Iterations(200)->Repetitions(5)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return RunQtBenchmarks<TApplication>(argc, argv);
}
