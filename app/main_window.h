// The one window of the program: its controls, menus and event wiring, and
// the handlers that read the controls, call the core and write the results
// back. Handlers keep the names the rest of the team uses for them.
#pragma once

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "text/text_array.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QThread;
class QTimer;

namespace wy {

class BrowserBox;
class LineListModel;
struct BatchStep;
class ListBox;
class SearchBox;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // programDirectory: where the program keeps its files; empty means the
    // directory of the executable (tests pass a fresh folder).
    explicit MainWindow(std::string programDirectory = {});
    ~MainWindow() override;

    // Runs once before the window is first shown.
    void StartUp();

    // Handlers of the window's events.
    void TrimWorkingSet();
    void RunSearch(int key, Qt::KeyboardModifiers shift = {});
    void ShowAnswer();
    void ShowListMenu();
    void ShowSearchBoxMenu();
    void ClearSearchBox();
    void ShowUsage();
    void OpenUpdatePage();
    void SendCopyKeys();
    void SendPasteKeys();
    void LoadMainBank(int mode);
    void LoadCustomBank(int mode);
    void ReplaceBank();       // 更换题库按钮
    void AppendBank();        // menu item 添加题库
    void ChooseCustomBank();  // 自定题库按钮
    void WriteConfigValue(std::string_view key, std::string_view value);
    void ShowStatus(int mode);
    void LoadBatchList();
    void BatchNext();
    void BatchPrevious();
    void AddQuestion();
    bool AddQuestionIfNew(const std::string& question);
    void ModifyQuestion();
    void DeleteQuestion();
    // Writes the saved bank file; a failed write is reported in 信息5.
    bool SaveBank();
    void RecordQuestion();
    void StartRemoveDuplicates();  // menu item 删除重复
    bool RedirectNewWindow();

    // The address the browser was last sent to (for tests and the status).
    QString browserAddress() const;
    bool removalRunning() const { return removal_ != nullptr; }

signals:
    void removalFinished();

protected:
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    QLineEdit* statusBox(QWidget* parent, const char* objectName, QRect geometry);
    QGroupBox* groupBox(const QString& title, const char* objectName, QRect geometry);
    QPushButton* button(QWidget* parent, const QString& text, const char* objectName, QRect geometry);
    void setStatus(QLineEdit* box, std::string_view gbk);
    void setCaption(std::string_view gbk);
    std::string configPath() const;
    std::string outcome(const char* utf8Text);  // text + NNN, as GBK
    void WebSearch();
    void navigateBrowser(const QString& address);
    void finishRemoveDuplicates(std::optional<std::string> result);
    bool refuseDuringRemoval();
    int selectedRow() const;
    void setCustomBank(std::string_view text);
    void searchBatchLine(const std::optional<BatchStep>& step);
    std::string newEntryFileName();

    std::string programDirectory_;
    bool firstShow_ = true;

    SearchBox* searchBox_ = nullptr;      // 搜索编辑框
    ListBox* listBox_ = nullptr;          // 列表框
    LineListModel* listModel_ = nullptr;
    BrowserBox* browserBox_ = nullptr;    // 超文本浏览框
    QLabel* pictureBox_ = nullptr;        // 图片框1
    QLineEdit* info1_ = nullptr;          // 信息1 .. 信息5
    QLineEdit* info2_ = nullptr;
    QLineEdit* info3_ = nullptr;
    QLineEdit* info4_ = nullptr;
    QLineEdit* info5_ = nullptr;
    QTimer* timer_ = nullptr;             // 时钟1
    QMenu* listMenu_ = nullptr;           // 列表框菜单
    QMenu* searchBoxMenu_ = nullptr;      // 搜索框菜单

    // The search box's text as GBK, readable from the web-search worker.
    std::shared_ptr<std::string> searchTextMirror_;
    std::shared_ptr<std::mutex> searchTextMutex_;

    QThread* removal_ = nullptr;
    std::atomic<bool> stopRemoval_{false};
    TextArray itemsBeforeRemoval_;  // shown again if a removal fails
};

}  // namespace wy
