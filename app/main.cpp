// Program entry: sets up the toolkit and the browser engine, makes the
// program directory current, creates the window, runs it, and releases the
// shared state once the window is gone.
#include <QApplication>
#include <QTimer>

#include <filesystem>

#include "app/main_window.h"
#include "app/shared_state.h"
#include "text/files.h"
#include "text/os.h"

namespace {

// The browser engine's sandbox cannot start under an administrator account
// (containers, CI); only then is it switched off.
void PrepareBrowserEngine() {
    if (!wy::os::RunningAsAdministrator()) return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--no-sandbox")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --no-sandbox");
}

}  // namespace

int main(int argc, char** argv) {
    PrepareBrowserEngine();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    std::error_code ec;
    std::filesystem::current_path(wy::os::NativePath(wy::ProgramDirectory()), ec);

    wy::InitGlobals();
    int code = 0;
    {
        wy::MainWindow window;
        window.StartUp();
        window.show();
        // --screenshot FILE: save a picture of the window once it has been
        // drawn, then quit (used to look at the window without a display).
        int shot = QCoreApplication::arguments().indexOf(QStringLiteral("--screenshot"));
        if (shot > 0 && shot + 1 < QCoreApplication::arguments().size()) {
            QString file = QCoreApplication::arguments().at(shot + 1);
            QTimer::singleShot(1000, &window, [&window, file] {
                window.grab().save(file);
                QApplication::quit();
            });
        }
        // --quit-when-shown: paint the window once and quit (start-up timing).
        if (QCoreApplication::arguments().contains(QStringLiteral("--quit-when-shown"))) {
            QTimer::singleShot(0, &window, [&window] {
                window.repaint();
                QApplication::quit();
            });
        }
        code = app.exec();
    }
    wy::FreeGlobals();
    return code;
}
