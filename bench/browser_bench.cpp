// The browser component's hot paths, in the real headless browser: a call of a native script
// object from the page and back, a trivial script run from native code, and a day's tachogram
// (100,000 doubles) handed to the page as a call's result.
#include <benchmark/benchmark.h>

#include <vector>

#include "host/browser/browser_class.h"
#include "plotengine/bridge/v8_object_base.h"
#include "plotengine/bridge/v8_variant_impl.h"

namespace {

class BenchObject : public Quor::V8ObjectBase {
 public:
  BenchObject() : V8ObjectBase(Quor::String(u"bench")), m_tachogram(100'000) {
    for (size_t i = 0; i < m_tachogram.size(); ++i) m_tachogram[i] = 0.8 + 0.05 * double(i % 17) / 17;
  }

 protected:
  void RegisterMethodNames() override {
    AddMethodName(Quor::String(u"noop"));
    AddMethodName(Quor::String(u"tachogram"));
  }
  void CallMethod(IQuorV8Variant** result, IUnknown*, const Quor::String& method,
                  InterfaceArray<IQuorV8Variant>&) override {
    if (method == u"tachogram") {
      Quor::V8VariantImpl* value = Quor::V8VariantImpl::Create();
      value->SetDoubleArray(m_tachogram);
      *result = value;
    }
  }

 private:
  std::vector<double> m_tachogram;
};

struct BenchPage {
  BenchPage() {
    const RECT bounds{0, 0, 800, 600};
    PendrelBrowser::BrowserClassObject()->CreateBrowser(0, nullptr, &bounds, nullptr, &browser);
    object = new BenchObject;
    object->AddRef();
    if (browser) browser->RegisterScriptObject(object);
  }
  ~BenchPage() {
    if (browser) browser->Release();
    object->Release();
  }
  bool Run(const char16_t* script) {
    IQuorString* text = Quor::String(script).GetInterface();
    const bool ran = browser->ExecuteScript(text) == S_OK;
    text->Release();
    return ran;
  }
  IQuorBrowser* browser = nullptr;
  BenchObject* object;
};

BenchPage& Page() {
  static BenchPage page;
  return page;
}

void ExecuteTrivialScript(benchmark::State& state) {
  if (!Page().browser) return state.SkipWithError("no browser");
  for (auto _ : state) {
    if (!Page().Run(u"1;")) return state.SkipWithError("script failed");
  }
}
BENCHMARK(ExecuteTrivialScript)->Unit(benchmark::kMillisecond)->Repetitions(5);

// A hundred calls per script, so that the script's own run counts for little.
void NoOpCallFromScript(benchmark::State& state) {
  if (!Page().browser) return state.SkipWithError("no browser");
  for (auto _ : state) {
    if (!Page().Run(u"for (let i = 0; i < 100; ++i) bench.noop();")) {
      return state.SkipWithError("script failed");
    }
  }
  // items_per_second is calls per second.
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(NoOpCallFromScript)->Unit(benchmark::kMillisecond)->Repetitions(5);

void TachogramToScript(benchmark::State& state) {
  if (!Page().browser) return state.SkipWithError("no browser");
  for (auto _ : state) {
    if (!Page().Run(u"if (bench.tachogram().length !== 100000) throw new Error('short');")) {
      return state.SkipWithError("script failed");
    }
  }
}
BENCHMARK(TachogramToScript)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();
