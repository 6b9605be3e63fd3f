// The window after start-up, its focus and menu rules, and loading banks.
#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QTest>

#include "app/dialogs.h"
#include "gui_main.h"
#include "text/files.h"
#include "text/gbk_text.h"
#include "window_fixture.h"

using wy::Globals;
namespace seam = wy::testing;

class WindowShellTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    static bool IsOutcome(const QString& text, const QString& prefix) {
        return QRegularExpression("^" + prefix + "[1-9][0-9][0-9]$").match(text).hasMatch();
    }

private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { f.reset(); }

    void startUpShowsTheBuiltInBanks() {
        QCOMPARE(f->window->windowTitle(), QStringLiteral("[发布于砚舟软件站]问渊[纯人工核对录入]"));
        QCOMPARE(Globals().Bank.size(), 3399u);
        QCOMPARE(f->model()->count(), 3399);
        QCOMPARE(f->text("信息3"), QStringLiteral("3399"));
        QCOMPARE(f->text("信息4"), QStringLiteral("共3399个"));
        QVERIFY(IsOutcome(f->text("信息5"), "操作成功"));
        QCOMPARE(f->text("信息2"), QStringLiteral("938"));
        QCOMPARE(Globals().CustomBank.size(), 938u);
        QCOMPARE(f->text("信息1"), QStringLiteral("0/0"));
        QVERIFY(f->listOnTop());
        QVERIFY(f->box("搜索编辑框")->isEnabled());
        QTRY_VERIFY(f->box("搜索编辑框")->hasFocus());
        QVERIFY(!f->hasFile("搜索器配置.ini"));
        QVERIFY(f->list()->selectionModel()->selectedIndexes().isEmpty());
    }

    void controlsStandWhereTheyBelong() {
        QCOMPARE(f->control("搜索编辑框")->geometry(), QRect(30, 1, 400, 30));
        QCOMPARE(f->control("列表框")->geometry(), QRect(0, 32, 500, 280));
        QCOMPARE(f->control("超文本浏览框")->geometry(), QRect(0, 34, 500, 280));
        QCOMPARE(f->control("信息5")->geometry(), QRect(4, 17, 132, 24));
        QCOMPARE(f->control("保存现题库按钮")->geometry(), QRect(4, 41, 132, 24));
        QVERIFY(f->box("信息4")->isReadOnly());
        QVERIFY(!(f->window->windowFlags() & Qt::WindowMaximizeButtonHint));
        f->window->resize(900, 600);
        QCOMPARE(f->control("列表框")->geometry(), QRect(0, 32, 500, 280));
    }

    void tabAlwaysLeadsToTheSearchBoxAndEscDoesNotClose() {
        for (const char* from : {"列表框", "更换题库按钮", "信息5", "搜索编辑框"}) {
            f->control(from)->setFocus();
            QTest::keyClick(f->control(from), Qt::Key_Tab);
            QVERIFY2(f->box("搜索编辑框")->hasFocus(), from);
            QTest::keyClick(f->control(from), Qt::Key_Backtab);
            QVERIFY2(f->box("搜索编辑框")->hasFocus(), from);
        }
        QTest::keyClick(f->list(), Qt::Key_Escape);
        QTest::keyClick(f->box("搜索编辑框"), Qt::Key_Escape);
        QVERIFY(f->window->isVisible());
    }

    void rightClickOnTheListNormalisesTheSearchBoxEvenWhenDismissed() {
        f->selectRow(1);
        f->box("搜索编辑框")->setText(QStringLiteral("  ａｂｃ？ "));
        seam::SetNextMenuChoice("");  // dismissed
        QPoint at = f->list()->visualRect(f->model()->index(4)).center();
        QTest::mouseClick(f->list()->viewport(), Qt::RightButton, {}, at);
        QCOMPARE(f->text("搜索编辑框"), QStringLiteral("ABC?"));
        QCOMPARE(f->list()->currentIndex().row(), 1);  // the selection stays
        QCOMPARE(seam::LastMenuPosition(), QCursor::pos() + QPoint(3, 3));
    }

    void doubleClickClearsTheSearchBox() {
        QTest::mouseDClick(f->box("搜索编辑框"), Qt::LeftButton);
        QCOMPARE(f->text("搜索编辑框"), QString());
    }

    void copyAndPasteGoToTheFocusedControl() {
        QLineEdit* box = f->box("搜索编辑框");
        box->setText(QStringLiteral("善提本无树"));
        box->setFocus();
        box->setSelection(0, 2);
        seam::SetNextMenuChoice(QStringLiteral("复制选中"));
        QTest::mouseClick(box, Qt::RightButton);
        QTRY_COMPARE(QApplication::clipboard()->text(), QStringLiteral("善提"));
        box->setCursorPosition(box->text().size());
        seam::SetNextMenuChoice(QStringLiteral("粘贴内容"));
        QTest::mouseClick(box, Qt::RightButton);
        QTRY_COMPARE(box->text(), QStringLiteral("善提本无树善提"));
    }

    void usageMessageGivesTheExample() {
        seam::RecordInformation(true);
        f->click("说明按钮");
        seam::RecordInformation(false);
        QVERIFY(seam::LastInformationTitle().startsWith(QStringLiteral("作者及软件更新:扣扣")));
        QVERIFY(seam::LastInformationText().startsWith(QStringLiteral("软件使用说明:")));
        QVERIFY(seam::LastInformationText().contains(QStringLiteral("首拼\"STBWS\"即(善s提t本b无w树s)可得到答案.\r\n")));
    }

    void appendingACancelledChoiceAddsTheBuiltInBankAgain() {
        seam::SetNextOpenFileName(std::nullopt);
        seam::SetNextMenuChoice(QStringLiteral("添加题库"));
        QTest::mouseClick(f->list()->viewport(), Qt::RightButton);
        QCOMPARE(Globals().Bank.size(), 6798u);
        QCOMPARE(f->model()->count(), 3399);
        QCOMPARE(f->text("信息3"), QStringLiteral("6798"));
        QCOMPARE(f->text("信息4"), QStringLiteral("共6798个"));
    }

    void appendingAndReplacingWithABankFile() {
        QString five = f->writeFile("five.txt", G("一【1】\r\n二【2】\r\n三【3】\r\n四【4】\r\n五【5】\r\n"));
        seam::SetNextOpenFileName(five);
        seam::SetNextMenuChoice(QStringLiteral("添加题库"));
        QTest::mouseClick(f->list()->viewport(), Qt::RightButton);
        QCOMPARE(Globals().Bank.size(), 3404u);
        QCOMPARE(f->items(), (QStringList{"一【1】", "二【2】", "三【3】", "四【4】", "五【5】"}));
        QCOMPARE(Globals().Bank[3403], G("五【5】"));

        seam::SetNextOpenFileName(five);
        f->click("更换题库按钮");
        QCOMPARE(Globals().Bank.size(), 5u);
        QCOMPARE(f->text("信息3"), QStringLiteral("5"));

        seam::SetNextOpenFileName(std::nullopt);
        f->click("更换题库按钮");
        QCOMPARE(Globals().Bank.size(), 3399u);
    }

    void bankFilesAreNormalisedAndSplitLikeBankTexts() {
        QString quoted = f->writeFile("q.txt", G("\"五角大楼是美国哪个机构的代称?\"=\"国防部\"\r\n\r\nabc，？【d】"));
        seam::SetNextOpenFileName(quoted);
        f->click("更换题库按钮");
        QCOMPARE(f->items(), (QStringList{"五角大楼是美国哪个机构的代称?【国防部】", "", "ABC,?【D】"}));

        QString empty = f->writeFile("empty.txt", "");
        seam::SetNextOpenFileName(empty);
        seam::SetNextMenuChoice(QStringLiteral("添加题库"));
        QTest::mouseClick(f->list()->viewport(), Qt::RightButton);
        QCOMPARE(f->model()->count(), 0);
        QCOMPARE(f->text("信息3"), QStringLiteral("3"));
        seam::SetNextOpenFileName(empty);
        f->click("更换题库按钮");
        QCOMPARE(f->text("信息3"), QStringLiteral("0"));
        QCOMPARE(f->text("信息4"), QStringLiteral("共0个"));
    }

    void aCancelledDialogOpensAFileOfThePresetName() {
        f->writeFile("取消为载入默认题库", G("预设【文件】"));
        seam::SetNextOpenFileName(std::nullopt);
        f->click("更换题库按钮");
        QCOMPARE(f->items(), QStringList{"预设【文件】"});
    }

    void theChosenCustomBankIsRememberedAcrossARestart() {
        std::string ten;
        for (int i = 0; i < 10; ++i) ten += G("自定题目，") + std::to_string(i) + G("【答】") + (i < 9 ? "\r\n" : "");
        QString path = f->writeFile("custom.txt", ten);
        seam::SetNextOpenFileName(path);
        f->click("自定题库按钮");
        QCOMPARE(f->text("信息2"), QStringLiteral("10"));
        QCOMPARE(Globals().CustomBank[0], G("自定题目，0【答】"));  // stored as read
        std::string ini = wy::Concat(f->dir->gbk(), "/", G("搜索器配置.ini"));
        QCOMPARE(wy::ReadConfig(ini, G("搜索器配置"), G("自定题库配置")), wy::Utf8ToGbkLossy(path.toStdString()));

        f->restart();
        QCOMPARE(f->text("信息2"), QStringLiteral("10"));
        QCOMPARE(Globals().CustomBank.size(), 10u);

        seam::SetNextOpenFileName(std::nullopt);
        f->click("自定题库按钮");
        QCOMPARE(f->text("信息2"), QStringLiteral("938"));
        QCOMPARE(wy::ReadConfig(ini, G("搜索器配置"), G("自定题库配置")), std::string());
        QCOMPARE(f->file("搜索器配置.ini"), G("[搜索器配置]\r\n自定题库配置=\r\n"));
    }

    void aConfiguredFileThatIsGoneGivesTheBuiltInCustomBank() {
        std::string ini = wy::Concat(f->dir->gbk(), "/", G("搜索器配置.ini"));
        wy::WriteConfig(ini, G("搜索器配置"), G("自定题库配置"), G("/no/such/file.txt"));
        std::string before = f->file("搜索器配置.ini");
        f->restart();
        QCOMPARE(Globals().CustomBank.size(), 938u);
        QCOMPARE(f->file("搜索器配置.ini"), before);
    }
};

WENYUAN_GUI_TEST_MAIN(WindowShellTest)
#include "window_shell_test.moc"
