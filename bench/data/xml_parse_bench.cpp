// Parsing speed of a settings-like document of about 10 MB with 100,000 elements.
#include "data/xml_document.h"

#include <benchmark/benchmark.h>

namespace scalora {
namespace {

std::string makeDocument() {
    constexpr int kElements = 100000;
    // Each element carries roughly 100 bytes of attributes so the whole text is about 10 MB.
    const std::string filler(60, 'x');
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<groups>\r\n";
    for (int i = 0; i < kElements / 10; ++i) {
        text += "    <group name=\"group" + std::to_string(i) + "\">\r\n";
        for (int j = 0; j < 9; ++j) {
            text += "        <item name=\"item" + std::to_string(j) + "\" value=\"" + filler +
                    "\" note='n'/>\r\n";
        }
        text += "    </group>\r\n";
    }
    text += "</groups>\r\n";
    return text;
}

void parseTenMegabytes(benchmark::State& state) {
    const std::string text = makeDocument();
    for (auto _ : state) {
        XmlDocument doc;
        benchmark::DoNotOptimize(doc.loadFromString(text));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["megabytes"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(parseTenMegabytes)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace scalora
