// Times the window's own work on a large bank: appending it, searching it,
// removing its duplicates and saving it, plus the resident memory after
// start-up. Run by bench/window.sh, which also times start-up and the
// comparison commands; prints one "name value" line per figure.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/shared_state.h"
#include "text/os.h"

namespace {

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median time in ms of a search typed into the box and run with Enter.
double SearchMs(wy::MainWindow& window, const QString& text, int runs) {
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("搜索编辑框"));
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        box->setText(text);
        QElapsedTimer t;
        t.start();
        window.RunSearch(13);
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        QCoreApplication::processEvents();
    }
    std::printf("  (%s: %s)\n", text.toUtf8().constData(),
                window.findChild<QLineEdit*>(QStringLiteral("信息4"))->text().toUtf8().constData());
    return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    if (wy::os::RunningAsAdministrator()) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_bench BANK_FILE WORK_DIR\n");
        return 2;
    }
    QString bankFile = QString::fromLocal8Bit(argv[1]);
    std::string workDir = wy::os::FromNativePath(argv[2]);

    wy::InitGlobals();
    {
        wy::MainWindow window(workDir);
        window.StartUp();
        window.show();
        QCoreApplication::processEvents();
        std::printf("resident_kb_after_startup %ld\n", ResidentKb());
        std::printf("search_builtin_chinese_ms %.3f\n", SearchMs(window, QStringLiteral("长江"), 51));
        std::printf("search_builtin_pinyin_ms %.3f\n", SearchMs(window, QStringLiteral("STBWS"), 51));

        // Append the large bank (添加题库), timing the whole handler: it runs
        // on the window's thread, so this is also the longest time the event
        // loop is blocked.
        wy::testing::SetNextOpenFileName(bankFile);
        QElapsedTimer t;
        t.start();
        window.AppendBank();
        std::printf("load_large_bank_ms %lld\n", t.elapsed());
        std::printf("large_bank_lines %zu\n", wy::Globals().Bank.size());
        std::printf("resident_kb_large_bank %ld\n", ResidentKb());

        std::printf("search_large_chinese_ms %.1f\n", SearchMs(window, QStringLiteral("长江"), 7));
        std::printf("search_large_pinyin_ms %.1f\n", SearchMs(window, QStringLiteral("SJ"), 7));

        t.restart();
        window.SaveBank();
        std::printf("save_large_bank_ms %lld\n", t.elapsed());

        QSignalSpy done(&window, &wy::MainWindow::removalFinished);
        t.restart();
        window.StartRemoveDuplicates();
        done.wait(120000);
        std::printf("dedup_large_bank_ms %lld\n", t.elapsed());
        std::printf("large_bank_lines_after_dedup %zu\n", wy::Globals().Bank.size());
    }
    wy::FreeGlobals();
    return 0;
}
