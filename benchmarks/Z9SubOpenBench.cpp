// Opening a task in the main window: OpenTask (load, account, assignments)
// plus UpdateFields(true) (one header per step, one editor per record), at
// 100, 500 and 2,000 environment records, and scrolling the 2,000-record
// canvas. Time per record that stays level shows the cost is linear.
#include "BenchFolder.h"
#include "common/MessageBox.h"
#include "submitter/app/Form1.h"
#include "submitter/taskfile/TaskFile.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

using z9::bench::WorkFolder;

// Ten steps sharing the records; every fourth record a number, every seventh a check box.
std::string TaskFileWith(int records) {
    const fs::path path = WorkFolder() / ("fields-" + std::to_string(records) + ".z9f");
    if (fs::exists(path)) return path.string();
    z9::TaskRecord t;
    t.TaskName = "Generated fields";
    for (int s = 0; s < 10; ++s) {
        z9::StepRecord step;
        step.StepName = "Step of the test " + std::to_string(s + 1);
        step.Execute = "1";
        t.Steps.push_back(step);
    }
    for (int i = 0; i < records; ++i) {
        z9::EnvironRecord r;
        r.Step = std::to_string(i % 10 + 1);
        r.Variable = "VAR" + std::to_string(i);
        r.Caption = "Variable number " + std::to_string(i);
        r.Type = i % 7 == 0 ? "5" : i % 4 == 0 ? "1" : "0";
        r.Value = r.Type == "1" ? "42" : "value " + std::to_string(i);
        r.Min = r.Type == "1" ? "0" : "";
        r.Max = r.Type == "1" ? "1000" : r.Type == "5" ? "yes" : "";
        t.Environs.push_back(r);
    }
    t.NumberSteps = "10";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = std::to_string(records);
    if (!z9::SaveTask(path.string(), t, true)) std::abort();
    return path.string();
}

void OpenTaskAndBuild(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    const std::string path = TaskFileWith(records);
    for (auto _ : state) {
        auto* form = new z9::Form1;
        form->resize(700, 600);
        if (!form->OpenTask({path})) state.SkipWithError("the task did not open");
        // What the window's first turn of the event loop does with the new rows.
        QApplication::processEvents();
        benchmark::DoNotOptimize(form->findChild<QWidget*>(QStringLiteral("TF1_%1").arg(records)));
        state.PauseTiming();
        delete form;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["records_per_s"] =
        benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(OpenTaskAndBuild)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

void ScrollCanvas(benchmark::State& state) {
    const std::string path = TaskFileWith(2000);
    z9::Form1 form;
    form.resize(700, 600);
    if (!form.OpenTask({path})) state.SkipWithError("the task did not open");
    form.show();
    QApplication::processEvents();
    auto* scrollBar = form.findChild<QScrollBar*>(QStringLiteral("VS1"));
    if (!scrollBar) {
        state.SkipWithError("the window has no scroll bar VS1");
        return;
    }
    int value = 0;
    for (auto _ : state) {
        value = (value + scrollBar->pageStep()) % (scrollBar->maximum() + 1);
        scrollBar->setValue(value);
        form.repaint();
    }
}
BENCHMARK(ScrollCanvas)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("Z9_REGISTRY_DIR", (WorkFolder() / "registry").c_str(), 1);
    QApplication app(argc, argv);
    z9::SetMessageHandler(
        [](const std::string&, int, const std::string&) { return static_cast<int>(z9::vbOK); });
    return z9::bench::RunBenchmarks(argc, argv);
}
