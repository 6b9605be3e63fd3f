// A fresh program in a fresh program directory: the shared state, the
// window after start-up, and its controls found by the names users see.
#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <memory>

#include "app/line_list_model.h"
#include "app/main_window.h"
#include "app/shared_state.h"
#include "support/gbk.h"
#include "support/temp_dir.h"
#include "text/gbk_unicode.h"

class WindowFixture {
public:
    WindowFixture() : dir(std::make_unique<TempDir>()) {
        std::filesystem::current_path(dir->path());
        start();
    }
    ~WindowFixture() {
        window.reset();
        wy::FreeGlobals();
        std::filesystem::current_path(std::filesystem::temp_directory_path());
    }

    // Closes the window and starts the program again in the same directory.
    void restart() {
        window.reset();
        wy::FreeGlobals();
        start();
    }

    template <typename T = QWidget>
    T* control(const char* name) const {
        return window->findChild<T*>(QString::fromUtf8(name));
    }
    QLineEdit* box(const char* name) const { return control<QLineEdit>(name); }
    QString text(const char* name) const { return box(name)->text(); }
    QListView* list() const { return control<QListView>("列表框"); }
    wy::LineListModel* model() const { return static_cast<wy::LineListModel*>(list()->model()); }
    void click(const char* buttonName) const { QTest::mouseClick(control<QPushButton>(buttonName), Qt::LeftButton); }
    // Types a text into the search box (replacing it) and presses Enter.
    void search(const QString& text) const {
        box("搜索编辑框")->setText(text);
        QTest::keyClick(box("搜索编辑框"), Qt::Key_Return);
    }
    void selectRow(int row) const {
        QRect r = list()->visualRect(model()->index(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, r.center());
    }
    // The items of the list, as UTF-8 for readable failures.
    QStringList items() const {
        QStringList out;
        for (int i = 0; i < model()->count(); ++i) out << model()->data(model()->index(i), Qt::DisplayRole).toString();
        return out;
    }
    std::string file(const char* utf8Name) const { return dir->read(utf8Name); }
    bool hasFile(const char* utf8Name) const { return dir->exists(utf8Name); }
    // Writes a GBK file into the program directory and returns its full path.
    QString writeFile(const char* utf8Name, const std::string& bytes) const {
        dir->write(utf8Name, bytes);
        return QString::fromStdString((dir->path() / utf8Name).string());
    }
    // True when the list box lies above the browser.
    bool listOnTop() const {
        const auto& siblings = window->children();
        return siblings.indexOf(list()) > siblings.indexOf(control("超文本浏览框"));
    }

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<wy::MainWindow> window;

private:
    void start() {
        wy::InitGlobals();
        window = std::make_unique<wy::MainWindow>(wy::os::FromNativePath(dir->path()));
        window->StartUp();
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowExposed(window.get())) qWarning("window not exposed");
    }
};
