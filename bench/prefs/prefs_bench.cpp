// Reads and writes of the standard file-backed suite, against a plain locked map and QSettings.
// The standard suite lives in a temporary XDG_CONFIG_HOME for the run.
#include "prefs/file_suite.h"
#include "prefs/plist_codec.h"
#include "prefs/prefs.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <shared_mutex>
#include <thread>
#include <unordered_map>

using namespace zendra;

namespace {

using namespace std::chrono_literals;

const Prefs::Key<double>& ratioKey() {
    static const Prefs::Key<double> key("benchRatio", 0.5);
    return key;
}
const Prefs::Key<QString>& textKey() {
    static const Prefs::Key<QString> key("benchText", QString());
    return key;
}

Prefs::FileSuite& standardFileSuite() {
    return static_cast<Prefs::FileSuite&>(*Prefs::standardSuite());
}

// ---- reads ----

void BM_Read_Double_FileSuite(benchmark::State& state) {
    Prefs::set(ratioKey(), 0.25);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Prefs::get(ratioKey()));
    }
}
BENCHMARK(BM_Read_Double_FileSuite);

void BM_Read_String_FileSuite(benchmark::State& state) {
    Prefs::set(textKey(), QStringLiteral("Finish the quarterly report"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Prefs::get(textKey()));
    }
}
BENCHMARK(BM_Read_String_FileSuite);

template <class T> class LockedMap {
public:
    void set(const QString& name, T value) {
        std::unique_lock lock(mutex_);
        map_.insert_or_assign(name, std::move(value));
    }
    std::optional<T> get(const QString& name) const {
        std::shared_lock lock(mutex_);
        const auto found = map_.find(name);
        return found == map_.end() ? std::nullopt : std::optional<T>(found->second);
    }

private:
    mutable std::shared_mutex mutex_;
    std::unordered_map<QString, T> map_;
};

void BM_Read_Double_LockedMap(benchmark::State& state) {
    LockedMap<double> map;
    map.set(QStringLiteral("benchRatio"), 0.25);
    const QString name = QStringLiteral("benchRatio");
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.get(name).value_or(0.5));
    }
}
BENCHMARK(BM_Read_Double_LockedMap);

void BM_Read_String_LockedMap(benchmark::State& state) {
    LockedMap<QString> map;
    map.set(QStringLiteral("benchText"), QStringLiteral("Finish the quarterly report"));
    const QString name = QStringLiteral("benchText");
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.get(name).value_or(QString()));
    }
}
BENCHMARK(BM_Read_String_LockedMap);

std::unique_ptr<QSettings> makeSettings() {
    static QTemporaryDir dir;
    return std::make_unique<QSettings>(dir.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat);
}

void BM_Read_Double_QSettings(benchmark::State& state) {
    auto settings = makeSettings();
    settings->setValue(QStringLiteral("benchRatio"), 0.25);
    const QString name = QStringLiteral("benchRatio");
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings->value(name, 0.5).toDouble());
    }
}
BENCHMARK(BM_Read_Double_QSettings);

void BM_Read_String_QSettings(benchmark::State& state) {
    auto settings = makeSettings();
    settings->setValue(QStringLiteral("benchText"), QStringLiteral("Finish the quarterly report"));
    const QString name = QStringLiteral("benchText");
    for (auto _ : state) {
        benchmark::DoNotOptimize(settings->value(name).toString());
    }
}
BENCHMARK(BM_Read_String_QSettings);

// ---- writes ----

void BM_Write_Double_FileSuite_OneObserver(benchmark::State& state) {
    auto& suite = standardFileSuite();
    std::uint64_t delivered = 0;
    const auto id = suite.addObserver(ratioKey().name(), {}, [&](const Prefs::SuiteChange&) { ++delivered; });
    double value = 0;
    for (auto _ : state) {
        Prefs::set(ratioKey(), value);
        value += 1;
    }
    suite.removeObserver(id);
    state.counters["delivered"] =
        benchmark::Counter(static_cast<double>(delivered), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Write_Double_FileSuite_OneObserver)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_Write_Double_FileSuite(benchmark::State& state) {
    double value = 0;
    for (auto _ : state) {
        Prefs::set(ratioKey(), value);
        value += 1;
    }
}
BENCHMARK(BM_Write_Double_FileSuite)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_Write_Double_QSettings(benchmark::State& state) {
    auto settings = makeSettings();
    const QString name = QStringLiteral("benchRatio");
    double value = 0;
    for (auto _ : state) {
        settings->setValue(name, value);
        value += 1;
    }
}
BENCHMARK(BM_Write_Double_QSettings)->Repetitions(10)->ReportAggregatesOnly(true);

// ---- a burst of writes and the file replacements it causes ----

bool fileHolds(const QString& path, const Prefs::StoredDictionary& expected) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const auto entries = Prefs::PlistCodec::decode(file.readAll());
    if (!entries) {
        return false;
    }
    for (const auto& [name, object] : expected) {
        const auto found = entries->find(name);
        if (found == entries->end() || !(found->second == object)) {
            return false;
        }
    }
    return true;
}

void BM_Burst10k_FileSuite(benchmark::State& state) {
    auto& suite = standardFileSuite();
    suite.flush();
    constexpr int writes = 10'000;
    constexpr int names = 100;
    std::vector<QString> keys;
    for (int n = 0; n < names; ++n) {
        keys.push_back(QStringLiteral("burst%1").arg(n));
    }
    std::int64_t base = 0;
    double replacements = 0;
    double wakes = 0;
    for (auto _ : state) {
        const auto replacedBefore = suite.fileReplacementCount();
        const auto wakesBefore = suite.writeWakeCount();
        for (int i = 0; i < writes; ++i) {
            suite.setObject(keys[static_cast<std::size_t>(i % names)], base + i);
        }
        state.PauseTiming();
        Prefs::StoredDictionary last;
        for (int n = 0; n < names; ++n) {
            last.emplace(keys[static_cast<std::size_t>(n)], base + writes - names + n);
        }
        const auto deadline = std::chrono::steady_clock::now() + 2s;
        while (!fileHolds(suite.path(), last)) {
            if (std::chrono::steady_clock::now() > deadline) {
                state.SkipWithError("the file does not hold the last values");
                return;
            }
            std::this_thread::sleep_for(1ms);
        }
        // Let the flush window close before the next burst starts.
        std::this_thread::sleep_for(120ms);
        replacements += static_cast<double>(suite.fileReplacementCount() - replacedBefore);
        wakes += static_cast<double>(suite.writeWakeCount() - wakesBefore);
        base += writes;
        state.ResumeTiming();
    }
    state.counters["replacementsPerBurst"] =
        benchmark::Counter(replacements, benchmark::Counter::kAvgIterations);
    state.counters["wakesPerBurst"] = benchmark::Counter(wakes, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Burst10k_FileSuite)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
