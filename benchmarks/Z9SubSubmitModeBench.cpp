// Z9Sub in submit mode as a script starts it, the whole process: a task of
// 2,000 and of 11,800 records (about 1.6 and 9.7 MB) submitted against a
// server that is not there, so the run ends on its first report. The time
// from the start to that report, the last line of Z9SubError.log, is the
// work; what follows it up to the process's end is the ending, which should
// stay a small share of the work.
#include "BenchFolder.h"
#include "submitter/taskfile/TaskFile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::system_clock; // the clock the log file's time is written in

using z9::bench::WorkFolder;

// Records of about 820 bytes, as an author with long help texts writes them.
std::string TaskFileWith(int records) {
    const fs::path path = WorkFolder() / ("submit-" + std::to_string(records) + ".z9f");
    if (fs::exists(path)) return path.string();
    z9::TaskRecord t;
    t.TaskName = "Generated submission";
    t.User = "ANNA";
    t.Domain = "OFFICE";
    t.Server = "NOWHERE";
    for (int s = 0; s < 10; ++s) {
        z9::StepRecord step;
        step.StepName = "Step " + std::to_string(s + 1);
        step.Command = "cmd /c run.cmd";
        step.Execute = "1";
        t.Steps.push_back(step);
    }
    for (int i = 0; i < records; ++i) {
        z9::EnvironRecord r;
        r.Step = std::to_string(i % 10 + 1);
        r.Variable = "VAR" + std::to_string(i);
        r.Caption = "Variable number " + std::to_string(i);
        r.Type = i % 4 == 0 ? "1" : "0";
        r.Value = r.Type == "1" ? "42" : "D:\\Data\\Sales\\" + std::to_string(i) + "\\report.csv";
        r.Min = r.Type == "1" ? "0" : "";
        r.Max = r.Type == "1" ? "1000" : "";
        r.Help = "Help text for this field, with a line break\r\nand a second line that says what the value "
                 "is for; " +
                 std::string(470, static_cast<char>('a' + i % 26));
        t.Environs.push_back(r);
    }
    t.NumberSteps = "10";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = std::to_string(records);
    if (!z9::SaveTask(path.string(), t, true)) std::abort();
    return path.string();
}

// Starts Z9Sub in `folder` with the task and /s, and waits for its end.
int RunSubmitMode(const fs::path& program, const fs::path& folder, const std::string& task) {
    pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
        const std::string root = WorkFolder().string();
        ::setenv("XDG_RUNTIME_DIR", (root + "/runtime").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("HOME", root.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
        ::setenv("Z9_REGISTRY_DIR", (root + "/registry").c_str(), 1);
        ::setenv("Z9_UNC_ROOT", (root + "/unc").c_str(), 1);
        ::execl(program.c_str(), program.c_str(), task.c_str(), "/s", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Clock::time_point LastWritten(const fs::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return {};
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(
        std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
}

std::string ReadLog(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path ProgramBeside(const char* name) {
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path() / name;
}

void SubmitModeProcess(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    const std::string task = TaskFileWith(records);
    const fs::path program = ProgramBeside("Z9Sub");
    const fs::path folder = WorkFolder() / ("run-" + std::to_string(records));
    fs::create_directories(folder);
    fs::create_directories(WorkFolder() / "runtime");
    fs::permissions(WorkFolder() / "runtime", fs::perms::owner_all);
    const fs::path log = folder / "Z9SubError.log";
    double workSeconds = 0, endSeconds = 0;
    for (auto _ : state) {
        std::error_code ec;
        fs::remove(log, ec);
        const Clock::time_point start = Clock::now();
        const int code = RunSubmitMode(program, folder, task);
        const Clock::time_point end = Clock::now();
        const Clock::time_point reported = LastWritten(log);
        if (code != 1 || reported == Clock::time_point{} ||
            ReadLog(log).find("Task was not submitted successfully!") == std::string::npos) {
            state.SkipWithError("Z9Sub did not end with its report of the missing server");
            break;
        }
        const double whole = std::chrono::duration<double>(end - start).count();
        const double work = std::chrono::duration<double>(reported - start).count();
        workSeconds += work;
        endSeconds += whole - work;
        state.SetIterationTime(whole);
    }
    const double n = static_cast<double>(state.iterations());
    if (n > 0) {
        state.counters["work_s"] = workSeconds / n;
        state.counters["ending_s"] = endSeconds / n;
        state.counters["ending_pct"] = workSeconds > 0 ? 100.0 * endSeconds / workSeconds : 0;
    }
    std::error_code ec;
    state.counters["task_MB"] = static_cast<double>(fs::file_size(task, ec)) / 1e6;
}
BENCHMARK(SubmitModeProcess)
    ->Arg(2000)
    ->Arg(11800)
    ->ArgName("records")
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return z9::bench::RunBenchmarks(argc, argv);
}
