// Editing the bank in the window: add, modify, delete, save, record, and
// duplicate removal in the background.
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

#include "app/dialogs.h"
#include "gui_main.h"
#include "text/gbk_text.h"
#include "window_fixture.h"

using wy::Globals;
namespace seam = wy::testing;
namespace fs = std::filesystem;

class WindowEditingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    void useBank(const std::string& text) {
        seam::SetNextOpenFileName(f->writeFile("bank.txt", text));
        f->click("更换题库按钮");
    }
    void menu(const char* item) {
        seam::SetNextMenuChoice(QString::fromUtf8(item));
        QTest::mouseClick(f->list()->viewport(), Qt::RightButton);
    }
    bool isOutcome(const char* name, const char* prefix) {
        return f->text(name).size() == QString::fromUtf8(prefix).size() + 3 &&
               f->text(name).startsWith(QString::fromUtf8(prefix)) && f->text(name).right(3).toInt() >= 100;
    }
    std::vector<std::string> bank() const { return Globals().Bank.lines().toVector(); }
    QStringList newEntryFiles() const {
        QStringList names;
        for (const auto& e : fs::directory_iterator(f->dir->path())) {
            QString name = QString::fromStdString(e.path().filename().string());
            if (name.startsWith(QStringLiteral("新录入题目"))) names << name;
        }
        return names;
    }
    QStringList tempFiles() const {
        QStringList names;
        for (const auto& e : fs::directory_iterator(f->dir->path() / "tmp")) names << QString::fromStdString(e.path().string());
        return names;
    }

private slots:
    void init() {
        f = std::make_unique<WindowFixture>();
        fs::create_directory(f->dir->path() / "tmp");
        qputenv("TMPDIR", QByteArray::fromStdString((f->dir->path() / "tmp").string()));
        useBank(G("五角大楼是美国哪个机构的代称?【国防部】\r\n泸定桥在我国哪个省境内?【四川】\r\n"));
    }
    void cleanup() {
        qunsetenv("TMPDIR");
        f.reset();
    }

    void addingAppendsSavesAndLogsTheNormalisedQuestion() {
        f->box("搜索编辑框")->setText(QStringLiteral("  ａｂｃ？ "));
        f->click("添加新题目按钮");
        QCOMPARE(bank().back(), std::string("ABC?"));
        QCOMPARE(f->text("搜索编辑框"), QStringLiteral("  ａｂｃ？ "));
        QVERIFY(isOutcome("信息5", "操作成功"));
        QCOMPARE(f->text("信息3"), QStringLiteral("3"));
        QCOMPARE(f->file("修改过的题库.txt"), G("五角大楼是美国哪个机构的代称?【国防部】\r\n泸定桥在我国哪个省境内?【四川】\r\nABC?\r\n"));

        seam::SetNextMenuChoice(QStringLiteral("添加题目"));  // the search box menu adds too
        f->box("搜索编辑框")->setText(QStringLiteral("第二题【二】"));
        QTest::mouseClick(f->box("搜索编辑框"), Qt::RightButton);
        f->box("搜索编辑框")->setText(QStringLiteral("第三题【三】"));
        f->click("添加新题目按钮");
        QStringList files = newEntryFiles();
        QCOMPARE(files.size(), 1);
        QVERIFY(QRegularExpression("^新录入题目[0-9]{5}\\.txt$").match(files[0]).hasMatch());
        QCOMPARE(f->file(files[0].toUtf8().constData()), "ABC?\r\n" + G("第二题【二】\r\n第三题【三】\r\n"));

        f->restart();  // a new run starts a new file and never truncates the old one
        useBank(G("一【1】\r\n"));
        f->box("搜索编辑框")->setText(QStringLiteral("新一轮"));
        f->click("添加新题目按钮");
        QCOMPARE(newEntryFiles().size(), 2);
        QCOMPARE(f->file(files[0].toUtf8().constData()), "ABC?\r\n" + G("第二题【二】\r\n第三题【三】\r\n"));
    }

    void aChangeThatCannotBeSavedSaysSo() {
        // A directory in the way of the saved bank file: the write must fail.
        fs::create_directory(f->dir->path() / "修改过的题库.txt");
        f->box("搜索编辑框")->setText(QStringLiteral("新题目【答】"));
        f->click("添加新题目按钮");
        QVERIFY(isOutcome("信息5", "保存失败"));
        QCOMPARE(Globals().Bank.size(), 3u);  // still in the bank, and logged:
        QCOMPARE(f->file(newEntryFiles().first().toUtf8().constData()), G("新题目【答】\r\n"));
        f->click("保存现题库按钮");
        QVERIFY(isOutcome("信息5", "保存失败"));
        fs::remove(f->dir->path() / "修改过的题库.txt");
        f->click("保存现题库按钮");
        QVERIFY(f->hasFile("修改过的题库.txt"));
    }

    void anAdditionAlreadyInTheBankIsRefused() {
        for (int i = 0; i < 2; ++i) {
            f->box("搜索编辑框")->setText(QStringLiteral("国防部"));
            f->click("添加新题目按钮");
            QCOMPARE(f->text("信息5"), QStringLiteral("录入题目为重复语句"));
        }
        QCOMPARE(Globals().Bank.size(), 2u);
        QVERIFY(!f->hasFile("修改过的题库.txt"));
        QVERIFY(newEntryFiles().isEmpty());
    }

    void modifyingReplacesTheLineAndMovesItToTheEnd() {
        f->box("搜索编辑框")->setText(QStringLiteral("x"));
        menu("修改题目");  // nothing selected
        QVERIFY(isOutcome("信息5", "禁止修改"));
        f->selectRow(0);
        f->box("搜索编辑框")->clear();
        menu("修改题目");  // empty search box
        QVERIFY(isOutcome("信息5", "禁止修改"));
        QVERIFY(!f->hasFile("修改过的题库.txt"));

        f->selectRow(0);
        f->box("搜索编辑框")->setText(QStringLiteral("五角大楼是美国哪个机构的代称?【美国国防部】"));
        menu("修改题目");
        QVERIFY(isOutcome("信息5", "成功修改"));
        QCOMPARE(bank(), (std::vector<std::string>{G("泸定桥在我国哪个省境内?【四川】"), G("五角大楼是美国哪个机构的代称?【美国国防部】")}));
        QCOMPARE(f->items().first(), QStringLiteral("五角大楼是美国哪个机构的代称?【美国国防部】"));
        QCOMPARE(f->file("修改过的题库.txt"), G("泸定桥在我国哪个省境内?【四川】\r\n五角大楼是美国哪个机构的代称?【美国国防部】\r\n"));
    }

    void deletingRemovesTheLineEverywhere() {
        menu("删除题目");  // nothing selected
        QVERIFY(isOutcome("信息5", "删除题目失败"));
        QVERIFY(f->box("搜索编辑框")->isEnabled());

        f->selectRow(1);
        f->box("搜索编辑框")->clear();  // sound behaviour: an empty text deletes nothing
        menu("删除题目");
        QVERIFY(isOutcome("信息5", "删除题目失败"));
        QCOMPARE(Globals().Bank.size(), 2u);

        f->selectRow(1);
        f->box("搜索编辑框")->setText(QStringLiteral("不在题库里"));
        menu("删除题目");
        QVERIFY(isOutcome("信息5", "删除题目失败"));
        QCOMPARE(f->model()->count(), 2);

        f->selectRow(1);
        menu("删除题目");
        QCOMPARE(f->window->windowTitle(), QStringLiteral("删除题目:泸定桥在我国哪个省境内?【四川】"));
        QCOMPARE(f->text("信息3"), QStringLiteral("1"));
        QVERIFY(isOutcome("信息5", "操作成功"));
        QCOMPARE(f->items(), QStringList{"五角大楼是美国哪个机构的代称?【国防部】"});
        QCOMPARE(f->file("修改过的题库.txt"), G("五角大楼是美国哪个机构的代称?【国防部】\r\n"));

        QRect r = f->list()->visualRect(f->model()->index(0));
        QTest::mouseDClick(f->list()->viewport(), Qt::LeftButton, {}, r.center());  // deletes at once
        QCOMPARE(Globals().Bank.size(), 0u);
        QCOMPARE(f->file("修改过的题库.txt"), std::string());
    }

    void recordingAppendsUnlessTheKeyIsThere() {
        f->search(QStringLiteral("泸定桥"));
        f->selectRow(1);  // the untagged main-bank line
        menu("记录题目");
        QVERIFY(isOutcome("信息5", "成功添加"));
        QCOMPARE(f->file("记录添加的题目.txt"), G("泸定桥在我国哪个省境内?【四川】\r\n"));
        menu("记录题目");
        QVERIFY(isOutcome("信息5", "添加失败"));
        f->selectRow(0);  // the tagged custom line: ZDY in front of its key
        menu("记录题目");
        QVERIFY(isOutcome("信息5", "成功添加"));
        QCOMPARE(f->file("记录添加的题目.txt"),
                 G("泸定桥在我国哪个省境内?【四川】\r\n(自定义)泸定桥在我国哪个省境内?【四川】\r\n"));
        QCOMPARE(Globals().Bank.size(), 2u);
    }

    void aRecordFileThatCannotBeWrittenIsReportedAsAFailure() {
        f->writeFile("记录添加的题目.txt", "");
        fs::permissions(f->dir->path() / "记录添加的题目.txt", fs::perms::owner_read);
        f->selectRow(0);
        menu("记录题目");
        QVERIFY(isOutcome("信息5", "添加失败"));
        QCOMPARE(f->file("记录添加的题目.txt"), std::string());
    }

    void duplicateRemovalSortsByBytesInTheBackground() {
        // Set directly: loading would raise the "a" (a modification can leave one).
        Globals().Bank.assign(wy::TextArray{"B", "A", "B", "C", "A", "Z", "a", "", G("吧"), G("啊")});
        QSignalSpy done(f->window.get(), &wy::MainWindow::removalFinished);
        menu("删除重复");
        QVERIFY(!f->box("搜索编辑框")->isEnabled());
        QCOMPARE(f->text("信息5"), QStringLiteral("处理中..."));
        menu("删除重复");  // a second one while the first runs is ignored
        QVERIFY(done.wait(10000));
        QCOMPARE(bank(), (std::vector<std::string>{"A", "B", "C", "Z", "a", G("啊"), G("吧")}));
        QCOMPARE(f->model()->count(), 7);
        QCOMPARE(f->text("信息3"), QStringLiteral("7"));
        QVERIFY(isOutcome("信息5", "操作成功"));
        QVERIFY(f->box("搜索编辑框")->isEnabled());
        QVERIFY(tempFiles().isEmpty());
        QCOMPARE(done.count(), 1);

        useBank("\r\n\r\n\r\n");
        menu("删除重复");
        QVERIFY(done.wait(10000));
        QCOMPARE(Globals().Bank.size(), 0u);
        QCOMPARE(f->text("信息4"), QStringLiteral("共0个"));
    }

    void aFailedRemovalKeepsTheBank() {
        qputenv("TMPDIR", QByteArray::fromStdString((f->dir->path() / "missing").string()));
        QSignalSpy done(f->window.get(), &wy::MainWindow::removalFinished);
        menu("删除重复");
        QVERIFY(done.wait(10000));
        QCOMPARE(Globals().Bank.size(), 2u);
        QCOMPARE(f->model()->count(), 2);
        QVERIFY(isOutcome("信息5", "删除重复失败"));
        QVERIFY(f->box("搜索编辑框")->isEnabled());
    }

    void editsWaitForARunningRemovalAndClosingStopsIt() {
        wy::TextArray big;
        const std::string head = G("第"), tail = G("题【答】");
        for (int i = 0; i < 1000000; ++i) big.add(head + std::to_string(i % 700000) + tail);
        Globals().Bank.assign(big);
        menu("删除重复");
        QVERIFY(f->window->removalRunning());
        f->box("搜索编辑框")->setText(QStringLiteral("新题"));
        f->click("添加新题目按钮");  // refused while the bank is being rebuilt, and said so
        QCOMPARE(Globals().Bank.size(), 1000000u);
        QVERIFY(isOutcome("信息5", "正在删除重复"));
        f->click("核对文本处理下按钮");  // the batch buttons stay usable
        QElapsedTimer t;
        t.start();
        f->window->close();
        QVERIFY(t.elapsed() < 5000);
        QVERIFY(tempFiles().isEmpty());  // the stopped worker removed its tables
        QCOMPARE(Globals().Bank.size(), 1000000u);
        f.reset();  // destroying the window and the shared state after that is clean
    }
};

WENYUAN_GUI_TEST_MAIN(WindowEditingTest)
#include "window_editing_test.moc"
