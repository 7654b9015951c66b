// Opening a menu in the menu window: FOpen (read, split, summaries) to a
// built page (titles, labels, links with icons and frames, lines) at 100,
// 1,000 and 5,000 items, and scrolling the 5,000-item page. Time per item
// that stays level shows the cost is linear.
#include "BenchFolder.h"
#include "common/MessageBox.h"
#include "common/Program.h"
#include "common/QtPlatform.h"
#include "menu/app/MenuWindow.h"
#include "menu/document/MenuItem.h"
#include "widgets/VexItem.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

using z9::bench::WorkFolder;

std::string Line(int type, const std::string& caption, const std::string& link, int color = 0,
                 bool bold = false) {
    z9::MenuItem item;
    item.Type = static_cast<std::int16_t>(type);
    item.Caption = caption;
    item.Link = link;
    item.Font.Name = "Tahoma";
    item.Font.Size = type == z9::vTitle ? 14 : 10;
    item.Font.Bold = bold || type == z9::vTitle;
    item.FontColor = color;
    return z9::WriteItem(item);
}

// A menu as people write them: a title, a label and a line every 25 items,
// the rest links to tasks, menus, documents and programs, each its own.
std::string MenuWith(int items) {
    const fs::path path = WorkFolder() / ("menu-" + std::to_string(items) + ".z9m");
    if (fs::exists(path)) return path.string();
    const std::string kinds[] = {"Z9SUB C:\\Jobs\\task%d.z9f",
                                 "C:\\Jobs\\run%d.z9f /Z9+",
                                 "menus\\sub%d.z9m",
                                 "C:\\Reports\\week%d.xls",
                                 "notes%d.txt",
                                 "\"C:\\Tools\\tool%d.exe\" -x /Z9-C:\\Work",
                                 "%HOME%\\doc%d.pdf"};
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < items; ++i) {
        std::string line;
        switch (i % 25) {
        case 0:
            line = Line(z9::vTitle, "Section " + std::to_string(i / 25 + 1), "", 0x800000);
            break;
        case 1:
            line = Line(z9::vLabel,
                        "The jobs of section " + std::to_string(i / 25 + 1) +
                            ", started with a click; each opens in its own program.",
                        "");
            break;
        case 24:
            line = Line(z9::vLine, "", "");
            break;
        case 12:
            line = Line(z9::vSpace, "", "");
            break;
        default: {
            char link[128];
            std::snprintf(link, sizeof link, kinds[i % 7].c_str(), i);
            line = Line(z9::vLink, "Job number " + std::to_string(i), link, 0xFF0000);
        }
        }
        out << line << "\r\n";
    }
    return path.string();
}

z9::MenuWindow& Window() {
    static z9::MenuWindow* window = [] {
        auto* w = new z9::MenuWindow;
        w->resize(900, 700);
        w->show();
        QApplication::processEvents();
        return w;
    }();
    return *window;
}

void OpenMenu(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    const std::string path = MenuWith(items);
    z9::MenuWindow& w = Window();
    for (auto _ : state) {
        if (!w.FOpen(path)) state.SkipWithError("the menu did not open");
        // What the window's first turn of the event loop does with the new page.
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.VexItem1.size());
    }
    state.counters["items_per_s"] =
        benchmark::Counter(static_cast<double>(items), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(OpenMenu)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

void ScrollPage(benchmark::State& state) {
    z9::MenuWindow& w = Window();
    if (!w.FOpen(MenuWith(5000))) state.SkipWithError("the menu did not open");
    QApplication::processEvents();
    int value = 0;
    for (auto _ : state) {
        value = (value + w.VS1->pageStep()) % (w.VS1->maximum() + 1);
        w.VS1->setValue(value);
        w.repaint();
    }
}
BENCHMARK(ScrollPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("Z9_REGISTRY_DIR", (WorkFolder() / "registry").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (WorkFolder() / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (WorkFolder() / "config").c_str(), 1);
    QApplication app(argc, argv);
    z9::LoadProgramFonts();
    z9::InstallHostText();
    z9::SetMessageHandler(
        [](const std::string&, int, const std::string&) { return static_cast<int>(z9::vbOK); });
    return z9::bench::RunBenchmarks(argc, argv);
}
